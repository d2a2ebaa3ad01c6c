#include "document/ObjectRecord.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr const char* kKindNames[] = {"Line", "Circle",     "Measurement", "Text",
                                      "Rect", "DashedLine", "Arrow"};
// A UTF-8 character has at most three continuation bytes after its lead byte.
constexpr size_t kMaxContinuationBytes = 3;

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

const char* ObjectKindName(uint32_t kind) {
    return kind <= kLastObjectKind ? kKindNames[kind] : nullptr;
}

size_t Utf8PrefixLength(const char* text, size_t length, size_t limit) {
    if (length <= limit) {
        return length;
    }
    // The first byte left out must not continue a character that the prefix
    // began, or the stored text would end in a broken sequence.
    size_t cut = limit;
    while (cut > 0 && limit - cut < kMaxContinuationBytes && IsContinuationByte(text[cut])) {
        --cut;
    }
    return IsContinuationByte(text[cut]) ? limit : cut;
}

std::string ObjectRecord::Text() const {
    const char* field = reinterpret_cast<const char*>(bytes + kTextOffset);
    const void* end = std::memchr(field, '\0', kTextFieldSize);
    const size_t length = end != nullptr
                              ? static_cast<size_t>(static_cast<const char*>(end) - field)
                              : kTextFieldSize;
    return std::string(field, length);
}

void ObjectRecord::SetText(const std::string& text) {
    const size_t length = Utf8PrefixLength(text.data(), text.size(), kObjectTextCapacity);
    std::memset(bytes + kTextOffset, 0, kTextFieldSize);
    std::memcpy(bytes + kTextOffset, text.data(), length);
}

void ObjectRecord::TerminateText() {
    const char* field = reinterpret_cast<const char*>(bytes + kTextOffset);
    const size_t length = strnlen(field, kTextFieldSize);
    if (length > kObjectTextCapacity) {
        bytes[kTextOffset + Utf8PrefixLength(field, length, kObjectTextCapacity)] = 0;
    }
}
