#include "DialogTestFixture.h"

#include "ui/MessageDialog.h"

#include <vector>

namespace {

constexpr int kNameEdit = 10;
constexpr int kBoldCheck = 11;
constexpr int kOffButton = 12;
constexpr int kLeftRadio = 13;
constexpr int kRightRadio = 14;
constexpr int kLayerList = 15;
constexpr int kRowList = 16;

struct Command {
    int id;
    DialogNotify notify;
    bool operator==(const Command& other) const { return id == other.id && notify == other.notify; }
};

class DialogKitTest : public DialogTest {
  protected:
    // A dialog with one control of every kind, like the program's templates.
    void Build(Dialog& dialog) {
        dialog.AddStatic(kIdNone, "Name:", {7, 9, 40, 8}, TextAlign::Right);
        dialog.AddEdit(kNameEdit, {50, 7, 120, 14});
        dialog.AddButton(kBoldCheck, "Bold", {7, 26, 50, 14}, ButtonKind::CheckBox);
        dialog.AddButton(kOffButton, "Off", {60, 26, 50, 14}).SetEnabled(false);
        dialog.AddButton(kLeftRadio, "Left", {7, 44, 50, 14}, ButtonKind::Radio);
        dialog.AddButton(kRightRadio, "Right", {60, 44, 50, 14}, ButtonKind::Radio)
            .SetChecked(true);
        DialogDropDown& layers = dialog.AddDropDown(kLayerList, {7, 62, 60, 60});
        std::vector<std::string> names;
        for (int layer = 1; layer <= 16; ++layer) {
            names.push_back(std::to_string(layer));
        }
        layers.SetItems(names);
        layers.SetSelection(0);
        std::vector<DialogListItem> rows;
        for (const char* name : {"alpha", "beta", "bravo", "charlie", "delta"}) {
            rows.push_back({name, "", ListIcon::File});
        }
        for (int row = 0; row < 95; ++row) {
            rows.push_back({"row " + std::to_string(row), "", ListIcon::None});
        }
        dialog.AddListView(kRowList, {7, 82, 163, 60}).SetItems(rows);
        dialog.AddButton(kIdCancel, "Cancel", {66, 148, 50, 14});
        dialog.AddButton(kIdOk, "OK", {120, 148, 50, 14}, ButtonKind::DefaultPush);
        dialog.onCommand = [this](Dialog&, int id, DialogNotify notify) {
            commands.push_back({id, notify});
            return false;
        };
    }
    bool Saw(int id, DialogNotify notify) const {
        for (const Command& command : commands) {
            if (command == Command{id, notify}) {
                return true;
            }
        }
        return false;
    }
    std::vector<Command> commands;
};

} // namespace

TEST_F(DialogKitTest, TabAndShiftTabVisitEnabledControlsInOrder) {
    Dialog dialog(*editor, "Kit", 177, 169);
    Build(dialog);
    std::vector<int> forward;
    std::vector<int> backward;
    constexpr int kStops = 7;
    editor->ui.dialogPassHook = [&](Dialog& self) {
        const int pass = self.Passes();
        if (pass == 1) {
            SaveShot(self, "kit_initial");
        }
        if (pass <= kStops + 1) {
            forward.push_back(self.FocusId());
            PushKey(SDLK_TAB);
        } else if (pass <= 2 * kStops + 2) {
            backward.push_back(self.FocusId());
            PushKey(SDLK_TAB, KMOD_LSHIFT);
        }
    };
    EXPECT_EQ(dialog.RunModal(), 0);
    // The disabled button is skipped; the radio group is one stop at its checked button.
    const std::vector<int> order = {kNameEdit, kBoldCheck, kRightRadio, kLayerList,
                                    kRowList,  kIdCancel,  kIdOk,       kNameEdit};
    EXPECT_EQ(forward, order);
    EXPECT_EQ(backward, (std::vector<int>{kBoldCheck, kNameEdit, kIdOk, kIdCancel, kRowList,
                                          kLayerList, kRightRadio, kBoldCheck}));
}

