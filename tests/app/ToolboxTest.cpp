#include "app/Toolbox.h"
#include "app/Editor.h"
#include "app/ToolboxButton.h"
#include "document/Paper.h"
#include "tools/ToolTestSupport.h"
#include "ui/ColorDialog.h"
#include "ui/Dialog.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const SDL_Color kBlack = {0, 0, 0, 255};
const SDL_Color kWhite = {255, 255, 255, 255};

class ToolboxTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(app.Start()); }
    // The paper goes first: the program closes every paper still open when it
    // shuts down, and this one belongs to the test.
    void TearDown() override {
        open_.reset();
        paper = nullptr;
        app.Shutdown();
    }
    void OpenPaper() {
        open_ = std::make_unique<OpenTestPaper>();
        paper = &open_->paper;
    }
    ToolboxButton& Entry(const std::string& name) {
        ToolboxButton* entry = FindToolboxEntry(name);
        EXPECT_NE(entry, nullptr) << name;
        return *entry;
    }
    SDL_Point Centre(const std::string& name) {
        const SDL_Rect& rect = Entry(name).rect;
        return {rect.x + rect.w / 2, rect.y + rect.h / 2};
    }
    void ClickEntry(const std::string& name, uint8_t button = SDL_BUTTON_LEFT) {
        const SDL_Point centre = Centre(name);
        app.Click(centre.x, centre.y, button);
        ASSERT_TRUE(app.RunPasses(1));
    }
    std::vector<std::string> Pressed() const {
        std::vector<std::string> names;
        for (const ToolboxButton& entry : editor->ui.toolboxButtons) {
            if (entry.selected) {
                names.push_back(entry.name);
            }
        }
        return names;
    }
    std::string Tooltip() {
        std::string text;
        return GetToolboxTooltip(text) ? text : "(none)";
    }
    void SaveFrame(const std::string& name) const { SaveFrameForInspection(app, name); }

    AppHarness app;
    std::unique_ptr<OpenTestPaper> open_;
    Paper* paper = nullptr;
};

SDL_Point TopLeft(const ToolboxButton& entry) {
    return {entry.rect.x, entry.rect.y};
}

} // namespace

