#include "app/AppHarness.h"

#include "app/Editor.h"
#include "app/StatusLine.h"
#include "app/StatusNotice.h"
#include "document/Paper.h"
#include "tools/Tool.h"
#include "ui/Menu.h"

#include <SDL2/SDL_ttf.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ctime>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// A paper in inches with 24-pixel blocks, four to the inch, active while the
// object lives.
struct ActivePaper {
    Paper paper;
    ActivePaper() {
        paper.unitIndex = 1;
        editor->session.activePaper = &paper;
    }
    ~ActivePaper() { editor->session.activePaper = nullptr; }
};

class TextTool final : public Tool {
  public:
    TextTool(std::string text, bool showsRotation)
        : text_(std::move(text)), showsRotation_(showsRotation) {}
    void Render(PaperView& /*view*/, const ToolContext& /*context*/) override {}
    bool GetStatusText(const ToolContext& /*context*/, std::string& text) override {
        text = text_;
        return !text_.empty();
    }
    bool ShowsRotation() override { return showsRotation_; }

  private:
    std::string text_;
    bool showsRotation_;
};

int64_t Now() {
    return static_cast<int64_t>(std::time(nullptr));
}

} // namespace

TEST(StatusLineTest, JoinsItemsWithTheSeparatorBetweenNeighbours) {
    EXPECT_EQ(JoinStrings({}, " | "), "");
    EXPECT_EQ(JoinStrings({"one"}, " | "), "one");
    EXPECT_EQ(JoinStrings({"one", "", "three"}, " | "), "one |  | three");
}

TEST(StatusLineTest, NoticeShowsForItsFiveSecondsBeforeTheOtherItems) {
    EXPECT_THAT(BuildStatusItems(Now()), ElementsAre("No file loaded."));

    ShowStatusNotice("File saved.");
    const int64_t posted = editor->ui.statusNoticeExpiry - 5;
    EXPECT_GE(posted, Now() - 1);
    for (int64_t t = posted; t <= posted + 4; ++t) {
        EXPECT_THAT(BuildStatusItems(t), ElementsAre("File saved.", "No file loaded.")) << t;
    }
    EXPECT_THAT(BuildStatusItems(posted + 5), ElementsAre("No file loaded."));

    ShowStatusNotice(std::string(300, 'x') + "tail");
    const std::vector<std::string> items = BuildStatusItems(posted + 1);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0], std::string(255, 'x'));
    // Cut between characters, never inside one: 127 two-byte letters fit.
    std::string accents;
    for (int i = 0; i < 200; ++i) {
        accents += "\xC3\xA9";
    }
    ShowStatusNotice(accents);
    EXPECT_EQ(BuildStatusItems(posted + 1)[0], accents.substr(0, 254));

    ShowStatusNotice("");
    EXPECT_THAT(BuildStatusItems(Now()), ElementsAre("No file loaded."));
}

TEST(StatusLineTest, PositionItemsInThePapersUnit) {
    ActivePaper active;
    editor->session.mousePaperPos = {96, 192};
    editor->session.mouseGridPos = {4, 8};
    EXPECT_THAT(BuildStatusItems(Now()),
                ElementsAre("mpos: 1.00,2.00 in", "gpos: 1.00, 2.00 in", "physpos: 1.00, 2.00 in"));

    // Feet at two blocks to the unit; the physical position stays in inches.
    active.paper.unitIndex = 0;
    active.paper.blocksPerUnit = 2;
    editor->session.mousePaperPos = {30, 0};
    editor->session.mouseGridPos = {1, 0};
    EXPECT_THAT(BuildStatusItems(Now()),
                ElementsAre("mpos: 0.62,0.00 ft", "gpos: 0.50, 0.00 ft", "physpos: 0.31, 0.00 in"));

    // An unknown unit still shows the numbers.
    active.paper.unitIndex = 9;
    EXPECT_EQ(BuildStatusItems(Now())[0], "mpos: 0.62,0.00 ???");

    // Before the mouse has been over the paper there is no position.
    editor->session.mousePaperPos = {-1, -1};
    EXPECT_THAT(BuildStatusItems(Now()), IsEmpty());
    editor->session.mousePaperPos = {5, -1};
    EXPECT_THAT(BuildStatusItems(Now()), IsEmpty());
}

