#pragma once
// How paper pixels relate to grid squares (blocks) and to the measuring unit
// the user chose, and how lengths are turned into text.

#include <cstdint>
#include <string>

class Paper;

struct UnitInfo {
    const char* suffix;       // after a number in measurement labels
    const char* abbreviation; // status texts, tool texts, the Edit Object dialog
    const char* name;         // the Unit menu
};

constexpr int kUnitCount = 5;
// Feet, Inches, Meters, Centimeters, Millimeters. The unit is a label only:
// one unit is always `blocksPerUnit` grid squares.
extern const UnitInfo Units[kUnitCount];
constexpr const char* kUnknownUnit = "???";

// Abbreviation of the paper's unit ("???" for an unknown unit).
const char* UnitAbbreviation(const Paper& paper);
// Suffix of the paper's unit for measurement labels ("???" for an unknown unit).
const char* UnitSuffix(const Paper& paper);

struct UnitPoint {
    double x;
    double y;
};
// Paper pixels to units: x / blockWidth / blocksPerUnit, y / blockHeight / blocksPerUnit.
UnitPoint PixelsToUnits(const Paper& paper, int32_t x, int32_t y);
// Blocks of the paper to units.
UnitPoint BlocksToUnits(const Paper& paper, int32_t bx, int32_t by);
// A horizontal pixel length (or radius) of the paper in units.
double HorizontalPixelsToUnits(const Paper& paper, double pixels);
double VerticalPixelsToUnits(const Paper& paper, double pixels);

// The label of a measurement of `pixelLength` pixels: the first part is the value
// with trailing zeros stripped and the unit's suffix; the second part, only for
// feet and inches, is the same length in the other imperial unit in parentheses.
struct MeasurementLabel {
    std::string first;
    std::string second; // empty when there is none
};
MeasurementLabel FormatMeasurementLabel(const Paper& paper, double pixelLength);
// "%.02f" of the value with trailing '0's and then a trailing '.' removed.
std::string FormatStrippedNumber(const char* format, double value);

// The size of one grid square in pixels along an axis of the given DPI; at least 1.
int32_t BlockSizeForDpi(float dpi, int32_t linesPerInch);

// The three scale setters ignore out-of-range values; true when the paper changed.
bool SetPaperUnit(Paper& paper, int32_t unitIndex);
bool SetBlocksPerUnit(Paper& paper, int32_t blocksPerUnit);
bool SetLinesPerInch(Paper& paper, int32_t linesPerInch);
