#pragma once

#include "store/store.h"

#include <string>
#include <vector>

namespace roomwright {

// One thing wrong in a data directory: the file, and what.
struct Finding {
    Path file;
    std::string problem;
};

struct Verification {
    std::size_t filesRead = 0;
    std::vector<Finding> findings; // file by file, in the order they were read
    bool sound() const { return findings.empty(); }
};

// Reads every file of the data directory, writing nothing, and tells what is damaged: a
// value or record cut short, a number that is not finite, an impossible date, a folio number
// that is none, a charge line that cannot be read or counts in no totals, a last charge line
// without its CR LF, anything but a regular file in a data file's place, a data folder that
// is a symbolic link, the journal of an operation that did not finish, a saved in-house
// index that the program would take and that leaves out a stay in house; and every sum of a
// month's totals that disagrees with the charge lines posted in that month (beyond the
// rounding of the Singles it is kept in).
Verification verifyDataDirectory(const Store& store);

} // namespace roomwright
