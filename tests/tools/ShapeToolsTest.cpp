#include "tools/ToolTestSupport.h"

#include "app/InputRouting.h"
#include "document/ObjectRecord.h"
#include "tools/ToolCircle.h"
#include "tools/ToolRegistry.h"

namespace {

class ShapeToolsTest : public ProgramWithPaper {
  protected:
    std::string ToolText() {
        std::string text;
        if (editor->session.activeToolInstance == nullptr ||
            !editor->session.activeToolInstance->GetStatusText(ActiveToolContext(), text)) {
            return "(none)";
        }
        return text;
    }
    void HoldKeys(uint16_t modifiers) { SDL_SetModState(static_cast<SDL_Keymod>(modifiers)); }
    void WheelTimes(int times, int dy) {
        for (int i = 0; i < times; ++i) {
            app.Wheel(0, dy);
        }
        Run();
    }
};

} // namespace

TEST_F(ShapeToolsTest, RectangleKeepsItsCornersInTheOrderClicked) {
    ClickEntry("rect");
    ClickPaper(240, 240);
    // One unit is four 24-pixel blocks: up and left by two units and one.
    MovePaper(48, 144);
    Run();
    SaveFrame("rect_preview");
    EXPECT_EQ(ToolText(), "size: -2.00x-1.00 ft");
    const SDL_Point edge = At(240, 200);
    EXPECT_TRUE(IsWhite(app.PixelAt(edge.x, edge.y))) << "the edge through the first corner";

    ClickPaper(48, 144);
    Run();
    EXPECT_EQ(editor->session.activeToolInstance, nullptr) << "one rectangle per operation";
    ASSERT_EQ(paper->objects.size(), 1u);
    const ObjectRecord& rect = RecordAt(*paper, 0);
    EXPECT_EQ(rect.Kind(), static_cast<uint32_t>(ObjectKind::Rect));
    EXPECT_EQ((SDL_Point{rect.X1(), rect.Y1()}), (SDL_Point{240, 240}));
    EXPECT_EQ((SDL_Point{rect.X2(), rect.Y2()}), (SDL_Point{48, 144}));
    EXPECT_EQ(CountUndo(UndoKind::Added), 1u);
}

TEST_F(ShapeToolsTest, ShiftWheelCountsPolygonSidesFromACircleUp) {
    ClickEntry("circle");
    ClickPaper(480, 480);
    MovePaper(480 + 96, 480);
    Run();
    EXPECT_EQ(ToolText(), "rad: 1.00 ft | Shift+M-Wheel for # of sides. M-Wheel to rotate.");

    HoldKeys(KMOD_LSHIFT);
    WheelTimes(1, -1);
    auto* circle = dynamic_cast<ToolCircle*>(editor->session.activeToolInstance.get());
    ASSERT_NE(circle, nullptr);
    EXPECT_EQ(circle->Sides(), 2) << "a circle has no fewer sides";
    WheelTimes(3, 1);
    EXPECT_EQ(circle->Sides(), 5);
    EXPECT_EQ(editor->session.rotationAngle, 0) << "Shift changes the sides, not the angle";
    EXPECT_EQ(ToolText(), "rad: 1.00 ft | sides: 5 | Shift+M-Wheel for # of sides. M-Wheel "
                          "to rotate.");
    HoldKeys(KMOD_RSHIFT);
    WheelTimes(1, -1);
    EXPECT_EQ(circle->Sides(), 4);
    HoldKeys(KMOD_NONE);
    SaveFrame("square_preview");

    ClickPaper(480 + 96, 480);
    Run();
    ASSERT_EQ(paper->objects.size(), 1u);
    const ObjectRecord& square = RecordAt(*paper, 0);
    EXPECT_EQ(square.Kind(), static_cast<uint32_t>(ObjectKind::Circle));
    EXPECT_EQ((SDL_Point{square.X1(), square.Y1()}), (SDL_Point{480, 480}));
    EXPECT_EQ(square.Radius(), 96);
    EXPECT_EQ(square.Sides(), 4);
    EXPECT_EQ(editor->session.activeToolInstance, nullptr);

    // Without moving the pointer the circle has radius 0.
    ClickPaper(240, 240);
    ClickPaper(240, 240);
    Run();
    ASSERT_EQ(paper->objects.size(), 2u);
    EXPECT_EQ(RecordAt(*paper, 1).Radius(), 0);
    EXPECT_EQ(RecordAt(*paper, 1).Sides(), 2);
}