TEST_F(DialogKitTest, EnterPressesTheDefaultOrFocusedButtonAndEscapeCancels) {
    {
        Dialog dialog(*editor, "Kit", 177, 169);
        Build(dialog);
        PushText("abc");
        PushKey(SDLK_RETURN);
        EXPECT_EQ(dialog.RunModal(), 1) << "Enter in an edit presses the default button";
        EXPECT_EQ(dialog.Text(kNameEdit), "abc");
    }
    {
        Dialog dialog(*editor, "Kit", 177, 169);
        Build(dialog);
        dialog.SetFocus(kBoldCheck);
        PushKey(SDLK_KP_ENTER);
        EXPECT_EQ(dialog.RunModal(), 1) << "a check box does not take Enter";
    }
    {
        Dialog dialog(*editor, "Kit", 177, 169);
        Build(dialog);
        dialog.SetFocus(kIdCancel);
        PushKey(SDLK_RETURN);
        EXPECT_EQ(dialog.RunModal(), 0) << "Enter presses the focused push button";
    }
    {
        commands.clear();
        Dialog dialog(*editor, "Kit", 177, 169);
        Build(dialog);
        dialog.Enable(kIdOk, false);
        PushKey(SDLK_RETURN);
        PushKey(SDLK_ESCAPE);
        editor->ui.dialogCloseWhenIdle = false; // Escape must end it, not the empty queue
        EXPECT_EQ(dialog.RunModal(), 0);
        editor->ui.dialogCloseWhenIdle = true;
        EXPECT_FALSE(Saw(kIdOk, DialogNotify::Clicked)) << "a disabled default button stays up";
        EXPECT_TRUE(Saw(kIdCancel, DialogNotify::Clicked));
    }
    {
        Dialog dialog(*editor, "Kit", 177, 169);
        Build(dialog);
        OnDialogOpened([](Dialog& self) {
            const SDL_Point close = Centre(self.CloseBoxRect());
            PushClick(close.x, close.y);
            PushKey(SDLK_RETURN); // never reached
        });
        EXPECT_EQ(dialog.RunModal(), 0) << "the caption's close box";
    }
}

TEST_F(DialogKitTest, QuitRequestCancelsEveryOpenDialogAndStaysQueued) {
    Dialog dialog(*editor, "Kit", 177, 169);
    Build(dialog);
    bool asked = false;
    bool answer = true;
    dialog.onCommand = [&](Dialog&, int id, DialogNotify notify) {
        if (id == kBoldCheck && notify == DialogNotify::Clicked) {
            asked = true;
            answer = AskYesNo(*editor, "Question", "Really?", true);
            return true;
        }
        return false;
    };
    OnDialogOpened([](Dialog& self) {
        if (self.Caption() == "Kit") {
            PushClickOn(self, kBoldCheck);
            PushQuit();
            PushText("x");
            PushKey(SDLK_RETURN);
        }
    });
    editor->ui.dialogCloseWhenIdle = false; // only the quit request can end both dialogs
    EXPECT_EQ(dialog.RunModal(), 0);
    EXPECT_TRUE(asked);
    EXPECT_FALSE(answer) << "the nested question ends unanswered";
    EXPECT_EQ(dialog.Text(kNameEdit), "") << "nothing after the quit request was handled";

    SDL_Event event;
    ASSERT_EQ(SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT), 1);
    EXPECT_EQ(event.type, SDL_QUIT) << "the main loop still gets the quit request first";
    ASSERT_EQ(SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT), 1);
    EXPECT_EQ(event.type, SDL_TEXTINPUT);
}

TEST_F(DialogKitTest, WindowResizeCentresTheDialogAgain) {
    Dialog dialog(*editor, "Kit", 177, 169);
    Build(dialog);
    SDL_Rect before = {};
    SDL_Rect after = {};
    SDL_Rect okBefore = {};
    SDL_Rect okAfter = {};
    editor->ui.dialogPassHook = [&](Dialog& self) {
        if (self.Passes() == 1) {
            before = self.FrameRect();
            okBefore = self.ControlRect(kIdOk);
            SDL_SetWindowSize(editor->shell.window.get(), 1300, 900);
            SDL_Event resize = {};
            resize.type = SDL_WINDOWEVENT;
            resize.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
            resize.window.windowID = SDL_GetWindowID(editor->shell.window.get());
            resize.window.data1 = 1300;
            resize.window.data2 = 900;
            SDL_PushEvent(&resize);
        } else if (self.Passes() == 2) {
            after = self.FrameRect();
            okAfter = self.ControlRect(kIdOk);
        }
    };
    EXPECT_EQ(dialog.RunModal(), 0);
    EXPECT_EQ(before.x, (1024 - before.w) / 2);
    EXPECT_EQ(after.x, (1300 - after.w) / 2);
    EXPECT_EQ(after.y, (900 - after.h) / 2);
    // The control rectangles moved with the frame.
    EXPECT_EQ(okAfter.x - after.x, okBefore.x - before.x);
    EXPECT_EQ(okAfter.y - after.y, okBefore.y - before.y);

    bool resizeQueued = false;
    SDL_Event event;
    while (SDL_PollEvent(&event) == 1) {
        resizeQueued |=
            event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED;
    }
    EXPECT_TRUE(resizeQueued) << "the main loop must lay the screen out again";
}

