#include "store/bookings.h"

#include "store/format/codepage.h"

namespace roomwright {

namespace {

constexpr std::string_view kCancelledPrefix = "Cancelled ";

long daySerial(double stored) {
    return CivilDate::fromStored(stored).serial();
}

bool closed(const RecordView<ReservationRecord>& booking) {
    return booking.trimmedBytes<&ReservationRecord::CheckInMark>() == "*";
}

std::string_view textAt(std::span<const std::byte> slot, std::size_t offset) {
    return {reinterpret_cast<const char*>(slot.data() + offset), kCancelFieldWidth};
}

} // namespace

std::optional<Cancellation> cancellation(const RecordView<ReservationRecord>& booking) {
    const std::span<const std::byte> slot = booking.slot();
    if (!closed(booking) || slot.size() < kCancelReasonOffset + kCancelFieldWidth) {
        return std::nullopt;
    }
    const std::string_view marked = textAt(slot, kCancelledOffset);
    if (!marked.starts_with(kCancelledPrefix)) {
        return std::nullopt;
    }
    const auto date = parseIsoDate(std::string(marked.substr(kCancelledPrefix.size())));
    if (!date) {
        return std::nullopt;
    }
    return Cancellation{*date, fromCp1252(rightTrim(textAt(slot, kCancelReasonOffset)))};
}

std::optional<Cancellation> cancellation(const ReservationRecord& booking) {
    const Bytes slot = encode(booking);
    return cancellation(RecordView<ReservationRecord>(slot));
}

BookingState bookingState(const RecordView<ReservationRecord>& booking) {
    if (!closed(booking)) {
        return BookingState::Open;
    }
    return cancellation(booking) ? BookingState::Cancelled : BookingState::CheckedIn;
}

void markCancelled(ReservationRecord& booking, const CivilDate& day, std::string_view reason) {
    // The reserved fields live only in the stored bytes, which the record carries whole.
    booking.stored = encode(booking);
    field::putText(booking.stored, kCancelledOffset, kCancelFieldWidth,
                   std::string(kCancelledPrefix) + isoDate(day));
    field::putText(booking.stored, kCancelReasonOffset, kCancelFieldWidth, reason);
    booking.CheckInMark = "*";
}

long endOfStay(long arrival, std::optional<long> departure) {
    return departure && *departure > arrival ? *departure : arrival + 1;
}

HeldNights heldNights(long arrival, long departure, const CivilDate& today) {
    return {arrival, arrival < today.serial() ? arrival + 1 : endOfStay(arrival, departure)};
}

void scanOpenBookings(const Store& store, const BookingIndex::Visit& visit) {
    store.scanIndexedBookings([&](std::size_t n, const RecordView<ReservationRecord>& view) {
        return closed(view) || visit(n, view);
    });
}

void scanOpenBookings(const Store& store, const NightsWanted& wanted, const CivilDate& today,
                      const OpenBookingVisit& visit) {
    const std::optional<std::string> room =
        wanted.room ? storedForm(rightTrim(*wanted.room)) : std::nullopt;
    if (wanted.room && !room) {
        return; // a room number the file cannot hold has no bookings
    }
    scanOpenBookings(store, [&](std::size_t n, const RecordView<ReservationRecord>& view) {
        if (room && view.trimmedBytes<&ReservationRecord::RoomNumber>() != *room) {
            return true;
        }
        const HeldNights held =
            heldNights(daySerial(view.number<&ReservationRecord::ArrivalDate>()),
                       daySerial(view.number<&ReservationRecord::DepartureDate>()), today);
        if (held.first >= wanted.to || held.end <= wanted.from) {
            return true;
        }
        return visit(n, view, held);
    });
}

std::vector<std::pair<std::size_t, ReservationRecord>> openArrivals(const Store& store,
                                                                    const CivilDate& day) {
    std::vector<std::pair<std::size_t, ReservationRecord>> arrivals;
    const long serial = day.serial();
    scanOpenBookings(
        store, {serial, serial + 1, std::nullopt}, day,
        [&](std::size_t n, const RecordView<ReservationRecord>& view, const HeldNights& held) {
            if (held.first == serial) {
                arrivals.emplace_back(n, view.decode());
            }
            return true;
        });
    return arrivals;
}

bool bookingArrivesOn(const Store& store, std::string_view roomNumber, const CivilDate& day,
                      const CivilDate& today) {
    const auto room = storedForm(rightTrim(roomNumber));
    if (!room) {
        return false;
    }
    const long serial = day.serial();
    const auto arrives = [&](const RecordView<ReservationRecord>& booking) {
        return daySerial(booking.number<&ReservationRecord::ArrivalDate>()) == serial &&
               booking.trimmedBytes<&ReservationRecord::RoomNumber>() == *room &&
               bookingState(booking) != BookingState::Cancelled;
    };
    bool found = false;
    const long horizon = store.scanIndexedBookings(
        today, [&](std::size_t, const RecordView<ReservationRecord>& booking) {
            found = arrives(booking);
            return !found;
        });
    return found || (serial < horizon && store.reservations().findFirstWhere(arrives).has_value());
}

} // namespace roomwright
