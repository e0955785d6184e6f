#include "frontdesk/check_in.h"

#include "store/bookings.h"
#include "store/charges.h"
#include "store/format/store_error.h"
#include "store/settings.h"
#include "support/faulty_file_system.h"
#include "support/records.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace roomwright {
namespace {

const CivilDate kToday{2026, 12, 7};

RoomRecord room(const char* number, const char* type, float rate, const char* clean = "Y",
                const char* vacant = "Y", const char* order = "K") {
    return testing::makeRoom(number, type, rate, clean, vacant, order, "");
}

ReservationRecord reservation(const char* roomNumber, const CivilDate& arrival,
                              const char* checkInMark) {
    ReservationRecord r;
    r.RoomNumber = roomNumber;
    r.ArrivalDate = arrival.stored();
    r.DepartureDate = arrival.plusDays(2).stored();
    r.CheckInMark = checkInMark;
    return r;
}

// The registration of the worked example: 3 nights at 50, pet fee 10, paid in cash.
WalkIn smith() {
    WalkIn w;
    w.guest.lastName = "Smith";
    w.guest.firstName = "Ann";
    w.guest.address = "12 Elm Street";
    w.guest.city = "Louisville";
    w.guest.state = "Kentucky";
    w.guest.zip = "40202";
    w.guest.phone = "502-555-0101";
    w.guest.adults = "2";
    w.room = "101";
    w.payCode = "C = Cash";
    w.rate = "50";
    w.days = "3";
    w.pet = true;
    w.petFee = "10";
    w.stayTotal = "173.5";
    w.shift = "A";
    w.clerk = "JS";
    return w;
}

class CheckIn : public ::testing::Test {
  protected:
    CheckIn() : directory(temp.path() / "Motel"), store(directory, files) {
        directory.ensureExists(files);
        store.rooms().append(room("101", "NQ1", 50));
        store.rooms().append(room("102", "K11", 65));
        setTaxRate(store, 0.09f);
        setPetFee(store, 10);
        setShiftAndClerk(store, ShiftClerkRecord{"JS", "A", {}});
    }

    testing::TempDir temp;
    DataDirectory directory;
    testing::FaultyFileSystem files;
    Store store;
};

TEST_F(CheckIn, OffersEveryRoomThatIsNeitherDirtyNorOutOfOrder) {
    store.rooms().append(room("103", "DD1", 70, "N"));
    store.rooms().append(room("104", "DD1", 70, "Y", "Y", "X"));
    store.rooms().append(room("105", "SK1", 80, "Y", "N")); // occupied, yet marked clean
    EXPECT_EQ(roomsForCheckIn(store), (std::vector<RoomEntry>{{"101   NQ1       ", "101"},
                                                              {"102   K11       ", "102"},
                                                              {"105   SK1       ", "105"}}));
}

TEST_F(CheckIn, WarnsOfAReservationArrivingTodayEvenWhenItWasCheckedInButNotCancelled) {
    store.reservations().append(reservation("102", kToday.plusDays(1), ""));
    store.reservations().append(reservation("101", kToday, "*"));
    ReservationRecord cancelled = reservation("103", kToday, "");
    markCancelled(cancelled, kToday, "");
    store.reservations().append(cancelled);
    EXPECT_TRUE(bookingArrivesOn(store, "101", kToday, kToday));
    EXPECT_FALSE(bookingArrivesOn(store, "102", kToday, kToday));
    EXPECT_FALSE(bookingArrivesOn(store, "103", kToday, kToday));
}

TEST_F(CheckIn, TheRateOfTheLastRoomWithTheNumberCounts) {
    store.rooms().append(room("101", "NQ1", 55));
    EXPECT_EQ(rateOfRoom(store, "101"), 55.0f);
    EXPECT_EQ(rateOfRoom(store, "102"), 65.0f);
    EXPECT_FALSE(rateOfRoom(store, "109"));
}

TEST(CheckWalkIn, AsksForEachMissingFieldInOrderAndTheRoomLast) {
    WalkIn w;
    w.rate = "abc";
    w.days = "1";
    using Box = std::string& (*)(WalkIn&);
    const std::vector<std::pair<Box, std::string>> fields = {
        {[](WalkIn& walkIn) -> std::string& { return walkIn.guest.lastName; },
         "You did not enter a last name."},
        {[](WalkIn& walkIn) -> std::string& { return walkIn.guest.firstName; },
         "You did not enter a first name."},
        {[](WalkIn& walkIn) -> std::string& { return walkIn.guest.address; },
         "You did not enter an address."},
        {[](WalkIn& walkIn) -> std::string& { return walkIn.guest.city; },
         "You did not enter a city."},
        {[](WalkIn& walkIn) -> std::string& { return walkIn.guest.state; },
         "You did not enter a state."},
        {[](WalkIn& walkIn) -> std::string& { return walkIn.guest.zip; },
         "You did not enter a zip code."},
        {[](WalkIn& walkIn) -> std::string& { return walkIn.payCode; },
         "You did not enter a pay code."},
        {[](WalkIn& walkIn) -> std::string& { return walkIn.guest.adults; },
         "You did not enter # of adults."},
    };
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const auto refusal = checkWalkIn(w, kToday);
        ASSERT_TRUE(refusal);
        EXPECT_EQ(refusal->message, fields[i].second);
        EXPECT_EQ(static_cast<std::size_t>(refusal->field), i);
        fields[i].first(w) = " "; // blanks are not empty
    }
    auto refusal = checkWalkIn(w, kToday);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->field, WalkInField::Room);
    EXPECT_EQ(refusal->message, "You did not select a room.");

    w.room = "101";
    EXPECT_TRUE(checkWalkIn(w, kToday)); // the rate is still not a number
    w.rate = "12abc";
    EXPECT_TRUE(checkWalkIn(w, kToday)); // taken strictly, not leniently
    w.rate = "59.95";
    EXPECT_FALSE(checkWalkIn(w, kToday));
}

