#include "support/VRX_Strings.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

namespace {

// Length of what `format` produces, or -1 on a formatting error.
int MeasureFormat(const char* format, va_list arguments) {
    va_list copy;
    va_copy(copy, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    return length;
}

std::string VFormatString(const char* format, va_list arguments) {
    const int length = MeasureFormat(format, arguments);
    if (length <= 0) {
        return {};
    }
    std::string text(static_cast<size_t>(length), '\0');
    std::vsnprintf(text.data(), text.size() + 1, format, arguments);
    return text;
}

} // namespace

size_t SafeCopy(char* destination, const char* source, size_t bufferSize) {
    const size_t sourceLength = std::strlen(source);
    if (bufferSize == 0) {
        return sourceLength;
    }
    const size_t n = sourceLength < bufferSize - 1 ? sourceLength : bufferSize - 1;
    std::memmove(destination, source, n);
    destination[n] = '\0';
    return sourceLength;
}

size_t SafeAppend(char* destination, const char* source, size_t bufferSize) {
    const size_t sourceLength = std::strlen(source);
    const auto* end = static_cast<const char*>(std::memchr(destination, '\0', bufferSize));
    if (end == nullptr) {
        return bufferSize + sourceLength;
    }
    const size_t destinationLength = static_cast<size_t>(end - destination);
    SafeCopy(destination + destinationLength, source, bufferSize - destinationLength);
    return destinationLength + sourceLength;
}

int ReplaceAll(char* text, size_t bufferSize, const char* from, const char* to) {
    const size_t fromLength = std::strlen(from);
    const size_t toLength = std::strlen(to);
    const auto* end = static_cast<const char*>(std::memchr(text, '\0', bufferSize));
    if (fromLength == 0 || end == nullptr) {
        return 0;
    }
    size_t length = static_cast<size_t>(end - text);
    size_t position = 0;
    int count = 0;
    for (;;) {
        const size_t found = std::string_view(text, length).find(from, position);
        if (found == std::string_view::npos) {
            break;
        }
        const size_t newLength = length - fromLength + toLength;
        if (newLength + 1 > bufferSize) {
            break;
        }
        // The tail moves first (with its NUL), then `to` fills the gap.
        std::memmove(text + found + toLength, text + found + fromLength,
                     length - found - fromLength + 1);
        std::memcpy(text + found, to, toLength);
        length = newLength;
        position = found + toLength;
        ++count;
    }
    return count;
}

char* TrimChars(char* text, const char* characters, int mode) {
    if ((mode & kTrimLeading) != 0) {
        const size_t lead = std::strspn(text, characters);
        if (lead > 0) {
            std::memmove(text, text + lead, std::strlen(text + lead) + 1);
        }
    }
    if ((mode & kTrimTrailing) != 0) {
        size_t length = std::strlen(text);
        while (length > 0 && std::strchr(characters, text[length - 1]) != nullptr) {
            --length;
        }
        text[length] = '\0';
    }
    return text;
}

char* NextToken(char* text, const char* delimiters, char** cursor) {
    if (text == nullptr) {
        text = *cursor;
        if (text == nullptr) {
            return nullptr;
        }
    }
    text += std::strspn(text, delimiters);
    if (*text == '\0') {
        *cursor = text;
        return nullptr;
    }
    char* end = text + std::strcspn(text, delimiters);
    if (*end != '\0') {
        *end = '\0';
        *cursor = end + 1;
    } else {
        *cursor = end;
    }
    return text;
}

Tokenizer::Tokenizer(std::string_view text, char delimiter) {
    size_t position = 0;
    while (position < text.size()) {
        const size_t start = text.find_first_not_of(delimiter, position);
        if (start == std::string_view::npos) {
            break;
        }
        const size_t end = text.find(delimiter, start);
        tokens_.emplace_back(text.substr(start, end - start));
        position = end;
    }
    if (!text.empty() && text.back() == delimiter) {
        tokens_.emplace_back();
    }
}

std::string FormatString(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::string text = VFormatString(format, arguments);
    va_end(arguments);
    return text;
}

std::string FormatCount(int64_t value) {
    const std::string digits = std::to_string(value);
    const size_t sign = value < 0 ? 1 : 0;
    std::string grouped = digits.substr(0, sign);
    for (size_t i = sign; i < digits.size(); ++i) {
        if (i > sign && (digits.size() - i) % 3 == 0) {
            grouped += ',';
        }
        grouped += digits[i];
    }
    return grouped;
}

void FreeDeleter::operator()(char* text) const {
    std::free(text);
}

CString AllocPrintf(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    const int length = MeasureFormat(format, arguments);
    CString text;
    if (length >= 0) {
        text.reset(static_cast<char*>(std::malloc(static_cast<size_t>(length) + 1)));
        if (text) {
            std::vsnprintf(text.get(), static_cast<size_t>(length) + 1, format, arguments);
        }
    }
    va_end(arguments);
    return text;
}

int FormatInto(char* destination, size_t size, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(destination, size, format, arguments);
    va_end(arguments);
    if (length < 0) {
        if (size > 0) {
            destination[0] = '\0';
        }
        return -1;
    }
    return length;
}

void PrintLine(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::vprintf(format, arguments);
    va_end(arguments);
    std::fflush(stdout);
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view ending) {
    return text.size() >= ending.size() && strncasecmp(text.data() + text.size() - ending.size(),
                                                       ending.data(), ending.size()) == 0;
}

std::string_view GetFileName(std::string_view path) {
    size_t separator = path.rfind('\\');
    if (separator == std::string_view::npos) {
        separator = path.rfind('/');
    }
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}
