#include "document/Units.h"
#include "app/AppState.h"
#include "document/Paper.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

namespace {

struct ActivePaper {
    Paper paper;
    ActivePaper() { activePaper = &paper; }
    ~ActivePaper() { activePaper = nullptr; }
};

} // namespace

TEST(UnitsTest, GridSquareFollowsDpiAndLinesPerInch) {
    EXPECT_EQ(BlockSizeForDpi(96, 4), 24);
    EXPECT_EQ(BlockSizeForDpi(96, 16), 6);
    EXPECT_EQ(BlockSizeForDpi(96, 3), 32);
    EXPECT_EQ(BlockSizeForDpi(96, 7), 13);
    EXPECT_EQ(BlockSizeForDpi(120, 4), 30);
    EXPECT_EQ(BlockSizeForDpi(96.9f, 1), 96) << "the DPI is truncated first";
    EXPECT_EQ(BlockSizeForDpi(3, 16), 1) << "never a zero-sized square";
    EXPECT_EQ(BlockSizeForDpi(96, 0), 96) << "a bad line count from a file must not divide by 0";
    EXPECT_EQ(BlockSizeForDpi(NAN, 4), 1) << "an absurd DPI still gives a usable square";
    EXPECT_EQ(BlockSizeForDpi(1e20f, 16), INT32_MAX / 16);

    // Without a display the DPI query fails and 96 is used on both axes.
    Paper paper;
    paper.linesPerInch = 7;
    paper.UpdateBlockSize();
    EXPECT_EQ(paper.blockWidth, 13);
    EXPECT_EQ(paper.blockHeight, 13);
}

TEST(UnitsTest, UnknownUnitIndexShowsQuestionMarks) {
    ActivePaper active;
    EXPECT_STREQ(UnitAbbreviation(), "ft");
    for (int32_t index : {5, 17, 255, -1}) {
        active.paper.unitIndex = index;
        EXPECT_STREQ(UnitAbbreviation(), "???");
        EXPECT_STREQ(UnitSuffix(active.paper), "???");
    }
}

TEST(UnitsTest, SettersIgnoreOutOfRangeValuesAndKeepTheOthers) {
    SetPaperUnit(1); // no paper: nothing to change, nothing breaks
    ActivePaper active;
    SetPaperUnit(5);
    SetBlocksPerUnit(0);
    SetBlocksPerUnit(17);
    SetLinesPerInch(0);
    SetLinesPerInch(17);
    EXPECT_EQ(active.paper.unitIndex, 0);
    EXPECT_EQ(active.paper.blocksPerUnit, 4);
    EXPECT_EQ(active.paper.linesPerInch, 4);

    SetPaperUnit(4);
    SetBlocksPerUnit(16);
    SetLinesPerInch(12);
    EXPECT_EQ(active.paper.unitIndex, 4);
    EXPECT_EQ(active.paper.blocksPerUnit, 16) << "lines per inch must not touch the unit scale";
    EXPECT_EQ(active.paper.blockWidth, 8);
    EXPECT_TRUE(active.paper.modified) << "unit, scale and grid are saved with the paper";

    active.paper.modified = false;
    SetPaperUnit(4);
    SetBlocksPerUnit(16);
    SetLinesPerInch(12);
    EXPECT_FALSE(active.paper.modified) << "choosing what is already chosen changes nothing";
}

TEST(UnitsTest, ConversionsToUnits) {
    ActivePaper active; // 24-pixel squares, 4 blocks per unit
    UnitPoint p = PixelsToUnits(active.paper, 96, 48);
    EXPECT_DOUBLE_EQ(p.x, 1.0);
    EXPECT_DOUBLE_EQ(p.y, 0.5);
    p = BlocksToUnits(6, -2);
    EXPECT_DOUBLE_EQ(p.x, 1.5);
    EXPECT_DOUBLE_EQ(p.y, -0.5);
}

TEST(UnitsTest, MeasurementLabelsStripZerosAndAddTheOtherImperialUnit) {
    Paper paper; // 24-pixel squares, 4 blocks per unit: 96 pixels per unit
    MeasurementLabel label = FormatMeasurementLabel(paper, 24);
    EXPECT_EQ(label.first, "0.25'");
    EXPECT_EQ(label.second, "(3\")");

    label = FormatMeasurementLabel(paper, 144);
    EXPECT_EQ(label.first, "1.5'");
    EXPECT_EQ(label.second, "(18\")");

    label = FormatMeasurementLabel(paper, 0);
    EXPECT_EQ(label.first, "0'");
    EXPECT_EQ(label.second, "") << "no second part for a zero length in feet";

    paper.unitIndex = 1; // inches
    label = FormatMeasurementLabel(paper, 11.99 * 96);
    EXPECT_EQ(label.first, "11.99\"");
    EXPECT_EQ(label.second, "");
    label = FormatMeasurementLabel(paper, 12 * 96);
    EXPECT_EQ(label.first, "12\"");
    EXPECT_EQ(label.second, "(1')");
    label = FormatMeasurementLabel(paper, 18 * 96);
    EXPECT_EQ(label.second, "(1.5')");

    paper.unitIndex = 2; // meters
    label = FormatMeasurementLabel(paper, 48);
    EXPECT_EQ(label.first, "0.5 m");
    EXPECT_EQ(label.second, "");

    paper.unitIndex = 200;
    EXPECT_EQ(FormatMeasurementLabel(paper, 96).first, "1???");
}
