#include "app/MenuTestSupport.h"

#include "app/Layout.h"
#include "app/MenuBar.h"
#include "app/StatusLine.h"
#include "app/Toolbox.h"
#include "app/ToolboxButton.h"
#include "document/Paper.h"
#include "document/PaperTestSupport.h"

#include <SDL2/SDL_clipboard.h>
#include <SDL2/SDL_ttf.h>

#include <cstdlib>

namespace {

const SDL_Color kBar = {208, 208, 208, 255};
const SDL_Color kHighlight = {0, 128, 255, 255};
const SDL_Color kWhite = {255, 255, 255, 255};

bool IsDark(const SDL_Color& color) {
    return color.r < 100 && color.g < 100 && color.b < 100;
}

// Text of any colour a menu draws on its grey, greyed text included.
bool IsInk(const SDL_Color& color) {
    return color.r < 160 && color.g < 160 && color.b < 160;
}

// Saves the frame for a person to look at when TESSELLON_SHOTS_DIR is set.
void SaveShot(const AppHarness& app, const std::string& name) {
    const char* folder = std::getenv("TESSELLON_SHOTS_DIR");
    if (folder != nullptr && folder[0] != '\0') {
        EXPECT_TRUE(app.SaveScreenshot(std::string(folder) + "/" + name + ".png"));
    }
}

std::vector<std::string> MarkedItems(const MENU& menu) {
    std::vector<std::string> marked;
    for (const auto& item : menu.items) {
        if (item->marked) {
            marked.push_back(item->caption);
        }
    }
    return marked;
}

// Opens the menu and draws it with the pointer away from the bar.
void OpenAndDraw(AppHarness& app, const std::string& caption) {
    app.MouseMove(700, 500);
    editor->ui.openMenu = FindMenu(caption);
    ASSERT_NE(editor->ui.openMenu, nullptr);
    ASSERT_TRUE(app.RunPasses(1));
}

class MenuBarTest : public MenuTest {};

} // namespace

TEST_F(MenuBarTest, TheBarHoldsSevenMenusSideBySide) {
    std::vector<std::string> captions;
    for (const auto& menu : editor->ui.menus) {
        captions.push_back(menu->caption);
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"File", "Edit", "Options", "Unit Options", "Grid",
                                                  "Windows", "Help"}));
    int x = editor->shell.menuBarRect.x;
    for (const auto& menu : editor->ui.menus) {
        int width = 0;
        int height = 0;
        TTF_SizeUTF8(editor->shell.menuFont.get(), menu->caption.c_str(), &width, &height);
        EXPECT_EQ(menu->titleRect.x, x) << menu->caption;
        EXPECT_EQ(menu->titleRect.w, width + 10) << menu->caption;
        EXPECT_EQ(menu->titleRect.h, std::max(height + 6, editor->shell.menuBarRect.h));
        EXPECT_EQ(menu->dropDownRect.y, menu->titleRect.y + menu->titleRect.h);
        x += menu->titleRect.w + 10;
    }
    EXPECT_EQ(editor->ui.fileMenu, FindMenu("File"));
    EXPECT_EQ(editor->ui.windowsMenu, FindMenu("Windows"));
    for (size_t slot = 0; slot < 4; ++slot) {
        ASSERT_NE(editor->ui.recentFileItems[slot], nullptr);
        EXPECT_EQ(editor->ui.recentFileItems[slot]->caption, "- Recently Used File -");
        EXPECT_EQ(editor->ui.recentFileItems[slot]->value, slot);
    }
    EXPECT_EQ(editor->ui.fileMenu->items.size(), 17u);
    EXPECT_EQ(FindMenu("Unit Options")->items.size(), 25u);
    EXPECT_EQ(FindMenu("Grid")->items.size(), 17u);
    EXPECT_EQ(Item("Unit Options", "16 Blocks = 1 Unit")->value, 16u);
    EXPECT_EQ(Item("Grid", "12 Lines Per Inch")->value, 12u);
    EXPECT_EQ(Item("File", "Export Color PNG...")->value, 1u);

    // With no paper the Windows menu's separator is last: it takes no room.
    const MENU& windows = *editor->ui.windowsMenu;
    ASSERT_EQ(windows.items.size(), 4u);
    EXPECT_EQ(windows.items.back()->rect.w, 0);
    EXPECT_EQ(windows.dropDownRect.h, 3 * windows.items[0]->rect.h);

    // The bar and a title under the pointer.
    const SDL_Point help = Centre(FindMenu("Help")->titleRect);
    app.MouseMove(help.x, help.y);
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_EQ(app.PixelAt(editor->shell.menuBarRect.w - 2, 1), kBar);
    EXPECT_EQ(app.PixelAt(FindMenu("Help")->titleRect.x + 1, 1), kHighlight);
    EXPECT_EQ(app.PixelAt(FindMenu("File")->titleRect.x + 1, 1), kBar);
    EXPECT_EQ(editor->ui.openMenu, nullptr) << "hovering alone opens nothing";
}

