#pragma once
// The "Resize Paper" dialog (File > "Resize...") and the two ways it changes
// the active paper's size: to a typed size in inches with the new space added
// on the chosen sides, and Auto Size, which fits the paper around its objects
// with a margin of four grid squares on every side.

#include <cstdint>
#include <string>

struct MENU_ITEM;

// The largest paper anyone can ask for, "341.33x341.33" (inches), as the
// notices about too large sizes name it.
std::string LargestPaperSizeText();

// Where a resize adds its space.
constexpr uint32_t kResizeLeft = 1;
constexpr uint32_t kResizeRight = 2;
constexpr uint32_t kResizeTop = 4;
constexpr uint32_t kResizeBottom = 8;
constexpr uint32_t kResizeAllSides = kResizeLeft | kResizeRight | kResizeTop | kResizeBottom;

// Control ids of the dialog.
constexpr int kResizeWidthId = 1003;
constexpr int kResizeHeightId = 1004;
constexpr int kResizeTopId = 1005;
constexpr int kResizeAllSidesId = 1006;
constexpr int kResizeBottomId = 1007;
constexpr int kResizeRightId = 1008;
constexpr int kResizeLeftId = 1009;
constexpr int kResizeAutoSizeId = 3;

// The "Resize..." menu command: without an active paper it does nothing;
// otherwise it ends the drawing operation in progress and shows the dialog.
void ShowResizeDialog(uint64_t value, MENU_ITEM* item);

// Gives the active paper the size `widthInches` x `heightInches` (96 pixels
// to the inch, truncated) and moves every object so that the new space lies
// on the `sides` asked for, split between opposite sides when both are asked
// for. Only growth is allowed, with 2 pixels of tolerance for typing the
// current size in rounded inches. False with a notice when it cannot be done;
// the same size as now changes nothing and adds no undo step.
bool ResizeActivePaper(double widthInches, double heightInches, uint32_t sides);
// The same with the new size in whole pixels.
bool ResizeActivePaperToPixels(double newWidth, double newHeight, uint32_t sides);

// Moves the objects so that a margin of four grid squares lies left of and
// above them and sizes the paper to leave four squares right of and below
// them; this may shrink the paper.
void AutoSizeActivePaper();
