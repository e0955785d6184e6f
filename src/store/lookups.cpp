#include "store/lookups.h"

namespace roomwright {

std::string roomEntry(const RoomRecord& room) {
    std::string number = room.RoomNumber.str();
    number.resize(4, ' ');
    std::string type = room.RoomType.str();
    type.resize(10, ' ');
    return number + "  " + type;
}

std::string roomOfEntry(std::string_view entry) {
    return std::string(entry.substr(0, 3));
}

Found<RoomRecord> findRoom(const Store& store, std::string_view roomNumber) {
    return store.rooms().findFirst(
        [&](const RoomRecord& room) { return room.RoomNumber.trimmed() == roomNumber; });
}

Found<GuestRecord> inHouseGuestOfRoom(const Store& store, std::string_view roomNumber) {
    return store.guests().findFirst([&](const GuestRecord& guest) {
        return guest.inHouse() && guest.RoomNumber.trimmed() == roomNumber;
    });
}

Found<GuestRecord> inHouseGuestByFolio(const Store& store, long folioNumber) {
    return store.guests().findFirst([&](const GuestRecord& guest) {
        return guest.inHouse() && guest.FolioNumber == static_cast<float>(folioNumber);
    });
}

Found<GuestRecord> guestByFolio(const Store& store, long folioNumber) {
    return store.guests().findFirst([&](const GuestRecord& guest) {
        return guest.FolioNumber == static_cast<float>(folioNumber);
    });
}

} // namespace roomwright
