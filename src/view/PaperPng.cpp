#include "view/PaperPng.h"

#include "document/Paper.h"
#include "platform/FileSystem.h"
#include "view/PaperRenderer.h"
#include "view/PaperView.h"

#include <SDL2/SDL.h>
#include <zlib.h>

#include <algorithm>
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
constexpr uint8_t kNoFilter = 0;

void PutBigEndian(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<uint8_t>(value >> shift));
    }
}

// Streams the chunks of one PNG file; remembers the first write failure.
class PngStream {
  public:
    explicit PngStream(AtomicFileWriter& file) : file_(file) {}
    ~PngStream() {
        if (deflating_) {
            deflateEnd(&zip_);
        }
    }
    PngStream(const PngStream&) = delete;
    PngStream& operator=(const PngStream&) = delete;

    bool Begin(uint32_t width, uint32_t height) {
        Write(kPngSignature, sizeof kPngSignature);
        std::vector<uint8_t> header;
        PutBigEndian(header, width);
        PutBigEndian(header, height);
        header.insert(header.end(), {kBitDepth, kColorTypeRgb, 0, 0, 0});
        Chunk("IHDR", header.data(), header.size());
        zip_ = {};
        deflating_ = deflateInit(&zip_, Z_DEFAULT_COMPRESSION) == Z_OK;
        out_.resize(kIdatChunkBytes);
        return ok_ && deflating_;
    }

    // Image rows, each `rowBytes` of RGB: a filter byte, then the row's bytes.
    bool Rows(const uint8_t* rgb, int rows, size_t rowBytes) {
        const uint8_t filter = kNoFilter;
        for (int row = 0; row < rows; ++row) {
            if (!Compress(&filter, 1, Z_NO_FLUSH) ||
                !Compress(rgb + rowBytes * size_t(row), rowBytes, Z_NO_FLUSH)) {
                return false;
            }
        }
        return true;
    }

    bool End() {
        if (!Compress(nullptr, 0, Z_FINISH)) {
            return false;
        }
        Chunk("IEND", nullptr, 0);
        return ok_;
    }

  private:
    bool Compress(const uint8_t* data, size_t size, int flush) {
        if (!deflating_) {
            return false;
        }
        zip_.next_in = const_cast<Bytef*>(data);
        zip_.avail_in = static_cast<uInt>(size);
        int result = Z_OK;
        do {
            zip_.next_out = out_.data() + pending_;
            zip_.avail_out = static_cast<uInt>(out_.size() - pending_);
            result = deflate(&zip_, flush);
            if (result == Z_STREAM_ERROR) {
                return false;
            }
            pending_ = out_.size() - zip_.avail_out;
            if (pending_ == out_.size() || (flush == Z_FINISH && pending_ > 0)) {
                Chunk("IDAT", out_.data(), pending_);
                pending_ = 0;
            }
        } while (zip_.avail_in > 0 || (flush == Z_FINISH && result != Z_STREAM_END));
        return ok_;
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
    z_stream zip_ = {};
    bool deflating_ = false;
    bool ok_ = true;
    std::vector<uint8_t> out_;
    size_t pending_ = 0;
};

// Writes a `width` x `height` PNG to `path` whole or not at all; `writeRows`
// hands the pixel rows to the stream from the top.
bool WritePng(const std::string& path, int width, int height,
              const std::function<bool(PngStream&)>& writeRows) {
    AtomicFileWriter file;
    if (!file.Open(path)) {
        return false;
    }
    PngStream png(file);
    return png.Begin(static_cast<uint32_t>(width), static_cast<uint32_t>(height)) &&
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
    return WritePng(path, paper.width, paper.height, [&](PngStream& png) {
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
    return WritePng(path, width, height, [&](PngStream& png) {
        return png.Rows(rgb, height, size_t(width) * kPngBytesPerPixel);
    });
}
