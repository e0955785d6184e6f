#include "reports/guest_history.h"

#include "store/format/numbers.h"

#include <algorithm>

namespace roomwright {

namespace {

// A field in its stored width, without the NUL characters of a field never assigned.
std::string storedWidth(const std::string& field) {
    std::string text = field;
    std::erase(text, '\0');
    return text;
}

std::string trimmed(const std::string& field) {
    return rightTrim(storedWidth(field));
}

Found<GuestRecord> departedByFolio(const Store& store, float folio) {
    return store.guests().findFirstWhere([&](const RecordView<GuestRecord>& guest) {
        return guest.number<&GuestRecord::FolioNumber>() == folio && !inHouse(guest);
    });
}

} // namespace

std::string historyEntry(const GuestRecord& guest) {
    std::string zip = storedWidth(guest.Zip.str());
    zip.resize(std::max<std::size_t>(zip.size(), 10), ' ');
    return numberText(guest.FolioNumber) + std::string(9, ' ') + trimmed(guest.LastName.str()) +
           ", " + trimmed(guest.FirstName.str()) + "  " + trimmed(guest.Address.str()) + "  " +
           trimmed(guest.City.str()) + ", " + trimmed(guest.State.str()) + "  " + zip;
}

std::vector<std::string> historyEntries(const Store& store, std::string_view letter) {
    std::vector<std::string> entries;
    if (letter.empty()) {
        return entries;
    }
    const std::string initial = toCp1252(letter);
    for (const GuestRecord& guest :
         store.guests().selectWhere([&](const RecordView<GuestRecord>& view) {
             return view.bytes<&GuestRecord::LastName>().starts_with(initial) && !inHouse(view);
         })) {
        entries.push_back(historyEntry(guest));
    }
    return entries;
}

Found<GuestRecord> departedGuestOfEntry(const Store& store, std::string_view entry) {
    return departedGuestByFolio(store, entry.substr(0, std::min<std::size_t>(10, entry.size())));
}

Found<GuestRecord> departedGuestByFolio(const Store& store, std::string_view folioText) {
    const auto folio = numberAtStart(folioText);
    if (!folio) {
        return std::nullopt;
    }
    return departedByFolio(store, static_cast<float>(*folio));
}

HistoryView historyView(const GuestRecord& guest) {
    HistoryView view{guestView(guest), storedWidth(guest.DepartureTime.str())};
    view.guest.boxes[12] = storedWidth(guest.Adults.str());
    view.guest.boxes[13] = storedWidth(guest.Children.str());
    view.guest.boxes[14] = storedWidth(guest.CardNumber.str());
    view.guest.boxes[15] = storedWidth(guest.CardExpireMonth.str());
    view.guest.boxes[16] = storedWidth(guest.CardExpireYear.str());
    view.guest.room = storedWidth(guest.RoomNumber.str());
    view.guest.arrivalTime = storedWidth(guest.ArrivalTime.str());
    return view;
}

} // namespace roomwright
