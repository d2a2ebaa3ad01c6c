#include "document/PaperFile.h"
#include "document/PaperBackups.h"
#include "document/PaperTestSupport.h"
#include "platform/FileSystem.h"
#include "view/PaperRenderer.h"

#include "support/FileSizeLimit.h"
#include "support/VRX_Strings.h"

#include <SDL2/SDL.h>
#include <zlib.h>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

const Bytes kEmptyPaperFields = {
    0xA0, 0x08, 0xB0, 0x06, 0x00, 0x04, 0x04,       // 1056, 816, Feet, 4, 4
    0x21, 0x28, 0x30, 0xFF, 0x00, 0x00, 0x00, 0xFF, // background, grid
    0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, // objects, draw colour
    0,    0,    0,    0,    0,    0,    0,    0,    0,    0, 0, 0, 0, 0, 0, 0, // hidden layers
    0x00,                                                                      // no image path
    0,    0,    0,    0,    0,    0,    0,    0,    0xFF,                      // image x, y, alpha
    0x00,                                                                      // no objects
};

void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void PutVlq(Bytes& out, uint64_t value) {
    do {
        uint8_t group = value & 0x7F;
        value >>= 7;
        out.push_back(value != 0 ? group | 0x80 : group);
    } while (value != 0);
}

void PutRecord(Bytes& out, const ObjectRecord& record) {
    out.insert(out.end(), record.bytes, record.bytes + kObjectRecordSize);
}

// The field data of a paper file of `version` with these records.
Bytes Fields(int version, const std::vector<ObjectRecord>& records, uint32_t width = 500,
             uint32_t height = 400) {
    Bytes out;
    PutVlq(out, width);
    PutVlq(out, height);
    PutVlq(out, 2);                              // Meters
    PutVlq(out, 8);                              // blocks per unit
    PutVlq(out, 3);                              // lines per inch
    out.insert(out.end(), {255, 255, 255, 255}); // background
    out.insert(out.end(), {0, 0, 255, 255});     // grid
    out.insert(out.end(), {0, 0, 0, 255});       // objects
    if (version >= 1) {
        out.insert(out.end(), {200, 10, 20, 255}); // draw colour
    }
    if (version >= 2) {
        Bytes hidden(16, 0);
        hidden[5] = 1;
        out.insert(out.end(), hidden.begin(), hidden.end());
    }
    if (version >= 3) {
        PutVlq(out, 0); // no image
        out.insert(out.end(), {0xFE, 0xFF, 0xFF, 0xFF, 7, 0, 0, 0, 128});
    }
    PutVlq(out, records.size());
    for (const ObjectRecord& record : records) {
        PutRecord(out, record);
    }
    return out;
}

Bytes FileOf(uint8_t versionByte, const Bytes& fields) {
    Bytes out;
    out.reserve(fields.size() + 64);
    out.insert(out.end(), {'T', 'S', 'P', 'F', versionByte});
    if ((versionByte & 0x80) != 0) {
        out.insert(out.end(), fields.begin(), fields.end());
        return out;
    }
    uLongf size = compressBound(uLong(fields.size()));
    Bytes zipped(size);
    compress2(zipped.data(), &size, fields.data(), uLong(fields.size()), 5);
    PutVlq(out, fields.size());
    out.insert(out.end(), zipped.begin(), zipped.begin() + long(size));
    return out;
}

std::vector<ObjectRecord> ThreeObjectsAndAnUnknown() {
    ObjectRecord line = LineRecord(ObjectKind::Line, 1, 2, 3, 4);
    line.SetLayer(7);
    line.SetColor({9, 8, 7, 255});
    ObjectRecord unknown;
    unknown.SetKind(9);
    return {line, unknown, CircleRecord(50, 60, 20, 5), TextRecord(5, 6, "Hall")};
}

// What the last load or save here told the user.
std::string lastMessage;

std::string Notice() {
    return lastMessage;
}

bool Load(Paper& paper, const std::string& path) {
    const FileReport report = LoadPaper(paper, path);
    lastMessage = report.message;
    return report.ok;
}

bool Save(Paper& paper, const std::string& path, bool compressed = true) {
    const FileReport report = SavePaper(paper, path, compressed);
    lastMessage = report.message;
    return report.ok;
}

// Loads bytes as a document; returns the status text it left.
std::string LoadBytes(const Bytes& bytes, bool expectSuccess, Paper& paper) {
    const std::string path = TestPath("load.tsln");
    WriteFile(path, bytes);
    EXPECT_EQ(Load(paper, path), expectSuccess);
    return Notice();
}