TEST(CheckWalkIn, TakesOnlyAWholeNumberOfNightsThatAgreesWithThePickedDeparture) {
    struct Case {
        const char* days;
        const char* departure;
        bool refused;
    };
    const Case cases[] = {
        {"3", "", false},          {" 0 ", "", false},         {"-1", "", true},
        {"abc", "", true},         {"2.5", "", true},          {"", "", true},
        {"36501", "", true},       {"3", "12/10/2026", false}, {"2", "12/10/2026", true},
        {"-2", "12/5/2026", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.days) + " / " + c.departure);
        WalkIn w = smith();
        w.days = c.days;
        w.departure = c.departure;
        const auto refusal = checkWalkIn(w, kToday);
        EXPECT_EQ(refusal.has_value(), c.refused);
        if (refusal) {
            EXPECT_EQ(refusal->field, WalkInField::Days);
            EXPECT_NE(refusal->message.find("Days"), std::string::npos);
        }
    }
}

TEST_F(CheckIn, RegistersTheGuestPostsRentPetFeeAndPaymentAndMarksTheRoom) {
    const GuestRecord guest = registerWalkIn(store, smith(), kToday, "3:42:10 PM");

    EXPECT_EQ(lastFolioNumber(store), 1);
    ASSERT_EQ(store.guests().count(), 1u);
    const GuestRecord saved = store.guests().read(1);
    EXPECT_EQ(saved.LastName.trimmed(), "Smith");
    EXPECT_EQ(saved.State.trimmed(), "Kentucky");
    EXPECT_EQ(saved.RoomNumber.str(), "101  ");
    EXPECT_EQ(saved.PayCode.str(), "C");
    EXPECT_EQ(saved.CardType.str(), std::string(20, '\0')); // no card chosen
    EXPECT_EQ(saved.FolioNumber, 1.0f);
    EXPECT_EQ(saved.Rate, 50.0f);
    EXPECT_EQ(saved.Days, 0.0f);
    EXPECT_EQ(saved.ArrivalDate, kToday.stored());
    EXPECT_EQ(saved.ArrivalTime.trimmed(), "3:42:10 PM");
    EXPECT_EQ(saved.DepartureDate, kToday.plusDays(3).stored());
    EXPECT_EQ(saved.Shift.str(), "A");
    EXPECT_EQ(saved.Clerk.str(), "JS");
    EXPECT_TRUE(saved.inHouse());
    EXPECT_EQ(guest.LastName, saved.LastName);

    const ParsedCharges charges = readCharges(store, 1);
    ASSERT_EQ(charges.lines.size(), 3u);
    EXPECT_EQ(charges.lines[0].Code, "E");
    EXPECT_EQ(charges.lines[0].Amount, 50);
    EXPECT_EQ(charges.lines[1].Code, "P");
    EXPECT_EQ(charges.lines[1].Description, "Pet Fee");
    EXPECT_EQ(charges.lines[1].Amount, 10);
    EXPECT_EQ(charges.lines[2].Code, "C");
    EXPECT_EQ(charges.lines[2].Amount, 173.5);
    EXPECT_EQ(charges.lines[2].RoomNumber, "101  ");

    const TotalsRecord totals = store.totals(kToday).read(1);
    EXPECT_EQ(totals[TotalsSlot::RoomRent], 50.0f);
    EXPECT_EQ(totals[TotalsSlot::PetFee], 10.0f);
    EXPECT_EQ(totals[TotalsSlot::Cash], 173.5f);

    const RoomRecord marked = store.rooms().read(1);
    EXPECT_EQ(marked.CleanFlag.str(), "N");
    EXPECT_EQ(marked.VacantFlag.str(), "N");
    EXPECT_EQ(marked.OrderFlag.str(), "K");
    EXPECT_EQ(roomsForCheckIn(store), (std::vector<RoomEntry>{{"102   K11       ", "102"}}));
}

