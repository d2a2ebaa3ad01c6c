#include "document/ObjectsJson.h"

#include "document/PaperObject.h"
#include "support/VRX_Strings.h"

#include <nlohmann/json.hpp>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <optional>
#include <span>

namespace {

// --- Writing -------------------------------------------------------------------

// Length of the valid UTF-8 sequence at `text`, or 0 when it is not one
// (overlong forms, surrogates and values past U+10FFFF included).
size_t Utf8SequenceLength(const unsigned char* text, size_t available) {
    const unsigned char lead = text[0];
    size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead < 0x80) {
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (available < length || text[1] < low || text[1] > high) {
        return 0;
    }
    for (size_t i = 2; i < length; ++i) {
        if (text[i] < 0x80 || text[i] > 0xBF) {
            return 0;
        }
    }
    return length;
}

void AppendJsonString(std::string& out, std::string_view text) {
    out += '"';
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    size_t i = 0;
    while (i < text.size()) {
        const size_t length = Utf8SequenceLength(bytes + i, text.size() - i);
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
            continue;
        }
        const unsigned char c = bytes[i];
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out.append(text.substr(i, length));
        }
        i += length;
    }
    out += '"';
}

void AppendInt(std::string& out, int64_t value) {
    char digits[24];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
    (void)error; // 24 characters hold every 64-bit value
    out.append(digits, end);
}

// `, "name": value`
void AppendIntField(std::string& out, const char* name, int64_t value) {
    out += ", \"";
    out += name;
    out += "\": ";
    AppendInt(out, value);
}

void AppendJsonColor(std::string& out, SDL_Color color) {
    out += '[';
    AppendInt(out, color.r);
    out += ", ";
    AppendInt(out, color.g);
    out += ", ";
    AppendInt(out, color.b);
    out += ", ";
    AppendInt(out, color.a);
    out += ']';
}

// --- Reading -------------------------------------------------------------------

// The fields of an object that become part of its record.
enum class Field : size_t { Kind, X1, Y1, X2, Y2, Radius, Sides, Layer, Angle, Text, Color, Other };
constexpr size_t kNumberFieldCount = static_cast<size_t>(Field::Text);

Field FieldNamed(std::string_view name) {
    static constexpr std::array<std::string_view, static_cast<size_t>(Field::Other)> kNames = {
        "kind", "x1", "y1", "x2", "y2", "radius", "sides", "layer", "angle", "text", "color"};
    for (size_t i = 0; i < kNames.size(); ++i) {
        if (kNames[i] == name) {
            return static_cast<Field>(i);
        }
    }
    return Field::Other;
}

// Pasted objects keep to the coordinates SDL2_gfx draws without wrapping.
constexpr int64_t kDrawingMin = INT16_MIN;
constexpr int64_t kDrawingMax = INT16_MAX;
// The writer nests three deep (document, list, colour); a little room for
// fields of other programs, and no more, keeps odd input cheap to refuse.
constexpr size_t kMaxNesting = 16;
// A circle without a side count is a true circle, as the circle tool draws it.
constexpr int64_t kTrueCircleSides = 2;
constexpr size_t kColorChannels = 4;

bool InRange(int64_t value, int64_t low, int64_t high) {
    return value >= low && value <= high;
}

// What one element of the list said, before it becomes a record.
struct ObjectFields {
    std::array<std::optional<int64_t>, kNumberFieldCount> numbers;
    std::optional<std::string> text;
    std::array<int64_t, kColorChannels> color = {};
    size_t colorChannels = 0;
    bool hasColor = false;
    // A field the record uses held something it cannot: a fraction, a string
    // where a number belongs, a colour that is not four numbers.
    bool malformed = false;

    const std::optional<int64_t>& Number(Field field) const {
        return numbers[static_cast<size_t>(field)];
    }
};

enum class Verdict { Record, NotAnObject, OutOfRange };

// The fields a kind cannot be drawn without, all of them coordinates or sizes
// on the paper (a text also needs its text).
std::span<const Field> DrawingFields(ObjectKind kind) {
    static constexpr Field kTwoPoints[] = {Field::X1, Field::Y1, Field::X2, Field::Y2};
    static constexpr Field kCircle[] = {Field::X1, Field::Y1, Field::Radius};
    static constexpr Field kText[] = {Field::X1, Field::Y1};
    switch (kind) {
    case ObjectKind::Circle:
        return kCircle;
    case ObjectKind::Text:
        return kText;
    default:
        return kTwoPoints;
    }
}