std::string LoadFails(const Bytes& bytes) {
    Paper paper;
    return LoadBytes(bytes, false, paper);
}

// Points the per-user folders at a fresh temporary place.
struct TemporaryHome {
    std::string home = TestPath("home/");
    TemporaryHome() {
        std::filesystem::remove_all(home);
        std::filesystem::create_directories(home);
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home + ".config").c_str(), 1);
    }
};

} // namespace

TEST(PaperFileTest, AnEmptyPaperIsExactlyItsKnownBytes) {
    DocumentSession session;
    TemporaryHome home;
    Paper paper;
    ASSERT_TRUE(paper.SetSize(1056, 816));

    // Uncompressed, the body is the field data as it is: 55 bytes in all.
    const std::string path = TestPath("empty.tsln");
    ASSERT_TRUE(Save(paper, path, /*compressed=*/false));
    Bytes plain = {'T', 'S', 'P', 'F', 0x83};
    plain.insert(plain.end(), kEmptyPaperFields.begin(), kEmptyPaperFields.end());
    EXPECT_EQ(plain.size(), 55u);
    EXPECT_EQ(ReadFile(path), plain);
    EXPECT_EQ(paper.fileVersion, 0x83);

    // Normally: magic, 0x03, the size 50 and a zlib stream of the same fields.
    ASSERT_TRUE(Save(paper, path));
    const Bytes file = ReadFile(path);
    ASSERT_GT(file.size(), 6u);
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 6), (Bytes{'T', 'S', 'P', 'F', 0x03, 0x32}));
    Bytes inflated(100);
    uLongf size = inflated.size();
    ASSERT_EQ(uncompress(inflated.data(), &size, file.data() + 6, uLong(file.size() - 6)), Z_OK);
    inflated.resize(size);
    EXPECT_EQ(inflated, kEmptyPaperFields);
    EXPECT_EQ(paper.fileVersion, 0x03);
}

TEST(PaperFileTest, EveryVersionLoadsWithDefaultsForWhatItLacks) {
    DocumentSession session;
    for (int version = 0; version <= 3; ++version) {
        for (bool compressed : {true, false}) {
            SCOPED_TRACE("version " + std::to_string(version) +
                         (compressed ? " compressed" : " uncompressed"));
            Bytes fields = Fields(version, ThreeObjectsAndAnUnknown());
            fields.insert(fields.end(), {1, 2, 3}); // trailing bytes are ignored
            const auto byte = static_cast<uint8_t>(version | (compressed ? 0 : 0x80));
            Paper paper;
            editor->shell.paperViewRect = {0, 0, 300, 200};
            EXPECT_EQ(LoadBytes(FileOf(byte, fields), true, paper), "File loaded.");
            EXPECT_EQ(paper.fileVersion, version);
            EXPECT_EQ(paper.width, 500);
            EXPECT_EQ(paper.height, 400);
            EXPECT_EQ(paper.unitIndex, 2);
            EXPECT_EQ(paper.blocksPerUnit, 8);
            EXPECT_EQ(paper.linesPerInch, 3);
            EXPECT_EQ(paper.blockWidth, 32);
            EXPECT_EQ(paper.palette.gridColor.b, 255);
            EXPECT_EQ(paper.drawColor.a, version >= 1 ? 255 : 0);
            EXPECT_EQ(paper.hiddenLayers[5], version >= 2 ? 1 : 0);
            EXPECT_EQ(paper.backgroundImageX, version >= 3 ? -2 : 0);
            EXPECT_EQ(paper.backgroundImageY, version >= 3 ? 7 : 0);
            EXPECT_EQ(paper.backgroundImageAlpha, version >= 3 ? 128 : 255);

            // The unknown kind is dropped; the rest get ids in file order and
            // keep their stored layer and colour.
            ASSERT_EQ(paper.objects.size(), 3u);
            EXPECT_EQ(paper.objects[0]->id, 1);
            EXPECT_EQ(paper.objects[1]->id, 2);
            EXPECT_EQ(paper.objects[2]->id, 3);
            EXPECT_EQ(paper.objects[0]->record.Layer(), 7);
            EXPECT_EQ(paper.objects[0]->record.Color().r, 9);
            EXPECT_EQ(paper.objects[2]->record.Text(), "Hall");
            EXPECT_FALSE(paper.modified);
            // Each Undo takes back one object, last first, and Redo puts it
            // back in its place, in any order of the two.
            auto ids = [&paper] {
                std::vector<int32_t> shown;
                for (const auto& object : paper.objects) {
                    shown.push_back(object->id);
                }
                return shown;
            };
            paper.Undo();
            paper.Undo();
            EXPECT_EQ(ids(), std::vector<int32_t>({1}));
            paper.Redo();
            EXPECT_EQ(ids(), std::vector<int32_t>({1, 2}));
            paper.Redo();
            paper.Redo();
            EXPECT_EQ(ids(), std::vector<int32_t>({1, 2, 3}));
            EXPECT_EQ(paper.objects[2]->record.Text(), "Hall");
            paper.Undo();
            paper.Undo();
            paper.Undo();
            EXPECT_TRUE(paper.objects.empty());
        }
    }
}

