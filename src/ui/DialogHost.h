#pragma once
// What a modal dialog runs in and asks of the program around it. The dialogs
// are handed one when they are made; the editor is the program's host, and
// tests script dialogs through the same hooks.

#include <SDL2/SDL_messagebox.h>
#include <SDL2/SDL_mouse.h>

#include <cstdint>
#include <functional>
#include <string>

struct SDL_Window;
struct SDL_Renderer;
typedef struct _TTF_Font TTF_Font;
class Dialog;

class DialogHost {
  public:
    // The main window and its renderer, which the dialog draws into; the
    // renderer is null when there is nothing to show a dialog in.
    virtual SDL_Window* Window() const = 0;
    virtual SDL_Renderer* Renderer() const = 0;
    // The dialogs' font.
    virtual TTF_Font* Font() const = 0;
    // The least time one pass of a dialog's loop takes; 0 runs flat out.
    virtual int32_t FramePeriodMs() const = 0;
    // Draws the main window's frame (not presented) under the dialog, which
    // then dims it; false when there is none to draw.
    virtual bool DrawBackdrop() = 0;
    virtual SDL_Cursor* Cursor(SDL_SystemCursor id) = 0;
    // Shows `text` on the status line for a while.
    virtual void ShowNotice(const std::string& text) = 0;
    // Shows a system message box, as SDL_ShowMessageBox does.
    virtual int ShowMessageBox(const SDL_MessageBoxData& data, int& buttonId) = 0;
    // The innermost dialog running its own loop, null when none.
    virtual Dialog*& RunningDialog() = 0;
    // For tests: called at the start of every pass of a dialog's loop, before
    // its events are read. Empty in the program.
    virtual const std::function<void(Dialog&)>& PassHook() const = 0;
    // For tests: a dialog that finds the event queue empty ends as if closed.
    virtual bool CloseWhenIdle() const = 0;
    // The colour dialog's sixteen custom colours, kept for the run
    // (0x00BBGGRR like COLORREF).
    virtual uint32_t* CustomColorSlots() = 0;

  protected:
    ~DialogHost() = default;
};
