#pragma once

#include "store/disk/writer_lock.h"
#include "store/store.h"
#include "ui/dialogs.h"

#include <optional>

namespace roomwright {

// Readies the data directory for the program's run: creates its tree when missing, takes
// the one writer's lock for as long as the result is kept, undoes an operation an earlier
// run left cut short (and tells the clerk), and finds the guests in house and the bookings
// the desk asks about on `today` (from the indexes the last run saved, or by one scan of each
// file, and then saves them) so that the clerk's first look-up does not pay for it. When another
// copy of the program, or a writing command, holds the directory, or a file cannot be read or
// created, the clerk is told in a box titled "ATTENTION!" and nothing comes back: the program must
// not start.
std::optional<WriterLock> claimDataDirectory(const Store& store, FileSystem& files,
                                             Dialogs& dialogs, const CivilDate& today);

} // namespace roomwright
