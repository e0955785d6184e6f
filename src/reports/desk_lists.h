#pragma once

#include "print/document.h"
#include "store/format/dates.h"
#include "store/store.h"

#include <string>
#include <vector>

namespace roomwright {

// The day's lists of the front desk: who arrives, who is due out, who is in house, and who
// did not come.
enum class DeskListKind {
    Arrivals,   // open reservations arriving that day
    Departures, // in-house guests due out that day
    InHouse,    // in-house guests staying that day, with their balance
    NoShows,    // the arrivals still open once that day's night audit has run
};

// One guest of a list. `number` is the confirmation number of a booking and the folio
// number of a stay; `amount` the booked rate of a booking and the folio balance of a stay.
struct DeskListRow {
    std::string room;
    std::string lastName;
    std::string firstName;
    double number = 0;
    CivilDate arrival;
    CivilDate departure;
    long nights = 0;
    double amount = 0;
};

struct DeskList {
    DeskListKind kind = DeskListKind::Arrivals;
    CivilDate date;
    std::vector<DeskListRow> rows; // by room number, then in file order
    // Lines of charge files that could not be read: balances are without them.
    std::vector<std::string> problems;
};

// Builds the list of `date`. Arrivals and no-shows read the reservation file once
// (`openArrivals`); the other two read only the in-house guests and their charge files. In house on
// `date`: arrived by then and not yet gone, which on `today` is everyone in house, overdue guests
// included.
DeskList deskList(const Store& store, DeskListKind kind, const CivilDate& date,
                  const CivilDate& today);

// "Arrivals for 12/7/2026" and the like.
std::string deskListTitle(const DeskList& list);

// A list's cells as text: as printed (short dates, numbers in the number-to-text form), or as
// data (dates as YYYY-MM-DD, numbers without the leading blank), for CSV.
enum class CellForm { Printed, Data };
struct DeskTable {
    std::vector<std::string> captions;
    std::vector<std::vector<std::string>> rows;
};
DeskTable deskTable(const DeskList& list, CellForm form);

// The list as a printout: title, column captions and one line per guest; a day without
// guests says so.
Document deskListDocument(const DeskList& list);
// The same as a plain-text table.
std::string deskListText(const DeskList& list);

} // namespace roomwright
