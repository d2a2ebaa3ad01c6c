#pragma once
// The base of every control of a modal dialog: its id, its rectangle in
// dialog units and in window pixels, its enabled state, and the input and
// drawing operations each kind of control overrides.

#include "ui/DialogDrawing.h"

#include <SDL2/SDL_keycode.h>
#include <SDL2/SDL_rect.h>

#include <cstdint>
#include <string>

class Dialog;
struct SDL_Renderer;
typedef struct _TTF_Font TTF_Font;

// Ids of the two standard buttons and of controls that need none.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdNone = -1;

// What a control tells its dialog's command handler.
enum class DialogNotify { Clicked, Changed, SelectionChanged, DoubleClicked };

// The state a control is drawn in during one frame.
struct DialogPaint {
    SDL_Renderer* renderer = nullptr;
    TTF_Font* font = nullptr;
    DialogUnits units;
    bool focused = false;
    bool hovered = false;
    // False for a dialog that waits under a nested one.
    bool dialogActive = true;
    uint32_t ticks = 0;
};

// One mouse event in window pixels, with the keyboard modifiers of the moment.
struct DialogMouse {
    int x = 0;
    int y = 0;
    int clicks = 1;
    uint16_t modifiers = 0;
    uint32_t timestamp = 0;
};

// Every second click of a quick run is a double-click, so a third click right
// after one (landing on whatever the double-click showed) is a single click.
inline bool IsDoubleClick(const DialogMouse& mouse) {
    return mouse.clicks >= 2 && mouse.clicks % 2 == 0;
}

class DialogControl {
  public:
    DialogControl(int id, const SDL_Rect& unitsRect);
    virtual ~DialogControl() = default;
    DialogControl(const DialogControl&) = delete;
    DialogControl& operator=(const DialogControl&) = delete;

    int Id() const { return id; }
    const SDL_Rect& UnitsRect() const { return unitsRect; }
    // Window pixels; valid once the dialog is laid out.
    const SDL_Rect& Rect() const { return rect; }
    bool IsEnabled() const { return enabled; }
    void SetEnabled(bool on) { enabled = on; }

    virtual std::string Text() const { return text; }
    virtual void SetText(const std::string& newText) { text = newText; }

    // Whether Tab and clicks can give it the keyboard focus.
    virtual bool CanTakeFocus() const { return false; }
    // Whether plain letter keys belong to it (so they are no button mnemonics).
    virtual bool TakesLetterKeys() const { return false; }
    // Adjusts the control after the dialog placed it (`rect` is already set
    // from the dialog units); called again whenever the dialog moves.
    virtual void Layout(const DialogUnits& /*units*/, TTF_Font* /*font*/) {}
    virtual void Draw(const DialogPaint& paint) const = 0;

    virtual void OnFocus(Dialog& /*dialog*/, bool /*gained*/, bool /*byKeyboard*/) {}
    virtual void OnMouseDown(Dialog& /*dialog*/, const DialogMouse& /*mouse*/) {}
    // Motion while the button that went down on this control is held.
    virtual void OnMouseDrag(Dialog& /*dialog*/, const DialogMouse& /*mouse*/) {}
    virtual void OnMouseUp(Dialog& /*dialog*/, const DialogMouse& /*mouse*/) {}
    virtual void OnWheel(Dialog& /*dialog*/, int /*rows*/) {}
    // True when the key was used.
    virtual bool OnKey(Dialog& /*dialog*/, SDL_Keycode /*key*/, uint16_t /*modifiers*/) {
        return false;
    }
    virtual void OnKeyUp(Dialog& /*dialog*/, SDL_Keycode /*key*/) {}
    // Focus moving away while a key or button holds the control pressed.
    virtual void CancelPress() {}
    virtual bool OnTextInput(Dialog& /*dialog*/, const char* /*text*/, uint32_t /*timestamp*/) {
        return false;
    }

    // A list that drops over the rest of the dialog (an open drop-down list).
    virtual bool PopupOpen() const { return false; }
    virtual SDL_Rect PopupRect() const { return {0, 0, 0, 0}; }
    virtual void ClosePopup() {}
    virtual void DrawPopup(const DialogPaint& /*paint*/) const {}
    virtual void OnPopupMouseDown(Dialog& /*dialog*/, const DialogMouse& /*mouse*/) {}
    virtual void OnPopupMouseMove(Dialog& /*dialog*/, const DialogMouse& /*mouse*/) {}

  protected:
    friend class Dialog;

    int id;
    SDL_Rect unitsRect;
    SDL_Rect rect = {0, 0, 0, 0};
    bool enabled = true;
    std::string text;
};
