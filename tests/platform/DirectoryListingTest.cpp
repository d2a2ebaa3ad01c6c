#include "platform/DirectoryListing.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

TEST(DirectoryListingTest, ListsNamesKindsAndSizesWithinALimit) {
    const fs::path folder =
        fs::temp_directory_path() / ("tessellon-listing-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "sub");
    std::ofstream(folder / "five.txt") << "12345";
    fs::create_directory_symlink(folder / "sub", folder / "link");

    std::vector<DirectoryEntry> entries;
    bool truncated = true;
    std::string error;
    ASSERT_TRUE(ListDirectory(folder.string(), 10, entries, truncated, error)) << error;
    EXPECT_FALSE(truncated);
    std::sort(entries.begin(), entries.end(),
              [](const DirectoryEntry& a, const DirectoryEntry& b) { return a.name < b.name; });
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, "five.txt");
    EXPECT_FALSE(entries[0].isFolder);
    EXPECT_EQ(entries[0].size, 5u);
    EXPECT_TRUE(entries[1].isFolder) << "a link to a folder can be entered";
    EXPECT_TRUE(entries[2].isFolder);

    ASSERT_TRUE(ListDirectory(folder.string(), 2, entries, truncated, error));
    EXPECT_EQ(entries.size(), 2u);
    EXPECT_TRUE(truncated);

    EXPECT_TRUE(IsExistingFile((folder / "five.txt").string()));
    EXPECT_FALSE(IsExistingFile((folder / "sub").string()));
    EXPECT_TRUE(IsExistingFolder((folder / "sub").string()));
    EXPECT_FALSE(IsExistingFolder(""));

    EXPECT_TRUE(MakeFolder((folder / "new").string(), error));
    EXPECT_FALSE(MakeFolder((folder / "new").string(), error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(ListDirectory((folder / "five.txt").string(), 10, entries, truncated, error));

    fs::remove_all(folder);
}
