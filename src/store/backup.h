#pragma once

#include "store/clock.h"
#include "store/store.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace roomwright {

struct Backup {
    Path folder;               // the finished copy: DIR/roomwright-YYYY-MM-DD-HHMMSS
    std::size_t files = 0;     // files copied and checked
    std::uint64_t bytes = 0;   // their bytes
    std::vector<Path> removed; // older copies removed to keep the newest `keep`
};

// Copies the whole data directory of `store` (but the writer's lock file) into a new folder
// roomwright-YYYY-MM-DD-HHMMSS (the clock's time; "-2", "-3" … after it when one of that name is
// there) under `target`, which is created when missing (for its owner only). The copy is made in
// a hidden folder beside it and renamed only when every file has been copied, synced and read
// back equal to what was read from the data directory, and a marker file put in it that tells
// it from any other folder; on any failure it is removed again and the error (StoreError, naming
// the file or folder) thrown, so no half copy ever carries the name. A symbolic link in the data
// directory is refused, naming it: the copy holds only what lies in the directory itself. With
// `keep`, the new copy and the newest `keep` - 1 other copies this program made under `target`
// are kept and the older ones removed; nothing without the marker is ever removed. The data
// directory itself is only read, through the store's disk; the caller holds its writer lock
// (store/writer_lock.h), so that nothing changes while it is copied. Throws DataError when
// `target` lies inside it, or `keep` is 0.
Backup backUp(const Store& store, const Path& target, const Clock& clock,
              std::optional<std::size_t> keep = std::nullopt);

} // namespace roomwright
