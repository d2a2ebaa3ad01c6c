#include "ToolTestSupport.h"

#include "app/StatusLine.h"
#include "tools/Tool.h"
#include "ui/Dialog.h"
#include "ui/TextPrompt.h"

#include <functional>

namespace {

class TextToolTest : public ProgramWithPaper {
  protected:
    void SetUp() override {
        ProgramWithPaper::SetUp();
        // A prompt that runs out of scripted input ends as if cancelled.
        editor->ui.dialogCloseWhenIdle = true;
    }
    void TearDown() override {
        editor->ui.dialogPassHook = nullptr;
        ProgramWithPaper::TearDown();
    }
    // Answers the next prompt with `script` on its first pass; `offered` gets
    // the prompt's caption and the text it started with.
    void AnswerPrompt(std::function<void(AppHarness&)> script, std::string* offered = nullptr) {
        editor->ui.dialogPassHook = [this, script, offered](Dialog& dialog) {
            if (dialog.Passes() != 1) {
                return;
            }
            if (offered != nullptr) {
                *offered = dialog.Caption() + ": " + dialog.Text(kPromptEditId);
            }
            script(app);
        };
    }
    std::string StatusOfTool() {
        std::string text;
        return editor->session.activeToolInstance != nullptr &&
                       editor->session.activeToolInstance->GetStatusText(ActiveToolContext(), text)
                   ? text
                   : "(none)";
    }
};

} // namespace

TEST_F(TextToolTest, TheAcceptedTextFollowsThePointerTurnedAndIsPlacedByTheClick) {
    ClickEntry("text");
    std::string offered;
    AnswerPrompt(
        [](AppHarness& app) {
            app.TypeText("Kitchen 12'");
            app.PressKey(SDLK_RETURN);
        },
        &offered);
    ClickPaper(96, 96);
    Run();
    EXPECT_EQ(offered, "Enter Text: ");
    ASSERT_NE(editor->session.activeToolInstance, nullptr) << "the text waits to be placed";
    EXPECT_TRUE(paper->objects.empty());
    EXPECT_STREQ(editor->session.lastPromptText, "Kitchen 12'");

    MovePaper(240, 120);
    SDL_SetModState(KMOD_LCTRL);
    app.Wheel(0, 1);
    Run();
    SDL_SetModState(KMOD_NONE);
    Run();
    SaveFrame("text_preview");
    EXPECT_EQ(editor->session.rotationAngle, 45);
    EXPECT_EQ(StatusOfTool(), "M-Wheel to rotate. L-Ctrl: 45 deg, L-Alt: 15 deg.");
    const std::vector<std::string> items = BuildStatusItems(0);
    ASSERT_GE(items.size(), 2u);
    EXPECT_EQ(items[items.size() - 2], "angle: 45\xC2\xB0");
    // The preview hangs below and right of the pointer, turned clockwise.
    const SDL_Rect inked =
        app.BoundsOfPixels({At(240, 120).x - 5, At(240, 120).y - 5, 200, 200}, IsWhite);
    EXPECT_GT(inked.w, 20);
    EXPECT_GT(inked.h, 20);

    ClickPaper(240, 120);
    Run();
    EXPECT_EQ(editor->session.activeToolInstance, nullptr);
    ASSERT_EQ(paper->objects.size(), 1u);
    const ObjectRecord& text = RecordAt(*paper, 0);
    EXPECT_EQ(text.Kind(), static_cast<uint32_t>(ObjectKind::Text));
    EXPECT_EQ(text.Text(), "Kitchen 12'");
    EXPECT_EQ((SDL_Point{text.X1(), text.Y1()}), (SDL_Point{240, 120}));
    EXPECT_EQ(text.Angle(), 45) << "the angle shown when it was placed";
    EXPECT_EQ(CountUndo(UndoKind::Added), 1u);
}

TEST_F(TextToolTest, ACancelledOrEmptyPromptStillPlacesUnknown) {
    editor->session.lastPromptText[0] = '\0';
    SDL_strlcpy(editor->session.lastPromptText, "Hall", sizeof editor->session.lastPromptText);
    ClickEntry("text");
    std::string offered;
    AnswerPrompt([](AppHarness& app) { app.PressKey(SDLK_ESCAPE); }, &offered);
    ClickPaper(48, 48);
    Run();
    EXPECT_EQ(offered, "Enter Text: Hall") << "the last accepted text is offered";
    ClickPaper(48, 96);
    Run();

    // OK on an emptied field is no answer either.
    AnswerPrompt([](AppHarness& app) {
        app.PressKey(SDLK_DELETE);
        app.PressKey(SDLK_RETURN);
    });
    ClickPaper(48, 144);
    Run();
    ClickPaper(48, 144);
    Run();
    ASSERT_EQ(paper->objects.size(), 2u);
    EXPECT_EQ(RecordAt(*paper, 0).Text(), "Unknown");
    EXPECT_EQ(RecordAt(*paper, 1).Text(), "Unknown");
    EXPECT_STREQ(editor->session.lastPromptText, "Hall");

    // Escape after the prompt drops the text without placing it.
    AnswerPrompt([](AppHarness& app) {
        app.TypeText("gone");
        app.PressKey(SDLK_RETURN);
    });
    ClickPaper(48, 192);
    Run();
    editor->ui.dialogPassHook = nullptr;
    app.PressKey(SDLK_ESCAPE);
    Run();
    EXPECT_EQ(editor->session.activeToolInstance, nullptr);
    EXPECT_EQ(paper->objects.size(), 2u);
    EXPECT_STREQ(editor->session.lastPromptText, "gone");
}

TEST_F(TextToolTest, LongTextsAreCutToTheRecordsSixtyThreeBytes) {
    const std::string longText = std::string(62, 'x') + "\xC3\xA9" + "tail";
    ClickEntry("text");
    AnswerPrompt([&](AppHarness& app) {
        app.TypeText(longText);
        app.PressKey(SDLK_RETURN);
    });
    ClickPaper(48, 48);
    Run();
    ClickPaper(48, 48);
    Run();
    ASSERT_EQ(paper->objects.size(), 1u);
    // The accented letter would straddle the limit: it goes whole.
    EXPECT_EQ(RecordAt(*paper, 0).Text(), std::string(62, 'x'));
    EXPECT_STREQ(editor->session.lastPromptText, std::string(62, 'x').c_str());
    EXPECT_EQ(std::string(editor->ui.statusNotice),
              "Text cut to its first 63 bytes, as much as a text holds.")
        << "the user hears of the cut";
}
