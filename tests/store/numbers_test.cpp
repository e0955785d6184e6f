#include "store/format/numbers.h"

#include <gtest/gtest.h>

#include <limits>

namespace roomwright {
namespace {

TEST(NumberText, BlankBeforeANumberThatIsNotNegativeAndMinusBeforeANegativeOne) {
    EXPECT_EQ(numberText(65.0), " 65");
    EXPECT_EQ(numberText(7.8), " 7.8");
    EXPECT_EQ(numberText(-20.0), "-20");
    EXPECT_EQ(numberText(0.0), " 0");
    EXPECT_EQ(numberText(-0.0), " 0");
    EXPECT_EQ(numberText(12.5), " 12.5");
    EXPECT_EQ(numberText(1234567.0), " 1234567");
    EXPECT_EQ(plainNumber(45.5), "45.5");
    EXPECT_EQ(plainNumber(-27.2), "-27.2");
}

TEST(NumberText, ADoubleShowsFifteenSignificantDigitsNotTheShortestRoundTrip) {
    EXPECT_EQ(numberText(72.8 * 3), " 218.4");
    EXPECT_EQ(numberText(72.8 - 100), "-27.2");
    EXPECT_EQ(numberText(0.1 + 0.2), " 0.3");
    EXPECT_EQ(plainNumber(65 + 65 * 0.12), "72.8");
}

TEST(NumberText, ASingleShowsSevenSignificantDigits) {
    EXPECT_EQ(plainNumber(59.95f), "59.95");
    EXPECT_EQ(plainNumber(0.09f), "0.09");
    EXPECT_EQ(plainNumber(45.5f), "45.5");
    EXPECT_EQ(numberText(0.12f * 65.0f), " 7.8");
    EXPECT_EQ(plainNumber(1.0f / 3.0f), "0.3333333");
}

TEST(NumberText, WholeNumbersASingleHoldsExactlyKeepEveryDigit) {
    EXPECT_EQ(plainNumber(16777216.0f), "16777216");
    EXPECT_EQ(numberText(40000.0f), " 40000");
}

// A Single shows seven digits: from the eighth digit before the point on (past the whole
// numbers it holds exactly) and from the fifth zero after it, the exponent form.
TEST(NumberText, NumbersBeyondTheDigitsUseTheExponentForm) {
    const struct {
        float value;
        const char* shown;
    } cases[] = {
        {123456789.5f, "1.234568E+08"},
        {17000000.0f, "1.7E+07"},
        {-17000002.0f, "-1.7E+07"},
        {1234567.5f, "1234568"},
        {0.0000001f, "1E-07"},
        {0.00001f, "1E-05"},
        {0.0001f, "0.0001"},
        {0.00012345f, "0.00012345"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(plainNumber(c.value), c.shown) << c.shown;
    }
}

TEST(NumberText, ANumberThatIsNotFiniteShowsAsDamageNeverAsAFigure) {
    for (const float value :
         {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
          -std::numeric_limits<float>::infinity()}) {
        EXPECT_EQ(plainNumber(value), "#DAMAGED");
        EXPECT_EQ(numberText(static_cast<double>(value)), "#DAMAGED");
    }
}

TEST(PostableAmount, IsFiniteAndAtMostSevenNines) {
    for (const double amount : {0.0, -9999999.0, 9999999.0, 59.95}) {
        EXPECT_TRUE(postableAmount(amount)) << amount;
    }
    for (const double amount : {10000000.0, -1e39, 1e39, std::numeric_limits<double>::quiet_NaN(),
                                std::numeric_limits<double>::infinity()}) {
        EXPECT_FALSE(postableAmount(amount)) << amount;
    }
}

TEST(LeadingNumber, TakesTheNumberTheTextBeginsWith) {
    EXPECT_DOUBLE_EQ(leadingNumber("45.50"), 45.5);
    EXPECT_DOUBLE_EQ(leadingNumber("  .09"), 0.09);
    EXPECT_DOUBLE_EQ(leadingNumber("9%"), 9.0);
    EXPECT_DOUBLE_EQ(leadingNumber("-3abc"), -3.0);
    EXPECT_DOUBLE_EQ(leadingNumber("1e2x"), 100.0);
    EXPECT_DOUBLE_EQ(leadingNumber("1e"), 1.0);
    EXPECT_DOUBLE_EQ(leadingNumber("abc"), 0.0);
    EXPECT_DOUBLE_EQ(leadingNumber(""), 0.0);
    EXPECT_DOUBLE_EQ(leadingNumber("-"), 0.0);
    EXPECT_DOUBLE_EQ(leadingNumber("."), 0.0);
    EXPECT_DOUBLE_EQ(leadingNumber("1e999"), 0.0);
}

TEST(NumberAtStart, SaysWhenTheTextBeginsWithNoNumber) {
    EXPECT_EQ(numberAtStart("45.50"), 45.5);
    EXPECT_EQ(numberAtStart("  .09"), 0.09);
    EXPECT_EQ(numberAtStart("9%"), 9.0);
    EXPECT_EQ(numberAtStart("-3abc"), -3.0);
    EXPECT_EQ(numberAtStart("0"), 0.0);
    EXPECT_FALSE(numberAtStart(""));
    EXPECT_FALSE(numberAtStart("   "));
    EXPECT_FALSE(numberAtStart("abc"));
    EXPECT_FALSE(numberAtStart("-"));
    EXPECT_FALSE(numberAtStart("."));
    EXPECT_FALSE(numberAtStart("x9"));
    EXPECT_FALSE(numberAtStart("1e999"));
}

TEST(StrictNumber, SaysWhenTheTextIsNotANumber) {
    EXPECT_EQ(strictNumber(" 45.5 "), 45.5);
    EXPECT_EQ(strictNumber("-.5"), -0.5);
    EXPECT_EQ(strictNumber("59.95"), 59.95);
    EXPECT_FALSE(strictNumber(""));
    EXPECT_FALSE(strictNumber("   "));
    EXPECT_FALSE(strictNumber("45x"));
    EXPECT_FALSE(strictNumber("4 5"));
    EXPECT_FALSE(strictNumber("abc"));
    EXPECT_FALSE(strictNumber("1e999"));
}

TEST(WholeDayCount, TakesDigitsOnlyUpToAHundredYears) {
    const std::pair<const char*, std::optional<long>> cases[] = {
        {"0", 0},
        {" 3 ", 3},
        {"36500", 36500},
        {"36501", std::nullopt},
        {"", std::nullopt},
        {"-1", std::nullopt},
        {"2.5", std::nullopt},
        {"3x", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"\t7", 7},
        {"+1", std::nullopt},
        {"1e3", std::nullopt},
        {"1 2", std::nullopt},
        {"   ", std::nullopt},
        {"\xff", std::nullopt}};
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(wholeDayCount(text), expected) << text;
    }
}

TEST(RoundToCents, HalvesGoToTheEvenDigit) {
    EXPECT_DOUBLE_EQ(roundToCents(0.125), 0.12);
    EXPECT_DOUBLE_EQ(roundToCents(0.135), 0.14);
    EXPECT_DOUBLE_EQ(roundToCents(2.675), 2.68);
    EXPECT_DOUBLE_EQ(roundToCents(1.005), 1.0);
    EXPECT_DOUBLE_EQ(roundToCents(-0.125), -0.12);
    EXPECT_DOUBLE_EQ(roundToCents(7.799999), 7.8);
    // The tax of one night: amounts times a Single rate.
    EXPECT_DOUBLE_EQ(roundToCents(65.0 * static_cast<double>(0.12f)), 7.8);
    EXPECT_DOUBLE_EQ(roundToCents(50.0 * static_cast<double>(0.09f)), 4.5);
    EXPECT_DOUBLE_EQ(roundToCents(12.5 * static_cast<double>(0.09f)), 1.13);
}

} // namespace
} // namespace roomwright
