#include "ToolTestSupport.h"

#include "document/ObjectRecord.h"
#include "tools/ToolLine.h"

namespace {

class LineToolsTest : public ProgramWithPaper {};

} // namespace

TEST_F(LineToolsTest, AChainOfClicksOnTheGridCommitsOneLinePerSegment) {
    ClickEntry("line");
    Run();
    EXPECT_STREQ(currentToolName, "line");
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
    EXPECT_EQ(activeToolInstance, nullptr);
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
