#pragma once

#include "store/disk/data_directory.h"
#include "store/disk/platform.h"

#include <chrono>
#include <stdexcept>
#include <string>

namespace roomwright {

// Another program is writing to the data directory; the message says which.
class DirectoryBusy : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// One writer per data directory. The program takes this lock at its start and holds it for
// its whole run; the command-line tool's writing commands hold it while they run; reading
// takes none. It is an advisory lock of the system on `roomwright.lock` in the directory,
// which names its holder (process, computer, program): the system lets go of it when the
// holder ends, so a program that died or was killed holds nothing.
class WriterLock {
  public:
    // Takes the lock for `program`, asking again every tenth of a second for up to
    // `patience`. Throws DirectoryBusy when another program still holds it then, and
    // StoreError naming the lock file when that cannot be opened (no such directory).
    static WriterLock take(const DataDirectory& directory, const std::string& program,
                           std::chrono::milliseconds patience = std::chrono::milliseconds(0));

  private:
    explicit WriterLock(platform::FileLock lock) : lock_(std::move(lock)) {}
    platform::FileLock lock_;
};

// The message of a refused writer, from what the lock file says of its holder:
// "Roomwright is already running on the data directory DIR: process 4711 (roomwright on
// desk) is using it."
std::string busyMessage(const DataDirectory& directory, const std::string& holder);

} // namespace roomwright