TEST_F(DialogKitTest, PushLikeCheckBoxesAndRadioButtons) {
    Dialog dialog(*editor, "Kit", 177, 169);
    Build(dialog);
    OnDialogOpened([](Dialog& self) {
        PushClickOn(self, kBoldCheck);
        PushClickOn(self, kOffButton); // disabled: nothing happens
        PushClickOn(self, kLeftRadio);
    });
    OnPass("Kit", 2, [&](Dialog& self) {
        EXPECT_TRUE(self.IsChecked(kBoldCheck));
        EXPECT_TRUE(self.IsChecked(kLeftRadio));
        EXPECT_FALSE(self.IsChecked(kRightRadio));
        EXPECT_EQ(self.FocusId(), kLeftRadio);
        SaveShot(self, "kit_checked");
        // The arrow keys move the choice through the group; Space toggles a check box.
        PushKey(SDLK_RIGHT);
        PushKey(SDLK_TAB, KMOD_LSHIFT);
        PushKey(SDLK_SPACE);
    });
    EXPECT_EQ(dialog.RunModal(), 0);
    EXPECT_FALSE(dialog.IsChecked(kLeftRadio));
    EXPECT_TRUE(dialog.IsChecked(kRightRadio));
    EXPECT_FALSE(dialog.IsChecked(kBoldCheck));
    EXPECT_FALSE(Saw(kOffButton, DialogNotify::Clicked));
    EXPECT_TRUE(Saw(kRightRadio, DialogNotify::Clicked));
}

TEST_F(DialogKitTest, DropDownListByKeyboardAndMouse) {
    Dialog dialog(*editor, "Kit", 177, 169);
    Build(dialog);
    OnDialogOpened([](Dialog& self) {
        self.SetFocus(kLayerList);
        PushKey(SDLK_DOWN); // closed: the next entry at once
        PushKey(SDLK_F4);
        PushKey(SDLK_DOWN);
        PushKey(SDLK_DOWN);
        PushKey(SDLK_RETURN); // takes the highlighted entry, not the dialog's OK
    });
    OnPass("Kit", 2, [&](Dialog& self) {
        EXPECT_EQ(self.Selection(kLayerList), 3);
        PushKey(SDLK_F4);
        PushKey(SDLK_DOWN);
        PushKey(SDLK_ESCAPE); // closes the list only
        PushClickOn(self, kLayerList);
    });
    OnPass("Kit", 3, [&](Dialog& self) {
        EXPECT_EQ(self.Selection(kLayerList), 3);
        auto* list = self.ControlAs<DialogDropDown>(kLayerList);
        ASSERT_TRUE(list->PopupOpen());
        SaveShot(self, "kit_dropdown_open");
        const SDL_Rect popup = list->PopupRect();
        const int rowHeight = (popup.h - 2) / 16;
        PushClick(popup.x + 10, popup.y + 1 + 9 * rowHeight + rowHeight / 2); // "10"
    });
    OnPass("Kit", 4, [&](Dialog& self) {
        EXPECT_FALSE(self.ControlAs<DialogDropDown>(kLayerList)->PopupOpen());
        EXPECT_EQ(self.Text(kLayerList), "10");
        PushKey(SDLK_RETURN);
    });
    EXPECT_EQ(dialog.RunModal(), 1);
    EXPECT_EQ(dialog.Selection(kLayerList), 9);
    EXPECT_TRUE(Saw(kLayerList, DialogNotify::SelectionChanged));
}

