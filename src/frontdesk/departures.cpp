#include "frontdesk/departures.h"

#include "store/bookings.h"

namespace roomwright {

std::string departureLine(const PersonFields& person) {
    return person.RoomNumber.trimmed() + "  " + person.LastName.trimmed() + ", " +
           person.FirstName.trimmed();
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

std::vector<ArrivalLine> arrivalsOn(const Store& store, const CivilDate& day) {
    std::vector<ArrivalLine> lines;
    for (const auto& [record, booking] : openArrivals(store, day)) {
        const long arrival = CivilDate::fromStored(booking.ArrivalDate).serial();
        const long nights =
            endOfStay(arrival, CivilDate::fromStored(booking.DepartureDate).serial()) - arrival;
        lines.push_back({record, departureLine(booking) + "  " + std::to_string(nights) +
                                     (nights == 1 ? " night" : " nights")});
    }
    return lines;
}

} // namespace roomwright
