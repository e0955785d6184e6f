#include "reservations/reservations.h"

#include "frontdesk/folio.h"
#include "ops/ops_fixture.h"
#include "store/bookings.h"
#include "store/charges.h"
#include "store/format/numbers.h"
#include "store/format/store_error.h"
#include "store/settings.h"
#include "support/faulty_file_system.h"

#include <functional>

namespace roomwright::testing {
namespace {

const CivilDate kToday{2026, 12, 7};

ReservationRecord booked(const char* room, const CivilDate& arrival, int nights,
                         const char* mark = "") {
    ReservationRecord r;
    r.RoomNumber = room;
    r.ArrivalDate = arrival.stored();
    if (nights > 0) {
        r.DepartureDate = arrival.plusDays(nights).stored();
    }
    r.CheckInMark = mark;
    return r;
}

// Ann Smith's booking of room 101 for 2 nights from the 7th.
Booking smith() {
    Booking b;
    b.arrival = "12/7/2026";
    b.departure = "12/9/2026";
    b.days = "2";
    b.guest.lastName = "Smith";
    b.guest.firstName = "Ann";
    b.guest.address = "12 Elm Street";
    b.guest.city = "Louisville";
    b.guest.state = "Kentucky";
    b.guest.zip = "40202";
    b.room = "101";
    b.rate = "65";
    b.confirmationNumber = "1";
    b.shift = "B";
    b.clerk = "MK";
    return b;
}

class Reservations : public StoreTest {
  protected:
    Reservations() {
        addRoom(room("101", "NQ1", 65));
        addRoom(room("102", "K11", 80, "N", "N"));      // dirty and occupied
        addRoom(room("103", "DD1", 70, "Y", "Y", "X")); // out of order
        setTaxRate(store, 0.12f);
        setShiftAndClerk(store, ShiftClerkRecord{"JS", "A", {}});
    }
    bool overbooks(const char* room, const CivilDate& arrival,
                   std::optional<CivilDate> departure = std::nullopt) {
        return overbooked(store, room, {arrival, departure}, kToday);
    }
    Shown saveAndFind(const Booking& booking) {
        EXPECT_EQ(saveBooking(store, booking, kToday), std::nullopt);
        auto shown = openReservationByNumber(store, leadingNumber(booking.confirmationNumber));
        EXPECT_TRUE(shown);
        return shown.value_or(Shown{});
    }
    static ReservationChanges unchanged(const ReservationRecord& r) {
        ReservationChanges c;
        c.payCode = "V - Visa";
        c.arrival = shortDate(CivilDate::fromStored(r.ArrivalDate));
        c.departure = shortDate(CivilDate::fromStored(r.DepartureDate));
        c.days = plainNumber(r.Days);
        c.roomNumber = r.RoomNumber.trimmed();
        c.guest.lastName = r.LastName.trimmed();
        c.guest.firstName = r.FirstName.trimmed();
        c.guest.address = r.Address.trimmed();
        c.guest.city = r.City.trimmed();
        c.guest.state = r.State.trimmed();
        c.guest.cardExpireMonth = r.CardExpireMonth.trimmed();
        c.guest.cardExpireYear = r.CardExpireYear.trimmed();
        return c;
    }
};

TEST_F(Reservations, OffersEveryRoomButThoseOutOfOrder) {
    EXPECT_EQ(roomsForBooking(store),
              (std::vector<RoomEntry>{{"101   NQ1       ", "101"}, {"102   K11       ", "102"}}));
    EXPECT_EQ(everyRoomEntry(store).size(), 3u);
}

TEST_F(Reservations, AStayOverbooksAnOpenReservationOfTheRoomWhoseNightsItShares) {
    store.reservations().append(booked("101", {2026, 12, 7}, 3));  // nights 7, 8, 9
    store.reservations().append(booked("102", {2026, 12, 20}, 0)); // no departure: one night
    store.reservations().append(booked("101", {2026, 12, 15}, 2, "*"));
    ReservationRecord cancelled = booked("103", {2026, 12, 7}, 3);
    markCancelled(cancelled, {2026, 12, 1}, "");
    store.reservations().append(cancelled);
    store.reservations().append(booked("103", {2026, 12, 5}, 5)); // a no-show since the 5th
    const struct {
        const char* room;
        CivilDate arrival;
        std::optional<CivilDate> departure;
        bool conflict;
    } cases[] = {
        {"101", {2026, 12, 7}, std::nullopt, true},              // same arrival day
        {"101", {2026, 12, 8}, CivilDate{2026, 12, 12}, true},   // arrives inside the stay
        {"101", {2026, 12, 1}, CivilDate{2026, 12, 8}, true},    // leaves inside it
        {"101", {2026, 12, 10}, CivilDate{2026, 12, 12}, false}, // arrives on its departure
        {"101", {2026, 12, 3}, CivilDate{2026, 12, 7}, false},   // leaves on its arrival
        {"101", {2026, 12, 15}, std::nullopt, false},            // only checked in there
        {"102", {2026, 12, 20}, std::nullopt, true},
        {"102", {2026, 12, 21}, std::nullopt, false},
        {"103", {2026, 12, 7}, std::nullopt, false}, // cancelled; no-show gone
        {"103", {2026, 12, 5}, std::nullopt, true},  // the no-show's arrival night stays held
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.room) + " " + shortDate(c.arrival));
        EXPECT_EQ(overbooks(c.room, c.arrival, c.departure), c.conflict);
    }
    EXPECT_FALSE(overbooked(store, "101", {{2026, 12, 8}, std::nullopt}, kToday, 1)); // itself
}

