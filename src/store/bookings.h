#pragma once

#include "store/format/dates.h"
#include "store/store.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace roomwright {

// The bookings of the reservation file: what state each is in, how a cancellation is marked,
// and the reads of the open bookings by night, room and arrival day. Every window, report and
// command that asks which bookings are open asks here.

// A booking is open until it is checked in or cancelled. Both close it with the check-in
// mark "*", so that a program reading the file by its stored layout alone (open while the
// mark is not "*") takes a cancelled booking for a closed one. A cancellation is told apart
// by two reserved text fields that no booking otherwise uses (and that the older program
// carries through unchanged): Reserved4 (offset 513, 20 characters) holds
// "Cancelled YYYY-MM-DD", exactly 20 characters, and Reserved5 (offset 533, 20 characters)
// the reason, cut to 20 characters ("No-show" for a guest who never came). A checked-in
// booking keeps its Reserved4 as it was.
enum class BookingState { Open, CheckedIn, Cancelled };

inline constexpr std::size_t kCancelledOffset = 513;    // Reserved4
inline constexpr std::size_t kCancelReasonOffset = 533; // Reserved5
inline constexpr std::size_t kCancelFieldWidth = 20;
inline constexpr std::string_view kNoShow = "No-show";

struct Cancellation {
    CivilDate date;
    std::string reason; // right-trimmed
    friend bool operator==(const Cancellation&, const Cancellation&) = default;
};

// Whether and when a booking was cancelled, and why: its check-in mark is "*" and Reserved4
// holds "Cancelled " and a date. Nothing for an open or checked-in booking.
std::optional<Cancellation> cancellation(const RecordView<ReservationRecord>& booking);
std::optional<Cancellation> cancellation(const ReservationRecord& booking);
BookingState bookingState(const RecordView<ReservationRecord>& booking);
// Closes the booking as cancelled on `day` for `reason`; every other field stays as it is.
void markCancelled(ReservationRecord& booking, const CivilDate& day, std::string_view reason);

// The day after the last night of a stay, as day serials: its departure, or the day after
// its arrival when it has no departure after the arrival.
long endOfStay(long arrival, std::optional<long> departure);

// The nights an open booking holds its room, as day serials from `first` up to, not
// including, `end`: from its arrival to its departure, except that a booking whose arrival
// day has passed without a check-in (a no-show) holds only its arrival night.
struct HeldNights {
    long first = 0;
    long end = 0;
};
HeldNights heldNights(long arrival, long departure, const CivilDate& today);

// Which open bookings a read wants: those holding a night from `from` up to, not including,
// `to` (day serials), of room `room` (a right-trimmed room number) when one is named.
struct NightsWanted {
    long from = 0;
    long to = 0;
    std::optional<std::string> room;
};
// Visits every open booking in record order, through the booking index (BookingIndex): what
// the bookings ahead hold, not what the years hold, is read. `visit` returns false to stop.
void scanOpenBookings(const Store& store, const BookingIndex::Visit& visit);
using OpenBookingVisit =
    std::function<bool(std::size_t n, const RecordView<ReservationRecord>&, const HeldNights&)>;
// Visits, in record order, the open bookings that hold one of the wanted nights, with the
// nights they hold; `visit` returns false to stop. Decodes only the check-in mark, the room
// and the dates of each open booking.
void scanOpenBookings(const Store& store, const NightsWanted& wanted, const CivilDate& today,
                      const OpenBookingVisit& visit);
// The open bookings arriving on `day`, decoded, in record order, with their record numbers.
std::vector<std::pair<std::size_t, ReservationRecord>> openArrivals(const Store& store,
                                                                    const CivilDate& day);

// True when a booking of the room that is not cancelled (open or checked in) arrives on
// `day`, as the desk asks it on `today`: the walk-in's warning and the folio's extra night
// look no further. A day within the last weeks or ahead is answered from the booking index;
// an earlier one (an extra night for a guest long overdue) by a scan of the whole file.
bool bookingArrivesOn(const Store& store, std::string_view roomNumber, const CivilDate& day,
                      const CivilDate& today);

} // namespace roomwright
