#include "app/MenuTestSupport.h"

#include "app/FileCommands.h"
#include "app/MenuBar.h"
#include "app/PaperWindows.h"
#include "app/Toolbox.h"
#include "app/ToolboxButton.h"
#include "document/Paper.h"
#include "document/PaperFile.h"
#include "ui/MessageDialog.h"

#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

namespace {

class FileCommandsTest : public MenuTest {
  protected:
    // Creates a 5 x 7 inch paper and saves it as Documents/<name>.tsln.
    std::string CreateSavedPaper(const std::string& name) {
        NewPaper("5x7");
        const std::string path = Documents() + name + ".tsln";
        AnswerFileDialog(path);
        Choose("File", "Save As...");
        editor->ui.dialogPassHook = nullptr;
        EXPECT_TRUE(fs::is_regular_file(path)) << path;
        return path;
    }

    void Drop(const std::string& path) {
        SDL_Event event = {};
        event.type = SDL_DROPFILE;
        event.drop.file = SDL_strdup(path.c_str());
        app.Push(event);
        ASSERT_TRUE(app.RunPasses(1));
    }

    static std::string Notice() { return editor->ui.statusNotice; }
    static void ClearNotice() { editor->ui.statusNotice[0] = '\0'; }
    static SDL_Point PaperSize() {
        return editor->session.activePaper == nullptr
                   ? SDL_Point{0, 0}
                   : SDL_Point{editor->session.activePaper->width,
                               editor->session.activePaper->height};
    }
};

} // namespace

TEST_F(FileCommandsTest, NewOffersTheLastSizeAndMakesPapersOfIt) {
    EXPECT_EQ(NewPaper("5x7"), "8.50x11.00");
    EXPECT_EQ(PaperSize(), (SDL_Point{480, 672}));
    EXPECT_EQ(app.WindowTitle(), "Tessellon/Linux64");
    EXPECT_FALSE(editor->session.activePaper->modified);

    // Sizes below an inch become an inch.
    EXPECT_EQ(NewPaper("0.5x0.25"), "5.00x7.00");
    EXPECT_EQ(PaperSize(), (SDL_Point{96, 96}));
    // A missing height reads as 0, so it is an inch too.
    EXPECT_EQ(NewPaper("5x"), "1.00x1.00");
    EXPECT_EQ(PaperSize(), (SDL_Point{480, 96}));
    // Fractions of a pixel are cut off; leading blanks and trailing text are allowed.
    EXPECT_EQ(NewPaper(" 8.51x2.5in"), "5.00x1.00");
    EXPECT_EQ(PaperSize(), (SDL_Point{816, 240}));
    EXPECT_EQ(editor->session.openPapers.size(), 4u);
    EXPECT_EQ(editor->session.activePaper, editor->session.openPapers.back()->document.get());
}

TEST_F(FileCommandsTest, AnswersThatAreNotTwoSizesGiveALetterPaper) {
    NewPaper("5x7");
    for (const std::string answer : {"8.5X11", "8.5", "1x2x3", "x5x7x"}) {
        ClearNotice();
        const size_t before = editor->session.openPapers.size();
        EXPECT_EQ(NewPaper(answer), "5.00x7.00") << "a bad answer does not change the offer";
        EXPECT_EQ(Notice(), "Invalid format, defaulting to 8.5x11\"") << answer;
        EXPECT_EQ(PaperSize(), (SDL_Point{816, 1056})) << answer;
        EXPECT_EQ(editor->session.openPapers.size(), before + 1);
    }
    // Leading and doubled separators produce no field.
    NewPaper("xx3xx4");
    EXPECT_EQ(PaperSize(), (SDL_Point{288, 384}));
    // Only decimal numbers count: no hexadecimal, infinity or not-a-number.
    NewPaper("0X10xnan");
    EXPECT_EQ(PaperSize(), (SDL_Point{96, 96}));
}

