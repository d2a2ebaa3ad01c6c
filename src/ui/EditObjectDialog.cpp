#include "ui/EditObjectDialog.h"

#include "document/Paper.h"
#include "document/PaperObject.h"
#include "document/Units.h"
#include "ui/DialogHost.h"
#include "ui/DialogTemplate.h"
#include "ui/FieldNumbers.h"

#include <SDL2/SDL_events.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr const char* kEditCaption = "Edit Object";
constexpr int kEditWidthUnits = 251;
constexpr int kEditHeightUnits = 158;
constexpr int16_t kMaxRadius = std::numeric_limits<int16_t>::max();
// Typed values that stand for a whole pixel may come out a hair below it in
// binary (0.57 x 100 is 56.99999...); this nudge keeps them on that pixel.
constexpr double kWholePixelNudge = 1e-12;

// Off: starts disabled and is enabled only for the object classes that have it.
constexpr bool kOff = false;
const std::array<DialogTemplateItem, 27> kEditTemplate = {{
    {kIdNone, TemplateControl::StaticRight, "Position:", {7, 9, 51, 8}},
    {kEditPositionXId, TemplateControl::CentredEdit, "", {60, 7, 39, 14}},
    {kIdNone, TemplateControl::Static, "x", {100, 9, 8, 8}},
    {kEditPositionYId, TemplateControl::CentredEdit, "", {105, 7, 39, 14}},
    {kEditPositionUnitId, TemplateControl::Static, "in.", {146, 9, 15, 8}},
    {kEditFieldSwap, TemplateControl::PushButton, "Swap", {159, 15, 50, 14}, kOff},
    {kIdNone, TemplateControl::StaticRight, "Position 2:", {7, 26, 51, 8}},
    {kEditFieldPosition2X, TemplateControl::CentredEdit, "", {60, 23, 39, 14}, kOff},
    {kIdNone, TemplateControl::Static, "x", {100, 26, 8, 8}},
    {kEditFieldPosition2Y, TemplateControl::CentredEdit, "", {105, 23, 39, 14}, kOff},
    {kEditPosition2UnitId, TemplateControl::Static, "in.", {146, 26, 18, 8}},
    {kIdNone, TemplateControl::StaticRight, "Radius:", {7, 42, 51, 8}},
    {kEditFieldRadius, TemplateControl::CentredEdit, "", {60, 39, 36, 14}, kOff},
    {kEditRadiusUnitId, TemplateControl::Static, "in.", {99, 42, 24, 8}},
    {kIdNone, TemplateControl::StaticRight, "Angle:", {7, 58, 51, 8}},
    {kEditFieldAngle, TemplateControl::CentredEdit, "", {60, 55, 36, 14}, kOff},
    {kIdNone, TemplateControl::StaticRight, "Text:", {7, 74, 51, 8}},
    {kEditFieldText, TemplateControl::Edit, "", {60, 71, 184, 14}, kOff},
    {kIdNone, TemplateControl::StaticRight, "Layer:", {7, 90, 51, 8}},
    {kEditLayerId, TemplateControl::DropDownList, "", {60, 87, 48, 30}},
    {kIdNone, TemplateControl::StaticRight, "Line Type:", {7, 105, 51, 8}},
    {kEditFieldLineType, TemplateControl::DropDownList, "", {60, 102, 82, 30}, kOff},
    {kIdNone, TemplateControl::StaticRight, "Color:", {7, 121, 51, 8}},
    {kEditDrawingColorId, TemplateControl::PushRadio, "Drawing Color", {60, 118, 61, 14}},
    {kEditCustomColorId, TemplateControl::PushRadio, "Custom Color", {122, 118, 61, 14}},
    {kIdCancel, TemplateControl::PushButton, "Cancel", {75, 136, 50, 14}},
    {kIdOk, TemplateControl::DefaultPushButton, "OK", {126, 136, 50, 14}},
}};

// The fields that only some object classes offer.
constexpr int32_t kOptionalFields[] = {
    kEditFieldPosition2X, kEditFieldPosition2Y, kEditFieldRadius,   kEditFieldAngle,
    kEditFieldText,       kEditFieldSwap,       kEditFieldLineType,
};

// One coordinate field and the pixel value behind the text it was given, so
// that a text nobody changed gives back exactly that value rather than the
// rounded one it shows. Swap exchanges both with the field of the other point.
struct CoordinateField {
    int id;
    bool horizontal;
    std::string shown;
    int32_t pixels;
};

