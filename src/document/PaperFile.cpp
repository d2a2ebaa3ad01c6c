#include "document/PaperFile.h"

#include "document/Paper.h"
#include "document/PaperBackups.h"
#include "document/PaperObject.h"
#include "platform/FileSystem.h"
#include "support/VRX_Buffer.h"
#include "support/VRX_Paths.h"
#include "support/VRX_Strings.h"

#include <cstring>
#include <limits>
#include <utility>

namespace {

constexpr char kMagic[4] = {'T', 'S', 'P', 'F'};
constexpr size_t kMagicSize = sizeof kMagic;
constexpr size_t kHeaderSize = kMagicSize + 1;
constexpr uint8_t kVersionMask = 0x7F;
constexpr uint8_t kFirstVersionWithDrawColor = 1;
constexpr uint8_t kFirstVersionWithHiddenLayers = 2;
constexpr uint8_t kFirstVersionWithBackgroundImage = 3;
// The scale settings the program itself can choose; anything else in a file
// is damage, and a zero would divide by zero all over the grid and labels.
constexpr int32_t kMinScale = 1;
constexpr int32_t kMaxScale = 16;
// Temporary files of a save killed mid-write are cleared away once they are
// this old: a younger one may belong to a save still running elsewhere.
constexpr int64_t kStaleTemporaryFileSeconds = 60;

bool ColorField(VRX_Buffer& buffer, SDL_Color& color, bool reading) {
    return VRX_Serializable::SerializeBytes(buffer, &color, sizeof color, reading);
}

// The image position and alpha: two 32-bit little-endian values and a byte.
bool BackgroundPlacement(VRX_Buffer& buffer, Paper& paper, bool reading) {
    uint8_t raw[9];
    if (!reading) {
        const auto x = static_cast<uint32_t>(paper.backgroundImageX);
        const auto y = static_cast<uint32_t>(paper.backgroundImageY);
        for (int i = 0; i < 4; ++i) {
            raw[i] = static_cast<uint8_t>(x >> (8 * i));
            raw[4 + i] = static_cast<uint8_t>(y >> (8 * i));
        }
        raw[8] = paper.backgroundImageAlpha;
    }
    if (!VRX_Serializable::SerializeBytes(buffer, raw, sizeof raw, reading)) {
        return false;
    }
    if (reading) {
        uint32_t x = 0;
        uint32_t y = 0;
        for (int i = 0; i < 4; ++i) {
            x |= uint32_t{raw[i]} << (8 * i);
            y |= uint32_t{raw[4 + i]} << (8 * i);
        }
        paper.backgroundImageX = static_cast<int32_t>(x);
        paper.backgroundImageY = static_cast<int32_t>(y);
        paper.backgroundImageAlpha = raw[8];
    }
    return true;
}

bool SettingsAreSound(const Paper& paper) {
    return paper.width >= 1 && paper.width <= kMaxPaperPixels && paper.height >= 1 &&
           paper.height <= kMaxPaperPixels && paper.blocksPerUnit >= kMinScale &&
           paper.blocksPerUnit <= kMaxScale && paper.linesPerInch >= kMinScale &&
           paper.linesPerInch <= kMaxScale;
}

bool ReadObjects(VRX_Buffer& buffer, Paper& paper) {
    uint32_t count = 0;
    if (!VRX_Serializable::SerializeInt(buffer, count, true)) {
        return false;
    }
    // Checked before the first record so that a huge count in a small file
    // costs nothing.
    if (uint64_t{count} * kObjectRecordSize > buffer.Available()) {
        return false;
    }
    // The count is now known to be backed by real bytes: setting the room
    // aside once spares a large document the copies of a growing list.
    paper.objects.reserve(paper.objects.size() + count);
    for (uint32_t i = 0; i < count; ++i) {
        ObjectRecord record;
        if (!VRX_Serializable::SerializeBytes(buffer, record.bytes, kObjectRecordSize, true)) {
            return false;
        }
        // Kinds this program has no class for are dropped.
        if (std::shared_ptr<PaperObject> object = CreateObjectFromRecord(&paper, record)) {
            paper.AddLoadedObject(object);
        }
    }
    return true;
}

bool WriteObjects(VRX_Buffer& buffer, Paper& paper) {
    if (paper.objects.size() > std::numeric_limits<uint32_t>::max()) {
        return false;
    }
    auto count = static_cast<uint32_t>(paper.objects.size());
    if (!VRX_Serializable::SerializeInt(buffer, count, false)) {
        return false;
    }
    buffer.Reserve(static_cast<int64_t>(count) * static_cast<int64_t>(kObjectRecordSize));
    for (const std::shared_ptr<PaperObject>& object : paper.objects) {
        if (!VRX_Serializable::SerializeBytes(buffer, object->record.bytes, kObjectRecordSize,
                                              false)) {
            return false;
        }
    }
    return true;
}

void AnnounceFile(Paper& paper) {
    paper.NotifyFileNameChanged();
    paper.NotifyFileStored();
}

FileReport Failed(std::string message) {
    return FileReport{false, std::move(message)};
}

// The fields behind the header, as the version byte `versionByte` says. The
// paper writes the fields of its `fileVersion`, which for a paper read from an
// older file lacks the newer ones, so that is set first.
std::string FileBody(Paper& paper, uint8_t versionByte) {
    paper.fileVersion = versionByte;
    return (versionByte & kUncompressedFileFlag) != 0
               ? paper.SaveToString()
               : paper.SaveToCompressed(kPaperFileCompressionLevel);
}

} // namespace

