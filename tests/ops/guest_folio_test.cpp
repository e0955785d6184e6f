#include "frontdesk/check_out.h"
#include "frontdesk/folio_list.h"
#include "frontdesk/guest_folio.h"
#include "frontdesk/registration.h"
#include "store/bookings.h"

#include "store/format/store_error.h"
#include "store/settings.h"
#include "support/records.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace roomwright {
namespace {

using testing::readFile;
using testing::TempDir;

// The disk, except that writes to one file fail.
class FailingFile : public DiskFileSystem {
  public:
    void write(const Path& file, std::uint64_t offset, std::span<const std::byte> bytes) override {
        if (file == failing) {
            throw StoreError(file, "write", "Input/output error");
        }
        DiskFileSystem::write(file, offset, bytes);
    }
    Path failing;
};

class GuestFolioTest : public ::testing::Test {
  protected:
    GuestFolioTest() : store(DataDirectory(temp.path()), files) {
        store.directory().ensureExists(files);
    }
    GuestRecord guest(const char* room, const char* last, long folio, bool departed = false) {
        GuestRecord g;
        g.RoomNumber = room;
        g.LastName = last;
        g.FirstName = "Ann";
        g.FolioNumber = static_cast<float>(folio);
        g.ArrivalDate = today.stored();
        g.DepartureDate = today.plusDays(2).stored();
        g.Rate = 65;
        g.PayCode = "K";
        if (departed) {
            g.CheckOutMark = "*";
        }
        return g;
    }
    void addRoom(const char* number, const char* type, const char* clean = "Y",
                 const char* order = "K", const char* vacant = "Y") {
        store.rooms().append(testing::makeRoom(number, type, 65, clean, vacant, order, ""));
    }
    void addReservation(const char* room, CivilDate arrival, bool checkedIn) {
        ReservationRecord reservation;
        reservation.RoomNumber = room;
        reservation.ArrivalDate = arrival.stored();
        if (checkedIn) {
            reservation.CheckInMark = "*";
        }
        store.reservations().append(reservation);
    }
    std::string guestBytes() { return readFile(store.directory().guest()); }
    // The stay the clerk picks in a selector just filled.
    Found<GuestRecord> picked(std::string_view text) {
        const auto entry = entryNamed(guestSelectorEntries(store), text);
        return entry ? guestOfEntry(store, *entry) : std::nullopt;
    }

