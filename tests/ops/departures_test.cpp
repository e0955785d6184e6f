#include "frontdesk/departures.h"

#include "setup/greetings.h"
#include "store/bookings.h"
#include "store/settings.h"
#include "support/records.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace roomwright {
namespace {

using testing::makeStay;

TEST(DeparturesToday, ListsInHouseGuestsDueOutTodayInRecordOrder) {
    testing::TempDir temp;
    DiskFileSystem files;
    const Store store(DataDirectory(temp.path()), files);
    const CivilDate today{2026, 12, 7};
    EXPECT_TRUE(departuresToday(store, today).empty()); // no guest file yet
    store.guests().append(makeStay("102", "Zeta", "Zoe", today));
    store.guests().append(makeStay("101", "Smith", "Ann", today, true)); // already checked out
    store.guests().append(makeStay("103", "Long", "Stay", today.plusDays(1)));
    store.guests().append(makeStay("101", "Brown", "Bob", today));
    EXPECT_EQ(departuresToday(store, today),
              (std::vector<std::string>{"102  Zeta, Zoe", "101  Brown, Bob"}));
}

TEST(ArrivalsOn, ListsTheOpenBookingsArrivingThatDayOnly) {
    testing::TempDir temp;
    DiskFileSystem files;
    const Store store(DataDirectory(temp.path()), files);
    const CivilDate today{2026, 12, 7};
    const auto book = [&](const char* room, const char* last, int arrival, int nights,
                          const char* mark = "") {
        ReservationRecord r = testing::makeBooking(room, last, 0, today.plusDays(arrival), nights);
        r.CheckInMark = mark;
        return r;
    };
    EXPECT_TRUE(arrivalsOn(store, today).empty()); // no reservation file yet
    ReservationRecord cancelled = book("104", "Gage", 0, 2);
    markCancelled(cancelled, today.plusDays(-3), "");
    for (const ReservationRecord& r :
         {book("101", "Ames", 0, 2), book("102", "Berg", 0, 1, "*"), cancelled,
          book("105", "Dunn", 1, 2), book("106", "Eyre", -1, 3), book("12", "Ford", 0, 0)}) {
        store.reservations().append(r);
    }
    EXPECT_EQ(arrivalsOn(store, today), (std::vector<ArrivalLine>{{1, "101  Ames, Lee  2 nights"},
                                                                  {6, "12  Ford, Lee  1 night"}}));
    // Yesterday's booking never came: it is that day's no-show, and stays listed there.
    EXPECT_EQ(arrivalsOn(store, today.plusDays(-1)),
              (std::vector<ArrivalLine>{{5, "106  Eyre, Lee  3 nights"}}));
}

TEST(SetupProgress, RoomsAndATaxRateAboveZeroCountAsEntered) {
    testing::TempDir temp;
    DiskFileSystem files;
    const Store store(DataDirectory(temp.path()), files);
    EXPECT_FALSE(setupProgress(store).roomsEntered);
    EXPECT_FALSE(setupProgress(store).taxEntered);
    setTaxRate(store, -0.05f);
    EXPECT_FALSE(setupProgress(store).taxEntered);
    setTaxRate(store, 0.09f);
    store.rooms().append(RoomRecord{});
    EXPECT_TRUE(setupProgress(store).roomsEntered);
    EXPECT_TRUE(setupProgress(store).taxEntered);
}

} // namespace
} // namespace roomwright