TEST_F(Reservations, PricesABookingAndARetrievalAndRecomputesOnNewDays) {
    EXPECT_EQ(bookingPrice(65, 65, 0.12f, "3"), (Price{"65", "7.8", "72.8", "218.4"}));
    EXPECT_EQ(bookingPrice(65, 65, 0.12f, ""), (Price{"65", "7.8", "72.8", "0"}));

    // Booked at 60, the room now costs 65: the tax stays on the booked rate.
    setTaxRate(store, 0.1f);
    ReservationRecord r = booked("101", kToday, 2);
    r.Rate = 60;
    r.Days = 2;
    EXPECT_EQ(retrievedPrice(store, r), (Price{"65", "6", "71", "142"}));
    EXPECT_EQ(recomputedPrice("65", "3", 0.1f), (Price{"65", "6.5", "71.5", "214.5"}));
    r.RoomNumber = "999"; // the room has gone: the booked rate stands
    EXPECT_EQ(retrievedPrice(store, r), (Price{"60", "6", "66", "132"}));
}

TEST_F(Reservations, SavesANewBookingAsAnOpenReservation) {
    Booking b = smith();
    b.room = "102"; // occupied rooms can be booked
    b.rate = "80";
    ASSERT_EQ(saveBooking(store, b, kToday), std::nullopt);
    const ReservationRecord r = store.reservations().read(1);
    EXPECT_TRUE(r.open());
    EXPECT_EQ(r.RoomNumber.str(), "102  ");
    EXPECT_EQ(r.ArrivalDate, kToday.stored());
    EXPECT_EQ(r.DepartureDate, (CivilDate{2026, 12, 9}).stored());
    EXPECT_EQ(r.Days, 2.0f);
    EXPECT_EQ(r.Rate, 80.0f);
    EXPECT_EQ(r.ConfirmationNumber, 1.0f);
    EXPECT_EQ(r.State.trimmed(), "Kentucky");
    EXPECT_EQ(r.Shift.str(), "B");
    EXPECT_EQ(r.Clerk.str(), "MK");
    // Without card details the lists' prompts are stored, cut to their fields.
    EXPECT_EQ(r.CardExpireMonth.trimmed(), "Expire Month");
    EXPECT_EQ(r.CardExpireYear.str(), "Expir");
    EXPECT_EQ(r.CardType.str(), std::string(20, '\0'));
    EXPECT_EQ(r.PayCode.str(), std::string(1, '\0'));
    EXPECT_EQ(r.FolioNumber, 0.0f);
}

