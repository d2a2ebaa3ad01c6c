#pragma once
// Numbers typed into dialog fields. A field is read as the number its text
// starts with, so "8.5 in" reads 8.5; only plain decimal notation counts, so
// words such as "nan" or "inf" and hexadecimal text are no numbers at all.

#include <cstdint>
#include <string>
#include <string_view>

// The leading decimal number (blanks, sign, digits, fraction, exponent) of
// `text`; false when the text does not start with one. A number too large
// for a double reads as an infinity of its sign.
bool LeadingDecimal(std::string_view text, double& value);

// The leading whole number (blanks, sign, digits) of `text`, false when there
// is none. Digits past the range of 64 bits give `exact` false; `modulo360`
// is the number's remainder by 360 either way (with the number's sign).
struct LeadingWholeNumber {
    int64_t value = 0;
    bool exact = true;
    int32_t modulo360 = 0;
};
bool LeadingInteger(std::string_view text, LeadingWholeNumber& number);

// "%.2f", the format the dialogs show lengths and sizes in.
std::string FormatHundredths(double value);
// The largest value with two decimals that, times `scale` and truncated,
// stays within `limit`: the highest value worth typing, to show in a notice.
double LargestHundredthsWithin(int64_t limit, double scale);