enum class FieldValue { Number, Empty, NotNumber, OutOfRange };

// Everything the dialog's handlers need while it runs.
struct EditSession {
    const Paper& paper;
    const PaperObject& object;
    // What OK gives back: the object's record with every field written.
    ObjectRecord& result;
    std::set<int32_t> fields;
    CoordinateField x1;
    CoordinateField y1;
    CoordinateField x2;
    CoordinateField y2;
    std::string radiusShown;
    // The colour is rewritten only when one of the colour buttons was pressed,
    // so that OK never swaps an object's own colour for today's custom colour
    // by accident.
    bool colorChosen = false;

    bool Editable(int32_t id) const { return fields.count(id) != 0; }
    double Scale(bool horizontal) const {
        return double(horizontal ? paper.blockWidth : paper.blockHeight) * paper.blocksPerUnit;
    }
};

bool IsBlank(const std::string& text) {
    return text.find_first_not_of(" \t") == std::string::npos;
}

// Units to pixels, truncated toward zero; false when the result does not fit
// in 32 bits.
bool UnitsToPixels(double units, double scale, int64_t& pixels) {
    const double exact = units * scale;
    const double nudged = std::trunc(exact * (1.0 + kWholePixelNudge));
    if (!(nudged >= double(std::numeric_limits<int32_t>::min()) &&
          nudged <= double(std::numeric_limits<int32_t>::max()))) {
        return false;
    }
    pixels = static_cast<int64_t>(nudged);
    return true;
}

FieldValue ReadCoordinate(const Dialog& dialog, const EditSession& session,
                          const CoordinateField& field, int32_t& pixels) {
    const std::string text = dialog.Text(field.id);
    if (text == field.shown) {
        pixels = field.pixels;
        return FieldValue::Number;
    }
    if (IsBlank(text)) {
        return FieldValue::Empty;
    }
    double units = 0.0;
    if (!LeadingDecimal(text, units)) {
        return FieldValue::NotNumber;
    }
    int64_t value = 0;
    if (!UnitsToPixels(units, session.Scale(field.horizontal), value)) {
        return FieldValue::OutOfRange;
    }
    pixels = static_cast<int32_t>(value);
    return FieldValue::Number;
}

// Shows why a field cannot be taken and puts the user back on it, with its
// text selected for typing over.
bool Refuse(Dialog& dialog, int id, const std::string& notice) {
    dialog.Host().ShowNotice(notice);
    dialog.SetFocus(id);
    if (auto* edit = dialog.ControlAs<DialogEdit>(id)) {
        edit->Buffer().SelectAll();
    }
    return false;
}

bool RefuseCoordinate(Dialog& dialog, int id, FieldValue value, const char* name) {
    return Refuse(dialog, id,
                  std::string(name) +
                      (value == FieldValue::NotNumber ? " is not a number!" : " is out of range!"));
}

// The first point; an emptied field keeps the object's coordinate.
bool ReadFirstPoint(Dialog& dialog, const EditSession& session, ObjectRecord& record) {
    int32_t x = session.object.record.X1();
    int32_t y = session.object.record.Y1();
    for (auto [field, target] : {std::pair{&session.x1, &x}, std::pair{&session.y1, &y}}) {
        const FieldValue value = ReadCoordinate(dialog, session, *field, *target);
        if (value == FieldValue::NotNumber || value == FieldValue::OutOfRange) {
            return RefuseCoordinate(dialog, field->id, value, "Position");
        }
    }
    record.SetX1(x);
    record.SetY1(y);
    return true;
}

// The second point; an emptied field takes the first point's coordinate.
bool ReadSecondPoint(Dialog& dialog, const EditSession& session, ObjectRecord& record) {
    int32_t x = record.X1();
    int32_t y = record.Y1();
    for (auto [field, target] : {std::pair{&session.x2, &x}, std::pair{&session.y2, &y}}) {
        const FieldValue value = ReadCoordinate(dialog, session, *field, *target);
        if (value == FieldValue::NotNumber || value == FieldValue::OutOfRange) {
            return RefuseCoordinate(dialog, field->id, value, "Position 2");
        }
    }
    record.SetX2(x);
    record.SetY2(y);
    return true;
}

