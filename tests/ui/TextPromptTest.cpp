#include "DialogTestFixture.h"

#include "ui/TextPrompt.h"

namespace {

class TextPromptTest : public DialogTest {};

} // namespace

TEST_F(TextPromptTest, TypingOverTheOfferedTextAndPressingEnterAccepts) {
    std::string caption;
    std::string label;
    OnDialogOpened([&](Dialog& dialog) {
        caption = dialog.Caption();
        label = dialog.Text(kPromptLabelId);
        SaveShot(dialog, "prompt_initial");
        // The offered text starts selected, so typing replaces it.
        PushText("5x7");
        PushKey(SDLK_RETURN);
    });
    std::string answer = "unchanged";
    EXPECT_TRUE(
        ShowTextPrompt("Enter Size", "Enter size in inches in format WxH", "8.50x11.00", answer));
    EXPECT_EQ(answer, "5x7");
    EXPECT_EQ(promptText, "5x7");
    EXPECT_EQ(caption, "Enter Size");
    EXPECT_EQ(label, "Enter size in inches in format WxH");
    EXPECT_EQ(promptTitle, "Enter Size");
}
