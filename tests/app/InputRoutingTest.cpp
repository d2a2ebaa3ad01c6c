#include "tools/ToolTestSupport.h"

#include "app/GridCommands.h"
#include "app/InputRouting.h"
#include "app/PaperWindows.h"
#include "app/StatusLine.h"

#include <algorithm>

namespace {

class InputRoutingTest : public ProgramWithPaper {
  protected:
    // A rectangle from (x1, y1) to (x2, y2) on the current layer, selected.
    std::shared_ptr<PaperObject> AddSelectedRect(int x1, int y1, int x2, int y2) {
        ObjectRecord record;
        record.SetKind(ObjectKind::Rect);
        record.SetX1(x1);
        record.SetY1(y1);
        record.SetX2(x2);
        record.SetY2(y2);
        paper->CreateAndAddObject(record, OnLayer{editor->session.currentLayer});
        std::shared_ptr<PaperObject> object = paper->objects.back();
        paper->selection.emplace(object->id, object);
        return object;
    }
    static SDL_Point First(const PaperObject& object) {
        return {object.record.X1(), object.record.Y1()};
    }
    bool HasStatusItem(const std::string& prefix) const {
        const std::vector<std::string> items = BuildStatusItems(0);
        return std::any_of(items.begin(), items.end(), [&](const std::string& item) {
            return item.compare(0, prefix.size(), prefix) == 0;
        });
    }
};

} // namespace

TEST_F(InputRoutingTest, DraggingTheSelectionWithTheGridLockMovesWholeBlocks) {
    const auto rect = AddSelectedRect(48, 48, 96, 96);
    paper->undoStack.clear();
    // Press on the rectangle's left edge, two pixels off it.
    const SDL_Point from = At(50, 60);
    app.MouseMove(from.x, from.y);
    app.MouseDown(from.x, from.y);
    // 1.3 blocks right and 0.6 down: the nearest grid points are one block
    // right and one down of the start's (60 is 2.5 blocks, rounded up).
    const SDL_Point to = At(50 + 31, 60 + 14);
    app.MouseMove(to.x, to.y);
    Run();
    EXPECT_TRUE(editor->session.selectionDragging);
    EXPECT_EQ(editor->session.activeToolInstance, nullptr) << "no rubber band over the selection";
    EXPECT_TRUE(HasStatusItem("moving: 0.25, 0.00 ft"));
    SaveFrame("selection_drag");

    app.MouseUp(to.x, to.y);
    Run();
    EXPECT_FALSE(editor->session.selectionDragging);
    EXPECT_EQ(First(*rect), (SDL_Point{72, 48}));
    EXPECT_EQ(rect->record.X2(), 120);
    ASSERT_EQ(paper->undoStack.size(), 1u);
    EXPECT_EQ(paper->undoStack[0]->kind, UndoKind::Moved);
    EXPECT_EQ(static_cast<const MoveCommand&>(*paper->undoStack[0]).dx, 24);
    EXPECT_TRUE(paper->selection.count(rect->id) != 0) << "still selected";

    // Without the grid lock the drop follows the pointer to the pixel.
    app.PressKey(SDLK_F6);
    const SDL_Point start = At(74, 70);
    const SDL_Point end = At(74 + 7, 70 - 3);
    app.Drag(start, end);
    Run();
    EXPECT_EQ(First(*rect), (SDL_Point{79, 45}));
    EXPECT_EQ(paper->undoStack.size(), 2u);

    // A drag dropped on the toolbox moves nothing.
    const SDL_Point grab = At(79, 60);
    app.MouseMove(grab.x, grab.y);
    app.MouseDown(grab.x, grab.y);
    app.MouseMove(40, 400);
    app.MouseUp(40, 400);
    Run();
    EXPECT_FALSE(editor->session.selectionDragging);
    EXPECT_EQ(First(*rect), (SDL_Point{79, 45}));
}