Verdict CheckFields(const ObjectFields& fields, ObjectKind& kind) {
    const std::optional<int64_t>& number = fields.Number(Field::Kind);
    if (fields.malformed || !number || !InRange(*number, 0, kLastObjectKind)) {
        return Verdict::NotAnObject;
    }
    kind = static_cast<ObjectKind>(*number);
    if (kind == ObjectKind::Text && !fields.text) {
        return Verdict::NotAnObject;
    }
    const auto fits = [&fields](Field field, int64_t low, int64_t high) {
        return !fields.Number(field) || InRange(*fields.Number(field), low, high);
    };
    if (!fits(Field::Layer, 0, UINT8_MAX) || !fits(Field::Angle, INT16_MIN, INT16_MAX) ||
        !fits(Field::Sides, INT32_MIN, INT32_MAX)) {
        return Verdict::NotAnObject;
    }
    if (fields.hasColor) {
        if (fields.colorChannels != kColorChannels) {
            return Verdict::NotAnObject;
        }
        for (int64_t channel : fields.color) {
            if (!InRange(channel, 0, UINT8_MAX)) {
                return Verdict::NotAnObject;
            }
        }
    }
    bool outside = false;
    for (Field field : DrawingFields(kind)) {
        if (!fields.Number(field)) {
            return Verdict::NotAnObject;
        }
        outside = outside || !fits(field, kDrawingMin, kDrawingMax);
    }
    return outside ? Verdict::OutOfRange : Verdict::Record;
}

// Only call after CheckFields said Record. Sets `textCut` when the text did
// not fit the record whole.
ObjectRecord MakeRecord(const ObjectFields& fields, ObjectKind kind, bool& textCut) {
    const auto value = [&fields](Field field, int64_t fallback = 0) {
        return fields.Number(field).value_or(fallback);
    };
    ObjectRecord record;
    record.SetKind(kind);
    record.SetX1(static_cast<int32_t>(value(Field::X1)));
    record.SetY1(static_cast<int32_t>(value(Field::Y1)));
    switch (kind) {
    case ObjectKind::Circle:
        record.SetRadius(static_cast<int16_t>(value(Field::Radius)));
        record.SetSides(static_cast<int32_t>(value(Field::Sides, kTrueCircleSides)));
        break;
    case ObjectKind::Text: {
        // A record's text ends at its first NUL, which JSON can spell \u0000.
        const std::string text = fields.text->substr(0, fields.text->find('\0'));
        record.SetText(text);
        textCut = record.Text().size() < text.size();
        break;
    }
    default:
        record.SetX2(static_cast<int32_t>(value(Field::X2)));
        record.SetY2(static_cast<int32_t>(value(Field::Y2)));
        break;
    }
    record.SetLayer(static_cast<uint8_t>(value(Field::Layer)));
    record.SetAngle(static_cast<int16_t>(value(Field::Angle)));
    if (fields.hasColor) {
        record.SetColor(
            {static_cast<uint8_t>(fields.color[0]), static_cast<uint8_t>(fields.color[1]),
             static_cast<uint8_t>(fields.color[2]), static_cast<uint8_t>(fields.color[3])});
    }
    return record;
}

// A JSON number as a whole number, saturated to the 64-bit range (any value
// that large is out of every field's range anyway); empty for a fraction.
std::optional<int64_t> WholeNumber(double value) {
    if (std::trunc(value) != value) {
        return std::nullopt;
    }
    if (value <= static_cast<double>(INT64_MIN)) {
        return INT64_MIN;
    }
    if (value >= static_cast<double>(INT64_MAX)) {
        return INT64_MAX;
    }
    return static_cast<int64_t>(value);
}

// Follows the parser's events, keeping only the objects: the elements of the
// text's array, of the "objects" array of a whole --info document, or the one
// object the text is (a line copied out of such a list). Records are made one
// element at a time, so memory stays bounded by what one paste takes however
// many objects the text lists.
class ObjectListReader {
  public:
    using Json = nlohmann::json;

    // The parser's events. Returning false stops the parse as failed.
    bool null() { return Scalar(std::nullopt); }
    bool boolean(bool) { return Scalar(std::nullopt); }
    bool number_integer(Json::number_integer_t value) { return Scalar(value); }
    bool number_unsigned(Json::number_unsigned_t value) {
        return Scalar(value > static_cast<uint64_t>(INT64_MAX) ? INT64_MAX
                                                               : static_cast<int64_t>(value));
    }
    bool number_float(Json::number_float_t value, const Json::string_t&) {
        return Scalar(WholeNumber(value));
    }
    bool string(Json::string_t& value);
    bool binary(Json::binary_t&) { return Scalar(std::nullopt); }
    bool start_object(std::size_t) { return Open(true); }
    bool key(Json::string_t& name);
    bool end_object() { return Close(); }
    bool start_array(std::size_t) { return Open(false); }
    bool end_array() { return Close(); }
    bool parse_error(std::size_t, const std::string&, const Json::exception&) { return false; }

