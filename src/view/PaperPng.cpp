#include "view/PaperPng.h"

#include "document/Paper.h"
#include "platform/FileSystem.h"
#include "view/PaperRenderer.h"
#include "view/PaperView.h"

#include <SDL2/SDL.h>
#include <zlib.h>

#include <algorithm>
#include <future>
#include <limits>
#include <system_error>
#include <vector>

namespace {

// About 4 MB of 16-bit surface per band.
constexpr int64_t kBandBytes = int64_t{4} << 20;
constexpr int kPaperBytesPerPixel = 2;
constexpr int kPngBytesPerPixel = 3;
constexpr size_t kIdatChunkBytes = 64 * 1024;
constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint8_t kBitDepth = 8;
constexpr uint8_t kColorTypeRgb = 2;
// Drawings are runs of one colour and rows that repeat, which deflate finds
// as they are; the Sub and Up filters made a crowded letter paper a third
// larger and a sparse one at most a sixth smaller.
constexpr uint8_t kNoFilter = 0;
// Level 1 is about four times as fast as the default level; the file is
// about a tenth larger.
constexpr int kDeflateLevel = 1;
constexpr int kRawDeflateWindowBits = -15;
constexpr int kDeflateMemLevel = 8;
// The zlib header of a stream with a 32 KB window written at the fastest
// level, and the empty final block that closes the joined pieces.
constexpr uint8_t kZlibHeader[2] = {0x78, 0x01};
constexpr uint8_t kEmptyFinalBlock[2] = {0x03, 0x00};
// A band at least this large is compressed in two halves at once, one of them
// on a second thread.
constexpr size_t kSplitBandBytes = 256 * 1024;
// The paper's pixels per inch as pixels per metre (3780), for the pHYs chunk
// that makes other programs print an export at its true size.
constexpr uint32_t kPaperPixelsPerMetre =
    static_cast<uint32_t>(kPaperPixelsPerInch * 10000 / 254.0 + 0.5);
constexpr uint8_t kUnitMetre = 1;
// An image without a physical size: a thumbnail.
constexpr uint32_t kNoPhysicalSize = 0;

void PutBigEndian(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<uint8_t>(value >> shift));
    }
}

// Image rows compressed on their own as a piece of one zlib stream: raw
// deflate blocks that end on a byte boundary and leave the stream open, so
// that pieces made side by side can be joined. Touches nothing but its own
// buffers, so it may run on any thread.
class DeflatePiece {
  public:
    DeflatePiece() = default;
    ~DeflatePiece() {
        if (deflating_) {
            deflateEnd(&zip_);
        }
    }
    DeflatePiece(const DeflatePiece&) = delete;
    DeflatePiece& operator=(const DeflatePiece&) = delete;

    // `rows` rows of `rowBytes` RGB bytes, each after its filter byte.
    bool Compress(const uint8_t* rgb, int rows, size_t rowBytes) {
        used_ = 0;
        checksum_ = adler32(0, nullptr, 0);
        length_ = 0;
        if (!deflating_) {
            deflating_ = deflateInit2(&zip_, kDeflateLevel, Z_DEFLATED, kRawDeflateWindowBits,
                                      kDeflateMemLevel, Z_DEFAULT_STRATEGY) == Z_OK;
        } else {
            deflating_ = deflateReset(&zip_) == Z_OK;
        }
        if (!deflating_) {
            return false;
        }
        const uint8_t filter = kNoFilter;
        for (int row = 0; row < rows; ++row) {
            const uint8_t* pixels = rgb + rowBytes * size_t(row);
            if (!Deflate(&filter, 1, Z_NO_FLUSH) || !Deflate(pixels, rowBytes, Z_NO_FLUSH)) {
                return false;
            }
        }
        return Deflate(nullptr, 0, Z_SYNC_FLUSH);
    }

    const uint8_t* Data() const { return out_.data(); }
    size_t Size() const { return used_; }
    // The Adler-32 of the uncompressed bytes and how many there were.
    uLong Checksum() const { return checksum_; }
    size_t Length() const { return length_; }

