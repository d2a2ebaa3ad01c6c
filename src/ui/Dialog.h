#pragma once
// A modal dialog drawn inside the main window. It is built from controls
// placed in dialog units (like a dialog template), is centred in the window,
// and runs its own event loop until it ends, so the main loop is blocked
// meanwhile. Each pass redraws the window under it (the host's backdrop)
// dimmed, then the dialog.
//
// Keyboard: Tab and Shift+Tab move the focus, Enter presses the focused push
// button or else the default button, Escape sends Cancel (id 2), Alt+letter
// presses the button whose caption marks that letter with '&'. Unhandled
// clicks of OK (id 1) and Cancel end the dialog with 1 and 0; closing it from
// its caption ends it with 0. A quit request ends it with 0 and stays in
// SDL's queue for the main loop.

#include "ui/DialogButton.h"
#include "ui/DialogColorGrid.h"
#include "ui/DialogControl.h"
#include "ui/DialogDropDown.h"
#include "ui/DialogEdit.h"
#include "ui/DialogListView.h"
#include "ui/DialogStatic.h"

#include <SDL2/SDL_events.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class DialogHost;

class Dialog {
  public:
    // `widthUnits` x `heightUnits` is the client area in dialog units; `host`
    // is the program the dialog runs in, and outlives it.
    Dialog(DialogHost& host, std::string caption, int widthUnits, int heightUnits);
    ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Building. Controls are kept, and visited by Tab, in the order added.
    DialogStatic& AddStatic(int id, const std::string& text, const SDL_Rect& units,
                            TextAlign align = TextAlign::Left);
    DialogEdit& AddEdit(int id, const SDL_Rect& units);
    DialogButton& AddButton(int id, const std::string& caption, const SDL_Rect& units,
                            ButtonKind kind = ButtonKind::Push);
    DialogDropDown& AddDropDown(int id, const SDL_Rect& units);
    DialogListView& AddListView(int id, const SDL_Rect& units);
    DialogColorGrid& AddColorGrid(int id, const SDL_Rect& units, int columns, int rows);

    const std::string& Caption() const { return caption; }
    void SetCaption(std::string text) { caption = std::move(text); }
    void SetUnitsSize(int widthUnits, int heightUnits);

    // Every control, in the order added (tests check the layout with it).
    const std::vector<std::unique_ptr<DialogControl>>& Controls() const { return controls; }
    // The client area in window pixels, valid while the dialog runs.
    SDL_Rect ClientRect() const;
    // Controls by id (the first with that id); null when there is none.
    DialogControl* Control(int id) const;
    template <class T> T* ControlAs(int id) const { return dynamic_cast<T*>(Control(id)); }

    // The usual accessors by id; each does nothing for an unknown id.
    std::string Text(int id) const;
    void SetText(int id, const std::string& text);
    bool IsChecked(int id) const;
    void SetChecked(int id, bool checked);
    bool IsEnabled(int id) const;
    // A control that loses its enabled state also loses the focus.
    void Enable(int id, bool enabled);
    // Index of the chosen entry of a drop-down or list, -1 for none.
    int Selection(int id) const;
    void SetSelection(int id, int index);
    // Moves the keyboard focus; an edit given the focus this way selects its text.
    void SetFocus(int id);
    // Id of the control with the focus, kIdNone when none has it.
    int FocusId() const;

    // Runs the dialog until End; returns the value given to End.
    int RunModal();
    void End(int result);
    bool HasEnded() const { return ended; }
    // Passes of the event loop so far (tests script their input by pass).
    int Passes() const { return passes; }

    // Called when a control reports something. Returns true when it handled
    // the command; otherwise OK and Cancel clicks end the dialog.
    std::function<bool(Dialog&, int id, DialogNotify notify)> onCommand;

    // Window-pixel rectangles, valid while the dialog runs (tests click them).
    SDL_Rect ControlRect(int id) const;
    SDL_Rect FrameRect() const { return frame; }
    SDL_Rect CaptionRect() const;
    SDL_Rect CloseBoxRect() const;
    const DialogUnits& Units() const { return units; }
    TTF_Font* Font() const { return font; }
    DialogHost& Host() const { return host; }

    // Draws the dialog over the current window contents; `active` is false
    // while a nested dialog runs on top of it.
    void Draw(bool active) const;
    // Draws a whole pass: the backdrop, dimmed, any waiting outer dialogs and
    // this one.
    void DrawScene() const;

    // Used by the controls.
    void Notify(int id, DialogNotify notify);
    void SetFocusTo(DialogControl* control, bool byKeyboard);
    DialogControl* FocusedControl() const { return focus; }
    // Checks this radio button and clears the others of its group.
    void CheckRadio(DialogButton& radio);
    // Radio buttons that form one group with `radio`, in order.
    std::vector<DialogButton*> RadioGroup(const DialogButton& radio) const;

  private:
    template <class T> T& Add(std::unique_ptr<T> control);
    void Place();
    void Centre();
    void DrawBackdrop() const;
    // Takes the next event unless it is a quit request, which ends the dialog
    // and stays queued. False when there is nothing more to handle.
    bool NextEvent(SDL_Event& event);
    void HandleEvent(const SDL_Event& event);
    void HandleKey(const SDL_KeyboardEvent& key);
    void HandleMouseButton(const SDL_MouseButtonEvent& button, bool down);
    void HandleMouseMotion(const SDL_MouseMotionEvent& motion);
    void HandleWheel(const SDL_MouseWheelEvent& wheel);
    DialogControl* ControlAt(int x, int y) const;
    DialogButton* DefaultButton() const;
    void MoveFocus(bool backwards);
    bool IsTabStop(const DialogControl& control) const;
    bool PressMnemonic(SDL_Keycode key);
    void EnsureFocusValid();
    DialogControl* OpenPopupOwner() const;
    void HandleTextInput(const SDL_TextInputEvent& input);
    int IndexOf(const DialogControl* control) const;

    DialogHost& host;
    std::string caption;
    int widthUnits;
    int heightUnits;
    std::vector<std::unique_ptr<DialogControl>> controls;
    DialogControl* focus = nullptr;
    DialogControl* hovered = nullptr;
    DialogControl* captured = nullptr;
    TTF_Font* font = nullptr;
    DialogUnits units;
    SDL_Rect frame = {0, 0, 0, 0};
    int captionHeight = 0;
    SDL_Point clientOrigin = {0, 0};
    // Where the frame was dragged to by its caption, from the centred place.
    SDL_Point dragOffset = {0, 0};
    bool draggingCaption = false;
    SDL_Point dragStart = {0, 0};
    bool closeBoxPressed = false;
    bool closeBoxHovered = false;
    uint16_t modifiers = 0;
    Dialog* outer = nullptr;
    bool ended = false;
    int result = 0;
    int passes = 0;
};
