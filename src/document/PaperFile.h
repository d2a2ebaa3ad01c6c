#pragma once
// Reading and writing paper documents (".tsln"): the magic "TSPF", a version
// byte whose top bit marks an uncompressed body, and the paper's fields,
// normally deflated behind their uncompressed size.

#include <cstdint>
#include <string>

class Paper;

constexpr uint8_t kPaperFileVersion = 3;
constexpr uint8_t kUncompressedFileFlag = 0x80;
constexpr int kPaperFileCompressionLevel = 5;
// Larger files, and compressed ones that inflate to more, are not read at all:
// just over a million objects' worth, which keeps a load within a few seconds
// and a few hundred megabytes.
constexpr uint64_t kMaxPaperFileBytes = uint64_t{256} << 20;

// What the file's header said, for reports.
struct PaperFileHeader {
    uint8_t version = 0;
    bool compressed = false;
};

// Reads the file into a freshly constructed paper and makes its surface.
// Reports the outcome in the status line; on false the caller discards the
// paper. A background image that cannot be shown is reported but does not
// fail the load.
bool LoadPaper(Paper& paper, const std::string& path);
bool LoadPaper(Paper& paper, const std::string& path, PaperFileHeader* header);
// The same for the bytes of a file already read; `filePath` is left as it is.
bool LoadPaperBytes(Paper& paper, std::string bytes, PaperFileHeader* header);

// Writes the paper to `path`, keeping a copy of the file it replaces in the
// backups folder (PaperBackups.h); when no copy can be made the save still
// completes and says so. The file is replaced whole or not at all. Reports the
// outcome.
// While Left Ctrl is held the fields are written uncompressed, for inspecting
// files.
bool SavePaper(Paper& paper, const std::string& path);

// The whole file a save writes for the paper, compressed, without writing it
// anywhere or changing the paper; empty when the paper cannot be written.
std::string PaperFileBytes(Paper& paper);