TEST_F(InputRoutingTest, ArrowKeysMoveTheSelectionByOnePixelOrScrollByOneBlock) {
    const auto rect = AddSelectedRect(48, 48, 96, 96);
    app.PressKey(SDLK_RIGHT);
    app.PressKey(SDLK_d);
    app.PressKey(SDLK_DOWN);
    app.PressKey(SDLK_w);
    app.PressKey(SDLK_w);
    app.PressKey(SDLK_LEFT, KMOD_NUM | KMOD_CAPS);
    Run();
    EXPECT_EQ(First(*rect), (SDL_Point{49, 47}));
    EXPECT_EQ(view->scrollX, 0);
    EXPECT_EQ(CountUndo(UndoKind::Moved), 6u);
    app.PressKey(SDLK_UP);
    app.PressKey(SDLK_a);
    app.PressKey(SDLK_s);
    app.PressKey(SDLK_s);
    Run();
    EXPECT_EQ(First(*rect), (SDL_Point{48, 48}));
    app.PressKey(SDLK_a, KMOD_LSHIFT);
    Run();
    EXPECT_EQ(First(*rect), (SDL_Point{48, 48})) << "Shift+a is no shortcut";

    // Without a selection the view scrolls, held keys repeating, and stops
    // where the paper's far edge meets the view's.
    paper->selection.clear();
    app.MouseMove(At(200, 200).x, At(200, 200).y);
    for (int i = 0; i < 20; ++i) {
        app.PressKey(SDLK_RIGHT);
    }
    Run();
    const int lastX = paper->width - editor->shell.paperViewRect.w;
    ASSERT_GT(lastX, 0);
    EXPECT_EQ(view->scrollX, lastX);
    EXPECT_EQ(editor->session.mousePaperPos.x, 200 + lastX)
        << "the pointer's paper position follows the view";
    app.PressKey(SDLK_LEFT);
    Run();
    EXPECT_EQ(view->scrollX, lastX - 24);
    for (int i = 0; i < 20; ++i) {
        app.PressKey(SDLK_a);
    }
    app.PressKey(SDLK_UP);
    Run();
    EXPECT_EQ(view->scrollX, 0);
    EXPECT_EQ(view->scrollY, 0);

    // A paper narrower than the view never scrolls.
    ASSERT_TRUE(paper->SetSize(400, 300));
    app.PressKey(SDLK_RIGHT);
    app.PressKey(SDLK_DOWN);
    Run();
    EXPECT_EQ(view->scrollX, 0);
    EXPECT_EQ(view->scrollY, 0);
}

TEST_F(InputRoutingTest, DeleteUndoAndTheirModifiers) {
    AddSelectedRect(48, 48, 96, 96);
    app.PressKey(SDLK_DELETE);
    Run();
    EXPECT_TRUE(paper->objects.empty());
    app.PressKey(SDLK_z, KMOD_LCTRL | KMOD_LSHIFT);
    app.PressKey(SDLK_z, KMOD_RCTRL | KMOD_LALT);
    Run();
    EXPECT_TRUE(paper->objects.empty()) << "Ctrl+Shift+Z and Ctrl+Alt+Z do nothing";
    app.PressKey(SDLK_z, KMOD_RCTRL);
    Run();
    EXPECT_EQ(paper->objects.size(), 1u);
    app.PressKey(SDLK_z);
    Run();
    EXPECT_EQ(paper->objects.size(), 1u) << "z alone is no shortcut";
    app.PressKey(SDLK_z, KMOD_LCTRL);
    Run();
    EXPECT_TRUE(paper->objects.empty()) << "the rectangle's addition undone";

    editor->session.activePaper = nullptr;
    app.PressKey(SDLK_z, KMOD_LCTRL);
    app.PressKey(SDLK_DELETE);
    app.PressKey(SDLK_e);
    app.PressKey(SDLK_F4);
    app.PressKey(SDLK_RIGHT);
    Run();
    EXPECT_TRUE(paper->undoStack.empty()) << "nothing happens without a paper";
    EXPECT_TRUE(paper->objects.empty());
}

TEST_F(InputRoutingTest, CtrlWithALayerKeyMovesTheSelectionToThatLayer) {
    app.PressKey(SDLK_3, KMOD_LCTRL);
    Run();
    EXPECT_FALSE(paper->modified) << "nothing selected: nothing to do";

    const auto a = AddSelectedRect(0, 0, 10, 10);
    const auto b = AddSelectedRect(20, 0, 30, 10);
    const auto c = AddSelectedRect(40, 0, 50, 10);
    paper->modified = false;
    const size_t undoDepth = paper->undoStack.size();
    app.PressKey(SDLK_3, KMOD_LCTRL);
    Run();
    for (const auto& object : {a, b, c}) {
        EXPECT_EQ(object->record.Layer(), 2);
    }
    EXPECT_EQ(paper->selection.size(), 3u) << "they stay selected";
    EXPECT_TRUE(paper->modified);
    EXPECT_EQ(editor->session.currentLayer, 0) << "the current layer stays";
    app.PressKey(SDLK_z, KMOD_LCTRL);
    Run();
    for (const auto& object : {a, b, c}) {
        EXPECT_EQ(object->record.Layer(), 0) << "one Undo takes the whole move back";
    }
    EXPECT_EQ(paper->undoStack.size(), undoDepth);

    app.PressKey(SDLK_p, KMOD_RCTRL);
    Run();
    EXPECT_EQ(a->record.Layer(), 15);
    app.PressKey(SDLK_g, KMOD_RCTRL);
    Run();
    EXPECT_EQ(a->record.Layer(), 15) << "g is no layer key";
}

