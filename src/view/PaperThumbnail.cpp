#include "view/PaperThumbnail.h"

#include "document/Paper.h"
#include "view/PaperPng.h"
#include "view/PaperView.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr int kChannels = 3;

// Sums of the paper pixels that fall into each thumbnail pixel.
class BoxShrinker {
  public:
    BoxShrinker(int width, int height, int thumbWidth, int thumbHeight)
        : width_(width), height_(height), thumbWidth_(thumbWidth), thumbHeight_(thumbHeight),
          sums_(size_t(thumbWidth) * size_t(thumbHeight) * kChannels),
          counts_(size_t(thumbWidth) * size_t(thumbHeight)), column_(size_t(width)) {
        for (int x = 0; x < width; ++x) {
            column_[size_t(x)] = static_cast<int>(int64_t{x} * thumbWidth / width);
        }
    }

    void AddRows(int top, int rows, const uint8_t* rgb) {
        for (int row = 0; row < rows; ++row) {
            const auto thumbRow = static_cast<size_t>(int64_t{top + row} * thumbHeight_ / height_);
            const uint8_t* source = rgb + size_t(row) * size_t(width_) * kChannels;
            for (int x = 0; x < width_; ++x) {
                const size_t cell = thumbRow * size_t(thumbWidth_) + size_t(column_[size_t(x)]);
                for (int channel = 0; channel < kChannels; ++channel) {
                    sums_[cell * kChannels + size_t(channel)] +=
                        source[size_t(x) * kChannels + size_t(channel)];
                }
                ++counts_[cell];
            }
        }
    }

    std::vector<uint8_t> Pixels() const {
        std::vector<uint8_t> pixels(sums_.size());
        for (size_t cell = 0; cell < counts_.size(); ++cell) {
            const uint64_t count = std::max<uint64_t>(counts_[cell], 1);
            for (size_t channel = 0; channel < kChannels; ++channel) {
                pixels[cell * kChannels + channel] =
                    static_cast<uint8_t>((sums_[cell * kChannels + channel] + count / 2) / count);
            }
        }
        return pixels;
    }

  private:
    int width_;
    int height_;
    int thumbWidth_;
    int thumbHeight_;
    std::vector<uint64_t> sums_;
    std::vector<uint64_t> counts_;
    std::vector<int> column_;
};

} // namespace

void ThumbnailSize(int width, int height, int size, int& thumbWidth, int& thumbHeight) {
    thumbWidth = std::max(width, 1);
    thumbHeight = std::max(height, 1);
    const int longer = std::max(thumbWidth, thumbHeight);
    if (size < 1 || longer <= size) {
        return;
    }
    const double scale = static_cast<double>(size) / longer;
    thumbWidth = std::clamp(static_cast<int>(std::lround(thumbWidth * scale)), 1, size);
    thumbHeight = std::clamp(static_cast<int>(std::lround(thumbHeight * scale)), 1, size);
}

bool WritePaperThumbnail(PaperView& view, int size, const std::string& path) {
    const Paper& paper = view.paper;
    if (paper.width < 1 || paper.height < 1 || size < 1) {
        return false;
    }
    int thumbWidth = 0;
    int thumbHeight = 0;
    ThumbnailSize(paper.width, paper.height, size, thumbWidth, thumbHeight);
    BoxShrinker shrinker(paper.width, paper.height, thumbWidth, thumbHeight);
    const bool drawn =
        DrawPaperInBands(view, true, true, [&shrinker](int top, int rows, const uint8_t* rgb) {
            shrinker.AddRows(top, rows, rgb);
            return true;
        });
    return drawn && WriteRgbPng(shrinker.Pixels().data(), thumbWidth, thumbHeight, path);
}
