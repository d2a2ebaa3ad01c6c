#include "app/AppHarness.h"

#include "app/ActiveTool.h"
#include "app/Editor.h"
#include "app/Frame.h"
#include "app/Layout.h"
#include "app/OpenTestPaper.h"
#include "app/StatusNotice.h"
#include "document/ObjectRecord.h"
#include "document/Paper.h"
#include "tools/Tool.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const SDL_Color kMagenta = {255, 0, 255, 255};
const SDL_Color kWorkspace = {33, 40, 48, 255};

class CountingTool final : public Tool {
  public:
    explicit CountingTool(int& begun, int& destroyed) : begun_(begun), destroyed_(destroyed) {}
    ~CountingTool() override { ++destroyed_; }
    void Begin(const ToolContext& /*context*/) override { ++begun_; }
    void Render(PaperView& /*view*/, const ToolContext& /*context*/) override {}

  private:
    int& begun_;
    int& destroyed_;
};

// The pixels of `area` in the frame last drawn, row by row.
std::vector<uint32_t> PixelsOf(const SDL_Rect& area) {
    std::vector<uint32_t> pixels(static_cast<size_t>(area.w) * area.h);
    EXPECT_EQ(SDL_RenderReadPixels(editor->shell.renderer.get(), &area, SDL_PIXELFORMAT_RGBA32,
                                   pixels.data(), area.w * 4),
              0);
    return pixels;
}

} // namespace

TEST(MainLoopTest, ResizingBelowTheMinimumSnapsBack) {
    AppHarness app;
    ASSERT_TRUE(app.Start());
    app.ResizeWindow(1300, 900);
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_EQ(editor->shell.statusBarRect.y + editor->shell.statusBarRect.h, 900);
    EXPECT_EQ(editor->shell.paperViewRect.x + editor->shell.paperViewRect.w, 1300);

    app.ResizeWindow(800, 600);
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_EQ(app.WindowSize().x, 1024);
    EXPECT_EQ(app.WindowSize().y, 768);
    EXPECT_EQ(editor->shell.statusBarRect.y + editor->shell.statusBarRect.h, 768);
    EXPECT_EQ(editor->shell.paperViewRect.x + editor->shell.paperViewRect.w, 1024);
}

TEST(MainLoopTest, MousePositionsFollowTheMouseOverThePaper) {
    editor->shell.paperViewRect = {100, 30, 800, 600};
    UpdateMousePosition(500, 300);
    EXPECT_EQ(editor->session.mouseWindowPos, (SDL_Point{500, 300}));
    EXPECT_EQ(editor->session.mousePaperPos, (SDL_Point{-1, -1})) << "no paper";
    EXPECT_EQ(editor->session.mouseGridPos, (SDL_Point{-1, -1}));
    EXPECT_EQ(editor->session.toolPos, (SDL_Point{-1, -1}));

    OpenTestPaper active;
    active.view.scrollX = 48;
    active.view.scrollY = 0;
    // Paper (60, 35): 2.5 blocks across rounds away from zero, 1.46 down rounds down.
    UpdateMousePosition(100 + 12, 30 + 35);
    EXPECT_EQ(editor->session.mousePaperPos, (SDL_Point{60, 35}));
    EXPECT_EQ(editor->session.mouseGridPos, (SDL_Point{3, 1}));
    EXPECT_EQ(editor->session.toolPos, (SDL_Point{72, 24}));

    editor->session.gridLock = false;
    UpdateMousePosition(100 + 13, 30 + 36);
    EXPECT_EQ(editor->session.toolPos, (SDL_Point{61, 36}));

    // Outside the view only the window position follows.
    editor->session.gridLock = true;
    UpdateMousePosition(50, 700);
    EXPECT_EQ(editor->session.mouseWindowPos, (SDL_Point{50, 700}));
    EXPECT_EQ(editor->session.mousePaperPos, (SDL_Point{61, 36}));
    EXPECT_EQ(editor->session.mouseGridPos, (SDL_Point{3, 2}));
    EXPECT_EQ(editor->session.toolPos, (SDL_Point{72, 48}));
}

