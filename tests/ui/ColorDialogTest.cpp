#include "DialogTestFixture.h"

#include "ui/ColorDialog.h"

#include <vector>

namespace {

class ColorDialogTest : public DialogTest {};

// The red, green and blue of a colour, for comparing in one check.
std::vector<int> Rgb(SDL_Color color) {
    return {color.r, color.g, color.b};
}

} // namespace

TEST_F(ColorDialogTest, StartsOnTheGivenColourAndOkReturnsTheTypedOne) {
    OnDialogOpened([&](Dialog& dialog) {
        EXPECT_EQ(dialog.Text(kColorRedId), "33");
        EXPECT_EQ(dialog.Text(kColorGreenId), "40");
        EXPECT_EQ(dialog.Text(kColorBlueId), "48");
        SaveShot(dialog, "color_initial");
        PushClickOn(dialog, kColorRedId);
        PushKey(SDLK_a, KMOD_LCTRL);
        PushText("200");
        PushKey(SDLK_RETURN);
    });
    SDL_Color color = {33, 40, 48, 0};
    EXPECT_TRUE(ChooseColorDialog(*editor, color));
    EXPECT_EQ(Rgb(color), (std::vector<int>{200, 40, 48}));
    EXPECT_EQ(color.a, 255);
}

TEST_F(ColorDialogTest, CancelLeavesTheColourAndClickingASwatchChoosesIt) {
    SDL_Color color = {10, 20, 30, 0};
    OnDialogOpened([](Dialog& dialog) {
        auto* basic = dialog.ControlAs<DialogColorGrid>(kColorBasicGridId);
        const SDL_Point red = Centre(basic->CellRect(8)); // second row, first: pure red
        PushClick(red.x, red.y);
        PushKey(SDLK_ESCAPE);
    });
    EXPECT_FALSE(ChooseColorDialog(*editor, color));
    EXPECT_EQ(Rgb(color), (std::vector<int>{10, 20, 30}));
    EXPECT_EQ(color.a, 0);

    std::string redField;
    OnDialogOpened([&](Dialog& dialog) {
        auto* basic = dialog.ControlAs<DialogColorGrid>(kColorBasicGridId);
        const SDL_Point red = Centre(basic->CellRect(8));
        PushClick(red.x, red.y);
        PushKey(SDLK_RIGHT); // yellow, next to it
        OnPass("Color", 2, [&](Dialog& self) {
            redField = self.Text(kColorRedId) + "," + self.Text(kColorGreenId) + "," +
                       self.Text(kColorBlueId);
            PushKey(SDLK_RETURN);
        });
    });
    EXPECT_TRUE(ChooseColorDialog(*editor, color));
    EXPECT_EQ(redField, "255,255,0");
    EXPECT_EQ(Rgb(color), (std::vector<int>{255, 255, 0}));
    EXPECT_EQ(color.a, 255);
}

TEST_F(ColorDialogTest, FieldsTakeOnlyNumbersUpTo255) {
    SDL_Color color = {1, 2, 3, 255};
    OnDialogOpened([](Dialog& dialog) {
        dialog.SetFocus(kColorGreenId);
        PushText("9");
        PushText("x");  // refused
        PushText("99"); // 999 is shown as 255
        PushKey(SDLK_TAB);
        PushKey(SDLK_BACKSPACE); // blue emptied counts as 0
        PushKey(SDLK_RETURN);
    });
    EXPECT_TRUE(ChooseColorDialog(*editor, color));
    EXPECT_EQ(Rgb(color), (std::vector<int>{1, 255, 0}));
}

TEST_F(ColorDialogTest, CustomColoursStayForTheNextChooser) {
    SDL_Color color = {0, 0, 0, 255};
    auto typeAndAdd = [](const std::string& red, const std::string& green,
                         const std::string& blue) {
        OnDialogOpened([=](Dialog& dialog) {
            dialog.SetFocus(kColorRedId);
            PushText(red);
            PushKey(SDLK_TAB);
            PushText(green);
            PushKey(SDLK_TAB);
            PushText(blue);
            PushKey(SDLK_a, KMOD_LALT); // Add to Custom Colors
        });
        OnPass("Color", 2, [](Dialog& self) {
            SaveShot(self, "color_custom");
            PushKey(SDLK_ESCAPE); // what was added stays all the same
        });
    };
    typeAndAdd("12", "34", "56");
    EXPECT_FALSE(ChooseColorDialog(*editor, color));
    EXPECT_EQ(editor->session.customColorSlots[0], 0x0038220Cu) << "0x00BBGGRR";
    EXPECT_EQ(editor->session.customColorSlots[1], 0u);

    SDL_Color shown = {};
    OnDialogOpened([&](Dialog& dialog) {
        auto* custom = dialog.ControlAs<DialogColorGrid>(kColorCustomGridId);
        shown = custom->CellColor(0);
        const SDL_Point first = Centre(custom->CellRect(0));
        PushClick(first.x, first.y);
        PushClickOn(dialog, kIdOk);
    });
    EXPECT_TRUE(ChooseColorDialog(*editor, color));
    EXPECT_EQ(Rgb(shown), (std::vector<int>{12, 34, 56}));
    EXPECT_EQ(Rgb(color), (std::vector<int>{12, 34, 56}));

    // The next colour added goes to the first unused slot.
    typeAndAdd("7", "8", "9");
    EXPECT_FALSE(ChooseColorDialog(*editor, color));
    EXPECT_EQ(editor->session.customColorSlots[0], 0x0038220Cu);
    EXPECT_EQ(editor->session.customColorSlots[1], 0x00090807u);
}
