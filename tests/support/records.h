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