TEST_F(MenuBarTest, CheckMarkRoomMovesCaptionsAndWidensTheDropDown) {
    MENU plain;
    MENU checked;
    checked.showsCheckMarks = true;
    for (MENU* menu : {&plain, &checked}) {
        menu->titleRect = {300, editor->shell.menuBarRect.y, 50, editor->shell.menuBarRect.h};
        AddMenuHeader(*menu, "Heading");
        AddMenuSeparator(*menu);
        AddMenuItem(*menu, "Wide caption here", nullptr, 0, nullptr);
        AddMenuSeparator(*menu);
        AddMenuItem(*menu, "Short", nullptr, 0, nullptr);
        LayoutMenu(*menu);
    }
    EXPECT_EQ(checked.dropDownRect.w, plain.dropDownRect.w + 20);
    EXPECT_EQ(plain.dropDownRect.h, checked.dropDownRect.h);
    EXPECT_EQ(plain.items[1]->rect.h, 4) << "separators are four pixels high";
    EXPECT_EQ(plain.items[1]->rect.y, plain.items[0]->rect.y + plain.items[0]->rect.h);

    auto captionLeft = [&](MENU& menu) {
        editor->ui.openMenu = &menu;
        app.MouseMove(5, 700); // away from the menu
        EXPECT_TRUE(app.RunPasses(1));
        const SDL_Rect row = menu.items[2]->rect;
        return app.BoundsOfPixels(row, IsDark).x - row.x;
    };
    const int plainLeft = captionLeft(plain);
    const int checkedLeft = captionLeft(checked);
    EXPECT_GE(plainLeft, 5);
    EXPECT_LE(plainLeft, 7);
    EXPECT_EQ(checkedLeft, plainLeft + 20);
    // The frame: white top and left edges, black bottom and right.
    const SDL_Rect& box = checked.dropDownRect;
    EXPECT_EQ(app.PixelAt(box.x + 10, box.y), kWhite);
    EXPECT_EQ(app.PixelAt(box.x, box.y + 10), kWhite);
    EXPECT_EQ(app.PixelAt(box.x + 10, box.y + box.h), (SDL_Color{0, 0, 0, 255}));
    EXPECT_EQ(app.PixelAt(box.x + box.w, box.y + 10), (SDL_Color{0, 0, 0, 255}));
    editor->ui.openMenu = nullptr;
}

TEST_F(MenuBarTest, ReleasesOnHeadersSeparatorsAndTitlesOnlyCloseTheMenu) {
    ASSERT_EQ(NewPaper("5x7"), "8.50x11.00");
    ASSERT_NE(editor->session.activePaper, nullptr);
    const SDL_Color before = editor->session.activePaper->palette.backgroundColor;
    MENU* options = FindMenu("Options");

    for (const std::string& caption : {std::string("Background"), std::string("Draw Color")}) {
        ReleaseAt(Centre(options->titleRect));
        ASSERT_EQ(editor->ui.openMenu, options);
        ReleaseAt(Centre(Item("Options", caption)->rect));
        EXPECT_EQ(editor->ui.openMenu, nullptr) << caption;
    }
    ReleaseAt(Centre(options->titleRect));
    const SDL_Rect separator = options->items[1]->rect;
    ReleaseAt({separator.x + 10, separator.y + 1});
    EXPECT_EQ(editor->ui.openMenu, nullptr);
    // Its own title, and a place outside the drop-down.
    ReleaseAt(Centre(options->titleRect));
    ReleaseAt(Centre(options->titleRect));
    EXPECT_EQ(editor->ui.openMenu, nullptr);
    ReleaseAt(Centre(options->titleRect));
    ReleaseAt({700, 500});
    EXPECT_EQ(editor->ui.openMenu, nullptr);
    EXPECT_EQ(editor->session.activePaper->palette.backgroundColor, before);

    Choose("Options", "Light");
    EXPECT_EQ(editor->ui.openMenu, nullptr);
    EXPECT_EQ(editor->session.activePaper->palette.backgroundColor,
              (SDL_Color{255, 255, 255, 255}));
}

