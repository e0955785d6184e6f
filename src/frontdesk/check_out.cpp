#include "frontdesk/check_out.h"

#include "store/lookups.h"
#include "store/store_error.h"

namespace roomwright {

void checkOut(const Store& store, std::size_t recordNumber, GuestRecord guest,
              const std::string& departureTime) {
    const auto room = findRoom(store, guest.RoomNumber.trimmed());
    if (room) {
        RoomRecord released = room->second;
        released.CleanFlag = "N";
        released.VacantFlag = "Y";
        store.rooms().write(room->first, released);
    }
    guest.CheckOutMark = "*";
    guest.DepartureTime = departureTime;
    try {
        store.guests().write(recordNumber, guest);
    } catch (const StoreError&) {
        if (room) {
            try {
                store.rooms().write(room->first, room->second);
            } catch (const StoreError&) {
                // The first failure is the one the clerk needs to see.
            }
        }
        throw;
    }
}

} // namespace roomwright