TEST(PaperFileTest, DamagedFilesAreRefusedWithTheirMessage) {
    DocumentSession session;
    const Bytes good = FileOf(0x83, Fields(3, ThreeObjectsAndAnUnknown()));

    EXPECT_EQ(LoadFails({}), "Error reading file!");
    EXPECT_EQ(LoadFails({'T'}), "File is corrupt, invalid magic value!");
    EXPECT_EQ(LoadFails({'T', 'S', 'P'}), "File is corrupt, invalid magic value!");
    EXPECT_EQ(LoadFails({'T', 'S', 'P', 'F'}), "File is corrupt!");
    EXPECT_EQ(LoadFails({'P', 'K', 3, 4, 0x83, 0}), "File is corrupt, invalid magic value!");
    for (uint8_t version : {0x04, 0x84, 0x7F}) {
        Bytes file = good;
        file[4] = version;
        EXPECT_EQ(LoadFails(file), "Unknown file version - update Tessellon.");
    }

    // Cut in the middle of the last record.
    EXPECT_EQ(LoadFails(Bytes(good.begin(), good.end() - 100)), "File is corrupt!");
    EXPECT_EQ(LoadFails(Bytes(good.begin(), good.begin() + 7)), "File is corrupt!");
    // Sizes and scales the program could never have written.
    EXPECT_EQ(LoadFails(FileOf(0x83, Fields(3, {}, 0, 400))), "File is corrupt!");
    EXPECT_EQ(LoadFails(FileOf(0x83, Fields(3, {}, 40000, 400))), "File is corrupt!");
    EXPECT_EQ(LoadFails(FileOf(0x03, Fields(3, {}, 500, 0xFFFFFFFF))), "File is corrupt!");
    {
        Bytes fields = Fields(3, {}, 100, 100); // one-byte width and height
        fields[3] = 0;                          // blocks per unit 0
        EXPECT_EQ(LoadFails(FileOf(0x83, fields)), "File is corrupt!");
        fields[3] = 8;
        fields[4] = 17; // lines per inch 17
        EXPECT_EQ(LoadFails(FileOf(0x83, fields)), "File is corrupt!");
    }
    {
        // A unit index of 256 does not fit its byte.
        Bytes fields = Fields(3, {}, 100, 100);
        fields[2] = 0x80;
        fields.insert(fields.begin() + 3, 0x02);
        EXPECT_EQ(LoadFails(FileOf(0x83, fields)), "File is corrupt!");
    }
    {
        // Four billion objects announced in a small file.
        Bytes fields = Fields(3, {}, 100, 100);
        fields.pop_back();
        PutVlq(fields, 0xFFFFFFFF);
        fields.resize(fields.size() + 300);
        EXPECT_EQ(LoadFails(FileOf(0x83, fields)), "File is corrupt!");
    }
    {
        // A compressed body that claims 4 GB, and one that inflates short.
        const Bytes claim = {'T',  'S',  'P',  'F',  0x03, 0xFF, 0xFF, 0xFF, 0xFF,
                             0x0F, 0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01};
        EXPECT_EQ(LoadFails(claim), "File is corrupt!");
        Bytes shortBody = FileOf(0x03, Fields(3, {}));
        shortBody[5] += 1;
        EXPECT_EQ(LoadFails(shortBody), "File is corrupt!");
        Bytes garbage = {'T', 'S', 'P', 'F', 0x03, 0x10, 1, 2, 3, 4, 5};
        EXPECT_EQ(LoadFails(garbage), "File is corrupt!");
        EXPECT_EQ(LoadFails({'T', 'S', 'P', 'F', 0x03, 0x80}), "File is corrupt!");
    }

    Paper paper;
    EXPECT_FALSE(Load(paper, TestPath("does-not-exist.tsln")));
    EXPECT_EQ(Notice(), "Error opening file for read!");
    EXPECT_FALSE(Load(paper, ::testing::TempDir()));
    EXPECT_EQ(Notice(), "Error opening file for read!");
}

