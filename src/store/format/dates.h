#pragma once

#include <optional>
#include <string>

namespace roomwright {

// A calendar day. Stored dates are doubles counting days since 30 December 1899
// (the fraction is the time of day; this system stores whole days).
struct CivilDate {
    int year = 1899;
    int month = 12;
    int day = 30;

    friend bool operator==(const CivilDate&, const CivilDate&) = default;
    friend auto operator<=>(const CivilDate&, const CivilDate&) = default;

    // Days since 30 December 1899.
    long serial() const;
    static CivilDate fromSerial(long serial);
    // The whole-day part of a stored date; the fraction (time of day) is dropped. A stored
    // date that is no day of years 100 to 9999 (not finite, far off) is damage: it gives
    // a date that is not valid(), which every date text shows as kDamaged.
    static CivilDate fromStored(double stored);
    // True when a stored date is a day of years 100 to 9999: 1 January 100 to 31 December
    // 9999 (NaN fails both comparisons).
    static bool possible(double stored) { return stored >= -657434.0 && stored < 2958466.0; }
    double stored() const { return static_cast<double>(serial()); }

    CivilDate plusDays(long days) const { return fromSerial(serial() + days); }
    bool valid() const;
};

// A moment of the day as the clock reports it.
struct TimeOfDay {
    int hour = 0; // 0..23
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// "12/7/2026": the short date of the workstations the data comes from. A date that is not
// valid() is shown as kDamaged, here and by isoDate.
std::string shortDate(const CivilDate& date);
// Reads a short date typed by the clerk (M/d/yyyy, one- or two-digit month and day).
std::optional<CivilDate> parseShortDate(const std::string& text);
// "2026-12-07": the form the charge files and the command-line tool write dates in.
std::string isoDate(const CivilDate& date);
std::optional<CivilDate> parseIsoDate(const std::string& text);
// "3:42:10 PM": the long time of the workstations the data comes from.
std::string longTime(const TimeOfDay& time);
// Morning is when the time text ends in "AM".
bool isMorning(const std::string& timeText);
// Name of a month's totals file: month without leading zero, then the four-digit year.
std::string monthYear(const CivilDate& date);

} // namespace roomwright