TEST_F(MenuBarTest, MovingAlongTheBarSwitchesTheOpenMenu) {
    MENU* file = FindMenu("File");
    MENU* grid = FindMenu("Grid");
    ReleaseAt(Centre(file->titleRect));
    ASSERT_EQ(editor->ui.openMenu, file);
    const SDL_Point gridTitle = Centre(grid->titleRect);
    app.MouseMove(gridTitle.x, gridTitle.y);
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_EQ(editor->ui.openMenu, grid);
    SaveShot(app, "menu_grid_hover");
    // The grid menu's drop-down is drawn, the file menu's is not.
    const SDL_Rect gridRow = grid->items[0]->rect;
    EXPECT_EQ(app.PixelAt(gridRow.x + gridRow.w - 3, gridRow.y + 2), kBar);
    const SDL_Rect fileRow = file->items[0]->rect;
    EXPECT_NE(app.PixelAt(fileRow.x + fileRow.w - 3, fileRow.y + 2), kBar);
    // Leaving the bar keeps the menu open; a release on the other title
    // closes it rather than reopening.
    app.MouseMove(700, 500);
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_EQ(editor->ui.openMenu, grid);
    ReleaseAt(Centre(file->titleRect));
    EXPECT_EQ(editor->ui.openMenu, nullptr);
}

TEST_F(MenuBarTest, EscapeClosesTheMenuAndAChosenItemRunsWithTheMenuClosed) {
    NewPaper("5x7");
    // A line under way survives the Escape that closes a menu.
    ReleaseAt(Centre(FindToolboxEntry("line")->rect));
    const SDL_Point start = {editor->shell.paperViewRect.x + 48,
                             editor->shell.paperViewRect.y + 48};
    ReleaseAt(start);
    ASSERT_NE(editor->session.activeToolInstance, nullptr);
    MENU* file = FindMenu("File");
    ReleaseAt(Centre(file->titleRect));
    ASSERT_EQ(editor->ui.openMenu, file);
    app.PressKey(SDLK_ESCAPE);
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_EQ(editor->ui.openMenu, nullptr);
    EXPECT_NE(editor->session.activeToolInstance, nullptr);
    app.PressKey(SDLK_ESCAPE);
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_EQ(editor->session.activeToolInstance, nullptr);

    // A dialog opened from a menu shows the window without the drop-down.
    const MENU* openWhileAsked = file;
    OnDialog([&](Dialog& dialog) {
        openWhileAsked = editor->ui.openMenu;
        dialog.End(0);
    });
    Choose("File", "New...");
    EXPECT_EQ(openWhileAsked, nullptr);
}

TEST_F(MenuBarTest, AnOpenDropDownHidesTheTooltipOfTheButtonBelowIt) {
    MENU* file = FindMenu("File");
    ReleaseAt(Centre(file->titleRect));
    ASSERT_EQ(editor->ui.openMenu, file);
    // A point of the File drop-down over a toolbox button (the Line tool's).
    const SDL_Rect item = file->items[4]->rect;
    const SDL_Point over = {editor->shell.toolboxRect.x + 60, item.y + item.h / 2};
    ASSERT_TRUE(IsInside(file->dropDownRect, over));
    ASSERT_TRUE(IsInside(editor->shell.toolboxRect, over));
    app.MouseMove(over.x, over.y);
    ASSERT_TRUE(app.RunPasses(1));
    std::string tooltip;
    ASSERT_TRUE(GetToolboxTooltip(tooltip)) << "a button lies under the drop-down";
    for (const std::string& status : BuildStatusItems(SDL_GetTicks64())) {
        EXPECT_NE(status, tooltip);
    }
    app.PressKey(SDLK_ESCAPE);

    // A dialog covers the toolbox the same way.
    const SDL_Point button = Centre(FindToolboxEntry("line")->rect);
    app.MouseMove(button.x, button.y);
    ASSERT_TRUE(app.RunPasses(1));
    ASSERT_TRUE(GetToolboxTooltip(tooltip));
    std::vector<std::string> underDialog;
    OnDialog([&](Dialog& dialog) {
        underDialog = BuildStatusItems(SDL_GetTicks64());
        dialog.End(0);
    });
    Choose("File", "New...");
    for (const std::string& status : underDialog) {
        EXPECT_NE(status, tooltip);
    }
}

