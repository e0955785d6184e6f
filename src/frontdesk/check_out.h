#pragma once

#include "store/store.h"

#include <string>

namespace roomwright {

// Checks an in-house guest out: the first room of the guest's number becomes vacant and
// dirty, and the guest record, found at `recordNumber`, gets its check-out mark "*" and the
// departure time; a motel that erases cards at check-out (CardErasing of 0 days) erases the
// guest's card in the same write. Nothing else changes: the planned departure date, the
// charge file and the messages stay as they are, and an open balance does not stop it. Room
// and guest change as one operation.
void checkOut(const Store& store, std::size_t recordNumber, GuestRecord guest,
              const std::string& departureTime);

} // namespace roomwright