TEST_F(ToolboxTest, TheLayoutPlacesTwoColumnsOfButtonsUnderTheirHeadings) {
    LayOutToolbox({0, 20, 86, 700});
    ASSERT_EQ(Entry("").rect.h, 2) << "the first entry is a separator";
    ASSERT_EQ(editor->ui.toolboxButtons[1].rect.h, 17) << "headings in the 14-point menu font";
    EXPECT_EQ(editor->ui.toolboxButtons[0].rect.y, 20);
    EXPECT_EQ(editor->ui.toolboxButtons[1].rect.y, 26);
    EXPECT_EQ(TopLeft(Entry("select")), (SDL_Point{2, 47}));
    EXPECT_EQ(TopLeft(Entry("line")), (SDL_Point{44, 47}));
    EXPECT_EQ(TopLeft(Entry("arrow")), (SDL_Point{2, 90}));
    EXPECT_EQ(TopLeft(Entry("dashed_line")), (SDL_Point{44, 90}));
    EXPECT_EQ(TopLeft(Entry("rect")), (SDL_Point{2, 133}));
    EXPECT_EQ(TopLeft(Entry("text")), (SDL_Point{44, 133}));
    EXPECT_EQ(TopLeft(Entry("circle")), (SDL_Point{2, 176}));
    EXPECT_EQ(TopLeft(Entry("measurement")), (SDL_Point{44, 176}));
    EXPECT_EQ(editor->ui.toolboxButtons[10].rect.y, 219) << "separator";
    EXPECT_EQ(editor->ui.toolboxButtons[11].rect.y, 225) << "heading Draw Color";
    EXPECT_EQ(TopLeft(Entry("color_normal")), (SDL_Point{2, 246}));
    EXPECT_EQ(TopLeft(Entry("color_custom")), (SDL_Point{44, 246}));
    EXPECT_EQ(TopLeft(Entry("color_select")), (SDL_Point{44, 289}));
    EXPECT_EQ(editor->ui.toolboxButtons[15].rect.y, 332) << "separator";
    EXPECT_EQ(editor->ui.toolboxButtons[16].label, "Layers");
    EXPECT_EQ(editor->ui.toolboxButtons[16].rect.y, 338);
    EXPECT_EQ(TopLeft(Entry("layer_0")), (SDL_Point{2, 359}));
    EXPECT_EQ(TopLeft(Entry("layer_1")), (SDL_Point{44, 359}));
    EXPECT_EQ(TopLeft(Entry("layer_14")), (SDL_Point{2, 660}));
    EXPECT_EQ(TopLeft(Entry("layer_15")), (SDL_Point{44, 660}));
    EXPECT_EQ(editor->ui.toolboxButtons.back().rect.y, 703) << "final separator";
    EXPECT_EQ(editor->ui.toolboxButtons.size(), 34u);
    for (const ToolboxButton& entry : editor->ui.toolboxButtons) {
        if (entry.kind == kToolboxEntryButton) {
            EXPECT_EQ(entry.rect.w, 40);
            EXPECT_EQ(entry.rect.h, 40);
        } else {
            EXPECT_EQ(entry.rect.x, 0);
            EXPECT_EQ(entry.rect.w, 86);
        }
    }
    // A wider panel centres the two columns.
    LayOutToolbox({0, 20, 100, 700});
    EXPECT_EQ(TopLeft(Entry("select")), (SDL_Point{9, 47}));
    EXPECT_EQ(TopLeft(Entry("line")), (SDL_Point{51, 47}));
}

TEST_F(ToolboxTest, AtStartTheSelectToolTheDefaultColourAndLayerOneArePressed) {
    ASSERT_TRUE(app.RunPasses(1));
    SaveFrame("toolbox_start");
    EXPECT_STREQ(editor->session.currentToolName, "select");
    EXPECT_EQ(Pressed(), (std::vector<std::string>{"select", "color_normal", "layer_0"}));
    EXPECT_EQ(Entry("layer_0").label, "1");
    EXPECT_EQ(Entry("layer_15").label, "16");
    // Without a paper the panel is a darker grey and the swatches white.
    EXPECT_EQ(app.PixelAt(editor->shell.toolboxRect.x + 1,
                          editor->shell.toolboxRect.y + editor->shell.toolboxRect.h - 2),
              (SDL_Color{128, 128, 128, 255}));
    const SDL_Point swatch = Centre("color_custom");
    EXPECT_EQ(app.PixelAt(swatch.x, swatch.y), kWhite);
    // Pressed buttons are shaded dark at the top left, raised ones light.
    const ToolboxButton& select = Entry("select");
    const ToolboxButton& line = Entry("line");
    EXPECT_EQ(app.PixelAt(select.rect.x + 10, select.rect.y), kBlack);
    EXPECT_EQ(app.PixelAt(select.rect.x + 10, select.rect.y + select.rect.h), kWhite);
    EXPECT_EQ(app.PixelAt(line.rect.x + 10, line.rect.y), kWhite);
    EXPECT_EQ(app.PixelAt(line.rect.x + 10, line.rect.y + line.rect.h), kBlack);
    // The icons are drawn inside the border.
    int inked = 0;
    for (int y = line.rect.y + 2; y < line.rect.y + line.rect.h - 2; ++y) {
        const SDL_Color pixel = app.PixelAt(line.rect.x + line.rect.w / 2, y);
        inked += pixel.r < 100 ? 1 : 0;
    }
    EXPECT_GT(inked, 0) << "the line icon";
}