TEST_F(MenuBarTest, WithoutAPaperOnlyTheGridSwitchesShowCheckMarks) {
    MENU* units = FindMenu("Unit Options");
    MENU* grid = FindMenu("Grid");
    OpenAndDraw(app, "Unit Options");
    EXPECT_TRUE(MarkedItems(*units).empty());
    OpenAndDraw(app, "Grid");
    SaveShot(app, "menu_grid_no_paper");
    EXPECT_EQ(MarkedItems(*grid),
              (std::vector<std::string>{"[F5] Enable/Disable", "[F6] Grid Lock On/Off"}));
    // The mark is the check-mark image, left of the caption.
    const SDL_Rect first = grid->items[0]->rect;
    const SDL_Rect markArea = {first.x + 5, first.y, 16, first.h};
    EXPECT_GT(app.BoundsOfPixels(markArea, IsDark).w, 4);
    editor->ui.openMenu = nullptr;

    Choose("Grid", "[F5] Enable/Disable");
    EXPECT_FALSE(editor->session.gridVisible);
    editor->session.selectionDragging = true;
    Choose("Grid", "[F6] Grid Lock On/Off");
    EXPECT_FALSE(editor->session.gridLock);
    EXPECT_FALSE(editor->session.selectionDragging);
    OpenAndDraw(app, "Grid");
    EXPECT_TRUE(MarkedItems(*grid).empty());
    EXPECT_EQ(app.BoundsOfPixels(markArea, IsDark).w, 0);

    // Without the image the mark is drawn as text.
    editor->session.gridVisible = true;
    FreeMenuImages();
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_GT(app.BoundsOfPixels(markArea, IsDark).w, 4);
    SaveShot(app, "menu_grid_text_mark");
    editor->ui.openMenu = nullptr;
}

TEST_F(MenuBarTest, TheWindowsMenuListsOpenPapersWithTheActiveOneChecked) {
    EXPECT_TRUE(WindowsEntries().empty());
    ASSERT_EQ(NewPaper("5x7"), "8.50x11.00");
    Paper* first = editor->session.activePaper;
    ASSERT_EQ(NewPaper("6x6"), "5.00x7.00");
    Paper* second = editor->session.activePaper;
    EXPECT_EQ(WindowsEntries(), (std::vector<std::string>{"Unnamed File", "Unnamed File *"}));

    OpenAndDraw(app, "Windows");
    SaveShot(app, "menu_windows_two_papers");
    const SDL_Rect separator = editor->ui.windowsMenu->items[3]->rect;
    EXPECT_EQ(separator.h, 4) << "with papers below it the separator is drawn";
    EXPECT_EQ(app.PixelAt(separator.x + 20, separator.y + 1), (SDL_Color{0, 0, 0, 255}));
    EXPECT_EQ(app.PixelAt(separator.x + 20, separator.y + 2), (SDL_Color{51, 51, 51, 255}));
    editor->ui.openMenu = nullptr;

    // The first entry activates the first paper.
    ReleaseAt(Centre(editor->ui.windowsMenu->titleRect));
    ReleaseAt(Centre(editor->ui.windowsMenu->items[4]->rect));
    EXPECT_EQ(editor->session.activePaper, first);
    EXPECT_EQ(WindowsEntries(), (std::vector<std::string>{"Unnamed File *", "Unnamed File"}));

    Choose("File", "Close");
    EXPECT_EQ(editor->session.activePaper, second);
    EXPECT_EQ(WindowsEntries(), (std::vector<std::string>{"Unnamed File *"}));
    Choose("File", "Close");
    EXPECT_TRUE(WindowsEntries().empty());
    EXPECT_EQ(editor->ui.windowsMenu->items.back()->rect.w, 0);
}

