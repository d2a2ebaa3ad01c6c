#include "ToolTestSupport.h"

#include "tools/ToolRegistry.h"
#include "tools/ToolSelect.h"

#include "app/StatusNotice.h"
#include "document/PaperObjectText.h"

#include <cmath>

namespace {

class ToolSelectTest : public ProgramWithPaper {
  protected:
    // Adds `record` on `layer` as the tools add objects.
    std::shared_ptr<PaperObject> Add(ObjectRecord record, uint8_t layer = 0) {
        const uint8_t current = editor->session.currentLayer;
        editor->session.currentLayer = layer;
        paper->CreateAndAddObject(record, OnLayer{editor->session.currentLayer});
        editor->session.currentLayer = current;
        return paper->objects.back();
    }
    static ObjectRecord RecordOf(ObjectKind kind, SDL_Point first) {
        ObjectRecord record;
        record.SetKind(kind);
        record.SetX1(first.x);
        record.SetY1(first.y);
        return record;
    }
    int32_t AddLine(SDL_Point a, SDL_Point b, uint8_t layer = 0) {
        ObjectRecord record = RecordOf(ObjectKind::Line, a);
        record.SetX2(b.x);
        record.SetY2(b.y);
        return Add(record, layer)->id;
    }
    std::vector<int32_t> Selected() const {
        std::vector<int32_t> ids;
        for (const auto& entry : paper->selection) {
            ids.push_back(entry.first);
        }
        return ids;
    }
    // Lets go of the selection with Escape, then clicks at paper pixel (x, y).
    std::vector<int32_t> SelectedByClickAt(int x, int y) {
        app.PressKey(SDLK_ESCAPE);
        Run();
        EXPECT_TRUE(Selected().empty()) << "Escape with nothing under way clears the selection";
        ClickPaper(x, y);
        Run();
        return Selected();
    }
    void ShiftClickPaper(int x, int y) {
        app.KeyDown(SDLK_LSHIFT, KMOD_LSHIFT);
        ClickPaper(x, y);
        Run();
        app.KeyUp(SDLK_LSHIFT);
        Run();
    }
    std::string Notice() const { return CurrentStatusNotice(editor->ui.statusNoticeExpiry - 1); }
};

} // namespace

TEST(SelectBandTest, TheBandCoversBothCornerPixelsWhicheverWayItIsDragged) {
    std::unique_ptr<Tool> tool = CreateToolByName("select");
    auto* select = dynamic_cast<ToolSelect*>(tool.get());
    ASSERT_NE(select, nullptr);
    ToolContext context;
    context.paperPos = {100, 100};
    select->Begin(context);
    context.paperPos = {90, 95};
    EXPECT_EQ(select->Band(context).x, 90);
    EXPECT_EQ(select->Band(context).y, 95);
    EXPECT_EQ(select->Band(context).w, 11);
    EXPECT_EQ(select->Band(context).h, 6);
    select->Begin(context);
    context.paperPos = {100, 100};
    EXPECT_EQ(select->Band(context).x, 90);
    EXPECT_EQ(select->Band(context).w, 11);
    EXPECT_EQ(select->Band(context).h, 6);
    select->Begin(context);
    EXPECT_EQ(select->Band(context).w, 1) << "a click is a one-pixel band";
    EXPECT_EQ(select->Band(context).h, 1);
}

TEST_F(ToolSelectTest, AClickSelectsWhatTouchesThePixelAndNothingElse) {
    const int32_t upper = AddLine({0, 101}, {300, 101});
    AddLine({0, 103}, {300, 103});
    // The grid lock does not move the band: 101 is not a grid point.
    ClickPaper(50, 101);
    Run();
    EXPECT_EQ(Selected(), std::vector<int32_t>{upper});
    EXPECT_EQ(editor->session.activeToolInstance, nullptr);

    // A click on empty paper (away from the selection, where a press would
    // start moving it) clears the selection.
    ClickPaper(50, 200);
    Run();
    EXPECT_TRUE(Selected().empty());
}

