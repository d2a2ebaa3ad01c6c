#include "app/AppHarness.h"

#include "app/PhysfsRWops.h"
#include "app/ResourcePath.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

using Locations = std::vector<std::string>;

namespace {

void PutLE(std::string& out, uint32_t value, int bytes) {
    for (int index = 0; index < bytes; ++index) {
        out += static_cast<char>((value >> (8 * index)) & 0xFF);
    }
}

// A zip archive of one stored (uncompressed) file.
std::string StoredZip(const std::string& name, const std::string& content) {
    const auto crc = static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(content.data()),
                                                 static_cast<uInt>(content.size())));
    const auto size = static_cast<uint32_t>(content.size());
    const auto nameSize = static_cast<uint32_t>(name.size());
    std::string zip;
    PutLE(zip, 0x04034b50, 4); // local header
    PutLE(zip, 10, 2);         // version needed
    PutLE(zip, 0, 2);          // flags
    PutLE(zip, 0, 2);          // stored
    PutLE(zip, 0, 4);          // time and date
    PutLE(zip, crc, 4);
    PutLE(zip, size, 4);
    PutLE(zip, size, 4);
    PutLE(zip, nameSize, 2);
    PutLE(zip, 0, 2);
    zip += name + content;
    const auto centralStart = static_cast<uint32_t>(zip.size());
    PutLE(zip, 0x02014b50, 4); // central directory entry
    PutLE(zip, 20, 2);
    PutLE(zip, 10, 2);
    PutLE(zip, 0, 2);
    PutLE(zip, 0, 2);
    PutLE(zip, 0, 4);
    PutLE(zip, crc, 4);
    PutLE(zip, size, 4);
    PutLE(zip, size, 4);
    PutLE(zip, nameSize, 2);
    PutLE(zip, 0, 2); // extra
    PutLE(zip, 0, 2); // comment
    PutLE(zip, 0, 2); // disk
    PutLE(zip, 0, 2); // internal attributes
    PutLE(zip, 0, 4); // external attributes
    PutLE(zip, 0, 4); // local header offset
    zip += name;
    const auto centralSize = static_cast<uint32_t>(zip.size()) - centralStart;
    PutLE(zip, 0x06054b50, 4); // end of central directory
    PutLE(zip, 0, 2);
    PutLE(zip, 0, 2);
    PutLE(zip, 1, 2);
    PutLE(zip, 1, 2);
    PutLE(zip, centralSize, 4);
    PutLE(zip, centralStart, 4);
    PutLE(zip, 0, 2);
    return zip;
}

std::string ReadResource(const char* name) {
    SDL_RWops* rw = PHYSFSRWOPS_openRead(name);
    if (rw == nullptr) {
        return "<missing>";
    }
    std::string content(static_cast<size_t>(SDL_RWsize(rw)), '\0');
    SDL_RWread(rw, content.data(), 1, content.size());
    SDL_RWclose(rw);
    return content;
}

// Runs in `folder` while it lives.
class WorkingFolder {
  public:
    explicit WorkingFolder(const std::filesystem::path& folder)
        : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~WorkingFolder() { std::filesystem::current_path(previous_); }

  private:
    std::filesystem::path previous_;
};

} // namespace

TEST(ResourcePathTest, OnlyExistingLocationsInSearchOrder) {
    TempFolder temp;
    const std::string base = temp.Path() + "/bin/";
    const std::string user = temp.Path() + "/user_resources";
    std::filesystem::create_directories(base);
    WorkingFolder inTemp(temp.Path());
    const std::filesystem::path root = temp.Path();

    EXPECT_EQ(FindResourceLocations(user, base), Locations{});

    WriteFile(root / "resources.zip", "");
    EXPECT_EQ(FindResourceLocations(user, base), Locations{"resources.zip"})
        << "the working folder when nothing is beside the program";
    EXPECT_EQ(FindResourceLocations(user, ""), Locations{"resources.zip"})
        << "the working folder when the program's folder is unknown";

    std::filesystem::create_directories(base + "resources");
    std::filesystem::create_directories(user);
    EXPECT_EQ(FindResourceLocations(user, base), (Locations{user, base + "resources"}));

    WriteFile(base + "resources.zip", "");
    EXPECT_EQ(FindResourceLocations(user, base),
              (Locations{user, base + "resources", base + "resources.zip"}));

    // An installed program: PREFIX/bin/tessellon with PREFIX/share/tessellon.
    const std::string installed = temp.Path() + "/share/tessellon";
    std::filesystem::create_directories(installed);
    EXPECT_EQ(FindResourceLocations(user, base),
              (Locations{user, installed, base + "resources", base + "resources.zip"}));
    std::filesystem::remove(base + "resources.zip");
    std::filesystem::remove(base + "resources");
    std::filesystem::remove(root / "resources.zip");
    EXPECT_EQ(FindResourceLocations(user, base), (Locations{user, installed}));
}

TEST(ResourcePathTest, EarlierLocationsHideLaterOnes) {
    AppHarness home; // a temporary application-data folder
    TempFolder temp;
    WorkingFolder inTemp(temp.Path());
    const std::filesystem::path root = temp.Path();
    // Resources in the working folder stand in for those beside the program.
    WriteFile(home.ConfigFolder() / "user_resources" / "images" / "a.png", "user a");
    WriteFile(root / "resources" / "images" / "a.png", "folder a");
    WriteFile(root / "resources" / "images" / "b.png", "folder b");
    WriteFile(root / "resources.zip", StoredZip("images/b.png", "zip b"));

    ASSERT_NE(PHYSFS_init(nullptr), 0);
    const Locations found =
        FindResourceLocations((home.ConfigFolder() / "user_resources").string(), "");
    ASSERT_EQ(found.size(), 3u);
    for (const std::string& location : found) {
        ASSERT_NE(PHYSFS_mount(location.c_str(), nullptr, 1), 0) << location;
    }
    EXPECT_EQ(ReadResource("images/a.png"), "user a");
    EXPECT_EQ(ReadResource("images/b.png"), "folder b");
    PHYSFS_deinit();

    // The archive alone is searched too.
    ASSERT_NE(PHYSFS_init(nullptr), 0);
    ASSERT_NE(PHYSFS_mount("resources.zip", nullptr, 1), 0);
    EXPECT_EQ(ReadResource("images/b.png"), "zip b");
    PHYSFS_deinit();
}

TEST(ResourcePathTest, TheShippedResourcesBesideTheProgramAreFound) {
    AppHarness home;
    WriteFile(home.ConfigFolder() / "user_resources" / "images" / "checked.png", "mine");
    ASSERT_NE(PHYSFS_init(nullptr), 0);
    SetUpResourceSearchPath();
    EXPECT_EQ(ReadResource("images/checked.png"), "mine");
    EXPECT_EQ(ReadResource("images/hidden.png").substr(1, 3), "PNG");
    EXPECT_EQ(ReadResource("fonts/cad.ttf").size(),
              std::filesystem::file_size(std::filesystem::path(TESSELLON_RESOURCE_DIR) / "fonts" /
                                         "cad.ttf"));
    PHYSFS_deinit();
}