TEST_F(CheckIn, WithoutThePetOptionNoPetFeeIsPostedAndZeroDaysDepartToday) {
    WalkIn w = smith();
    w.pet = false;
    w.days = "0";
    w.guest.cardType = "V";
    registerWalkIn(store, w, kToday, "9:00:00 AM");
    const ParsedCharges charges = readCharges(store, 1);
    ASSERT_EQ(charges.lines.size(), 2u);
    EXPECT_EQ(charges.lines[1].Code, "C");
    EXPECT_EQ(store.totals(kToday).read(1)[TotalsSlot::PetFee], 0.0f);
    const GuestRecord saved = store.guests().read(1);
    EXPECT_EQ(saved.DepartureDate, kToday.stored());
    EXPECT_EQ(saved.CardType.trimmed(), "V");
}

TEST_F(CheckIn, EveryPayCodeGoesToItsOwnTotalsSlot) {
    const std::vector<std::tuple<std::string, std::string, TotalsSlot>> codes = {
        {"V = Visa", "Visa", TotalsSlot::Visa},
        {"M = Master Card", "Master Card", TotalsSlot::MasterCard},
        {"D = Discover", "Discover", TotalsSlot::Discover},
        {"A = American Express", "American Express", TotalsSlot::AmericanExpress},
        {"C = Cash", "Cash", TotalsSlot::Cash},
        {"K = Check", "Check", TotalsSlot::Check},
        {"O = Other", "Other", TotalsSlot::Other},
    };
    long folio = 0;
    for (const auto& [entry, description, slot] : codes) {
        WalkIn w = smith();
        w.pet = false;
        w.payCode = entry;
        w.stayTotal = "100";
        const TotalsRecord before = store.totals(kToday).read(1);
        registerWalkIn(store, w, kToday, "9:00:00 AM");
        ++folio;
        const TotalsRecord after = store.totals(kToday).read(1);
        EXPECT_EQ(after[slot] - before[slot], 100.0f) << entry;
        const ParsedCharges charges = readCharges(store, folio);
        ASSERT_EQ(charges.lines.size(), 2u);
        EXPECT_EQ(charges.lines[1].Code, entry.substr(0, 1));
        EXPECT_EQ(charges.lines[1].Description, description);
    }
}

TEST_F(CheckIn, ADiskThatFillsUpHalfWayLeavesNothingOfTheStayBehind) {
    const TotalsRecord before = store.totals(kToday).read(1);
    const Bytes roomBefore = encode(store.rooms().read(1));
    // A write while the stay's changes are made fails, once: the stay is undone whole.
    for (const int goodWrites : {2, 4}) {
        files.failOnceAfter(goodWrites);
        EXPECT_THROW(registerWalkIn(store, smith(), kToday, "9:00:00 AM"), StoreError);
        EXPECT_EQ(store.guests().count(), 0u);
        EXPECT_TRUE(readCharges(store, lastFolioNumber(store)).lines.empty());
        EXPECT_EQ(store.totals(kToday).read(1).sums, before.sums);
        EXPECT_EQ(encode(store.rooms().read(1)), roomBefore);
    }
    // A disk that stays full still gives back the appended guest and charge lines.
    files.failAfter(3);
    EXPECT_THROW(registerWalkIn(store, smith(), kToday, "9:00:00 AM"), StoreError);
    files.heal();
    EXPECT_EQ(store.guests().count(), 0u);
    EXPECT_TRUE(readCharges(store, 1).lines.empty());

    // The clerk tries again once the disk has room: one whole stay, on the folio number the
    // failed attempts did not use up.
    registerWalkIn(store, smith(), kToday, "9:00:00 AM");
    EXPECT_EQ(store.guests().count(), 1u);
    EXPECT_EQ(store.guests().read(1).FolioNumber, 1.0f);
    EXPECT_EQ(readCharges(store, 1).lines.size(), 3u);
    EXPECT_EQ(store.totals(kToday).read(1)[TotalsSlot::Cash], 173.5f);
}

TEST_F(CheckIn, ADayCountThatIsNoWholeNumberOfNightsIsRefusedBeforeAnythingIsWritten) {
    WalkIn w = smith();
    w.days = "-1"; // registered without the check, it would post a negative payment
    EXPECT_THROW(registerWalkIn(store, w, kToday, "9:00:00 AM"), DataError);
    EXPECT_EQ(lastFolioNumber(store), 0);
    EXPECT_EQ(store.guests().count(), 0u);
}

} // namespace
} // namespace roomwright
