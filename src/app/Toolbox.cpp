#include "app/Toolbox.h"

#include "app/Drawing.h"
#include "app/Editor.h"
#include "app/Layout.h"
#include "app/PaperColors.h"
#include "app/PhysfsRWops.h"
#include "app/ToolboxButton.h"
#include "document/Paper.h"
#include "ui/ColorDialog.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>
#include <SDL2/SDL_ttf.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int32_t kButtonSize = 40;
// One slot: a button and the gap to the next.
constexpr int32_t kSlotStep = 42;
// Rows of buttons are one pixel further apart than their columns.
constexpr int32_t kRowStep = 43;
// Two columns of slots, centred in the panel.
constexpr int32_t kColumnsWidth = 82;
constexpr int32_t kIconInset = 2;
constexpr int32_t kSeparatorHeight = 2;
constexpr int32_t kSeparatorGap = 4;
constexpr int32_t kHeadingGap = 4;
constexpr int32_t kFirstColumnOffset = 2;

constexpr SDL_Color kPanelColor = {208, 208, 208, 255};
constexpr SDL_Color kPanelColorWithoutPaper = {128, 128, 128, 255};
constexpr SDL_Color kBlack = {0, 0, 0, 255};
constexpr SDL_Color kWhite = {255, 255, 255, 255};

constexpr const char* kLayerPrefix = "layer_";
constexpr size_t kLayerPrefixLength = 6;
constexpr const char* kHiddenIconPath = "images/hidden.png";
constexpr const char* kSelectToolName = "select";
constexpr const char* kColorNormal = "color_normal";
constexpr const char* kColorCustom = "color_custom";

struct ToolEntryText {
    const char* name;
    const char* tooltip;
};

const ToolEntryText kToolEntries[] = {
    {"select", "Select"},       {"line", "Draw Line"},
    {"arrow", "Draw Arrow"},    {"dashed_line", "Draw Dashed Line"},
    {"rect", "Draw Rectangle"}, {"text", "Add Text"},
    {"circle", "Draw Circle"},  {"measurement", "Add Measurement"},
};

void SetDrawColor(const SDL_Color& color) {
    SDL_SetRenderDrawColor(editor->shell.renderer.get(), color.r, color.g, color.b, color.a);
}

ToolboxButton Separator() {
    ToolboxButton entry;
    entry.kind = kToolboxEntrySeparator;
    return entry;
}

ToolboxButton Heading(const char* label) {
    ToolboxButton entry;
    entry.kind = kToolboxEntryHeading;
    entry.label = label;
    return entry;
}

ToolboxButton Button(ToolboxGroup group, std::string name, std::string tooltip) {
    ToolboxButton entry;
    entry.group = group;
    entry.name = std::move(name);
    entry.tooltip = std::move(tooltip);
    return entry;
}

void AddToolButtons() {
    for (const ToolEntryText& tool : kToolEntries) {
        ToolboxButton entry = Button(kToolboxGroupTool, tool.name, tool.tooltip);
        entry.iconPath = std::string("images/tool_") + tool.name + ".png";
        if (entry.name == kSelectToolName) {
            entry.selected = true;
            SDL_strlcpy(editor->session.currentToolName, kSelectToolName,
                        sizeof editor->session.currentToolName);
        }
        editor->ui.toolboxButtons.push_back(std::move(entry));
    }
}

void AddColorButtons() {
    ToolboxButton normal = Button(kToolboxGroupColor, kColorNormal, "Default Drawing Color");
    normal.getSwatchColor = GetDefaultColorSwatch;
    normal.selected = true;
    editor->ui.toolboxButtons.push_back(std::move(normal));

    ToolboxButton custom = Button(kToolboxGroupColor, kColorCustom, "Custom Drawing Color");
    custom.getSwatchColor = GetCustomColorSwatch;
    editor->ui.toolboxButtons.push_back(std::move(custom));

    ToolboxButton choose =
        Button(kToolboxGroupColor, "color_select", "Choose Custom Drawing Color");
    choose.iconPath = "images/tool_choose_color.png";
    choose.onClick = ChooseCustomColor;
    editor->ui.toolboxButtons.push_back(std::move(choose));
}

void AddLayerButtons() {
    for (size_t layer = 0; layer < kLayerCount; ++layer) {
        char text[64];
        std::snprintf(text, sizeof text, "layer_%zu", layer);
        ToolboxButton entry = Button(kToolboxGroupLayer, text, "");
        std::snprintf(text, sizeof text, "%zu", layer + 1);
        entry.label = text;
        std::snprintf(text, sizeof text, "Layer %zu - Right click to Show/Hide", layer + 1);
        entry.tooltip = text;
        entry.getIconOverride = GetLayerHiddenIcon;
        entry.selected = layer == 0;
        editor->ui.toolboxButtons.push_back(std::move(entry));
    }
}

