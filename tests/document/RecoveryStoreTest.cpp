#include "document/RecoveryStore.h"
#include "document/PaperFile.h"
#include "document/PaperTestSupport.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> NamesIn(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(RecoveryStoreTest, KeepsUnsavedPapersUntilTheNextStartOffersThem) {
    DocumentSession session;
    TempFolder temp;
    const std::string folder = temp / "state/recovery";
    Paper paper;
    ASSERT_TRUE(paper.SetSize(480, 672));
    ASSERT_TRUE(paper.CreateAndAddObject(LineRecord(ObjectKind::Line, 24, 24, 240, 96)));
    ASSERT_TRUE(paper.CreateAndAddObject(TextRecord(96, 300, "Shed")));
    paper.fileVersion = 1; // read from an old file: written in today's version all the same
    const std::string document = PaperFileBytes(paper);
    ASSERT_FALSE(document.empty());
    EXPECT_EQ(paper.fileVersion, 1) << "making the bytes changes nothing";

    std::string shedFile;
    std::string unnamedFile;
    std::string problem;
    {
        RecoveryStore running(folder);
        ASSERT_TRUE(running.Write(shedFile, "/plans/shed.tsln", "an older state", problem))
            << problem;
        const std::string firstName = shedFile;
        ASSERT_TRUE(running.Write(shedFile, "/plans/shed.tsln", document, problem)) << problem;
        EXPECT_EQ(shedFile, firstName) << "a paper keeps its one file";
        ASSERT_TRUE(running.Write(unnamedFile, "", document, problem)) << problem;
        EXPECT_NE(unnamedFile, shedFile);

        RecoveryStore another(folder);
        EXPECT_TRUE(another.ClaimLeftFiles().empty()) << "a running program's files are its own";
    } // gone without removing its files, as when killed

    auto next = std::make_unique<RecoveryStore>(folder);
    const std::vector<std::string> left = next->ClaimLeftFiles();
    ASSERT_EQ(left, (std::vector<std::string>{shedFile, unnamedFile}));
    {
        RecoveryStore third(folder);
        EXPECT_TRUE(third.ClaimLeftFiles().empty()) << "offered by one program at a time";
    }
    const std::string expectedPaths[] = {"/plans/shed.tsln", ""};
    for (size_t i = 0; i < left.size(); ++i) {
        std::string documentPath = "?";
        std::string bytes;
        ASSERT_TRUE(ReadRecoveryFile(left[i], documentPath, bytes));
        EXPECT_EQ(documentPath, expectedPaths[i]);
        Paper loaded;
        ASSERT_TRUE(LoadPaperBytes(loaded, bytes, nullptr));
        EXPECT_EQ(loaded.objects.size(), 2u);
        EXPECT_EQ(PaperFileBytes(loaded), document);
    }

    // Taken over by the program that recovered it; the other one deleted.
    const std::string adopted = next->Adopt(left[0]);
    EXPECT_NE(adopted, left[0]);
    EXPECT_TRUE(fs::is_regular_file(adopted));
    next->Remove(left[1]);
    next->ReleaseClaims();
    const fs::path ownFolder = fs::path(adopted).parent_path();
    EXPECT_EQ(NamesIn(folder), (std::vector<std::string>{ownFolder.filename().string()}))
        << "the dead program's folder is gone";

    // Saved: nothing is left once the program ends.
    next->Remove(adopted);
    EXPECT_EQ(NamesIn(ownFolder).size(), 1u) << "only the lock while it runs";
    next.reset();
    EXPECT_TRUE(NamesIn(folder).empty());
}

TEST(RecoveryStoreTest, FailuresAndDamageAreReportedNeverTrusted) {
    TempFolder temp;
    WriteTestFile(temp / "recovery", "a file where the folder should be");
    RecoveryStore blocked(temp / "recovery");
    std::string file;
    std::string problem;
    EXPECT_FALSE(blocked.Write(file, "/plans/shed.tsln", "TSPF", problem));
    EXPECT_FALSE(problem.empty());
    EXPECT_TRUE(file.empty());

    std::string path;
    std::string bytes;
    const std::string header("TSRC\x01", 5);
    for (const std::string& damaged : {
             std::string("TSPF\x03 a document, not a recovery file"),
             header + std::string("\x05\x00\x00", 3),         // cut inside the length
             header + std::string("\x10\x00\x00\x00/a", 6),   // longer than the file
             header + std::string("\xFF\xFF\xFF\xFF/a", 6),   // longer than any path
             std::string("TSRC\x02\x00\x00\x00\x00TSPF", 13), // a later version
         }) {
        WriteTestFile(temp / "damaged.recovery", damaged);
        EXPECT_FALSE(ReadRecoveryFile(temp / "damaged.recovery", path, bytes)) << damaged;
    }
    WriteTestFile(temp / "good.recovery", header + std::string("\x02\x00\x00\x00/aTSPF", 10));
    ASSERT_TRUE(ReadRecoveryFile(temp / "good.recovery", path, bytes));
    EXPECT_EQ(path, "/a");
    EXPECT_EQ(bytes, "TSPF");
}
