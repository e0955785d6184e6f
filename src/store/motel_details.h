#pragma once

#include "store/store.h"

#include <string>

namespace roomwright {

// The motel's own name, street, town and phone line, kept in a small text file of this
// program's own (the motel's older program never reads it). An empty text means the line is
// not set: the letterhead and the main window then show their standard texts.
struct MotelDetails {
    std::string name;
    std::string street;
    std::string town;
    std::string phone; // the whole phone line as printed, fax number included

    friend bool operator==(const MotelDetails&, const MotelDetails&) = default;
};

// What the file holds; nothing set when it is missing. Lines it does not know are skipped,
// and control characters read as blanks, so no content of the file can break a page.
MotelDetails motelDetails(const Store& store);
// Replaces the file as a whole, as one operation: the old details stay when it cannot be
// written, also across a power cut.
void setMotelDetails(const Store& store, const MotelDetails& details);

// A text as a details line keeps it: control characters as blanks, blanks at either end
// removed.
std::string cleanDetail(std::string_view text);

} // namespace roomwright
