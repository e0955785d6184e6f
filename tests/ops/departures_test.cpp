#include "frontdesk/departures.h"

#include "setup/greetings.h"
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
