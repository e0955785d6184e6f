#include "frontdesk/check_out.h"

#include "store/cards.h"
#include "store/lookups.h"
#include "store/motel_details.h"

namespace roomwright {

void checkOut(const Store& store, std::size_t recordNumber, GuestRecord guest,
              const std::string& departureTime) {
    Operation operation(store);
    if (auto room = findRoom(store, guest.RoomNumber.trimmed())) {
        room->second.CleanFlag = "N";
        room->second.VacantFlag = "Y";
        store.rooms().write(room->first, room->second);
    }
    guest.CheckOutMark = "*";
    guest.DepartureTime = departureTime;
    if (motelDetails(store).cards.afterDays == 0) {
        eraseCard(guest);
    }
    store.guests().write(recordNumber, guest);
    operation.commit();
}

} // namespace roomwright
