// Every dialog of the program, opened once in the running program over a
// paper with objects: each must show its captions whole, keep its controls
// inside its frame without covering each other, and start with the keyboard
// focus on a control. With TESSELLON_SHOTS_DIR set, a picture of each is
// saved there for a person to look at.

#include "DialogTestFixture.h"
#include "app/AppHarness.h"

#include "app/ResizeDialog.h"
#include "document/Paper.h"
#include "document/PaperTestSupport.h"
#include "ui/ColorDialog.h"
#include "ui/EditObjectDialog.h"
#include "ui/FileDialog.h"
#include "ui/MessageDialog.h"
#include "ui/TextPrompt.h"

#include <sstream>

namespace {

// Pixels a button's caption keeps clear of its edges (the focus mark).
constexpr int kButtonCaptionMargin = 3;

bool Overlap(const SDL_Rect& a, const SDL_Rect& b) {
    SDL_Rect common;
    return SDL_IntersectRect(&a, &b, &common) == SDL_TRUE;
}

// Where a static control's text is drawn: its widest line, aligned in its rectangle.
SDL_Rect StaticTextBox(const DialogStatic& label, TTF_Font* font) {
    std::istringstream lines(label.Text());
    int widest = 0;
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        widest = std::max(widest, TextWidth(font, line));
    }
    const SDL_Rect rect = label.Rect();
    int x = rect.x;
    if (label.Align() == TextAlign::Right) {
        x = rect.x + rect.w - widest;
    } else if (label.Align() == TextAlign::Center) {
        x = rect.x + (rect.w - widest) / 2;
    }
    return {x, rect.y, widest, count * DialogLineHeight(font)};
}

void CheckLayout(const Dialog& dialog) {
    SCOPED_TRACE(dialog.Caption());
    TTF_Font* font = dialog.Font();
    const SDL_Rect client = dialog.ClientRect();
    const auto& controls = dialog.Controls();
    EXPECT_NE(dialog.FocusId(), kIdNone) << "no control has the focus";
    for (const auto& control : controls) {
        const SDL_Rect rect = control->Rect();
        const std::string name = std::to_string(control->Id()) + " \"" + control->Text() + "\"";
        SDL_Rect inside;
        EXPECT_TRUE(SDL_IntersectRect(&rect, &client, &inside) == SDL_TRUE &&
                    SDL_RectEquals(&inside, &rect))
            << name << " reaches out of the dialog";
        if (const auto* label = dynamic_cast<const DialogStatic*>(control.get())) {
            if (label->ShowsColor()) {
                continue;
            }
            const SDL_Rect text = StaticTextBox(*label, font);
            EXPECT_LE(text.w, rect.w) << name << " is cut";
            for (const auto& other : controls) {
                if (other.get() != control.get() && other->CanTakeFocus()) {
                    EXPECT_FALSE(Overlap(text, other->Rect()))
                        << name << " runs into control " << other->Id();
                }
            }
        } else if (const auto* button = dynamic_cast<const DialogButton*>(control.get())) {
            if (button->Glyph() == ButtonGlyph::None) {
                EXPECT_LE(TextWidth(font, button->Text()), rect.w - 2 * kButtonCaptionMargin)
                    << name << " is cut";
            }
        }
        if (control->CanTakeFocus()) {
            for (const auto& other : controls) {
                if (other.get() != control.get() && other->CanTakeFocus()) {
                    EXPECT_FALSE(Overlap(rect, other->Rect()))
                        << name << " overlaps control " << other->Id();
                }
            }
        }
    }
}

// Checks and pictures the first dialog that opens, then closes it.
void LookAtNextDialog(const std::string& shotName, int* seen) {
    editor->ui.dialogPassHook = [shotName, seen](Dialog& dialog) {
        if (dialog.Passes() != 1) {
            return;
        }
        ++*seen;
        CheckLayout(dialog);
        SaveDialogShot(dialog, shotName);
        dialog.End(0);
    };
}

