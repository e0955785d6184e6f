#include "ops/writing_operations.h"

#include "frontdesk/check_in.h"
#include "frontdesk/check_out.h"
#include "frontdesk/guest_folio.h"
#include "messages/messages.h"
#include "reports/card_erasing.h"
#include "reports/night_audit.h"
#include "reservations/reservations.h"
#include "setup/room_inventory.h"
#include "setup/room_maintenance.h"
#include "store/charges.h"
#include "store/motel_details.h"
#include "store/settings.h"
#include "support/records.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace roomwright::testing {

namespace {

const CivilDate kToday = kOperationDay;

WalkIn walkIn() {
    WalkIn w;
    w.guest.lastName = "Smith";
    w.guest.firstName = "Ann";
    w.guest.address = "12 Elm Street";
    w.guest.city = "Louisville";
    w.guest.state = "Kentucky";
    w.room = "103";
    w.payCode = "C = Cash";
    w.rate = "70";
    w.days = "2";
    w.pet = true;
    w.petFee = "10";
    w.stayTotal = "163";
    return w;
}

Booking booking() {
    Booking b;
    b.arrival = "12/9/2026";
    b.departure = "12/10/2026";
    b.days = "1";
    b.guest.lastName = "Cole";
    b.guest.firstName = "Cy";
    b.guest.address = "1 Main";
    b.guest.city = "Paris";
    b.guest.state = "Kentucky";
    b.room = "103";
    b.rate = "70";
    b.confirmationNumber = "8";
    return b;
}

GuestRecord stayOver(const Store& store) {
    return store.guests().read(1);
}

} // namespace

void layDownMotel(const Store& store) {
    store.directory().ensureExists(store.files());
    store.rooms().append(makeRoom("101", "NQ1", 50));
    store.rooms().append(makeRoom("102", "K11", 65, "N", "N"));
    store.rooms().append(makeRoom("103", "DD1", 70, "N"));
    setTaxRate(store, 0.09f);
    setPetFee(store, 10);
    setShiftAndClerk(store, ShiftClerkRecord{"JS", "A", {}});
    issueFolioNumber(store);
    store.guests().append(
        makeStayOver("102", "Adams", 1, 65, kToday.plusDays(-1), kToday.plusDays(2)));
    postItem(store, 1, "102  ", Category::RoomRent, 65, kToday.plusDays(-1));
    // A stay that has left: the guest file ends in history, as it mostly does.
    issueFolioNumber(store);
    GuestRecord departed =
        makeStayOver("101", "Ellis", 2, 50, kToday.plusDays(-4), kToday.plusDays(-2));
    departed.CheckOutMark = "*";
    store.guests().append(departed);
    // A stay that left long ago with its card still stored: the audit erases it.
    issueFolioNumber(store);
    GuestRecord early =
        withCard(makeStayOver("101", "Early", 3, 50, kToday.plusDays(-92), kToday.plusDays(-90)));
    early.CheckOutMark = "*";
    store.guests().append(early);
    ReservationRecord booked;
    booked.LastName = "Baker";
    booked.FirstName = "Bo";
    booked.RoomNumber = "101";
    booked.ArrivalDate = kToday.stored();
    booked.DepartureDate = kToday.plusDays(2).stored();
    booked.Days = 2;
    booked.ConfirmationNumber = 7;
    store.reservations().append(booked);
    saveMessage(store, 1, {"Desk", "Adams", "Call home"}, kToday);
}

const std::vector<WritingOperation>& everyWritingOperation() {
    static const std::vector<WritingOperation> cases = {
        {"walk-in", [](const Store& s) { registerWalkIn(s, walkIn(), kToday, "10:00:00"); }},
        {"posting", [](const Store& s) { postItem(s, 1, "102  ", Category::Cash, 20, kToday); }},
        {"check-out", [](const Store& s) { checkOut(s, 1, stayOver(s), "11:00:00"); }},
        {"folio changes",
         [](const Store& s) {
             FolioChanges changes;
             changes.boxes[0] = "Adamson";
             changes.payCode = "V";
             changes.room = "102";
             changes.rate = "60";
             changes.departure = "12/10/2026";
             ASSERT_FALSE(saveFolioChanges(s, 1, stayOver(s), changes));
         }},
        {"reservation saved",
         [](const Store& s) { ASSERT_FALSE(saveBooking(s, booking(), kToday)); }},
        {"reservation changed",
         [](const Store& s) {
             const Shown shown = openReservationAt(s, 1).value();
             ReservationChanges changes;
             changes.payCode = "V - Visa";
             changes.arrival = "12/7/2026";
             changes.departure = "12/10/2026";
             changes.days = "3";
             changes.roomNumber = "101";
             changes.guest.lastName = "Baker";
             changes.guest.firstName = "Bo";
             ASSERT_FALSE(saveReservationChanges(s, shown, changes, kToday));
         }},
        {"reservation checked in",
         [](const Store& s) {
             checkInReservation(s, openReservationAt(s, 1).value(), {"50", "109", "V - Visa"},
                                kToday, "12:00:00");
         }},
        {"reservation cancelled",
         [](const Store& s) {
             cancelReservation(s, openReservationAt(s, 1).value(), "Changed plans", kToday);
         }},
        {"night audit", [](const Store& s) { runNightAudit(s, kToday); }},
        {"cards erased",
         [](const Store& s) { EXPECT_EQ(eraseCardsBefore(s, kToday).records(), 1u); }},
        {"all rooms clean", [](const Store& s) { EXPECT_EQ(makeAllRoomsClean(s), 2u); }},
        {"room properties",
         [](const Store& s) {
             saveRoomProperties(s, {true, "101", "K11", "55"});
         }},
        {"room status",
         [](const Store& s) {
             saveRoomStatus(s, {"103", true, std::nullopt, false, "paint"});
         }},
        {"new room",
         [](const Store& s) {
             enterRoom(s, {"104", "NQ1", "45"});
         }},
        {"tax rate", [](const Store& s) { setTaxRate(s, 0.1f); }},
        {"shift and clerk",
         [](const Store& s) {
             setShiftAndClerk(s, ShiftClerkRecord{"MK", "B", {}});
         }},
        {"message saved",
         [](const Store& s) {
             saveMessage(s, 1, {"Desk", "Adams", "Taxi at 9"}, kToday);
         }},
        {"message deleted", [](const Store& s) { EXPECT_TRUE(deleteFirstLiveMessage(s, 1)); }},
        {"motel details",
         [](const Store& s) {
             setMotelDetails(s, {"Blue Heron Motel", "1 Shore Road", "Paris, KY", "Phone: 1", {7}});
         }},
    };
    return cases;
}

const WritingOperation& writingOperation(std::string_view name) {
    const auto& all = everyWritingOperation();
    return *std::ranges::find_if(all, [&](const WritingOperation& o) { return o.name == name; });
}

Files motelFilesOf(Files files) {
    std::erase_if(files, [](const auto& file) {
        return file.first == "inhouse.index" || file.first == "bookings.index" ||
               file.first.ends_with(".new");
    });
    return files;
}

std::string differences(const Files& actual, const Files& expected) {
    std::string names;
    for (const auto& [name, bytes] : actual) {
        const auto other = expected.find(name);
        if (other == expected.end() || other->second != bytes) {
            names += name + " ";
        }
    }
    for (const auto& [name, bytes] : expected) {
        if (!actual.contains(name)) {
            names += name + " (missing) ";
        }
    }
    return names;
}

} // namespace roomwright::testing
