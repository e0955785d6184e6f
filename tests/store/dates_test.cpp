#include "store/format/dates.h"

#include "store/format/store_error.h"

#include <gtest/gtest.h>

#include <limits>

namespace roomwright {
namespace {

TEST(CivilDate, CountsDaysSinceThirtiethDecember1899) {
    EXPECT_EQ((CivilDate{1899, 12, 30}.serial()), 0);
    EXPECT_EQ((CivilDate{1900, 1, 1}.serial()), 2);
    EXPECT_EQ((CivilDate{2026, 12, 7}.serial()), 46363);
    EXPECT_EQ(CivilDate::fromSerial(46363), (CivilDate{2026, 12, 7}));
    EXPECT_EQ((CivilDate{2024, 2, 28}.plusDays(1)), (CivilDate{2024, 2, 29}));
    EXPECT_EQ((CivilDate{2026, 12, 31}.plusDays(1)), (CivilDate{2027, 1, 1}));
    // A stored date with a time of day is the day it falls on.
    EXPECT_EQ(CivilDate::fromStored(46363.75), (CivilDate{2026, 12, 7}));
}

TEST(CivilDate, EveryDayFromYear100To9999RoundTrips) {
    const long first = CivilDate{100, 1, 1}.serial();
    const long last = CivilDate{9999, 12, 31}.serial();
    EXPECT_EQ(first, -657434);
    EXPECT_EQ(last, 2958465);
    for (long serial = first; serial <= last; serial += 97) {
        const CivilDate date = CivilDate::fromSerial(serial);
        ASSERT_TRUE(date.valid()) << serial;
        ASSERT_EQ(date.serial(), serial);
        ASSERT_EQ(date.plusDays(1), CivilDate::fromSerial(serial + 1));
    }
}

TEST(CivilDate, AMonthOrDayPastItsRangeRollsOver) {
    EXPECT_EQ((CivilDate{2026, 13, 1}.serial()), (CivilDate{2027, 1, 1}.serial()));
    EXPECT_EQ((CivilDate{2026, 0, 1}.serial()), (CivilDate{2025, 12, 1}.serial()));
    EXPECT_EQ((CivilDate{2026, 2, 31}.serial()), (CivilDate{2026, 3, 3}.serial()));
    EXPECT_FALSE((CivilDate{2026, 2, 29}.valid()));
    EXPECT_TRUE((CivilDate{2000, 2, 29}.valid()));
    EXPECT_FALSE((CivilDate{1900, 2, 29}.valid()));
    EXPECT_FALSE((CivilDate{2026, 4, 31}.valid()));
}

TEST(CivilDate, AnImpossibleStoredDateShowsAsDamageNeverAsADay) {
    for (const double stored : {1e300, -1e300, std::numeric_limits<double>::quiet_NaN(),
                                std::numeric_limits<double>::infinity(), -657435.0, 2958466.0}) {
        EXPECT_FALSE(CivilDate::possible(stored)) << stored;
        EXPECT_EQ(shortDate(CivilDate::fromStored(stored)), "#DAMAGED") << stored;
        EXPECT_EQ(isoDate(CivilDate::fromStored(stored)), "#DAMAGED") << stored;
    }
    // Years 100 to 9999, and the zero of a date never written.
    EXPECT_EQ(isoDate(CivilDate::fromStored(-657434.0)), "0100-01-01");
    EXPECT_EQ(isoDate(CivilDate::fromStored(2958465.5)), "9999-12-31");
    EXPECT_EQ(isoDate(CivilDate::fromStored(0.0)), "1899-12-30");
}

TEST(MonthYear, AYearIsFourDigitsSoNoTwoMonthsShareAName) {
    EXPECT_THROW(monthYear({202, 12, 1}), DataError); // would be "12202", January 2202's name
    EXPECT_EQ(monthYear({2202, 1, 1}), "12202");
}

TEST(ShortDate, IsMonthDayFourDigitYear) {
    EXPECT_EQ(shortDate({2026, 12, 7}), "12/7/2026");
    EXPECT_EQ(shortDate({2027, 1, 1}), "1/1/2027");
    EXPECT_EQ(parseShortDate("12/7/2026"), (CivilDate{2026, 12, 7}));
    EXPECT_EQ(parseShortDate(" 01/09/2027 "), (CivilDate{2027, 1, 9}));
    EXPECT_FALSE(parseShortDate("2/30/2026"));
    EXPECT_FALSE(parseShortDate("12/7/2026x"));
    EXPECT_FALSE(parseShortDate("tomorrow"));
}

TEST(LongTime, IsTwelveHourClockWithAmOrPm) {
    EXPECT_EQ(longTime({15, 42, 10, 0}), "3:42:10 PM");
    EXPECT_EQ(longTime({0, 5, 0, 0}), "12:05:00 AM");
    EXPECT_EQ(longTime({11, 59, 59, 999}), "11:59:59 AM");
    EXPECT_EQ(longTime({12, 0, 0, 0}), "12:00:00 PM");
}

TEST(MorningTest, PassesOnlyWhenTheTimeTextEndsInAm) {
    EXPECT_TRUE(isMorning(longTime({11, 59, 0, 0})));
    EXPECT_FALSE(isMorning(longTime({12, 0, 0, 0})));
    EXPECT_TRUE(isMorning(longTime({0, 0, 0, 0})));
    EXPECT_FALSE(isMorning("09:30:00"));
    EXPECT_FALSE(isMorning(""));
}

TEST(MonthYear, NamesTheTotalsFileFromTheDateParts) {
    EXPECT_EQ(monthYear({2026, 12, 31}), "122026");
    EXPECT_EQ(monthYear({2027, 1, 1}), "12027");
    EXPECT_EQ(monthYear({2026, 1, 15}), "12026");
    EXPECT_EQ(monthYear({2026, 10, 1}), "102026");
}

} // namespace
} // namespace roomwright