struct GalleryPaper : ActiveTestPaper {
    GalleryPaper() {
        paper.CreateAndAddObject(LineRecord(ObjectKind::Measurement, 96, 96, 336, 96),
                                 OnLayer{editor->session.currentLayer});
        paper.CreateAndAddObject(LineRecord(ObjectKind::Rect, 144, 192, 384, 336),
                                 OnLayer{editor->session.currentLayer});
        paper.CreateAndAddObject(CircleRecord(600, 300, 72), OnLayer{editor->session.currentLayer});
        paper.CreateAndAddObject(TextRecord(480, 480, "Tessellon"),
                                 OnLayer{editor->session.currentLayer});
    }
    void Select(size_t index) {
        paper.selection.clear();
        paper.selection.emplace(paper.objects[index]->id, paper.objects[index]);
    }
};

// The dialog tests' input helpers, with the running program's window in
// place of the fixture's own.
class DialogGalleryTest : public DialogTest {
  protected:
    void SetUp() override {}
    void TearDown() override {}
};

} // namespace

TEST_F(DialogGalleryTest, EveryDialogShowsWholeCaptionsAlignedControlsAndTheFocus) {
    AppHarness app;
    ASSERT_TRUE(app.Start());
    editor->ui.dialogCloseWhenIdle = true;
    int seen = 0;
    {
        GalleryPaper gallery;
        app.RunPasses(1);

        std::string answer;
        LookAtNextDialog("text_prompt", &seen);
        ShowTextPrompt(*editor, "Enter Size", "Enter size in inches in format WxH", "8.50x11.00",
                       answer);

        LookAtNextDialog("resize_paper", &seen);
        ShowResizeDialog(0, nullptr);

        const char* classes[] = {"edit_object_line", "edit_object_rect", "edit_object_circle",
                                 "edit_object_text"};
        for (size_t i = 0; i < 4; ++i) {
            gallery.Select(i);
            LookAtNextDialog(classes[i], &seen);
            EditSelectedObject(*editor, gallery.paper);
        }

        // A refused value: the notice shows in the status line under the dialog.
        gallery.Select(2);
        editor->ui.dialogPassHook = [&seen](Dialog& dialog) {
            if (dialog.Passes() == 1) {
                PushClickOn(dialog, kEditFieldRadius);
                PushKey(SDLK_a, KMOD_LCTRL);
                PushText("400");
                PushKey(SDLK_RETURN);
            } else if (dialog.Passes() == 2) {
                ++seen;
                CheckLayout(dialog);
                SaveDialogShot(dialog, "edit_object_refused");
                dialog.End(0);
            }
        };
        EditSelectedObject(*editor, gallery.paper);

        std::vector<std::string> paths;
        LookAtNextDialog("open_file", &seen);
        ShowOpenFileDialog(*editor, paths, app.HomeFolder().string(), documentFileTypes, false,
                           "Open");
        std::string path = "plan.tsln";
        LookAtNextDialog("save_file", &seen);
        ShowSaveFileDialog(*editor, path, app.HomeFolder().string(), documentFileTypes, "Save As");
        std::string folder;
        LookAtNextDialog("folder_browser", &seen);
        BrowseForFolder(*editor, "Choose a folder for the exported images",
                        app.HomeFolder().string(), folder,
                        {{"PDF Documents", "*.pdf"}, {"PNG Image Files", "*.png"}});
        SDL_Color color = {33, 40, 48, 255};
        LookAtNextDialog("color_dialog", &seen);
        ChooseColorDialog(*editor, color);
        LookAtNextDialog("message_yes_no", &seen);
        AskYesNo(*editor, "Tessellon", "Save changes to plan.tsln?", true);
        LookAtNextDialog("message_yes_no_cancel", &seen);
        AskYesNoCancel(*editor, "Save file?", "Do you want to save 'Unnamed File' before closing?");
        LookAtNextDialog("message_ok", &seen);
        ShowMessageDialog(*editor, "Open", "File not found.");
    }
    editor->ui.dialogPassHook = nullptr;
    EXPECT_EQ(seen, 14);
}
