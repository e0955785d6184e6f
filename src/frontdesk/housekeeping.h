#pragma once

#include "print/document.h"
#include "store/store.h"

namespace roomwright {

// The morning work list for the housekeepers: one line per room of the room file, in file
// order, with what happens in it today ("checking out", "staying over", "dirty" or
// nothing) and the room's comment. The room file is read once, and of the guest file only
// the guests in house (through the in-house index).
Document housekeepingReport(const Store& store, const CivilDate& today);

} // namespace roomwright