void CreateEntries() {
    editor->ui.toolboxButtons.push_back(Separator());
    editor->ui.toolboxButtons.push_back(Heading("Tools"));
    AddToolButtons();
    editor->ui.toolboxButtons.push_back(Separator());
    editor->ui.toolboxButtons.push_back(Heading("Draw Color"));
    AddColorButtons();
    editor->ui.toolboxButtons.push_back(Separator());
    editor->ui.toolboxButtons.push_back(Heading("Layers"));
    AddLayerButtons();
    editor->ui.toolboxButtons.push_back(Separator());
}

// A picture from the resource tree as a texture of the window renderer; null
// when it cannot be read, with SDL's error saying why.
SDL_Texture* LoadResourceTexture(const std::string& path) {
    SDL_RWops* stream = PHYSFSRWOPS_openRead(path.c_str());
    if (stream == nullptr) {
        SDL_SetError("PhysicsFS error: %s", PhysfsLastError());
        return nullptr;
    }
    SDL_Surface* image = IMG_Load_RW(stream, /*freesrc=*/1);
    if (image == nullptr) {
        return nullptr;
    }
    SDL_Texture* texture = SDL_CreateTextureFromSurface(editor->shell.renderer.get(), image);
    SDL_FreeSurface(image);
    return texture;
}

void LoadIcons() {
    for (ToolboxButton& entry : editor->ui.toolboxButtons) {
        // A missing icon leaves the button with its border only.
        if (entry.kind == kToolboxEntryButton && !entry.iconPath.empty() &&
            entry.texture == nullptr) {
            entry.texture = LoadResourceTexture(entry.iconPath);
        }
    }
}

void DrawCentredText(TTF_Font* font, const SDL_Rect& rect, const std::string& text, int style) {
    const WindowText prepared = PrepareText(font, text, kBlack, style);
    prepared.DrawAt(rect.x + (rect.w - prepared.size.x) / 2,
                    rect.y + (rect.h - prepared.size.y) / 2);
}

void DrawSeparator(const SDL_Rect& rect) {
    SetDrawColor(kWhite);
    SDL_RenderDrawLine(editor->shell.renderer.get(), rect.x, rect.y + 1, rect.x + rect.w - 1,
                       rect.y + 1);
    SetDrawColor(kBlack);
    SDL_RenderDrawLine(editor->shell.renderer.get(), rect.x, rect.y, rect.x + rect.w - 1, rect.y);
}

// Raised when not chosen, pressed when chosen.
void DrawBevel(const SDL_Rect& rect, bool pressed) {
    const SDL_Color& lit = pressed ? kBlack : kWhite;
    const SDL_Color& shaded = pressed ? kWhite : kBlack;
    const int x = rect.x;
    const int y = rect.y;
    const int w = rect.w;
    const int h = rect.h;
    SetDrawColor(lit);
    SDL_RenderDrawLine(editor->shell.renderer.get(), x, y, x + w, y);
    SDL_RenderDrawLine(editor->shell.renderer.get(), x, y, x, y + h);
    SetDrawColor(shaded);
    SDL_RenderDrawLine(editor->shell.renderer.get(), x + 1, y + h, x + w - 1, y + h);
    SDL_RenderDrawLine(editor->shell.renderer.get(), x + w, y + 1, x + w, y + h - 1);
}

void DrawButton(const ToolboxButton& entry) {
    const SDL_Rect& rect = entry.rect;
    SDL_Texture* icon = nullptr;
    if (entry.getIconOverride) {
        icon = entry.getIconOverride(entry);
    }
    if (icon == nullptr) {
        icon = entry.texture;
    }
    if (icon != nullptr) {
        const SDL_Rect inner = {rect.x + kIconInset, rect.y + kIconInset, rect.w - 2 * kIconInset,
                                rect.h - 2 * kIconInset};
        SDL_RenderCopy(editor->shell.renderer.get(), icon, nullptr, &inner);
    }
    SDL_Color swatch = {0, 0, 0, 0};
    if (entry.getSwatchColor && entry.getSwatchColor(swatch)) {
        SetDrawColor(swatch);
        SDL_RenderFillRect(editor->shell.renderer.get(), &rect);
    }
    if (!entry.label.empty()) {
        DrawCentredText(editor->shell.toolboxFont.get(), rect, entry.label, TTF_STYLE_NORMAL);
    }
    DrawBevel(rect, entry.selected);
}

// Marks `chosen` and clears the mark of every other entry of its group.
void MarkInGroup(ToolboxButton& chosen) {
    for (ToolboxButton& entry : editor->ui.toolboxButtons) {
        if (entry.group == chosen.group && entry.kind == kToolboxEntryButton) {
            entry.selected = false;
        }
    }
    chosen.selected = true;
}

