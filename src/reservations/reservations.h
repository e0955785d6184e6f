#pragma once

#include "frontdesk/registration.h"
#include "store/bookings.h"
#include "store/format/dates.h"
#include "store/lookups.h"
#include "store/refusal.h"
#include "store/store.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace roomwright {

// Rooms a booking can be taken for, as room entries in file order: every room that is not
// out of order, occupied and dirty ones included.
std::vector<RoomEntry> roomsForBooking(const Store& store);
// Every room as a room entry, in file order, out-of-order ones included.
std::vector<RoomEntry> everyRoomEntry(const Store& store);

// The nights of a stay: from the arrival up to, not including, the departure. A stay without
// a departure after its arrival takes one night.
struct Stay {
    CivilDate arrival;
    std::optional<CivilDate> departure;
};
// True when an open booking of the room, other than record `except` (0: none), holds a night
// of the stay (`heldNights`: a no-show holds only its arrival night). Checked-in and
// cancelled bookings never count.
bool overbooked(const Store& store, std::string_view roomNumber, const Stay& stay,
                const CivilDate& today, std::size_t except = 0);
inline const std::string kOverbooking = "Overbooking on this room. Please choose another room.";

// The price boxes of the reservation windows, in the form they show.
struct Price {
    std::string rate;
    std::string tax;
    std::string total;
    std::string stayTotal;
    friend bool operator==(const Price&, const Price&) = default;
};
// The price of a booking at `rate`: the tax is `taxBase` times the tax rate in single
// precision, rounded to cents; "Total" is one night with its tax and "Total This Stay" that
// many times the days (0 when the days hold no number).
Price bookingPrice(float rate, float taxBase, float taxRate, std::string_view days);
// The price a retrieved reservation shows: the room's current rate (the booked one when the
// room is no longer in the file) with the tax of the booked rate, for the booked days.
Price retrievedPrice(const Store& store, const ReservationRecord& reservation);
// The price after the clerk changed the days: the tax of the rate shown, each sum rounded to
// cents.
Price recomputedPrice(std::string_view rate, std::string_view days, float taxRate);

// The refusal of a date box that holds no date, naming the box.
std::string notADate(std::string_view box);

// The guest's details of a booking before the clerk fills them in: the lists show their
// prompts, which are stored as they are when the clerk leaves the card details out.
inline GuestDetails promptedGuest() {
    GuestDetails guest;
    guest.state = kStatePrompt;
    guest.cardExpireMonth = kExpireMonthPrompt;
    guest.cardExpireYear = kExpireYearPrompt;
    return guest;
}

// A new booking as the entry window holds it: its boxes' texts, the texts of its lists (their
// prompt while nothing is picked) and its labels.
struct Booking {
    std::string arrival;
    std::string departure;
    std::string days;
    GuestDetails guest = promptedGuest();
    std::optional<std::string> room; // the number of the room chosen
    std::string rate;
    std::string confirmationNumber;
    std::string shift;
    std::string clerk;
};
enum class BookingField {
    Arrival,
    Departure,
    Days,
    LastName,
    FirstName,
    Address,
    City,
    State,
    Room
};
// A booking turned down: what to tell the clerk and the box to put the focus on.
using BookingRefusal = Refusal<BookingField>;
// Checks the booking in the order the clerk is asked for it and, when it passes, appends it
// as a new open reservation. Returns the refusal, and writes nothing, when it does not pass:
// an empty or invalid date, days that are not a whole number of 0 or more, a missing name,
// address, city, state or room, or a stay that overbooks the room.
std::optional<BookingRefusal> saveBooking(const Store& store, const Booking& booking,
                                          const CivilDate& today);

// The reservation a window shows: its record number, and the record as it was read.
struct Shown {
    std::size_t record = 0;
    ReservationRecord reservation;
};
// The open reservations carrying the confirmation number, in record order.
std::vector<Shown> openReservationsNumbered(const Store& store, double confirmationNumber);
// The open reservation carrying the confirmation number; of several, the last in the file.
std::optional<Shown> openReservationByNumber(const Store& store, double confirmationNumber);
// One line of the list of open reservations, and the record it stands for.
struct NameLine {
    std::size_t record;
    std::string text; // " 12         Smith, Ann"
};
std::vector<NameLine> openReservationNames(const Store& store);
// Record n, when it is still open; nothing otherwise.
std::optional<Shown> openReservationAt(const Store& store, std::size_t record);

// The boxes of the reservation window that a save writes back, as texts.
struct ReservationChanges {
    std::string payCode; // the pay code list's text
    std::string arrival;
    std::string departure;
    std::string days;
    std::string roomNumber; // the room shown beside "Room"
    GuestDetails guest;     // a card type of "" keeps the stored one
};
enum class ChangeField { PayCode, Arrival, Departure, Days, Room };
// Changes or a check-in turned down: what to tell the clerk and the box to put the focus on.
using ChangeRefusal = Refusal<ChangeField>;
inline const std::string kSelectPayCode = "Select Pay Code";
// The pay codes the reservation window offers, in order; the clerk may also type one.
const std::vector<std::string>& reservationPayCodes();
inline const std::string kNoPayCode = "You did not enter a pay code.";
// The boxes that "Save and Exit" and "Check In" both need to be sound: a pay code chosen,
// valid dates and whole days of 0 or more.
std::optional<ChangeRefusal> checkShownBoxes(const ReservationChanges& changes);
// Writes the changes into the shown reservation (record `shown.record`, still open and
// carrying the shown confirmation number), keeping every other field. A changed room or
// changed dates are checked for overbooking against the other open reservations.
std::optional<ChangeRefusal> saveReservationChanges(const Store& store, const Shown& shown,
                                                    const ReservationChanges& changes,
                                                    const CivilDate& today);

// Cancels the shown reservation (still open and carrying the shown confirmation number) on
// `today` for `reason`, as one operation: it is closed for every reader and keeps every
// other field (see BookingState). Throws DataError, writing nothing, when the record is no
// longer the shown open reservation.
void cancelReservation(const Store& store, const Shown& shown, std::string_view reason,
                       const CivilDate& today);
// Marks the open booking at `record` a no-show: cancelled on `today` for "No-show". Throws
// DataError, writing nothing, when it is no longer open.
void markNoShow(const Store& store, std::size_t record, const CivilDate& today);

// What "Check In" takes from the reservation window besides the shown reservation.
struct ReservationArrival {
    std::string rate;      // the first night's room rent
    std::string stayTotal; // paid for the whole stay
    std::string payCode;   // its first letter picks the payment; none when it names none
};
// Turns the shown reservation, as stored, into a stay: marks it checked in and registers the
// guest as every check-in does (folio number, guest record, postings, room occupied and
// dirty), as one operation: a file failure leaves none of it. Throws DataError when the
// record is no longer the shown open reservation.
GuestRecord checkInReservation(const Store& store, const Shown& shown,
                               const ReservationArrival& arrival, const CivilDate& today,
                               const std::string& timeText);

} // namespace roomwright
