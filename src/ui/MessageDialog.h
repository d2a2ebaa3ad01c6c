#pragma once
// Small modal questions and messages drawn with the dialog kit: a few lines
// of text over a row of buttons.

#include <SDL2/SDL_messagebox.h>

#include <cstdint>
#include <string>
#include <vector>

class DialogHost;

constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

// Shows `text` ('\n' separates lines) with an OK button.
void ShowMessageDialog(DialogHost& host, const std::string& title, const std::string& text);

// Asks a Yes/No question. Y and N answer it, Enter takes the default answer,
// Escape and closing answer No. True for Yes.
bool AskYesNo(DialogHost& host, const std::string& title, const std::string& text, bool defaultYes);

// Asks a Yes/No/Cancel question with Yes as the default. Escape and closing
// answer Cancel. Returns kIdYes, kIdNo or kIdCancel.
int AskYesNoCancel(DialogHost& host, const std::string& title, const std::string& text);

// Asks in SDL's own message box over the window, through the host
// (which tests answer), and sets `answer` to the id of the button chosen (-1
// when the box was closed without one). False when no system message box can
// be shown (an X server without core fonts, say): the caller then asks inside
// the window with the functions above, so that no question goes unasked.
bool AskInSystemBox(DialogHost& host, uint32_t flags, const char* title, const std::string& text,
                    const std::vector<SDL_MessageBoxButtonData>& buttons, int& answer);
