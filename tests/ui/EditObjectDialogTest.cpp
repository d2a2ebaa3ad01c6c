#include "DialogTestFixture.h"

#include "app/AppHarness.h"
#include "document/PaperTestSupport.h"
#include "ui/EditObjectDialog.h"

#include <cstring>

namespace {

constexpr const char* kEditCaption = "Edit Object";
// With 24-pixel squares and 4 squares to the unit, one unit is 96 pixels.
constexpr int32_t kUnit = 96;

const int kOptionalIds[] = {kEditFieldPosition2X, kEditFieldPosition2Y, kEditFieldRadius,
                            kEditFieldAngle,      kEditFieldText,       kEditFieldSwap,
                            kEditFieldLineType};

class EditObjectDialogTest : public DialogTest {
  protected:
    // Adds the object (on layer 0, without a colour), selects it alone and
    // forgets the undo record of adding it.
    static PaperObject& AddSelected(Paper& paper, const ObjectRecord& record) {
        EXPECT_TRUE(paper.CreateAndAddObject(record, OnLayer{editor->session.currentLayer}));
        const std::shared_ptr<PaperObject>& object = paper.objects.back();
        paper.selection.clear();
        paper.selection.emplace(object->id, object);
        paper.undoStack.clear();
        paper.modified = false;
        return *object;
    }

    // Runs the dialog through the E key's command with `script` on its first pass.
    static void Edit(Paper& paper, std::function<void(Dialog&)> script) {
        OnDialogOpened(std::move(script));
        EditSelectedObject(*editor, paper);
    }

    // Replaces a field's text as the user does: focus, select all, type.
    static void TypeInto(Dialog& dialog, int id, const std::string& text) {
        PushClickOn(dialog, id);
        PushKey(SDLK_a, KMOD_LCTRL);
        if (text.empty()) {
            PushKey(SDLK_DELETE);
        }
        PushText(text);
    }

    static bool SameRecord(const ObjectRecord& a, const ObjectRecord& b) {
        return std::memcmp(a.bytes, b.bytes, kObjectRecordSize) == 0;
    }
    std::string Notice() const { return editor->ui.statusNotice; }
};

struct Shown {
    std::vector<int> enabled;
    std::map<int, std::string> texts;
    int layer = -2;
    int lineType = -2;
    bool custom = false;
};

Shown Look(const Dialog& dialog) {
    Shown shown;
    for (const int id : kOptionalIds) {
        if (dialog.IsEnabled(id)) {
            shown.enabled.push_back(id);
        }
    }
    for (const int id : {kEditPositionXId, kEditPositionYId, kEditFieldPosition2X,
                         kEditFieldPosition2Y, kEditFieldRadius, kEditFieldAngle, kEditFieldText,
                         kEditPositionUnitId, kEditPosition2UnitId, kEditRadiusUnitId}) {
        shown.texts[id] = dialog.Text(id);
    }
    shown.layer = dialog.Selection(kEditLayerId);
    shown.lineType = dialog.Selection(kEditFieldLineType);
    shown.custom = dialog.IsChecked(kEditCustomColorId);
    EXPECT_NE(dialog.IsChecked(kEditCustomColorId), dialog.IsChecked(kEditDrawingColorId));
    return shown;
}

} // namespace

