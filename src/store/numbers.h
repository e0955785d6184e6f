#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace roomwright {

// The number-to-text form every printout and most list lines use: one leading blank for a
// number that is not negative, a minus sign for a negative one, no thousands separator, no
// trailing zeros. A single-precision value shows at most 7 significant digits, a double at
// most 15, so 72.8 * 3 computed in double shows 218.4.
std::string numberText(double value);
std::string numberText(float value);
// The same digits without the leading blank, as text boxes and labels show them.
std::string plainNumber(double value);
std::string plainNumber(float value);

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

// Rounds to two decimals, halves going to the even digit.
double roundToCents(double value);

} // namespace roomwright