TEST(PaperFileTest, AMissingBackgroundImageIsReportedButTheDocumentLoads) {
    DocumentSession session;
    Bytes fields = Fields(2, {});
    // Make it version 3 with an image path that leads nowhere.
    fields.pop_back();
    const std::string image = "/nowhere/plan-scan.png";
    PutVlq(fields, image.size());
    fields.insert(fields.end(), image.begin(), image.end());
    fields.insert(fields.end(), {0, 0, 0, 0, 0, 0, 0, 0, 255, 0});
    Paper paper;
    EXPECT_EQ(LoadBytes(FileOf(0x83, fields), true, paper), "File loaded.");
    EXPECT_EQ(paper.backgroundImagePath, image) << "kept for the next save";
    // The view that would show the image says why it cannot.
    PaperView view(paper, editor->shell.drawFont.get(),
                   {editor->shell.paperViewRect.w, editor->shell.paperViewRect.h});
    std::string problem;
    EXPECT_FALSE(view.LoadBackgroundImage(paper.backgroundImagePath, problem));
    EXPECT_EQ(problem.rfind("Error opening plan-scan.png: ", 0), 0u) << problem;
    EXPECT_EQ(paper.backgroundImagePath, image);
    EXPECT_FALSE(paper.modified);
}

TEST(PaperFileTest, EverythingSavedComesBack) {
    DocumentSession session;
    TemporaryHome home;
    Paper paper;
    ASSERT_TRUE(paper.SetSize(2000, 1500));
    paper.unitIndex = 4;
    paper.blocksPerUnit = 16;
    paper.linesPerInch = 16;
    paper.palette.backgroundColor = {1, 2, 3, 4};
    paper.palette.gridColor = {5, 6, 7, 8};
    paper.palette.objectColor = {9, 10, 11, 12};
    paper.drawColor = {13, 14, 15, 16};
    paper.hiddenLayers[15] = 1;
    paper.backgroundImagePath = "/nowhere/image.png";
    paper.backgroundImageX = -5;
    paper.backgroundImageY = 1234567;
    paper.backgroundImageAlpha = 77;
    for (uint32_t kind = 0; kind <= 6; ++kind) {
        ObjectRecord record = LineRecord(ObjectKind::Line, -1, int32_t(kind), 300, -400);
        record.SetKind(kind);
        record.bytes[100] = 0xAB; // bytes without a field travel along
        record.SetLayer(uint8_t(kind * 30));
        paper.CreateAndAddObject(record);
    }
    const std::string path = TestPath("round.tsln");
    ASSERT_TRUE(Save(paper, path));
    EXPECT_EQ(Notice(), "File saved.");
    EXPECT_EQ(paper.filePath, path);
    EXPECT_FALSE(paper.modified);

    Paper loaded;
    ASSERT_TRUE(Load(loaded, path));
    EXPECT_EQ(loaded.width, 2000);
    EXPECT_EQ(loaded.unitIndex, 4);
    EXPECT_EQ(loaded.blocksPerUnit, 16);
    EXPECT_EQ(loaded.linesPerInch, 16);
    EXPECT_EQ(loaded.palette.gridColor.a, 8);
    EXPECT_EQ(loaded.drawColor.b, 15);
    EXPECT_EQ(loaded.hiddenLayers[15], 1);
    EXPECT_EQ(loaded.backgroundImagePath, "/nowhere/image.png");
    EXPECT_EQ(loaded.backgroundImageX, -5);
    EXPECT_EQ(loaded.backgroundImageY, 1234567);
    EXPECT_EQ(loaded.backgroundImageAlpha, 77);
    ASSERT_EQ(loaded.objects.size(), paper.objects.size());
    for (size_t i = 0; i < paper.objects.size(); ++i) {
        EXPECT_EQ(0, std::memcmp(loaded.objects[i]->record.bytes, paper.objects[i]->record.bytes,
                                 kObjectRecordSize))
            << "object " << i;
    }
}

