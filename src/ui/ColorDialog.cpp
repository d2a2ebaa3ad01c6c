#include "ui/ColorDialog.h"

#include "ui/Dialog.h"
#include "ui/DialogHost.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>

namespace {

constexpr int kBasicColumns = 8;
constexpr int kBasicRows = 6;
constexpr int kCustomColumns = 8;
constexpr int kCustomRows = 2;
constexpr int kCustomSlotCount = kCustomColumns * kCustomRows;
constexpr int kChannelMax = 255;
constexpr size_t kChannelDigits = 3;
constexpr int kFieldIds[3] = {kColorRedId, kColorGreenId, kColorBlueId};

// The 48 basic colours, row by row, as 0xRRGGBB.
constexpr std::array<uint32_t, kBasicColumns* kBasicRows> kBasicColors = {
    0xFF8080, 0xFFFF80, 0x80FF80, 0x00FF80, 0x80FFFF, 0x0080FF, 0xFF80C0, 0xFF80FF,
    0xFF0000, 0xFFFF00, 0x80FF00, 0x00FF40, 0x00FFFF, 0x0080C0, 0x8080C0, 0xFF00FF,
    0x804040, 0xFF8040, 0x00FF00, 0x008080, 0x004080, 0x8080FF, 0x800040, 0xFF0080,
    0x800000, 0xFF8000, 0x008000, 0x008040, 0x0000FF, 0x0000A0, 0x800080, 0x8000FF,
    0x400000, 0x804000, 0x004000, 0x004040, 0x000080, 0x000040, 0x400040, 0x400080,
    0x000000, 0x808000, 0x808040, 0x808080, 0x408080, 0xC0C0C0, 0x404040, 0xFFFFFF,
};

SDL_Color FromRgb(uint32_t rgb) {
    return {static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
            static_cast<uint8_t>(rgb), 255};
}

bool SameRgb(SDL_Color a, SDL_Color b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

class ColorChooser {
  public:
    ColorChooser(DialogHost& host, SDL_Color start);
    bool Run() { return dialog.RunModal() == 1; }
    SDL_Color Current() const { return current; }

  private:
    bool OnCommand(int id, DialogNotify notify);
    void Show(SDL_Color color, bool rewriteFields);
    void ReadFields(int changedId);
    void AddToCustom();
    DialogColorGrid& Grid(int id) { return *dialog.ControlAs<DialogColorGrid>(id); }

    Dialog dialog;
    SDL_Color current;
    // The custom slot "Add to Custom Colors" fills next.
    int customTarget = 0;
};

ColorChooser::ColorChooser(DialogHost& host, SDL_Color start)
    : dialog(host, "Color", 236, 170), current(start) {
    current.a = 255;
    dialog.AddStatic(kIdNone, "Basic colors:", {7, 7, 112, 8});
    DialogColorGrid& basic =
        dialog.AddColorGrid(kColorBasicGridId, {7, 17, 112, 84}, kBasicColumns, kBasicRows);
    for (int index = 0; index < basic.CellCount(); ++index) {
        basic.SetCellColor(index, FromRgb(kBasicColors[static_cast<size_t>(index)]));
    }
    dialog.AddStatic(kIdNone, "Custom colors:", {7, 106, 112, 8});
    DialogColorGrid& custom =
        dialog.AddColorGrid(kColorCustomGridId, {7, 116, 112, 28}, kCustomColumns, kCustomRows);
    for (int index = 0; index < kCustomSlotCount; ++index) {
        custom.SetCellColor(index, ColorFromSlot(dialog.Host().CustomColorSlots()[index]));
    }
    dialog.AddButton(kColorAddCustomId, "&Add to Custom Colors", {7, 149, 112, 14});

    dialog.AddStatic(kIdNone, "Color", {128, 7, 101, 8});
    dialog.AddStatic(kColorPreviewId, "", {128, 17, 101, 50});
    const char* labels[3] = {"Red:", "Green:", "Blue:"};
    for (int channel = 0; channel < 3; ++channel) {
        const int y = 76 + channel * 18;
        dialog.AddStatic(kIdNone, labels[channel], {128, y + 3, 40, 8}, TextAlign::Right);
        DialogEdit& field = dialog.AddEdit(kFieldIds[channel], {172, y, 32, 14});
        field.SetDigitsOnly(true);
        field.SetLimit(kChannelDigits);
        field.SetCentred(true);
    }
    dialog.AddButton(kIdOk, "OK", {128, 149, 50, 14}, ButtonKind::DefaultPush);
    dialog.AddButton(kIdCancel, "Cancel", {180, 149, 50, 14});

    // Adding fills the first unused (black) slot first, then goes round.
    for (int index = 0; index < kCustomSlotCount; ++index) {
        if (dialog.Host().CustomColorSlots()[index] == 0) {
            customTarget = index;
            break;
        }
    }
    Show(current, true);
    dialog.SetFocus(basic.Selection() >= 0 ? kColorBasicGridId : kColorRedId);
    dialog.onCommand = [this](Dialog&, int id, DialogNotify notify) {
        return OnCommand(id, notify);
    };
}

void ColorChooser::Show(SDL_Color color, bool rewriteFields) {
    current = color;
    current.a = 255;
    if (rewriteFields) {
        dialog.SetText(kColorRedId, std::to_string(current.r));
        dialog.SetText(kColorGreenId, std::to_string(current.g));
        dialog.SetText(kColorBlueId, std::to_string(current.b));
    }
    dialog.ControlAs<DialogStatic>(kColorPreviewId)->ShowColor(current);
    // A swatch of exactly this colour shows as chosen.
    for (int id : {kColorBasicGridId, kColorCustomGridId}) {
        DialogColorGrid& grid = Grid(id);
        if (grid.Selection() >= 0 && SameRgb(grid.CellColor(grid.Selection()), current)) {
            continue;
        }
        grid.SetSelection(-1);
        for (int index = 0; index < grid.CellCount(); ++index) {
            if (SameRgb(grid.CellColor(index), current)) {
                grid.SetSelection(index);
                break;
            }
        }
    }
}

void ColorChooser::ReadFields(int changedId) {
    uint8_t channels[3] = {};
    for (int channel = 0; channel < 3; ++channel) {
        const std::string text = dialog.Text(kFieldIds[channel]);
        int value = text.empty() ? 0 : std::atoi(text.c_str());
        if (value > kChannelMax) {
            value = kChannelMax;
            if (kFieldIds[channel] == changedId) {
                // Shown at once, so the field never holds a value that is not used.
                dialog.SetText(changedId, std::to_string(kChannelMax));
            }
        }
        channels[channel] = static_cast<uint8_t>(value);
    }
    Show({channels[0], channels[1], channels[2], 255}, false);
}

void ColorChooser::AddToCustom() {
    dialog.Host().CustomColorSlots()[customTarget] = SlotFromColor(current);
    DialogColorGrid& custom = Grid(kColorCustomGridId);
    custom.SetCellColor(customTarget, current);
    custom.SetSelection(customTarget);
    customTarget = (customTarget + 1) % kCustomSlotCount;
}

bool ColorChooser::OnCommand(int id, DialogNotify notify) {
    switch (id) {
    case kColorBasicGridId:
    case kColorCustomGridId:
        if (notify == DialogNotify::SelectionChanged) {
            DialogColorGrid& grid = Grid(id);
            if (id == kColorCustomGridId) {
                customTarget = grid.Selection();
            }
            Show(grid.CellColor(grid.Selection()), true);
        } else if (notify == DialogNotify::DoubleClicked) {
            dialog.End(1);
        }
        return true;
    case kColorRedId:
    case kColorGreenId:
    case kColorBlueId:
        if (notify == DialogNotify::Changed) {
            ReadFields(id);
        }
        return true;
    case kColorAddCustomId:
        if (notify == DialogNotify::Clicked) {
            AddToCustom();
        }
        return true;
    case kIdOk:
        if (notify == DialogNotify::Clicked) {
            ReadFields(kIdNone);
            dialog.End(1);
        }
        return true;
    default:
        return false;
    }
}

} // namespace

SDL_Color ColorFromSlot(uint32_t slot) {
    return {static_cast<uint8_t>(slot), static_cast<uint8_t>(slot >> 8),
            static_cast<uint8_t>(slot >> 16), 255};
}

uint32_t SlotFromColor(SDL_Color color) {
    return static_cast<uint32_t>(color.r) | (static_cast<uint32_t>(color.g) << 8) |
           (static_cast<uint32_t>(color.b) << 16);
}

bool ChooseColorDialog(DialogHost& host, SDL_Color& color) {
    ColorChooser chooser(host, color);
    if (!chooser.Run()) {
        return false;
    }
    const SDL_Color chosen = chooser.Current();
    color.r = chosen.r;
    color.g = chosen.g;
    color.b = chosen.b;
    color.a = 255;
    return true;
}