    std::vector<ObjectRecord> records;
    size_t offered = 0;
    size_t accepted = 0;
    size_t notObjects = 0;
    size_t outOfRange = 0;
    size_t textsCut = 0;

  private:
    // Where the next value lands, from the containers open around it.
    bool AtObjectsMember() const {
        return depth_ == 1 && topIsObject_ && topKeyIsObjects_ && !listSeen_;
    }
    bool AtElement() const { return listOpen_ && depth_ == elementDepth_; }
    bool AtField() const { return inElement_ && depth_ == elementDepth_ + 1; }
    bool AtColorChannel() const { return inColor_ && depth_ == elementDepth_ + 2; }

    // A value that is no container; `number` is empty unless it is a whole number.
    bool Scalar(std::optional<int64_t> number);
    bool Open(bool isObject);
    bool Close();
    void OpenList(size_t elementDepth);
    void BeginElement();
    void FinishElement();

    size_t depth_ = 0;
    bool topIsObject_ = false;
    bool topKeyIsObjects_ = false;
    bool listSeen_ = false;
    bool listOpen_ = false;
    // The depth the list's elements (or the one outer object) sit at.
    size_t elementDepth_ = 0;
    bool inElement_ = false;
    bool inColor_ = false;
    Field field_ = Field::Other;
    ObjectFields fields_;
};

bool ObjectListReader::Scalar(std::optional<int64_t> number) {
    if (AtElement()) {
        ++offered;
        ++notObjects;
    } else if (AtField() && field_ != Field::Other) {
        if (!number || field_ == Field::Text || field_ == Field::Color) {
            fields_.malformed = true;
        } else {
            fields_.numbers[static_cast<size_t>(field_)] = number;
        }
    } else if (AtColorChannel()) {
        if (!number || fields_.colorChannels == kColorChannels) {
            fields_.malformed = true;
        } else {
            fields_.color[fields_.colorChannels++] = *number;
        }
    }
    return true;
}

bool ObjectListReader::string(Json::string_t& value) {
    if (AtField() && field_ == Field::Text) {
        fields_.text = std::move(value);
        return true;
    }
    return Scalar(std::nullopt);
}

bool ObjectListReader::key(Json::string_t& name) {
    if (depth_ == 1 && topIsObject_) {
        topKeyIsObjects_ = name == "objects";
    }
    if (AtField()) {
        field_ = FieldNamed(name);
    }
    return true;
}

bool ObjectListReader::Open(bool isObject) {
    if (depth_ == kMaxNesting) {
        return false;
    }
    if (depth_ == 0) {
        topIsObject_ = isObject;
        if (isObject) {
            BeginElement();
        } else {
            OpenList(1);
        }
    } else if (AtObjectsMember() && !isObject) {
        // The outer object is a whole document, not one drawing object.
        inElement_ = false;
        OpenList(2);
    } else if (AtElement()) {
        if (isObject) {
            BeginElement();
        } else {
            ++offered;
            ++notObjects;
        }
    } else if (AtField() && field_ != Field::Other) {
        if (field_ == Field::Color && !isObject && !fields_.hasColor) {
            fields_.hasColor = true;
            inColor_ = true;
        } else {
            fields_.malformed = true;
        }
    } else if (AtColorChannel()) {
        fields_.malformed = true;
    }
    ++depth_;
    return true;
}

bool ObjectListReader::Close() {
    --depth_;
    if (listOpen_ && depth_ + 1 == elementDepth_) {
        listOpen_ = false;
    } else if (inElement_ && depth_ == elementDepth_) {
        inElement_ = false;
        FinishElement();
    } else if (inColor_ && depth_ == elementDepth_ + 1) {
        inColor_ = false;
    }
    return true;
}

void ObjectListReader::OpenList(size_t elementDepth) {
    listOpen_ = true;
    listSeen_ = true;
    elementDepth_ = elementDepth;
}

void ObjectListReader::BeginElement() {
    inElement_ = true;
    field_ = Field::Other;
    fields_ = ObjectFields();
}

void ObjectListReader::FinishElement() {
    ++offered;
    ObjectKind kind = ObjectKind::Line;
    switch (CheckFields(fields_, kind)) {
    case Verdict::NotAnObject:
        ++notObjects;
        return;
    case Verdict::OutOfRange:
        ++outOfRange;
        return;
    case Verdict::Record:
        break;
    }
    ++accepted;
    if (records.size() < kMaxPastedObjects) {
        bool textCut = false;
        records.push_back(MakeRecord(fields_, kind, textCut));
        textsCut += textCut ? 1 : 0;
    }
}

