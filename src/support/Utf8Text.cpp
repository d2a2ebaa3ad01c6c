#include "support/Utf8Text.h"

namespace {

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// A multi-byte sequence is at most four bytes long; stepping over more
// continuation bytes than that would only walk through invalid input.
constexpr size_t kMaxSequenceLength = 4;

} // namespace

size_t Utf8Previous(std::string_view text, size_t pos) {
    if (pos > text.size()) {
        return text.size();
    }
    if (pos == 0) {
        return 0;
    }
    size_t start = pos - 1;
    size_t stepped = 1;
    while (start > 0 && IsContinuationByte(text[start]) && stepped < kMaxSequenceLength) {
        --start;
        ++stepped;
    }
    return start;
}

size_t Utf8Next(std::string_view text, size_t pos) {
    if (pos >= text.size()) {
        return text.size();
    }
    size_t end = pos + 1;
    size_t stepped = 1;
    while (end < text.size() && IsContinuationByte(text[end]) && stepped < kMaxSequenceLength) {
        ++end;
        ++stepped;
    }
    return end;
}

size_t Utf8FitBytes(std::string_view text, size_t maxBytes) {
    if (text.size() <= maxBytes) {
        return text.size();
    }
    // The byte at maxBytes starts the first character that no longer fits;
    // back up while it is the middle of a character.
    size_t end = maxBytes;
    size_t stepped = 0;
    while (end > 0 && IsContinuationByte(text[end]) && stepped < kMaxSequenceLength) {
        --end;
        ++stepped;
    }
    return end;
}

void CutUtf8(std::string& text, size_t maxBytes) {
    text.resize(Utf8FitBytes(text, maxBytes));
}

std::string SingleLineText(std::string_view text) {
    std::string line;
    line.reserve(text.size());
    for (char c : text) {
        if (c == '\n' || c == '\r') {
            break;
        }
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            continue;
        }
        line.push_back(c);
    }
    return line;
}
