#include "frontdesk/departures.h"

#include "store/lookups.h"

namespace roomwright {

std::string departureLine(const GuestRecord& guest) {
    return guest.RoomNumber.trimmed() + "  " + guest.LastName.trimmed() + ", " +
           guest.FirstName.trimmed();
}

std::vector<std::string> departuresToday(const Store& store, const CivilDate& today) {
    std::vector<std::string> lines;
    const double todayStored = today.stored();
    store.guests().scanViews([&](std::size_t, const RecordView<GuestRecord>& guest) {
        if (guest.number<&GuestRecord::DepartureDate>() == todayStored && inHouse(guest)) {
            lines.push_back(departureLine(guest.decode()));
        }
        return true;
    });
    return lines;
}

} // namespace roomwright
