#pragma once

#include "store/clock.h"
#include "store/disk/data_directory.h"
#include "store/disk/writer_lock.h"

#include <functional>
#include <optional>

namespace roomwright {

struct Restored {
    std::size_t files = 0; // files restored
    Path previous;         // DIR.before-restore-YYYY-MM-DD-HHMMSS; empty when there was no DIR
};

// Takes the data directory's writer lock for the restore, or throws DirectoryBusy naming who
// holds it. On a disk without locks (a test's, in memory) it holds nothing.
using ClaimDirectory = std::function<std::optional<WriterLock>()>;

// Puts the backup `archive` (one that backUp made) in the place of the data directory. First
// the archive is read whole into a hidden folder beside the directory (on the same disk, so
// that it can take the directory's name in one step): it must start with the program's marker,
// hold only folders and files by plain names under the directory (no absolute name, no "..",
// no link or device), every file with the checksum it was written with; the saved indexes are
// dropped from it (the next start rebuilds them) and verify must find it sound. Then
// `claim` takes the directory's writer lock, the directory is renamed
// DIR.before-restore-YYYY-MM-DD-HHMMSS (the clock's time) and the restored folder DIR, and
// their names synced. Any failure before the first rename leaves everything as it was (the
// hidden folder removed) and throws: DataError for an archive that is not a sound backup,
// StoreError naming the file or folder the disk failed on, DirectoryBusy. When the second
// rename fails the first is undone. A power cut leaves the old directory or the restored one
// under DIR; only between the two renames does it leave neither there, but both whole beside
// it: DIR.before-restore-… and the hidden .DIR.restoring-…, which finishCutRestore puts in
// place.
Restored restoreBackup(FileSystem& files, const DataDirectory& directory, const Path& archive,
                       const Clock& clock, const ClaimDirectory& claim);

// Finishes a restore that a crash or a power cut stopped between its two renames: when the
// data directory is missing, and beside it lie the whole restored copy
// .DIR.restoring-YYYY-MM-DD-HHMMSS and the data it replaced, DIR.before-restore-… of the
// same time, the copy takes the directory's name. Returns where the data before is kept, or
// nothing when there was no such restore to finish. Throws StoreError naming the folder it
// cannot rename.
std::optional<Path> finishCutRestore(FileSystem& files, const DataDirectory& directory);
// What the clerk is told of a restore finished so: where the data before it is kept.
std::string restoreFinished(const Path& previous);

} // namespace roomwright