TEST(PaperFileTest, SavingKeepsThePreviousVersionsAndNeverLosesTheDocument) {
    DocumentSession session;
    TemporaryHome home;
    Paper paper;
    ASSERT_TRUE(paper.SetSize(300, 200));
    std::filesystem::create_directories(home.home + "a");
    const std::string path = home.home + "a/plan.tsln";

    ASSERT_TRUE(Save(paper, path));
    EXPECT_TRUE(BackupsOf(path).empty()) << "nothing to keep the first time";
    std::vector<Bytes> versions = {ReadFile(path)};
    for (int i = 0; i < 6; ++i) {
        paper.CreateAndAddObject(LineRecord(ObjectKind::Line, i, 1, 9, 9),
                                 OnLayer{editor->session.currentLayer});
        ASSERT_TRUE(Save(paper, path));
        EXPECT_EQ(Notice(), "File saved.");
        versions.push_back(ReadFile(path));
    }
    // The five versions before the current one, oldest first.
    const std::vector<std::string> backups = BackupsOf(path);
    ASSERT_EQ(backups.size(), 5u);
    for (size_t i = 0; i < backups.size(); ++i) {
        EXPECT_EQ(ReadFile(backups[i]), versions[1 + i]) << backups[i];
    }
    EXPECT_EQ(backups[0].rfind(home.home + "Documents/Tessellon/backups/plan.tsln.", 0), 0u);

    // A document of the same name in another folder keeps its own backups.
    std::filesystem::create_directories(home.home + "b");
    const std::string other = home.home + "b/plan.tsln";
    Paper otherPaper;
    ASSERT_TRUE(otherPaper.SetSize(100, 100));
    ASSERT_TRUE(Save(otherPaper, other));
    ASSERT_TRUE(Save(otherPaper, other));
    ASSERT_EQ(BackupsOf(other).size(), 1u);
    EXPECT_EQ(BackupsOf(path), backups);
    EXPECT_EQ(ReadFile(backups.back()), versions[5]);

    // A save that runs out of room leaves the document exactly as it was, and
    // the backups too.
    const Bytes current = ReadFile(path);
    for (int i = 0; i < 50; ++i) {
        paper.CreateAndAddObject(LineRecord(ObjectKind::Arrow, i * 37, i * 11, i * 5, 300 - i),
                                 OnLayer{editor->session.currentLayer});
    }
    {
        FileSizeLimit diskFull(current.size() + 1);
        EXPECT_FALSE(Save(paper, path));
    }
    EXPECT_EQ(Notice(), "Error writing to file!");
    EXPECT_EQ(ReadFile(path), current);
    EXPECT_EQ(BackupsOf(path), backups);
    EXPECT_TRUE(paper.modified);

    // Room for the document but not for a copy of the larger one before it:
    // the save completes and says that no copy was made.
    const Bytes large = ReadFile(path);
    {
        Paper small;
        ASSERT_TRUE(small.SetSize(100, 100));
        FileSizeLimit diskAlmostFull(large.size() - 1);
        EXPECT_TRUE(Save(small, path));
    }
    EXPECT_EQ(Notice(), "File saved, but no backup copy could be made: File too large.");
    EXPECT_NE(ReadFile(path), large);
    EXPECT_EQ(BackupsOf(path).size(), 5u);

    // A file where the backups folder should be: the same.
    std::filesystem::remove_all(home.home + "Documents/Tessellon/backups");
    WriteFile(home.home + "Documents/Tessellon/backups", {1, 2, 3});
    paper.modified = true;
    EXPECT_TRUE(Save(paper, path));
    EXPECT_FALSE(paper.modified);
    EXPECT_EQ(Notice(), "File saved, but no backup copy could be made: " + home.home +
                            "Documents/Tessellon/backups: Not a directory.");
    Paper reloaded;
    EXPECT_TRUE(Load(reloaded, path));
    EXPECT_EQ(reloaded.objects.size(), paper.objects.size());

    // Saves that cannot be made leave everything as it was.
    paper.modified = true;
    EXPECT_FALSE(Save(paper, TestPath("no-such-folder/plan.tsln")));
    EXPECT_EQ(Notice(), "Error opening file for write!");
    EXPECT_TRUE(paper.modified);
    EXPECT_EQ(paper.filePath, path);
    const std::string folderInTheWay = TestPath("folder.tsln");
    std::filesystem::create_directories(folderInTheWay + "/inside");
    EXPECT_FALSE(Save(paper, folderInTheWay));
    EXPECT_EQ(Notice(), "Error opening file for write!");
    EXPECT_TRUE(std::filesystem::is_directory(folderInTheWay + "/inside"));
}

