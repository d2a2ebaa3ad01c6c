#pragma once
// A window, renderer and fonts for driving modal dialogs headless: input is
// pushed into SDL's queue as real events before (or while) a dialog runs,
// and a dialog ends by itself once its queue runs dry.

#include "app/Editor.h"
#include "ui/Dialog.h"

#include <SDL2/SDL.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

// Draws the dialog's whole scene and, when TESSELLON_SHOTS_DIR is set, saves
// it there as <name>.png for a person to look at.
void SaveDialogShot(const Dialog& dialog, const std::string& name);

class DialogTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Key press and release, with modifiers held.
    static void PushKey(SDL_Keycode key, uint16_t modifiers = KMOD_NONE);
    static void PushKeyDown(SDL_Keycode key, uint16_t modifiers = KMOD_NONE);
    static void PushKeyUp(SDL_Keycode key, uint16_t modifiers = KMOD_NONE);
    // Text as an input method delivers it (in pieces of at most 31 bytes).
    static void PushText(const std::string& text);
    static void PushMotion(int x, int y);
    static void PushButton(int x, int y, bool down, int clicks = 1);
    // Motion, press and release at one point.
    static void PushClick(int x, int y, int clicks = 1);
    static void PushClickOn(const Dialog& dialog, int id, int clicks = 1);
    static void PushWheel(int x, int y, int steps);
    static void PushQuit();
    static SDL_Point Centre(const SDL_Rect& rect);

    // Runs `script` on the first pass of every dialog that opens (nested
    // ones included); tell them apart by their caption.
    static void OnDialogOpened(std::function<void(Dialog&)> script);
    // Runs `script` on the given pass of every dialog with `caption`.
    static void OnPass(const std::string& caption, int pass, std::function<void(Dialog&)> script);

    // Draws the dialog's whole scene and, when TESSELLON_SHOTS_DIR is set,
    // saves it there as <name>.png for a person to look at.
    static void SaveShot(const Dialog& dialog, const std::string& name);
    // The colour of one window pixel after drawing the dialog's scene.
    static SDL_Color PixelAt(const Dialog& dialog, int x, int y);
    // How many pixels of `area` `match` accepts after drawing the dialog's scene once.
    static int CountPixelsIn(const Dialog& dialog, const SDL_Rect& area,
                             const std::function<bool(const SDL_Color&)>& match);
};
