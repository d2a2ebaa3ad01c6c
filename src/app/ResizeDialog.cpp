#include "app/ResizeDialog.h"

#include "app/ActiveTool.h"
#include "app/Editor.h"
#include "app/StatusNotice.h"
#include "document/Paper.h"
#include "document/PaperObject.h"
#include "tools/Tool.h"
#include "ui/DialogTemplate.h"
#include "ui/FieldNumbers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {

constexpr const char* kResizeCaption = "Resize Paper";
constexpr int kResizeWidthUnits = 193;
constexpr int kResizeHeightUnits = 77;
constexpr size_t kSizeTextLimit = 255;
// Typing the current size in rounded inches may come out a pixel or two short.
constexpr int32_t kShrinkTolerance = 2;
// Auto Size leaves this many grid squares around the objects.
constexpr int64_t kAutoSizeMarginBlocks = 4;

// The side buttons show arrowheads that point where the space goes.
const std::array<DialogTemplateItem, 14> kResizeTemplate = {{
    {kIdNone, TemplateControl::Static, "New Paper Size:", {7, 9, 55, 8}},
    {kResizeWidthId, TemplateControl::CentredEdit, "", {60, 7, 28, 14}},
    {kIdNone, TemplateControl::Static, "x", {91, 10, 8, 8}},
    {kResizeHeightId, TemplateControl::CentredEdit, "", {97, 7, 28, 14}},
    {kIdNone, TemplateControl::Static, "in.", {128, 10, 9, 8}},
    {kIdNone, TemplateControl::Static, "Add Space on Side(s):", {7, 23, 72, 8}},
    {kResizeTopId, TemplateControl::PushCheckBox, "\xCB\x84", {56, 34, 26, 14}},
    {kResizeLeftId, TemplateControl::PushCheckBox, "\xCB\x82", {30, 48, 26, 14}},
    {kResizeAllSidesId, TemplateControl::PushCheckBox, "\xC2\xB7", {56, 48, 26, 14}},
    {kResizeRightId, TemplateControl::PushCheckBox, "\xCB\x83", {82, 48, 26, 14}},
    {kResizeBottomId, TemplateControl::PushCheckBox, "\xCB\x85", {56, 62, 26, 14}},
    {kIdOk, TemplateControl::DefaultPushButton, "OK", {139, 7, 50, 14}},
    {kResizeAutoSizeId, TemplateControl::PushButton, "Auto Size", {139, 21, 50, 14}},
    {kIdCancel, TemplateControl::PushButton, "Cancel", {139, 35, 50, 14}},
}};

struct SideButton {
    int id;
    uint32_t side;
    ButtonGlyph glyph;
};
const std::array<SideButton, 4> kSideButtons = {{
    {kResizeLeftId, kResizeLeft, ButtonGlyph::ArrowLeft},
    {kResizeRightId, kResizeRight, ButtonGlyph::ArrowRight},
    {kResizeTopId, kResizeTop, ButtonGlyph::ArrowUp},
    {kResizeBottomId, kResizeBottom, ButtonGlyph::ArrowDown},
}};

// Where added space goes along one axis: split between both sides, all before
// the objects, or (with neither side, or only the far one) all after them.
int32_t ShiftForSides(int32_t growth, bool nearSide, bool farSide) {
    if (nearSide && farSide) {
        return growth / 2;
    }
    return nearSide ? growth : 0;
}

// The grid line at or before `edge`; `cell` is at least 1.
int64_t GridLineAtOrBefore(int64_t edge, int64_t cell) {
    const int64_t remainder = edge % cell;
    return remainder < 0 ? edge - remainder - cell : edge - remainder;
}

uint32_t ChosenSides(const Dialog& dialog) {
    uint32_t sides = 0;
    for (const SideButton& button : kSideButtons) {
        if (dialog.IsChecked(button.id)) {
            sides |= button.side;
        }
    }
    if (sides == 0 || dialog.IsChecked(kResizeAllSidesId)) {
        sides = kResizeAllSides;
    }
    return sides;
}

std::string ShownSize(int32_t pixels) {
    return FormatHundredths(double(pixels) / kPaperPixelsPerInch);
}

