#pragma once

#include "store/store.h"

#include <cstddef>
#include <string>
#include <vector>

namespace roomwright {

// "101  Smith, Ann": room, two blanks, last name, ", ", first name, each right-trimmed.
std::string departureLine(const PersonFields& person);

// The in-house guests due out today, in record order, as lines of the main window's list.
std::vector<std::string> departuresToday(const Store& store, const CivilDate& today);

// A booking arriving on a day, as the main window and the night audit list it:
// "101  Smith, Ann  2 nights", with its record in the reservation file.
struct ArrivalLine {
    std::size_t record = 0;
    std::string text;
    friend bool operator==(const ArrivalLine&, const ArrivalLine&) = default;
};
// The open bookings arriving on `day`, in record order. Once that day's night audit has run,
// those still open are its no-shows.
std::vector<ArrivalLine> arrivalsOn(const Store& store, const CivilDate& day);

} // namespace roomwright
