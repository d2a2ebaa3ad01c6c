#include "document/Units.h"

#include "app/AppState.h"
#include "document/Paper.h"
#include "draw/Geometry.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstdio>

const UnitInfo Units[kUnitCount] = {
    {"'", "ft", "Feet"},          {"\"", "in", "Inches"},       {" m", "m", "Meters"},
    {" cm", "cm", "Centimeters"}, {" mm", "mm", "Millimeters"},
};

namespace {

constexpr int kUnitFeet = 0;
constexpr int kUnitInches = 1;
constexpr int32_t kMinScale = 1;
constexpr int32_t kMaxScale = 16;
// Used when the display cannot tell its DPI (always so without a display).
constexpr float kFallbackDpi = 96.0f;
constexpr size_t kLabelBufferSize = 128;
constexpr size_t kSecondLabelBufferSize = 32;

const UnitInfo* FindUnit(const Paper& paper) {
    if (paper.unitIndex < 0 || paper.unitIndex >= kUnitCount) {
        return nullptr;
    }
    return &Units[paper.unitIndex];
}

} // namespace

// A paper read from a file may carry any line count, and a display may report
// a tiny DPI; neither may give a zero-sized square, which every later division
// by the block size would trip over.
int32_t BlockSizeForDpi(float dpi, int32_t linesPerInch) {
    const int32_t wholeDpi = TruncToInt32(dpi);
    return std::max(1, wholeDpi / std::max(1, linesPerInch));
}

const char* UnitAbbreviation(const Paper& paper) {
    const UnitInfo* unit = FindUnit(paper);
    return unit != nullptr ? unit->abbreviation : kUnknownUnit;
}

const char* UnitAbbreviation() {
    return activePaper != nullptr ? UnitAbbreviation(*activePaper) : kUnknownUnit;
}

const char* UnitSuffix(const Paper& paper) {
    const UnitInfo* unit = FindUnit(paper);
    return unit != nullptr ? unit->suffix : kUnknownUnit;
}

double HorizontalPixelsToUnits(const Paper& paper, double pixels) {
    return pixels / paper.blockWidth / paper.blocksPerUnit;
}

double VerticalPixelsToUnits(const Paper& paper, double pixels) {
    return pixels / paper.blockHeight / paper.blocksPerUnit;
}

UnitPoint PixelsToUnits(const Paper& paper, int32_t x, int32_t y) {
    return {HorizontalPixelsToUnits(paper, x), VerticalPixelsToUnits(paper, y)};
}

UnitPoint BlocksToUnits(int32_t bx, int32_t by) {
    if (activePaper == nullptr) {
        return {0.0, 0.0};
    }
    const Paper& paper = *activePaper;
    // Products in 64 bits, so that a far-off position cannot overflow.
    const auto x = static_cast<double>(int64_t{bx} * paper.blockWidth);
    const auto y = static_cast<double>(int64_t{by} * paper.blockHeight);
    return {HorizontalPixelsToUnits(paper, x), VerticalPixelsToUnits(paper, y)};
}

std::string FormatStrippedNumber(const char* format, double value) {
    char text[kLabelBufferSize];
    std::snprintf(text, sizeof text, format, value);
    std::string result = text;
    if (result.find('.') != std::string::npos) {
        while (!result.empty() && result.back() == '0') {
            result.pop_back();
        }
        while (!result.empty() && result.back() == '.') {
            result.pop_back();
        }
    }
    return result;
}

MeasurementLabel FormatMeasurementLabel(const Paper& paper, double pixelLength) {
    const double value = HorizontalPixelsToUnits(paper, pixelLength);
    MeasurementLabel label;
    label.first = FormatStrippedNumber("%.02f", value) + UnitSuffix(paper);
    label.first.resize(std::min(label.first.size(), kLabelBufferSize - 1));

    if (paper.unitIndex == kUnitInches && value >= 12) {
        label.second = FormatStrippedNumber("(%.02f", value / 12) + "')";
    } else if (paper.unitIndex == kUnitFeet && value > 0) {
        label.second = FormatStrippedNumber("(%.02f", value * 12) + "\")";
    }
    label.second.resize(std::min(label.second.size(), kSecondLabelBufferSize - 1));
    return label;
}

void Paper::UpdateBlockSize() {
    int displayIndex = window != nullptr ? SDL_GetWindowDisplayIndex(window) : 0;
    if (displayIndex < 0) {
        displayIndex = 0;
    }
    float horizontalDpi = 0.0f;
    float verticalDpi = 0.0f;
    // Written so that a NaN from a confused driver counts as no answer too.
    if (SDL_GetDisplayDPI(displayIndex, nullptr, &horizontalDpi, &verticalDpi) != 0 ||
        !(horizontalDpi > 0.0f) || !(verticalDpi > 0.0f)) {
        horizontalDpi = verticalDpi = kFallbackDpi;
    }
    blockWidth = BlockSizeForDpi(horizontalDpi, linesPerInch);
    blockHeight = BlockSizeForDpi(verticalDpi, linesPerInch);
}

void SetPaperUnit(int32_t unitIndex) {
    if (activePaper != nullptr && unitIndex >= 0 && unitIndex < kUnitCount &&
        activePaper->unitIndex != unitIndex) {
        // The unit is stored in the document: a change must be saved or asked about.
        activePaper->unitIndex = unitIndex;
        activePaper->modified = true;
    }
}

void SetBlocksPerUnit(int32_t blocksPerUnit) {
    if (activePaper != nullptr && blocksPerUnit >= kMinScale && blocksPerUnit <= kMaxScale &&
        activePaper->blocksPerUnit != blocksPerUnit) {
        activePaper->blocksPerUnit = blocksPerUnit;
        activePaper->modified = true;
    }
}

void SetLinesPerInch(int32_t linesPerInch) {
    if (activePaper != nullptr && linesPerInch >= kMinScale && linesPerInch <= kMaxScale &&
        activePaper->linesPerInch != linesPerInch) {
        activePaper->linesPerInch = linesPerInch;
        activePaper->UpdateBlockSize();
        activePaper->modified = true;
    }
}
