#include "frontdesk/departures.h"

namespace roomwright {

std::string departureLine(const GuestRecord& guest) {
    return guest.RoomNumber.trimmed() + "  " + guest.LastName.trimmed() + ", " +
           guest.FirstName.trimmed();
}

std::vector<std::string> departuresToday(const Store& store, const CivilDate& today) {
    std::vector<std::string> lines;
    const double todayStored = today.stored();
    store.scanInHouseGuests([&](std::size_t, const RecordView<GuestRecord>& guest) {
        if (guest.number<&GuestRecord::DepartureDate>() == todayStored) {
            lines.push_back(departureLine(guest.decode()));
        }
        return true;
    });
    return lines;
}

} // namespace roomwright
