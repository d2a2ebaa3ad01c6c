#pragma once
// The "Edit Object" dialog (the E key): the numbers of the one selected
// object in the paper's unit (position, second point, radius, angle), its
// text, layer, line type and whether it keeps a colour of its own. Which
// fields can be edited depends on the object's class.

#include "document/ObjectRecord.h"

#include <array>

class DialogHost;
class Paper;
class PaperObject;

// Control ids besides the object's own fields (kEditField* of PaperObject.h).
constexpr int kEditPositionXId = 1011;
constexpr int kEditPositionYId = 1012;
constexpr int kEditLayerId = 1014;
constexpr int kEditDrawingColorId = 1010;
constexpr int kEditCustomColorId = 1013;
constexpr int kEditPositionUnitId = 1016;
constexpr int kEditPosition2UnitId = 1017;
constexpr int kEditRadiusUnitId = 1018;

// The kinds a line can be turned into, in the order of the Line Type list.
struct LineTypeChoice {
    ObjectKind kind;
    const char* name;
};
constexpr std::array<LineTypeChoice, 4> lineTypeChoices = {{
    {ObjectKind::Line, "Line"},
    {ObjectKind::DashedLine, "Dashed Line"},
    {ObjectKind::Measurement, "Measurement"},
    {ObjectKind::Arrow, "Arrow"},
}};

// Shows the dialog for `object`, an object of `paper`. On OK every field is
// checked and written to `edited` (which starts as the object's record) and the
// result is true; a value that does not fit its field is refused with a notice
// and the dialog stays open on it. Cancel or closing gives false.
bool RunEditObjectDialog(DialogHost& host, const Paper& paper, const PaperObject& object,
                         ObjectRecord& edited);

// The Edit command (E): the dialog for the one selected object, whose result
// the paper takes as one undo step. With several selected it says so.
void EditSelectedObject(DialogHost& host, Paper& paper);