TEST_F(EditObjectDialogTest, EachObjectClassOffersItsOwnFieldsInThePapersUnit) {
    ActiveTestPaper active;
    Paper& paper = active.paper;
    paper.unitIndex = 1; // inches
    Shown shown;
    auto look = [&](Dialog& dialog) {
        shown = Look(dialog);
        PushKey(SDLK_ESCAPE);
    };

    ObjectRecord line = LineRecord(ObjectKind::Measurement, 96, 48, 336, -96);
    line.SetLayer(6);
    AddSelected(paper, line).record.SetLayer(6);
    Edit(paper, look);
    EXPECT_EQ(shown.enabled, (std::vector<int>{kEditFieldPosition2X, kEditFieldPosition2Y,
                                               kEditFieldSwap, kEditFieldLineType}));
    EXPECT_EQ(shown.texts[kEditPositionXId], "1.00");
    EXPECT_EQ(shown.texts[kEditPositionYId], "0.50");
    EXPECT_EQ(shown.texts[kEditFieldPosition2X], "3.50");
    EXPECT_EQ(shown.texts[kEditFieldPosition2Y], "-1.00");
    EXPECT_EQ(shown.texts[kEditPositionUnitId], "in");
    EXPECT_EQ(shown.texts[kEditPosition2UnitId], "in");
    EXPECT_EQ(shown.texts[kEditRadiusUnitId], "in");
    EXPECT_EQ(shown.layer, 6);
    EXPECT_EQ(shown.lineType, 2) << "Measurement";
    EXPECT_FALSE(shown.custom);

    paper.unitIndex = 7; // from a file written by a later version
    ObjectRecord rect = LineRecord(ObjectKind::Rect, 0, 0, 48, 24);
    AddSelected(paper, rect).record.SetColor({200, 0, 0, 255});
    Edit(paper, look);
    EXPECT_EQ(shown.enabled, (std::vector<int>{kEditFieldPosition2X, kEditFieldPosition2Y}));
    EXPECT_EQ(shown.texts[kEditFieldPosition2X], "0.50");
    EXPECT_EQ(shown.texts[kEditPositionUnitId], "???");
    EXPECT_EQ(shown.lineType, -1);
    EXPECT_TRUE(shown.custom);

    paper.unitIndex = 3;
    AddSelected(paper, CircleRecord(480, 240, 144));
    Edit(paper, look);
    EXPECT_EQ(shown.enabled, (std::vector<int>{kEditFieldRadius}));
    EXPECT_EQ(shown.texts[kEditFieldRadius], "1.50");
    EXPECT_EQ(shown.texts[kEditFieldPosition2X], "") << "no second point shown";
    EXPECT_EQ(shown.texts[kEditRadiusUnitId], "cm");

    AddSelected(paper, TextRecord(24, 24, "Hall", -30));
    Edit(paper, look);
    EXPECT_EQ(shown.enabled, (std::vector<int>{kEditFieldAngle, kEditFieldText}));
    EXPECT_EQ(shown.texts[kEditFieldAngle], "-30");
    EXPECT_EQ(shown.texts[kEditFieldText], "Hall");
    EXPECT_TRUE(paper.undoStack.empty()) << "nothing was accepted";
}

TEST_F(EditObjectDialogTest, OkWithoutChangesKeepsTheObjectExactly) {
    ActiveTestPaper active;
    Paper& paper = active.paper;
    // 1.5 units; the centre (100, 37) shows rounded as 1.04 and 0.39.
    PaperObject& circle = AddSelected(paper, CircleRecord(100, 37, 144));
    circle.record.SetColor({10, 200, 30, 255});
    paper.drawColor = {1, 2, 3, 255};
    const ObjectRecord before = circle.record;
    std::string radius;
    Edit(paper, [&](Dialog& dialog) {
        radius = dialog.Text(kEditFieldRadius);
        PushClickOn(dialog, kIdOk);
    });
    EXPECT_EQ(radius, "1.50");
    EXPECT_TRUE(SameRecord(circle.record, before))
        << "radius " << circle.record.Radius() << ", x " << circle.record.X1();
    ASSERT_EQ(paper.undoStack.size(), 1u);
    EXPECT_EQ(paper.undoStack[0]->kind, UndoKind::Edited);
    EXPECT_TRUE(paper.modified);

    // A typed value is taken as typed: 1.5 units is 144 pixels again.
    Edit(paper, [](Dialog& dialog) {
        TypeInto(dialog, kEditFieldRadius, "0.25");
        TypeInto(dialog, kEditPositionXId, "2");
        PushKey(SDLK_RETURN);
    });
    EXPECT_EQ(circle.record.Radius(), 24);
    EXPECT_EQ(circle.record.X1(), 192);
    EXPECT_EQ(circle.record.Y1(), 37);
}

