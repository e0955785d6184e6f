#include "store/motel_details.h"

#include "store/format/layout.h"
#include "store/format/numbers.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <span>
#include <utility>

namespace roomwright {

namespace {

using Field = std::string MotelDetails::*;
constexpr std::array<std::pair<std::string_view, Field>, 4> kFields = {{
    {"name", &MotelDetails::name},
    {"street", &MotelDetails::street},
    {"town", &MotelDetails::town},
    {"phone", &MotelDetails::phone},
}};
constexpr std::string_view kCardsKey = "erase-cards-after";
constexpr std::string_view kNever = "never";

} // namespace

std::string erasingText(const CardErasing& erasing) {
    return erasing.afterDays ? std::to_string(*erasing.afterDays) : std::string(kNever);
}

std::optional<CardErasing> erasingOfText(std::string_view text) {
    std::string word = trimBlanks(text);
    std::ranges::transform(word, word.begin(), [](unsigned char c) { return std::tolower(c); });
    if (word == kNever) {
        return CardErasing{std::nullopt};
    }
    if (const auto days = wholeDayCount(text)) {
        return CardErasing{*days};
    }
    return std::nullopt;
}

std::optional<CivilDate> firstDayKept(const CardErasing& erasing, const CivilDate& today) {
    if (!erasing.afterDays) {
        return std::nullopt;
    }
    return today.plusDays(-*erasing.afterDays);
}

std::string cleanDetail(std::string_view text) {
    std::string clean(text);
    for (char& c : clean) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = ' ';
        }
    }
    return trimBlanks(clean);
}

MotelDetails motelDetails(const Store& store) {
    const std::string content = readWholeFile(store.files(), store.directory().motelDetails());
    MotelDetails details;
    std::string_view rest = content;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            continue;
        }
        if (line.substr(0, equals) == kCardsKey) {
            details.cards =
                erasingOfText(cleanDetail(line.substr(equals + 1))).value_or(CardErasing{});
        }
        for (const auto& [key, field] : kFields) {
            if (line.substr(0, equals) == key) {
                details.*field = cleanDetail(line.substr(equals + 1));
            }
        }
    }
    return details;
}

void setMotelDetails(const Store& store, const MotelDetails& details) {
    std::string content;
    for (const auto& [key, field] : kFields) {
        content.append(key).append("=").append(cleanDetail(details.*field)).append("\n");
    }
    content.append(kCardsKey).append("=").append(erasingText(details.cards)).append("\n");
    asOneOperation(store, [&] {
        store.files().replaceWhole(store.directory().motelDetails(),
                                   store.directory().motelDetailsTemporary(),
                                   std::as_bytes(std::span(content)));
    });
}

} // namespace roomwright