TEST_F(FileCommandsTest, CancelledAndTooLargeSizesMakeNoPaper) {
    NewPaper("5x7");
    const std::vector<Paper*> before = OpenDocuments();
    EXPECT_EQ(NewPaper(""), "5.00x7.00"); // cancelled
    EXPECT_EQ(OpenDocuments(), before);

    // Empty: OK on an empty field is no answer.
    OnDialog([&](Dialog&) {
        app.PressKey(SDLK_DELETE);
        app.PressKey(SDLK_RETURN);
    });
    Choose("File", "New...");
    EXPECT_EQ(OpenDocuments(), before);

    // 400 inches is more than the 32767 pixels a paper can be drawn at.
    for (const std::string answer : {"400x5", "5x341.34", "1e400x5"}) {
        ClearNotice();
        NewPaper(answer);
        EXPECT_EQ(OpenDocuments(), before) << answer;
        EXPECT_EQ(editor->session.activePaper, before.back());
    }
    ClearNotice();
    NewPaper("400x5");
    EXPECT_EQ(Notice(), "Size too large, a paper can be at most 341.33x341.33 inches!");
    EXPECT_EQ(NewPaper("341.32x1"), "5.00x7.00") << "the refused size is not offered";
    EXPECT_EQ(PaperSize(), (SDL_Point{32766, 96}));
}

TEST_F(FileCommandsTest, OpeningAnOpenPathActivatesItsPaper) {
    const std::string shed = CreateSavedPaper("shed");
    EXPECT_EQ(app.WindowTitle(), "Tessellon/Linux64 - [shed.tsln]");
    EXPECT_EQ(WindowsEntries(), (std::vector<std::string>{"shed.tsln *"}));
    Choose("File", "Close");
    ASSERT_TRUE(editor->session.openPapers.empty());
    EXPECT_EQ(app.WindowTitle(), "Tessellon/Linux64");

    AnswerFileDialog(shed);
    Choose("File", "Open...");
    ASSERT_EQ(editor->session.openPapers.size(), 1u);
    Paper* opened = editor->session.activePaper;
    EXPECT_EQ(opened->filePath, shed);
    EXPECT_EQ(PaperSize(), (SDL_Point{480, 672}));
    EXPECT_EQ(Notice(), "File loaded.");
    EXPECT_EQ(app.WindowTitle(), "Tessellon/Linux64 - [shed.tsln]");

    NewPaper("2x2");
    ASSERT_NE(editor->session.activePaper, opened);
    Drop(shed);
    EXPECT_EQ(editor->session.openPapers.size(), 2u);
    EXPECT_EQ(editor->session.activePaper, opened);
    EXPECT_EQ(Notice(), "File already open...");
    EXPECT_EQ(app.WindowTitle(), "Tessellon/Linux64 - [shed.tsln]");

    // Another letter case is another path, even where it names the same file.
    const std::string upper = Documents() + "SHED.tsln";
    fs::copy_file(shed, upper);
    Drop(upper);
    EXPECT_EQ(editor->session.openPapers.size(), 3u);
    EXPECT_EQ(editor->session.activePaper->filePath, upper);
    EXPECT_EQ(WindowsEntries(),
              (std::vector<std::string>{"shed.tsln", "Unnamed File", "SHED.tsln *"}));

    // A file that is no document opens nothing and says why.
    const std::string junk = Documents() + "junk.tsln";
    WriteFile(junk, "not a paper");
    Drop(junk);
    EXPECT_EQ(editor->session.openPapers.size(), 3u);
    EXPECT_EQ(Notice(), "File is corrupt, invalid magic value!");
    EXPECT_EQ(WindowsEntries().size(), 3u);
}

TEST_F(FileCommandsTest, ClosingTheActivePaperActivatesTheFirstAndTheTitleFollows) {
    const std::string a = CreateSavedPaper("a");
    CreateSavedPaper("b");
    CreateSavedPaper("c");
    ASSERT_EQ(editor->session.openPapers.size(), 3u);
    EXPECT_EQ(app.WindowTitle(), "Tessellon/Linux64 - [c.tsln]");

    Choose("File", "Close");
    EXPECT_EQ(editor->session.openPapers.size(), 2u);
    EXPECT_EQ(editor->session.activePaper->filePath, a);
    EXPECT_EQ(app.WindowTitle(), "Tessellon/Linux64 - [a.tsln]");
    EXPECT_TRUE(questions.empty()) << "a paper without changes is closed without asking";
    Choose("File", "Close");
    EXPECT_EQ(app.WindowTitle(), "Tessellon/Linux64 - [b.tsln]");
    Choose("File", "Close");
    EXPECT_EQ(editor->session.activePaper, nullptr);
    EXPECT_EQ(app.WindowTitle(), "Tessellon/Linux64");
    // With nothing open the commands do nothing.
    Choose("File", "Close");
    Choose("File", "Save");
    EXPECT_TRUE(editor->session.openPapers.empty());
}

