#include "frontdesk/folio_list.h"
#include "frontdesk/housekeeping.h"
#include "reports/guest_history.h"

#include "ops/ops_fixture.h"
#include "store/charges.h"

namespace roomwright {
namespace {

using testing::makeRoom;
using testing::makeStay;
using testing::makeStayOver;

const CivilDate kToday{2026, 12, 7};

class HousekeepingReport : public testing::StoreTest {};

TEST_F(HousekeepingReport, GivesEachRoomTheWordOfItsDayAndItsComment) {
    const std::string head = "\nHousekeeping Report for 12/7/2026\n" + std::string(110, '=') + "\n";
    const std::string rule = std::string(134, '-') + "\n";
    EXPECT_EQ(plainText(housekeepingReport(store, kToday)), head + "\f\n");

    const CivilDate tomorrow = kToday.plusDays(1);
    const std::string comment = "Fix the lamp";
    for (const RoomRecord& room : {
             makeRoom("101", "NQ1", 45, "Y", "N"),               // guest leaves today
             makeRoom("102", "NQ1", 45, "N", "N"),               // guest stays, room dirty
             makeRoom("103", "NQ1", 45, "N"),                    // vacant and dirty
             makeRoom("104", "NQ1", 45, "Y", "Y", "K", comment), // vacant and clean
             makeRoom("105", "NQ1", 45, "Y", "Y", "X", comment), // out of order, clean
             makeRoom("106", "NQ1", 45, "N"),                    // its guest has left
             makeRoom("107", "NQ1", 45, "Y", "N"),               // two guests in house
         }) {
        store.rooms().append(room);
    }
    store.guests().append(makeStay("106", "Gone", "Al", kToday, true));
    store.guests().append(makeStay("107", "First", "Al", kToday));
    store.guests().append(makeStay("101", "Leaves", "Al", kToday));
    store.guests().append(makeStay("102", "Stays", "Al", tomorrow));
    store.guests().append(makeStay("107", "Second", "Al", tomorrow));

    const std::string blankComment(80, ' ');
    EXPECT_EQ(plainText(housekeepingReport(store, kToday)),
              head + "101      checking out\n" + rule + "102      staying over\n" + rule +
                  "103      dirty\n" + rule + "104" + std::string(26, ' ') + comment + "\n" + rule +
                  "105" + std::string(26, ' ') + comment + "\n" + rule + "106      dirty\n" + rule +
                  "107      staying over\n" + rule + "\f\n");
}

class GuestHistory : public testing::StoreTest {
  protected:
    GuestRecord departed(const std::string& last, long folio) {
        GuestRecord guest = makeStayOver("101", last, folio, 45, kToday.plusDays(-2), kToday);
        guest.CheckOutMark = "*";
        guest.DepartureTime = "11:02:03 AM";
        return guest;
    }
};

TEST_F(GuestHistory, ALetterFindsDepartedGuestsWithThatCapitalInRecordOrder) {
    GuestRecord stone = departed("Stone", 12);
    stone.Address = "1 Main St";
    stone.City = "Springfield";
    stone.State = "Illinois";
    stone.Zip = "62701";
    store.guests().append(departed("Swift", 14));
    store.guests().append(departed("smith", 15)); // lower-case initial
    store.guests().append(departed("Adams", 16)); // another letter
    GuestRecord inHouse = departed("Sams", 17);
    inHouse.CheckOutMark = Text<20>();
    store.guests().append(inHouse); // still in house
    store.guests().append(stone);

    const std::vector<std::string> entries = historyEntries(store, "S");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].substr(0, 19), " 14         Swift, ");
    EXPECT_EQ(entries[1], " 12         Stone, Ann  1 Main St  Springfield, Illinois  62701     ");
    EXPECT_TRUE(historyEntries(store, "Q").empty());

    EXPECT_EQ(departedGuestOfEntry(store, entries[1])->second.LastName.trimmed(), "Stone");
    EXPECT_FALSE(departedGuestOfEntry(store, " 17         Sams, Ann")); // in house
    EXPECT_FALSE(departedGuestByFolio(store, ""));                      // nothing picked
}

TEST_F(GuestHistory, ShowsTheStayWithItsSettledFolioAndStoredWidths) {
    GuestRecord guest = departed("Stone", 12);
    guest.Adults = "2";
    store.guests().append(guest);
    postItem(store, 12, "101  ", Category::RoomRent, 45, kToday.plusDays(-2));
    postItem(store, 12, "101  ", Category::RoomRent, 45, kToday.plusDays(-1));
    postItem(store, 12, "101  ", Category::Cash, 90, kToday);

    const auto found = departedGuestByFolio(store, "12");
    ASSERT_TRUE(found);
    const HistoryView view = historyView(found->second);
    EXPECT_EQ(view.guest.boxes[0], "Stone");
    EXPECT_EQ(view.guest.boxes[12], "2 ");
    EXPECT_EQ(view.guest.room, "101  ");
    EXPECT_EQ(view.departureTime, "11:02:03 AM" + std::string(9, ' '));
    const FolioListing listing = folioListing(store, 12);
    ASSERT_EQ(listing.lines.size(), 3u);
    EXPECT_EQ(listing.lines.back().substr(listing.lines.back().size() - 2), " 0");
}

} // namespace
} // namespace roomwright