TEST_F(ShapeToolsTest, WheelTurnsInStepsSnappedTowardZero) {
    EXPECT_EQ(RotateByWheel(10, true, 45), 45);
    EXPECT_EQ(RotateByWheel(0, false, 5), 355);
    EXPECT_EQ(RotateByWheel(0, false, 45), 315);
    EXPECT_EQ(RotateByWheel(350, true, 15), 0);
    EXPECT_EQ(RotateByWheel(357, true, 5), 0);
    EXPECT_EQ(RotateByWheel(7, false, 5), 0) << "2 snaps to 0";
    EXPECT_EQ(RotateByWheel(3, false, 15), 0) << "-12 snaps toward zero";
    EXPECT_EQ(RotateByWheel(0, false, 15), 345);
}

TEST_F(ShapeToolsTest, TheWheelTurnsOnlyWhileAnOperationRuns) {
    // Without an operation the wheel scrolls the paper instead.
    ASSERT_TRUE(paper->SetSize(2000, 2000));
    WheelTimes(1, -1);
    EXPECT_EQ(editor->session.rotationAngle, 0);
    EXPECT_EQ(view->scrollY, 5 * 24);

    ClickEntry("circle");
    ClickPaper(480, 480);
    MovePaper(480 + 120, 480);
    editor->session.rotationAngle = 10;
    HoldKeys(KMOD_LCTRL);
    WheelTimes(1, 1);
    EXPECT_EQ(editor->session.rotationAngle, 45);
    HoldKeys(KMOD_RALT);
    WheelTimes(2, -1);
    EXPECT_EQ(editor->session.rotationAngle, 15);
    HoldKeys(KMOD_LCTRL | KMOD_LALT);
    WheelTimes(1, -1);
    EXPECT_EQ(editor->session.rotationAngle, 0) << "Ctrl wins over Alt";
    HoldKeys(KMOD_RCTRL);
    WheelTimes(1, -1);
    EXPECT_EQ(editor->session.rotationAngle, 315);
    editor->session.rotationAngle = 0;
    HoldKeys(KMOD_NONE);
    WheelTimes(1, -1);
    EXPECT_EQ(editor->session.rotationAngle, 355);
    // A sideways wheel turns nothing.
    app.Wheel(1, 0);
    Run();
    EXPECT_EQ(editor->session.rotationAngle, 355);
    EXPECT_EQ(view->scrollX, 0);

    HoldKeys(KMOD_LSHIFT);
    WheelTimes(4, 1);
    HoldKeys(KMOD_NONE);
    WheelTimes(2, 1);
    ASSERT_EQ(editor->session.rotationAngle, 5);
    ClickPaper(480 + 120, 480);
    Run();
    ASSERT_EQ(paper->objects.size(), 1u);
    EXPECT_EQ(RecordAt(*paper, 0).Angle(), 5) << "the angle at the moment of the click";
    EXPECT_EQ(RecordAt(*paper, 0).Sides(), 6);
    EXPECT_EQ(editor->session.rotationAngle, 5) << "the angle stays for the next object";
}

TEST(CircleToolTest, RadiiBeyondTheSixteenBitFieldAreClampedNotWrapped) {
    Paper paper;
    ToolContext context;
    context.paper = &paper;
    std::unique_ptr<Tool> tool = CreateToolByName("circle");
    auto* circle = dynamic_cast<ToolCircle*>(tool.get());
    ASSERT_NE(circle, nullptr);
    circle->Begin(context);
    context.toolPos = {32767, 0};
    EXPECT_EQ(circle->Radius(context), 32767);
    context.toolPos = {32767, 32767};
    EXPECT_EQ(circle->Radius(context), 32767) << "46339 pixels do not fit";
    circle->Click(context);
    ASSERT_EQ(paper.objects.size(), 1u);
    EXPECT_EQ(paper.objects[0]->record.Radius(), 32767);

    // A tool position past the 16-bit range (grid rounding at the far edge of
    // the largest paper) is stored at the last coordinate SDL2_gfx can draw.
    context.toolPos = {32784, -40000};
    circle->Begin(context);
    EXPECT_EQ(circle->record.X1(), 32767);
    EXPECT_EQ(circle->record.Y1(), -32768);
}
