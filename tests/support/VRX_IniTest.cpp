#include "support/VRX_Ini.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::string Get(const std::string& ini, const char* section, const char* key) {
    char buffer[64];
    const char* found = IniGetString(ini, section, key, buffer, sizeof buffer, nullptr);
    return found != nullptr ? std::string(found) : std::string("<missing>");
}

} // namespace

TEST(VRX_IniTest, FindsValuesIgnoringCaseAndBlanks) {
    const std::string ini = "[Window]\r\n  LAST_X \t=\t 120  \r\n\r\n\nlast_y=7\n[other]\nz=1\n";
    EXPECT_EQ(Get(ini, "window", "last_x"), "120");
    EXPECT_EQ(Get(ini, "WINDOW", "Last_Y"), "7");
    EXPECT_EQ(Get(ini, "other", "z"), "1");
    // Inner blanks of a value shrink to one, as the file is read normalised.
    EXPECT_EQ(Get("[s]\nk = a  \t b\n", "s", "k"), "a b");
    // Only the first '=' splits.
    EXPECT_EQ(Get("[s]\nk=a=b\n", "s", "k"), "a=b");
}

TEST(VRX_IniTest, KeysOutsideTheirSectionAreNotFound) {
    const std::string ini = "last_x=1\n[other]\nlast_x=2\n[window]\nlast_y=3\n[next]\nlast_w=4\n";
    EXPECT_EQ(Get(ini, "window", "last_x"), "<missing>");
    EXPECT_EQ(Get(ini, "window", "last_w"), "<missing>");
    EXPECT_EQ(Get(ini, "window", "last_y"), "3");
    // A header must be the whole name in brackets.
    EXPECT_EQ(Get("[windows]\nk=1\n", "window", "k"), "<missing>");
    EXPECT_EQ(Get("", "window", "k"), "<missing>");
}

TEST(VRX_IniTest, DefaultsAndCuttingToTheBuffer) {
    char buffer[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(IniGetString("[s]\nk=123456\n", "s", "k", buffer, sizeof buffer, nullptr), buffer);
    EXPECT_STREQ(buffer, "123");
    EXPECT_EQ(IniGetString("[s]\n", "s", "k", buffer, sizeof buffer, "default"), buffer);
    EXPECT_STREQ(buffer, "def");
    EXPECT_EQ(IniGetString("[s]\n", "s", "k", buffer, sizeof buffer, nullptr), nullptr);
    EXPECT_STREQ(buffer, "") << "the buffer is cleared even when nothing is found";
    EXPECT_EQ(IniGetString("[s]\nk=1\n", "s", "k", buffer, 0, "d"), nullptr);
}

TEST(VRX_IniTest, NumbersReadAsTheirLeadingDigits) {
    const std::string ini = "[n]\na=42px\nb=\nc=-17\nd=+5\ne=abc\nf=99999999999999999999999\n"
                            "g=-99999999999999999999999\nh=9223372036854775807\n";
    EXPECT_EQ(IniGetInt(ini, "n", "a", -1), 42);
    EXPECT_EQ(IniGetInt(ini, "n", "b", -1), 0);
    EXPECT_EQ(IniGetInt(ini, "n", "c", -1), -17);
    EXPECT_EQ(IniGetInt(ini, "n", "d", -1), 5);
    EXPECT_EQ(IniGetInt(ini, "n", "e", -1), 0);
    EXPECT_EQ(IniGetInt(ini, "n", "f", -1), INT64_MAX);
    EXPECT_EQ(IniGetInt(ini, "n", "g", -1), INT64_MIN);
    EXPECT_EQ(IniGetInt(ini, "n", "h", -1), INT64_MAX);
    EXPECT_EQ(IniGetInt(ini, "n", "missing", -1), -1);
}

TEST(VRX_IniTest, SettingAKeyInAMissingFileCreatesExactlyThatSection) {
    TempFolder folder;
    const std::string path = folder / "settings.conf";
    ASSERT_EQ(IniSetInt(path, "window", "last_x", -25), 0);
    EXPECT_EQ(ReadTestFile(path), "[window]\r\nlast_x=-25\r\n");
    EXPECT_EQ(IniGetInt(ReadTestFile(path), "window", "last_x", 0), -25);
}

TEST(VRX_IniTest, ReplacingAKeyKeepsTheOtherLinesNormalised) {
    TempFolder folder;
    const std::string path = folder / "settings.conf";
    WriteTestFile(path, "[a]\n\tone  =  1\n\n\nLAST_X = 5\nthree=a\t\tb\n[b]\nlast_x=9\n");
    ASSERT_EQ(IniSetString(path, "A", "last_x", "77"), 0);
    EXPECT_EQ(ReadTestFile(path),
              "[a]\r\n one = 1\r\nlast_x=77\r\nthree=a b\r\n[b]\r\nlast_x=9\r\n");
}

TEST(VRX_IniTest, NewKeysGoToTheEndOfTheirSection) {
    EXPECT_EQ(IniSetValueInText("[a]\r\nx=1\r\n[b]\r\ny=2\r\n", "a", "k", "v"),
              "[a]\r\nx=1\r\nk=v\r\n\r\n[b]\r\ny=2\r\n");
    EXPECT_EQ(IniSetValueInText("[a]\r\nx=1\r\n[b]\r\ny=2\r\n", "b", "k", "v"),
              "[a]\r\nx=1\r\n[b]\r\ny=2\r\nk=v\r\n");
    EXPECT_EQ(IniSetValueInText("[a]\r\nx=1\r\n", "c", "k", "v"), "[a]\r\nx=1\r\n[c]\r\nk=v\r\n");
    EXPECT_EQ(IniSetValueInText("\n\n", "c", "k", ""), "[c]\r\nk=\r\n");
}

TEST(VRX_IniTest, AnEmptyFileIsLeftAloneAndReported) {
    TempFolder folder;
    const std::string path = folder / "settings.conf";
    WriteTestFile(path, "");
    EXPECT_EQ(IniSetString(path, "window", "last_x", "1"), -1);
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
}

TEST(VRX_IniTest, FailedWritesLeaveTheFileAsItWas) {
    TempFolder folder;
    const std::string path = folder / "settings.conf";
    const std::string original = "[window]\r\nlast_x=1\r\n";
    WriteTestFile(path, original);
    // A line break would smuggle lines of its own into the file.
    EXPECT_EQ(IniSetString(path, "window", "last_x", "2\r\n[evil]\r\nx=1"), -1);
    EXPECT_EQ(IniSetString(path, "win]dow", "last_x", "2"), -1);
    EXPECT_EQ(IniSetString(path, "window", "last=x", "2"), -1);
    EXPECT_EQ(ReadTestFile(path), original);
    EXPECT_EQ(IniSetString(folder / "missing/settings.conf", "window", "last_x", "2"), -1);
    // A folder where the file should be is not replaced.
    std::filesystem::create_directory(folder / "dir.conf");
    EXPECT_EQ(IniSetString(folder / "dir.conf", "window", "last_x", "2"), -1);
    EXPECT_TRUE(std::filesystem::is_directory(folder / "dir.conf"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                            std::filesystem::directory_iterator()),
              2)
        << "no temporary file is left behind";
}
