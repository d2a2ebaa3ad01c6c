#include "ToolTestSupport.h"

#include "app/StatusLine.h"
#include "document/ObjectRecord.h"
#include "tools/ToolLine.h"
#include "tools/ToolRegistry.h"

#include <gmock/gmock.h>

using ::testing::Contains;

namespace {

class LineToolsTest : public ProgramWithPaper {};

} // namespace

TEST_F(LineToolsTest, AChainOfClicksOnTheGridCommitsOneLinePerSegment) {
    ClickEntry("line");
    Run();
    EXPECT_STREQ(editor->session.currentToolName, "line");
    // 30 pixels is 1.25 blocks: the ends snap to the grid points 24 and 48.
    ClickPaper(30, 30);
    MovePaper(100, 50);
    Run();
    SaveFrame("line_chain_preview");
    ClickPaper(100, 50);
    ClickPaper(200, 125);
    app.PressKey(SDLK_ESCAPE);
    Run();
    SaveFrame("line_chain");

    ASSERT_EQ(paper->objects.size(), 2u);
    EXPECT_EQ(editor->session.activeToolInstance, nullptr);
    const ObjectRecord& first = RecordAt(*paper, 0);
    const ObjectRecord& second = RecordAt(*paper, 1);
    EXPECT_EQ(first.Kind(), static_cast<uint32_t>(ObjectKind::Line));
    EXPECT_EQ((SDL_Point{first.X1(), first.Y1()}), (SDL_Point{24, 24}));
    EXPECT_EQ((SDL_Point{first.X2(), first.Y2()}), (SDL_Point{96, 48}));
    EXPECT_EQ((SDL_Point{second.X1(), second.Y1()}), (SDL_Point{96, 48}));
    EXPECT_EQ((SDL_Point{second.X2(), second.Y2()}), (SDL_Point{192, 120}));
    EXPECT_EQ(CountUndo(UndoKind::Added), 2u);
    EXPECT_EQ(paper->undoStack.size(), 2u);
}

namespace {

// A paper of 50-pixel blocks, one block per unit, in feet, with a line tool
// begun at (0, 0).
struct LineReadout {
    Paper paper;
    std::unique_ptr<Tool> tool = CreateToolByName("line");
    ToolContext context;
    LineReadout() {
        paper.blockWidth = paper.blockHeight = 50;
        paper.blocksPerUnit = 1;
        context.paper = &paper;
        tool->Begin(context);
    }
    std::string At(int x, int y) {
        context.toolPos = {x, y};
        std::string text;
        EXPECT_TRUE(tool->GetStatusText(context, text));
        return text;
    }
};

} // namespace

TEST(LineReadoutTest, LengthDifferencesAndBearingInThePapersUnit) {
    LineReadout line;
    EXPECT_EQ(line.At(150, 200), "len: 5.00 ft | diff: +3.00, +4.00 | ang: 143.13\xC2\xB0");
    // Leftwards and upwards: the minus signs are the numbers' own.
    EXPECT_EQ(line.At(-100, -25), "len: 2.06 ft | diff: -2.00, -0.50 | ang: 284.04\xC2\xB0");
    // Zero gets a plus; up the screen is 0, right 90, down 180, left 270.
    EXPECT_EQ(line.At(0, -50), "len: 1.00 ft | diff: +0.00, -1.00 | ang: 0.00\xC2\xB0");
    EXPECT_EQ(line.At(50, 0), "len: 1.00 ft | diff: +1.00, +0.00 | ang: 90.00\xC2\xB0");
    EXPECT_EQ(line.At(-50, 0), "len: 1.00 ft | diff: -1.00, +0.00 | ang: 270.00\xC2\xB0");
    EXPECT_EQ(line.At(0, 0), "len: 0.00 ft | diff: +0.00, +0.00 | ang: 180.00\xC2\xB0");
    // Lengths are truncated to whole pixels before they are converted.
    EXPECT_EQ(line.At(1, 1), "len: 0.02 ft | diff: +0.02, +0.02 | ang: 135.00\xC2\xB0");

    line.paper.unitIndex = 2;
    line.paper.blocksPerUnit = 2;
    line.paper.blockHeight = 25;
    EXPECT_EQ(line.At(100, 100), "len: 1.41 m | diff: +1.00, +2.00 | ang: 135.00\xC2\xB0");
    line.paper.unitIndex = 9;
    EXPECT_EQ(line.At(100, 0), "len: 1.00 ??? | diff: +1.00, +0.00 | ang: 90.00\xC2\xB0");
}