TEST_F(EditObjectDialogTest, SwapLineTypeLayerAndColourAreWrittenOnOk) {
    ActiveTestPaper active;
    Paper& paper = active.paper;
    PaperObject& line = AddSelected(paper, LineRecord(ObjectKind::Line, 100, 37, 250, 301));
    paper.drawColor = {10, 20, 30, 0}; // the custom colour, not in use just now

    Edit(paper, [](Dialog& dialog) {
        PushClickOn(dialog, kEditFieldSwap);
        // Closed drop-down lists step through their entries with the arrow keys.
        PushClickOn(dialog, kEditLayerId);
        PushKey(SDLK_ESCAPE); // closes the list the click opened
        for (int i = 0; i < 4; ++i) {
            PushKey(SDLK_DOWN);
        }
        PushClickOn(dialog, kEditFieldLineType);
        PushKey(SDLK_ESCAPE);
        PushKey(SDLK_END); // "Arrow"
        PushClickOn(dialog, kEditCustomColorId);
        PushClickOn(dialog, kIdOk);
    });
    EXPECT_EQ(line.record.X1(), 250);
    EXPECT_EQ(line.record.Y1(), 301);
    EXPECT_EQ(line.record.X2(), 100);
    EXPECT_EQ(line.record.Y2(), 37);
    EXPECT_EQ(line.Kind(), ObjectKind::Arrow);
    EXPECT_EQ(line.record.Layer(), 4);
    EXPECT_EQ(line.record.Color(), (SDL_Color{10, 20, 30, 255}));

    // Back to the palette's colour: no colour of its own.
    paper.palette.objectColor = {250, 250, 250, 255};
    Edit(paper, [](Dialog& dialog) {
        PushClickOn(dialog, kEditDrawingColorId);
        PushKey(SDLK_RETURN);
    });
    EXPECT_EQ(line.record.Color(), (SDL_Color{250, 250, 250, 0}));

    // Undo brings back each older record in turn.
    paper.Undo();
    EXPECT_EQ(line.record.Color(), (SDL_Color{10, 20, 30, 255}));
    paper.Undo();
    EXPECT_TRUE(SameRecord(line.record, LineRecord(ObjectKind::Line, 100, 37, 250, 301)));
    EXPECT_TRUE(paper.undoStack.empty());
}

TEST_F(EditObjectDialogTest, CancelEscapeAndClosingLeaveTheObjectUntouched) {
    ActiveTestPaper active;
    Paper& paper = active.paper;
    PaperObject& text = AddSelected(paper, TextRecord(24, 48, "Kitchen", 15));
    const ObjectRecord before = text.record;
    auto typeThen = [&](std::function<void(Dialog&)> close) {
        Edit(paper, [close](Dialog& dialog) {
            TypeInto(dialog, kEditFieldText, "Pantry");
            TypeInto(dialog, kEditFieldAngle, "90");
            PushClickOn(dialog, kEditCustomColorId);
            close(dialog);
        });
    };
    typeThen([](Dialog& dialog) { PushClickOn(dialog, kIdCancel); });
    typeThen([](Dialog&) { PushKey(SDLK_ESCAPE); });
    typeThen([](Dialog& dialog) {
        const SDL_Point close = Centre(dialog.CloseBoxRect());
        PushClick(close.x, close.y);
    });
    EXPECT_TRUE(SameRecord(text.record, before));
    EXPECT_TRUE(paper.undoStack.empty());
    EXPECT_FALSE(paper.modified);

    // OK takes them; the text keeps at most 63 bytes.
    Edit(paper, [](Dialog& dialog) {
        TypeInto(dialog, kEditFieldText, std::string(70, 'w'));
        TypeInto(dialog, kEditFieldAngle, "100000");
        PushKey(SDLK_RETURN);
    });
    EXPECT_EQ(text.record.Text(), std::string(63, 'w'));
    EXPECT_EQ(text.record.Angle(), 100000 % 360) << "the same direction, not a wrapped number";

    // With two objects selected no dialog opens; the status line says why.
    paper.undoStack.clear();
    EXPECT_TRUE(paper.CreateAndAddObject(TextRecord(24, 96, "Hall"),
                                         OnLayer{editor->session.currentLayer}));
    paper.selection.emplace(paper.objects.back()->id, paper.objects.back());
    Edit(paper, [](Dialog& dialog) {
        ADD_FAILURE() << "a dialog opened for two objects";
        dialog.End(0);
    });
    EXPECT_EQ(Notice(), "To edit it must be the only object selected!");
    EXPECT_EQ(paper.undoStack.size(), 1u) << "only the adding";
}

