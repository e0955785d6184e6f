#include "reservations/reservations.h"

#include "frontdesk/registration.h"
#include "store/charges.h"
#include "store/format/numbers.h"
#include "store/format/path_text.h"
#include "store/format/store_error.h"
#include "store/settings.h"

namespace roomwright {

namespace {

std::optional<BookingRefusal> refuseBooking(BookingField field, std::string message) {
    return BookingRefusal{field, std::move(message)};
}
std::optional<ChangeRefusal> refuseChange(ChangeField field, std::string message) {
    return ChangeRefusal{field, std::move(message)};
}

const std::string kNotDays = "\"Days\" must be a whole number of 0 or more.";

// Days as the clerk typed them: an empty box counts as none.
std::optional<long> dayCount(const std::string& days) {
    return days.empty() ? std::optional<long>(0) : wholeDayCount(days);
}

// A card option's letter; anything else means no card was chosen.
bool isCardLetter(const std::string& letter) {
    return letter == "V" || letter == "M" || letter == "D" || letter == "A";
}

} // namespace

std::string notADate(std::string_view box) {
    return "The text in \"" + std::string(box) + "\" is not a date. Type it as month/day/year.";
}

const std::vector<std::string>& reservationPayCodes() {
    static const std::vector<std::string> codes = {"V - Visa",     "M - Master Card",
                                                   "D - Discover", "A - American Express",
                                                   "C - Cash",     "K - Check"};
    return codes;
}

std::vector<RoomEntry> roomsForBooking(const Store& store) {
    return roomEntries(store, roomEntry,
                       [](const RoomRecord& room) { return room.OrderFlag.str() != "X"; });
}

std::vector<RoomEntry> everyRoomEntry(const Store& store) {
    return roomEntries(store, roomEntry);
}

bool overbooked(const Store& store, std::string_view roomNumber, const Stay& stay,
                const CivilDate& today, std::size_t except) {
    const long arrival = stay.arrival.serial();
    const long departure = endOfStay(
        arrival, stay.departure ? std::optional<long>(stay.departure->serial()) : std::nullopt);
    bool conflict = false;
    scanOpenBookings(store, {arrival, departure, rightTrim(roomNumber)}, today,
                     [&](std::size_t n, const RecordView<ReservationRecord>&, const HeldNights&) {
                         conflict = n != except;
                         return !conflict;
                     });
    return conflict;
}

Price bookingPrice(float rate, float taxBase, float taxRate, std::string_view days) {
    // Each box shows a number in its shortest form and the next sum reads that form back.
    const double rateShown = leadingNumber(plainNumber(rate));
    const double tax = roundToCents(leadingNumber(plainNumber(taxBase * taxRate)));
    const double total = rateShown + tax;
    return {plainNumber(rate), plainNumber(tax), plainNumber(total),
            plainNumber(total * leadingNumber(days))};
}

Price retrievedPrice(const Store& store, const ReservationRecord& reservation) {
    const auto room = findRoom(store, reservation.RoomNumber.trimmed());
    const float rate = room ? room->second.Rate : reservation.Rate;
    return bookingPrice(rate, reservation.Rate, taxRate(store), plainNumber(reservation.Days));
}

Price recomputedPrice(std::string_view rate, std::string_view days, float taxRate) {
    const double rateShown = leadingNumber(rate);
    const double tax = roundToCents(static_cast<double>(taxRate) * rateShown);
    const double total = roundToCents(rateShown + tax);
    return {std::string(rate), plainNumber(tax), plainNumber(total),
            plainNumber(roundToCents(leadingNumber(days) * total))};
}

std::optional<BookingRefusal> saveBooking(const Store& store, const Booking& booking,
                                          const CivilDate& today) {
    using F = BookingField;
    if (booking.arrival.empty()) {
        return refuseBooking(F::Arrival, "You did not enter an arrival date.");
    }
    const auto arrival = parseShortDate(booking.arrival);
    if (!arrival) {
        return refuseBooking(F::Arrival, notADate("Arriving On"));
    }
    if (booking.departure.empty()) {
        return refuseBooking(F::Departure, "You did not enter a departure date.");
    }
    const auto departure = parseShortDate(booking.departure);
    if (!departure) {
        return refuseBooking(F::Departure, notADate("Departing On"));
    }
    const auto days = dayCount(booking.days);
    if (!days) {
        return refuseBooking(F::Days, kNotDays);
    }
    const std::pair<const std::string*, BookingRefusal> required[] = {
        {&booking.guest.lastName, {F::LastName, "You did not enter a last name."}},
        {&booking.guest.firstName, {F::FirstName, "You did not enter a first name."}},
        {&booking.guest.address, {F::Address, "You did not enter an address."}},
        {&booking.guest.city, {F::City, "You did not enter a city."}},
    };
    for (const auto& [text, refusal] : required) {
        if (text->empty()) {
            return refusal;
        }
    }
    if (booking.guest.state == "Select State") {
        return refuseBooking(F::State, "You did not enter a state.");
    }
    if (!booking.room) {
        return refuseBooking(F::Room, "You did not enter a room.");
    }
    if (overbooked(store, *booking.room, {*arrival, *departure}, today)) {
        return refuseBooking(F::Room, kOverbooking);
    }

    ReservationRecord reservation;
    reservation.ArrivalDate = arrival->stored();
    reservation.DepartureDate = departure->stored();
    reservation.Days = static_cast<float>(*days);
    putDetails(booking.guest, reservation);
    reservation.Shift = booking.shift;
    reservation.Clerk = booking.clerk;
    if (isCardLetter(booking.guest.cardType)) {
        reservation.CardType = booking.guest.cardType;
    }
    reservation.RoomNumber = *booking.room;
    reservation.Rate = static_cast<float>(leadingNumber(booking.rate));
    reservation.ConfirmationNumber = static_cast<float>(leadingNumber(booking.confirmationNumber));
    asOneOperation(store, [&] { store.reservations().append(reservation); });
    return std::nullopt;
}

std::vector<Shown> openReservationsNumbered(const Store& store, double confirmationNumber) {
    std::vector<Shown> shown;
    const auto number = static_cast<float>(confirmationNumber);
    scanOpenBookings(store, [&](std::size_t n, const RecordView<ReservationRecord>& view) {
        if (view.number<&ReservationRecord::ConfirmationNumber>() == number) {
            shown.push_back(Shown{n, view.decode()});
        }
        return true;
    });
    return shown;
}

std::optional<Shown> openReservationByNumber(const Store& store, double confirmationNumber) {
    std::vector<Shown> shown = openReservationsNumbered(store, confirmationNumber);
    if (shown.empty()) {
        return std::nullopt;
    }
    return std::move(shown.back());
}

std::vector<NameLine> openReservationNames(const Store& store) {
    std::vector<NameLine> lines;
    scanOpenBookings(store, [&](std::size_t n, const RecordView<ReservationRecord>& view) {
        lines.push_back({n, numberText(view.number<&ReservationRecord::ConfirmationNumber>()) +
                                std::string(9, ' ') + view.trimmed<&ReservationRecord::LastName>() +
                                ", " + view.trimmed<&ReservationRecord::FirstName>()});
        return true;
    });
    return lines;
}

std::optional<Shown> openReservationAt(const Store& store, std::size_t record) {
    const Table<ReservationRecord> reservations = store.reservations();
    if (record == 0 || record > reservations.count()) {
        return std::nullopt;
    }
    ReservationRecord reservation = reservations.read(record);
    if (!reservation.open()) {
        return std::nullopt;
    }
    return Shown{record, std::move(reservation)};
}

std::optional<ChangeRefusal> checkShownBoxes(const ReservationChanges& changes) {
    using F = ChangeField;
    if (trimBlanks(changes.payCode).empty() || changes.payCode == kSelectPayCode) {
        return refuseChange(F::PayCode, kNoPayCode);
    }
    if (!parseShortDate(changes.arrival)) {
        return refuseChange(F::Arrival, notADate("Arrival Date"));
    }
    if (!parseShortDate(changes.departure)) {
        return refuseChange(F::Departure, notADate("Depart Date"));
    }
    if (!dayCount(changes.days)) {
        return refuseChange(F::Days, kNotDays);
    }
    return std::nullopt;
}

namespace {

// The shown reservation as the file holds it now; refused when the record has since been
// checked in or no longer carries the shown confirmation number.
Shown currentRecord(const Store& store, const Shown& shown) {
    auto current = openReservationAt(store, shown.record);
    if (!current ||
        current->reservation.ConfirmationNumber != shown.reservation.ConfirmationNumber) {
        throw DataError("Reservation " + plainNumber(shown.reservation.ConfirmationNumber) +
                        " is no longer open in " + utf8Text(store.directory().reservation()) +
                        "; nothing was written. Retrieve it again.");
    }
    return *current;
}

} // namespace

std::optional<ChangeRefusal> saveReservationChanges(const Store& store, const Shown& shown,
                                                    const ReservationChanges& changes,
                                                    const CivilDate& today) {
    if (auto refusal = checkShownBoxes(changes)) {
        return refusal;
    }
    Operation operation(store);
    ReservationRecord record = currentRecord(store, shown).reservation;
    const CivilDate arrival = *parseShortDate(changes.arrival);
    const CivilDate departure = *parseShortDate(changes.departure);
    const bool moved = rightTrim(changes.roomNumber) != record.RoomNumber.trimmed() ||
                       arrival != CivilDate::fromStored(record.ArrivalDate) ||
                       departure != CivilDate::fromStored(record.DepartureDate);
    if (moved && overbooked(store, changes.roomNumber, {arrival, departure}, today, shown.record)) {
        return refuseChange(ChangeField::Room, kOverbooking);
    }
    record.RoomNumber = changes.roomNumber;
    record.ArrivalDate = arrival.stored();
    record.DepartureDate = departure.stored();
    record.Days = static_cast<float>(*dayCount(changes.days));
    putDetails(changes.guest, record);
    if (isCardLetter(changes.guest.cardType)) {
        record.CardType = changes.guest.cardType;
    }
    record.PayCode = changes.payCode.substr(0, 1);
    store.reservations().write(shown.record, record);
    operation.commit();
    return std::nullopt;
}

GuestRecord checkInReservation(const Store& store, const Shown& shown,
                               const ReservationArrival& arrival, const CivilDate& today,
                               const std::string& timeText) {
    Operation operation(store);
    const ReservationRecord booked = currentRecord(store, shown).reservation;

    // The stay is the booking as stored: what the window shows unsaved does not reach it.
    GuestRecord guest;
    static_cast<PersonFields&>(guest) = booked;
    guest.ArrivalTime = timeText;
    guest.DepartureTime = Text<20>();
    guest.CardType = booked.CardType;

    StayPostings postings;
    postings.roomRent = leadingNumber(arrival.rate);
    postings.payment = paymentCategory(arrival.payCode.substr(0, 1));
    postings.paid = leadingNumber(arrival.stayTotal);

    ReservationRecord checkedIn = booked;
    checkedIn.CheckInMark = "*";
    store.reservations().write(shown.record, checkedIn);
    const GuestRecord stay = registerStay(store, guest, postings, today);
    operation.commit();
    return stay;
}

void cancelReservation(const Store& store, const Shown& shown, std::string_view reason,
                       const CivilDate& today) {
    Operation operation(store);
    ReservationRecord cancelled = currentRecord(store, shown).reservation;
    markCancelled(cancelled, today, reason);
    store.reservations().write(shown.record, cancelled);
    operation.commit();
}

void markNoShow(const Store& store, std::size_t record, const CivilDate& today) {
    const auto shown = openReservationAt(store, record);
    if (!shown) {
        throw DataError("The booking at record " + std::to_string(record) + " of " +
                        utf8Text(store.directory().reservation()) +
                        " is no longer open; nothing was written.");
    }
    cancelReservation(store, *shown, kNoShow, today);
}

} // namespace roomwright