bool ReadRadius(Dialog& dialog, const EditSession& session, ObjectRecord& record) {
    const std::string text = dialog.Text(kEditFieldRadius);
    if (text == session.radiusShown || IsBlank(text)) {
        return true;
    }
    double units = 0.0;
    if (!LeadingDecimal(text, units)) {
        return Refuse(dialog, kEditFieldRadius, "Radius is not a number!");
    }
    int64_t pixels = 0;
    if (!UnitsToPixels(units, session.Scale(true), pixels) || pixels < 0 || pixels > kMaxRadius) {
        const double largest = LargestHundredthsWithin(kMaxRadius, session.Scale(true));
        return Refuse(dialog, kEditFieldRadius,
                      "Radius must be between 0 and " + FormatHundredths(largest) + " " +
                          UnitAbbreviation(session.paper) + "!");
    }
    record.SetRadius(static_cast<int16_t>(pixels));
    return true;
}

// Whole degrees; a number beyond the 16 bits of the field keeps its direction
// by being taken modulo a full turn.
bool ReadAngle(Dialog& dialog, ObjectRecord& record) {
    const std::string text = dialog.Text(kEditFieldAngle);
    if (IsBlank(text)) {
        return true;
    }
    LeadingWholeNumber number;
    if (!LeadingInteger(text, number)) {
        return Refuse(dialog, kEditFieldAngle, "Angle is not a number!");
    }
    const bool fits = number.exact && number.value >= std::numeric_limits<int16_t>::min() &&
                      number.value <= std::numeric_limits<int16_t>::max();
    record.SetAngle(static_cast<int16_t>(fits ? number.value : number.modulo360));
    return true;
}

void ReadColor(const Dialog& dialog, const EditSession& session, ObjectRecord& record) {
    if (!session.colorChosen) {
        return;
    }
    SDL_Color color = session.paper.palette.objectColor;
    color.a = 0;
    if (dialog.IsChecked(kEditCustomColorId)) {
        color = session.paper.drawColor;
        color.a = 255;
    }
    record.SetColor(color);
}

// Checks every field and writes them in a fixed order: layer, first point,
// second point, line type, radius, angle, text, colour. Nothing is written
// unless all of them can be taken.
bool Accept(Dialog& dialog, EditSession& session) {
    ObjectRecord record = session.object.record;
    const int layer = dialog.Selection(kEditLayerId);
    if (layer >= 0 && layer < kLayerCount) {
        record.SetLayer(static_cast<uint8_t>(layer));
    }
    if (!ReadFirstPoint(dialog, session, record)) {
        return false;
    }
    if ((session.Editable(kEditFieldPosition2X) || session.Editable(kEditFieldPosition2Y)) &&
        !ReadSecondPoint(dialog, session, record)) {
        return false;
    }
    const int lineType = dialog.Selection(kEditFieldLineType);
    if (session.Editable(kEditFieldLineType) && lineType >= 0 &&
        lineType < static_cast<int>(lineTypeChoices.size())) {
        record.SetKind(lineTypeChoices[static_cast<size_t>(lineType)].kind);
    }
    if (session.Editable(kEditFieldRadius) && !ReadRadius(dialog, session, record)) {
        return false;
    }
    if (session.Editable(kEditFieldAngle) && !ReadAngle(dialog, record)) {
        return false;
    }
    if (session.Editable(kEditFieldText)) {
        record.SetText(dialog.Text(kEditFieldText));
    }
    ReadColor(dialog, session, record);
    session.result = record;
    return true;
}

void Swap(Dialog& dialog, EditSession& session) {
    for (auto [a, b] : {std::pair{&session.x1, &session.x2}, std::pair{&session.y1, &session.y2}}) {
        const std::string text = dialog.Text(a->id);
        dialog.SetText(a->id, dialog.Text(b->id));
        dialog.SetText(b->id, text);
        std::swap(a->shown, b->shown);
        std::swap(a->pixels, b->pixels);
    }
}

CoordinateField ShowCoordinate(Dialog& dialog, const EditSession& session, int id, bool horizontal,
                               int32_t pixels) {
    const std::string text = FormatHundredths(pixels / session.Scale(horizontal));
    dialog.SetText(id, text);
    return {id, horizontal, text, pixels};
}

