#include "store/cards.h"

#include <algorithm>

namespace roomwright {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Blanks and NULs only: a field never written, or one left empty.
bool holdsNothing(std::string_view field) {
    return std::ranges::all_of(field, [](char c) { return c == ' ' || c == '\0'; });
}

// A number as erasing leaves it: its last four digits, then blanks (or nothing at all).
bool erasedNumber(std::string_view number) {
    const std::string kept = lastFourDigits(number);
    return number.starts_with(kept) && holdsNothing(number.substr(kept.size()));
}

} // namespace

std::string lastFourDigits(std::string_view number) {
    std::string digits;
    for (auto c = number.rbegin(); c != number.rend() && digits.size() < 4; ++c) {
        if (isDigit(*c)) {
            digits.insert(digits.begin(), *c);
        }
    }
    return digits;
}

bool holdsDigit(std::string_view text) {
    return std::ranges::any_of(text, isDigit);
}

std::string maskedCardNumber(std::string_view number) {
    if (holdsDigit(number)) {
        return std::string(kCardMask) + lastFourDigits(number);
    }
    std::string text(number);
    std::erase(text, '\0');
    return rightTrim(text);
}

void putCardNumber(std::string_view boxText, Text<30>& field) {
    if (boxText.empty() || boxText != maskedCardNumber(field.str())) {
        field = boxText;
    }
}

bool holdsCard(std::string_view number, std::string_view expireMonth, std::string_view expireYear) {
    return !erasedNumber(number) || !holdsNothing(expireMonth) || !holdsNothing(expireYear);
}

bool holdsCard(const PersonFields& person) {
    return holdsCard(person.CardNumber.str(), person.CardExpireMonth.str(),
                     person.CardExpireYear.str());
}

void eraseCard(PersonFields& person) {
    if (!holdsNothing(person.CardNumber.str())) {
        person.CardNumber = lastFourDigits(person.CardNumber.str());
    }
    if (!holdsNothing(person.CardExpireMonth.str())) {
        person.CardExpireMonth = "";
    }
    if (!holdsNothing(person.CardExpireYear.str())) {
        person.CardExpireYear = "";
    }
}

} // namespace roomwright
