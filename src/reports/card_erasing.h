#pragma once

#include "store/format/dates.h"
#include "store/store.h"

#include <cstddef>

namespace roomwright {

// The records an erasing pass changed.
struct ErasedCards {
    std::size_t stays = 0;
    std::size_t bookings = 0;

    std::size_t records() const { return stays + bookings; }
};

// Which records an erasing pass looks at.
enum class ErasingReach {
    // Those not yet done with at the last pass and those added since (erasing_mark.h): the
    // nightly pass reads what the last weeks changed, not the decades before them.
    SinceLastPass,
    // Every record of both files, whatever the last pass noted.
    EveryRecord,
};

// Erases the card (eraseCard, store/cards.h) of every stay and booking done before
// `firstDayKept`, as one operation with the mark of how far it came: every record is
// written whole, and a failure leaves none of them erased.
//
// A stay is done once checked out, on its departure date: after check-out that is the last
// day it was planned for, so a guest who left early keeps the card up to that later day. A
// booking is done once checked in, on its arrival date (the stay keeps a copy of the card
// in the guest file), or once cancelled, on the day it was cancelled. A done record whose
// date is damaged counts as done long ago. Stays in house and open bookings keep their
// cards. A record that holds nothing more than erasing leaves is not written, so a second
// pass changes nothing.
ErasedCards eraseCardsBefore(const Store& store, const CivilDate& firstDayKept,
                             ErasingReach reach = ErasingReach::SinceLastPass);

} // namespace roomwright