void ChooseToolEntry(ToolboxButton& entry) {
    MarkInGroup(entry);
    SDL_strlcpy(editor->session.currentToolName, entry.name.c_str(),
                sizeof editor->session.currentToolName);
}

// "color_normal" draws new objects in the palette's object colour,
// "color_custom" in the paper's own drawing colour.
void ChooseColorEntry(ToolboxButton& entry) {
    uint8_t alpha = 0;
    if (entry.name == kColorNormal) {
        alpha = 0;
    } else if (entry.name == kColorCustom) {
        alpha = SDL_ALPHA_OPAQUE;
    } else {
        return;
    }
    // Which colour new objects take is saved with the document.
    if (editor->session.activePaper->drawColor.a != alpha) {
        editor->session.activePaper->drawColor.a = alpha;
        editor->session.activePaper->modified = true;
    }
    MarkInGroup(entry);
}

void ChooseLayerEntry(ToolboxButton& entry) {
    const int layer = LayerOfEntry(entry);
    if (layer < 0) {
        return;
    }
    MarkInGroup(entry);
    editor->session.currentLayer = static_cast<uint8_t>(layer);
}

// The number after "layer_" when it names one of the sixteen layers, else -1.
int LayerOfName(const std::string& name) {
    if (name.compare(0, kLayerPrefixLength, kLayerPrefix) != 0) {
        return -1;
    }
    const char* digits = name.c_str() + kLayerPrefixLength;
    char* end = nullptr;
    errno = 0;
    const long layer = std::strtol(digits, &end, 10);
    if (end == digits || errno != 0 || layer < 0 || layer >= kLayerCount) {
        return -1;
    }
    return static_cast<int>(layer);
}

} // namespace

void BuildToolbox() {
    DestroyToolbox();
    CreateEntries();
    LoadIcons();
    LayOutToolbox(editor->shell.toolboxRect);
}

void LayOutToolbox(const SDL_Rect& region) {
    const int32_t left = region.x + (region.w - kColumnsWidth) / 2;
    const int32_t right = region.x + region.w;
    int32_t cx = left;
    int32_t cy = region.y;
    for (ToolboxButton& entry : editor->ui.toolboxButtons) {
        switch (entry.kind) {
        case kToolboxEntrySeparator:
            if (cx > left) {
                cy += kSlotStep;
            }
            entry.rect = {region.x, cy, region.w, kSeparatorHeight};
            cy += kSeparatorHeight + kSeparatorGap;
            cx = left;
            break;
        case kToolboxEntryHeading: {
            if (cx > left) {
                cy += kSlotStep;
            }
            const int32_t height =
                TextSize(editor->shell.menuFont.get(), entry.label, TTF_STYLE_NORMAL).y;
            entry.rect = {region.x, cy, region.w, height};
            cy += height + kHeadingGap;
            cx = left;
            break;
        }
        case kToolboxEntryButton:
            // A button with an action of its own stands apart: it skips a slot.
            if (entry.onClick) {
                cx += kSlotStep;
                if (cx + kButtonSize >= right) {
                    cx = region.x + kFirstColumnOffset;
                    cy += kSlotStep;
                }
            }
            entry.rect = {cx, cy, kButtonSize, kButtonSize};
            cx += kSlotStep;
            if (cx + kButtonSize >= right) {
                cy += kRowStep;
                cx = left;
            }
            break;
        }
    }
}

void RenderToolbox() {
    SetDrawColor(editor->session.activePaper != nullptr ? kPanelColor : kPanelColorWithoutPaper);
    SDL_RenderFillRect(editor->shell.renderer.get(), &editor->shell.toolboxRect);
    for (const ToolboxButton& entry : editor->ui.toolboxButtons) {
        switch (entry.kind) {
        case kToolboxEntrySeparator:
            DrawSeparator(entry.rect);
            break;
        case kToolboxEntryHeading:
            if (!entry.label.empty()) {
                DrawCentredText(editor->shell.menuFont.get(), entry.rect, entry.label,
                                TTF_STYLE_BOLD);
            }
            break;
        case kToolboxEntryButton:
            DrawButton(entry);
            break;
        }
    }
}

void HandleToolboxClick() {
    if (editor->session.activePaper == nullptr) {
        return;
    }
    ToolboxButton* entry = ToolboxEntryAt(editor->session.mouseWindowPos);
    if (entry == nullptr) {
        return;
    }
    if (entry->onClick) {
        entry->onClick(*entry);
        return;
    }
    if (entry->kind != kToolboxEntryButton) {
        return;
    }
    switch (entry->group) {
    case kToolboxGroupTool:
        ChooseToolEntry(*entry);
        break;
    case kToolboxGroupColor:
        ChooseColorEntry(*entry);
        break;
    case kToolboxGroupLayer:
        ChooseLayerEntry(*entry);
        break;
    }
}

