#pragma once

#include "store/format/records.h"
#include "ui/services.h"

namespace roomwright {

// Prints the in-house folio of a stay that has just checked in; lines of its charge file
// that cannot be read are left off and told to the clerk, and a failure to print is told
// too. Used by every check-in window.
void printCheckInFolio(Services& services, QWidget* window, const GuestRecord& guest);

} // namespace roomwright
