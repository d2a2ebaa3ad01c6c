#pragma once
// The real program started headless with one paper open, for tests that draw,
// select and move with real input events.

#include "app/ActiveTool.h"
#include "app/AppHarness.h"
#include "app/Editor.h"
#include "app/OpenTestPaper.h"
#include "app/Toolbox.h"
#include "app/ToolboxButton.h"
#include "document/Paper.h"
#include "document/PaperObject.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

// Saves the last frame for a look at it when TESSELLON_TEST_PNG_DIR is set.
inline void SaveFrameForInspection(const AppHarness& app, const std::string& name) {
    const char* folder = SDL_getenv("TESSELLON_TEST_PNG_DIR");
    if (folder != nullptr) {
        app.SaveScreenshot(std::string(folder) + "/" + name + ".png");
    }
}

// A started program with a fresh 11 x 8.5 inch paper of 24-pixel blocks as the
// active paper (the dummy video driver reports no DPI, so 96 is used).
class ProgramWithPaper : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(app.Start());
        open = std::make_unique<OpenTestPaper>();
        paper = &open->paper;
        view = &open->view;
    }
    // The paper goes first: the program closes every paper still open when it
    // shuts down, and the test's handles would point at nothing.
    void TearDown() override {
        open.reset();
        paper = nullptr;
        view = nullptr;
        app.Shutdown();
    }

    // The window point that shows paper pixel (x, y).
    SDL_Point At(int x, int y) const {
        return {editor->shell.paperViewRect.x + x - view->scrollX,
                editor->shell.paperViewRect.y + y - view->scrollY};
    }
    void ClickPaper(int x, int y, uint8_t button = SDL_BUTTON_LEFT) {
        const SDL_Point p = At(x, y);
        app.Click(p.x, p.y, button);
    }
    void MovePaper(int x, int y) {
        const SDL_Point p = At(x, y);
        app.MouseMove(p.x, p.y);
    }
    void DragPaper(SDL_Point from, SDL_Point to) { app.Drag(At(from.x, from.y), At(to.x, to.y)); }
    // A left click in the middle of the toolbox entry `name`.
    void ClickEntry(const std::string& name, uint8_t button = SDL_BUTTON_LEFT) {
        const ToolboxButton* entry = FindToolboxEntry(name);
        ASSERT_NE(entry, nullptr) << name;
        app.Click(entry->rect.x + entry->rect.w / 2, entry->rect.y + entry->rect.h / 2, button);
    }
    void Run(int passes = 1) { ASSERT_TRUE(app.RunPasses(passes)); }
    size_t CountUndo(UndoKind kind) const {
        size_t count = 0;
        for (const auto& command : paper->undoStack) {
            count += command->kind == kind ? 1 : 0;
        }
        return count;
    }
    void SaveFrame(const std::string& name) const { SaveFrameForInspection(app, name); }

    AppHarness app;
    std::unique_ptr<OpenTestPaper> open;
    Paper* paper = nullptr;
    PaperView* view = nullptr;
};

// White as the paper's 16-bit surface keeps it.
inline bool IsWhite(const SDL_Color& color) {
    return color.r >= 248 && color.g >= 248 && color.b >= 248;
}

inline const ObjectRecord& RecordAt(const Paper& paper, size_t index) {
    return paper.objects.at(index)->record;
}
