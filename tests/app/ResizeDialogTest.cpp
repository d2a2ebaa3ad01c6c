#include "ui/DialogTestFixture.h"

#include "app/ActiveTool.h"
#include "app/AppHarness.h"
#include "app/ResizeDialog.h"
#include "document/PaperTestSupport.h"
#include "tools/Tool.h"

namespace {

// 8.5 x 11 inches.
constexpr int32_t kLetterWidth = 816;
constexpr int32_t kLetterHeight = 1056;
constexpr const char* kResizeCaption = "Resize Paper";

class ResizeDialogTest : public DialogTest {
  protected:
    std::string Notice() const { return editor->ui.statusNotice; }
    void ClearNotice() { editor->ui.statusNotice[0] = '\0'; }
    static SDL_Point FirstPoint(const Paper& paper, size_t index) {
        return {paper.objects[index]->record.X1(), paper.objects[index]->record.Y1()};
    }
    // Opens the dialog, replaces the width with `width` and presses the
    // buttons in `ids` before OK.
    static void ResizeWith(const std::string& width, std::vector<int> ids) {
        OnDialogOpened([width, ids](Dialog& dialog) {
            // The width field has the focus with its text selected.
            if (width.empty()) {
                PushKey(SDLK_DELETE);
            }
            PushText(width);
            for (const int id : ids) {
                PushClickOn(dialog, id);
            }
            PushKey(SDLK_RETURN);
        });
        ShowResizeDialog(0, nullptr);
    }
};

class CountingTool final : public Tool {
  public:
    explicit CountingTool(int& destroyed) : destroyed_(destroyed) {}
    ~CountingTool() override { ++destroyed_; }
    void Render(PaperView& /*view*/, const ToolContext& /*context*/) override {}

  private:
    int& destroyed_;
};

} // namespace

TEST_F(ResizeDialogTest, TheSideButtonsDecideWhereTheAddedSpaceGoes) {
    ActiveTestPaper active(kLetterWidth, kLetterHeight);
    Paper& paper = active.paper;
    paper.CreateAndAddObject(LineRecord(ObjectKind::Line, 100, 100, 200, 200),
                             OnLayer{editor->session.currentLayer});
    paper.undoStack.clear();

    std::string width;
    std::string height;
    OnDialogOpened([&](Dialog& dialog) {
        width = dialog.Text(kResizeWidthId);
        height = dialog.Text(kResizeHeightId);
    });
    ShowResizeDialog(0, nullptr);
    EXPECT_EQ(width, "8.50");
    EXPECT_EQ(height, "11.00");

    ResizeWith("10", {kResizeLeftId});
    EXPECT_EQ(paper.width, 960);
    EXPECT_EQ(paper.height, kLetterHeight);
    EXPECT_EQ(FirstPoint(paper, 0), (SDL_Point{244, 100}));
    EXPECT_EQ(paper.objects[0]->record.X2(), 344);
    EXPECT_TRUE(paper.modified);

    // One Undo takes back the whole resize, the shift and the size; an edit
    // made before it stays.
    paper.Undo();
    EXPECT_EQ(FirstPoint(paper, 0), (SDL_Point{100, 100}));
    EXPECT_EQ(paper.width, kLetterWidth);
    EXPECT_TRUE(paper.undoStack.empty());

    // The centre button adds the space on all sides: half of it on the left.
    paper.CreateAndAddObject(LineRecord(ObjectKind::Line, 5, 5, 9, 9),
                             OnLayer{editor->session.currentLayer});
    ResizeWith("10", {kResizeAllSidesId});
    EXPECT_EQ(FirstPoint(paper, 0), (SDL_Point{172, 100}));
    paper.Undo();
    EXPECT_EQ(FirstPoint(paper, 0), (SDL_Point{100, 100}));
    EXPECT_EQ(paper.width, kLetterWidth);
    ASSERT_EQ(paper.objects.size(), 2u) << "the line added before the resize stays";
    paper.Undo();
    ASSERT_EQ(paper.objects.size(), 1u);

    // With no button the space is split as well.
    ResizeWith("10", {});
    EXPECT_EQ(FirstPoint(paper, 0), (SDL_Point{172, 100}));
    paper.Undo();

    // Only the right-hand button: the objects stay where they are.
    ResizeWith("10", {kResizeRightId});
    EXPECT_EQ(paper.width, 960);
    EXPECT_EQ(FirstPoint(paper, 0), (SDL_Point{100, 100}));
    EXPECT_EQ(paper.undoStack.size(), 1u) << "nothing moved, so only the resize";
}