    TempDir temp;
    DiskFileSystem files;
    Store store;
    const CivilDate today{2026, 12, 7};
};

TEST_F(GuestFolioTest, TheSelectorListsInHouseGuestsInRecordOrder) {
    EXPECT_TRUE(guestSelectorEntries(store).empty());
    store.guests().append(guest("102", "Zeta", 2));
    store.guests().append(guest("101", "Gone", 1, true));
    store.guests().append(guest("101", "Smith", 3));
    EXPECT_EQ(
        guestSelectorEntries(store),
        (std::vector<SelectorEntry>{{1, "102  Zeta, Ann", "102"}, {3, "101  Smith, Ann", "101"}}));
}

TEST_F(GuestFolioTest, EachEntryFindsItsOwnStayAndATypedTextOnlyAListedOne) {
    store.guests().append(guest("101", "Gone", 1, true));
    store.guests().append(guest("101", "Smith", 2));
    store.guests().append(guest("1015", "Long", 4));
    store.guests().append(guest("1", "Short", 5));
    store.guests().append(guest("1é1", "Accent", 6));
    store.guests().append(guest("101", "Twin", 7)); // a second stay in room 101
    const struct {
        const char* text;
        std::size_t record; // 0: nobody
    } cases[] = {
        {"101  Smith, Ann", 2},
        {"101  Twin, Ann", 6},
        {"1015  Long, Ann", 3},
        {"1  Short, Ann", 4},
        {"1é1  Accent, Ann", 5},
        {"101", 2}, // the room typed alone: its first guest
        {"1015", 3},
        {"10", 0},
        {"Select Room", 0},
        {"101  Gone, Ann", 0},
        {"", 0},
        {" ", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto found = picked(c.text);
        EXPECT_EQ(found ? found->first : 0u, c.record);
    }
    // An entry whose stay has left the house since names nobody.
    const SelectorEntry smith = entryNamed(guestSelectorEntries(store), "101  Smith, Ann").value();
    checkOut(store, 2, store.guests().read(2), "11:00:00 AM");
    EXPECT_FALSE(guestOfEntry(store, smith));
    EXPECT_FALSE(guestOfEntry(store, {99, "99  Nobody, Ann", "99"}));
}

TEST_F(GuestFolioTest, OnlyTheGuestOnScreenIsActedOn) {
    store.guests().append(guest("101", "Smith", 2));
    store.guests().append(guest("102", "Zeta", 3));
    const auto entries = guestSelectorEntries(store);
    EXPECT_TRUE(shownGuest(store, entryNamed(entries, "101  Smith, Ann"), "2"));
    // The selector retyped to another room while guest 2 is shown names nobody.
    EXPECT_FALSE(shownGuest(store, entryNamed(entries, "102"), "2"));
    EXPECT_FALSE(shownGuest(store, entryNamed(entries, "101  Smith, Ann"), "")); // none yet
    EXPECT_FALSE(shownGuest(store, std::nullopt, "2"));
}

TEST_F(GuestFolioTest, PayCodesShowAsTheWindowWritesThem) {
    EXPECT_EQ(payCodeText("K"), "K - Check");
    EXPECT_EQ(payCodeText("A"), "A - American express");
    EXPECT_EQ(payCodeText("O"), "O - Other");
    EXPECT_EQ(payCodeText("Z"), "");
    EXPECT_EQ(payCodeText(std::string(1, '\0')), "");
    EXPECT_EQ(codeList().at(8), "K - Copies");
    EXPECT_EQ(payCodeList().at(5), "K = Check");
}

TEST_F(GuestFolioTest, PickingACodeFillsTheRateOrThePetFee) {
    EXPECT_EQ(amountForCode("E - Room Rent", "59.95", 12.5f), "59.95");
    EXPECT_EQ(amountForCode("P - Pet Fee", "59.95", 12.5f), "12.5");
    EXPECT_FALSE(amountForCode("C - Cash", "59.95", 12.5f));
}

TEST_F(GuestFolioTest, CodesPostToTheirRowsAndKPostsCopies) {
    EXPECT_EQ(postingCategory("E - Room Rent"), Category::RoomRent);
    EXPECT_EQ(postingCategory("K - Copies"), Category::Copies);
    EXPECT_EQ(postingCategory("K"), Category::Copies);
    EXPECT_EQ(postingCategory("O"), Category::Other);
    EXPECT_EQ(postingCategory("S - Stamp"), Category::Stamp);
    EXPECT_FALSE(postingCategory("Select Code")); // would have posted a stamp
    EXPECT_FALSE(postingCategory("X - Unknown"));
    EXPECT_FALSE(postingCategory(""));
}

TEST_F(GuestFolioTest, PostingAppendsTheLineAndGrowsTheMonthsSlot) {
    setShiftAndClerk(store, ShiftClerkRecord{"JS", "B", {}});
    const GuestRecord ann = guest("101", "Smith", 17);
    ASSERT_FALSE(postToFolio(store, ann, "C - Cash", "100", today));
    ASSERT_FALSE(postToFolio(store, ann, "C - Cash", " 20.5 ", today));
    ASSERT_FALSE(postToFolio(store, ann, "K - Copies", "2", today));
    const ParsedCharges charges = readCharges(store, 17);
    ASSERT_EQ(charges.lines.size(), 3u);
    EXPECT_EQ(readFile(store.directory().chargeFile(17)).substr(0, 65),
              "\"101  \",\"B\",\"JS\",#2026-12-07#,\"C\",\"Cash\",100,,17,,\"-----\",\"-----\"");
    EXPECT_EQ(charges.lines[2].Description, "Copies");
    const TotalsRecord totals = store.totals(today).read(1);
    EXPECT_FLOAT_EQ(totals[TotalsSlot::Cash], 120.5f);
    EXPECT_FLOAT_EQ(totals[TotalsSlot::Copies], 2.0f);
    EXPECT_FLOAT_EQ(totals[TotalsSlot::Check], 0.0f);
}

TEST_F(GuestFolioTest, APostingThatIsNotClearIsRefusedAndWritesNothing) {
    const GuestRecord ann = guest("101", "Smith", 17);
    const auto empty = postToFolio(store, ann, "C - Cash", "", today);
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->field, FolioField::Amount);
    EXPECT_EQ(empty->message, "You did not enter an amount.");
    const auto words = postToFolio(store, ann, "C - Cash", "ten", today);
    ASSERT_TRUE(words);
    EXPECT_EQ(words->message, "The amount is not a number.");
    EXPECT_TRUE(postToFolio(store, ann, "C - Cash", "10x", today));
    const auto code = postToFolio(store, ann, "Select Code", "5", today);
    ASSERT_TRUE(code);
    EXPECT_EQ(code->field, FolioField::Code);
    EXPECT_FALSE(std::filesystem::exists(store.directory().chargeFile(17)));
    EXPECT_FALSE(std::filesystem::exists(store.directory().totalsFile(today)));
}

TEST_F(GuestFolioTest, OneMoreNightIsBlockedOnlyByTheRoomsUncancelledArrivalOnTheDeparture) {
    const CivilDate departure{2026, 12, 9};
    addReservation("102", departure, false);             // another room
    addReservation("101", departure.plusDays(1), false); // a day later
    ReservationRecord cancelled = store.reservations().read(1);
    cancelled.RoomNumber = "101";
    markCancelled(cancelled, today, "");
    store.reservations().append(cancelled); // cancelled: the room is free that night
    auto more = oneMoreNight(store, today, "12/9/2026", "101");
    EXPECT_FALSE(more.refusal);
    EXPECT_EQ(more.departure, "12/10/2026");

    addReservation("101", departure, true); // already checked in still counts
    more = oneMoreNight(store, today, "12/9/2026", "101");
    ASSERT_TRUE(more.refusal);
    EXPECT_EQ(more.refusal->message, "Can't Increase departure date. Overbooking.");
    EXPECT_EQ(more.departure, "12/9/2026");

    more = oneMoreNight(store, today, "12/33/2026", "101");
    ASSERT_TRUE(more.refusal);
    EXPECT_EQ(more.refusal->field, FolioField::Departure);
    EXPECT_EQ(more.departure, "12/33/2026");
}

TEST_F(GuestFolioTest, OneNightLessNeverReachesTheArrival) {
    EXPECT_EQ(oneNightLess("12/8/2026", "12/7/2026").departure, "12/8/2026");
    EXPECT_EQ(oneNightLess("12/9/2026", "12/7/2026").departure, "12/8/2026");
    EXPECT_EQ(oneNightLess("1/1/2027", "12/7/2026").departure, "12/31/2026");
    // A departure already on the arrival day does not go before it.
    EXPECT_EQ(oneNightLess("12/7/2026", "12/7/2026").departure, "12/7/2026");
    const auto bad = oneNightLess("soon", "12/7/2026");
    ASSERT_TRUE(bad.refusal);
    EXPECT_EQ(bad.refusal->message, "The departure date is not a date.");
    EXPECT_EQ(bad.departure, "soon");
}

TEST_F(GuestFolioTest, RoomsOfferedForAMoveAreNeitherDirtyNorOutOfOrder) {
    addRoom("101", "NQ1");
    addRoom("102", "K11", "N");
    addRoom("103", "DD1", "Y", "X");
    addRoom("104", "SQ1", "Y", "K", "N"); // occupied but clean: offered
    EXPECT_EQ(roomMoveEntries(store),
              (std::vector<RoomEntry>{{"101  NQ1       ", "101"}, {"104  SQ1       ", "104"}}));
}

TEST_F(GuestFolioTest, TheGuestViewShowsTheRecord) {
    GuestRecord ann = guest("101", "Smith", 17);
    ann.Rate = 59.95f;
    ann.ArrivalTime = "3:42:10 PM";
    ann.CardType = "M";
    store.guests().append(ann);
    const GuestView view = guestView(store.guests().read(1));
    EXPECT_EQ(view.boxes[0], "Smith");
    EXPECT_EQ(view.boxes[8], ""); // Company never assigned: NULs show as nothing
    EXPECT_EQ(view.cardType, "M");
    EXPECT_EQ(view.room, "101");
    EXPECT_EQ(view.rate, "59.95");
    EXPECT_EQ(view.folio, "17");
    EXPECT_EQ(view.arrivalDate, "12/7/2026");
    EXPECT_EQ(view.arrivalTime, "3:42:10 PM");
    EXPECT_EQ(view.departureDate, "12/9/2026");
    EXPECT_EQ(view.payCode, "K - Check");
}

TEST_F(GuestFolioTest, SavingKeepsPayCodeKAndWritesOnlyTheWindowsFields) {
    GuestRecord ann = guest("101", "Smith", 17);
    ann.CardType = "V";
    ann.ArrivalTime = "9:00:00 AM";
    store.guests().append(guest("101", "Gone", 9, true));
    store.guests().append(ann);
    const auto found = picked("101  Smith, Ann");
    ASSERT_TRUE(found);
    const std::string before = guestBytes();

    FolioChanges changes;
    changes.boxes = guestView(found->second).boxes;
    changes.boxes[0] = "Smyth";
    changes.payCode = "K - Check";
    changes.room = "104";
    changes.rate = "70.5";
    changes.departure = "12/10/2026";
    ASSERT_FALSE(saveFolioChanges(store, found->first, found->second, changes));

    const GuestRecord saved = store.guests().read(2);
    EXPECT_EQ(saved.LastName.trimmed(), "Smyth");
    EXPECT_EQ(saved.PayCode.str(), "K");
    EXPECT_EQ(saved.RoomNumber.str(), "104  ");
    EXPECT_EQ(saved.Rate, 70.5f);
    EXPECT_EQ(saved.DepartureDate, (CivilDate{2026, 12, 10}).stored());
    EXPECT_EQ(saved.CardType.trimmed(), "V");
    EXPECT_EQ(saved.ArrivalTime.trimmed(), "9:00:00 AM");
    EXPECT_EQ(saved.FolioNumber, 17.0f);
    EXPECT_EQ(guestBytes().substr(0, 800), before.substr(0, 800)); // the departed stay
}

TEST_F(GuestFolioTest, ARoomMoveChangesOnlyTheRoomNumber) {
    store.guests().append(guest("101", "Smith", 17));
    const auto found = picked("101");
    std::string before = guestBytes();
    FolioChanges changes;
    changes.boxes = guestView(found->second).boxes;
    changes.payCode = guestView(found->second).payCode;
    changes.room = "104";
    changes.rate = guestView(found->second).rate;
    changes.departure = guestView(found->second).departureDate;
    ASSERT_FALSE(saveFolioChanges(store, found->first, found->second, changes));
    std::string after = guestBytes();
    EXPECT_EQ(after.substr(312, 5), "104  ");
    before.replace(312, 5, "104  ");
    // Fields never assigned come back as blanks; everything else is byte for byte the same.
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i] == '\0' && after[i] == ' ') {
            after[i] = '\0';
        }
    }
    EXPECT_EQ(after, before);
}

