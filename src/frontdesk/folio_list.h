#pragma once

#include "store/charges.h"

#include "store/store.h"

#include <string>
#include <vector>

namespace roomwright {

// The gap between amount, tax and balance in an on-screen folio line: 9 blanks when the list
// is built for a chosen guest (and in the history window), 13 when it is rebuilt after a
// posting.
enum class FolioGap { Chosen = 9, Posted = 13 };

// One on-screen folio line: the room as stored, the post date, shift, code, description
// (padded to 21 characters), then amount, tax and running balance, each with its leading
// blank when not negative.
std::string folioListLine(const ChargeLine& line, double tax, double balance, FolioGap gap);

// The captions over the lines: each starts where its field starts in a line with a
// ten-character date, a four-character amount and a five-character tax (" 109", " 9.81");
// wider or narrower amounts shift the columns after them, as they do in the lines.
std::string folioListHeader(FolioGap gap);

// A stay's folio as the windows list it: one line per line of its charge file, balanced by
// the folio balance rule at the current tax rate.
struct FolioListing {
    std::vector<std::string> lines;
    std::string balance; // the final balance, without a leading blank
    // Lines of the charge file that could not be read: they are left off the list.
    std::vector<std::string> problems;
};
FolioListing folioListing(const Store& store, long folioNumber, FolioGap gap);

} // namespace roomwright