TEST_F(Reservations, RefusesABookingAtTheFirstBoxThatFailsAndWritesNothing) {
    store.reservations().append(booked("101", {2026, 12, 8}, 1));
    const std::string before = readFile(directory.reservation());
    const struct {
        void (*spoil)(Booking&);
        BookingField field;
        const char* message;
    } cases[] = {
        {[](Booking& b) { b.arrival = ""; }, BookingField::Arrival,
         "You did not enter an arrival date."},
        {[](Booking& b) { b.arrival = "12/32/2026"; }, BookingField::Arrival,
         "The text in \"Arriving On\" is not a date. Type it as month/day/year."},
        {[](Booking& b) { b.departure = ""; }, BookingField::Departure,
         "You did not enter a departure date."},
        {[](Booking& b) { b.departure = "tomorrow"; }, BookingField::Departure,
         "The text in \"Departing On\" is not a date. Type it as month/day/year."},
        {[](Booking& b) { b.days = "-2"; }, BookingField::Days,
         "\"Days\" must be a whole number of 0 or more."},
        {[](Booking& b) { b.days = "two"; }, BookingField::Days,
         "\"Days\" must be a whole number of 0 or more."},
        {[](Booking& b) { b.guest.firstName = b.guest.address = ""; }, BookingField::FirstName,
         "You did not enter a first name."},
        {[](Booking& b) { b.guest.city = ""; }, BookingField::City, "You did not enter a city."},
        {[](Booking& b) { b.guest.state = "Select State"; }, BookingField::State,
         "You did not enter a state."},
        {[](Booking& b) { b.room.reset(); }, BookingField::Room, "You did not enter a room."},
        // Room 101 is booked from the 8th: the 7th to the 9th shares a night with it.
        {[](Booking&) {}, BookingField::Room,
         "Overbooking on this room. Please choose another room."},
    };
    for (const auto& c : cases) {
        Booking b = smith();
        c.spoil(b);
        const auto refusal = saveBooking(store, b, kToday);
        ASSERT_TRUE(refusal) << c.message;
        EXPECT_EQ(refusal->message, c.message);
        EXPECT_EQ(refusal->field, c.field);
    }
    EXPECT_EQ(readFile(directory.reservation()), before);
    Booking blanks = smith();
    blanks.guest.lastName = " "; // blanks are not empty
    blanks.days = "";            // no count typed
    blanks.departure = "12/8/2026";
    EXPECT_EQ(saveBooking(store, blanks, kToday), std::nullopt);
}

TEST_F(Reservations, FindsOpenReservationsByNumberTheLastOfTwoAndListsThemByName) {
    for (const auto& [number, last, mark] :
         {std::tuple{12.0f, "Smith", ""}, {7.0f, "Jones", "*"}, {12.0f, "Brown", ""}}) {
        ReservationRecord r = booked("101", kToday, 1, mark);
        r.ConfirmationNumber = number;
        r.LastName = last;
        r.FirstName = "Ann";
        store.reservations().append(r);
    }
    const auto shown = openReservationByNumber(store, 12);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->record, 3u);
    EXPECT_FALSE(openReservationByNumber(store, 7)); // checked in
    const auto names = openReservationNames(store);
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0].record, 1u);
    EXPECT_EQ(names[0].text, " 12         Smith, Ann");
    EXPECT_EQ(names[1].record, 3u);
    EXPECT_FALSE(openReservationAt(store, 2));
    EXPECT_FALSE(openReservationAt(store, 4));
}

TEST_F(Reservations, SavingChangesWritesTheShownRecordOnlyAndKeepsTheBookedRate) {
    saveAndFind(smith());
    Booking twin = smith();
    twin.room = "102"; // an older file's second booking with number 1
    twin.guest.lastName = "Brown";
    const Shown shown = saveAndFind(twin);
    ASSERT_EQ(shown.record, 2u);

    ReservationChanges c = unchanged(shown.reservation);
    c.roomNumber = "101"; // the room list's choice
    c.arrival = "12/10/2026";
    c.departure = "12/12/2026";
    c.guest.comment = "Late arrival";
    c.guest.cardType = "M";
    c.payCode = "C - Cash";
    ASSERT_EQ(saveReservationChanges(store, shown, c, kToday), std::nullopt);
    const ReservationRecord first = store.reservations().read(1);
    const ReservationRecord second = store.reservations().read(2);
    EXPECT_EQ(first.LastName.trimmed(), "Smith");
    EXPECT_EQ(first.Comment.trimmed(), "");
    EXPECT_EQ(second.Comment.trimmed(), "Late arrival");
    EXPECT_EQ(second.RoomNumber.str(), "101  ");
    EXPECT_EQ(second.Rate, 65.0f);
    EXPECT_EQ(second.CardType.trimmed(), "M");
    EXPECT_EQ(second.PayCode.str(), "C");
    EXPECT_EQ(second.ArrivalDate, (CivilDate{2026, 12, 10}).stored());
    EXPECT_EQ(second.ConfirmationNumber, 1.0f);

    // No card chosen in the window keeps the stored one.
    c.guest.cardType = "";
    ASSERT_EQ(saveReservationChanges(store, openReservationAt(store, 2).value(), c, kToday),
              std::nullopt);
    EXPECT_EQ(store.reservations().read(2).CardType.trimmed(), "M");
}

