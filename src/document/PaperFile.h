#pragma once
// Reading and writing paper documents (".tsln"): the magic "TSPF", a version
// byte whose top bit marks an uncompressed body, and the paper's fields,
// normally deflated behind their uncompressed size.

#include <cstdint>
#include <string>

class Paper;

constexpr uint8_t kPaperFileVersion = 3;
constexpr uint8_t kUncompressedFileFlag = 0x80;
// zlib's fastest level: the records are mostly zeros, so a document comes out
// only about 6% larger than at level 5, and saves two to three times faster
// (100,000 objects in well under 100 ms). Any level reads back the same.
constexpr int kPaperFileCompressionLevel = 1;
// Larger files, and compressed ones that inflate to more, are not read at all:
// just over a million objects' worth, which keeps a load within a few seconds
// and a few hundred megabytes.
constexpr uint64_t kMaxPaperFileBytes = uint64_t{256} << 20;

// What the file's header said, for reports.
struct PaperFileHeader {
    uint8_t version = 0;
    bool compressed = false;
};

// What a load or save came to, and what to tell the user about it.
struct FileReport {
    bool ok = false;
    std::string message;
    explicit operator bool() const { return ok; }
};

// Reads the file into a freshly constructed paper. On failure the caller
// discards the paper. The background image is the view's to read.
FileReport LoadPaper(Paper& paper, const std::string& path, PaperFileHeader* header = nullptr);
// The same for the bytes of a file already read; `filePath` is left as it is.
FileReport LoadPaperBytes(Paper& paper, std::string bytes, PaperFileHeader* header = nullptr);
// Writes the paper to `path`, keeping a copy of the file it replaces in the
// backups folder (PaperBackups.h); when no copy can be made the save still
// completes and says so. The file is replaced whole or not at all.
// Uncompressed fields are for inspecting files.
FileReport SavePaper(Paper& paper, const std::string& path, bool compressed = true);

// The whole file a save writes for the paper, compressed, without writing it
// anywhere or changing the paper; empty when the paper cannot be written.
std::string PaperFileBytes(Paper& paper);