TEST_F(ToolboxTest, WithoutAPaperClicksDoNothingButLayerKeysWork) {
    ClickEntry("rect");
    ClickEntry("layer_3");
    ClickEntry("color_custom");
    EXPECT_STREQ(editor->session.currentToolName, "select");
    EXPECT_EQ(Pressed(), (std::vector<std::string>{"select", "color_normal", "layer_0"}));
    app.PressKey(SDLK_4);
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_EQ(editor->session.currentLayer, 3);
    EXPECT_TRUE(Entry("layer_3").selected);
}

TEST_F(ToolboxTest, ClicksChooseTheToolTheColourSourceAndTheLayer) {
    OpenPaper();
    ClickEntry("circle");
    EXPECT_STREQ(editor->session.currentToolName, "circle");
    ClickEntry("layer_5");
    EXPECT_EQ(editor->session.currentLayer, 5);
    paper->drawColor = {10, 200, 30, 0};
    ClickEntry("color_custom");
    EXPECT_EQ(paper->drawColor.a, 255);
    EXPECT_EQ(Pressed(), (std::vector<std::string>{"circle", "color_custom", "layer_5"}));
    SaveFrame("toolbox_chosen");
    const SDL_Point swatch = Centre("color_custom");
    EXPECT_EQ(app.PixelAt(swatch.x, swatch.y), (SDL_Color{10, 200, 30, 255}));

    // Headings and separators are no buttons: nothing changes.
    const ToolboxButton& heading = editor->ui.toolboxButtons[1];
    app.Click(heading.rect.x + heading.rect.w / 2, heading.rect.y + heading.rect.h / 2);
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_STREQ(editor->session.currentToolName, "circle");
    EXPECT_EQ(Pressed(), (std::vector<std::string>{"circle", "color_custom", "layer_5"}));

    ClickEntry("color_normal");
    EXPECT_EQ(paper->drawColor.a, 0);
    EXPECT_EQ(paper->drawColor.g, 200) << "the custom colour is kept for later";
    EXPECT_TRUE(Entry("color_normal").selected);
    EXPECT_FALSE(Entry("color_custom").selected);

    SelectTool("no such tool");
    EXPECT_STREQ(editor->session.currentToolName, "circle");
    EXPECT_TRUE(Entry("circle").selected);
    SelectTool("rect");
    EXPECT_STREQ(editor->session.currentToolName, "rect");
    EXPECT_EQ(Pressed(), (std::vector<std::string>{"rect", "color_normal", "layer_5"}));
}

TEST_F(ToolboxTest, ARightClickShowsOrHidesALayerWithoutChoosingIt) {
    ClickEntry("layer_2", SDL_BUTTON_RIGHT);
    EXPECT_STREQ(editor->session.currentToolName, "select") << "nothing without a paper";

    OpenPaper();
    ClickEntry("layer_2", SDL_BUTTON_RIGHT);
    EXPECT_NE(paper->hiddenLayers[2], 0);
    EXPECT_EQ(editor->session.currentLayer, 0);
    EXPECT_TRUE(Entry("layer_0").selected);
    EXPECT_EQ(GetLayerHiddenIcon(Entry("layer_2")), editor->ui.hiddenIconTexture);
    EXPECT_NE(editor->ui.hiddenIconTexture, nullptr);
    EXPECT_EQ(GetLayerHiddenIcon(Entry("layer_3")), nullptr);
    SaveFrame("toolbox_hidden_layer");
    ClickEntry("layer_2", SDL_BUTTON_RIGHT);
    EXPECT_EQ(paper->hiddenLayers[2], 0);
    // Right clicks on other entries change nothing.
    ClickEntry("line", SDL_BUTTON_RIGHT);
    EXPECT_STREQ(editor->session.currentToolName, "select");
    for (uint8_t hidden : paper->hiddenLayers) {
        EXPECT_EQ(hidden, 0);
    }
}

