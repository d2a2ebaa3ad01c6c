#include "DialogTestFixture.h"

namespace {

constexpr int kField = 10;

class DialogEditTest : public DialogTest {
  protected:
    // Runs a dialog with one edit holding `text` and returns the field's text
    // after `script` ran on its first pass.
    std::string Edit(const std::string& text, std::function<void(Dialog&)> script,
                     std::function<void(DialogEdit&)> setup = nullptr) {
        return EditInPasses(text, {std::move(script)}, std::move(setup));
    }
    // The same with one script per pass, in order.
    std::string EditInPasses(const std::string& text,
                             std::vector<std::function<void(Dialog&)>> scripts,
                             std::function<void(DialogEdit&)> setup = nullptr) {
        Dialog dialog(*editor, "Edit", 160, 40);
        DialogEdit& edit = dialog.AddEdit(kField, {7, 7, 146, 14});
        if (setup) {
            setup(edit);
        }
        edit.SetText(text);
        dialog.AddButton(kIdOk, "OK", {103, 24, 50, 14}, ButtonKind::DefaultPush);
        editor->ui.dialogPassHook = [&scripts](Dialog& self) {
            if (self.Passes() <= static_cast<int>(scripts.size())) {
                scripts[static_cast<size_t>(self.Passes() - 1)](self);
            }
        };
        dialog.RunModal();
        return dialog.Text(kField);
    }
    static std::string Clipboard() {
        char* text = SDL_GetClipboardText();
        std::string copy = text != nullptr ? text : "";
        SDL_free(text);
        return copy;
    }
};

} // namespace

TEST_F(DialogEditTest, ShiftArrowsHomeEndAndTheClipboard) {
    // The field starts with its text selected; End drops the selection.
    EXPECT_EQ(Edit("hello world",
                   [](Dialog&) {
                       PushKey(SDLK_END);
                       for (int i = 0; i < 5; ++i) {
                           PushKey(SDLK_LEFT, KMOD_LSHIFT);
                       }
                       PushKey(SDLK_c, KMOD_LCTRL);
                       PushKey(SDLK_HOME);
                       PushKey(SDLK_v, KMOD_LCTRL);
                       PushText("-");
                   }),
              "world-hello world");
    EXPECT_EQ(Clipboard(), "world");

    EXPECT_EQ(Edit("cut me",
                   [](Dialog&) {
                       PushKey(SDLK_a, KMOD_LCTRL);
                       PushKey(SDLK_x, KMOD_LCTRL);
                   }),
              "");
    EXPECT_EQ(Clipboard(), "cut me");

    // Shift+Home from the end selects everything before the caret; typing replaces it.
    EXPECT_EQ(Edit("abc def",
                   [](Dialog&) {
                       PushKey(SDLK_END);
                       PushKey(SDLK_LEFT, KMOD_LCTRL);
                       PushKey(SDLK_HOME, KMOD_LSHIFT);
                       PushText("X");
                       PushKey(SDLK_END, KMOD_LSHIFT);
                       PushKey(SDLK_RIGHT); // collapses to the end of the selection
                       PushText("!");
                   }),
              "Xdef!");
}

TEST_F(DialogEditTest, BackspaceDeleteAndArrowsStepOverWholeCharacters) {
    // "aé€b": one, two, three and one byte long.
    EXPECT_EQ(Edit("a\xC3\xA9\xE2\x82\xAC"
                   "b",
                   [](Dialog&) {
                       PushKey(SDLK_END);
                       PushKey(SDLK_LEFT);
                       PushKey(SDLK_BACKSPACE); // the euro sign
                       PushKey(SDLK_HOME);
                       PushKey(SDLK_RIGHT);
                       PushKey(SDLK_DELETE); // the e-acute
                   }),
              "ab");
    EXPECT_EQ(Edit("one two three",
                   [](Dialog&) {
                       PushKey(SDLK_END);
                       PushKey(SDLK_BACKSPACE, KMOD_LCTRL);
                       PushKey(SDLK_HOME);
                       PushKey(SDLK_DELETE, KMOD_LCTRL);
                   }),
              "two ");
}