TEST(MainLoopTest, CrosshairMarksTheToolPositionInsideTheView) {
    AppHarness app;
    ASSERT_TRUE(app.Start());
    app.MouseMove(editor->shell.paperViewRect.x + 50, editor->shell.paperViewRect.y + 50);
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_EQ(editor->session.toolPos, (SDL_Point{-1, -1}));
    EXPECT_EQ(app.PixelAt(editor->shell.paperViewRect.x + 50, editor->shell.paperViewRect.y + 50),
              kWorkspace);

    OpenTestPaper active;
    // 50 pixels in is 2.08 blocks: the cross sits on the grid point at 48.
    app.MouseMove(editor->shell.paperViewRect.x + 50, editor->shell.paperViewRect.y + 50);
    ASSERT_TRUE(app.RunPasses(1));
    const int cx = editor->shell.paperViewRect.x + 48;
    const int cy = editor->shell.paperViewRect.y + 48;
    EXPECT_EQ(app.PixelAt(cx, cy), kMagenta);
    EXPECT_EQ(app.PixelAt(cx - 6, cy), kMagenta);
    EXPECT_EQ(app.PixelAt(cx + 6, cy), kMagenta);
    EXPECT_EQ(app.PixelAt(cx, cy - 6), kMagenta);
    EXPECT_EQ(app.PixelAt(cx, cy + 6), kMagenta);
    EXPECT_NE(app.PixelAt(cx + 7, cy), kMagenta);
    EXPECT_NE(app.PixelAt(cx + 3, cy + 3), kMagenta);

    // Scrolled so that the tool position lies left of the view: no cross.
    active.view.scrollX = 96;
    app.MouseMove(editor->shell.paperViewRect.x + 50, editor->shell.paperViewRect.y + 50);
    app.MouseMove(editor->shell.paperViewRect.x - 10, editor->shell.paperViewRect.y + 50);
    editor->session.toolPos = {0, 48};
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_NE(app.PixelAt(editor->shell.paperViewRect.x + 2, editor->shell.paperViewRect.y + 48),
              kMagenta);
}

TEST(MainLoopTest, PassesArePacedToTheFramePeriod) {
    AppHarness app;
    ASSERT_TRUE(app.Start());
    editor->shell.framePeriodMs = 40;
    const Uint32 start = SDL_GetTicks();
    ASSERT_TRUE(app.RunPasses(3));
    EXPECT_GE(SDL_GetTicks() - start, 3u * 40u - 3u);
}

TEST(MainLoopTest, DroppedFilesAndUnhandledInputAreReleased) {
    AppHarness app;
    ASSERT_TRUE(app.Start());
    for (uint32_t type : {SDL_DROPFILE, SDL_DROPTEXT}) {
        SDL_Event drop = {};
        drop.type = type;
        drop.drop.file = SDL_strdup("/tmp/dropped.tsln");
        app.Push(drop);
    }
    app.Click(500, 400, SDL_BUTTON_LEFT, 2);
    app.Wheel(0, -1);
    app.PressKey(SDLK_a, KMOD_LCTRL);
    app.TypeText("a long text of more than thirty-one bytes, with ünïcödé");
    ASSERT_TRUE(app.RunPasses(2));
    EXPECT_EQ(editor->session.mouseWindowPos, (SDL_Point{500, 400}));
    EXPECT_EQ(SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT), 0);
}

TEST(MainLoopTest, ReplacingTheToolEndsTheOldOperationFirst) {
    int begun = 0;
    int destroyed = 0;
    SetActiveToolInstance(std::make_unique<CountingTool>(begun, destroyed));
    EXPECT_EQ(begun, 1);
    SetActiveToolInstance(std::make_unique<CountingTool>(begun, destroyed));
    EXPECT_EQ(begun, 2);
    EXPECT_EQ(destroyed, 1);
    SetActiveToolInstance(nullptr);
    EXPECT_EQ(destroyed, 2);
    EXPECT_EQ(editor->session.activeToolInstance, nullptr);
}

TEST(MainLoopTest, AWiderWindowBringsBackThePartOfThePaperScrolledAway) {
    AppHarness app;
    ASSERT_TRUE(app.Start());
    OpenTestPaper active;
    Paper& paper = active.paper;
    ASSERT_TRUE(paper.SetSize(1500, 1100));
    // Scrolled to the far corner, as far as the view allows.
    active.view.scrollX = 1500 - editor->shell.paperViewRect.w;
    active.view.scrollY = 1100 - editor->shell.paperViewRect.h;
    ASSERT_GT(active.view.scrollX, 300);
    app.ResizeWindow(1400, 1000);
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_EQ(active.view.scrollX, 1500 - editor->shell.paperViewRect.w)
        << "the far edge meets the view's";
    EXPECT_EQ(active.view.scrollY, 1100 - editor->shell.paperViewRect.h);
    app.ResizeWindow(1024, 768);
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_EQ(active.view.scrollX, 1500 - 1400 + editor->shell.paperViewRect.x)
        << "a smaller window keeps it";
}