TEST_F(ToolboxTest, TooltipsComeFromTheButtonUnderThePointer) {
    ASSERT_TRUE(app.RunPasses(1));
    const SDL_Point line = Centre("line");
    app.MouseMove(line.x, line.y);
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_EQ(Tooltip(), "Draw Line");
    const SDL_Point layer = Centre("layer_9");
    app.MouseMove(layer.x, layer.y);
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_EQ(Tooltip(), "Layer 10 - Right click to Show/Hide");
    const SDL_Point picker = Centre("color_select");
    app.MouseMove(picker.x, picker.y);
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_EQ(Tooltip(), "Choose Custom Drawing Color");
    const ToolboxButton& heading = editor->ui.toolboxButtons[16];
    ASSERT_EQ(heading.label, "Layers");
    app.MouseMove(heading.rect.x + 20, heading.rect.y + 5);
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_EQ(Tooltip(), "(none)");
    const SDL_Point gap = {Entry("color_normal").rect.x + 5, Entry("color_select").rect.y + 5};
    app.MouseMove(gap.x, gap.y);
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_EQ(Tooltip(), "(none)") << "the empty slot beside the colour chooser";
}

TEST_F(ToolboxTest, DestroyingTheToolboxFreesItsPicturesAndEntries) {
    OpenPaper();
    paper->hiddenLayers[0] = 1;
    ASSERT_TRUE(app.RunPasses(1));
    ASSERT_NE(editor->ui.hiddenIconTexture, nullptr);
    DestroyToolbox();
    EXPECT_TRUE(editor->ui.toolboxButtons.empty());
    EXPECT_EQ(editor->ui.hiddenIconTexture, nullptr);
    // Drawing an empty toolbox still paints its panel.
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_EQ(app.PixelAt(editor->shell.toolboxRect.x + 30, editor->shell.toolboxRect.y + 60),
              (SDL_Color{208, 208, 208, 255}));
}

TEST_F(ToolboxTest, ACustomColourChosenWithTheChooserIsShownAsTheDrawingColour) {
    OpenPaper();
    editor->ui.dialogCloseWhenIdle = true;
    std::string startedOn;
    editor->ui.dialogPassHook = [&](Dialog& dialog) {
        if (dialog.Passes() != 1) {
            return;
        }
        startedOn = dialog.Text(kColorRedId) + "," + dialog.Text(kColorGreenId) + "," +
                    dialog.Text(kColorBlueId);
        dialog.SetText(kColorRedId, "200");
        dialog.SetText(kColorGreenId, "100");
        dialog.SetText(kColorBlueId, "50");
        app.PressKey(SDLK_RETURN);
    };
    paper->drawColor = {1, 2, 3, 0};
    ClickEntry("color_select");
    editor->ui.dialogPassHook = nullptr;
    EXPECT_EQ(startedOn, "1,2,3");
    EXPECT_EQ(paper->drawColor, (SDL_Color{200, 100, 50, 255}));
    // The pressed mark tells which colour new objects get.
    EXPECT_TRUE(Entry("color_custom").selected);
    EXPECT_FALSE(Entry("color_normal").selected);
    EXPECT_FALSE(Entry("color_select").selected);
    ASSERT_TRUE(app.RunPasses(1));
    const SDL_Point swatch = Centre("color_custom");
    EXPECT_EQ(app.PixelAt(swatch.x, swatch.y), (SDL_Color{200, 100, 50, 255}));

    // Cancel changes nothing.
    ClickEntry("color_normal");
    editor->ui.dialogPassHook = [&](Dialog& dialog) {
        if (dialog.Passes() == 1) {
            app.PressKey(SDLK_ESCAPE);
        }
    };
    ClickEntry("color_select");
    editor->ui.dialogPassHook = nullptr;
    EXPECT_EQ(paper->drawColor, (SDL_Color{200, 100, 50, 0}));
    EXPECT_TRUE(Entry("color_normal").selected);
}