TEST_F(GuestFolioTest, ARateOrDateThatIsNotOneIsRefusedAndNothingIsWritten) {
    store.guests().append(guest("101", "Smith", 17));
    const auto found = picked("101");
    const std::string before = guestBytes();
    FolioChanges changes;
    changes.boxes[0] = "Changed";
    changes.room = "101";
    changes.rate = "sixty";
    changes.departure = "12/10/2026";
    auto refusal = saveFolioChanges(store, found->first, found->second, changes);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->field, FolioField::Rate);
    EXPECT_EQ(refusal->message, "The rate is not a number.");
    changes.rate = "60";
    changes.departure = "13/1/2026";
    refusal = saveFolioChanges(store, found->first, found->second, changes);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->field, FolioField::Departure);
    EXPECT_EQ(guestBytes(), before);
}

// Amount, tax and balance stand right-aligned under their captions with their decimal points
// one above the other, whatever the widths of the dates, descriptions and numbers.
TEST_F(GuestFolioTest, TheFolioListLinesUpItsColumnsAndDecimalPoints) {
    const auto line = [](const char* shift, int day, const char* code, std::string description,
                         double amount) {
        return ChargeLine{"101  ", shift, "JS", {2026, 12, day}, code, description, amount, {}, 17};
    };
    const FolioListing listing = listFolio(folioStatement(
        {line("A", 7, "E", "Room Rent", 65), line("A", 17, "R", "Roll Away", 12.5),
         line("B", 17, "C", " Cash ", 1000), line("B", 17, "S", std::string(25, 'd'), 0.25)},
        0.12f));
    const std::vector<std::string> shown = {
        // clang-format off
        "Room    Date                 Shift    Code        Description                 Amount     Tax    Balance",
        "101     12/7/2026            A        E           Room Rent                    65        7.8      72.8 ",
        "101     12/17/2026           A        R           Roll Away                    12.5      0        85.3 ",
        "101     12/17/2026           B        C           Cash                       1000        0      -914.7 ",
        "101     12/17/2026           B        S           ddddddddddddddddddddddddd     0.25     0      -914.45",
        // clang-format on
    };
    std::vector<std::string> lines = listing.lines;
    lines.insert(lines.begin(), listing.header);
    EXPECT_EQ(lines, shown);
    EXPECT_EQ(listing.balance, "-914.45");
}

