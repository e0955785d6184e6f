#include "frontdesk/guest_folio.h"

#include "frontdesk/departures.h"
#include "store/bookings.h"
#include "store/cards.h"
#include "store/format/dates.h"
#include "store/format/numbers.h"

#include <algorithm>

namespace roomwright {

namespace {

// A field as a box shows it: trailing blanks removed, and nothing for the NUL characters
// of a field never assigned.
template <std::size_t W> std::string shown(const Text<W>& field) {
    std::string text = field.trimmed();
    std::erase(text, '\0');
    return text;
}

struct PostingRow {
    char code;
    Category category;
};
// "K" is both copies and a check; the code list offers only "K - Copies", so "K" posts
// copies. A check is a payment taken at check-in.
constexpr std::array<PostingRow, 12> kPostingTable = {{
    {'E', Category::RoomRent},
    {'V', Category::Visa},
    {'M', Category::MasterCard},
    {'D', Category::Discover},
    {'A', Category::AmericanExpress},
    {'C', Category::Cash},
    {'P', Category::PetFee},
    {'R', Category::RollAway},
    {'K', Category::Copies},
    {'S', Category::Stamp},
    {'F', Category::Fax},
    {'O', Category::Other},
}};

DepartureChange refuseDate(std::string_view departureText, FolioField field, std::string message) {
    return {std::string(departureText), Refusal<FolioField>{field, std::move(message)}};
}

const char* const kDepartureNotADate = "The departure date is not a date.";

} // namespace

std::vector<SelectorEntry> guestSelectorEntries(const Store& store) {
    std::vector<SelectorEntry> entries;
    store.scanInHouseGuests([&](std::size_t n, const RecordView<GuestRecord>& view) {
        const GuestRecord guest = view.decode();
        entries.push_back({n, departureLine(guest), guest.RoomNumber.trimmed()});
        return true;
    });
    return entries;
}

std::optional<SelectorEntry> entryNamed(const std::vector<SelectorEntry>& entries,
                                        std::string_view selectorText) {
    const std::string room = rightTrim(selectorText);
    if (room.empty()) {
        return std::nullopt;
    }
    auto named = std::ranges::find(entries, selectorText, &SelectorEntry::text);
    if (named == entries.end()) {
        named = std::ranges::find(entries, room, &SelectorEntry::room);
    }
    return named == entries.end() ? std::nullopt : std::optional(*named);
}

Found<GuestRecord> guestOfEntry(const Store& store, const SelectorEntry& entry) {
    const Table<GuestRecord> guests = store.guests();
    if (entry.record == 0 || entry.record > guests.count()) {
        return std::nullopt;
    }
    GuestRecord guest = guests.read(entry.record);
    if (!guest.inHouse()) {
        return std::nullopt;
    }
    return std::pair{entry.record, std::move(guest)};
}

Found<GuestRecord> shownGuest(const Store& store, const std::optional<SelectorEntry>& entry,
                              std::string_view shownFolio) {
    const auto folio = strictNumber(shownFolio);
    auto guest = entry ? guestOfEntry(store, *entry) : std::nullopt;
    if (!folio || !guest || static_cast<double>(guest->second.FolioNumber) != *folio) {
        return std::nullopt;
    }
    return guest;
}

const std::vector<std::string>& codeList() {
    static const std::vector<std::string> codes = {
        "E - Room Rent",        "V - Visa",  "M - Master Card", "D - Discover",
        "A - American Express", "C - Cash",  "P - Pet Fee",     "R - Roll Away",
        "K - Copies",           "S - Stamp", "F - Fax"};
    return codes;
}

std::string payCodeText(std::string_view payCode) {
    static const std::array<std::pair<const char*, const char*>, 7> texts = {{
        {"V", "V - Visa"},
        {"M", "M - Master Card"},
        {"D", "D - Discover"},
        {"A", "A - American express"},
        {"C", "C - Cash"},
        {"K", "K - Check"},
        {"O", "O - Other"},
    }};
    for (const auto& [code, text] : texts) {
        if (payCode == code) {
            return text;
        }
    }
    return {};
}

std::optional<std::string> amountForCode(std::string_view codeText, std::string_view rateText,
                                         float petFee) {
    if (codeText.starts_with('E')) {
        return std::string(rateText);
    }
    if (codeText.starts_with('P')) {
        return plainNumber(petFee);
    }
    return std::nullopt;
}

std::optional<Category> postingCategory(std::string_view codeText) {
    if (codeText.empty() || (codeText.size() > 1 && codeText[1] != ' ')) {
        return std::nullopt;
    }
    for (const PostingRow& row : kPostingTable) {
        if (codeText.front() == row.code) {
            return row.category;
        }
    }
    return std::nullopt;
}

std::optional<Refusal<FolioField>> postToFolio(const Store& store, const GuestRecord& guest,
                                               std::string_view codeText,
                                               std::string_view amountText,
                                               const CivilDate& today) {
    if (amountText.empty()) {
        return Refusal<FolioField>{FolioField::Amount, "You did not enter an amount."};
    }
    const auto category = postingCategory(codeText);
    if (!category) {
        return Refusal<FolioField>{FolioField::Code, "Please select a code."};
    }
    const auto amount = strictNumber(amountText);
    if (!amount) {
        return Refusal<FolioField>{FolioField::Amount, "The amount is not a number."};
    }
    if (!postableAmount(*amount)) {
        return Refusal<FolioField>{FolioField::Amount, kAmountOutOfRange};
    }
    // The line carries the room as stored: five characters, blanks included.
    std::string room = guest.RoomNumber.str();
    room.append(room.size() < 5 ? 5 - room.size() : 0, ' ');
    postItem(store, folioNumberOf(store, guest), room, *category, *amount, today);
    return std::nullopt;
}

GuestView guestView(const GuestRecord& guest) {
    GuestView view;
    forEachBox(guest, [&](std::size_t box, const auto& field) { view.boxes[box] = shown(field); });
    view.cardType = shown(guest.CardType);
    view.room = shown(guest.RoomNumber);
    view.rate = plainNumber(guest.Rate);
    view.folio = plainNumber(guest.FolioNumber);
    view.arrivalDate = shortDate(CivilDate::fromStored(guest.ArrivalDate));
    view.arrivalTime = shown(guest.ArrivalTime);
    view.departureDate = shortDate(CivilDate::fromStored(guest.DepartureDate));
    view.payCode = payCodeText(guest.PayCode.trimmed());
    return view;
}

DepartureChange oneMoreNight(const Store& store, const CivilDate& today,
                             std::string_view departureText, std::string_view roomText) {
    const auto departure = parseShortDate(std::string(departureText));
    if (!departure) {
        return refuseDate(departureText, FolioField::Departure, kDepartureNotADate);
    }
    const bool booked = bookingArrivesOn(store, roomText, *departure, today);
    if (booked) {
        return refuseDate(departureText, FolioField::Departure,
                          "Can't Increase departure date. Overbooking.");
    }
    return {shortDate(departure->plusDays(1)), std::nullopt};
}

DepartureChange oneNightLess(std::string_view departureText, std::string_view arrivalText) {
    const auto departure = parseShortDate(std::string(departureText));
    if (!departure) {
        return refuseDate(departureText, FolioField::Departure, kDepartureNotADate);
    }
    const auto arrival = parseShortDate(std::string(arrivalText));
    const CivilDate earlier = departure->plusDays(-1);
    if (!arrival || earlier <= *arrival) {
        return {std::string(departureText), std::nullopt};
    }
    return {shortDate(earlier), std::nullopt};
}

std::vector<RoomEntry> roomMoveEntries(const Store& store) {
    return roomEntries(store, roomMoveEntry, readyToLet);
}

std::optional<Refusal<FolioField>> saveFolioChanges(const Store& store, std::size_t recordNumber,
                                                    GuestRecord guest,
                                                    const FolioChanges& changes) {
    const auto rate = strictNumber(changes.rate);
    if (!rate) {
        return Refusal<FolioField>{FolioField::Rate, "The rate is not a number."};
    }
    const auto departure = parseShortDate(changes.departure);
    if (!departure) {
        return Refusal<FolioField>{FolioField::Departure, kDepartureNotADate};
    }
    forEachBox(guest, [&](std::size_t box, auto& field) {
        if (box != kCardNumberBox) {
            field = changes.boxes[box];
        }
    });
    putCardNumber(changes.boxes[kCardNumberBox], guest.CardNumber);
    guest.PayCode = changes.payCode.substr(0, 1);
    guest.RoomNumber = changes.room;
    guest.Rate = static_cast<float>(*rate);
    guest.DepartureDate = departure->stored();
    asOneOperation(store, [&] { store.guests().write(recordNumber, guest); });
    return std::nullopt;
}

} // namespace roomwright