bool GetToolboxTooltip(std::string& text) {
    // Entries without a tooltip are passed over, so a heading never hides a
    // button below it.
    for (const ToolboxButton& entry : editor->ui.toolboxButtons) {
        if (!entry.tooltip.empty() && IsInside(entry.rect, editor->session.mouseWindowPos)) {
            text = entry.tooltip;
            return true;
        }
    }
    return false;
}

void SelectTool(const std::string& name) {
    for (ToolboxButton& entry : editor->ui.toolboxButtons) {
        if (entry.group == kToolboxGroupTool && entry.kind == kToolboxEntryButton &&
            entry.name == name) {
            ChooseToolEntry(entry);
            return;
        }
    }
}

void ShowPaperDrawColor() {
    if (editor->session.activePaper == nullptr) {
        return;
    }
    const char* name = editor->session.activePaper->drawColor.a != 0 ? kColorCustom : kColorNormal;
    if (ToolboxButton* entry = FindToolboxEntry(name)) {
        MarkInGroup(*entry);
    }
}

bool ChooseLayer(uint8_t layer) {
    char name[32];
    std::snprintf(name, sizeof name, "layer_%u", static_cast<unsigned>(layer));
    for (ToolboxButton& entry : editor->ui.toolboxButtons) {
        if (entry.group == kToolboxGroupLayer && entry.name == name) {
            MarkInGroup(entry);
            editor->session.currentLayer = layer;
            return true;
        }
    }
    return false;
}

void DestroyToolbox() {
    for (ToolboxButton& entry : editor->ui.toolboxButtons) {
        if (entry.texture != nullptr) {
            SDL_DestroyTexture(entry.texture);
            entry.texture = nullptr;
        }
    }
    if (editor->ui.hiddenIconTexture != nullptr) {
        SDL_DestroyTexture(editor->ui.hiddenIconTexture);
        editor->ui.hiddenIconTexture = nullptr;
    }
    editor->ui.toolboxButtons.clear();
}

ToolboxButton* ToolboxEntryAt(SDL_Point point) {
    for (ToolboxButton& entry : editor->ui.toolboxButtons) {
        if (IsInside(entry.rect, point)) {
            return &entry;
        }
    }
    return nullptr;
}

ToolboxButton* FindToolboxEntry(const std::string& name) {
    for (ToolboxButton& entry : editor->ui.toolboxButtons) {
        if (entry.name == name) {
            return &entry;
        }
    }
    return nullptr;
}

int LayerOfEntry(const ToolboxButton& entry) {
    if (entry.group != kToolboxGroupLayer || entry.kind != kToolboxEntryButton) {
        return -1;
    }
    return LayerOfName(entry.name);
}

bool GetDefaultColorSwatch(SDL_Color& color) {
    color = editor->session.activePaper != nullptr
                ? editor->session.activePaper->palette.objectColor
                : kWhite;
    return true;
}

bool GetCustomColorSwatch(SDL_Color& color) {
    if (editor->session.activePaper == nullptr) {
        color = kWhite;
        return true;
    }
    color = editor->session.activePaper->drawColor;
    color.a = SDL_ALPHA_OPAQUE;
    return true;
}

SDL_Texture* GetLayerHiddenIcon(const ToolboxButton& entry) {
    if (editor->session.activePaper == nullptr) {
        return nullptr;
    }
    const int layer = LayerOfName(entry.name);
    if (layer < 0 || editor->session.activePaper->hiddenLayers[layer] == 0) {
        return nullptr;
    }
    // Loaded on first need and kept; after a failure it is tried again next time.
    if (editor->ui.hiddenIconTexture == nullptr) {
        editor->ui.hiddenIconTexture = LoadResourceTexture(kHiddenIconPath);
    }
    return editor->ui.hiddenIconTexture;
}

void ChooseCustomColor(ToolboxButton& /*entry*/) {
    if (editor->session.activePaper == nullptr) {
        return;
    }
    SDL_Color chosen = editor->session.activePaper->drawColor;
    if (!ChooseColorDialog(*editor, chosen)) {
        return;
    }
    // The chosen colour is the drawing colour from now on, so the button that
    // says so is the one shown pressed.
    chosen.a = SDL_ALPHA_OPAQUE;
    if (!SameColor(editor->session.activePaper->drawColor, chosen)) {
        editor->session.activePaper->drawColor = chosen;
        editor->session.activePaper->modified = true;
    }
    if (ToolboxButton* custom = FindToolboxEntry(kColorCustom)) {
        MarkInGroup(*custom);
    }
}
