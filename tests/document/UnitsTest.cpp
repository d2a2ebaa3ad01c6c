#include "document/Units.h"
#include "document/Paper.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

namespace {

struct ActivePaper {
    Paper paper;
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

    // A paper goes by 96 DPI on both axes until it is told its display's.
    Paper paper;
    paper.linesPerInch = 7;
    paper.UpdateBlockSize();
    EXPECT_EQ(paper.blockWidth, 13);
    EXPECT_EQ(paper.blockHeight, 13);
    paper.displayDpi = {120.0f, 72.0f};
    paper.UpdateBlockSize();
    EXPECT_EQ(paper.blockWidth, 17);
    EXPECT_EQ(paper.blockHeight, 10);
}

TEST(UnitsTest, UnknownUnitIndexShowsQuestionMarks) {
    ActivePaper active;
    EXPECT_STREQ(UnitAbbreviation(active.paper), "ft");
    for (int32_t index : {5, 17, 255, -1}) {
        active.paper.unitIndex = index;
        EXPECT_STREQ(UnitAbbreviation(active.paper), "???");
        EXPECT_STREQ(UnitSuffix(active.paper), "???");
    }
}

TEST(UnitsTest, SettersIgnoreOutOfRangeValuesAndKeepTheOthers) {
    ActivePaper active;
    SetPaperUnit(active.paper, 5);
    SetBlocksPerUnit(active.paper, 0);
    SetBlocksPerUnit(active.paper, 17);
    SetLinesPerInch(active.paper, 0);
    SetLinesPerInch(active.paper, 17);
    EXPECT_EQ(active.paper.unitIndex, 0);
    EXPECT_EQ(active.paper.blocksPerUnit, 4);
    EXPECT_EQ(active.paper.linesPerInch, 4);

    SetPaperUnit(active.paper, 4);
    SetBlocksPerUnit(active.paper, 16);
    SetLinesPerInch(active.paper, 12);
    EXPECT_EQ(active.paper.unitIndex, 4);
    EXPECT_EQ(active.paper.blocksPerUnit, 16) << "lines per inch must not touch the unit scale";
    EXPECT_EQ(active.paper.blockWidth, 8);
    EXPECT_TRUE(active.paper.modified) << "unit, scale and grid are saved with the paper";

    active.paper.modified = false;
    SetPaperUnit(active.paper, 4);
    SetBlocksPerUnit(active.paper, 16);
    SetLinesPerInch(active.paper, 12);
    EXPECT_FALSE(active.paper.modified) << "choosing what is already chosen changes nothing";
}

TEST(UnitsTest, ConversionsToUnits) {
    ActivePaper active; // 24-pixel squares, 4 blocks per unit
    UnitPoint p = PixelsToUnits(active.paper, 96, 48);
    EXPECT_DOUBLE_EQ(p.x, 1.0);
    EXPECT_DOUBLE_EQ(p.y, 0.5);
    p = BlocksToUnits(active.paper, 6, -2);
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
