#include "app/AppHarness.h"

#include "app/PhysfsRWops.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

// PhysicsFS over a folder holding "ten.bin" with the bytes "0123456789".
class PhysfsRWopsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteFile(std::filesystem::path(folder_.Path()) / "ten.bin", "0123456789");
        ASSERT_NE(PHYSFS_init(nullptr), 0);
        ASSERT_NE(PHYSFS_mount(folder_.Path().c_str(), nullptr, 1), 0);
    }
    void TearDown() override { PHYSFS_deinit(); }

    TempFolder folder_;
};

std::string ErrorText() {
    return SDL_GetError();
}

} // namespace

TEST_F(PhysfsRWopsTest, SeeksByTheRulesOfSdlStreams) {
    SDL_RWops* rw = PHYSFSRWOPS_openRead("ten.bin");
    ASSERT_NE(rw, nullptr);
    EXPECT_EQ(rw->type, SDL_RWOPS_UNKNOWN);
    EXPECT_EQ(SDL_RWsize(rw), 10);

    EXPECT_EQ(SDL_RWseek(rw, 4, RW_SEEK_SET), 4);
    EXPECT_EQ(SDL_RWtell(rw), 4) << "asking for the position does not move";
    EXPECT_EQ(SDL_RWseek(rw, 2, RW_SEEK_CUR), 6);
    EXPECT_EQ(SDL_RWseek(rw, -3, RW_SEEK_END), 7);
    EXPECT_EQ(SDL_ReadU8(rw), '7');

    EXPECT_EQ(SDL_RWseek(rw, -9, RW_SEEK_CUR), -1);
    EXPECT_EQ(ErrorText(), "Attempt to seek past start of file.");
    EXPECT_EQ(SDL_RWseek(rw, -11, RW_SEEK_END), -1);
    EXPECT_EQ(SDL_RWseek(rw, -1, RW_SEEK_SET), -1);
    EXPECT_EQ(SDL_RWtell(rw), 8) << "a refused seek leaves the position";

    EXPECT_EQ(SDL_RWseek(rw, 0, 7), -1);
    EXPECT_EQ(ErrorText(), "Invalid 'whence' parameter.");
    EXPECT_EQ(SDL_RWseek(rw, INT64_MAX, RW_SEEK_END), -1) << "no overflow into a wrong target";
    EXPECT_EQ(SDL_RWtell(rw), 8);
    EXPECT_EQ(SDL_RWclose(rw), 0);
}

TEST_F(PhysfsRWopsTest, ReadsWholeElementsUpToTheEnd) {
    SDL_RWops* rw = PHYSFSRWOPS_openRead("ten.bin");
    ASSERT_NE(rw, nullptr);
    char buffer[16] = {};
    SDL_ClearError();
    EXPECT_EQ(SDL_RWread(rw, buffer, 4, 3), 2u) << "8 of 10 bytes: two whole elements";
    EXPECT_EQ(std::string(buffer, 10), "0123456789");
    EXPECT_EQ(SDL_RWread(rw, buffer, 4, 1), 0u);
    EXPECT_EQ(SDL_RWread(rw, buffer, 0, 5), 0u);
    EXPECT_EQ(ErrorText(), "") << "the end of the file is no error";

    EXPECT_EQ(SDL_RWseek(rw, 0, RW_SEEK_SET), 0);
    EXPECT_EQ(SDL_RWread(rw, buffer, SIZE_MAX / 2, 4), 0u) << "a size that overflows reads nothing";
    EXPECT_EQ(SDL_RWtell(rw), 0);
    EXPECT_EQ(SDL_RWwrite(rw, "x", 1, 1), 0u) << "a read-only file takes no bytes";
    EXPECT_EQ(ErrorText().rfind("PhysicsFS error: ", 0), 0u) << ErrorText();
    EXPECT_EQ(SDL_RWclose(rw), 0);
}

TEST_F(PhysfsRWopsTest, FailuresSetSdlsErrorText) {
    EXPECT_EQ(PHYSFSRWOPS_openRead("missing.bin"), nullptr);
    EXPECT_EQ(ErrorText(), "PhysicsFS error: not found");
    // No write folder is ever set.
    EXPECT_EQ(PHYSFSRWOPS_openWrite("new.bin"), nullptr);
    EXPECT_EQ(ErrorText().rfind("PhysicsFS error: ", 0), 0u) << ErrorText();
    EXPECT_EQ(PHYSFSRWOPS_openAppend("ten.bin"), nullptr);
    EXPECT_EQ(ErrorText().rfind("PhysicsFS error: ", 0), 0u) << ErrorText();
    EXPECT_EQ(PHYSFSRWOPS_makeRWops(nullptr), nullptr);
    EXPECT_EQ(ErrorText(), "NULL pointer passed to PHYSFSRWOPS_makeRWops().");
}

TEST_F(PhysfsRWopsTest, AStreamWhoseFileWillNotCloseIsKept) {
    // PhysicsFS refuses to close a handle it never opened.
    PHYSFS_File notOpened = {nullptr};
    SDL_RWops* rw = PHYSFSRWOPS_makeRWops(&notOpened);
    ASSERT_NE(rw, nullptr);
    EXPECT_EQ(SDL_RWclose(rw), -1);
    EXPECT_EQ(ErrorText().rfind("PhysicsFS error: ", 0), 0u) << ErrorText();
    EXPECT_EQ(rw->hidden.unknown.data1, &notOpened) << "still allocated and usable";
    SDL_FreeRW(rw);
}

TEST(PhysfsRWopsExportTest, TheProgramExportsTheStreamFunctions) {
    const std::string command = std::string("nm -D --defined-only '") + TESSELLON_BINARY + "'";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    ASSERT_NE(pipe, nullptr);
    std::string symbols;
    char line[512];
    while (std::fgets(line, sizeof line, pipe.get()) != nullptr) {
        symbols += line;
    }
    for (const char* name : {" T PHYSFSRWOPS_openRead\n", " T PHYSFSRWOPS_openWrite\n",
                             " T PHYSFSRWOPS_openAppend\n", " T PHYSFSRWOPS_makeRWops\n"}) {
        EXPECT_NE(symbols.find(name), std::string::npos) << name;
    }
}
