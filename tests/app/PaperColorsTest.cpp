#include "app/MenuTestSupport.h"

#include "app/FileCommands.h"
#include "app/PaperColors.h"
#include "document/Paper.h"
#include "ui/ColorDialog.h"
#include "ui/FileDialog.h"

#include <SDL2/SDL_image.h>

#include <cstdlib>

namespace {

// Papers are drawn in 16-bit colour, so a colour comes back rounded.
::testing::AssertionResult Near(const SDL_Color& actual, const SDL_Color& expected) {
    const int tolerance = 8;
    if (std::abs(actual.r - expected.r) <= tolerance &&
        std::abs(actual.g - expected.g) <= tolerance &&
        std::abs(actual.b - expected.b) <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "(" << int{actual.r} << ", " << int{actual.g} << ", " << int{actual.b} << ")";
}

class PaperColorsTest : public MenuTest {
  protected:
    // Chooses the item and reads the colour the chooser starts on; the
    // chooser then gets `red` typed into its red field and OK, or Escape when
    // `red` is empty.
    std::string ChooseColor(const std::string& menu, const std::string& item,
                            const std::string& header, const std::string& red) {
        std::string shown;
        OnDialog([&](Dialog& dialog) {
            shown = dialog.Text(kColorRedId) + "," + dialog.Text(kColorGreenId) + "," +
                    dialog.Text(kColorBlueId);
            if (red.empty()) {
                app.PressKey(SDLK_ESCAPE);
                return;
            }
            dialog.SetFocus(kColorRedId);
            app.TypeText(red);
            app.PressKey(SDLK_RETURN);
        });
        Choose(menu, item, header);
        editor->ui.dialogPassHook = nullptr;
        return shown;
    }

    static std::vector<std::string> MarkedGridColors() {
        std::vector<std::string> marked;
        for (const GridColorChoice& choice : gridColorTable) {
            const MENU_ITEM* item = Item("Grid", choice.caption);
            if (item->check(item->value)) {
                marked.push_back(choice.caption);
            }
        }
        return marked;
    }
};

} // namespace

TEST_F(PaperColorsTest, BackgroundAndDrawColoursChangeOnlyThePalette) {
    NewPaper("4x4");
    Choose("Options", "Light");
    EXPECT_EQ(editor->session.activePaper->palette.backgroundColor,
              (SDL_Color{255, 255, 255, 255}));
    Choose("Options", "Dark");
    EXPECT_EQ(editor->session.activePaper->palette.backgroundColor, (SDL_Color{33, 40, 48, 255}));
    EXPECT_EQ(ChooseColor("Options", "Choose...", "Background", ""), "33,40,48");
    EXPECT_EQ(editor->session.activePaper->palette.backgroundColor, (SDL_Color{33, 40, 48, 255}));
    EXPECT_EQ(ChooseColor("Options", "Choose...", "Background", "200"), "33,40,48");
    EXPECT_EQ(editor->session.activePaper->palette.backgroundColor, (SDL_Color{200, 40, 48, 255}));

    Choose("Options", "Black");
    EXPECT_EQ(editor->session.activePaper->palette.objectColor, (SDL_Color{0, 0, 0, 255}));
    EXPECT_EQ(ChooseColor("Options", "Choose...", "Draw Color", "90"), "0,0,0");
    EXPECT_EQ(editor->session.activePaper->palette.objectColor, (SDL_Color{90, 0, 0, 255}));
    Choose("Options", "White");
    EXPECT_EQ(editor->session.activePaper->palette.objectColor, (SDL_Color{255, 255, 255, 255}));
    EXPECT_EQ(editor->session.activePaper->palette.backgroundColor, (SDL_Color{200, 40, 48, 255}));

    // The view shows the new background at once.
    Choose("Options", "Light");
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_TRUE(
        Near(app.PixelAt(editor->shell.paperViewRect.x + 100, editor->shell.paperViewRect.y + 100),
             {255, 255, 255, 255}));

    // The palette is saved with the paper: closing asks about it.
    EXPECT_TRUE(editor->session.activePaper->modified);
    saveAnswer = kSaveQuestionNo;
    Choose("File", "Close");
    EXPECT_TRUE(editor->session.openPapers.empty());
    EXPECT_EQ(questions.size(), 1u);

    // Without a paper nothing opens.
    editor->ui.dialogPassHook = [](Dialog&) {
        ADD_FAILURE() << "a chooser opened without a paper";
    };
    Choose("Options", "Choose...", "Background");
    Choose("Options", "Image...");
}

TEST_F(PaperColorsTest, TheGridColourCheckFollowsTheChoice) {
    EXPECT_TRUE(MarkedGridColors().empty());
    Choose("Grid", "Green"); // no paper: nothing happens
    NewPaper("4x4");
    EXPECT_EQ(MarkedGridColors(), std::vector<std::string>{"Black"});
    Choose("Grid", "Green");
    EXPECT_EQ(editor->session.activePaper->palette.gridColor, (SDL_Color{0, 128, 0, 255}));
    EXPECT_EQ(MarkedGridColors(), std::vector<std::string>{"Green"});
    Choose("Grid", "Gray");
    EXPECT_EQ(editor->session.activePaper->palette.gridColor, (SDL_Color{208, 208, 208, 255}));
    EXPECT_EQ(MarkedGridColors(), std::vector<std::string>{"Gray"});
    EXPECT_TRUE(editor->session.activePaper->modified) << "the grid colour is saved with the paper";
    // A colour of no entry checks none.
    editor->session.activePaper->palette.gridColor = {1, 2, 3, 255};
    EXPECT_TRUE(MarkedGridColors().empty());
}

TEST_F(PaperColorsTest, CustomColoursStayForEveryPaper) {
    NewPaper("4x4");
    OnDialog([&](Dialog& dialog) {
        dialog.SetFocus(kColorRedId);
        app.TypeText("12");
        app.PressKey(SDLK_TAB);
        app.TypeText("34");
        app.PressKey(SDLK_TAB);
        app.TypeText("56");
        app.PressKey(SDLK_a, KMOD_LALT); // Add to Custom Colors
        app.PressKey(SDLK_ESCAPE);
    });
    Choose("Options", "Choose...", "Background");
    EXPECT_EQ(editor->session.activePaper->palette.backgroundColor, (SDL_Color{33, 40, 48, 255}));

    NewPaper("5x5");
    SDL_Color offered = {};
    OnDialog([&](Dialog& dialog) {
        offered = dialog.ControlAs<DialogColorGrid>(kColorCustomGridId)->CellColor(0);
        app.PressKey(SDLK_ESCAPE);
    });
    Choose("Options", "Choose...", "Draw Color");
    EXPECT_EQ(offered.r, 12);
    EXPECT_EQ(offered.g, 34);
    EXPECT_EQ(offered.b, 56);
}

TEST_F(PaperColorsTest, TheImageFilterNamesTheLoadersPresent) {
    EXPECT_EQ(ImageFileTypesFor(IMG_INIT_PNG),
              (FileTypeFilters{{"Images (*.png;*.bmp)", "*.png;*.bmp"}}));
    EXPECT_EQ(ImageFileTypesFor(IMG_INIT_JPG | IMG_INIT_PNG | IMG_INIT_TIF | IMG_INIT_WEBP)
                  .begin()
                  ->first,
              "Images (*.png;*.bmp;*.jpg;*.jpeg;*.tif;*.tiff;*.webp)");
    EXPECT_EQ(ImageFileTypesFor(IMG_INIT_WEBP).begin()->second, "*.png;*.bmp;*.webp");
}

TEST_F(PaperColorsTest, ABackgroundImageIsAChangeToSave) {
    const std::string image = Documents() + "floor plan.png";
    {
        SurfacePtr surface(SDL_CreateRGBSurfaceWithFormat(0, 40, 30, 32, SDL_PIXELFORMAT_RGBA32));
        SDL_FillRect(surface.get(), nullptr, SDL_MapRGBA(surface->format, 250, 10, 10, 255));
        ASSERT_EQ(IMG_SavePNG(surface.get(), image.c_str()), 0);
    }
    NewPaper("4x4");

    // Cancelled: nothing changes.
    std::string typeLabel;
    std::string caption;
    OnDialog([&](Dialog& dialog) {
        typeLabel = dialog.Text(kFileTypeLabelId);
        caption = dialog.Caption();
        app.PressKey(SDLK_ESCAPE);
    });
    Choose("Options", "Image...");
    EXPECT_EQ(caption, "Select Image File");
    ASSERT_EQ(editor->ui.imageFileTypes.size(), 1u);
    EXPECT_EQ(typeLabel, editor->ui.imageFileTypes.begin()->first);
    EXPECT_EQ(typeLabel.rfind("Images (*.png;*.bmp", 0), 0u) << typeLabel;
    EXPECT_TRUE(editor->session.activePaper->backgroundImagePath.empty());
    EXPECT_FALSE(editor->session.activePaper->modified);

    AnswerFileDialog(image);
    Choose("Options", "Image...");
    EXPECT_EQ(editor->session.activePaper->backgroundImagePath, image);
    EXPECT_TRUE(editor->session.activePaper->modified);
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_TRUE(
        Near(app.PixelAt(editor->shell.paperViewRect.x + 10, editor->shell.paperViewRect.y + 10),
             {250, 10, 10, 255}));

    saveAnswer = kSaveQuestionCancel;
    Choose("File", "Close");
    EXPECT_EQ(questions.size(), 1u);
    EXPECT_EQ(editor->session.openPapers.size(), 1u);
}