TEST_F(Reservations, SavingChangesRefusesBadBoxesAndAMoveOntoAnotherBooking) {
    saveAndFind(smith()); // 101, 7th to 9th
    Booking other = smith();
    other.confirmationNumber = "2";
    other.room = "102";
    const Shown shown = saveAndFind(other); // 102, 7th to 9th
    const std::string before = readFile(directory.reservation());
    const struct {
        void (*spoil)(ReservationChanges&);
        ChangeField field;
        const char* message;
    } cases[] = {
        {[](ReservationChanges& c) { c.payCode = "Select Pay Code"; }, ChangeField::PayCode,
         "You did not enter a pay code."},
        {[](ReservationChanges& c) { c.payCode = ""; }, ChangeField::PayCode,
         "You did not enter a pay code."},
        {[](ReservationChanges& c) { c.arrival = "2/30/2026"; }, ChangeField::Arrival,
         "The text in \"Arrival Date\" is not a date. Type it as month/day/year."},
        {[](ReservationChanges& c) { c.departure = ""; }, ChangeField::Departure,
         "The text in \"Depart Date\" is not a date. Type it as month/day/year."},
        {[](ReservationChanges& c) { c.days = "1.5"; }, ChangeField::Days,
         "\"Days\" must be a whole number of 0 or more."},
        {[](ReservationChanges& c) { c.roomNumber = "101"; }, ChangeField::Room,
         "Overbooking on this room. Please choose another room."},
    };
    for (const auto& c : cases) {
        ReservationChanges changes = unchanged(shown.reservation);
        c.spoil(changes);
        const auto refusal = saveReservationChanges(store, shown, changes, kToday);
        ASSERT_TRUE(refusal) << c.message;
        EXPECT_EQ(refusal->message, c.message);
        EXPECT_EQ(refusal->field, c.field);
    }
    EXPECT_EQ(readFile(directory.reservation()), before);
    // Unmoved, a booking never overbooks itself.
    EXPECT_EQ(saveReservationChanges(store, shown, unchanged(shown.reservation), kToday),
              std::nullopt);
}

TEST_F(Reservations, ACancelledBookingIsOpenToNoReaderAndNothingMoreIsDoneToIt) {
    const Shown shown = saveAndFind(smith()); // 101, the 7th to the 9th
    Booking other = smith();
    other.confirmationNumber = "2";
    other.room = "102";
    saveAndFind(other);
    const std::string before = readFile(directory.reservation());

    cancelReservation(store, shown, "Guest called off the whole trip", {2026, 12, 6});
    const std::string after = readFile(directory.reservation());
    // The older program's reading: a check-in mark of "*" is a booking no longer open.
    EXPECT_EQ(after.substr(493, 20), "*" + std::string(19, ' '));
    EXPECT_EQ(after.substr(513, 40), "Cancelled 2026-12-06Guest called off the");
    std::string expected = before;
    expected.replace(493, 60, after.substr(493, 60));
    EXPECT_EQ(after, expected); // nothing else, the other booking least of all
    // This program's reading.
    EXPECT_EQ(cancellation(store.reservations().read(1)),
              (Cancellation{{2026, 12, 6}, "Guest called off the"}));
    EXPECT_FALSE(openReservationByNumber(store, 1));
    EXPECT_FALSE(openReservationAt(store, 1));
    ASSERT_EQ(openReservationNames(store).size(), 1u);
    EXPECT_EQ(openReservationNames(store)[0].record, 2u);
    EXPECT_FALSE(overbooks("101", kToday));
    ASSERT_EQ(openArrivals(store, kToday).size(), 1u);
    EXPECT_EQ(openArrivals(store, kToday)[0].first, 2u);

    // Neither checked in nor cancelled again, and nothing is written for trying.
    EXPECT_THROW(checkInReservation(store, shown, {"65", "145.6", "V - Visa"}, kToday, "9:00 AM"),
                 DataError);
    EXPECT_THROW(cancelReservation(store, shown, "", kToday), DataError);
    EXPECT_THROW(markNoShow(store, 1, kToday), DataError);
    EXPECT_EQ(readFile(directory.reservation()), after);
    EXPECT_EQ(store.guests().count(), 0u);
    EXPECT_EQ(lastFolioNumber(store), 0);

    // A guest who never came.
    markNoShow(store, 2, kToday);
    EXPECT_EQ(cancellation(store.reservations().read(2)), (Cancellation{kToday, "No-show"}));
    EXPECT_TRUE(openArrivals(store, kToday).empty());
}