TEST_F(MenuBarTest, ScaleItemsCheckTheActivePapersSettings) {
    ASSERT_EQ(NewPaper("5x7"), "8.50x11.00");
    MENU* units = FindMenu("Unit Options");
    MENU* grid = FindMenu("Grid");
    OpenAndDraw(app, "Unit Options");
    EXPECT_EQ(MarkedItems(*units), (std::vector<std::string>{"Feet", "4 Blocks = 1 Unit"}));
    SaveShot(app, "menu_unit_options");
    editor->ui.openMenu = nullptr;

    Choose("Unit Options", "Centimeters");
    Choose("Unit Options", "16 Blocks = 1 Unit");
    EXPECT_EQ(editor->session.activePaper->unitIndex, 3);
    EXPECT_EQ(editor->session.activePaper->blocksPerUnit, 16);
    Choose("Grid", "4 Lines Per Inch");
    Choose("Grid", "1 Lines Per Inch");
    EXPECT_EQ(editor->session.activePaper->linesPerInch, 1);
    EXPECT_EQ(editor->session.activePaper->blockWidth, 96);
    EXPECT_EQ(editor->session.activePaper->blocksPerUnit, 16)
        << "the grid scale leaves the unit scale";

    OpenAndDraw(app, "Unit Options");
    EXPECT_EQ(MarkedItems(*units), (std::vector<std::string>{"Centimeters", "16 Blocks = 1 Unit"}));
    OpenAndDraw(app, "Grid");
    EXPECT_EQ(MarkedItems(*grid),
              (std::vector<std::string>{"[F5] Enable/Disable", "[F6] Grid Lock On/Off", "Black",
                                        "1 Lines Per Inch"}));
    SaveShot(app, "menu_grid_with_paper");
    editor->ui.openMenu = nullptr;
}

TEST_F(MenuBarTest, AQuickSecondClickOnTheMenuIsAChoiceNotADoubleClick) {
    ASSERT_EQ(NewPaper("5x7"), "8.50x11.00");
    MENU* options = FindMenu("Options");
    const SDL_Point title = Centre(options->titleRect);
    const SDL_Point light = Centre(Item("Options", "Light")->rect);
    // What SDL reports when "Light" is clicked right after the title.
    app.Click(title.x, title.y);
    app.MouseDown(light.x, light.y, SDL_BUTTON_LEFT, 2);
    app.MouseUp(light.x, light.y, SDL_BUTTON_LEFT, 2);
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_EQ(editor->ui.openMenu, nullptr);
    EXPECT_EQ(editor->session.activePaper->palette.backgroundColor,
              (SDL_Color{255, 255, 255, 255}));

    // Off the menus, the second click of a double click still counts for nothing.
    const size_t objects = editor->session.activePaper->objects.size();
    app.MouseDown(400, 400, SDL_BUTTON_LEFT, 2);
    app.MouseUp(400, 400, SDL_BUTTON_LEFT, 2);
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_EQ(editor->session.activeToolInstance, nullptr);
    EXPECT_EQ(editor->session.activePaper->objects.size(), objects);
}

// Every drop-down drawn as a user sees it: no caption or shortcut runs out of
// its row, and the shortcuts end at one right edge.
TEST_F(MenuBarTest, EveryMenuPictureFitsWithItsShortcutsAlignedRight) {
    NewPaper("5x7");
    const SDL_Rect& last = editor->ui.menus.back()->titleRect;
    EXPECT_LE(last.x + last.w, editor->shell.menuBarRect.w) << "the titles fit in the bar";
    app.MouseMove(700, 500);
    ASSERT_TRUE(app.RunPasses(1));
    for (const auto& menu : editor->ui.menus) {
        const SDL_Rect title = app.BoundsOfPixels(menu->titleRect, IsDark);
        EXPECT_GT(title.w, 0) << menu->caption;
        EXPECT_LT(title.x + title.w, menu->titleRect.x + menu->titleRect.w) << menu->caption;
    }
    int shortcuts = 0;
    for (const auto& menu : editor->ui.menus) {
        OpenAndDraw(app, menu->caption);
        SaveShot(app, "menu_" + menu->caption);
        int shortcutRight = -1;
        for (const auto& item : menu->items) {
            const SDL_Rect row = item->rect;
            if (item->kind == kMenuItemSeparator || row.w == 0) {
                continue;
            }
            // All the row's ink, greyed text included, lies inside its frame.
            const SDL_Rect inner = {row.x + 1, row.y, row.w - 2, row.h};
            const SDL_Rect ink = app.BoundsOfPixels(inner, IsInk);
            EXPECT_GT(ink.w, 0) << item->caption;
            EXPECT_LE(ink.x + ink.w, row.x + row.w - 3) << item->caption;
            if (item->shortcut.empty()) {
                continue;
            }
            ++shortcuts;
            const SDL_Rect rightHalf = {row.x + row.w / 2, row.y, row.w / 2 - 1, row.h};
            const SDL_Rect shortcut = app.BoundsOfPixels(rightHalf, IsInk);
            ASSERT_GT(shortcut.w, 0) << item->shortcut;
            if (shortcutRight < 0) {
                shortcutRight = shortcut.x + shortcut.w;
            }
            EXPECT_NEAR(shortcut.x + shortcut.w, shortcutRight, 1) << item->shortcut;
        }
    }
    EXPECT_EQ(shortcuts, 16) << "every item with a key shows it";
    editor->ui.openMenu = nullptr;
}

