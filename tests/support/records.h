#pragma once

#include "store/format/dates.h"
#include "store/format/records.h"

#include <optional>
#include <string>

namespace roomwright::testing {

// An encoded record's bytes, as readFile gives a file's.
inline std::string slotOf(const Bytes& slot) {
    return {reinterpret_cast<const char*>(slot.data()), slot.size()};
}

// A room as the inventory stores one, in the state given. The comment stays unset (NUL
// bytes, as in a room entered from the inventory window) unless one is given.
inline RoomRecord makeRoom(const std::string& number, const std::string& type, float rate,
                           const char* clean = "Y", const char* vacant = "Y",
                           const char* order = "K",
                           const std::optional<std::string>& comment = std::nullopt) {
    RoomRecord room;
    room.RoomNumber = number;
    room.RoomType = type;
    room.Rate = rate;
    room.CleanFlag = clean;
    room.VacantFlag = vacant;
    room.OrderFlag = order;
    if (comment) {
        room.Comment = *comment;
    }
    return room;
}

// The record with a card as a clerk types one, expiring in March 2029.
template <class Record>
Record withCard(Record record, const std::string& number = "4111 1111 1111 1111") {
    record.CardNumber = number;
    record.CardExpireMonth = "March";
    record.CardExpireYear = "2029";
    return record;
}

// An open booking of the room for `last`, first name "Lee", with its confirmation number,
// from `arrival` for `nights` nights (none: no departure).
inline ReservationRecord makeBooking(const std::string& room, const std::string& last, float number,
                                     const CivilDate& arrival, int nights) {
    ReservationRecord booking;
    booking.RoomNumber = room;
    booking.LastName = last;
    booking.FirstName = "Lee";
    booking.ConfirmationNumber = number;
    booking.ArrivalDate = arrival.stored();
    if (nights > 0) {
        booking.DepartureDate = arrival.plusDays(nights).stored();
    }
    return booking;
}

// Room numbers of every length the room file keeps (one to four characters), each with a
// rate, and that rate's tax and night total at a tax rate of 0.09.
struct RoomNumberCase {
    const char* number;
    float rate;
    const char* rateText;
    const char* tax;
    const char* total;
};
inline constexpr RoomNumberCase kRoomNumbers[] = {
    {"12", 89.95f, "89.95", "8.1", "98.05"},
    {"1", 40, "40", "3.6", "43.6"},
    {"1234", 120, "120", "10.8", "130.8"},
    {"101", 65, "65", "5.85", "70.85"},
};

// A stay of the given room and guest, due out on `departure`, in house unless `departed`.
inline GuestRecord makeStay(const std::string& room, const std::string& last,
                            const std::string& first, const CivilDate& departure,
                            bool departed = false) {
    GuestRecord guest;
    guest.RoomNumber = room;
    guest.LastName = last;
    guest.FirstName = first;
    guest.DepartureDate = departure.stored();
    if (departed) {
        guest.CheckOutMark = "*";
    }
    return guest;
}

// An in-house stay that arrived on `arrival` at `rate`, with its folio number.
inline GuestRecord makeStayOver(const std::string& room, const std::string& last, long folio,
                                float rate, const CivilDate& arrival, const CivilDate& departure) {
    GuestRecord guest = makeStay(room, last, "Ann", departure);
    guest.FolioNumber = static_cast<float>(folio);
    guest.Rate = rate;
    guest.ArrivalDate = arrival.stored();
    guest.PayCode = "C";
    return guest;
}

} // namespace roomwright::testing