TEST_F(ResizeDialogTest, TheAllSidesButtonIsCoupledToTheFourSides) {
    ActiveTestPaper active(kLetterWidth, kLetterHeight);
    const int sides[] = {kResizeLeftId, kResizeRightId, kResizeTopId, kResizeBottomId};
    std::vector<bool> afterAll;
    std::vector<bool> afterLeft;
    OnPass(kResizeCaption, 1, [](Dialog& dialog) { PushClickOn(dialog, kResizeAllSidesId); });
    OnPass(kResizeCaption, 2, [&](Dialog& dialog) {
        for (const int id : sides) {
            afterAll.push_back(dialog.IsChecked(id));
        }
        afterAll.push_back(dialog.IsChecked(kResizeAllSidesId));
        PushClickOn(dialog, kResizeLeftId);
    });
    OnPass(kResizeCaption, 3, [&](Dialog& dialog) {
        for (const int id : sides) {
            afterLeft.push_back(dialog.IsChecked(id));
        }
        afterLeft.push_back(dialog.IsChecked(kResizeAllSidesId));
        // Pressing the left one again leaves the centre button released.
        PushClickOn(dialog, kResizeLeftId);
    });
    bool allAtEnd = true;
    OnPass(kResizeCaption, 4, [&](Dialog& dialog) {
        allAtEnd = dialog.IsChecked(kResizeAllSidesId);
        PushKey(SDLK_ESCAPE);
    });
    ShowResizeDialog(0, nullptr);
    EXPECT_EQ(afterAll, (std::vector<bool>{true, true, true, true, true}));
    EXPECT_EQ(afterLeft, (std::vector<bool>{false, true, true, true, false}));
    EXPECT_FALSE(allAtEnd);
}

TEST_F(ResizeDialogTest, SizesAreCheckedBeforeAnythingChanges) {
    ActiveTestPaper active(kLetterWidth, kLetterHeight);
    Paper& paper = active.paper;
    paper.CreateAndAddObject(LineRecord(ObjectKind::Line, 100, 100, 200, 200),
                             OnLayer{editor->session.currentLayer});
    paper.undoStack.clear();
    paper.modified = false;
    auto unchanged = [&] {
        return paper.width == kLetterWidth && paper.height == kLetterHeight &&
               paper.undoStack.empty() && !paper.modified &&
               FirstPoint(paper, 0) == SDL_Point{100, 100};
    };

    // 8.49 inches is 815 pixels: within two pixels of 816, so accepted.
    ResizeWith("8.49", {});
    EXPECT_EQ(paper.width, 815);
    paper.Undo();
    paper.undoStack.clear();
    paper.modified = false;

    const std::pair<const char*, const char*> refused[] = {
        {"8.47", "Only auto size can shrink a page!"},
        {"0.5", "Minimum size is 1x1!"},
        {"", "Minimum size is 1x1!"},
        {"nan", "Minimum size is 1x1!"},
        {"-inf", "Minimum size is 1x1!"},
        {"400", "Maximum size is 341.33x341.33!"},
        {"1e999", "Maximum size is 341.33x341.33!"},
    };
    for (const auto& [text, notice] : refused) {
        SCOPED_TRACE(text);
        ClearNotice();
        ResizeWith(text, {});
        EXPECT_EQ(Notice(), notice);
        EXPECT_TRUE(unchanged());
    }

    // The largest paper there is can still be asked for.
    ClearNotice();
    ResizeWith("341.33", {kResizeRightId});
    EXPECT_EQ(paper.width, kMaxPaperPixels);
    EXPECT_EQ(Notice(), "");
    paper.Undo();
    paper.undoStack.clear();
    paper.modified = false;

    // Cancel after typing changes nothing.
    OnDialogOpened([](Dialog& dialog) {
        PushText("20");
        PushClickOn(dialog, kIdCancel);
    });
    ShowResizeDialog(0, nullptr);
    EXPECT_TRUE(unchanged());

    // Direct calls: sides are required, and no size may be NaN.
    ClearNotice();
    EXPECT_FALSE(ResizeActivePaper(10, 11, 0));
    EXPECT_EQ(Notice(), "No resize flags specified!");
    EXPECT_FALSE(ResizeActivePaper(std::nan(""), 11, kResizeAllSides));
    EXPECT_FALSE(ResizeActivePaper(10, std::numeric_limits<double>::infinity(), kResizeAllSides));
    EXPECT_TRUE(unchanged());
}

