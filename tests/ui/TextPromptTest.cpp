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
    EXPECT_TRUE(ShowTextPrompt(*editor, "Enter Size", "Enter size in inches in format WxH",
                               "8.50x11.00", answer));
    EXPECT_EQ(answer, "5x7");
    EXPECT_EQ(caption, "Enter Size");
    EXPECT_EQ(label, "Enter size in inches in format WxH");
}

TEST_F(TextPromptTest, CancelEscapeAndClosingLeaveTheAnswerAlone) {
    auto typeThen = [](std::function<void(Dialog&)> close) {
        OnDialogOpened([close](Dialog& dialog) {
            PushText("typed");
            close(dialog);
        });
    };
    std::string answer = "before";
    typeThen([](Dialog&) { PushKey(SDLK_ESCAPE); });
    EXPECT_FALSE(
        ShowTextPrompt(*editor, "Enter Text", "What text do you want to display?", "old", answer));
    typeThen([](Dialog& dialog) { PushClickOn(dialog, kIdCancel); });
    EXPECT_FALSE(
        ShowTextPrompt(*editor, "Enter Text", "What text do you want to display?", "old", answer));
    typeThen([](Dialog& dialog) {
        const SDL_Point close = Centre(dialog.CloseBoxRect());
        PushClick(close.x, close.y);
    });
    EXPECT_FALSE(
        ShowTextPrompt(*editor, "Enter Text", "What text do you want to display?", "old", answer));
    EXPECT_EQ(answer, "before");
}

TEST_F(TextPromptTest, OkOnAnEmptyFieldIsNotAnAnswer) {
    OnDialogOpened([](Dialog& dialog) {
        PushKey(SDLK_DELETE); // the selected offer goes
        PushClickOn(dialog, kIdOk);
    });
    std::string answer = "before";
    EXPECT_FALSE(
        ShowTextPrompt(*editor, "Enter Text", "What text do you want to display?", "old", answer));
    EXPECT_EQ(answer, "before");
}

TEST_F(TextPromptTest, AnswersAreCutTo255BytesOnACharacterBoundary) {
    std::string answer;
    OnDialogOpened([](Dialog&) {
        PushText(std::string(300, 'a'));
        PushKey(SDLK_RETURN);
    });
    ASSERT_TRUE(ShowTextPrompt(*editor, "Enter Text", "Text", "", answer));
    EXPECT_EQ(answer, std::string(255, 'a'));

    // Two-byte characters: 127 of them fit, the 128th would split.
    std::string accents;
    for (int i = 0; i < 200; ++i) {
        accents += "\xC3\xA9";
    }
    OnDialogOpened([&](Dialog&) {
        SDL_SetClipboardText(accents.c_str());
        PushKey(SDLK_v, KMOD_LCTRL);
        PushKey(SDLK_RETURN);
    });
    ASSERT_TRUE(ShowTextPrompt(*editor, "Enter Text", "Text", "", answer));
    EXPECT_EQ(answer, accents.substr(0, 254));

    // An offered text over the limit is cut the same way.
    OnDialogOpened([](Dialog&) { PushKey(SDLK_RETURN); });
    ASSERT_TRUE(ShowTextPrompt(*editor, "Enter Text", "Text", "x" + accents, answer));
    EXPECT_EQ(answer, "x" + accents.substr(0, 254));
}