TEST(MainLoopTest, ThePaperShowsFromItsScrollPositionWithoutStretching) {
    AppHarness app;
    ASSERT_TRUE(app.Start());
    OpenTestPaper active;
    Paper& paper = active.paper;
    ASSERT_TRUE(paper.SetSize(400, 300));
    const SDL_Color white = {255, 255, 255, 255};
    const SDL_Color black = {0, 0, 0, 255};
    paper.palette.backgroundColor = white;
    paper.palette.objectColor = black;
    editor->session.gridVisible = false;
    ObjectRecord mark;
    mark.SetKind(ObjectKind::Rect);
    mark.SetX1(200);
    mark.SetY1(100);
    mark.SetX2(210);
    mark.SetY2(110);
    ASSERT_TRUE(paper.CreateAndAddObject(mark, OnLayer{editor->session.currentLayer}));
    active.view.scrollX = 150;
    active.view.scrollY = 50;

    ASSERT_TRUE(app.RunPasses(1));
    const int x = editor->shell.paperViewRect.x;
    const int y = editor->shell.paperViewRect.y;
    // The paper is drawn at 16 bits per pixel, so its white comes back a shade off.
    const SDL_Color paperWhite = app.PixelAt(x, y);
    EXPECT_GE(paperWhite.g, 250);
    EXPECT_EQ(app.PixelAt(x + 50, y + 50), black) << "the rectangle's corner at paper (200, 100)";
    EXPECT_EQ(app.PixelAt(x + 55, y + 55), paperWhite);
    // The paper ends 250 by 250 pixels into the view.
    EXPECT_EQ(app.PixelAt(x + 249, y + 249), paperWhite);
    EXPECT_EQ(app.PixelAt(x + 250, y + 10), kWorkspace);
    EXPECT_EQ(app.PixelAt(x + 10, y + 250), kWorkspace);

    // Scrolled past the paper's end: nothing to show, nothing stretched.
    active.view.scrollX = 500;
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_EQ(app.PixelAt(x + 5, y + 5), kWorkspace);
}

// Paced as in the program, a window at rest draws nothing and sleeps; input,
// a new notice and a notice running out each bring one frame.
TEST(MainLoopTest, AtRestNoFrameIsDrawnUntilSomethingChanges) {
    AppHarness app;
    ASSERT_TRUE(app.Start());
    editor->shell.framePeriodMs = 1;
    ASSERT_TRUE(app.RunPasses(2));
    const uint64_t atRest = editor->ui.framePacing.framesDrawn;
    ASSERT_GT(atRest, 0u);
    const Uint32 before = SDL_GetTicks();
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_EQ(editor->ui.framePacing.framesDrawn, atRest);
    EXPECT_GE(SDL_GetTicks() - before, 400u) << "an idle pass waits for events";

    app.MouseMove(300, 300);
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_EQ(editor->ui.framePacing.framesDrawn, atRest + 1);
    ShowStatusNotice("Saved.");
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_EQ(editor->ui.framePacing.framesDrawn, atRest + 2);
    editor->ui.statusNoticeExpiry = 1; // long past
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_EQ(editor->ui.framePacing.framesDrawn, atRest + 3);
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_EQ(editor->ui.framePacing.framesDrawn, atRest + 3);
    editor->shell.framePeriodMs = 0;
}

// The window's texts are kept as textures from one frame to the next: a text
// that changes shows at once, one shown again looks as it did, and the texts
// of earlier frames do not pile up while the pointer moves.
TEST(MainLoopTest, TextsKeptBetweenFramesFollowEveryChange) {
    AppHarness app;
    ASSERT_TRUE(app.Start());
    OpenTestPaper active;
    const SDL_Rect status = editor->shell.statusBarRect;
    const SDL_Point start = {editor->shell.paperViewRect.x + 40,
                             editor->shell.paperViewRect.y + 40};
    app.MouseMove(start.x, start.y);
    ASSERT_TRUE(app.RunPasses(1));
    const std::vector<uint32_t> atStart = PixelsOf(status);
    const size_t textsAtStart = editor->shell.windowTexts.Size();
    ASSERT_GT(textsAtStart, 0u);

    for (int step = 1; step <= 20; ++step) {
        app.MouseMove(start.x + step * 7, start.y + step * 5);
        ASSERT_TRUE(app.RunPasses(1));
    }
    EXPECT_NE(PixelsOf(status), atStart) << "the position read-out moved on";
    EXPECT_EQ(editor->shell.windowTexts.Size(), textsAtStart)
        << "only the texts of the last frame are kept";

    app.MouseMove(start.x, start.y);
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_EQ(PixelsOf(status), atStart);
}
