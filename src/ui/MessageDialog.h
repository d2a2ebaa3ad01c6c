#pragma once
// Small modal questions and messages drawn with the dialog kit: a few lines
// of text over a row of buttons.

#include <string>

constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

// Shows `text` ('\n' separates lines) with an OK button.
void ShowMessageDialog(const std::string& title, const std::string& text);

// Asks a Yes/No question. Y and N answer it, Enter takes the default answer,
// Escape and closing answer No. True for Yes.
bool AskYesNo(const std::string& title, const std::string& text, bool defaultYes);

// Asks a Yes/No/Cancel question with Yes as the default. Escape and closing
// answer Cancel. Returns kIdYes, kIdNo or kIdCancel.
int AskYesNoCancel(const std::string& title, const std::string& text);
