#pragma once

#include "store/format/dates.h"
#include "store/store.h"

#include <optional>
#include <string>
#include <string_view>

namespace roomwright {

// How many days a guest's card is kept once it is no longer needed: after the stay's
// departure date once it has checked out, after the arrival date of a booking checked in,
// after the day a booking was cancelled. Erasing leaves the number's last four digits.
inline constexpr long kEraseCardsAfterDays = 30;
struct CardErasing {
    std::optional<long> afterDays = kEraseCardsAfterDays; // nothing: never erased; 0: at check-out

    friend bool operator==(const CardErasing&, const CardErasing&) = default;
};
// The setting as the file, the command line and the window write it: "30", "0", "never".
std::string erasingText(const CardErasing& erasing);
// A whole number of days (0 to kLongestStay, blanks around it allowed) or "never" in any
// case; nothing for any other text.
std::optional<CardErasing> erasingOfText(std::string_view text);
// The first day whose stays and bookings keep their cards today: the cards of those done
// before it are erased. Nothing when cards are never erased.
std::optional<CivilDate> firstDayKept(const CardErasing& erasing, const CivilDate& today);

// The motel's own name, street, town and phone line, and how long it keeps guests' cards,
// kept in a small text file of this program's own (the motel's older program never reads
// it). An empty text means the line is not set: the letterhead and the main window then
// show their standard texts.
struct MotelDetails {
    std::string name;
    std::string street;
    std::string town;
    std::string phone; // the whole phone line as printed, fax number included
    CardErasing cards;

    friend bool operator==(const MotelDetails&, const MotelDetails&) = default;
};

// What the file holds; nothing set when it is missing. Lines it does not know are skipped,
// and control characters read as blanks, so no content of the file can break a page. A
// card setting it cannot read keeps the default: cards are never kept longer by mistake.
MotelDetails motelDetails(const Store& store);
// Replaces the file as a whole, as one operation: the old details stay when it cannot be
// written, also across a power cut.
void setMotelDetails(const Store& store, const MotelDetails& details);

// A text as a details line keeps it: control characters as blanks, blanks at either end
// removed.
std::string cleanDetail(std::string_view text);

} // namespace roomwright
