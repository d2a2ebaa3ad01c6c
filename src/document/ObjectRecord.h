#pragma once
// The persistent state of one paper object: 256 bytes with little-endian fields
// at fixed offsets. The same bytes go into document files, undo records and the
// tools' object templates, so the layout never changes and every byte that no
// field uses is carried along untouched.

#include <SDL2/SDL_pixels.h>

#include <cstddef>
#include <cstdint>
#include <string>

enum class ObjectKind : uint32_t {
    Line = 0,
    Circle = 1,
    Measurement = 2,
    Text = 3,
    Rect = 4,
    DashedLine = 5,
    Arrow = 6,
};
constexpr uint32_t kLastObjectKind = static_cast<uint32_t>(ObjectKind::Arrow);

// Name of a kind for reports ("Line", "Circle", ...); null for kinds without a class.
const char* ObjectKindName(uint32_t kind);

constexpr size_t kObjectRecordSize = 256;
// The text field holds at most this many bytes before its terminating NUL.
constexpr size_t kObjectTextCapacity = 63;

struct ObjectRecord {
    // Byte offsets of the fields. Several fields share bytes: a circle keeps its
    // radius and side count where lines keep their second point, and a text's
    // characters start there too.
    static constexpr size_t kKindOffset = 0;
    static constexpr size_t kX1Offset = 4;
    static constexpr size_t kY1Offset = 8;
    static constexpr size_t kX2Offset = 12;
    static constexpr size_t kRadiusOffset = 12;
    static constexpr size_t kTextOffset = 12;
    static constexpr size_t kTextFieldSize = kObjectTextCapacity + 1;
    static constexpr size_t kY2Offset = 16;
    static constexpr size_t kSidesOffset = 16;
    static constexpr size_t kLayerOffset = 249;
    static constexpr size_t kAngleOffset = 250;
    static constexpr size_t kColorOffset = 252;

    uint8_t bytes[kObjectRecordSize] = {};

    uint32_t Kind() const { return ReadU32(kKindOffset); }
    void SetKind(uint32_t kind) { WriteU32(kKindOffset, kind); }
    void SetKind(ObjectKind kind) { SetKind(static_cast<uint32_t>(kind)); }

    int32_t X1() const { return static_cast<int32_t>(ReadU32(kX1Offset)); }
    int32_t Y1() const { return static_cast<int32_t>(ReadU32(kY1Offset)); }
    int32_t X2() const { return static_cast<int32_t>(ReadU32(kX2Offset)); }
    int32_t Y2() const { return static_cast<int32_t>(ReadU32(kY2Offset)); }
    void SetX1(int32_t value) { WriteU32(kX1Offset, static_cast<uint32_t>(value)); }
    void SetY1(int32_t value) { WriteU32(kY1Offset, static_cast<uint32_t>(value)); }
    void SetX2(int32_t value) { WriteU32(kX2Offset, static_cast<uint32_t>(value)); }
    void SetY2(int32_t value) { WriteU32(kY2Offset, static_cast<uint32_t>(value)); }

    // Only the low 16 bits of the radius are stored and read.
    int16_t Radius() const { return static_cast<int16_t>(ReadU16(kRadiusOffset)); }
    void SetRadius(int16_t value) { WriteU16(kRadiusOffset, static_cast<uint16_t>(value)); }
    int32_t Sides() const { return static_cast<int32_t>(ReadU32(kSidesOffset)); }
    void SetSides(int32_t value) { WriteU32(kSidesOffset, static_cast<uint32_t>(value)); }

    // The text up to its NUL (at most the 64 bytes of the field).
    std::string Text() const;
    // Stores at most 63 bytes, cut where a UTF-8 character starts, and clears
    // the rest of the field.
    void SetText(const std::string& text);
    // Makes sure the text ends within its field, cutting a longer text at 63
    // bytes (again at a character start). Bytes after the NUL are left alone.
    void TerminateText();

    uint8_t Layer() const { return bytes[kLayerOffset]; }
    void SetLayer(uint8_t layer) { bytes[kLayerOffset] = layer; }
    int16_t Angle() const { return static_cast<int16_t>(ReadU16(kAngleOffset)); }
    void SetAngle(int16_t angle) { WriteU16(kAngleOffset, static_cast<uint16_t>(angle)); }

    // Alpha 0 means the object has no colour of its own.
    SDL_Color Color() const {
        return {bytes[kColorOffset], bytes[kColorOffset + 1], bytes[kColorOffset + 2],
                bytes[kColorOffset + 3]};
    }
    void SetColor(SDL_Color color) {
        bytes[kColorOffset] = color.r;
        bytes[kColorOffset + 1] = color.g;
        bytes[kColorOffset + 2] = color.b;
        bytes[kColorOffset + 3] = color.a;
    }

  private:
    uint32_t ReadU32(size_t offset) const {
        return static_cast<uint32_t>(bytes[offset]) |
               static_cast<uint32_t>(bytes[offset + 1]) << 8 |
               static_cast<uint32_t>(bytes[offset + 2]) << 16 |
               static_cast<uint32_t>(bytes[offset + 3]) << 24;
    }
    void WriteU32(size_t offset, uint32_t value) {
        for (size_t i = 0; i < 4; ++i) {
            bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
        }
    }
    uint16_t ReadU16(size_t offset) const {
        return static_cast<uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
    }
    void WriteU16(size_t offset, uint16_t value) {
        bytes[offset] = static_cast<uint8_t>(value);
        bytes[offset + 1] = static_cast<uint8_t>(value >> 8);
    }
};
static_assert(sizeof(ObjectRecord) == kObjectRecordSize, "records are copied byte for byte");

// Length of the longest prefix of `text` of at most `limit` bytes that does not
// end inside a UTF-8 character.
size_t Utf8PrefixLength(const char* text, size_t length, size_t limit);