TEST_F(ResizeDialogTest, AutoSizeLeavesFourSquaresAroundTheObjects) {
    ActiveTestPaper active(kLetterWidth, kLetterHeight);
    Paper& paper = active.paper;
    ASSERT_EQ(paper.blockWidth, 24);
    paper.CreateAndAddObject(LineRecord(ObjectKind::Line, 150, 200, 300, 130),
                             OnLayer{editor->session.currentLayer});
    paper.CreateAndAddObject(CircleRecord(200, 160, 20), OnLayer{editor->session.currentLayer});
    paper.undoStack.clear();

    OnDialogOpened([](Dialog& dialog) { PushClickOn(dialog, kResizeAutoSizeId); });
    ShowResizeDialog(0, nullptr);
    EXPECT_EQ(paper.width, 348);
    EXPECT_EQ(paper.height, 272);
    EXPECT_EQ(FirstPoint(paper, 0), (SDL_Point{102, 176}));
    EXPECT_EQ(FirstPoint(paper, 1), (SDL_Point{152, 136}));
    paper.Undo();
    EXPECT_TRUE(paper.undoStack.empty()) << "one Undo for the whole auto size";
    EXPECT_EQ(paper.width, kLetterWidth);
    EXPECT_EQ(paper.height, kLetterHeight);
    EXPECT_EQ(FirstPoint(paper, 0), (SDL_Point{150, 200}));

    // Already four squares in: nothing moves, the paper shrinks around them.
    paper.objects.clear();
    paper.undoStack.clear();
    paper.CreateAndAddObject(LineRecord(ObjectKind::Line, 100, 100, 300, 200),
                             OnLayer{editor->session.currentLayer});
    paper.undoStack.clear();
    AutoSizeActivePaper();
    EXPECT_EQ(paper.width, 396);
    EXPECT_EQ(paper.height, 296);
    EXPECT_EQ(FirstPoint(paper, 0), (SDL_Point{100, 100}));
    ASSERT_EQ(paper.undoStack.size(), 1u);
    EXPECT_EQ(paper.undoStack[0]->kind, UndoKind::Resized);

    // Objects partly left of and above the paper come back onto it.
    paper.objects.clear();
    paper.CreateAndAddObject(LineRecord(ObjectKind::Line, -50, -30, 100, 60),
                             OnLayer{editor->session.currentLayer});
    AutoSizeActivePaper();
    EXPECT_EQ(FirstPoint(paper, 0), (SDL_Point{118, 114}));
    EXPECT_EQ(paper.width, 364);
    EXPECT_EQ(paper.height, 300);
}

TEST_F(ResizeDialogTest, AutoSizeRefusesAnEmptyPaperAndOneThatWouldGrowTooLarge) {
    ActiveTestPaper active(kLetterWidth, kLetterHeight);
    Paper& paper = active.paper;
    AutoSizeActivePaper();
    EXPECT_EQ(Notice(), "Paper is empty!");
    EXPECT_EQ(paper.width, kLetterWidth);

    paper.CreateAndAddObject(LineRecord(ObjectKind::Line, 100, 100, 40000, 200),
                             OnLayer{editor->session.currentLayer});
    paper.undoStack.clear();
    paper.modified = false;
    AutoSizeActivePaper();
    EXPECT_EQ(Notice(), "Auto size would exceed the maximum size of 341.33x341.33!");
    EXPECT_EQ(paper.width, kLetterWidth);
    EXPECT_EQ(FirstPoint(paper, 0), (SDL_Point{100, 100}));
    EXPECT_TRUE(paper.undoStack.empty());
    EXPECT_FALSE(paper.modified);

    // Far out in the 32-bit range, but small: moved back exactly. The left
    // end lies 2 pixels past a grid line.
    paper.objects.clear();
    paper.CreateAndAddObject(LineRecord(ObjectKind::Line, INT32_MIN + 10, 0, INT32_MIN + 110, 48),
                             OnLayer{editor->session.currentLayer});
    AutoSizeActivePaper();
    EXPECT_EQ(paper.objects[0]->record.X1(), 98);
    EXPECT_EQ(paper.objects[0]->record.X2(), 198);
    EXPECT_EQ(paper.width, 198 + 96);
}

