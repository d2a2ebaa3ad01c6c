#include "app/Autosave.h"

#include "app/FileCommands.h"
#include "app/MenuTestSupport.h"
#include "app/PaperWindows.h"
#include "app/Toolbox.h"
#include "app/ToolboxButton.h"
#include "document/Paper.h"

#include <chrono>
#include <deque>
#include <filesystem>
#include <thread>

namespace fs = std::filesystem;

namespace {

// The answers the next questions get, first first; a question beyond them is
// closed without an answer.
std::deque<int> answers;

int AnswerInTurn(const SDL_MessageBoxData* data, int* buttonId) {
    MenuTest::questions.push_back(std::string(data->title) + ": " + data->message);
    *buttonId = -1;
    if (!answers.empty()) {
        *buttonId = answers.front();
        answers.pop_front();
    }
    return 0;
}

class AutosaveTest : public MenuTest {
  protected:
    static constexpr int kYes = 1;
    static constexpr int kNo = 2;

    void SetUp() override {
        app.WriteSettings("[autosave]\ninterval_seconds = 1\n");
        MenuTest::SetUp();
        editor->ui.showMessageBox = AnswerInTurn;
    }

    // Ends the program the way a crash would leave its files (its papers are
    // not asked about), starts it again and answers the questions of its
    // first pass.
    void Restart(std::deque<int> replies) {
        app.Shutdown();
        ASSERT_TRUE(app.Start());
        editor->ui.dialogCloseWhenIdle = true;
        editor->ui.showMessageBox = AnswerInTurn;
        questions.clear();
        answers = std::move(replies);
        ASSERT_TRUE(app.RunPasses(1));
    }

    std::vector<fs::path> RecoveryFiles() const {
        std::vector<fs::path> files;
        std::error_code error;
        for (const auto& entry : fs::recursive_directory_iterator(app.RecoveryFolder(), error)) {
            if (entry.path().extension() == ".recovery") {
                files.push_back(entry.path());
            }
        }
        return files;
    }

    // Runs passes until a recovery file exists; false after five seconds.
    bool WaitForRecoveryFile() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (RecoveryFiles().empty()) {
            if (std::chrono::steady_clock::now() > deadline || !app.RunPasses(1)) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return true;
    }

    void DrawLine() {
        const SDL_Rect tool = FindToolboxEntry("line")->rect;
        ReleaseAt(Centre(tool));
        ReleaseAt({editor->shell.paperViewRect.x + 48, editor->shell.paperViewRect.y + 48});
        ReleaseAt({editor->shell.paperViewRect.x + 240, editor->shell.paperViewRect.y + 96});
        app.PressKey(SDLK_ESCAPE);
        ASSERT_TRUE(app.RunPasses(1));
    }
};

} // namespace

TEST_F(AutosaveTest, AnUnsavedPaperOfAKilledSessionComesBackWhenTheUserWantsIt) {
    NewPaper("5x7");
    DrawLine();
    ASSERT_EQ(editor->session.activePaper->objects.size(), 1u);
    ASSERT_TRUE(WaitForRecoveryFile());
    EXPECT_EQ(RecoveryFiles().size(), 1u);

    // No, and No to deleting them: kept for the next start.
    Restart({kNo, kNo});
    EXPECT_EQ(questions, (std::vector<std::string>{
                             "Recover papers?: Recover 1 unsaved paper from the last session?",
                             "Delete recovered papers?: Delete the recovered papers?"}));
    EXPECT_TRUE(editor->session.openPapers.empty());
    EXPECT_EQ(RecoveryFiles().size(), 1u);

    Restart({kYes});
    EXPECT_EQ(questions.size(), 1u);
    ASSERT_EQ(editor->session.openPapers.size(), 1u);
    const Paper& recovered = *editor->session.openPapers.front()->document;
    EXPECT_EQ(editor->session.activePaper, &recovered);
    EXPECT_EQ(recovered.width, 480);
    EXPECT_EQ(recovered.objects.size(), 1u) << "the line drawn before the crash";
    EXPECT_TRUE(recovered.modified);
    EXPECT_TRUE(recovered.filePath.empty()) << "an unnamed paper stays unnamed";
    EXPECT_EQ(app.WindowTitle(), "Tessellon/Linux64 *") << "marked as unsaved";
    EXPECT_EQ(WindowsEntries(), (std::vector<std::string>{"Unnamed File *"}));
    EXPECT_TRUE(editor->session.recentFiles.empty());
    EXPECT_EQ(std::string(editor->ui.statusNotice), "Recovered 1 paper.");
    EXPECT_EQ(RecoveryFiles().size(), 1u) << "kept while the paper is open and unsaved";

    // Closed without saving, by the user's choice: nothing is left to offer.
    questions.clear();
    answers = {kSaveQuestionNo};
    Choose("File", "Close");
    EXPECT_EQ(questions.size(), 1u) << "asked about saving the recovered changes";
    EXPECT_TRUE(editor->session.openPapers.empty());
    EXPECT_TRUE(RecoveryFiles().empty());
    app.Exit();
    EXPECT_TRUE(fs::is_empty(app.RecoveryFolder())) << "the program's folder goes at exit";
}
