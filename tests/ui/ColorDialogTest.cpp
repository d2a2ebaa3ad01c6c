#include "DialogTestFixture.h"

#include "ui/ColorDialog.h"

namespace {

class ColorDialogTest : public DialogTest {};

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
    EXPECT_TRUE(ChooseColorDialog(color));
    EXPECT_EQ(color.r, 200);
    EXPECT_EQ(color.g, 40);
    EXPECT_EQ(color.b, 48);
    EXPECT_EQ(color.a, 255);
}