// The reservation window saves and checks in the record it shows, and only while that
// record still carries the shown confirmation number: a record rewritten since with another
// booking is left as it is.
TEST_F(Reservations, ARecordThatNoLongerCarriesTheShownNumberIsNotWritten) {
    const Shown shown = saveAndFind(smith());
    ReservationRecord other = shown.reservation;
    other.ConfirmationNumber = 2;
    other.LastName = "Other";
    store.reservations().write(shown.record, other);
    const std::string before = readFile(directory.reservation());
    const struct {
        const char* name;
        std::function<void()> write;
    } cases[] = {
        {"saved",
         [&] { saveReservationChanges(store, shown, unchanged(shown.reservation), kToday); }},
        {"checked in",
         [&] {
             checkInReservation(store, shown, {"65", "145.6", "V - Visa"}, kToday, "9:00");
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(c.write(), DataError);
        EXPECT_EQ(readFile(directory.reservation()), before);
        EXPECT_EQ(store.guests().count(), 0u);
    }
}

class ReservationCheckIn : public Reservations {
  protected:
    ReservationCheckIn() {
        Booking b = smith();
        b.arrival = "12/5/2026"; // booked for an earlier day
        b.departure = "12/7/2026";
        b.guest.phone = "502-555-0101";
        b.guest.cardType = "V";
        b.guest.cardNumber = "4111";
        b.guest.cardExpireMonth = "Febuary";
        b.guest.cardExpireYear = "2028";
        shown = saveAndFind(b);
    }
    GuestRecord checkIn(const char* payCode, const char* total = "145.6") {
        return checkInReservation(store, shown, {"65", total, payCode}, kToday, "3:42:10 PM");
    }
    std::vector<std::string> lines(long folio) {
        std::vector<std::string> texts;
        for (const ChargeLine& line : readCharges(store, folio).lines) {
            texts.push_back(line.Code + " " + line.Description + " " + plainNumber(line.Amount));
        }
        return texts;
    }
    Shown shown;
};

TEST_F(ReservationCheckIn, TurnsTheStoredBookingIntoAStayAndMarksTheRoom) {
    const std::string roomBefore = roomSlot(1);
    const GuestRecord guest = checkIn("V - Visa");
    EXPECT_EQ(guest.FolioNumber, 1.0f);
    ASSERT_EQ(store.guests().count(), 1u);
    const GuestRecord saved = store.guests().read(1);
    EXPECT_EQ(saved.LastName.trimmed(), "Smith");
    EXPECT_EQ(saved.State.trimmed(), "Kentucky");
    EXPECT_EQ(saved.RoomNumber.str(), "101  ");
    EXPECT_EQ(saved.ArrivalDate, kToday.stored()); // today, not the booked day
    EXPECT_EQ(saved.ArrivalTime.trimmed(), "3:42:10 PM");
    EXPECT_EQ(saved.DepartureDate, kToday.stored());
    EXPECT_EQ(saved.Days, 2.0f);
    EXPECT_EQ(saved.Rate, 65.0f);
    EXPECT_EQ(saved.Shift.str(), "B"); // who took the booking
    EXPECT_EQ(saved.Clerk.str(), "MK");
    EXPECT_EQ(saved.CardType.trimmed(), "V");
    EXPECT_EQ(saved.CardExpireMonth.trimmed(), "Febuary");
    EXPECT_EQ(saved.PayCode.str(), std::string(1, '\0')); // the booking's, never saved
    EXPECT_TRUE(saved.inHouse());
    EXPECT_FALSE(store.reservations().read(1).open());
    EXPECT_FALSE(openReservationByNumber(store, 1));
    EXPECT_TRUE(openReservationNames(store).empty());

    EXPECT_EQ(lines(1), (std::vector<std::string>{"E Room Rent 65", "V Visa 145.6"}));
    const auto charges = readCharges(store, 1).lines;
    EXPECT_EQ(charges[0].Shift, "A"); // who is on duty now
    EXPECT_EQ(charges[0].PostDate, kToday);
    const TotalsRecord totals = store.totals(kToday).read(1);
    EXPECT_FLOAT_EQ(totals[TotalsSlot::RoomRent], 65);
    EXPECT_FLOAT_EQ(totals[TotalsSlot::Visa], 145.6f);
    EXPECT_EQ(numberText(folioStatement(charges, taxRate(store)).balance), "-72.8");

    std::string roomAfter = roomBefore;
    roomAfter[18] = 'N';
    roomAfter[19] = 'N';
    EXPECT_EQ(roomSlot(1), roomAfter);
    // Checked in, it is no longer the shown open reservation.
    EXPECT_THROW(checkIn("V - Visa"), DataError);
    EXPECT_EQ(lastFolioNumber(store), 1);
}

TEST_F(ReservationCheckIn, ThePayCodesFirstLetterPicksThePayment) {
    const struct {
        const char* payCode;
        std::vector<std::string> lines;
        std::optional<TotalsSlot> slot;
    } cases[] = {
        {"C - Cash", {"E Room Rent 65", "C Cash 145.6"}, TotalsSlot::Cash},
        {"K - Check", {"E Room Rent 65", "K Check 145.6"}, TotalsSlot::Check},
        {"Other: voucher", {"E Room Rent 65", "O Other 145.6"}, TotalsSlot::Other},
        {"Z", {"E Room Rent 65"}, std::nullopt},
    };
    long folio = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.payCode);
        store.reservations().write(shown.record, shown.reservation); // open again
        TotalsRecord expected = store.totals(kToday).read(1);
        expected[TotalsSlot::RoomRent] += 65;
        if (c.slot) {
            expected[*c.slot] += 145.6f;
        }
        checkIn(c.payCode);
        EXPECT_EQ(lines(++folio), c.lines);
        EXPECT_EQ(store.totals(kToday).read(1).sums, expected.sums);
    }
}

