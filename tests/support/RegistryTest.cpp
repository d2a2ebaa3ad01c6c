#include "support/Registry.h"

#include "support/TempFolder.h"
#include "support/VRX_Ini.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr const char* kKey = "SOFTWARE\\Velmora\\Tessellon";

RegistryValue StringValue(const std::string& text) {
    RegistryValue value;
    value.kind = RegistryKind::String;
    value.length = static_cast<uint32_t>(text.size());
    value.bytes = text;
    return value;
}

class RegistryTest : public testing::Test {
  protected:
    void SetUp() override {
        setenv("XDG_CONFIG_HOME", folder_.Path().c_str(), 1);
        setenv("HOME", folder_.Path().c_str(), 1);
    }
    TempFolder folder_;
};

} // namespace

TEST_F(RegistryTest, StringsRoundTripByteForByte) {
    const std::vector<std::string> awkward = {
        "C:\\Users\\me\\My  Documents\\shed.tsln",
        "  leading and trailing  ",
        "tab\there\r\nline\nbreaks",
        "a=b [section] %41 %zz %",
        "Straße/平面図/plan.tsln",
        std::string("nul\0inside", 10),
        "",
        "\x01\x7F\xFF",
    };
    for (size_t i = 0; i < awkward.size(); ++i) {
        const std::string name = "RecentFile" + std::to_string(i);
        ASSERT_TRUE(WriteRegistryValue(RegistryRoot::HKEY_CURRENT_USER, kKey, name,
                                       StringValue(awkward[i])));
    }
    for (size_t i = 0; i < awkward.size(); ++i) {
        RegistryValue value;
        const std::string name = "RecentFile" + std::to_string(i);
        ASSERT_TRUE(ReadRegistryValue(RegistryRoot::HKEY_CURRENT_USER, kKey, name, value));
        EXPECT_EQ(value.kind, RegistryKind::String);
        EXPECT_EQ(value.bytes, awkward[i]);
        EXPECT_EQ(value.length, awkward[i].size());
    }
    EXPECT_EQ(GetRegistryFilePath(), folder_ / "Tessellon/registry.conf");
}

TEST_F(RegistryTest, NumbersBinaryAndMissingValues) {
    RegistryValue number;
    number.kind = RegistryKind::Number;
    number.number = 0xFFFFFFFF;
    ASSERT_TRUE(WriteRegistryValue(RegistryRoot::HKEY_CURRENT_USER, kKey, "Count", number));
    RegistryValue binary;
    binary.kind = RegistryKind::Binary;
    binary.bytes = std::string("\0\1\2 ", 4);
    binary.length = 4;
    ASSERT_TRUE(WriteRegistryValue(RegistryRoot::HKEY_CURRENT_USER, "Other Key", "Blob", binary));

    RegistryValue read;
    ASSERT_TRUE(ReadRegistryValue(RegistryRoot::HKEY_CURRENT_USER, kKey, "count", read))
        << "names ignore case, as in the registry";
    EXPECT_EQ(read.kind, RegistryKind::Number);
    EXPECT_EQ(read.number, 0xFFFFFFFFu);
    EXPECT_EQ(read.length, 4u);
    ASSERT_TRUE(ReadRegistryValue(RegistryRoot::HKEY_CURRENT_USER, "Other Key", "Blob", read));
    EXPECT_EQ(read.kind, RegistryKind::Binary);
    EXPECT_EQ(read.bytes, binary.bytes);

    EXPECT_FALSE(ReadRegistryValue(RegistryRoot::HKEY_CURRENT_USER, kKey, "Blob", read));
    EXPECT_FALSE(ReadRegistryValue(RegistryRoot::HKEY_CURRENT_USER, "Missing", "Count", read));

    RegistryValue tooShort = StringValue("abc");
    tooShort.length = 10;
    EXPECT_FALSE(WriteRegistryValue(RegistryRoot::HKEY_CURRENT_USER, kKey, "Bad", tooShort));
}

TEST_F(RegistryTest, TheStoreSurvivesDamageAndEmptiness) {
    const std::string path = GetRegistryFilePath();
    WriteTestFile(path, "");
    ASSERT_TRUE(
        WriteRegistryValue(RegistryRoot::HKEY_CURRENT_USER, kKey, "RecentFile0", StringValue("a")))
        << "an empty store takes new values";
    // Lines the program did not write are ignored rather than misread.
    std::string text = ReadTestFile(path);
    WriteTestFile(path, text + "RecentFile1=plain text\r\nRecentFile2=s:%4\r\n");
    RegistryValue read;
    EXPECT_FALSE(ReadRegistryValue(RegistryRoot::HKEY_CURRENT_USER, kKey, "RecentFile1", read));
    EXPECT_FALSE(ReadRegistryValue(RegistryRoot::HKEY_CURRENT_USER, kKey, "RecentFile2", read));
    EXPECT_TRUE(ReadRegistryValue(RegistryRoot::HKEY_CURRENT_USER, kKey, "RecentFile0", read));
    EXPECT_EQ(read.bytes, "a");
}
