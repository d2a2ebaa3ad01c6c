#include "support/VRX_Paths.h"

#include "platform/Environment.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

TEST(VRX_PathsTest, ReadWholeFileReadsEveryByteWithinTheLimit) {
    TempFolder folder;
    const std::string bytes("a\0b\r\nc", 6);
    WriteTestFile(folder / "f", bytes);
    std::string text = "old";
    EXPECT_TRUE(ReadWholeFile(folder / "f", text, 6));
    EXPECT_EQ(text, bytes);
    EXPECT_FALSE(ReadWholeFile(folder / "f", text, 5)) << "larger than the maximum";
    EXPECT_TRUE(text.empty());
    EXPECT_FALSE(ReadWholeFile(folder / "missing", text, 100));
    WriteTestFile(folder / "empty", "");
    EXPECT_FALSE(ReadWholeFile(folder / "empty", text, 100));
    EXPECT_FALSE(ReadWholeFile(folder.Path(), text, 100)) << "a folder is no file";
    // A pipe in place of a settings file: opening it would wait for a writer.
    ASSERT_EQ(mkfifo((folder / "pipe").c_str(), 0600), 0);
    EXPECT_FALSE(ReadWholeFile(folder / "pipe", text, 100));
}

TEST(VRX_PathsTest, ReadWholeFileDoesNotTrustTheReportedSize) {
    std::string text;
    // Files under /proc report a size of 0 or of a page; neither is their content.
    EXPECT_FALSE(ReadWholeFile("/proc/self/status", text, 1 << 20));
    EXPECT_TRUE(text.empty());
}

TEST(VRX_PathsTest, AppDataFolderFollowsXdgConfigHome) {
    TempFolder folder;
    const std::string config = folder / "deep/config";
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    setenv("HOME", (folder / "home").c_str(), 1);
    EXPECT_EQ(GetAppDataFolder("Tessellon"), config + "/Tessellon/");
    EXPECT_TRUE(std::filesystem::is_directory(config + "/Tessellon")) << "parents are created";
    EXPECT_EQ(GetAppDataPath("Tessellon", "settings.conf"), config + "/Tessellon/settings.conf");
}

TEST(VRX_PathsTest, AppDataFolderFallsBackToHomeThenToTheExecutable) {
    TempFolder folder;
    setenv("XDG_CONFIG_HOME", "", 1);
    setenv("HOME", folder.Path().c_str(), 1);
    EXPECT_EQ(GetAppDataFolder("Tessellon"), folder / ".config/Tessellon/");
    EXPECT_TRUE(std::filesystem::is_directory(folder / ".config/Tessellon"));

    setenv("XDG_CONFIG_HOME", "relative/path", 1);
    EXPECT_EQ(GetAppDataFolder("Tessellon"), folder / ".config/Tessellon/")
        << "a relative XDG_CONFIG_HOME is ignored";

    unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", "", 1);
    const std::string besideProgram = GetExecutableFolder() + "TessellonPathsTest";
    const bool existed = std::filesystem::exists(besideProgram);
    EXPECT_EQ(GetAppDataFolder("TessellonPathsTest"), besideProgram + "/");
    EXPECT_TRUE(std::filesystem::is_directory(besideProgram));
    if (!existed) {
        std::filesystem::remove(besideProgram);
    }
}

TEST(VRX_PathsTest, DocumentsFolderFollowsUserDirs) {
    TempFolder folder;
    setenv("HOME", folder.Path().c_str(), 1);
    setenv("XDG_CONFIG_HOME", (folder / "cfg").c_str(), 1);
    std::filesystem::create_directories(folder / "cfg");

    EXPECT_EQ(GetDocumentsFolder("Tessellon"), folder / "Documents/Tessellon/")
        << "without user-dirs.dirs";
    EXPECT_TRUE(std::filesystem::is_directory(folder / "Documents/Tessellon"));

    WriteTestFile(folder / "cfg/user-dirs.dirs", "# written by xdg-user-dirs-update\n"
                                                 "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                                                 "XDG_DOCUMENTS_DIR=\"$HOME/Mes documents\"\n");
    EXPECT_EQ(GetDocumentsFolder("Tessellon"), folder / "Mes documents/Tessellon/");
    EXPECT_TRUE(std::filesystem::is_directory(folder / "Mes documents/Tessellon"));

    const std::string absolute = folder / "elsewhere/docs";
    WriteTestFile(folder / "cfg/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"" + absolute + "\"\n");
    EXPECT_EQ(GetDocumentsFolder("Tessellon"), absolute + "/Tessellon/");

    // Entries the shell would not make a folder of are passed over.
    WriteTestFile(folder / "cfg/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"docs\"\n"
                                                 "XDG_DOCUMENTS_DIR=\"$HOMEWORK/x\"\n");
    EXPECT_EQ(GetDocumentsFolder("Tessellon"), folder / "Documents/Tessellon/");
}