TEST_F(FileCommandsTest, CloseAllAndExitAskAboutEveryModifiedPaper) {
    const std::string named = CreateSavedPaper("named");
    NewPaper("3x3");
    Paper* unnamed = editor->session.activePaper;
    NewPaper("4x4"); // unchanged: never asked about
    editor->session.openPapers[0]->document->modified = true;
    unnamed->modified = true;

    saveAnswer = kSaveQuestionCancel;
    Choose("Windows", "Close All...");
    EXPECT_EQ(editor->session.openPapers.size(), 3u);
    EXPECT_EQ(questions, (std::vector<std::string>{"Save file?: Do you want to save '" + named +
                                                   "' before closing?"}));

    // Exit answered Cancel keeps the program running with everything open.
    questions.clear();
    Choose("File", "Exit");
    EXPECT_FALSE(editor->ui.quitRequested);
    EXPECT_EQ(editor->session.openPapers.size(), 3u);
    EXPECT_EQ(questions.size(), 1u);

    // Closed without a button: as Cancel, so nothing can be lost.
    questions.clear();
    saveAnswer = -1;
    app.CloseWindow();
    EXPECT_TRUE(app.RunPasses(2)) << "the program keeps running";
    EXPECT_EQ(editor->session.openPapers.size(), 3u);
    EXPECT_EQ(questions.size(), 1u);

    questions.clear();
    saveAnswer = kSaveQuestionNo;
    Choose("Windows", "Close All...");
    EXPECT_TRUE(editor->session.openPapers.empty());
    EXPECT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[1], "Save file?: Do you want to save 'Unnamed File' before closing?");
    EXPECT_EQ(app.WindowTitle(), "Tessellon/Linux64");
    EXPECT_TRUE(WindowsEntries().empty());
    EXPECT_TRUE(app.RunPasses(1));
}

TEST_F(FileCommandsTest, AnsweringYesSavesBeforeClosing) {
    const std::string named = CreateSavedPaper("named");
    const std::string before = ReadFile(named);
    editor->session.activePaper->unitIndex = 2;
    editor->session.activePaper->modified = true;
    NewPaper("3x3");
    editor->session.activePaper->modified = true;

    // The unnamed paper's Save As is cancelled: the exit stops there, after
    // the named paper was saved.
    saveAnswer = kSaveQuestionYes;
    OnDialog([&](Dialog&) { app.PressKey(SDLK_ESCAPE); });
    Choose("File", "Exit");
    EXPECT_EQ(editor->session.openPapers.size(), 2u);
    EXPECT_FALSE(editor->session.openPapers[0]->document->modified);
    EXPECT_NE(ReadFile(named), before);
    EXPECT_TRUE(app.RunPasses(1));

    const std::string unnamedPath = Documents() + "unnamed";
    AnswerFileDialog(unnamedPath);
    app.CloseWindow();
    EXPECT_TRUE(app.RunUntilQuit(3));
    EXPECT_TRUE(fs::is_regular_file(unnamedPath + ".tsln"));
    EXPECT_TRUE(editor->session.openPapers.empty());
}

