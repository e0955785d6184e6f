#pragma once

#include "frontdesk/registration.h"
#include "store/format/dates.h"
#include "store/lookups.h"
#include "store/refusal.h"
#include "store/store.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace roomwright {

// The rooms a walk-in can be given, as room entries in file order: every room that is not
// dirty and not out of order. Vacancy is not looked at: housekeeping's word counts.
std::vector<RoomEntry> roomsForCheckIn(const Store& store);

// The nightly rate of the room; with two rooms of the same number, the later one's.
std::optional<float> rateOfRoom(const Store& store, std::string_view roomNumber);

// A walk-in registration as the check-in window holds it: the texts of its boxes and the
// entries chosen in its lists ("" when none was chosen; the card type too).
struct WalkIn {
    GuestDetails guest;
    std::optional<std::string> room; // the number of the room chosen
    std::string payCode;             // "C = Cash"
    std::string rate;
    std::string days;
    std::string departure; // the departure date as the calendar set it ("" before any pick)
    bool pet = false;
    std::string petFee;
    std::string stayTotal;
    std::string shift;
    std::string clerk;
};

// The box a refusal sends the clerk back to.
enum class WalkInField {
    LastName,
    FirstName,
    Address,
    City,
    State,
    Zip,
    PayCode,
    Adults,
    Room,
    Days
};
// The first thing that keeps the registration from being saved, in the order the clerk is
// asked for it; nothing when it can be saved. A box holding only blanks is not empty. Last
// come the days: a whole number of nights, 0 or more, that agrees with the departure date
// when one was picked.
std::optional<Refusal<WalkInField>> checkWalkIn(const WalkIn& walkIn, const CivilDate& today);

// Saves a registration that `checkWalkIn` let through: issues the folio number, appends the
// guest, posts the first night's room rent, the pet fee when the pet option is ticked and
// the payment for the whole stay, and marks the room occupied and dirty, as one operation:
// when a file cannot be written, none of it is saved (the folio counter is not advanced
// either) and the failure is thrown. Returns the guest record as saved.
GuestRecord registerWalkIn(const Store& store, const WalkIn& walkIn, const CivilDate& today,
                           const std::string& timeText);

} // namespace roomwright
