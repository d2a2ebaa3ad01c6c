// The contents of the menu bar: every menu, item, value, action and check.

#include "app/EditCommands.h"
#include "app/Editor.h"
#include "app/ExportCommands.h"
#include "app/FileCommands.h"
#include "app/GridCommands.h"
#include "app/HelpCommands.h"
#include "app/MenuBar.h"
#include "app/PaperColors.h"
#include "app/RecentFiles.h"
#include "app/ResizeDialog.h"
#include "document/Units.h"
#include "support/VRX_Strings.h"

#include <utility>

namespace {

constexpr uint64_t kLargestUnitScale = 16;
constexpr int kGridScales[] = {1, 2, 4, 6, 8, 12, 16};

MENU& NewMenu(const char* caption, bool showsCheckMarks) {
    auto menu = std::make_shared<MENU>();
    menu->caption = caption;
    menu->showsCheckMarks = showsCheckMarks;
    editor->ui.menus.push_back(menu);
    return *menu;
}

// An item with the key that does the same (shown in its row) and, when it
// cannot always act, the check that greys it.
MENU_ITEM* AddCommand(MENU& menu, const std::string& caption, MenuAction action,
                      std::string shortcut, MenuCheck enabled = nullptr, uint64_t value = 0) {
    MENU_ITEM* item = AddMenuItem(menu, caption, action, value, nullptr);
    item->shortcut = std::move(shortcut);
    item->enabled = enabled;
    return item;
}

void BuildFileMenu() {
    MENU& menu = NewMenu("File", false);
    AddCommand(menu, "New...", CreateNewPaper, "Ctrl+N");
    AddMenuItem(menu, "Open...", ShowOpenDialog, 0, nullptr);
    AddCommand(menu, "Save", SaveActivePaper, "Ctrl+S");
    AddCommand(menu, "Save As...", SaveActivePaperAs, "Ctrl+Shift+S");
    AddCommand(menu, "Close", CloseActivePaper, "Ctrl+W");
    AddMenuItem(menu, "Resize...", ShowResizeDialog, 0, nullptr);
    AddMenuSeparator(menu);
    AddCommand(menu, "Export B&W PNG...", ExportActivePaper, "Ctrl+E", nullptr,
               kExportBlackAndWhite);
    AddMenuItem(menu, "Export Color PNG...", ExportActivePaper, kExportColor, nullptr);
    AddMenuItem(menu, "Print...", PrintActivePaper, 0, nullptr);
    AddMenuSeparator(menu);
    for (size_t slot = 0; slot < kRecentFileCount; ++slot) {
        editor->ui.recentFileItems[slot] =
            AddMenuItem(menu, kRecentFilePlaceholder, OpenRecentFile, slot, nullptr);
    }
    AddMenuSeparator(menu);
    AddCommand(menu, "Exit", ExitProgram, "Ctrl+Q");
    editor->ui.fileMenu = &menu;
}

void BuildEditMenu() {
    MENU& menu = NewMenu("Edit", false);
    AddCommand(menu, "Undo", UndoActivePaper, "Ctrl+Z", CanUndo);
    AddCommand(menu, "Redo", RedoActivePaper, "Ctrl+Shift+Z", CanRedo);
    AddMenuSeparator(menu);
    AddCommand(menu, "Cut", CutSelection, "Ctrl+X", HasSelection);
    AddCommand(menu, "Copy", CopySelection, "Ctrl+C", HasSelection);
    AddCommand(menu, "Paste", PasteClipboard, "Ctrl+V", CanPaste);
    AddCommand(menu, "Duplicate", DuplicateSelection, "Ctrl+D", HasSelection);
    AddCommand(menu, "Delete", DeleteSelection, "Del", HasSelection);
    AddMenuSeparator(menu);
    AddCommand(menu, "Select All", SelectAllOnLayer, "Ctrl+A", HasActivePaper);
    AddCommand(menu, "Edit Object...", EditSelectedObjectCommand, "E", HasOneSelected);
    AddCommand(menu, "Move to Layer...", MoveSelectionToLayerCommand, "", HasSelection);
}

void BuildOptionsMenu() {
    MENU& menu = NewMenu("Options", false);
    AddMenuHeader(menu, "Background");
    AddMenuSeparator(menu);
    AddMenuItem(menu, "Light", SetLightBackground, 0, nullptr);
    AddMenuItem(menu, "Dark", SetDarkBackground, 0, nullptr);
    AddMenuItem(menu, "Choose...", ChooseBackgroundColor, 0, nullptr);
    AddMenuItem(menu, "Image...", ChooseBackgroundImage, 0, nullptr);
    AddMenuHeader(menu, "Draw Color");
    AddMenuSeparator(menu);
    AddMenuItem(menu, "White", SetWhiteDrawColor, 0, nullptr);
    AddMenuItem(menu, "Black", SetBlackDrawColor, 0, nullptr);
    AddMenuItem(menu, "Choose...", ChooseDrawColor, 0, nullptr);
}

void BuildUnitOptionsMenu() {
    MENU& menu = NewMenu("Unit Options", true);
    AddMenuHeader(menu, "Unit");
    AddMenuSeparator(menu);
    for (int unit = 0; unit < kUnitCount; ++unit) {
        AddMenuItem(menu, Units[unit].name, ChooseUnit, static_cast<uint64_t>(unit), IsUnit);
    }
    AddMenuHeader(menu, "Unit Scale");
    AddMenuSeparator(menu);
    AddMenuItem(menu, "1 Block = 1 Unit", ChooseUnitScale, 1, IsUnitScale);
    for (uint64_t blocks = 2; blocks <= kLargestUnitScale; ++blocks) {
        AddMenuItem(menu, FormatString("%zu Blocks = 1 Unit", static_cast<size_t>(blocks)),
                    ChooseUnitScale, blocks, IsUnitScale);
    }
}

void BuildGridMenu() {
    MENU& menu = NewMenu("Grid", true);
    AddMenuItem(menu, "[F5] Enable/Disable", ToggleGridVisible, 0, IsGridVisible);
    AddMenuItem(menu, "[F6] Grid Lock On/Off", ToggleGridLock, 0, IsGridLocked);
    AddMenuHeader(menu, "Color");
    AddMenuSeparator(menu);
    for (int index = 0; index < kGridColorCount; ++index) {
        AddMenuItem(menu, gridColorTable[index].caption, SetGridColor, static_cast<uint64_t>(index),
                    IsGridColor);
    }
    AddMenuHeader(menu, "Grid Scale");
    AddMenuSeparator(menu);
    for (const int lines : kGridScales) {
        AddMenuItem(menu, FormatString("%d Lines Per Inch", lines), ChooseLinesPerInch,
                    static_cast<uint64_t>(lines), IsLinesPerInch);
    }
}

void BuildWindowsMenu() {
    MENU& menu = NewMenu("Windows", true);
    AddMenuItem(menu, "Close All...", CloseAllPapersCommand, 0, nullptr);
    AddMenuItem(menu, "Export All B&W PNG...", ExportAllPapers, kExportBlackAndWhite, nullptr);
    AddMenuItem(menu, "Export All Color PNG...", ExportAllPapers, kExportColor, nullptr);
    // The open papers' entries follow this separator.
    AddMenuSeparator(menu);
    editor->ui.windowsMenu = &menu;
}

void BuildHelpMenu() {
    MENU& menu = NewMenu("Help", false);
    AddCommand(menu, "Website...", OpenHelpPage, "F1");
    AddMenuItem(menu, "About...", ShowAboutScreen, 0, nullptr);
}

} // namespace

void BuildMenus() {
    editor->ui.menus.clear();
    editor->ui.openMenu = nullptr;
    editor->ui.fileMenu = editor->ui.windowsMenu = nullptr;
    BuildFileMenu();
    BuildEditMenu();
    BuildOptionsMenu();
    BuildUnitOptionsMenu();
    BuildGridMenu();
    BuildWindowsMenu();
    BuildHelpMenu();
    PlaceMenuTitles();
    LoadMenuImages();
}
