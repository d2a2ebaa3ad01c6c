#include "ui/FileBrowser.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(FileBrowserTest, PatternsMatchWithoutRegardToCase) {
    EXPECT_TRUE(FileBrowser::MatchesPatterns("a.TSLN", "*.tsln"));
    EXPECT_TRUE(FileBrowser::MatchesPatterns("photo.jpeg", "*.png; *.jpeg"));
    EXPECT_FALSE(FileBrowser::MatchesPatterns("photo.jpeg.txt", "*.png;*.jpeg"));
    EXPECT_TRUE(FileBrowser::MatchesPatterns("plan7.tsln", "plan?.tsln"));
    EXPECT_FALSE(FileBrowser::MatchesPatterns("plan17.tsln", "plan?.tsln"));
    EXPECT_TRUE(FileBrowser::MatchesPatterns("README", "*.*")) << "*.* means every file";
    EXPECT_FALSE(FileBrowser::MatchesPatterns("a.tsln", ";;"));
    // Many stars over a long name must not take exponential time.
    EXPECT_FALSE(FileBrowser::MatchesPatterns(std::string(200, 'a'), "*a*a*a*a*a*a*a*a*b"));
}

TEST(FileBrowserTest, DefaultExtensionIsAddedOnlyToNamesWithoutADot) {
    EXPECT_EQ(FileBrowser::DefaultExtension("*.tsln"), ".tsln");
    EXPECT_EQ(FileBrowser::DefaultExtension("*.png;*.bmp"), ".png") << "the first pattern only";
    EXPECT_EQ(FileBrowser::DefaultExtension("*.*"), "");
    EXPECT_EQ(FileBrowser::DefaultExtension("*"), "");
    EXPECT_EQ(FileBrowser::WithDefaultExtension("/home/a/plan", "*.tsln"), "/home/a/plan.tsln");
    EXPECT_EQ(FileBrowser::WithDefaultExtension("/home/a/plan.old", "*.tsln"), "/home/a/plan.old");
    EXPECT_EQ(FileBrowser::WithDefaultExtension("/home/j.doe/plan", "*.tsln"),
              "/home/j.doe/plan.tsln");
    EXPECT_EQ(FileBrowser::WithDefaultExtension("/home/a/plan", "*"), "/home/a/plan");
}

TEST(FileBrowserTest, NamesSortNaturallyAndSplitFromQuotes) {
    std::vector<std::string> names = {"b10", "B2", "a", "b2", "b02", "A 1", "b1x", ""};
    std::sort(names.begin(), names.end(), FileBrowser::NaturalLess);
    EXPECT_EQ(names, (std::vector<std::string>{"", "a", "A 1", "b1x", "B2", "b02", "b2", "b10"}));

    using Names = std::vector<std::string>;
    EXPECT_EQ(FileBrowser::SplitNames("plain name.tsln"), Names{"plain name.tsln"});
    EXPECT_EQ(FileBrowser::SplitNames("\"a b.tsln\" \"c.tsln\""), (Names{"a b.tsln", "c.tsln"}));
    EXPECT_EQ(FileBrowser::SplitNames("\"a.tsln\" rest"), (Names{"a.tsln", "rest"}));
    EXPECT_EQ(FileBrowser::SplitNames("\"unclosed"), Names{"unclosed"});
    EXPECT_EQ(FileBrowser::SplitNames("\"\" \"\""), Names{});
    EXPECT_EQ(FileBrowser::JoinNames({"a.tsln", "b c.tsln"}), "\"a.tsln\" \"b c.tsln\"");
    EXPECT_EQ(FileBrowser::JoinNames({"one.tsln"}), "one.tsln");
}

TEST(FileBrowserTest, TypedNamesResolveAgainstTheShownFolder) {
    FileBrowser browser(false);
    std::string error;
    ASSERT_TRUE(browser.Open("/", error)) << error;
    EXPECT_EQ(browser.Resolve("tmp/../etc/"), "/etc");
    EXPECT_EQ(browser.Resolve("/var//log/"), "/var/log");
    EXPECT_EQ(browser.Resolve(".."), "/");
    EXPECT_EQ(browser.ParentFolder(), "/");
    EXPECT_EQ(FileBrowser::ParentOf("/a/b"), "/a");
    EXPECT_EQ(FileBrowser::ParentOf("/a"), "/");
    EXPECT_TRUE(browser.Entries().empty() || !browser.Entries().front().isParent)
        << "the root has no parent entry";

    EXPECT_FALSE(browser.Open("/no/such/folder", error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(browser.Folder(), "/") << "a failed open keeps the folder shown";
    EXPECT_EQ(FileBrowser::StartFolder("/no/such/folder/deeper"), "/");
}
