#include "app/AppState.h"

#include "app/AboutState.h"
#include "document/Paper.h"
#include "support/VRX_Mutex.h"
#include "tools/Tool.h"
#include "ui/Menu.h"
#include "ui/PaperWindows.h"
#include "ui/ToolboxButton.h"
#include "view/PaperView.h"

#include <cstring>

bool quitRequested = false;
bool aboutRequested = false;
int32_t framePeriodMs = kFramePeriodMs;
SDL_Window* window = nullptr;
SDL_Renderer* renderer = nullptr;
uintptr_t mainWindowHandle = 0;

TTF_Font* menuFont = nullptr;
TTF_Font* statusFont = nullptr;
TTF_Font* toolboxFont = nullptr;
TTF_Font* drawFont = nullptr;
TTF_Font* dialogFont = nullptr;

SDL_Rect menuBarRect = {0, 0, 0, 0};
SDL_Rect toolboxRect = {0, 0, 0, 0};
SDL_Rect paperViewRect = {0, 0, 0, 0};
SDL_Rect statusBarRect = {0, 0, 0, 0};

Paper* activePaper = nullptr;
std::unique_ptr<Tool> activeToolInstance;
char currentToolName[256] = {};
int32_t rotationAngle = 0;
uint8_t currentLayer = 0;
MENU* openMenu = nullptr;
bool gridVisible = true;
bool gridLock = true;
bool selectionDragging = false;
SDL_Point dragAnchor = {0, 0};
SDL_Point mouseWindowPos = {0, 0};
SDL_Point mousePaperPos = {0, 0};
SDL_Point mouseGridPos = {0, 0};
SDL_Point toolPos = {0, 0};
KeyHeldSource keyHeldSource;

FILE* logFile = nullptr;
SDL_LogOutputFunction previousLogOutput = nullptr;
void* previousLogUserdata = nullptr;

char statusNotice[256] = {};
int64_t statusNoticeExpiry = 0;
SDL_Cursor* systemCursors[kSystemCursorCount] = {};

std::vector<std::unique_ptr<OpenPaper>> openPapers;
double newPaperWidth = 8.5;
double newPaperHeight = 11.0;
const FileTypeFilters documentFileTypes = {{"Tessellon Files", "*.tsln"}};
const FileTypeFilters pngFileTypes = {{"PNG Image Files", "*.png"}};
FileTypeFilters imageFileTypes;
MessageBoxFunction showMessageBox = SDL_ShowMessageBox;

std::vector<std::shared_ptr<MENU>> menus;
MENU* fileMenu = nullptr;
MENU* windowsMenu = nullptr;
MENU_ITEM* recentFileItems[4] = {};
SDL_Texture* checkMarkImage = nullptr;
std::vector<std::string> recentFiles;

std::vector<ToolboxButton> toolboxButtons;
SDL_Texture* hiddenIconTexture = nullptr;

char lastPromptText[256] = {};
std::string promptTitle;
std::string promptLabel;
std::string promptText;
uint32_t customColorSlots[16] = {};
std::string exportFolder;
std::vector<std::string> printFilesToRemove;

void (*dialogBackdrop)() = nullptr;
Dialog* runningDialog = nullptr;
std::function<void(Dialog&)> dialogPassHook;
bool dialogCloseWhenIdle = false;

AboutState aboutState;
RandomByteSource aboutRandomSource;

void ResetAppState() {
    quitRequested = false;
    aboutRequested = false;
    framePeriodMs = kFramePeriodMs;
    window = nullptr;
    renderer = nullptr;
    mainWindowHandle = 0;
    menuFont = statusFont = toolboxFont = drawFont = dialogFont = nullptr;
    menuBarRect = toolboxRect = paperViewRect = statusBarRect = {0, 0, 0, 0};
    activePaper = nullptr;
    activeToolInstance.reset();
    std::memset(currentToolName, 0, sizeof currentToolName);
    rotationAngle = 0;
    currentLayer = 0;
    openMenu = nullptr;
    gridVisible = true;
    gridLock = true;
    selectionDragging = false;
    dragAnchor = mouseWindowPos = mousePaperPos = mouseGridPos = toolPos = {0, 0};
    keyHeldSource = nullptr;
    logFile = nullptr;
    previousLogOutput = nullptr;
    previousLogUserdata = nullptr;
    std::memset(statusNotice, 0, sizeof statusNotice);
    statusNoticeExpiry = 0;
    for (SDL_Cursor*& cursor : systemCursors) {
        cursor = nullptr;
    }
    openPapers.clear();
    newPaperWidth = 8.5;
    newPaperHeight = 11.0;
    imageFileTypes.clear();
    showMessageBox = SDL_ShowMessageBox;
    menus.clear();
    fileMenu = windowsMenu = nullptr;
    for (MENU_ITEM*& item : recentFileItems) {
        item = nullptr;
    }
    checkMarkImage = nullptr;
    recentFiles.clear();
    toolboxButtons.clear();
    hiddenIconTexture = nullptr;
    std::memset(lastPromptText, 0, sizeof lastPromptText);
    promptTitle.clear();
    promptLabel.clear();
    promptText.clear();
    for (uint32_t& slot : customColorSlots) {
        slot = 0;
    }
    exportFolder.clear();
    printFilesToRemove.clear();
    dialogBackdrop = nullptr;
    runningDialog = nullptr;
    dialogPassHook = nullptr;
    dialogCloseWhenIdle = false;
    aboutState = AboutState{};
    aboutRandomSource = nullptr;
}
