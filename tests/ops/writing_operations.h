#pragma once

#include "store/store.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace roomwright::testing {

// Every clerk operation that writes, on one small motel: the tests of all-or-nothing run
// each of them under failing disks, killed processes and power cuts.

// The day the operations run on.
inline const CivilDate kOperationDay{2026, 12, 7};

// Lays down the motel on an empty data directory: a stay-over (folio 1, room 102) and two
// departed stays after it (folio 2; folio 3, long gone, its card still stored), a reservation
// arriving today for room 101, a message for the stay and one dirty room.
void layDownMotel(const Store& store);

struct WritingOperation {
    const char* name;
    std::function<void(const Store&)> run;
};
const std::vector<WritingOperation>& everyWritingOperation();
// The one of them of that name.
const WritingOperation& writingOperation(std::string_view name);

// The files of a data directory by their paths under it, with their bytes.
using Files = std::map<std::string, std::string>;
// The motel's files among them: without the program's saved indexes (caches, rebuilt
// whenever they are in doubt) and the temporary files a whole file is written to first (a
// leftover is replaced the next time).
Files motelFilesOf(Files files);
// The names of the files that differ between two sets of files; "" when none does.
std::string differences(const Files& actual, const Files& expected);

} // namespace roomwright::testing
