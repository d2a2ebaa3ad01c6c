#include "platform/FileSystem.h"

#include "platform/Environment.h"
#include "support/FileSizeLimit.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

size_t EntriesIn(const std::string& folder) {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                             std::filesystem::directory_iterator()));
}

mode_t PermissionsOf(const std::string& path) {
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_mode & 0777;
}

} // namespace

TEST(FileSystemTest, WriteFileAtomicallyCreatesAndReplacesWholeFiles) {
    TempFolder folder;
    const std::string path = folder / "plan.tsln";
    ASSERT_TRUE(WriteFileAtomically(path, std::string("first\0version", 13)));
    EXPECT_EQ(ReadTestFile(path), std::string("first\0version", 13));
    ASSERT_TRUE(WriteFileAtomically(path, "second"));
    EXPECT_EQ(ReadTestFile(path), "second");
    ASSERT_TRUE(WriteFileAtomically(path, ""));
    EXPECT_EQ(ReadTestFile(path), "");
    EXPECT_EQ(EntriesIn(folder.Path()), 1u) << "no temporary file is left";

    chmod(path.c_str(), 0640);
    ASSERT_TRUE(WriteFileAtomically(path, "third"));
    EXPECT_EQ(PermissionsOf(path), 0640u) << "the replaced file keeps its permissions";
}

TEST(FileSystemTest, WriteFileAtomicallyReplacesTheFileALinkNames) {
    TempFolder folder;
    std::filesystem::create_directory(folder / "real");
    WriteTestFile(folder / "real/settings.conf", "old");
    std::filesystem::create_symlink(folder / "real/settings.conf", folder / "link.conf");
    ASSERT_TRUE(WriteFileAtomically(folder / "link.conf", "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.conf"));
    EXPECT_EQ(ReadTestFile(folder / "real/settings.conf"), "new");
}

TEST(FileSystemTest, WriteFileAtomicallyFailsWithoutHarm) {
    TempFolder folder;
    EXPECT_FALSE(WriteFileAtomically(folder / "missing/plan.tsln", "x"));
    std::filesystem::create_directory(folder / "plan.tsln");
    WriteTestFile(folder / "plan.tsln/inside", "keep");
    EXPECT_FALSE(WriteFileAtomically(folder / "plan.tsln", "x"));
    EXPECT_EQ(ReadTestFile(folder / "plan.tsln/inside"), "keep");
    EXPECT_EQ(EntriesIn(folder.Path()), 1u) << "the temporary file is removed";
    EXPECT_FALSE(WriteFileAtomically("", "x"));

    // A write that runs out of room, or a writer that never commits, leaves
    // the old file and no temporary one.
    WriteTestFile(folder / "kept.tsln", "old");
    {
        AtomicFileWriter file;
        ASSERT_TRUE(file.Open(folder / "kept.tsln"));
        FileSizeLimit diskFull(8);
        EXPECT_TRUE(file.Write("12345678"));
        EXPECT_FALSE(file.Write("9"));
        EXPECT_FALSE(file.Write("")) << "nothing more after a failure";
        EXPECT_FALSE(file.Commit());
    }
    {
        AtomicFileWriter file;
        ASSERT_TRUE(file.Open(folder / "kept.tsln"));
        EXPECT_TRUE(file.Write("new"));
    }
    EXPECT_EQ(ReadTestFile(folder / "kept.tsln"), "old");
    EXPECT_EQ(EntriesIn(folder.Path()), 2u);

    // A file the user made read-only is not replaced (root may write anything).
    chmod((folder / "kept.tsln").c_str(), 0444);
    if (geteuid() != 0) {
        EXPECT_FALSE(WriteFileAtomically(folder / "kept.tsln", "x"));
        EXPECT_EQ(ReadTestFile(folder / "kept.tsln"), "old");
    }
}

TEST(FileSystemTest, FoldersAndFileChecks) {
    TempFolder folder;
    const std::string deep = folder / "a/b/c";
    EXPECT_TRUE(CreateFolderWithParents(deep));
    EXPECT_TRUE(std::filesystem::is_directory(deep));
    EXPECT_TRUE(CreateFolderWithParents(deep + "/")) << "existing folders are fine";
    WriteTestFile(folder / "file", "x");
    EXPECT_FALSE(CreateFolderWithParents(folder / "file/sub"));
    EXPECT_FALSE(CreateFolderWithParents(folder / "file"));

    EXPECT_TRUE(PathExists(folder / "file"));
    EXPECT_TRUE(PathExists(deep));
    EXPECT_FALSE(PathExists(folder / "nothing"));
    EXPECT_TRUE(IsReadableFile(folder / "file"));
    EXPECT_FALSE(IsReadableFile(deep)) << "a folder is no readable file";
    EXPECT_FALSE(IsReadableFile(folder / "nothing"));
}

TEST(FileSystemTest, EnvironmentTreatsEmptyAsMissing) {
    setenv("TESSELLON_TEST_VALUE", "", 1);
    EXPECT_EQ(GetEnvironmentValue("TESSELLON_TEST_VALUE"), "");
    setenv("TESSELLON_TEST_VALUE", "v", 1);
    EXPECT_EQ(GetEnvironmentValue("TESSELLON_TEST_VALUE"), "v");
    EXPECT_EQ(GetEnvironmentValue("TESSELLON_TEST_UNSET_VALUE"), "");
    EXPECT_EQ(GetExecutableFolder(),
              std::filesystem::path(TESSELLON_BINARY).parent_path().string() + "/");
    EXPECT_EQ(GetProcessId(), static_cast<uint32_t>(getpid()));
}
