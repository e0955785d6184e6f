// A room is found from every list that offers it, whatever the length of its number as the
// room file stores it.

#include "frontdesk/check_in.h"
#include "frontdesk/check_out.h"
#include "frontdesk/guest_folio.h"
#include "reports/guest_history.h"
#include "reservations/reservations.h"
#include "reservations/tape_chart.h"
#include "setup/room_maintenance.h"

#include "ops/ops_fixture.h"
#include "store/charges.h"
#include "store/settings.h"

namespace roomwright {
namespace {

using namespace roomwright::testing;

const CivilDate kToday{2026, 12, 7};

std::string stored(const std::string& number, std::size_t width) {
    return number + std::string(width - number.size(), ' ');
}

class RoomNumbers : public StoreTest {};

TEST_F(RoomNumbers, EveryListAndLookUpFindsTheRoomWhateverTheLengthOfItsNumber) {
    for (const std::string number : {"12", "1", "1234", "101"}) {
        SCOPED_TRACE(number);
        TempDir fresh;
        const DataDirectory dir(fresh.path() / "Motel");
        dir.ensureExists(files);
        const Store motel(dir, files);
        motel.rooms().append(makeRoom("107", "NQ1", 100));
        motel.rooms().append(makeRoom(number, "SNQ1", 89.95f));
        setTaxRate(motel, 0.09f);

        // Each list's second entry carries the room it was made from.
        for (const auto& entries :
             {roomsForCheckIn(motel), roomMoveEntries(motel), roomsForBooking(motel),
              everyRoomEntry(motel), roomChoices(motel)}) {
            ASSERT_EQ(entries.size(), 2u);
            EXPECT_EQ(entries[1].room, number);
        }
        EXPECT_EQ(rateOfRoom(motel, number), 89.95f);
        EXPECT_EQ(roomPropertiesOf(motel, number)->number, stored(number, 4));
        EXPECT_EQ(roomStatusOf(motel, number)->number, number);

        // A booking keeps the room's number and is priced at its rate.
        Booking booking;
        booking.arrival = "12/8/2026";
        booking.departure = "12/10/2026";
        booking.days = "2";
        booking.guest.lastName = "Stone";
        booking.guest.firstName = "Ava";
        booking.guest.address = "1 Main";
        booking.guest.city = "Paris";
        booking.guest.state = "Kentucky";
        booking.room = number;
        booking.rate = "89.95";
        ASSERT_FALSE(saveBooking(motel, booking, kToday));
        const ReservationRecord booked = motel.reservations().read(1);
        EXPECT_EQ(booked.RoomNumber.str(), stored(number, 5));
        EXPECT_EQ(retrievedPrice(motel, booked), (Price{"89.95", "8.1", "98.05", "196.1"}));
        EXPECT_TRUE(overbooked(motel, number, {{2026, 12, 9}, std::nullopt}, kToday));

        // A walk-in: the stay and its charge lines keep the number, the room is taken.
        WalkIn walkIn;
        walkIn.guest = booking.guest;
        walkIn.room = number;
        walkIn.payCode = "C = Cash";
        walkIn.rate = "89.95";
        walkIn.days = "1";
        walkIn.stayTotal = "98.05";
        registerWalkIn(motel, walkIn, kToday, "10:00:00 AM");
        const GuestRecord stay = motel.guests().read(1);
        EXPECT_EQ(stay.RoomNumber.str(), stored(number, 5));
        EXPECT_EQ(readCharges(motel, 1).lines.at(0).RoomNumber, stored(number, 5));
        EXPECT_EQ(roomStatusOf(motel, number)->vacant, false);

        // The folio window finds the stay from its entry; "+" meets the booking.
        const auto entry = entryNamed(guestSelectorEntries(motel), number + "  Stone, Ava");
        ASSERT_TRUE(entry);
        EXPECT_EQ(guestOfEntry(motel, *entry)->first, 1u);
        EXPECT_TRUE(oneMoreNight(motel, kToday, "12/8/2026", number).refusal);

        const TapeChart chart = tapeChart(motel, kToday, kToday);
        ASSERT_EQ(chart.rooms.size(), 2u);
        EXPECT_EQ(chart.rooms[1].number, number);
        EXPECT_EQ(chart.rooms[1].state, RoomState::Occupied);
        EXPECT_EQ(chart.rooms[1].bars.size(), 2u);

        // Check-out frees the room; the history finds the stay.
        checkOut(motel, 1, stay, "11:00:00 AM");
        EXPECT_EQ(roomStatusOf(motel, number)->vacant, true);
        EXPECT_EQ(roomStatusOf(motel, number)->clean, false);
        const auto history = historyEntries(motel, "S");
        ASSERT_EQ(history.size(), 1u);
        EXPECT_EQ(historyView(departedGuestOfEntry(motel, history[0])->second).guest.room,
                  stored(number, 5));
    }
}

} // namespace
} // namespace roomwright
