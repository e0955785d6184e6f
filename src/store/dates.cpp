#include "store/dates.h"

#include "store/numbers.h"
#include "store/store_error.h"

#include <cmath>
#include <cstdio>

namespace roomwright {

namespace {

// Days from 1 January 1970 of a civil date (proleptic Gregorian), after H. Hinnant.
long daysFromCivil(int y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CivilDate civilFromDays(long z) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const long y = yoe + era * 400 + (m <= 2 ? 1 : 0);
    return {static_cast<int>(y), m, d};
}

const long kEpoch = daysFromCivil(1899, 12, 30);

int daysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

} // namespace

long CivilDate::serial() const {
    return daysFromCivil(year, month, day) - kEpoch;
}

CivilDate CivilDate::fromSerial(long serial) {
    return civilFromDays(serial + kEpoch);
}

bool CivilDate::possible(double stored) {
    // 1 January 100 to 31 December 9999; NaN fails both comparisons.
    return stored >= -657434.0 && stored < 2958466.0;
}

CivilDate CivilDate::fromStored(double stored) {
    if (!possible(stored)) {
        return {0, 0, 0};
    }
    return fromSerial(static_cast<long>(std::trunc(stored)));
}

bool CivilDate::valid() const {
    return year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= daysInMonth(year, month);
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
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", date.year, date.month, date.day);
    return buffer;
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