TEST_F(ResizeDialogTest, TheDialogEndsTheToolOperationInProgress) {
    int destroyed = 0;
    editor->session.activeToolInstance = std::make_unique<CountingTool>(destroyed);
    int opened = 0;
    OnDialogOpened([&](Dialog&) { ++opened; });
    ShowResizeDialog(0, nullptr);
    EXPECT_EQ(opened, 0) << "no paper, no dialog";
    EXPECT_EQ(destroyed, 0);

    ActiveTestPaper active;
    ShowResizeDialog(0, nullptr);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(editor->session.activeToolInstance, nullptr);

    editor->session.activeToolInstance = std::make_unique<CountingTool>(destroyed);
    active.paper.CreateAndAddObject(LineRecord(ObjectKind::Line, 0, 0, 10, 10),
                                    OnLayer{editor->session.currentLayer});
    AutoSizeActivePaper();
    EXPECT_EQ(destroyed, 2);
}

TEST_F(ResizeDialogTest, TheSideButtonsShowLargeArrowsButKeepTheirCaptions) {
    ActiveTestPaper active;
    std::vector<std::string> captions;
    std::vector<int> inkPixels;
    OnDialogOpened([&](Dialog& dialog) {
        SaveShot(dialog, "resize_paper");
        for (const int id :
             {kResizeTopId, kResizeLeftId, kResizeAllSidesId, kResizeRightId, kResizeBottomId}) {
            captions.push_back(dialog.Text(id));
            const SDL_Rect inner = InsetRect(dialog.ControlRect(id), 3);
            const int ink = CountPixelsIn(dialog, inner, [](const SDL_Color& color) {
                return color.r < 60 && color.g < 60 && color.b < 60;
            });
            inkPixels.push_back(ink);
        }
    });
    ShowResizeDialog(0, nullptr);
    EXPECT_EQ(captions, (std::vector<std::string>{"\xCB\x84", "\xCB\x82", "\xC2\xB7", "\xCB\x83",
                                                  "\xCB\x85"}));
    ASSERT_EQ(inkPixels.size(), 5u);
    for (size_t i = 0; i < inkPixels.size(); ++i) {
        // An arrowhead of about 7 rows has 49 pixels; the dot about 29.
        EXPECT_GE(inkPixels[i], i == 2 ? 20 : 40) << "button " << i;
    }
}

TEST_F(ResizeDialogTest, OkWithTheSizeUntouchedKeepsTheExactSize) {
    // 348 x 272 is 3.625 x 2.833... inches: the fields show rounded hundredths,
    // which must not be read back as a smaller paper.
    const SDL_Point sizes[] = {{348, 272}, {97, 1001}, {1234, 5678}, {32765, 30001}};
    for (const SDL_Point size : sizes) {
        SCOPED_TRACE(std::to_string(size.x) + "x" + std::to_string(size.y));
        ActiveTestPaper active(size.x, size.y);
        Paper& paper = active.paper;
        paper.CreateAndAddObject(LineRecord(ObjectKind::Line, 30, 40, 50, 60),
                                 OnLayer{editor->session.currentLayer});
        paper.undoStack.clear();
        paper.modified = false;
        for (const std::vector<int>& sides :
             {std::vector<int>{}, std::vector<int>{kResizeLeftId, kResizeTopId}}) {
            OnDialogOpened([sides](Dialog& dialog) {
                for (const int id : sides) {
                    PushClickOn(dialog, id);
                }
                PushKey(SDLK_RETURN);
            });
            ShowResizeDialog(0, nullptr);
            EXPECT_EQ(paper.width, size.x);
            EXPECT_EQ(paper.height, size.y);
            EXPECT_EQ(FirstPoint(paper, 0), (SDL_Point{30, 40}));
            EXPECT_TRUE(paper.undoStack.empty());
            EXPECT_FALSE(paper.modified);
        }
        // A changed width still reads the untouched height exactly.
        const int32_t wider = size.x / 96 + 1;
        if (wider * 96 <= kMaxPaperPixels) {
            ResizeWith(std::to_string(wider), {kResizeTopId});
            EXPECT_EQ(paper.width, wider * 96);
            EXPECT_EQ(paper.height, size.y);
            EXPECT_EQ(FirstPoint(paper, 0), (SDL_Point{30, 40}));
        }
    }
}
