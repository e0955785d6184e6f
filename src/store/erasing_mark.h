#pragma once

#include "store/disk/file_system.h"
#include "store/format/bytes.h"

#include <cstddef>
#include <vector>

namespace roomwright {

// How far the erasing of cards has come in one record file, so that a pass need not read
// the decades of stays and bookings that are done with for good: those whose cards are
// erased, or that hold none, never hold one again (no writer changes a stay after its
// check-out, nor a booking after its check-in or cancelling). Records 1 to `covered` have
// been looked at; all of them are done with but `pending` (in house, open, or not long
// enough ago), which the next pass looks at again, with the records the file has grown by.
//
// `anchor` is the last record done with among the covered ones, as the pass saw it: as it
// never changes, a file in which it has changed, or that no longer reaches `covered`, is
// not the file the mark was made on (a file copied back from elsewhere), and the next pass
// reads it whole.
struct ErasingProgress {
    std::size_t covered = 0;
    std::size_t anchor = 0; // 0: none yet
    Bytes anchorSlot;
    std::vector<std::size_t> pending; // ascending, each at most `covered`

    friend bool operator==(const ErasingProgress&, const ErasingProgress&) = default;
};

// The progress in the guest file and in the reservation file, kept between runs in a file
// of this program's own beside them (DataDirectory::erasingMark); other programs on the
// directory do not read it.
struct ErasingMark {
    ErasingProgress stays;
    ErasingProgress bookings;

    friend bool operator==(const ErasingMark&, const ErasingMark&) = default;
};

// The saved mark; none (every file read whole) when it is missing, damaged or of another
// layout. Throws StoreError when the file cannot be read.
ErasingMark loadErasingMark(FileSystem& files, const Path& file);
// Replaces the saved mark whole (FileSystem::replaceWhole, through `temporary`).
void saveErasingMark(FileSystem& files, const Path& file, const Path& temporary,
                     const ErasingMark& mark);

} // namespace roomwright
