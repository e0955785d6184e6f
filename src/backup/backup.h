#pragma once

#include "store/clock.h"
#include "store/store.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace roomwright {

struct Backup {
    Path file;                 // the finished backup: DIR/roomwright-YYYY-MM-DD-HHMMSS.tar
    std::size_t files = 0;     // files in it, checked
    std::uint64_t bytes = 0;   // their bytes
    std::vector<Path> removed; // older backups removed to keep the newest `keep`
};

// Writes the whole data directory of `store` (but the writer's lock file) into one tar file
// roomwright-YYYY-MM-DD-HHMMSS.tar (the clock's time; "-2", "-3" … before ".tar" when one of
// that name is there) under `target`, which is created when missing (for its owner only). The
// file is written under a hidden name beside it, synced once, read back whole and compared
// with the checksums kept while the data directory was read; only then does it take its
// name. On any failure it is removed again and the error (StoreError, naming the file or
// folder) thrown, so no half backup ever carries the name. A symbolic link in the data
// directory is refused, naming it: the backup holds only what lies in the directory itself.
// With `keep`, the new backup and the newest `keep` - 1 others this program made under
// `target` are kept and the older ones removed; a file without the program's marker as its
// first member is never removed. The data directory itself is only read, through the store's
// disk; the caller holds its writer lock (store/disk/writer_lock.h), so that nothing changes
// while it is read. Throws DataError when `target` lies inside it, or `keep` is 0.
Backup backUp(const Store& store, const Path& target, const Clock& clock,
              std::optional<std::size_t> keep = std::nullopt);

// `path` from the root on, as the backup and the restore name it: a relative one from the
// working folder, one from the root on as it is (on Windows, one without its drive lies on the
// drive the program runs from).
Path fromTheRoot(const Path& path);

// Whether the two name the same folder, or `path` lies inside `folder`, once both are made
// absolute and their links followed.
bool sameOrInside(const Path& path, const Path& folder);

} // namespace roomwright