  private:
    bool Deflate(const uint8_t* data, size_t size, int flush) {
        if (size > 0) {
            checksum_ = adler32_z(checksum_, data, size);
            length_ += size;
        }
        zip_.next_in = const_cast<Bytef*>(data);
        zip_.avail_in = static_cast<uInt>(size);
        do {
            if (out_.size() - used_ < kMinOutputRoom) {
                out_.resize(std::max(out_.size() * 2, kIdatChunkBytes));
            }
            zip_.next_out = out_.data() + used_;
            zip_.avail_out = static_cast<uInt>(
                std::min<size_t>(out_.size() - used_, std::numeric_limits<uInt>::max()));
            const int result = deflate(&zip_, flush);
            used_ = out_.size() - zip_.avail_out;
            if (result == Z_STREAM_ERROR) {
                return false;
            }
        } while (zip_.avail_in > 0 || zip_.avail_out == 0);
        return true;
    }

    // Less room than this and the output grows before deflate goes on.
    static constexpr size_t kMinOutputRoom = 1024;

    z_stream zip_ = {};
    bool deflating_ = false;
    // The compressed bytes are the first `used_` of `out_`, which keeps its
    // size from band to band.
    std::vector<uint8_t> out_;
    size_t used_ = 0;
    uLong checksum_ = 0;
    size_t length_ = 0;
};

// Streams the chunks of one PNG file; remembers the first write failure.
class PngStream {
  public:
    explicit PngStream(AtomicFileWriter& file) : file_(file) {}

    bool Begin(uint32_t width, uint32_t height, uint32_t pixelsPerMetre) {
        Write(kPngSignature, sizeof kPngSignature);
        std::vector<uint8_t> header;
        PutBigEndian(header, width);
        PutBigEndian(header, height);
        header.insert(header.end(), {kBitDepth, kColorTypeRgb, 0, 0, 0});
        Chunk("IHDR", header.data(), header.size());
        if (pixelsPerMetre != kNoPhysicalSize) {
            std::vector<uint8_t> density;
            PutBigEndian(density, pixelsPerMetre);
            PutBigEndian(density, pixelsPerMetre);
            density.push_back(kUnitMetre);
            Chunk("pHYs", density.data(), density.size());
        }
        checksum_ = adler32(0, nullptr, 0);
        AddIdat(kZlibHeader, sizeof kZlibHeader);
        return ok_;
    }

    // Image rows, each `rowBytes` of RGB. A large band is compressed in two
    // halves at once; the calling thread does the lower half.
    bool Rows(const uint8_t* rgb, int rows, size_t rowBytes) {
        const bool split = rows > 1 && size_t(rows) * rowBytes >= kSplitBandBytes;
        const int upperRows = split ? rows / 2 : rows;
        std::future<bool> upper;
        if (split) {
            try {
                upper = std::async(std::launch::async, [this, rgb, upperRows, rowBytes] {
                    return pieces_[0].Compress(rgb, upperRows, rowBytes);
                });
            } catch (const std::system_error&) {
                // Without a second thread the halves are done one after the other.
            }
        }
        const bool lowerOk = !split || pieces_[1].Compress(rgb + rowBytes * size_t(upperRows),
                                                           rows - upperRows, rowBytes);
        const bool upperOk =
            upper.valid() ? upper.get() : pieces_[0].Compress(rgb, upperRows, rowBytes);
        if (!upperOk || !lowerOk) {
            return false;
        }
        Append(pieces_[0]);
        if (split) {
            Append(pieces_[1]);
        }
        return ok_;
    }

    bool End() {
        AddIdat(kEmptyFinalBlock, sizeof kEmptyFinalBlock);
        std::vector<uint8_t> trailer;
        PutBigEndian(trailer, static_cast<uint32_t>(checksum_));
        AddIdat(trailer.data(), trailer.size());
        if (!pending_.empty()) {
            Chunk("IDAT", pending_.data(), pending_.size());
        }
        Chunk("IEND", nullptr, 0);
        return ok_;
    }

  private:
    void Append(const DeflatePiece& piece) {
        checksum_ =
            adler32_combine(checksum_, piece.Checksum(), static_cast<z_off_t>(piece.Length()));
        AddIdat(piece.Data(), piece.Size());
    }

