#include "frontdesk/stay_dates.h"

#include "store/format/dates.h"
#include "store/format/numbers.h"

namespace roomwright {

namespace {

// The arrival plus the nights as a date box shows it; "" while either is none.
std::string departureAfter(const std::string& arrival, const std::string& nights) {
    const auto from = parseShortDate(arrival);
    const auto count = wholeDayCount(nights);
    return from && count ? shortDate(from->plusDays(*count)) : std::string();
}

// The days from the arrival to the departure; nothing while either is not a date.
std::optional<std::string> nightsBetween(const std::string& arrival, const std::string& departure) {
    const auto from = parseShortDate(arrival);
    const auto to = parseShortDate(departure);
    if (!from || !to) {
        return std::nullopt;
    }
    return std::to_string(to->serial() - from->serial());
}

} // namespace

StayDates::Shown StayDates::nightsTyped(const std::string& arrival, const std::string& nights) {
    if (departureIsTheClerks_) {
        return {};
    }
    return {std::nullopt, departureAfter(arrival, nights)};
}

StayDates::Shown StayDates::departureTyped(const std::string& arrival,
                                           const std::string& departure) {
    departureIsTheClerks_ = !departure.empty();
    return {nightsBetween(arrival, departure), std::nullopt};
}

StayDates::Shown StayDates::arrivalTyped(const std::string& arrival, const std::string& nights,
                                         const std::string& departure) {
    if (departureIsTheClerks_) {
        return {nightsBetween(arrival, departure), std::nullopt};
    }
    return nightsTyped(arrival, nights);
}

void StayDates::stayShown(const std::string& arrival, const std::string& nights,
                          const std::string& departure) {
    departureIsTheClerks_ = !departure.empty() && departure != departureAfter(arrival, nights);
}

} // namespace roomwright