TEST_F(DialogEditTest, MouseSelectsByDragDoubleClickAndShiftClick) {
    std::vector<std::string> selections;
    SDL_Rect field = {};
    int y = 0;
    auto selection = [&](Dialog& self) {
        selections.push_back(self.ControlAs<DialogEdit>(kField)->Buffer().SelectedText());
    };
    // Positions are just past the middle of the letter before them.
    auto xAfter = [&](Dialog& self, const std::string& prefix) {
        return field.x + 3 + TextWidth(self.Font(), prefix) - 1;
    };
    EditInPasses("alpha beta gamma", {[&](Dialog& self) {
                                          field = self.ControlRect(kField);
                                          y = field.y + field.h / 2;
                                          PushMotion(field.x + 4, y);
                                          PushButton(field.x + 4, y, true);
                                          PushMotion(xAfter(self, "alpha b"), y);
                                          PushButton(xAfter(self, "alpha b"), y, false);
                                      },
                                      [&](Dialog& self) {
                                          selection(self);
                                          SaveShot(self, "edit_drag_selection");
                                          PushClick(xAfter(self, "alpha beta ga"), y, 2);
                                      },
                                      [&](Dialog& self) {
                                          selection(self);
                                          PushKeyDown(SDLK_LSHIFT, KMOD_LSHIFT);
                                          PushClick(field.x + 4, y);
                                          PushKeyUp(SDLK_LSHIFT);
                                      },
                                      selection});
    EXPECT_EQ(selections, (std::vector<std::string>{"alpha b", "gamma", "alpha beta "}));
}

TEST_F(DialogEditTest, PastesAreBoundedAndStopAtALineBreak) {
    const std::string huge(1 << 20, 'p');
    SDL_SetClipboardText(huge.c_str());
    EXPECT_EQ(Edit("", [](Dialog&) { PushKey(SDLK_v, KMOD_LCTRL); }).size(), kEditDefaultLimit);

    SDL_SetClipboardText("first line\r\nsecond\tline");
    EXPECT_EQ(Edit("", [](Dialog&) { PushKey(SDLK_INSERT, KMOD_LSHIFT); }), "first line");
    SDL_SetClipboardText("tab\there");
    EXPECT_EQ(Edit("", [](Dialog&) { PushKey(SDLK_v, KMOD_LCTRL); }), "tabhere");

    // A full field takes nothing more; over a selection the paste is cut to fit.
    auto limitTwo = [](DialogEdit& edit) { edit.SetLimit(2); };
    auto pasteAtEnd = [](Dialog&) {
        PushKey(SDLK_END);
        PushKey(SDLK_v, KMOD_LCTRL);
    };
    EXPECT_EQ(Edit("12", pasteAtEnd, limitTwo), "12");
    EXPECT_EQ(Edit(
                  "12", [](Dialog&) { PushKey(SDLK_v, KMOD_LCTRL); }, limitTwo),
              "ta");
}

TEST_F(DialogEditTest, DigitsOnlyFieldsRefuseOtherText) {
    EXPECT_EQ(Edit(
                  "",
                  [](Dialog&) {
                      PushText("12");
                      PushText("a");
                      PushText("3-");
                      PushText("4");
                  },
                  [](DialogEdit& edit) { edit.SetDigitsOnly(true); }),
              "124");
}

TEST_F(DialogEditTest, LongTextScrollsToKeepTheCaretInView) {
    const std::string text =
        "The quick brown fox jumps over the lazy dog, again and again and again and again";
    SDL_Rect field = {};
    SDL_Rect caretAtEnd = {};
    SDL_Rect caretAtHome = {};
    SDL_Color caretPixel = {};
    EditInPasses(text,
                 {[](Dialog&) { PushKey(SDLK_END); },
                  [&](Dialog& self) {
                      field = self.ControlRect(kField);
                      caretAtEnd = self.ControlAs<DialogEdit>(kField)->CaretRect(self.Font());
                      caretPixel = PixelAt(self, caretAtEnd.x, caretAtEnd.y + caretAtEnd.h / 2);
                      SaveShot(self, "edit_scrolled_end");
                      PushKey(SDLK_HOME);
                  },
                  [&](Dialog& self) {
                      caretAtHome = self.ControlAs<DialogEdit>(kField)->CaretRect(self.Font());
                  }});
    ASSERT_GT(TextWidth(editor->shell.dialogFont.get(), text), field.w)
        << "the text must be wider than the field";
    EXPECT_GT(caretAtEnd.x, field.x + field.w / 2);
    EXPECT_LT(caretAtEnd.x, field.x + field.w);
    EXPECT_EQ(caretPixel.r, 0) << "the caret is drawn where it is reported";
    EXPECT_LT(caretAtHome.x, field.x + 8);
    EXPECT_GE(caretAtHome.x, field.x);
}
