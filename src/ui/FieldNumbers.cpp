#include "ui/FieldNumbers.h"

#include "support/VRX_Strings.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

constexpr int kFullTurn = 360;

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

size_t SkipBlanks(std::string_view text) {
    size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])) != 0) {
        ++at;
    }
    return at;
}

size_t SkipDigits(std::string_view text, size_t at) {
    while (at < text.size() && IsDigit(text[at])) {
        ++at;
    }
    return at;
}

} // namespace

bool LeadingDecimal(std::string_view text, double& value) {
    const size_t start = SkipBlanks(text);
    size_t at = start;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    const size_t numberStart = at;
    size_t end = SkipDigits(text, at);
    bool hasDigits = end > at;
    if (end < text.size() && text[end] == '.') {
        const size_t fractionEnd = SkipDigits(text, end + 1);
        hasDigits = hasDigits || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!hasDigits) {
        return false;
    }
    // An exponent counts only when digits follow it: "2e" reads as 2.
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
            ++exponent;
        }
        const size_t exponentEnd = SkipDigits(text, exponent);
        if (exponentEnd > exponent) {
            end = exponentEnd;
        }
    }
    double magnitude = 0.0;
    const auto [last, error] =
        std::from_chars(text.data() + numberStart, text.data() + end, magnitude);
    if (error == std::errc::result_out_of_range) {
        // Either far too large or far too small; an exponent sign tells which.
        const std::string_view digits = text.substr(numberStart, end - numberStart);
        const size_t e = digits.find_first_of("eE");
        const bool tiny =
            e != std::string_view::npos && e + 1 < digits.size() && digits[e + 1] == '-';
        magnitude = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (error != std::errc() || last != text.data() + end) {
        return false;
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

bool LeadingInteger(std::string_view text, LeadingWholeNumber& number) {
    size_t at = SkipBlanks(text);
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    const size_t end = SkipDigits(text, at);
    if (end == at) {
        return false;
    }
    uint64_t magnitude = 0;
    bool exact = true;
    int32_t turn = 0;
    constexpr uint64_t kLimit = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
    for (size_t i = at; i < end; ++i) {
        const int digit = text[i] - '0';
        turn = (turn * 10 + digit) % kFullTurn;
        if (exact && magnitude > (kLimit - static_cast<uint64_t>(digit)) / 10) {
            exact = false;
        }
        if (exact) {
            magnitude = magnitude * 10 + static_cast<uint64_t>(digit);
        }
    }
    number.exact = exact;
    number.value =
        exact ? (negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude)) : 0;
    number.modulo360 = negative ? -turn : turn;
    return true;
}

std::string FormatHundredths(double value) {
    return FormatString("%.2f", value);
}

double LargestHundredthsWithin(int64_t limit, double scale) {
    double hundredths = std::floor(double(limit + 1) / scale * 100.0);
    // The division may round up onto a value that just reaches past the limit.
    while (hundredths > 0 && std::trunc(hundredths / 100.0 * scale) > double(limit)) {
        hundredths -= 1.0;
    }
    return hundredths / 100.0;
}
