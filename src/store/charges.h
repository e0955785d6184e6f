#pragma once

#include "store/format/charge_line.h"
#include "store/store.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace roomwright {

// Reads a charge file line by line in large blocks, never holding it whole: `line` hears
// each line read, `problem` each line that could not be (as in ParsedCharges::problems). A
// missing file has no lines.
void scanChargeFile(FileSystem& files, const Path& chargeFile,
                    const std::function<void(const ChargeLine&)>& line,
                    const std::function<void(const std::string&)>& problem);

// A month's totals as the file holds them, with what is damaged about each sum: "cut short"
// (the file ends inside it) or "not a finite number"; "" for a sound sum. A missing or
// empty file holds zeros; a file that holds all 18 sums is sound without the slot's tail.
struct StoredTotals {
    TotalsRecord record;
    std::array<std::string, 18> damage;
    // Every damaged sum with what is wrong with it; "" when all are sound.
    std::string damageSummary() const;
};
StoredTotals storedTotals(const Store& store, const CivilDate& month);
// The month's totals. Throws DamageError naming the file when a sum is damaged.
TotalsRecord monthTotals(const Store& store, const CivilDate& month);

// Posts an item: appends its line to the stay's charge file, on a line of its own, and adds
// the amount to the month's totals, as one operation: both happen or neither. Returns the
// month's totals as the posting left them.
// An amount that is not postableAmount, or damaged totals, are refused with DataError
// before anything is written.
TotalsRecord postItem(const Store& store, long folioNumber, const std::string& roomNumber,
                      Category category, double amount, const CivilDate& today);

// Every line of a stay's charge file; a missing file has none.
ParsedCharges readCharges(const Store& store, long folioNumber);

} // namespace roomwright
