#include "document/Units.h"

#include "document/Paper.h"
#include "draw/Geometry.h"

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

UnitPoint BlocksToUnits(const Paper& paper, int32_t bx, int32_t by) {
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
    blockWidth = BlockSizeForDpi(displayDpi.horizontal, linesPerInch);
    blockHeight = BlockSizeForDpi(displayDpi.vertical, linesPerInch);
}

bool SetPaperUnit(Paper& paper, int32_t unitIndex) {
    if (unitIndex < 0 || unitIndex >= kUnitCount || paper.unitIndex == unitIndex) {
        return false;
    }
    // The unit is stored in the document: a change must be saved or asked about.
    paper.unitIndex = unitIndex;
    paper.modified = true;
    return true;
}

bool SetBlocksPerUnit(Paper& paper, int32_t blocksPerUnit) {
    if (blocksPerUnit < kMinScale || blocksPerUnit > kMaxScale ||
        paper.blocksPerUnit == blocksPerUnit) {
        return false;
    }
    paper.blocksPerUnit = blocksPerUnit;
    paper.modified = true;
    return true;
}

bool SetLinesPerInch(Paper& paper, int32_t linesPerInch) {
    if (linesPerInch < kMinScale || linesPerInch > kMaxScale ||
        paper.linesPerInch == linesPerInch) {
        return false;
    }
    paper.linesPerInch = linesPerInch;
    paper.UpdateBlockSize();
    paper.modified = true;
    return true;
}