TEST(ReservationCheckInOnAFailingDisk, TakesBackEveryWrite) {
    TempDir temp;
    FaultyFileSystem files;
    const DataDirectory directory(temp.path() / "Motel");
    directory.ensureExists(files);
    const Store store(directory, files);
    store.rooms().append(makeRoom("101", "NQ1", 65));
    ReservationRecord r = booked("101", kToday, 2);
    r.ConfirmationNumber = 1;
    store.reservations().append(r);
    const Shown shown = openReservationAt(store, 1).value();
    const std::string roomBefore = readFile(directory.room());
    const std::string reservationsBefore = readFile(directory.reservation());
    // Fail each of the first writes in turn: the journal's and the check-in's own.
    for (int good = 0; good < 8; ++good) {
        SCOPED_TRACE(good);
        files.failOnceAfter(good);
        EXPECT_THROW(
            checkInReservation(store, shown, {"65", "145.6", "V - Visa"}, kToday, "9:00:00 AM"),
            StoreError);
        files.heal();
        EXPECT_EQ(readFile(directory.reservation()), reservationsBefore);
        EXPECT_EQ(store.guests().count(), 0u);
        EXPECT_EQ(readFile(directory.room()), roomBefore);
        EXPECT_EQ(store.totals(kToday).read(1).sums, TotalsRecord{}.sums);
        EXPECT_EQ(readFile(directory.chargeFile(lastFolioNumber(store))), "");
    }
    EXPECT_EQ(lastFolioNumber(store), 0); // the counter is taken back with the rest
}

} // namespace
} // namespace roomwright::testing