TEST_F(FileCommandsTest, ClosingTheWindowDuringAPromptStillAsksAboutUnsavedWork) {
    NewPaper("3x3");
    editor->session.activePaper->modified = true;

    // The prompt is cancelled by the close; the quit then reaches the main
    // loop, whose exit asks about the unsaved paper. Cancel keeps everything.
    saveAnswer = kSaveQuestionCancel;
    OnDialog([&](Dialog&) { app.CloseWindow(); });
    Choose("File", "New...");
    EXPECT_EQ(editor->session.openPapers.size(), 1u) << "the cancelled prompt made no paper";
    EXPECT_TRUE(app.RunPasses(2)) << "the program keeps running";
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], "Save file?: Do you want to save 'Unnamed File' before closing?");
    EXPECT_EQ(editor->session.openPapers.size(), 1u);

    // Exit answered No closes the paper unsaved and ends the program.
    saveAnswer = kSaveQuestionNo;
    editor->ui.dialogPassHook = nullptr;
    ReleaseAt(Centre(FindMenu("File")->titleRect));
    const SDL_Point exitItem = Centre(Item("File", "Exit")->rect);
    app.Click(exitItem.x, exitItem.y);
    EXPECT_TRUE(app.RunUntilQuit(1)) << "the main loop has ended";
    EXPECT_TRUE(editor->session.openPapers.empty());
    EXPECT_EQ(questions.size(), 2u);
}

TEST_F(FileCommandsTest, WithoutASystemMessageBoxTheWindowAsksTheQuestion) {
    NewPaper("3x3");
    editor->session.activePaper->modified = true;
    editor->ui.showMessageBox = [](const SDL_MessageBoxData*, int*) {
        return SDL_SetError("No message system available");
    };

    std::string caption;
    OnDialog([&](Dialog& dialog) {
        caption = dialog.Caption();
        app.PressKey(SDLK_ESCAPE);
    });
    Choose("File", "Close");
    EXPECT_EQ(caption, "Save file?");
    EXPECT_EQ(editor->session.openPapers.size(), 1u) << "Escape cancels the close";

    OnDialog([&](Dialog& dialog) {
        const SDL_Point no = Centre(dialog.ControlRect(kIdNo));
        app.Click(no.x, no.y);
    });
    Choose("File", "Close");
    EXPECT_TRUE(editor->session.openPapers.empty()) << "No closes without saving";
}

TEST_F(FileCommandsTest, SaveAsAddsTheExtensionOnlyToNamesWithoutADot) {
    NewPaper("5x7");
    AnswerFileDialog(Documents() + "plan");
    Choose("File", "Save As...");
    EXPECT_EQ(editor->session.activePaper->filePath, Documents() + "plan.tsln");
    EXPECT_EQ(Notice(), "File saved.");
    EXPECT_EQ(WindowsEntries(), (std::vector<std::string>{"plan.tsln *"}));

    AnswerFileDialog(Documents() + "plan.old");
    Choose("File", "Save As...");
    EXPECT_EQ(editor->session.activePaper->filePath, Documents() + "plan.old");
    EXPECT_TRUE(fs::is_regular_file(Documents() + "plan.old"));
    EXPECT_EQ(app.WindowTitle(), "Tessellon/Linux64 - [plan.old]");

    // Save writes to the paper's own path without asking.
    editor->session.activePaper->modified = true;
    editor->ui.dialogPassHook = [](Dialog&) { ADD_FAILURE() << "Save asked for a path"; };
    Choose("File", "Save");
    EXPECT_FALSE(editor->session.activePaper->modified);
}

TEST(FileCommandsStartTest, EveryCommandLineDocumentOpensAtStartUp) {
    AppHarness app;
    const std::string first = app.HomeFolder() / "first.tsln";
    const std::string start = app.HomeFolder() / "start.tsln";
    for (const auto& [path, width] : {std::pair{first, 400}, std::pair{start, 300}}) {
        Paper paper;
        paper.width = width;
        paper.height = 200;
        ASSERT_TRUE(SavePaper(paper, path));
    }
    // As a file manager hands over a selection; a name that is gone is skipped.
    ASSERT_TRUE(app.Start({first, (app.HomeFolder() / "gone.tsln").string(), start}));
    ASSERT_TRUE(app.RunPasses(1));
    ASSERT_EQ(editor->session.openPapers.size(), 2u);
    EXPECT_EQ(editor->session.openPapers[0]->document->width, 400);
    ASSERT_NE(editor->session.activePaper, nullptr);
    EXPECT_EQ(editor->session.activePaper->width, 300);
    EXPECT_EQ(app.WindowTitle(), "Tessellon/Linux64 - [start.tsln]");
    EXPECT_EQ(editor->session.recentFiles, (std::vector<std::string>{start, first}));
    app.Exit();
}