TEST_F(ToolSelectTest, ADraggedBandSelectsTheCurrentLayersObjectsItTouches) {
    const int32_t left = AddLine({90, 0}, {90, 300});
    const int32_t top = AddLine({0, 95}, {300, 95});
    AddLine({89, 0}, {89, 300});
    AddLine({0, 101}, {300, 101});
    const int32_t onLayerTwo = AddLine({95, 0}, {95, 300}, 1);
    const int32_t right = AddLine({100, 0}, {100, 300});
    AddLine({101, 0}, {101, 300});
    const int32_t bottom = AddLine({0, 100}, {300, 100});

    // x 90..100 and y 95..100, both corner pixels included.
    DragPaper({100, 100}, {90, 95});
    Run();
    EXPECT_EQ(Selected(), (std::vector<int32_t>{left, top, right, bottom}));

    // Layer 2, hidden: its objects can still be selected, the others cannot.
    app.PressKey(SDLK_2);
    app.Click(FindToolboxEntry("layer_1")->rect.x + 5, FindToolboxEntry("layer_1")->rect.y + 5,
              SDL_BUTTON_RIGHT);
    Run();
    ASSERT_EQ(editor->session.currentLayer, 1);
    ASSERT_NE(paper->hiddenLayers[1], 0);
    paper->selection.clear();
    DragPaper({90, 95}, {100, 100});
    Run();
    EXPECT_EQ(Selected(), std::vector<int32_t>{onLayerTwo});
}

TEST_F(ToolSelectTest, TheBandIsDrawnWhileTheButtonIsHeld) {
    const SDL_Point from = At(100, 100);
    const SDL_Point to = At(160, 130);
    app.MouseMove(from.x, from.y);
    app.MouseDown(from.x, from.y);
    app.MouseMove(to.x, to.y);
    Run();
    SaveFrame("select_band");
    ASSERT_NE(editor->session.activeToolInstance, nullptr);
    // Outline and its copy one pixel right and down.
    EXPECT_TRUE(IsWhite(app.PixelAt(from.x + 30, from.y)));
    EXPECT_TRUE(IsWhite(app.PixelAt(from.x + 30, from.y + 1)));
    EXPECT_TRUE(IsWhite(app.PixelAt(to.x, to.y - 10)));
    EXPECT_TRUE(IsWhite(app.PixelAt(to.x + 1, to.y - 10)));
    EXPECT_FALSE(IsWhite(app.PixelAt(from.x + 30, from.y + 10)));

    // Escape drops the band and leaves the selection as it was.
    const int32_t line = AddLine({0, 110}, {300, 110});
    paper->selection.emplace(line, paper->objects.back());
    app.PressKey(SDLK_ESCAPE);
    Run();
    EXPECT_EQ(editor->session.activeToolInstance, nullptr);
    EXPECT_EQ(Selected(), std::vector<int32_t>{line});
}

TEST_F(ToolSelectTest, AClickSelectsWhatIsDrawnWithinFourPixelsOfThePointer) {
    // A two-pixel wall drawn on rows 99 and 100.
    const int32_t wall = AddLine({0, 100}, {300, 100});
    for (int y : {95, 96, 97, 98, 101, 102, 103, 104}) {
        EXPECT_EQ(SelectedByClickAt(150, y), std::vector<int32_t>{wall}) << "y " << y;
    }
    EXPECT_TRUE(SelectedByClickAt(150, 93).empty()) << "6 pixels above";
    EXPECT_TRUE(SelectedByClickAt(150, 106).empty()) << "6 pixels below";

    // Radius 100: the outline is between the 8-degree samples of a band's test
    // at 4 degrees. The centre is not part of what is drawn.
    ObjectRecord circle = RecordOf(ObjectKind::Circle, {350, 300});
    circle.SetRadius(100);
    const int32_t ring = Add(circle)->id;
    const double at4 = 4 * kDegreesToRadians;
    EXPECT_EQ(SelectedByClickAt(350 + int(std::cos(at4) * 100), 300 + int(std::sin(at4) * 100)),
              std::vector<int32_t>{ring});
    EXPECT_EQ(SelectedByClickAt(350 + int(std::cos(at4) * 103), 300 + int(std::sin(at4) * 103)),
              std::vector<int32_t>{ring})
        << "3 pixels outside";
    EXPECT_TRUE(SelectedByClickAt(350 + 106, 300).empty()) << "6 pixels outside";
    EXPECT_TRUE(SelectedByClickAt(350, 300).empty()) << "the centre";

    // A text turned by 30 degrees is found anywhere inside its turned box.
    ObjectRecord text = RecordOf(ObjectKind::Text, {600, 100});
    text.SetAngle(30);
    text.SetText("NORTH WALL");
    const auto label = Add(text);
    const SDL_Point size = dynamic_cast<PaperObjectText&>(*label).TextSize();
    ASSERT_GT(size.x, 40);
    const auto turned = [](double along, double across) {
        const double a = 30 * kDegreesToRadians;
        return SDL_Point{600 + int(std::lround(std::cos(a) * along - std::sin(a) * across)),
                         100 + int(std::lround(std::sin(a) * along + std::cos(a) * across))};
    };
    for (const SDL_Point p : {turned(size.x / 2.0, size.y / 2.0), turned(size.x - 4, size.y - 4),
                              turned(6, size.y / 2.0)}) {
        EXPECT_EQ(SelectedByClickAt(p.x, p.y), std::vector<int32_t>{label->id})
            << p.x << "," << p.y;
    }
    const SDL_Point beyond = turned(size.x + 6, size.y / 2.0);
    EXPECT_TRUE(SelectedByClickAt(beyond.x, beyond.y).empty()) << "6 pixels past its end";
    SaveFrame("select_click");
}

