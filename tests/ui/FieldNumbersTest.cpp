#include "ui/FieldNumbers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The number read, or NaN when the text does not start with one.
double Read(const char* text) {
    double value = 0.0;
    return LeadingDecimal(text, value) ? value : std::nan("");
}

} // namespace

TEST(FieldNumbersTest, OnlyPlainDecimalNumbersAtTheStartAreRead) {
    EXPECT_EQ(Read("8.5"), 8.5);
    EXPECT_EQ(Read("  8.49in"), 8.49);
    EXPECT_EQ(Read("-.5"), -0.5);
    EXPECT_EQ(Read("+3."), 3.0);
    EXPECT_EQ(Read("2.5e2x"), 250.0);
    EXPECT_EQ(Read("2e"), 2.0) << "an exponent needs digits";
    EXPECT_EQ(Read("0x10"), 0.0) << "no hexadecimal";
    EXPECT_EQ(Read("1e999"), HUGE_VAL);
    EXPECT_EQ(Read("-1e999"), -HUGE_VAL);
    EXPECT_EQ(Read("1e-999"), 0.0);
    for (const char* none : {"", " ", ".", "-", "nan", "inf", "infinity", "x1", "e5"}) {
        EXPECT_TRUE(std::isnan(Read(none))) << '"' << none << '"';
    }
}

TEST(FieldNumbersTest, WholeNumbersKeepTheirTurnBeyondSixtyFourBits) {
    LeadingWholeNumber number;
    ASSERT_TRUE(LeadingInteger(" -400.7", number));
    EXPECT_TRUE(number.exact);
    EXPECT_EQ(number.value, -400);
    EXPECT_EQ(number.modulo360, -40);

    // 10^30 = 360 * k + 280.
    ASSERT_TRUE(LeadingInteger("1000000000000000000000000000000", number));
    EXPECT_FALSE(number.exact);
    EXPECT_EQ(number.modulo360, 280);
    ASSERT_TRUE(LeadingInteger("9223372036854775807", number));
    EXPECT_TRUE(number.exact);
    EXPECT_EQ(number.value, INT64_MAX);
    EXPECT_FALSE(LeadingInteger("deg", number));
    EXPECT_FALSE(LeadingInteger("-", number));
}

TEST(FieldNumbersTest, TheLargestTypableValueStaysWithinTheLimit) {
    EXPECT_EQ(LargestHundredthsWithin(32767, 96), 341.33);
    // 256 x 128 would be 32768, one too many.
    EXPECT_EQ(FormatHundredths(LargestHundredthsWithin(32767, 128)), "255.99");
    EXPECT_EQ(FormatHundredths(LargestHundredthsWithin(32767, 24)), "1365.33");
}