void Fill(Dialog& dialog, EditSession& session) {
    const ObjectRecord& record = session.object.record;
    for (const int32_t id : kOptionalFields) {
        dialog.Enable(id, session.Editable(id));
    }
    for (const int id : {kEditPositionUnitId, kEditPosition2UnitId, kEditRadiusUnitId}) {
        dialog.SetText(id, UnitAbbreviation(session.paper));
    }

    std::vector<std::string> lineTypes;
    for (const LineTypeChoice& choice : lineTypeChoices) {
        lineTypes.push_back(choice.name);
    }
    auto* lineTypeList = dialog.ControlAs<DialogDropDown>(kEditFieldLineType);
    lineTypeList->SetItems(lineTypes);
    for (size_t i = 0; i < lineTypeChoices.size(); ++i) {
        if (lineTypeChoices[i].kind == session.object.Kind()) {
            lineTypeList->SetSelection(static_cast<int>(i));
        }
    }

    std::vector<std::string> layers;
    for (size_t layer = 1; layer <= kLayerCount; ++layer) {
        layers.push_back(std::to_string(layer));
    }
    auto* layerList = dialog.ControlAs<DialogDropDown>(kEditLayerId);
    layerList->SetItems(layers);
    layerList->SetSelection(record.Layer());

    session.x1 = ShowCoordinate(dialog, session, kEditPositionXId, true, record.X1());
    session.y1 = ShowCoordinate(dialog, session, kEditPositionYId, false, record.Y1());
    session.x2 = {kEditFieldPosition2X, true, "", record.X2()};
    session.y2 = {kEditFieldPosition2Y, false, "", record.Y2()};
    if (session.Editable(kEditFieldPosition2X) || session.Editable(kEditFieldPosition2Y)) {
        session.x2 = ShowCoordinate(dialog, session, kEditFieldPosition2X, true, record.X2());
        session.y2 = ShowCoordinate(dialog, session, kEditFieldPosition2Y, false, record.Y2());
    }
    if (session.Editable(kEditFieldRadius)) {
        session.radiusShown = FormatHundredths(record.Radius() / session.Scale(true));
        dialog.SetText(kEditFieldRadius, session.radiusShown);
    }
    if (session.Editable(kEditFieldAngle)) {
        dialog.SetText(kEditFieldAngle, std::to_string(record.Angle()));
    }
    if (session.Editable(kEditFieldText)) {
        auto* text = dialog.ControlAs<DialogEdit>(kEditFieldText);
        // The object keeps at most this much; the field shows what will be kept.
        text->SetLimit(kObjectTextCapacity);
        text->SetText(record.Text());
    }
    dialog.SetChecked(record.Color().a != 0 ? kEditCustomColorId : kEditDrawingColorId, true);
}

} // namespace

bool RunEditObjectDialog(DialogHost& host, const Paper& paper, const PaperObject& object,
                         ObjectRecord& edited) {
    EditSession session{paper, object, edited, {}, {}, {}, {}, {}, {}};
    object.AddEditFields(session.fields);

    // The E key that opens the dialog also queued its letter as text input,
    // which would otherwise replace the selected first field.
    SDL_FlushEvents(SDL_TEXTEDITING, SDL_TEXTINPUT);

    Dialog dialog(host, kEditCaption, kEditWidthUnits, kEditHeightUnits);
    BuildFromTemplate(dialog, kEditTemplate);
    Fill(dialog, session);
    dialog.onCommand = [&session](Dialog& self, int id, DialogNotify notify) {
        if (notify != DialogNotify::Clicked) {
            return false;
        }
        switch (id) {
        case kIdOk:
            if (Accept(self, session)) {
                self.End(1);
            }
            return true;
        case kEditFieldSwap:
            Swap(self, session);
            return true;
        case kEditDrawingColorId:
        case kEditCustomColorId:
            session.colorChosen = true;
            return true;
        default:
            return false;
        }
    };
    return dialog.RunModal() == 1;
}

void EditSelectedObject(DialogHost& host, Paper& paper) {
    if (paper.selection.empty()) {
        return;
    }
    if (paper.selection.size() > 1) {
        host.ShowNotice("To edit it must be the only object selected!");
        return;
    }
    const std::shared_ptr<PaperObject> selected = paper.selection.begin()->second;
    ObjectRecord edited = selected->record;
    if (RunEditObjectDialog(host, paper, *selected, edited)) {
        paper.ApplyEdit(*selected, edited);
    }
}