TEST_F(ToolSelectTest, ShiftAddsToTheSelectionAndAShiftClickTakesAnObjectOut) {
    const int32_t a = AddLine({0, 100}, {300, 100});
    const int32_t b = AddLine({0, 200}, {300, 200});
    const int32_t c = AddLine({0, 300}, {300, 300});
    ClickPaper(50, 101);
    Run();
    ShiftClickPaper(60, 202);
    EXPECT_EQ(Selected(), (std::vector<int32_t>{a, b}));

    // On a selected object Shift+click takes it out; it does not start a move.
    ShiftClickPaper(50, 101);
    EXPECT_EQ(Selected(), std::vector<int32_t>{b});
    EXPECT_EQ(RecordAt(*paper, 0).Y1(), 100);
    EXPECT_FALSE(editor->session.selectionDragging);

    // A plain click replaces the selection; Shift and a band add what it touches.
    ClickPaper(50, 299);
    Run();
    EXPECT_EQ(Selected(), std::vector<int32_t>{c});
    app.KeyDown(SDLK_LSHIFT, KMOD_LSHIFT);
    DragPaper({20, 90}, {40, 210});
    Run();
    app.KeyUp(SDLK_LSHIFT);
    Run();
    EXPECT_EQ(Selected(), (std::vector<int32_t>{a, b, c}));

    // Shift+click on empty paper keeps the selection; a plain one clears it.
    ShiftClickPaper(50, 400);
    EXPECT_EQ(Selected(), (std::vector<int32_t>{a, b, c}));
    ClickPaper(50, 400);
    Run();
    EXPECT_TRUE(Selected().empty());
}

TEST_F(ToolSelectTest, AClickOnAnotherLayersObjectSaysWhichKeyReachesIt) {
    AddLine({0, 100}, {300, 100}, 1);
    AddLine({0, 200}, {300, 200}, 10);
    ClickPaper(50, 102);
    Run();
    EXPECT_TRUE(Selected().empty());
    EXPECT_EQ(Notice(), "That object is on layer 2; press its key to work on it.");
    ClickPaper(50, 198);
    Run();
    EXPECT_EQ(Notice(), "That object is on layer T; press its key to work on it.");

    // A hidden layer's objects are not what the user sees.
    ShowStatusNotice("");
    const ToolboxButton* layerT = FindToolboxEntry("layer_10");
    ASSERT_NE(layerT, nullptr);
    app.Click(layerT->rect.x + 5, layerT->rect.y + 5, SDL_BUTTON_RIGHT);
    Run();
    ASSERT_NE(paper->hiddenLayers[10], 0);
    ClickPaper(50, 198);
    Run();
    EXPECT_EQ(Notice(), "");

    // Once on that layer, the same click selects it.
    app.PressKey(SDLK_2);
    ClickPaper(50, 102);
    Run();
    EXPECT_EQ(Selected().size(), 1u);
}
