#pragma once

#include "frontdesk/registration.h"
#include "store/charges.h"
#include "store/lookups.h"
#include "store/refusal.h"
#include "store/store.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace roomwright {

// The operations behind the guest folio window: who is chosen, what the boxes show, and what
// posting, the departure buttons, the room move and saving do to the files.

// Which box a refusal sends the clerk back to.
enum class FolioField { Selector, Code, Amount, Rate, Departure };

inline constexpr const char* kPickAGuest = "Please pick a guest from the list.";
inline constexpr const char* kNoLongerInHouse =
    "This guest is no longer in house: the stay has been checked out.";

// One entry of the guest selector, "101  Smith, Ann", and the stay it was made from.
struct SelectorEntry {
    std::size_t record = 0; // in the guest file
    std::string text;
    std::string room; // right-trimmed
    friend bool operator==(const SelectorEntry&, const SelectorEntry&) = default;
};
// One entry per in-house guest, in record order.
std::vector<SelectorEntry> guestSelectorEntries(const Store& store);
// The entry a selector text names: the entry whose text it is, else the first entry whose
// room number it is (typed alone). A text that names no entry names nobody.
std::optional<SelectorEntry> entryNamed(const std::vector<SelectorEntry>& entries,
                                        std::string_view selectorText);
// The stay an entry was made from, while it is in house; nothing once it has left.
Found<GuestRecord> guestOfEntry(const Store& store, const SelectorEntry& entry);
// The guest the window shows: the stay of the selector's entry, provided it is the stay whose
// folio number the window shows. A selector text typed over a chosen guest names nobody, so
// that nothing is ever done to a guest other than the one on screen.
Found<GuestRecord> shownGuest(const Store& store, const std::optional<SelectorEntry>& entry,
                              std::string_view shownFolio);

// The code list, in the order the window offers it.
const std::vector<std::string>& codeList();
// What the pay code box shows for a stored pay code ("K" shows "K - Check"); empty for a
// code it does not know.
std::string payCodeText(std::string_view payCode);

// What picking a code puts into the amount box: the rate box's text for room rent, the pet
// fee for the pet fee, nothing for any other code.
std::optional<std::string> amountForCode(std::string_view codeText, std::string_view rateText,
                                         float petFee);
// The category a code box text posts to: its first character, standing alone or before a
// blank ("C - Cash", "C"). "K" posts copies, the only "K" the code list offers; "Select
// Code" and unknown codes post nothing.
std::optional<Category> postingCategory(std::string_view codeText);

// Posts the amount to the guest's folio under the code; refuses, writing nothing, an empty
// amount, an amount that is not a number and a code that posts nothing.
std::optional<Refusal<FolioField>> postToFolio(const Store& store, const GuestRecord& guest,
                                               std::string_view codeText,
                                               std::string_view amountText, const CivilDate& today);

// What the window's boxes and labels show of a guest.
struct GuestView {
    GuestBoxTexts boxes;       // last name to expiry year, in box order
    std::string cardType;      // "V", "M", "D", "A" or anything else
    std::string room;          // the room label
    std::string rate;          // the rate box
    std::string folio;         // the folio number label
    std::string arrivalDate;   // the arrival date label
    std::string arrivalTime;   // the arrival time label
    std::string departureDate; // the departure box
    std::string payCode;       // the pay code box
};
GuestView guestView(const GuestRecord& guest);

// "+" and "-": the departure date one night later or earlier, as the window shows it.
struct DepartureChange {
    std::string departure; // what the departure box shows afterwards
    std::optional<Refusal<FolioField>> refusal;
};
// One more night, unless a booking of the room that is not cancelled (open or checked in)
// arrives on the current departure date, as the desk asks on `today`.
DepartureChange oneMoreNight(const Store& store, const CivilDate& today,
                             std::string_view departureText, std::string_view roomText);
// One night less, never coming down to the arrival date or before it.
DepartureChange oneNightLess(std::string_view departureText, std::string_view arrivalText);

// The rooms a guest can be moved to: those not dirty and not out of order, as "101  NQ1 ...":
// the room number as stored, one blank, the room type as stored.
std::vector<RoomEntry> roomMoveEntries(const Store& store);

// What "Save and Exit" stores from the window.
struct FolioChanges {
    GuestBoxTexts boxes; // last name to expiry year, in box order
    std::string payCode; // the pay code box; its first character is stored
    std::string room;    // the room label
    std::string rate;
    std::string departure;
};
// Stores the changes into the guest's record in place; a rate that is not a number or a
// departure that is not a date is refused and nothing is written. A card number box that
// still shows the mask keeps the stored number (putCardNumber). Every other field keeps its
// stored value.
std::optional<Refusal<FolioField>> saveFolioChanges(const Store& store, std::size_t recordNumber,
                                                    GuestRecord guest, const FolioChanges& changes);

} // namespace roomwright