TEST_F(GuestFolioTest, CheckOutReleasesTheRoomAndMarksTheGuestOnly) {
    addRoom("100", "NQ1");
    addRoom("101", "NQ1", "N", "K", "N");
    addRoom("101", "K11", "N", "K", "N"); // a second record of the number stays as it is
    store.guests().append(guest("101", "Gone", 9, true));
    store.guests().append(guest("101", "Smith", 17));
    const std::string rooms = readFile(store.directory().room());
    const auto found = picked("101  Smith, Ann");
    ASSERT_TRUE(found);
    checkOut(store, found->first, found->second, "11:05:00 AM");

    const auto roomsNow = store.rooms().all();
    EXPECT_EQ(roomsNow[1].CleanFlag.str(), "N");
    EXPECT_EQ(roomsNow[1].VacantFlag.str(), "Y");
    EXPECT_EQ(roomsNow[1].OrderFlag.str(), "K");
    std::string expected = rooms;
    expected[237 + 19] = 'Y';
    EXPECT_EQ(readFile(store.directory().room()), expected);

    const GuestRecord gone = store.guests().read(2);
    EXPECT_EQ(gone.CheckOutMark.str(), "*" + std::string(19, ' '));
    EXPECT_EQ(gone.DepartureTime.trimmed(), "11:05:00 AM");
    EXPECT_EQ(gone.DepartureDate, today.plusDays(2).stored()); // the planned date stays
    EXPECT_FALSE(picked("101"));
}

TEST_F(GuestFolioTest, ACheckOutThatCannotWriteTheGuestPutsTheRoomBack) {
    FailingFile failing;
    const Store faulty(DataDirectory(temp.path()), failing);
    addRoom("101", "NQ1", "N", "K", "N");
    store.guests().append(guest("101", "Smith", 17));
    const std::string rooms = readFile(store.directory().room());
    const auto found = picked("101");
    failing.failing = store.directory().guest();
    EXPECT_THROW(checkOut(faulty, found->first, found->second, "11:05:00 AM"), StoreError);
    EXPECT_EQ(readFile(store.directory().room()), rooms);
    EXPECT_TRUE(store.guests().read(1).inHouse());
}

} // namespace
} // namespace roomwright
