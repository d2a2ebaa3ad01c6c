#include "app/MenuTestSupport.h"

#include "app/RecentFiles.h"
#include "document/Paper.h"
#include "support/Registry.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

class RecentFilesTest : public MenuTest {
  protected:
    // Saves the active paper (a new one when there is none) as `path`.
    void SaveAs(const std::string& path) {
        if (editor->session.activePaper == nullptr) {
            NewPaper("2x2");
        }
        AnswerFileDialog(path);
        Choose("File", "Save As...");
        editor->ui.dialogPassHook = nullptr;
        ASSERT_EQ(editor->session.activePaper->filePath, path);
    }

    static std::vector<std::string> SlotCaptions() {
        std::vector<std::string> captions;
        for (MENU_ITEM* item : editor->ui.recentFileItems) {
            captions.push_back(item->caption);
        }
        return captions;
    }

    static std::string Stored(size_t index) {
        RegistryValue value;
        if (!ReadRegistryValue(RegistryRoot::HKEY_CURRENT_USER, "SOFTWARE\\Velmora\\Tessellon",
                               "RecentFile" + std::to_string(index), value)) {
            return "(none)";
        }
        return value.bytes;
    }

    static void Store(size_t index, const std::string& path) {
        RegistryValue value;
        value.bytes = path;
        value.length = static_cast<uint32_t>(path.size());
        ASSERT_TRUE(WriteRegistryValue(RegistryRoot::HKEY_CURRENT_USER,
                                       "SOFTWARE\\Velmora\\Tessellon",
                                       "RecentFile" + std::to_string(index), value));
    }

    void Restart() {
        app.Exit();
        ASSERT_TRUE(app.Start());
        editor->ui.showMessageBox = nullptr;
        editor->ui.dialogCloseWhenIdle = true;
    }
};

const std::string kPlaceholder = "- Recently Used File -";

} // namespace

TEST_F(RecentFilesTest, SavesMoveTheirFileToTheHeadOnce) {
    const std::string a = Documents() + "a.tsln";
    const std::string b = Documents() + "b.tsln";
    EXPECT_EQ(SlotCaptions(), std::vector<std::string>(4, kPlaceholder));
    SaveAs(a);
    SaveAs(b);
    SaveAs(a);
    EXPECT_EQ(editor->session.recentFiles, (std::vector<std::string>{a, b}));
    EXPECT_EQ(SlotCaptions(), (std::vector<std::string>{"a", "b", kPlaceholder, kPlaceholder}));
    EXPECT_EQ(Stored(0), a);
    EXPECT_EQ(Stored(1), b);
    EXPECT_EQ(Stored(2), "(none)");

    // Another letter case is the same document: the newer spelling stays.
    const std::string upper = Documents() + "B.TSLN";
    SaveAs(upper);
    EXPECT_EQ(editor->session.recentFiles, (std::vector<std::string>{upper, a}));
    EXPECT_EQ(SlotCaptions(), (std::vector<std::string>{"B", "a", kPlaceholder, kPlaceholder}));

    // Only the last extension goes from the caption.
    const std::string dotted = Documents() + "plan.old.tsln";
    SaveAs(dotted);
    EXPECT_EQ(SlotCaptions()[0], "plan.old");
    EXPECT_EQ(RecentDisplayName("C:\\plans\\shed.tsln"), "shed");
    EXPECT_EQ(RecentDisplayName("/home/v2.0/notes"), "notes");
    EXPECT_EQ(RecentDisplayName("/home/.tsln"), "");

    // The wider captions widen the File menu.
    const int width = editor->ui.fileMenu->dropDownRect.w;
    SaveAs(Documents() + "a much longer name than any item of the file menu.tsln");
    EXPECT_GT(editor->ui.fileMenu->dropDownRect.w, width);
}

TEST_F(RecentFilesTest, AFifthFileDropsTheOldest) {
    std::vector<std::string> paths;
    for (const char* name : {"one", "two", "three", "four", "five"}) {
        paths.push_back(Documents() + name + ".tsln");
        SaveAs(paths.back());
    }
    EXPECT_EQ(editor->session.recentFiles,
              (std::vector<std::string>{paths[4], paths[3], paths[2], paths[1]}));
    EXPECT_EQ(SlotCaptions(), (std::vector<std::string>{"five", "four", "three", "two"}));
    for (size_t index = 0; index < 4; ++index) {
        EXPECT_EQ(Stored(index), paths[4 - index]);
    }
    EXPECT_EQ(Stored(4), "(none)");
}

TEST_F(RecentFilesTest, TheListSurvivesARestartWithoutVanishedFiles) {
    const std::string odd = Documents() + "  two  blanks = %41 \xC3\xA9.tsln";
    const std::string gone = Documents() + "gone.tsln";
    SaveAs(Documents() + "first.tsln");
    SaveAs(gone);
    SaveAs(odd);
    Restart();
    EXPECT_EQ(editor->session.recentFiles,
              (std::vector<std::string>{odd, gone, Documents() + "first.tsln"}));
    EXPECT_EQ(SlotCaptions()[0], "  two  blanks = %41 \xC3\xA9");
    EXPECT_TRUE(editor->session.openPapers.empty()) << "nothing is opened at start-up";

    fs::remove(gone);
    Restart();
    EXPECT_EQ(editor->session.recentFiles,
              (std::vector<std::string>{odd, Documents() + "first.tsln"}));
    EXPECT_EQ(SlotCaptions()[2], kPlaceholder);
    EXPECT_EQ(Stored(1), gone) << "start-up does not write the list back";
}

TEST_F(RecentFilesTest, TheStoreMayHoldGapsAndJunk) {
    const std::string kept = Documents() + "kept.tsln";
    SaveAs(kept);
    app.Exit();
    fs::remove(app.ConfigFolder() / "registry.conf");
    Store(1, kept);
    Store(2, "");
    Store(3, Documents()); // a folder
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(editor->session.recentFiles, std::vector<std::string>{kept});
    EXPECT_EQ(SlotCaptions(),
              (std::vector<std::string>{"kept", kPlaceholder, kPlaceholder, kPlaceholder}));
}

TEST_F(RecentFilesTest, ASlotOpensItsFileOrSaysItIsGone) {
    const std::string a = Documents() + "a.tsln";
    const std::string b = Documents() + "b.tsln";
    SaveAs(a);
    Choose("File", "Close");
    SaveAs(b);
    Choose("File", "Close");
    ASSERT_EQ(SlotCaptions()[1], "a");

    Choose("File", kPlaceholder); // an empty slot does nothing
    EXPECT_TRUE(editor->session.openPapers.empty());

    ReleaseAt(Centre(editor->ui.fileMenu->titleRect));
    ReleaseAt(Centre(editor->ui.recentFileItems[1]->rect));
    ASSERT_EQ(editor->session.openPapers.size(), 1u);
    EXPECT_EQ(editor->session.activePaper->filePath, a);
    EXPECT_EQ(editor->session.recentFiles, (std::vector<std::string>{a, b}));
    EXPECT_EQ(app.WindowTitle(), "Tessellon/Linux64 - [a.tsln]");

    fs::remove(b);
    ReleaseAt(Centre(editor->ui.fileMenu->titleRect));
    ReleaseAt(Centre(editor->ui.recentFileItems[1]->rect));
    EXPECT_EQ(std::string(editor->ui.statusNotice),
              "File doesn't exist or we don't have read permission!");
    EXPECT_EQ(editor->session.openPapers.size(), 1u);
    EXPECT_EQ(editor->session.recentFiles, (std::vector<std::string>{a, b}));
}