// The size a field asks for, in pixels. A field left as it was shown means the
// paper's exact size, not the rounded hundredths it displays: otherwise every
// OK would shrink a paper whose size is not a whole number of hundredths. An
// empty field, or one that does not start with a number, counts as 0.
double SizeFieldPixels(const Dialog& dialog, int id, int32_t currentPixels) {
    const std::string text = dialog.Text(id);
    if (text == ShownSize(currentPixels)) {
        return currentPixels;
    }
    double value = 0.0;
    if (!LeadingDecimal(text, value)) {
        value = 0.0;
    }
    return std::trunc(value * kPaperPixelsPerInch);
}

void AcceptSize(Dialog& dialog) {
    const double width =
        SizeFieldPixels(dialog, kResizeWidthId, editor->session.activePaper->width);
    const double height =
        SizeFieldPixels(dialog, kResizeHeightId, editor->session.activePaper->height);
    if (width < kPaperPixelsPerInch || height < kPaperPixelsPerInch) {
        ShowStatusNotice("Minimum size is 1x1!");
    } else {
        ResizeActivePaperToPixels(width, height, ChosenSides(dialog));
    }
    dialog.End(1);
}

void SideButtonClicked(Dialog& dialog, int id) {
    if (id == kResizeAllSidesId) {
        const bool all = dialog.IsChecked(kResizeAllSidesId);
        for (const SideButton& button : kSideButtons) {
            dialog.SetChecked(button.id, all);
        }
    } else if (!dialog.IsChecked(id)) {
        dialog.SetChecked(kResizeAllSidesId, false);
    }
}

bool HandleResizeCommand(Dialog& dialog, int id, DialogNotify notify) {
    if (notify != DialogNotify::Clicked) {
        return false;
    }
    switch (id) {
    case kIdOk:
        AcceptSize(dialog);
        return true;
    case kResizeAutoSizeId:
        AutoSizeActivePaper();
        dialog.End(1);
        return true;
    case kResizeAllSidesId:
    case kResizeTopId:
    case kResizeBottomId:
    case kResizeLeftId:
    case kResizeRightId:
        SideButtonClicked(dialog, id);
        return true;
    default:
        return false;
    }
}

} // namespace

std::string LargestPaperSizeText() {
    const std::string inches =
        FormatHundredths(LargestHundredthsWithin(kMaxPaperPixels, kPaperPixelsPerInch));
    return inches + "x" + inches;
}

void ShowResizeDialog(uint64_t /*value*/, MENU_ITEM* /*item*/) {
    if (editor->session.activePaper == nullptr) {
        return;
    }
    SetActiveToolInstance(nullptr);
    Dialog dialog(*editor, kResizeCaption, kResizeWidthUnits, kResizeHeightUnits);
    BuildFromTemplate(dialog, kResizeTemplate);
    for (const SideButton& button : kSideButtons) {
        dialog.ControlAs<DialogButton>(button.id)->SetGlyph(button.glyph);
    }
    dialog.ControlAs<DialogButton>(kResizeAllSidesId)->SetGlyph(ButtonGlyph::Dot);
    for (const int id : {kResizeWidthId, kResizeHeightId}) {
        dialog.ControlAs<DialogEdit>(id)->SetLimit(kSizeTextLimit);
    }
    dialog.SetText(kResizeWidthId, ShownSize(editor->session.activePaper->width));
    dialog.SetText(kResizeHeightId, ShownSize(editor->session.activePaper->height));
    dialog.onCommand = HandleResizeCommand;
    dialog.RunModal();
}

bool ResizeActivePaper(double widthInches, double heightInches, uint32_t sides) {
    return ResizeActivePaperToPixels(std::trunc(widthInches * kPaperPixelsPerInch),
                                     std::trunc(heightInches * kPaperPixelsPerInch), sides);
}