TEST_F(DialogKitTest, ListViewKeyboardMouseWheelAndDoubleClick) {
    Dialog dialog(*editor, "Kit", 177, 169);
    Build(dialog);
    auto* list = dialog.ControlAs<DialogListView>(kRowList);
    list->SetMultipleSelection(true);
    int firstRowAfterWheel = -1;
    OnDialogOpened([](Dialog& self) {
        const SDL_Rect rect = self.ControlRect(kRowList);
        PushClick(rect.x + 20, rect.y + 4); // "alpha"
        PushKey(SDLK_DOWN);
        PushKey(SDLK_DOWN, KMOD_LSHIFT);
    });
    OnPass("Kit", 2, [&](Dialog&) {
        EXPECT_EQ(list->SelectedRows(), (std::vector<int>{1, 2}));
        PushText("ch"); // type-ahead
    });
    OnPass("Kit", 3, [&](Dialog&) {
        EXPECT_EQ(list->SelectedRows(), (std::vector<int>{3}));
        PushKey(SDLK_END);
        PushText("d");
    });
    OnPass("Kit", 4, [&](Dialog&) {
        EXPECT_EQ(list->SelectedRows(), (std::vector<int>{4})) << "type-ahead wraps round";
        PushKey(SDLK_END);
    });
    OnPass("Kit", 5, [&](Dialog& self) {
        EXPECT_EQ(list->Current(), 99);
        SaveShot(self, "kit_list_end");
        // After End the last row is in view; the first visible row is clicked.
        const SDL_Rect rect = self.ControlRect(kRowList);
        PushKeyDown(SDLK_LCTRL, KMOD_LCTRL);
        PushClick(rect.x + 20, rect.y + 4);
        PushKeyUp(SDLK_LCTRL);
    });
    OnPass("Kit", 6, [&](Dialog& self) {
        const std::vector<int> rows = list->SelectedRows();
        ASSERT_EQ(rows.size(), 2u) << "Ctrl+click adds to the choice";
        EXPECT_EQ(rows.back(), 99);
        const int firstVisible = rows.front();
        EXPECT_GT(firstVisible, 80);
        const SDL_Rect rect = self.ControlRect(kRowList);
        PushWheel(rect.x + 20, rect.y + 20, 2); // six rows up
        PushClick(rect.x + 20, rect.y + 4);
        commands.clear();
        PushClick(rect.x + 20, rect.y + 4, 2);
        firstRowAfterWheel = firstVisible - 6;
    });
    bool doubleClicked = false;
    OnPass("Kit", 7, [&](Dialog& self) {
        doubleClicked = Saw(kRowList, DialogNotify::DoubleClicked);
        commands.clear();
        // A third quick click is a single click again.
        const SDL_Rect rect = self.ControlRect(kRowList);
        PushClick(rect.x + 20, rect.y + 4, 3);
    });
    EXPECT_EQ(dialog.RunModal(), 0);
    EXPECT_EQ(list->SelectedRows(), (std::vector<int>{firstRowAfterWheel}));
    EXPECT_TRUE(doubleClicked);
    EXPECT_FALSE(Saw(kRowList, DialogNotify::DoubleClicked));
}

TEST_F(DialogKitTest, QuestionsAnswerToMnemonicsEnterAndEscape) {
    const std::string text = "plan.tsln already exists.\nDo you want to replace it?";
    OnDialogOpened([](Dialog& self) {
        SaveShot(self, "question");
        PushText("y");
    });
    EXPECT_TRUE(AskYesNo(*editor, "Confirm Save As", text, false)) << "Y answers Yes";

    OnDialogOpened([](Dialog&) { PushKey(SDLK_n, KMOD_LALT); });
    EXPECT_FALSE(AskYesNo(*editor, "Confirm Save As", text, true)) << "Alt+N answers No";

    OnDialogOpened([](Dialog&) { PushKey(SDLK_RETURN); });
    EXPECT_FALSE(AskYesNo(*editor, "Confirm Save As", text, false)) << "Enter takes the default";
    OnDialogOpened([](Dialog&) { PushKey(SDLK_RETURN); });
    EXPECT_TRUE(AskYesNo(*editor, "Confirm Save As", text, true));

    OnDialogOpened([](Dialog&) { PushKey(SDLK_ESCAPE); });
    EXPECT_FALSE(AskYesNo(*editor, "Confirm Save As", text, true)) << "Escape answers No";

    // The key held down from the dialog below repeats; that is no answer.
    OnDialogOpened([](Dialog&) {
        SDL_Event held = {};
        held.type = SDL_KEYDOWN;
        held.key.repeat = 1;
        held.key.keysym.sym = SDLK_RETURN;
        SDL_PushEvent(&held);
        PushText("y");
    });
    EXPECT_TRUE(AskYesNo(*editor, "Confirm Save As", text, false));
}

TEST_F(DialogKitTest, DisabledControlsTakeNeitherFocusNorInput) {
    Dialog dialog(*editor, "Kit", 177, 169);
    Build(dialog);
    dialog.Enable(kNameEdit, false);
    dialog.Enable(kLayerList, false);
    OnDialogOpened([](Dialog& self) {
        EXPECT_EQ(self.FocusId(), kBoldCheck) << "the first enabled control starts with the focus";
        SaveShot(self, "kit_disabled");
        PushClickOn(self, kNameEdit);
        PushText("zz");
        PushClickOn(self, kLayerList);
        PushKey(SDLK_DOWN);
    });
    EXPECT_EQ(dialog.RunModal(), 0);
    EXPECT_EQ(dialog.Text(kNameEdit), "");
    EXPECT_EQ(dialog.Selection(kLayerList), 0);
    EXPECT_FALSE(Saw(kLayerList, DialogNotify::SelectionChanged));
}