bool Paper::Serialize(VRX_Buffer& buffer, bool reading) {
    uint8_t unit = static_cast<uint8_t>(unitIndex);
    bool ok = SerializeInt(buffer, width, reading) && SerializeInt(buffer, height, reading) &&
              SerializeInt(buffer, unit, reading) && SerializeInt(buffer, blocksPerUnit, reading) &&
              SerializeInt(buffer, linesPerInch, reading) &&
              ColorField(buffer, palette.backgroundColor, reading) &&
              ColorField(buffer, palette.gridColor, reading) &&
              ColorField(buffer, palette.objectColor, reading);
    if (ok && reading) {
        unitIndex = unit;
        ok = SettingsAreSound(*this);
    }
    const uint8_t version = fileVersion & kVersionMask;
    if (ok && version >= kFirstVersionWithDrawColor) {
        ok = ColorField(buffer, drawColor, reading);
    }
    if (ok && version >= kFirstVersionWithHiddenLayers) {
        ok = SerializeBytes(buffer, hiddenLayers, sizeof hiddenLayers, reading);
    }
    if (ok && version >= kFirstVersionWithBackgroundImage) {
        ok = SerializeString(buffer, backgroundImagePath, reading) &&
             BackgroundPlacement(buffer, *this, reading);
    }
    if (!ok) {
        return false;
    }
    if (!reading) {
        return WriteObjects(buffer, *this);
    }
    if (!ReadObjects(buffer, *this)) {
        return false;
    }
    // Adding the objects marked the paper as changed; as read, it is not.
    modified = false;
    return true;
}

FileReport LoadPaper(Paper& paper, const std::string& path, PaperFileHeader* header) {
    paper.filePath = path;
    // Only regular files: a pipe or device named as a document could block.
    if (!IsReadableFile(path)) {
        return Failed("Error opening file for read!");
    }
    RemoveStaleTemporaryFiles(path, kStaleTemporaryFileSeconds);
    std::string bytes;
    if (!ReadWholeFile(path, bytes, kMaxPaperFileBytes)) {
        return Failed("Error reading file!");
    }
    return LoadPaperBytes(paper, std::move(bytes), header);
}

FileReport LoadPaperBytes(Paper& paper, std::string bytes, PaperFileHeader* header) {
    if (bytes.size() < kMagicSize || std::memcmp(bytes.data(), kMagic, kMagicSize) != 0) {
        return Failed("File is corrupt, invalid magic value!");
    }
    if (bytes.size() < kHeaderSize) {
        return Failed("File is corrupt!");
    }
    const auto versionByte = static_cast<uint8_t>(bytes[kMagicSize]);
    const bool compressed = (versionByte & kUncompressedFileFlag) == 0;
    const uint8_t version = versionByte & kVersionMask;
    if (version > kPaperFileVersion) {
        return Failed("Unknown file version - update Tessellon.");
    }
    if (header != nullptr) {
        header->version = version;
        header->compressed = compressed;
    }
    paper.fileVersion = version;
    bool loaded = false;
    {
        VRX_Buffer buffer(false);
        buffer.Set(bytes.data() + kHeaderSize, static_cast<int64_t>(bytes.size() - kHeaderSize));
        std::string().swap(bytes);
        // Inflated, a document may be no larger than one stored uncompressed.
        loaded = compressed ? paper.LoadFromCompressed(buffer, kMaxPaperFileBytes)
                            : paper.LoadFromBuffer(buffer);
    }
    // A size no paper can have would leave nothing to draw on.
    if (!loaded || !paper.SetSize(paper.width, paper.height)) {
        return Failed("File is corrupt!");
    }
    AnnounceFile(paper);
    return FileReport{true, "File loaded."};
}

FileReport SavePaper(Paper& paper, const std::string& path, bool compressed) {
    // The document itself is replaced only once the new file is complete, so
    // a failure at any step leaves it as it was.
    RemoveStaleTemporaryFiles(path, kStaleTemporaryFileSeconds);
    AtomicFileWriter file;
    if (!file.Open(path)) {
        return Failed("Error opening file for write!");
    }
    const uint8_t versionByte =
        compressed ? kPaperFileVersion : (kPaperFileVersion | kUncompressedFileFlag);
    if (!file.Write(kMagic, kMagicSize) || !file.Write(&versionByte, 1)) {
        return Failed("Error writing to file!");
    }
    const std::string body = FileBody(paper, versionByte);
    if (body.empty() || !file.Write(body)) {
        return Failed("Error writing to file!");
    }
    // The previous version goes to the backups only now that its successor is
    // complete: a save that fails keeps the older backup as well.
    // A backup that cannot be made does not stop the save, but the user is
    // told, rather than finding out when the copy is needed.
    std::string backupProblem;
    const bool backedUp = !PathExists(path) || BackUpDocument(path, backupProblem);
    if (!file.Commit()) {
        return Failed("Error writing to file!");
    }
    paper.filePath = path;
    paper.modified = false;
    AnnounceFile(paper);
    return FileReport{
        true, backedUp ? "File saved."
                       : "File saved, but no backup copy could be made: " + backupProblem + "."};
}

std::string PaperFileBytes(Paper& paper) {
    const uint8_t readVersion = paper.fileVersion;
    const std::string body = FileBody(paper, kPaperFileVersion);
    paper.fileVersion = readVersion;
    if (body.empty()) {
        return {};
    }
    std::string bytes;
    bytes.reserve(kHeaderSize + body.size());
    bytes.append(kMagic, kMagicSize);
    bytes += static_cast<char>(kPaperFileVersion);
    bytes += body;
    return bytes;
}