bool ResizeActivePaperToPixels(double newWidth, double newHeight, uint32_t sides) {
    if (editor->session.activePaper == nullptr) {
        return false;
    }
    Paper& paper = *editor->session.activePaper;
    if ((sides & kResizeAllSides) == 0) {
        ShowStatusNotice("No resize flags specified!");
        return false;
    }
    // Checked as doubles, so that no size turns into an int out of range.
    if (std::isnan(newWidth) || std::isnan(newHeight)) {
        ShowStatusNotice("Minimum size is 1x1!");
        return false;
    }
    if (newWidth > kMaxPaperPixels || newHeight > kMaxPaperPixels) {
        ShowStatusNotice("Maximum size is " + LargestPaperSizeText() + "!");
        return false;
    }
    if (newWidth < paper.width - kShrinkTolerance || newHeight < paper.height - kShrinkTolerance) {
        ShowStatusNotice("Only auto size can shrink a page!");
        return false;
    }
    const int32_t oldWidth = paper.width;
    const int32_t oldHeight = paper.height;
    if (newWidth == oldWidth && newHeight == oldHeight) {
        // Nothing to change: no undo step, and the paper stays unmodified.
        return true;
    }
    if (!paper.Resize(static_cast<int32_t>(newWidth), static_cast<int32_t>(newHeight), false)) {
        ShowStatusNotice("Error creating new paper surface!");
        return false;
    }
    const int32_t dx = ShiftForSides(paper.width - oldWidth, (sides & kResizeLeft) != 0,
                                     (sides & kResizeRight) != 0);
    const int32_t dy = ShiftForSides(paper.height - oldHeight, (sides & kResizeTop) != 0,
                                     (sides & kResizeBottom) != 0);
    if (dx != 0 || dy != 0) {
        paper.MoveAllWithLastStep(dx, dy);
    }
    return true;
}

void AutoSizeActivePaper() {
    if (editor->session.activePaper == nullptr) {
        return;
    }
    Paper& paper = *editor->session.activePaper;
    if (paper.objects.empty()) {
        ShowStatusNotice("Paper is empty!");
        return;
    }
    SetActiveToolInstance(nullptr);

    // The real extent of the objects, also where they lie left of or above
    // the paper, in 64 bits so that no sum below can overflow.
    int64_t left = std::numeric_limits<int64_t>::max();
    int64_t top = std::numeric_limits<int64_t>::max();
    int64_t right = std::numeric_limits<int64_t>::min();
    int64_t bottom = std::numeric_limits<int64_t>::min();
    for (const std::shared_ptr<PaperObject>& object : paper.objects) {
        const ObjectBounds bounds = object->GetBounds();
        left = std::min<int64_t>(left, bounds.left);
        top = std::min<int64_t>(top, bounds.top);
        right = std::max<int64_t>(right, bounds.right);
        bottom = std::max<int64_t>(bottom, bounds.bottom);
    }

    const int64_t cellWidth = std::max(1, paper.blockWidth);
    const int64_t cellHeight = std::max(1, paper.blockHeight);
    int64_t shiftX = 0;
    int64_t shiftY = 0;
    // Objects already starting exactly at the paper's corner stay where they
    // are; otherwise they move so that their grid square lies four squares in.
    if (left != 0 || top != 0) {
        shiftX = GridLineAtOrBefore(left, cellWidth) - kAutoSizeMarginBlocks * cellWidth;
        shiftY = GridLineAtOrBefore(top, cellHeight) - kAutoSizeMarginBlocks * cellHeight;
    }
    const int64_t newWidth =
        std::max<int64_t>(1, right - shiftX + kAutoSizeMarginBlocks * cellWidth);
    const int64_t newHeight =
        std::max<int64_t>(1, bottom - shiftY + kAutoSizeMarginBlocks * cellHeight);
    if (newWidth > kMaxPaperPixels || newHeight > kMaxPaperPixels) {
        ShowStatusNotice("Auto size would exceed the maximum size of " + LargestPaperSizeText() +
                         "!");
        return;
    }
    // Resized first: when that fails, nothing has changed.
    if (!paper.Resize(static_cast<int32_t>(newWidth), static_cast<int32_t>(newHeight), false)) {
        ShowStatusNotice("Error creating new paper surface!");
        return;
    }
    if (shiftX != 0 || shiftY != 0) {
        // Objects far out in the 32-bit range may need a shift beyond it;
        // moving wraps like the coordinates, so the truncated shift lands
        // them exactly where they belong.
        paper.MoveAllWithLastStep(static_cast<int32_t>(static_cast<uint32_t>(-shiftX)),
                                  static_cast<int32_t>(static_cast<uint32_t>(-shiftY)));
    }
}
