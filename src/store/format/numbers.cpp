#include "store/format/numbers.h"

#include <algorithm>
#include <cctype>
#include <cfenv>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace roomwright {

namespace {

// Digits of |value| rounded to `significant` digits, in plain decimal notation, without
// trailing zeros. Magnitudes beyond what the digits can show use the exponent form
// (1.234568E+07); whole numbers a Single holds exactly are always written out in full, so
// that large folio numbers keep every digit.
std::string magnitudeText(double magnitude, int significant) {
    if (magnitude == 0.0) {
        return "0";
    }
    if (const auto whole = writtenWhole(magnitude)) {
        char digits[32];
        return std::string(digits, std::to_chars(digits, digits + sizeof digits, *whole).ptr);
    }
    // Within the plain decimal range the digits are printf's %g form, which to_chars
    // gives without the cost of formatting through printf.
    char shortest[64];
    const auto [end, error] = std::to_chars(shortest, shortest + sizeof shortest, magnitude,
                                            std::chars_format::general, significant);
    if (error == std::errc{} && std::find(shortest, end, 'e') == end) {
        return std::string(shortest, end);
    }
    char scientific[64];
    std::snprintf(scientific, sizeof scientific, "%.*e", significant - 1, magnitude);
    // scientific: d.ddddde[+-]xx
    const std::string text = scientific;
    const auto ePos = text.find('e');
    std::string digits = text.substr(0, 1) + text.substr(2, ePos - 2);
    const int exponent = std::atoi(text.c_str() + ePos + 1);
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
    if (exponent >= significant || exponent < -4) {
        std::string mantissa = digits.substr(0, 1);
        if (digits.size() > 1) {
            mantissa += "." + digits.substr(1);
        }
        char tail[16];
        std::snprintf(tail, sizeof tail, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        return mantissa + tail;
    }
    if (exponent < 0) {
        return "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    const auto intDigits = static_cast<std::size_t>(exponent + 1);
    if (digits.size() <= intDigits) {
        return digits + std::string(intDigits - digits.size(), '0');
    }
    return digits.substr(0, intDigits) + "." + digits.substr(intDigits);
}

std::string signedText(double value, int significant, bool blankForPositive) {
    if (!std::isfinite(value)) {
        return kDamaged;
    }
    const bool negative = value < 0.0;
    std::string magnitude = magnitudeText(std::fabs(value), significant);
    if (magnitude == "0") {
        return blankForPositive ? " 0" : "0";
    }
    if (negative) {
        return "-" + magnitude;
    }
    return blankForPositive ? " " + magnitude : magnitude;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Length of the number at the start of `text` (sign, digits, point, digits, exponent),
// 0 when there is none.
std::size_t numberLength(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    std::size_t mantissaDigits = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        ++i;
        ++mantissaDigits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) {
        return 0;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        const std::size_t digitsStart = j;
        while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) {
            ++j;
        }
        if (j > digitsStart) {
            i = j;
        }
    }
    return i;
}

} // namespace

std::string numberText(double value) {
    return signedText(value, 15, true);
}
std::string numberText(float value) {
    return signedText(value, 7, true);
}
std::string plainNumber(double value) {
    return signedText(value, 15, false);
}
std::string plainNumber(float value) {
    return signedText(value, 7, false);
}

double leadingNumber(std::string_view text) {
    return numberAtStart(text).value_or(0.0);
}

std::optional<double> numberAtStart(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && isBlank(text[start])) {
        ++start;
    }
    const std::string_view rest = text.substr(start);
    const std::size_t length = numberLength(rest);
    if (length == 0) {
        return std::nullopt;
    }
    const std::string copy(rest.substr(0, length));
    const double value = std::strtod(copy.c_str(), nullptr);
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> strictNumber(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && isBlank(text[start])) {
        ++start;
    }
    std::size_t end = text.size();
    while (end > start && isBlank(text[end - 1])) {
        --end;
    }
    const std::string_view body = text.substr(start, end - start);
    const std::size_t length = numberLength(body);
    if (length == 0 || length != body.size()) {
        return std::nullopt;
    }
    const std::string copy(body);
    const double value = std::strtod(copy.c_str(), nullptr);
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<long> wholeDayCount(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view body = text.substr(start, text.find_last_not_of(" \t") + 1 - start);
    long days = 0;
    for (const char c : body) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        days = days * 10 + (c - '0');
        if (days > kLongestStay) {
            return std::nullopt;
        }
    }
    return days;
}

bool postableAmount(double amount) {
    return std::isfinite(amount) && std::fabs(amount) <= kLargestAmount;
}

double roundToCents(double value) {
    if (!std::isfinite(value)) {
        return value;
    }
    // Scaling by 100 in double can land a hair off an exact half; snapping the scaled value
    // to 9 significant decimals first lets a true half (x.xx5) be seen as one.
    double scaled = value * 100.0;
    char snapped[64];
    std::snprintf(snapped, sizeof snapped, "%.9g", scaled);
    const double tidy = std::strtod(snapped, nullptr);
    if (std::fabs(tidy - std::trunc(tidy)) == 0.5) {
        scaled = tidy;
    }
    const int previous = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(scaled);
    std::fesetround(previous);
    return rounded / 100.0;
}

} // namespace roomwright