TEST_F(InputRoutingTest, LayerKeysChooseTheLayerAndMarkItsButton) {
    const std::pair<SDL_Keycode, int> keys[] = {{SDLK_1, 0},  {SDLK_9, 8},  {SDLK_0, 9},
                                                {SDLK_t, 10}, {SDLK_y, 11}, {SDLK_u, 12},
                                                {SDLK_i, 13}, {SDLK_o, 14}, {SDLK_p, 15}};
    for (const auto& [key, layer] : keys) {
        EXPECT_EQ(LayerOfKey(key), layer);
    }
    EXPECT_EQ(LayerOfKey(SDLK_KP_3), -1) << "only the main row's digits";

    app.PressKey(SDLK_3, KMOD_CAPS | KMOD_NUM);
    Run();
    EXPECT_EQ(editor->session.currentLayer, 2);
    EXPECT_TRUE(FindToolboxEntry("layer_2")->selected);
    EXPECT_FALSE(FindToolboxEntry("layer_0")->selected);
    app.PressKey(SDLK_5, KMOD_LSHIFT);
    app.PressKey(SDLK_5, KMOD_LGUI);
    app.PressKey(SDLK_5, KMOD_MODE);
    Run();
    EXPECT_EQ(editor->session.currentLayer, 2) << "held modifiers make it no layer key";

    // The layer keys work without a paper too.
    editor->session.activePaper = nullptr;
    app.PressKey(SDLK_o);
    Run();
    EXPECT_EQ(editor->session.currentLayer, 14);
    EXPECT_TRUE(FindToolboxEntry("layer_14")->selected);
}

TEST_F(InputRoutingTest, FunctionKeysRecolourAndToggleTheGrid) {
    const auto rect = AddSelectedRect(48, 48, 96, 96);
    paper->modified = false;
    app.PressKey(SDLK_F4);
    Run();
    EXPECT_EQ(rect->record.Color(), (SDL_Color{255, 255, 255, 255})) << "the palette's colour";
    EXPECT_TRUE(paper->modified);
    paper->drawColor = {200, 10, 20, 255};
    app.PressKey(SDLK_F4);
    Run();
    EXPECT_EQ(rect->record.Color(), (SDL_Color{200, 10, 20, 255}));
    app.PressKey(SDLK_z, KMOD_LCTRL);
    Run();
    EXPECT_EQ(rect->record.Color(), (SDL_Color{255, 255, 255, 255})) << "Undo takes one back";
    paper->selection.clear();
    paper->modified = false;
    app.PressKey(SDLK_F4);
    Run();
    EXPECT_FALSE(paper->modified) << "nothing selected: nothing changed";

    app.PressKey(SDLK_F5);
    Run();
    EXPECT_FALSE(editor->session.gridVisible);
    app.PressKey(SDLK_F5);
    Run();
    EXPECT_TRUE(editor->session.gridVisible);

    MovePaper(30, 37);
    Run();
    EXPECT_NE(editor->session.toolPos, editor->session.mousePaperPos)
        << "snapped while the lock is on";
    editor->session.selectionDragging = true;
    app.PressKey(SDLK_F6);
    Run();
    EXPECT_FALSE(editor->session.gridLock);
    EXPECT_FALSE(editor->session.selectionDragging) << "a move in progress ends";
    EXPECT_EQ(editor->session.toolPos, editor->session.mousePaperPos)
        << "the tool position lets go of the grid at once";
}

TEST_F(InputRoutingTest, AGridOfOtherSquaresMovesTheToolPositionAtOnce) {
    MovePaper(30, 37);
    Run();
    app.MouseMove(editor->shell.menuBarRect.x + 5,
                  editor->shell.menuBarRect.y + 5); // as when choosing from a menu
    Run();
    ChooseLinesPerInch(2, nullptr);
    ASSERT_EQ(paper->blockWidth, 48);
    EXPECT_EQ(editor->session.toolPos, (SDL_Point{48, 48}))
        << "the grid point nearest (30, 37) on the new grid";
    ChooseLinesPerInch(8, nullptr);
    EXPECT_EQ(editor->session.toolPos, (SDL_Point{36, 36}));
}

