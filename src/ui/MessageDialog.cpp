#include "ui/MessageDialog.h"

#include "ui/Dialog.h"
#include "ui/DialogHost.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <sstream>
#include <vector>

namespace {

// Dialog units, like the standard message box.
constexpr int kMargin = 10;
constexpr int kLineHeight = 9;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;
constexpr int kButtonGap = 4;
constexpr int kMinTextWidth = 140;
// Pixels kept free on both sides of the window.
constexpr int kWindowMargin = 40;

struct MessageButton {
    int id;
    const char* caption;
    bool isDefault;
};

int RunMessage(DialogHost& host, const std::string& title, const std::string& text,
               const std::vector<MessageButton>& buttons) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    TTF_Font* font = host.Font();
    const DialogUnits units = MeasureDialogUnits(font);
    int widest = 0;
    for (const std::string& line : lines) {
        widest = std::max(widest, TextWidth(font, line));
    }
    int windowWidth = 0;
    int windowHeight = 0;
    if (host.Renderer() != nullptr) {
        SDL_GetRendererOutputSize(host.Renderer(), &windowWidth, &windowHeight);
    }
    // Too wide a line is cut with an ellipsis rather than widening the dialog
    // past the window.
    const int maxTextUnits =
        std::max(kMinTextWidth, units.XUnitsFor(windowWidth - kWindowMargin) - 2 * kMargin);
    const int buttonsWidth =
        static_cast<int>(buttons.size()) * (kButtonWidth + kButtonGap) - kButtonGap;
    const int textUnits =
        std::clamp(units.XUnitsFor(widest), std::max(kMinTextWidth, buttonsWidth), maxTextUnits);
    const int textHeight = static_cast<int>(std::max<size_t>(lines.size(), 1)) * kLineHeight;
    const int width = textUnits + 2 * kMargin;
    const int height = kMargin + textHeight + kMargin + kButtonHeight + kMargin / 2 + 2;

    Dialog dialog(host, title, width, height);
    dialog.AddStatic(kIdNone, text, {kMargin, kMargin, textUnits, textHeight});
    int x = width - kMargin - buttonsWidth;
    const int y = kMargin + textHeight + kMargin;
    for (const MessageButton& button : buttons) {
        dialog.AddButton(button.id, button.caption, {x, y, kButtonWidth, kButtonHeight},
                         button.isDefault ? ButtonKind::DefaultPush : ButtonKind::Push);
        if (button.isDefault) {
            dialog.SetFocus(button.id);
        }
        x += kButtonWidth + kButtonGap;
    }
    dialog.onCommand = [](Dialog& self, int id, DialogNotify notify) {
        if (notify == DialogNotify::Clicked) {
            self.End(id);
        }
        return true;
    };
    return dialog.RunModal();
}

} // namespace

void ShowMessageDialog(DialogHost& host, const std::string& title, const std::string& text) {
    RunMessage(host, title, text, {{kIdOk, "OK", true}});
}

bool AskYesNo(DialogHost& host, const std::string& title, const std::string& text,
              bool defaultYes) {
    return RunMessage(host, title, text,
                      {{kIdYes, "&Yes", defaultYes}, {kIdNo, "&No", !defaultYes}}) == kIdYes;
}

int AskYesNoCancel(DialogHost& host, const std::string& title, const std::string& text) {
    return RunMessage(
        host, title, text,
        {{kIdYes, "&Yes", true}, {kIdNo, "&No", false}, {kIdCancel, "Cancel", false}});
}

bool AskInSystemBox(DialogHost& host, uint32_t flags, const char* title, const std::string& text,
                    const std::vector<SDL_MessageBoxButtonData>& buttons, int& answer) {
    const SDL_MessageBoxData data = {
        flags | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT,
        host.Window(),
        title,
        text.c_str(),
        static_cast<int>(buttons.size()),
        buttons.data(),
        nullptr,
    };
    answer = -1;
    if (host.ShowMessageBox(data, answer) == 0) {
        return true;
    }
    SDL_LogWarn(SDL_LOG_CATEGORY_APPLICATION,
                "Couldn't show the question '%s': %s; asking in the window instead", title,
                SDL_GetError());
    return false;
}
