#include "reports/desk_lists.h"

#include "frontdesk/folio.h"
#include "store/bookings.h"
#include "store/format/numbers.h"
#include "store/lookups.h"
#include "store/settings.h"

#include <algorithm>
#include <array>

namespace roomwright {

namespace {

long daySerial(double stored) {
    return CivilDate::fromStored(stored).serial();
}

// A stored text as a list shows it: a never-written field (NUL characters) shows empty.
template <std::size_t W> std::string shown(const Text<W>& field) {
    return rightTrim(onPaper(field.str()));
}

DeskListRow rowOf(const PersonFields& person, double number, double amount) {
    const long arrival = daySerial(person.ArrivalDate);
    const long departure = daySerial(person.DepartureDate);
    return {shown(person.RoomNumber),
            shown(person.LastName),
            shown(person.FirstName),
            number,
            CivilDate::fromSerial(arrival),
            CivilDate::fromSerial(departure),
            endOfStay(arrival, departure) - arrival,
            amount};
}

// Every column starts where the widest value of the one before it ends, plus room to spare.
constexpr std::array<int, 8> kColumns = {1, 7, 39, 61, 75, 88, 101, 109};

// The lists of bookings rather than of stays.
bool bookings(DeskListKind kind) {
    return kind == DeskListKind::Arrivals || kind == DeskListKind::NoShows;
}

const char* noneText(DeskListKind kind) {
    switch (kind) {
    case DeskListKind::Arrivals:
        return "No arrivals.";
    case DeskListKind::Departures:
        return "No departures.";
    case DeskListKind::NoShows:
        return "No no-shows.";
    case DeskListKind::InHouse:
        break;
    }
    return "Nobody in house.";
}

} // namespace

DeskList deskList(const Store& store, DeskListKind kind, const CivilDate& date,
                  const CivilDate& today) {
    DeskList list{kind, date, {}, {}};
    const long day = date.serial();
    if (bookings(kind)) {
        for (const auto& [record, reservation] : openArrivals(store, date)) {
            // The rate is a Single: the list shows the digits it holds as one.
            list.rows.push_back(rowOf(reservation, reservation.ConfirmationNumber,
                                      leadingNumber(plainNumber(reservation.Rate))));
        }
    } else {
        const float tax = taxRate(store);
        const long tonight = today.serial();
        store.scanInHouseGuests([&](std::size_t, const RecordView<GuestRecord>& view) {
            const long arrival = daySerial(view.number<&GuestRecord::ArrivalDate>());
            const long departure = daySerial(view.number<&GuestRecord::DepartureDate>());
            const bool listed = kind == DeskListKind::Departures
                                    ? departure == day
                                    : arrival <= day && day <= std::max(departure, tonight);
            if (!listed) {
                return true;
            }
            const GuestRecord guest = view.decode();
            const ParsedCharges charges = readCharges(store, folioNumberOf(store, guest));
            list.problems.insert(list.problems.end(), charges.problems.begin(),
                                 charges.problems.end());
            list.rows.push_back(
                rowOf(guest, guest.FolioNumber, folioStatement(charges.lines, tax).balance));
            return true;
        });
    }
    std::ranges::stable_sort(list.rows, {}, &DeskListRow::room);
    return list;
}

std::string deskListTitle(const DeskList& list) {
    const char* what = list.kind == DeskListKind::Arrivals     ? "Arrivals"
                       : list.kind == DeskListKind::Departures ? "Departures"
                       : list.kind == DeskListKind::NoShows    ? "No-shows"
                                                               : "In House";
    return std::string(what) + " for " + shortDate(list.date);
}

DeskTable deskTable(const DeskList& list, CellForm form) {
    const bool booked = bookings(list.kind);
    DeskTable table{{"Room", "Last", "First", booked ? "Confirmation" : "Folio", "Arrival",
                     "Departure", "Nights", booked ? "Rate" : "Balance"},
                    {}};
    const bool printed = form == CellForm::Printed;
    const auto number = [&](double value) {
        return printed ? numberText(value) : plainNumber(value);
    };
    const auto date = [&](const CivilDate& value) {
        return printed ? shortDate(value) : isoDate(value);
    };
    for (const DeskListRow& row : list.rows) {
        table.rows.push_back({row.room, row.lastName, row.firstName, number(row.number),
                              date(row.arrival), date(row.departure),
                              number(static_cast<double>(row.nights)), number(row.amount)});
    }
    return table;
}

Document deskListDocument(const DeskList& list) {
    const DeskTable table = deskTable(list, CellForm::Printed);
    const auto line = [&](Document& document, const std::vector<std::string>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            document.tab(kColumns[i]).text(cells[i]);
        }
        document.endLine();
    };
    Document document(deskListTitle(list));
    document.text(deskListTitle(list)).endLine();
    document.rule('-', kColumns.back() + 11).endLine();
    line(document, table.captions);
    document.rule('-', kColumns.back() + 11).endLine();
    for (const auto& cells : table.rows) {
        line(document, cells);
    }
    if (table.rows.empty()) {
        document.text(noneText(list.kind)).endLine();
    }
    return document;
}

std::string deskListText(const DeskList& list) {
    std::string text = plainText(deskListDocument(list));
    // A printout ends in a form feed line; a table on screen does not.
    if (text.ends_with("\f\n")) {
        text.resize(text.size() - 2);
    }
    return text;
}

} // namespace roomwright
