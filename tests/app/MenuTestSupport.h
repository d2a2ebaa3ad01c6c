#pragma once
// The real program started headless, driven through its menu bar: open a
// menu by its title, choose an item, answer the dialogs it opens and the
// save-before-close question.

#include "app/AppHarness.h"
#include "app/Editor.h"
#include "ui/Dialog.h"
#include "ui/Menu.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

class MenuTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The item of the menu captioned `menu` with caption `item`; with several
    // of that caption, the first after the header `header`.
    static MENU_ITEM* Item(const std::string& menu, const std::string& item,
                           const std::string& header = "");
    static SDL_Point Centre(const SDL_Rect& rect);

    // Clicks there with the left button and runs a pass of the main loop.
    void ReleaseAt(SDL_Point point);
    // Opens the menu by its title and releases on the item.
    void Choose(const std::string& menu, const std::string& item, const std::string& header = "");

    // Runs `script` on the first pass of every modal dialog that opens.
    static void OnDialog(std::function<void(Dialog&)> script);
    // Answers the size prompt of File > "New..." with `answer` (or cancels it
    // when empty); returns the text it offered.
    std::string NewPaper(const std::string& answer);
    // Types `path` into the name field of the next open or save dialog and
    // presses Enter; a question about replacing a file is answered Yes.
    void AnswerFileDialog(const std::string& path);

    std::string Documents() const;
    std::vector<std::string> WindowsEntries() const;

    AppHarness app;

  public:
    // The save-before-close question answers with this button id (-1: as
    // if closed without a button); every question's text is recorded.
    static int saveAnswer;
    static std::vector<std::string> questions;
};
