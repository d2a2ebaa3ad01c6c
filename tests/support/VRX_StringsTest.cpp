#include "support/VRX_Strings.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(VRX_StringsTest, SafeCopyAndAppendStayInsideTheBuffer) {
    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(SafeCopy(buffer, "planks", 4), 6u);
    EXPECT_STREQ(buffer, "pla");
    EXPECT_EQ(buffer[4], '#');
    EXPECT_EQ(SafeCopy(buffer, "abc", 0), 3u);
    EXPECT_STREQ(buffer, "pla") << "size 0 writes nothing";

    EXPECT_EQ(SafeAppend(buffer, "nks", 6), 6u);
    EXPECT_STREQ(buffer, "plank");
    EXPECT_EQ(SafeAppend(buffer, "", 6), 5u);
    char unterminated[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(SafeAppend(unterminated, "xy", sizeof unterminated), 6u);
    EXPECT_EQ(std::memcmp(unterminated, "abcd", 4), 0) << "left alone";
}

TEST(VRX_StringsTest, ReplaceAllStopsWhenTheBufferIsFull) {
    char tabs[16] = "a\tb\t\tc";
    EXPECT_EQ(ReplaceAll(tabs, sizeof tabs, "\t", " "), 3);
    EXPECT_STREQ(tabs, "a b  c") << "same length";
    EXPECT_EQ(ReplaceAll(tabs, sizeof tabs, "  ", " "), 1);
    EXPECT_STREQ(tabs, "a b c");

    // Scanning goes on after the inserted text, so "a" -> "aa" terminates.
    char grow[8] = "aaa";
    EXPECT_EQ(ReplaceAll(grow, sizeof grow, "a", "aa"), 3);
    EXPECT_STREQ(grow, "aaaaaa");
    EXPECT_EQ(ReplaceAll(grow, sizeof grow, "a", "aa"), 1) << "only one more fits";
    EXPECT_STREQ(grow, "aaaaaaa");

    EXPECT_EQ(ReplaceAll(grow, sizeof grow, "", "x"), 0);
    char unterminated[3] = {'a', 'a', 'a'};
    EXPECT_EQ(ReplaceAll(unterminated, sizeof unterminated, "a", "b"), 0);
}

TEST(VRX_StringsTest, TrimCharsByMode) {
    char both[] = "  -x y-  ";
    EXPECT_STREQ(TrimChars(both, " -", kTrimBoth), "x y");
    char lead[] = "..a..";
    EXPECT_STREQ(TrimChars(lead, ".", kTrimLeading), "a..");
    char trail[] = "..a..";
    EXPECT_STREQ(TrimChars(trail, ".", kTrimTrailing), "..a");
    char all[] = "....";
    EXPECT_STREQ(TrimChars(all, ".", kTrimBoth), "");
}

TEST(VRX_StringsTest, TokenizerSplitsPaperSizes) {
    const auto tokens = [](const char* text) { return Tokenizer(text, 'x').Tokens(); };
    using List = std::vector<std::string>;
    EXPECT_EQ(tokens("8.5x11"), List({"8.5", "11"}));
    EXPECT_EQ(tokens("x8.5xx11"), List({"8.5", "11"}));
    EXPECT_EQ(tokens("8.5x"), List({"8.5", ""}));
    EXPECT_EQ(tokens("8.5X11"), List({"8.5X11"}));
    EXPECT_EQ(tokens("xxx"), List({""}));
    EXPECT_EQ(tokens(""), List());
}

TEST(VRX_StringsTest, NextTokenNeverGivesEmptyTokens) {
    char text[] = ",,a,,bc;d,";
    char* cursor = nullptr;
    std::vector<std::string> tokens;
    for (char* token = NextToken(text, ",;", &cursor); token != nullptr;
         token = NextToken(nullptr, ",;", &cursor)) {
        tokens.emplace_back(token);
    }
    EXPECT_EQ(tokens, std::vector<std::string>({"a", "bc", "d"}));
    EXPECT_EQ(NextToken(nullptr, ",", &cursor), nullptr) << "stays finished";
}

TEST(VRX_StringsTest, Formatting) {
    EXPECT_EQ(FormatString("RecentFile%zu", size_t{3}), "RecentFile3");
    EXPECT_EQ(FormatString("%s", ""), "");
    const CString text = AllocPrintf("print.%u.png", 1234u);
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text.get(), "print.1234.png");
    char small[6];
    EXPECT_EQ(FormatInto(small, sizeof small, "%d-%d", 1234, 5678), 9);
    EXPECT_STREQ(small, "1234-") << "cut to the buffer";
}

TEST(VRX_StringsTest, GetFileNameAcceptsBothSeparators) {
    EXPECT_EQ(GetFileName("C:\\plans\\shed.tsln"), "shed.tsln");
    EXPECT_EQ(GetFileName("/home/me/shed.tsln"), "shed.tsln");
    EXPECT_EQ(GetFileName("C:\\plans/sub\\shed/x.tsln"), "shed/x.tsln")
        << "the last backslash wins even with a slash after it";
    EXPECT_EQ(GetFileName("shed.tsln"), "shed.tsln");
    EXPECT_EQ(GetFileName("dir/"), "");
    EXPECT_EQ(ByteSwap32(0x11223344u), 0x44332211u);
}