TEST(StatusLineTest, SelectionMoveInBlocksOrPixels) {
    ActivePaper active;
    editor->session.selectionDragging = true;
    editor->session.mousePaperPos = {96, 192};
    editor->session.mouseGridPos = {4, 8};
    editor->session.dragAnchor = {2, 12}; // blocks while the grid lock is on
    EXPECT_THAT(BuildStatusItems(Now()),
                ElementsAre("mpos: 1.00,2.00 in", "gpos: 1.00, 2.00 in", "moving: 0.50, -1.00 in",
                            "physpos: 1.00, 2.00 in"));

    editor->session.gridLock = false;
    editor->session.dragAnchor = {48, 180}; // pixels without it; no grid position either
    EXPECT_THAT(BuildStatusItems(Now()), ElementsAre("mpos: 1.00,2.00 in", "moving: 0.50, 0.12 in",
                                                     "physpos: 1.00, 2.00 in"));
}

TEST(StatusLineTest, ToolItemsFollowThePositions) {
    ActivePaper active;
    editor->session.mousePaperPos = {-1, -1};
    editor->session.activeToolInstance = std::make_unique<TextTool>("length: 2.00 in", true);
    EXPECT_THAT(BuildStatusItems(Now()), ElementsAre("length: 2.00 in"));

    editor->session.rotationAngle = -45;
    EXPECT_THAT(BuildStatusItems(Now()), ElementsAre("angle: -45\xC2\xB0", "length: 2.00 in"));

    editor->session.activeToolInstance = std::make_unique<TextTool>("", false);
    EXPECT_THAT(BuildStatusItems(Now()), IsEmpty()) << "no angle for tools that do not rotate";

    editor->session.activeToolInstance = std::make_unique<TextTool>(std::string(400, 'y'), false);
    EXPECT_EQ(BuildStatusItems(Now())[0].size(), 255u);
    std::string euros = "x";
    for (int i = 0; i < 100; ++i) {
        euros += "\xE2\x82\xAC";
    }
    editor->session.activeToolInstance = std::make_unique<TextTool>(euros, false);
    EXPECT_EQ(BuildStatusItems(Now())[0], euros.substr(0, 253)) << "whole euro signs only";
    editor->session.activeToolInstance.reset();
}

TEST(StatusLineTest, MoveCursorOnlyWhereTheSelectToolCanMoveTheSelection) {
    editor->shell.paperViewRect = {100, 30, 800, 600};
    editor->session.mouseWindowPos = {300, 300};
    std::snprintf(editor->session.currentToolName, sizeof editor->session.currentToolName,
                  "SeLeCt");
    editor->session.selectionDragging = true;
    EXPECT_EQ(ChooseCursor(), SDL_SYSTEM_CURSOR_ARROW) << "no paper";

    ActivePaper active;
    EXPECT_EQ(ChooseCursor(), SDL_SYSTEM_CURSOR_SIZEALL);

    MENU menu;
    editor->ui.openMenu = &menu;
    EXPECT_EQ(ChooseCursor(), SDL_SYSTEM_CURSOR_ARROW) << "a menu is open";
    editor->ui.openMenu = nullptr;

    editor->session.activeToolInstance = std::make_unique<TextTool>("", false);
    EXPECT_EQ(ChooseCursor(), SDL_SYSTEM_CURSOR_ARROW) << "an operation is in progress";
    editor->session.activeToolInstance.reset();

    editor->session.mouseWindowPos = {50, 300};
    EXPECT_EQ(ChooseCursor(), SDL_SYSTEM_CURSOR_ARROW) << "over the toolbox";
    editor->session.mouseWindowPos = {300, 300};

    std::snprintf(editor->session.currentToolName, sizeof editor->session.currentToolName, "line");
    EXPECT_EQ(ChooseCursor(), SDL_SYSTEM_CURSOR_ARROW) << "another tool";
    std::snprintf(editor->session.currentToolName, sizeof editor->session.currentToolName,
                  "select");

    editor->session.selectionDragging = false;
    EXPECT_EQ(ChooseCursor(), SDL_SYSTEM_CURSOR_ARROW) << "not over a selection";
}

TEST(StatusLineTest, MouseOverThePaperViewShowsThePhysicalPosition) {
    AppHarness app;
    ASSERT_TRUE(app.Start());
    ActivePaper active;
    app.MouseMove(editor->shell.paperViewRect.x + 96, editor->shell.paperViewRect.y + 192);
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_THAT(BuildStatusItems(Now()),
                ElementsAre("mpos: 1.00,2.00 in", "gpos: 1.00, 2.00 in", "physpos: 1.00, 2.00 in"));
    // Drawn: the line reaches further right than "No file loaded." would.
    int shortWidth = 0;
    TTF_SizeUTF8(editor->shell.statusFont.get(), "No file loaded.", &shortWidth, nullptr);
    const SDL_Rect text = app.BoundsOfPixels(editor->shell.statusBarRect, [](const SDL_Color& c) {
        return c.r > 160 && c.g > 160 && c.b > 160;
    });
    EXPECT_GT(text.w, 2 * shortWidth);
}