// Edit's items grey out while they cannot act, and a click on one then does
// nothing; once they can, the same clicks work.
TEST_F(MenuBarTest, EditItemsThatCannotActAreGreyedAndInert) {
    NewPaper("5x7");
    Paper& paper = *editor->session.activePaper;
    SDL_SetClipboardText("");
    const auto greyed = [&](const std::string& caption) {
        const SDL_Rect row = Item("Edit", caption)->rect;
        return app.BoundsOfPixels(row, IsDark).w == 0;
    };
    OpenAndDraw(app, "Edit");
    for (const char* caption : {"Undo", "Redo", "Cut", "Copy", "Paste", "Duplicate", "Delete",
                                "Edit Object...", "Move to Layer..."}) {
        EXPECT_TRUE(greyed(caption)) << caption;
    }
    EXPECT_FALSE(greyed("Select All"));
    ReleaseAt(Centre(Item("Edit", "Undo")->rect));
    EXPECT_EQ(editor->ui.openMenu, FindMenu("Edit")) << "a greyed item leaves the menu open";
    ReleaseAt({700, 500});

    paper.AddRecords({LineRecord(ObjectKind::Rect, 48, 48, 96, 96)}, 0, 0, 0);
    Choose("Edit", "Select All");
    Choose("Edit", "Duplicate");
    EXPECT_EQ(paper.objects.size(), 2u);
    OpenAndDraw(app, "Edit");
    for (const char* caption : {"Undo", "Cut", "Copy", "Duplicate", "Delete", "Edit Object..."}) {
        EXPECT_FALSE(greyed(caption)) << caption;
    }
    EXPECT_TRUE(greyed("Redo"));
    ReleaseAt({700, 500});
    Choose("Edit", "Undo");
    EXPECT_EQ(paper.objects.size(), 1u);
    Choose("Edit", "Redo");
    EXPECT_EQ(paper.objects.size(), 2u);
    EXPECT_EQ(app.WindowTitle(), "Tessellon/Linux64 *") << "unsaved changes mark the title";
}

// The keys shown in the File and Help menus open what their items open.
TEST_F(MenuBarTest, TheShortcutsShownInTheMenusReachTheirCommands) {
    std::vector<std::string> opened;
    OnDialog([&](Dialog& dialog) { opened.push_back(dialog.Caption()); });
    const auto press = [&](SDL_Keycode key, uint16_t modifiers) {
        app.PressKey(key, modifiers);
        ASSERT_TRUE(app.RunPasses(1));
    };
    press(SDLK_n, KMOD_LCTRL);
    EXPECT_EQ(opened, (std::vector<std::string>{"Enter Size"}));
    EXPECT_EQ(editor->session.activePaper, nullptr) << "the prompt was closed unanswered";

    NewPaper("5x7");
    opened.clear();
    OnDialog([&](Dialog& dialog) { opened.push_back(dialog.Caption()); });
    press(SDLK_s, KMOD_LCTRL);
    press(SDLK_s, KMOD_LCTRL | KMOD_LSHIFT);
    press(SDLK_e, KMOD_LCTRL);
    EXPECT_EQ(opened, (std::vector<std::string>{"Save Tessellon file", "Save Tessellon file",
                                                "Save Tessellon image"}));

    press(SDLK_w, KMOD_LCTRL);
    EXPECT_EQ(editor->session.activePaper, nullptr) << "Ctrl+W closed the unchanged paper";
    EXPECT_FALSE(editor->ui.quitRequested);
    app.PressKey(SDLK_q, KMOD_LCTRL);
    EXPECT_FALSE(app.RunPasses(1)) << "Ctrl+Q ends the main loop";
    EXPECT_TRUE(editor->ui.quitRequested);
}