std::string Objects(size_t count) {
    return FormatCount(count) + (count == 1 ? " object" : " objects");
}

PastedObjects NothingToPaste(const std::string& reason) {
    return {{}, "Nothing to paste: " + reason};
}

std::string PasteMessage(const ObjectListReader& reader) {
    const size_t pasted = reader.records.size();
    const size_t skipped = reader.notObjects + reader.outOfRange;
    std::string message = "Pasted ";
    if (pasted < reader.accepted) {
        message += FormatCount(pasted) + " of " + Objects(reader.offered) +
                   "; that is the most one paste takes.";
    } else if (skipped > 0) {
        message +=
            FormatCount(pasted) + " of " + Objects(reader.offered) + "; " + FormatCount(skipped);
        if (reader.outOfRange == 0) {
            message += skipped == 1 ? " is not a drawing object." : " are not drawing objects.";
        } else if (reader.notObjects == 0) {
            message += skipped == 1 ? " lies outside the drawing range."
                                    : " lie outside the drawing range.";
        } else {
            message += " are not drawing objects or lie outside the drawing range.";
        }
    } else {
        message += Objects(pasted) + ".";
    }
    if (reader.textsCut > 0) {
        // Appended piece by piece: GCC 12 warns wrongly about `" " + string`.
        message += ' ';
        message += FormatCount(reader.textsCut);
        message += reader.textsCut == 1 ? " text was cut to " : " texts were cut to ";
        message += std::to_string(kObjectTextCapacity) + " bytes.";
    }
    return message;
}

} // namespace

std::string JsonString(std::string_view text) {
    std::string out;
    AppendJsonString(out, text);
    return out;
}

std::string JsonColor(SDL_Color color) {
    std::string out;
    AppendJsonColor(out, color);
    return out;
}

void AppendObjectJson(std::string& out, const PaperObject& object) {
    const ObjectRecord& r = object.record;
    const uint32_t kind = r.Kind();
    const char* kindName = ObjectKindName(kind);
    out += "{\"id\": ";
    AppendInt(out, object.id);
    out += ", \"kind\": ";
    AppendInt(out, kind);
    out += ", \"kindName\": ";
    AppendJsonString(out, kindName != nullptr ? kindName : "");
    AppendIntField(out, "x1", r.X1());
    AppendIntField(out, "y1", r.Y1());
    switch (object.Kind()) {
    case ObjectKind::Circle:
        AppendIntField(out, "radius", r.Radius());
        AppendIntField(out, "sides", r.Sides());
        break;
    case ObjectKind::Text:
        out += ", \"text\": ";
        AppendJsonString(out, r.Text());
        break;
    default:
        AppendIntField(out, "x2", r.X2());
        AppendIntField(out, "y2", r.Y2());
        break;
    }
    AppendIntField(out, "layer", r.Layer());
    AppendIntField(out, "angle", r.Angle());
    out += ", \"color\": ";
    AppendJsonColor(out, r.Color());
    out += '}';
}

std::string ObjectsToJson(const std::vector<const PaperObject*>& objects) {
    std::string out = "[";
    for (size_t i = 0; i < objects.size(); ++i) {
        out += i > 0 ? ",\n  " : "\n  ";
        AppendObjectJson(out, *objects[i]);
    }
    out += objects.empty() ? "]\n" : "\n]\n";
    return out;
}

PastedObjects ObjectsFromJson(std::string_view text) {
    constexpr const char* kNoObjects = "the clipboard holds no drawing objects.";
    if (text.size() > kMaxObjectsJsonBytes) {
        return NothingToPaste("the clipboard holds more than " +
                              FormatCount(kMaxObjectsJsonBytes >> 20) + " MB of text.");
    }
    ObjectListReader reader;
    try {
        if (!nlohmann::json::sax_parse(text.data(), text.data() + text.size(), &reader)) {
            return NothingToPaste(kNoObjects);
        }
    } catch (const std::exception&) {
        // Only running out of memory gets here; the parser reports broken
        // text through parse_error.
        return NothingToPaste(kNoObjects);
    }
    if (reader.records.empty()) {
        return NothingToPaste(reader.outOfRange > 0
                                  ? "the objects lie outside the drawing range of " +
                                        FormatCount(kDrawingMin) + " to " +
                                        FormatCount(kDrawingMax) + "."
                                  : kNoObjects);
    }
    PastedObjects pasted;
    pasted.message = PasteMessage(reader);
    pasted.records = std::move(reader.records);
    return pasted;
}