TEST(PaperFileTest, AnInterruptedSaveLeavesNothingBehind) {
    DocumentSession session;
    TemporaryHome home;
    const std::string folder = home.home + "plans";
    std::filesystem::create_directories(folder);
    const std::string path = folder + "/plan.tsln";
    Paper paper;
    ASSERT_TRUE(paper.SetSize(300, 200));
    ASSERT_TRUE(Save(paper, path));
    const Bytes saved = ReadFile(path);
    for (int i = 0; i < 200; ++i) {
        paper.CreateAndAddObject(LineRecord(ObjectKind::Line, i, i * 3, 9, i * 7),
                                 OnLayer{editor->session.currentLayer});
    }

    // The file size limit ends a program that does not ignore its signal; a
    // save must fail like any other write instead, and keep the document.
    const auto saveUnderLimit = [&] {
        rlimit limit{};
        limit.rlim_cur = limit.rlim_max = saved.size() + 1;
        setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_DFL);
        const bool failed = !Save(paper, path);
        std::exit(failed && Notice() == "Error writing to file!" ? 0 : 1);
    };
    EXPECT_EXIT(saveUnderLimit(), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(ReadFile(path), saved);

    // A save killed in the middle of writing leaves its temporary file.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        AtomicFileWriter file;
        file.Open(path);
        file.Write("TSPF");
        raise(SIGKILL);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    auto debris = [&folder] {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (entry.path().filename() != "plan.tsln") {
                names.push_back(entry.path().filename());
            }
        }
        return names;
    };
    ASSERT_EQ(debris().size(), 1u);
    EXPECT_EQ(ReadFile(path), saved);

    // That one goes at the next save, its writer being gone; one of a writer
    // still running (this process) stays while it is young, and a user's file
    // of a similar name stays for good.
    char live[64];
    std::snprintf(live, sizeof live, "/.plan.tsln.%08x00001234.tmp", unsigned(getpid()));
    WriteFile(folder + live, {1});
    WriteFile(folder + "/.plan.tsln.notours.tmp", {1});
    ASSERT_TRUE(Save(paper, path));
    EXPECT_EQ(debris().size(), 2u);
    EXPECT_TRUE(std::filesystem::exists(folder + live));
    const auto anHourAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::filesystem::last_write_time(entry.path(), anHourAgo);
    }
    Paper loaded;
    ASSERT_TRUE(Load(loaded, path));
    EXPECT_EQ(debris(), std::vector<std::string>{".plan.tsln.notours.tmp"});
    EXPECT_EQ(loaded.objects.size(), 200u);
}

TEST(PaperFileTest, RandomDamageIsRefusedOrLoadedButNeverHarmful) {
    DocumentSession session;
    std::vector<ObjectRecord> records = ThreeObjectsAndAnUnknown();
    records.push_back(LineRecord(ObjectKind::Measurement, INT32_MIN, 5, INT32_MAX, -5));
    records.push_back(CircleRecord(INT32_MAX, INT32_MIN, -32768, INT32_MAX, -32768));
    const Bytes plain = FileOf(0x83, Fields(3, records));
    const Bytes packed = FileOf(0x03, Fields(3, records));
    std::mt19937 random(5);
    for (int round = 0; round < 300; ++round) {
        Bytes file = round % 2 == 0 ? plain : packed;
        const int changes = 1 + round % 4;
        for (int i = 0; i < changes; ++i) {
            file[5 + random() % (file.size() - 5)] = static_cast<uint8_t>(random());
        }
        if (round % 7 == 0) {
            file.resize(5 + random() % (file.size() - 5));
        }
        Paper paper;
        editor->shell.paperViewRect = {0, 0, 200, 150};
        const std::string path = TestPath("damaged.tsln");
        WriteFile(path, file);
        if (Load(paper, path)) {
            // Whatever was accepted must draw without trouble.
            PaperView view(paper, editor->shell.drawFont.get(),
                           {editor->shell.paperViewRect.w, editor->shell.paperViewRect.h});
            EXPECT_TRUE(RenderPaper(view, false, true));
            EXPECT_LE(paper.width, kMaxPaperPixels);
            EXPECT_GE(paper.linesPerInch, 1);
        } else {
            EXPECT_FALSE(Notice().empty());
        }
    }
}
