#include "frontdesk/departures.h"
#include "frontdesk/folio_list.h"
#include "frontdesk/housekeeping.h"
#include "reports/desk_lists.h"
#include "reports/guest_history.h"
#include "reports/night_audit.h"

#include "ops/ops_fixture.h"
#include "ops/writing_operations.h"
#include "store/charges.h"
#include "store/settings.h"

#include <filesystem>

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

// The reports read the guests in house through the in-house index. On a motel whose guest
// file holds stays never checked out, with stays checked out and taken in since the index was
// saved, each says what it says on a copy of the files whose index is built by one scan of the
// whole guest file; the night audit proves its refusal from the index alike.
TEST(ReportsFromTheIndex, AgreeWithAFullScanOfTheGuestFile) {
    const CivilDate longAgo = kToday.plusDays(-2000);
    for (const bool oldStayDueToday : {false, true}) {
        SCOPED_TRACE(oldStayDueToday ? "a stay never checked out is due out today" : "none is");
        testing::TempDir temp;
        DiskFileSystem files;
        const DataDirectory kept(temp.path() / "kept");
        kept.ensureExists(files);
        const Store desk(kept, files);
        setTaxRate(desk, 0.09f);
        for (const char* room : {"101", "102", "103", "104", "105"}) {
            desk.rooms().append(makeRoom(room, "NQ1", 45, "N", "N"));
        }
        long folio = 0;
        const auto stay = [&](const char* room, const char* last, const CivilDate& arrival,
                              const CivilDate& departure, bool departed) {
            GuestRecord guest = makeStayOver(room, last, ++folio, 45, arrival, departure);
            guest.CheckOutMark = departed ? "*" : "";
            desk.guests().append(guest);
        };
        stay("103", "Never", longAgo, oldStayDueToday ? kToday : longAgo.plusDays(2), false);
        for (int i = 0; i < 40; ++i) {
            stay(i % 2 == 0 ? "101" : "104", "Gone", longAgo.plusDays(i), longAgo, true);
        }
        stay("101", "Out", kToday.plusDays(-2), kToday.plusDays(1), false);
        stay("102", "Stays", kToday.plusDays(-1), kToday.plusDays(3), false);
        ASSERT_EQ(departuresToday(desk, kToday).size(), oldStayDueToday ? 1u : 0u);
        desk.saveIndexes();

        // Since the index was saved: one stay checked out, one taken in, one appended by another
        // program.
        asOneOperation(desk, [&] {
            GuestRecord out = desk.guests().read(42);
            out.CheckOutMark = "*";
            desk.guests().write(42, out);
        });
        stay("104", "New", kToday, kToday.plusDays(2), false);
        Store(kept, files)
            .guests()
            .append(makeStayOver("105", "Late", 99, 50, kToday, kToday.plusDays(1)));

        const DataDirectory scanned(temp.path() / "scanned");
        std::filesystem::copy(kept.root(), scanned.root(),
                              std::filesystem::copy_options::recursive);
        std::filesystem::remove(scanned.inHouseIndex());
        const Store scan(scanned, files);
        const Store next(kept, files); // the next run, on the saved index
        for (const Store* store : {&desk, &next}) {
            EXPECT_EQ(plainText(housekeepingReport(*store, kToday)),
                      plainText(housekeepingReport(scan, kToday)));
            EXPECT_EQ(plainText(guestList(*store, kToday)), plainText(guestList(scan, kToday)));
            for (const DeskListKind kind : {DeskListKind::Departures, DeskListKind::InHouse}) {
                EXPECT_EQ(deskListText(deskList(*store, kind, kToday, kToday)),
                          deskListText(deskList(scan, kind, kToday, kToday)));
            }
        }
        const NightAudit audit = runNightAudit(desk, kToday);
        const NightAudit audited = runNightAudit(scan, kToday);
        EXPECT_EQ(audit.outcome, oldStayDueToday ? AuditOutcome::Refused : AuditOutcome::Posted);
        EXPECT_EQ(audited.outcome, audit.outcome);
        ASSERT_EQ(audited.documents.size(), audit.documents.size());
        for (std::size_t i = 0; i < audit.documents.size(); ++i) {
            EXPECT_EQ(plainText(audited.documents[i]), plainText(audit.documents[i]));
        }
        EXPECT_EQ(testing::motelFilesOf(testing::snapshot(scanned.root())),
                  testing::motelFilesOf(testing::snapshot(kept.root())));
    }
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
