#include "DialogTestFixture.h"

#include "ui/FileDialog.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class FileDialogTest : public DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        folder = fs::temp_directory_path() /
                 ("tessellon-filedialog-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder / "drawings");
        fs::create_directories(folder / "exports");
        Touch("shed.tsln", 2000);
        Touch("house 10.tsln", 10);
        Touch("house 9.tsln", 10);
        Touch("notes.txt", 10);
        Touch("Barn.TSLN", 5000);
    }
    void TearDown() override {
        fs::remove_all(folder);
        DialogTest::TearDown();
    }
    void Touch(const std::string& name, size_t bytes) {
        std::ofstream(folder / name) << std::string(bytes, 'x');
    }
    fs::path folder;
};

} // namespace

TEST_F(FileDialogTest, OpenReturnsTheDoubleClickedFile) {
    std::vector<std::string> listed;
    OnDialogOpened([&](Dialog& dialog) {
        auto* list = dialog.ControlAs<DialogListView>(kFileListId);
        for (const DialogListItem& item : list->Items()) {
            listed.push_back(item.text);
        }
        SaveShot(dialog, "open_initial");
    });
    std::vector<std::string> paths = {"old"};
    EXPECT_FALSE(
        ShowOpenFileDialog(paths, folder.string(), documentFileTypes, true, "Open Tessellon file"));
    EXPECT_EQ(paths, std::vector<std::string>{"old"});
    EXPECT_EQ(listed, (std::vector<std::string>{"..", "drawings", "exports", "Barn.TSLN",
                                                "house 9.tsln", "house 10.tsln", "shed.tsln"}));
}
