#pragma once

#include "store/store.h"

#include <string>
#include <vector>

namespace roomwright {

// "101  Smith, Ann": room, two blanks, last name, ", ", first name, each right-trimmed.
std::string departureLine(const GuestRecord& guest);

// The in-house guests due out today, in record order, as lines of the main window's list.
std::vector<std::string> departuresToday(const Store& store, const CivilDate& today);

} // namespace roomwright