TEST_F(FileCommandsTest, ResizeOpensTheResizeDialogForTheActivePaper) {
    std::vector<std::string> opened;
    auto recordAndCancel = [&](Dialog& dialog) {
        opened.push_back(dialog.Caption());
        app.PressKey(SDLK_ESCAPE);
    };
    OnDialog(recordAndCancel);
    Choose("File", "Resize...");
    EXPECT_TRUE(opened.empty()) << "nothing to resize without a paper";
    NewPaper("5x7");
    OnDialog(recordAndCancel);
    Choose("File", "Resize...");
    EXPECT_EQ(opened, std::vector<std::string>{"Resize Paper"});
    EXPECT_EQ(PaperSize(), (SDL_Point{480, 672}));
}

TEST_F(FileCommandsTest, EveryChangeToWhatAFileStoresIsAskedAboutOnClose) {
    const std::string path = CreateSavedPaper("room");
    Choose("File", "Close");
    ASSERT_TRUE(editor->session.openPapers.empty());
    const auto clickEntry = [this](const std::string& name, uint8_t button) {
        const SDL_Point centre = Centre(FindToolboxEntry(name)->rect);
        app.Click(centre.x, centre.y, button);
        ASSERT_TRUE(app.RunPasses(1));
    };
    const std::vector<std::pair<std::string, std::function<void()>>> changes = {
        {"unit", [&] { Choose("Unit Options", "Inches"); }},
        {"unit scale", [&] { Choose("Unit Options", "8 Blocks = 1 Unit"); }},
        {"lines per inch", [&] { Choose("Grid", "8 Lines Per Inch"); }},
        {"background", [&] { Choose("Options", "Light"); }},
        {"grid colour", [&] { Choose("Grid", "Green"); }},
        {"draw colour", [&] { Choose("Options", "Black"); }},
        {"custom colour button", [&] { clickEntry("color_custom", SDL_BUTTON_LEFT); }},
        {"hidden layer", [&] { clickEntry("layer_3", SDL_BUTTON_RIGHT); }},
    };
    saveAnswer = kSaveQuestionNo;
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        AnswerFileDialog(path);
        Choose("File", "Open...");
        ASSERT_EQ(editor->session.openPapers.size(), 1u);
        EXPECT_FALSE(editor->session.activePaper->modified);
        change();
        EXPECT_TRUE(editor->session.activePaper->modified);
        questions.clear();
        Choose("File", "Close");
        EXPECT_EQ(questions.size(), 1u);
        EXPECT_TRUE(editor->session.openPapers.empty());
    }
}

TEST_F(FileCommandsTest, ThePressedColourButtonFollowsTheActivePaper) {
    NewPaper("4x4");
    Paper* plain = editor->session.activePaper;
    const std::string path = Documents() + "red pen.tsln";
    NewPaper("4x4");
    editor->session.activePaper->drawColor = {200, 10, 20, 255};
    AnswerFileDialog(path);
    Choose("File", "Save As...");
    Choose("File", "Close");
    const auto pressed = [] {
        return std::make_pair(FindToolboxEntry("color_normal")->selected,
                              FindToolboxEntry("color_custom")->selected);
    };
    ASSERT_EQ(editor->session.activePaper, plain);
    EXPECT_EQ(pressed(), std::make_pair(true, false));

    AnswerFileDialog(path);
    Choose("File", "Open...");
    EXPECT_EQ(pressed(), std::make_pair(false, true)) << "the loaded paper draws in its colour";
    Choose("Windows", "Unnamed File");
    EXPECT_EQ(pressed(), std::make_pair(true, false));
    NewPaper("3x3");
    EXPECT_EQ(pressed(), std::make_pair(true, false));
    Choose("Windows", "red pen.tsln");
    EXPECT_EQ(pressed(), std::make_pair(false, true));
}
