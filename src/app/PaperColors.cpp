#include "app/PaperColors.h"

#include "app/PaperWindows.h"
#include "app/StatusNotice.h"
#include "document/Paper.h"
#include "ui/ColorDialog.h"
#include "ui/FileDialog.h"
#include "view/PaperView.h"

#include <SDL2/SDL_image.h>

#include <string>
#include <vector>

const GridColorChoice gridColorTable[kGridColorCount] = {
    {"Black", {0, 0, 0, 255}},
    {"Green", {0, 128, 0, 255}},
    {"Blue", {0, 128, 255, 255}},
    {"Gray", {208, 208, 208, 255}},
};

namespace {

// The palette is saved with the document, so a real change marks the paper
// modified and closing it asks about saving.
void SetPaletteColor(SDL_Color PaperPalette::*field, const SDL_Color& color) {
    if (editor->session.activePaper != nullptr &&
        !SameColor(editor->session.activePaper->palette.*field, color)) {
        editor->session.activePaper->palette.*field = color;
        editor->session.activePaper->modified = true;
    }
}

// The chooser works on a copy, so Cancel leaves the paper as it was.
void ChoosePaletteColor(SDL_Color PaperPalette::*field) {
    if (editor->session.activePaper == nullptr) {
        return;
    }
    SDL_Color color = editor->session.activePaper->palette.*field;
    if (ChooseColorDialog(*editor, color)) {
        SetPaletteColor(field, color);
    }
}

} // namespace

bool SameColor(const SDL_Color& a, const SDL_Color& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

FileTypeFilters ImageFileTypesFor(int loaderFlags) {
    // SDL_image reads PNG and BMP whatever it was initialised with.
    std::vector<const char*> patterns = {"*.png", "*.bmp"};
    if ((loaderFlags & IMG_INIT_JPG) != 0) {
        patterns.insert(patterns.end(), {"*.jpg", "*.jpeg"});
    }
    if ((loaderFlags & IMG_INIT_TIF) != 0) {
        patterns.insert(patterns.end(), {"*.tif", "*.tiff"});
    }
    if ((loaderFlags & IMG_INIT_WEBP) != 0) {
        patterns.push_back("*.webp");
    }
    std::string joined;
    for (const char* pattern : patterns) {
        if (!joined.empty()) {
            joined += ';';
        }
        joined += pattern;
    }
    return FileTypeFilters{{"Images (" + joined + ")", joined}};
}

void SetLightBackground(uint64_t, MENU_ITEM*) {
    SetPaletteColor(&PaperPalette::backgroundColor, kLightBackground);
}

void SetDarkBackground(uint64_t, MENU_ITEM*) {
    SetPaletteColor(&PaperPalette::backgroundColor, kDarkBackground);
}

void ChooseBackgroundColor(uint64_t, MENU_ITEM*) {
    ChoosePaletteColor(&PaperPalette::backgroundColor);
}

void ChooseBackgroundImage(uint64_t, MENU_ITEM*) {
    if (editor->session.activePaper == nullptr) {
        return;
    }
    if (editor->ui.imageFileTypes.empty()) {
        // With no flags IMG_Init only reports the loaders already initialised.
        editor->ui.imageFileTypes = ImageFileTypesFor(IMG_Init(0));
    }
    std::vector<std::string> paths;
    if (!ShowOpenFileDialog(*editor, paths, "", editor->ui.imageFileTypes, false,
                            kImageDialogTitle) ||
        paths.empty()) {
        return;
    }
    PaperView* view = ActiveView();
    std::string problem;
    if (view == nullptr) {
        return;
    }
    if (!view->LoadBackgroundImage(paths.front(), problem)) {
        ShowStatusNotice(problem);
        return;
    }
    // The image's path is part of the document.
    editor->session.activePaper->modified = true;
}

void SetWhiteDrawColor(uint64_t, MENU_ITEM*) {
    SetPaletteColor(&PaperPalette::objectColor, kWhiteDrawColor);
}

void SetBlackDrawColor(uint64_t, MENU_ITEM*) {
    SetPaletteColor(&PaperPalette::objectColor, kBlackDrawColor);
}

void ChooseDrawColor(uint64_t, MENU_ITEM*) {
    ChoosePaletteColor(&PaperPalette::objectColor);
}

void SetGridColor(uint64_t value, MENU_ITEM*) {
    if (value < kGridColorCount) {
        SetPaletteColor(&PaperPalette::gridColor, gridColorTable[value].color);
    }
}

bool IsGridColor(uint64_t value) {
    return editor->session.activePaper != nullptr && value < kGridColorCount &&
           SameColor(editor->session.activePaper->palette.gridColor, gridColorTable[value].color);
}
