#include "store/format/dates.h"

#include "store/format/numbers.h"
#include "store/format/store_error.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace roomwright {

namespace {

using std::chrono::days;
using std::chrono::sys_days;

// The day stored dates count from.
constexpr sys_days kEpoch{std::chrono::year{1899} / std::chrono::December / 30};

// A date whose month or day ran past its range (a month 13, a 31 February) rolls over into
// the following months, as day counting has always done here.
sys_days toDays(const CivilDate& date) {
    const int monthIndex = date.month - 1;
    const int yearCarry = monthIndex >= 0 ? monthIndex / 12 : (monthIndex - 11) / 12;
    const std::chrono::year_month_day first{
        std::chrono::year{date.year + yearCarry},
        std::chrono::month{static_cast<unsigned>(monthIndex - yearCarry * 12 + 1)},
        std::chrono::day{1}};
    return sys_days{first} + days{date.day - 1};
}

} // namespace

long CivilDate::serial() const {
    return static_cast<long>((toDays(*this) - kEpoch).count());
}

CivilDate CivilDate::fromSerial(long serial) {
    const std::chrono::year_month_day date{kEpoch + days{serial}};
    return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day()))};
}

CivilDate CivilDate::fromStored(double stored) {
    if (!possible(stored)) {
        return {0, 0, 0};
    }
    return fromSerial(static_cast<long>(std::trunc(stored)));
}

bool CivilDate::valid() const {
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31) {
        return false;
    }
    return std::chrono::year_month_day{std::chrono::year{year},
                                       std::chrono::month{static_cast<unsigned>(month)},
                                       std::chrono::day{static_cast<unsigned>(day)}}
        .ok();
}

std::string shortDate(const CivilDate& date) {
    if (!date.valid()) {
        return kDamaged;
    }
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%d/%d/%04d", date.month, date.day, date.year);
    return buffer;
}

std::optional<CivilDate> parseShortDate(const std::string& text) {
    int month = 0;
    int day = 0;
    int year = 0;
    char extra = 0;
    if (std::sscanf(text.c_str(), " %2d/%2d/%4d %c", &month, &day, &year, &extra) != 3) {
        return std::nullopt;
    }
    const CivilDate date{year, month, day};
    if (!date.valid()) {
        return std::nullopt;
    }
    return date;
}

std::string isoDate(const CivilDate& date) {
    if (!date.valid()) {
        return kDamaged;
    }
    // YYYY-MM-DD: a valid date's year has four digits.
    std::string text = "0000-00-00";
    for (const auto& [value, end] :
         {std::pair{date.year, 4}, std::pair{date.month, 7}, std::pair{date.day, 10}}) {
        for (int at = end - 1, rest = value; rest > 0; --at, rest /= 10) {
            text[static_cast<std::size_t>(at)] = static_cast<char>('0' + rest % 10);
        }
    }
    return text;
}

std::optional<CivilDate> parseIsoDate(const std::string& text) {
    int year = 0;
    int month = 0;
    int day = 0;
    char extra = 0;
    if (text.size() != 10 ||
        std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &extra) != 3) {
        return std::nullopt;
    }
    const CivilDate date{year, month, day};
    return date.valid() ? std::optional<CivilDate>(date) : std::nullopt;
}

std::string longTime(const TimeOfDay& time) {
    const int hour12 = time.hour % 12 == 0 ? 12 : time.hour % 12;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%d:%02d:%02d %s", hour12, time.minute, time.second,
                  time.hour < 12 ? "AM" : "PM");
    return buffer;
}

bool isMorning(const std::string& timeText) {
    return timeText.size() >= 2 && timeText.compare(timeText.size() - 2, 2, "AM") == 0;
}

std::string monthYear(const CivilDate& date) {
    // Month 1 of year 2202 and month 12 of year 202 would share a name: a year is four digits.
    if (!date.valid() || date.year < 1000) {
        throw DataError("A month's totals are kept only for the years 1000 to 9999, "
                        "not for " +
                        isoDate(date) + ".");
    }
    return std::to_string(date.month) + std::to_string(date.year);
}

} // namespace roomwright
