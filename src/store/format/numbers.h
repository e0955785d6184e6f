#pragma once

#include <cmath>
#include <optional>
#include <string>
#include <string_view>

namespace roomwright {

// How screens, printouts and dumps show a value that is damaged in its file (a number that
// is not finite, an impossible date): never as a figure.
inline constexpr const char* kDamaged = "#DAMAGED";

// The number-to-text form every printout and most list lines use: one leading blank for a
// number that is not negative, a minus sign for a negative one, no thousands separator, no
// trailing zeros; kDamaged for a number that is not finite. A single-precision value shows at most
// 7 significant digits, a double at most 15, so 72.8 * 3 computed in double shows 218.4.
std::string numberText(double value);
std::string numberText(float value);
// The same digits without the leading blank, as text boxes and labels show them.
std::string plainNumber(double value);
std::string plainNumber(float value);
// The whole number a value is, when it is one these forms write out in full (a whole number a
// Single holds exactly, up to 16777216 either way): its decimal digits, with a minus sign when
// negative, are then plainNumber's text. Inline: a dump asks it of every number it writes.
inline std::optional<long long> writtenWhole(double value) {
    // The comparison fails for NaN; within the range the conversion is defined, and gives the
    // value back exactly when it is whole.
    if (!(std::fabs(value) <= 16777216.0)) {
        return std::nullopt;
    }
    const auto whole = static_cast<long long>(value);
    return static_cast<double>(whole) == value ? std::optional<long long>(whole) : std::nullopt;
}

// The number the text begins with: leading blanks skipped, 0 when it begins with none.
double leadingNumber(std::string_view text);
// The same number, or nothing when the text (after leading blanks) begins with no number or
// with one beyond the range of a double.
std::optional<double> numberAtStart(std::string_view text);
// The number the whole text holds (blanks around it allowed); nothing when it is not one.
std::optional<double> strictNumber(std::string_view text);

// The longest stay, in nights, a day count may give: a hundred years.
inline constexpr long kLongestStay = 36500;
// A typed count of days or nights: digits only, blanks around them allowed, from 0 to
// kLongestStay; nothing for anything else ("-1", "2.5", "abc", "", "1e3").
std::optional<long> wholeDayCount(std::string_view text);

// The largest amount, either way, that a posting may carry: far beyond what a motel posts,
// far within what a month's running sums (Singles) can add up.
inline constexpr double kLargestAmount = 9999999;
// True when `amount` is finite and no larger than kLargestAmount either way.
bool postableAmount(double amount);
// The clerk's message for an amount that is not postable.
inline constexpr const char* kAmountOutOfRange =
    "The amount must be a number from -9999999 to 9999999.";

// Rounds to two decimals, halves going to the even digit.
double roundToCents(double value);

} // namespace roomwright
