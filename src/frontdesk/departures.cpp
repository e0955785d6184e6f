#include "frontdesk/departures.h"

namespace roomwright {

std::string departureLine(const GuestRecord& guest) {
    return guest.RoomNumber.trimmed() + "  " + guest.LastName.trimmed() + ", " +
           guest.FirstName.trimmed();
}

std::vector<std::string> departuresToday(const Store& store, const CivilDate& today) {
    std::vector<std::string> lines;
    const double todayStored = today.stored();
    store.guests().scan([&](std::size_t, const GuestRecord& guest) {
        if (guest.inHouse() && guest.DepartureDate == todayStored) {
            lines.push_back(departureLine(guest));
        }
        return true;
    });
    return lines;
}

} // namespace roomwright