TEST_F(LineToolsTest, TheStatusLineReadsTheLineBeingDrawn) {
    // 50-pixel blocks, one block to the foot.
    paper->blockWidth = paper->blockHeight = 50;
    paper->blocksPerUnit = 1;
    paper->unitIndex = 0;
    ClickEntry("line");
    ClickPaper(0, 0);
    MovePaper(152, 197);
    Run();
    EXPECT_THAT(BuildStatusItems(SDL_GetTicks64()),
                Contains("len: 5.00 ft | diff: +3.00, +4.00 | ang: 143.13\xC2\xB0"));
}

TEST_F(LineToolsTest, ChoosingAnotherToolDoesNotEndTheChain) {
    ClickEntry("line");
    ClickPaper(48, 48);
    ClickEntry("rect");
    Run();
    EXPECT_STREQ(editor->session.currentToolName, "rect");
    ASSERT_NE(editor->session.activeToolInstance, nullptr);
    // The release over the toolbox went to the toolbox, not to the line.
    EXPECT_TRUE(paper->objects.empty());

    ClickPaper(144, 96);
    Run();
    ASSERT_EQ(paper->objects.size(), 1u);
    EXPECT_EQ(RecordAt(*paper, 0).Kind(), static_cast<uint32_t>(ObjectKind::Line));

    // Once the chain ends, the next operation draws a rectangle.
    app.Click(At(300, 300).x, At(300, 300).y, SDL_BUTTON_RIGHT);
    ClickPaper(240, 240);
    ClickPaper(288, 264);
    Run();
    ASSERT_EQ(paper->objects.size(), 2u);
    EXPECT_EQ(RecordAt(*paper, 1).Kind(), static_cast<uint32_t>(ObjectKind::Rect));
    EXPECT_EQ(editor->session.activeToolInstance, nullptr);
}

TEST_F(LineToolsTest, EachLineToolCommitsItsKindAndPreviewsItsShape) {
    struct Case {
        const char* tool;
        ObjectKind kind;
    };
    for (const Case& c :
         {Case{"line", ObjectKind::Line}, Case{"dashed_line", ObjectKind::DashedLine},
          Case{"arrow", ObjectKind::Arrow}, Case{"measurement", ObjectKind::Measurement}}) {
        SCOPED_TRACE(c.tool);
        paper->objects.clear();
        ClickEntry(c.tool);
        ClickPaper(96, 240);
        MovePaper(288, 240);
        Run();
        SaveFrame(std::string("preview_") + c.tool);
        // The preview runs along y 240 from the start to the pointer: solid,
        // or dashed ten pixels on and ten off.
        const SDL_Point on = At(96 + 5, 240);
        const SDL_Point off = At(96 + 15, 240);
        EXPECT_TRUE(IsWhite(app.PixelAt(on.x, on.y)));
        if (c.kind == ObjectKind::DashedLine) {
            EXPECT_FALSE(IsWhite(app.PixelAt(off.x, off.y)));
        } else {
            EXPECT_TRUE(IsWhite(app.PixelAt(off.x, off.y)));
        }
        if (c.kind == ObjectKind::Arrow) {
            // The head's back corners lie ten pixels behind the tip.
            const SDL_Point corner = At(288 - 10, 240 - 10);
            EXPECT_TRUE(IsWhite(app.PixelAt(corner.x, corner.y)));
        }
        ClickPaper(288, 240);
        app.PressKey(SDLK_ESCAPE);
        Run();
        ASSERT_EQ(paper->objects.size(), 1u);
        EXPECT_EQ(RecordAt(*paper, 0).Kind(), static_cast<uint32_t>(c.kind));
    }
}