TEST_F(EditObjectDialogTest, ValuesThatDoNotFitAreRefusedAndTheDialogStaysOpen) {
    ActiveTestPaper active;
    Paper& paper = active.paper;
    PaperObject& circle = AddSelected(paper, CircleRecord(480, 240, 144));
    const ObjectRecord before = circle.record;

    struct Case {
        int id;
        const char* typed;
        const char* notice;
    };
    const Case cases[] = {
        {kEditFieldRadius, "341.34", "Radius must be between 0 and 341.33 ft!"},
        {kEditFieldRadius, "-1", "Radius must be between 0 and 341.33 ft!"},
        {kEditFieldRadius, "nan", "Radius is not a number!"},
        {kEditPositionXId, "1e12", "Position is out of range!"},
        {kEditPositionYId, "-22369622", "Position is out of range!"},
        {kEditPositionYId, "inf", "Position is not a number!"},
    };
    for (const Case& refused : cases) {
        SCOPED_TRACE(refused.typed);
        editor->ui.statusNotice[0] = '\0';
        bool stillOpen = false;
        int focus = kIdNone;
        std::string selected;
        OnDialogOpened([&](Dialog& dialog) {
            TypeInto(dialog, kEditFieldRadius, "0.5");
            TypeInto(dialog, refused.id, refused.typed);
            PushKey(SDLK_RETURN);
        });
        OnPass(kEditCaption, 2, [&](Dialog& dialog) {
            stillOpen = true;
            focus = dialog.FocusId();
            selected = dialog.ControlAs<DialogEdit>(refused.id)->Buffer().SelectedText();
            PushKey(SDLK_ESCAPE);
        });
        EditSelectedObject(*editor, paper);
        EXPECT_TRUE(stillOpen);
        EXPECT_EQ(focus, refused.id);
        EXPECT_EQ(selected, refused.typed) << "ready to be typed over";
        EXPECT_EQ(Notice(), refused.notice);
        EXPECT_TRUE(SameRecord(circle.record, before)) << "nothing written, not even the radius";
    }
    EXPECT_TRUE(paper.undoStack.empty());

    // The largest radius there is still fits.
    Edit(paper, [](Dialog& dialog) {
        TypeInto(dialog, kEditFieldRadius, "341.33");
        PushKey(SDLK_RETURN);
    });
    EXPECT_EQ(circle.record.Radius(), 32767);
}

TEST_F(EditObjectDialogTest, EmptiedPositionsKeepTheirPoint) {
    ActiveTestPaper active;
    Paper& paper = active.paper;
    PaperObject& rect = AddSelected(paper, LineRecord(ObjectKind::Rect, 10, 20, 300, 400));
    Edit(paper, [](Dialog& dialog) {
        TypeInto(dialog, kEditPositionXId, "");
        TypeInto(dialog, kEditPositionYId, "1");
        TypeInto(dialog, kEditFieldPosition2X, "");
        TypeInto(dialog, kEditFieldPosition2Y, "2.5 ft");
        PushKey(SDLK_RETURN);
    });
    EXPECT_EQ(rect.record.X1(), 10) << "an empty first position keeps the object's";
    EXPECT_EQ(rect.record.Y1(), 96);
    EXPECT_EQ(rect.record.X2(), 10) << "an empty second position takes the first one's";
    EXPECT_EQ(rect.record.Y2(), 240);
}

TEST(EditObjectInProgramTest, TheEKeyOpensTheDialogWithoutTypingItsLetter) {
    AppHarness app;
    ASSERT_TRUE(app.Start());
    ActiveTestPaper active;
    Paper& paper = active.paper;
    ASSERT_TRUE(paper.CreateAndAddObject(LineRecord(ObjectKind::Line, 96, 96, 288, 96),
                                         OnLayer{editor->session.currentLayer}));
    paper.selection.emplace(paper.objects[0]->id, paper.objects[0]);

    std::string first;
    // Read once the dialog has handled what was queued when it opened.
    editor->ui.dialogPassHook = [&](Dialog& dialog) {
        if (dialog.Passes() == 2) {
            first = dialog.Text(kEditPositionXId);
            dialog.End(0);
        }
    };
    // A key press delivers the key and, right behind it, its letter as text.
    app.KeyDown(SDLK_e);
    app.TypeText("e");
    app.KeyUp(SDLK_e);
    ASSERT_TRUE(app.RunPasses(1));
    editor->ui.dialogPassHook = nullptr;
    EXPECT_EQ(first, "1.00");
}
