#include "app/MenuTestSupport.h"

#include "app/HelpCommands.h"

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace fs = std::filesystem;

namespace {

class HelpCommandsTest : public MenuTest {
  protected:
    void TearDown() override {
        setenv("PATH", savedPath.c_str(), 1);
        MenuTest::TearDown();
    }

    // Puts a stand-in for xdg-open first in PATH that writes its arguments,
    // one a line, to `record`.
    void FakeUrlOpener(const fs::path& record) {
        const fs::path folder = app.HomeFolder() / "bin";
        const fs::path opener = folder / "xdg-open";
        WriteFile(opener, "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" + record.string() +
                              ".part\"\nmv \"" + record.string() + ".part\" \"" + record.string() +
                              "\"\n");
        chmod(opener.c_str(), 0755);
        setenv("PATH", (folder.string() + ":" + savedPath).c_str(), 1);
    }

    std::string savedPath = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
};

std::string WaitForFile(const fs::path& path) {
    for (int attempt = 0; attempt < 200 && !fs::exists(path); ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return ReadFile(path);
}

} // namespace

TEST_F(HelpCommandsTest, WebsiteOpensThePageShippedBesideTheProgram) {
    const fs::path record = app.HomeFolder() / "opened.txt";
    FakeUrlOpener(record);
    Choose("Help", "Website...");
    const std::string page =
        fs::canonical(TESSELLON_BINARY).parent_path() / "resources" / "help" / "index.html";
    EXPECT_EQ(WaitForFile(record), "file://" + page + "\n");
    EXPECT_TRUE(fs::is_regular_file(page));
    EXPECT_NE(ReadFile(page).find("<title>"), std::string::npos);

    // F1 opens the same page.
    fs::remove(record);
    app.PressKey(SDLK_F1);
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_EQ(WaitForFile(record), "file://" + page + "\n");
}

TEST_F(HelpCommandsTest, FileUrlsEncodeWhatAUrlCannotHold) {
    EXPECT_EQ(FileUrl("/home/me/Tessellon Help/index.html"),
              "file:///home/me/Tessellon%20Help/index.html");
    EXPECT_EQ(FileUrl("/a/\xC3\xA9t\xC3\xA9 #1?%.html"),
              "file:///a/%C3%A9t%C3%A9%20%231%3F%25.html");
    EXPECT_EQ(FileUrl("/a-b_c~d.e/f"), "file:///a-b_c~d.e/f");
}

TEST_F(HelpCommandsTest, AboutShowsTheAboutScreen) {
    Choose("Help", "About...");
    EXPECT_TRUE(editor->ui.aboutRequested);
    EXPECT_TRUE(app.RunPasses(2));
}