    // Compressed bytes of the image, written as IDAT chunks of a fixed size.
    void AddIdat(const uint8_t* data, size_t size) {
        while (size > 0) {
            const size_t take = std::min(size, kIdatChunkBytes - pending_.size());
            pending_.insert(pending_.end(), data, data + take);
            data += take;
            size -= take;
            if (pending_.size() == kIdatChunkBytes) {
                Chunk("IDAT", pending_.data(), pending_.size());
                pending_.clear();
            }
        }
    }

    void Chunk(const char* type, const uint8_t* data, size_t size) {
        std::vector<uint8_t> head;
        PutBigEndian(head, static_cast<uint32_t>(size));
        head.insert(head.end(), type, type + 4);
        uLong crc = crc32(0, head.data() + 4, 4);
        if (size > 0) {
            crc = crc32(crc, data, static_cast<uInt>(size));
        }
        std::vector<uint8_t> tail;
        PutBigEndian(tail, static_cast<uint32_t>(crc));
        Write(head.data(), head.size());
        Write(data, size);
        Write(tail.data(), tail.size());
    }

    void Write(const uint8_t* data, size_t size) {
        if (ok_ && size > 0 && !file_.Write(data, size)) {
            ok_ = false;
        }
    }

    AtomicFileWriter& file_;
    bool ok_ = true;
    DeflatePiece pieces_[2];
    std::vector<uint8_t> pending_;
    uLong checksum_ = 0;
};

// Writes a `width` x `height` PNG to `path` whole or not at all; `writeRows`
// hands the pixel rows to the stream from the top.
bool WritePng(const std::string& path, int width, int height, uint32_t pixelsPerMetre,
              const std::function<bool(PngStream&)>& writeRows) {
    AtomicFileWriter file;
    if (!file.Open(path)) {
        return false;
    }
    PngStream png(file);
    return png.Begin(static_cast<uint32_t>(width), static_cast<uint32_t>(height), pixelsPerMetre) &&
           writeRows(png) && png.End() && file.Commit();
}

} // namespace

bool DrawPaperInBands(PaperView& view, bool ownPalette, bool showGrid, const PaperBandSink& sink) {
    const Paper& paper = view.paper;
    if (paper.width < 1 || paper.height < 1) {
        return false;
    }
    RenderOverlay overlay;
    overlay.showGrid = showGrid;
    const int width = paper.width;
    const int bandRows = static_cast<int>(
        std::clamp<int64_t>(kBandBytes / (int64_t{width} * kPaperBytesPerPixel), 1, paper.height));
    const size_t rowBytes = size_t(width) * kPngBytesPerPixel;
    std::vector<uint8_t> rgb(rowBytes * size_t(bandRows));
    for (int top = 0; top < paper.height; top += bandRows) {
        const int rows = std::min(bandRows, paper.height - top);
        if (!RenderPaperArea(view, {0, top, width, rows}, true, ownPalette, overlay)) {
            return false;
        }
        const SDL_Surface* surface = view.Surface();
        if (SDL_ConvertPixels(width, rows, surface->format->format, surface->pixels, surface->pitch,
                              SDL_PIXELFORMAT_RGB24, rgb.data(), static_cast<int>(rowBytes)) != 0) {
            return false;
        }
        if (!sink(top, rows, rgb.data())) {
            return false;
        }
    }
    return true;
}

bool WritePaperPng(PaperView& view, bool ownPalette, const std::string& path, bool showGrid) {
    const Paper& paper = view.paper;
    if (paper.width < 1 || paper.height < 1) {
        return false;
    }
    const size_t rowBytes = size_t(paper.width) * kPngBytesPerPixel;
    return WritePng(path, paper.width, paper.height, kPaperPixelsPerMetre, [&](PngStream& png) {
        return DrawPaperInBands(view, ownPalette, showGrid,
                                [&png, rowBytes](int, int rows, const uint8_t* rgb) {
                                    return png.Rows(rgb, rows, rowBytes);
                                });
    });
}

bool WriteRgbPng(const uint8_t* rgb, int width, int height, const std::string& path) {
    if (rgb == nullptr || width < 1 || height < 1) {
        return false;
    }
    return WritePng(path, width, height, kNoPhysicalSize, [&](PngStream& png) {
        return png.Rows(rgb, height, size_t(width) * kPngBytesPerPixel);
    });
}
