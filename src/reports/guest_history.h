#pragma once

#include "frontdesk/guest_folio.h"
#include "store/lookups.h"
#include "store/store.h"

#include <string>
#include <string_view>
#include <vector>

namespace roomwright {

// The look-up of guests who have checked out, and what the history window shows of one.

// " 17         Smith, Ann  1 Main St  Springfield, Illinois  62701     ": the folio
// number with its leading blank, nine blanks, the name, address, town and state with
// trailing blanks removed, and the ZIP code in its stored width.
std::string historyEntry(const GuestRecord& guest);
// One entry per checked-out guest whose last name begins with `letter` (exactly as stored:
// a name stored with a lower-case initial is not found under its capital), in record order.
std::vector<std::string> historyEntries(const Store& store, std::string_view letter);

// The checked-out stay a look-up entry names by its folio number (the entry's first ten
// characters); nothing when there is none.
Found<GuestRecord> departedGuestOfEntry(const Store& store, std::string_view entry);
// The checked-out stay whose folio number is the number `folioText` holds; nothing when the
// text holds none (no stay has been picked) or no departed stay has it.
Found<GuestRecord> departedGuestByFolio(const Store& store, std::string_view folioText);

// What the history window shows of a stay: the folio window's view of the guest, with
// Adults, Children, the card fields and the room in their stored widths, and the departure.
struct HistoryView {
    GuestView guest;
    std::string departureTime;
};
HistoryView historyView(const GuestRecord& guest);

} // namespace roomwright
