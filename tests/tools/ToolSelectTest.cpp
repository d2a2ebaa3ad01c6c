#include "ToolTestSupport.h"

#include "tools/ToolRegistry.h"
#include "tools/ToolSelect.h"

namespace {

class ToolSelectTest : public ProgramWithPaper {
  protected:
    // A line on `layer`, added as the tools add objects.
    int32_t AddLine(SDL_Point a, SDL_Point b, uint8_t layer = 0) {
        ObjectRecord record;
        record.SetKind(ObjectKind::Line);
        record.SetX1(a.x);
        record.SetY1(a.y);
        record.SetX2(b.x);
        record.SetY2(b.y);
        const uint8_t current = currentLayer;
        currentLayer = layer;
        paper->CreateAndAddObject(record, false);
        currentLayer = current;
        return paper->objects.back()->id;
    }
    std::vector<int32_t> Selected() const {
        std::vector<int32_t> ids;
        for (const auto& entry : paper->selection) {
            ids.push_back(entry.first);
        }
        return ids;
    }
};

} // namespace

TEST(SelectBandTest, TheBandCoversBothCornerPixelsWhicheverWayItIsDragged) {
    std::unique_ptr<Tool> tool = CreateToolByName("select");
    auto* select = dynamic_cast<ToolSelect*>(tool.get());
    ASSERT_NE(select, nullptr);
    mousePaperPos = {100, 100};
    select->Begin();
    mousePaperPos = {90, 95};
    EXPECT_EQ(select->Band().x, 90);
    EXPECT_EQ(select->Band().y, 95);
    EXPECT_EQ(select->Band().w, 11);
    EXPECT_EQ(select->Band().h, 6);
    select->Begin();
    mousePaperPos = {100, 100};
    EXPECT_EQ(select->Band().x, 90);
    EXPECT_EQ(select->Band().w, 11);
    EXPECT_EQ(select->Band().h, 6);
    select->Begin();
    EXPECT_EQ(select->Band().w, 1) << "a click is a one-pixel band";
    EXPECT_EQ(select->Band().h, 1);
    ResetAppState();
}

TEST_F(ToolSelectTest, AClickSelectsWhatTouchesThePixelAndNothingElse) {
    const int32_t upper = AddLine({0, 101}, {300, 101});
    AddLine({0, 103}, {300, 103});
    // The grid lock does not move the band: 101 is not a grid point.
    ClickPaper(50, 101);
    Run();
    EXPECT_EQ(Selected(), std::vector<int32_t>{upper});
    EXPECT_EQ(activeToolInstance, nullptr);

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
    ASSERT_EQ(currentLayer, 1);
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
    ASSERT_NE(activeToolInstance, nullptr);
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
    EXPECT_EQ(activeToolInstance, nullptr);
    EXPECT_EQ(Selected(), std::vector<int32_t>{line});
}