TEST_F(InputRoutingTest, EscapeAndTheRightButtonEndTheOperationWithoutCommitting) {
    ClickEntry("line");
    ClickPaper(48, 48);
    MovePaper(96, 96);
    app.PressKey(SDLK_ESCAPE);
    Run();
    EXPECT_EQ(editor->session.activeToolInstance, nullptr);
    EXPECT_TRUE(paper->objects.empty());
    EXPECT_STREQ(editor->session.currentToolName, "line");

    ClickPaper(48, 48);
    Run();
    ASSERT_NE(editor->session.activeToolInstance, nullptr);
    ClickPaper(96, 96, SDL_BUTTON_RIGHT);
    Run();
    EXPECT_EQ(editor->session.activeToolInstance, nullptr);
    EXPECT_TRUE(paper->objects.empty());
    EXPECT_STREQ(editor->session.currentToolName, "line")
        << "the first right click only ends the chain";

    // With nothing running, a right click on the paper chooses the select tool.
    ClickPaper(96, 96, SDL_BUTTON_RIGHT);
    Run();
    EXPECT_STREQ(editor->session.currentToolName, "select");
    EXPECT_TRUE(FindToolboxEntry("select")->selected);
    EXPECT_FALSE(FindToolboxEntry("line")->selected);
}

TEST_F(InputRoutingTest, ADoubleClickCountsOnce) {
    ClickEntry("line");
    const SDL_Point p = At(48, 48);
    app.DoubleClick(p.x, p.y);
    Run();
    ASSERT_NE(editor->session.activeToolInstance, nullptr) << "the first click started the line";
    EXPECT_TRUE(paper->objects.empty()) << "the second did not end it";
    ClickPaper(144, 48);
    Run();
    EXPECT_EQ(paper->objects.size(), 1u);
}

TEST_F(InputRoutingTest, AReleaseOutsideThePaperViewWorksAtTheLastToolPosition) {
    ClickEntry("rect");
    MovePaper(100, 100);
    // Over the status line: the rectangle starts at the grid point the
    // pointer last had on the paper.
    app.Click(500, editor->shell.statusBarRect.y + 5);
    Run();
    ASSERT_NE(editor->session.activeToolInstance, nullptr);
    ClickPaper(200, 200);
    Run();
    ASSERT_EQ(paper->objects.size(), 1u);
    EXPECT_EQ(RecordAt(*paper, 0).X1(), 96);
    EXPECT_EQ(RecordAt(*paper, 0).Y1(), 96);

    // On a paper the pointer has not been over yet, nothing starts.
    app.MouseMove(500, editor->shell.statusBarRect.y + 5);
    Run();
    OpenTestPaper other(600, 600);
    SetActivePaper(&other.paper);
    app.Click(500, editor->shell.statusBarRect.y + 5);
    Run();
    EXPECT_EQ(editor->session.activeToolInstance, nullptr);
}

TEST_F(InputRoutingTest, TheWheelScrollsFiveBlocksAndStopsAtTheEdges) {
    ASSERT_TRUE(paper->SetSize(3000, 3000));
    app.MouseMove(At(10, 10).x, At(10, 10).y);
    app.Wheel(0, -1);
    app.Wheel(1, 0);
    Run();
    EXPECT_EQ(view->scrollY, 120);
    EXPECT_EQ(view->scrollX, 120);
    EXPECT_EQ(editor->session.mousePaperPos, (SDL_Point{130, 130}));
    app.Wheel(0, 1);
    app.Wheel(0, 1);
    app.Wheel(-1, 0);
    Run();
    EXPECT_EQ(view->scrollY, 0);
    EXPECT_EQ(view->scrollX, 0);

    // A flipped wheel reports the opposite direction.
    SDL_Event flipped = {};
    flipped.type = SDL_MOUSEWHEEL;
    flipped.wheel.y = 1;
    flipped.wheel.direction = SDL_MOUSEWHEEL_FLIPPED;
    app.Push(flipped);
    Run();
    EXPECT_EQ(view->scrollY, 120);
    for (int i = 0; i < 40; ++i) {
        app.Wheel(0, -1);
    }
    Run();
    EXPECT_EQ(view->scrollY, 3000 - editor->shell.paperViewRect.h);
}
