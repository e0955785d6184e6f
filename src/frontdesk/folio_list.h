#pragma once

#include "store/charges.h"

#include <string>

namespace roomwright {

// The gap between amount, tax and balance in an on-screen folio line: 9 blanks when the list
// is built for a chosen guest (and in the history window), 13 when it is rebuilt after a
// posting.
enum class FolioGap { Chosen = 9, Posted = 13 };

// One on-screen folio line: the room as stored, the post date, shift, code, description
// (padded to 21 characters), then amount, tax and running balance, each with its leading
// blank when not negative.
std::string folioListLine(const ChargeLine& line, double tax, double balance, FolioGap gap);

} // namespace roomwright
