#include "store/charges.h"

#include "store/format/codepage.h"
#include "store/format/numbers.h"
#include "store/format/path_text.h"
#include "store/format/store_error.h"
#include "store/settings.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace roomwright {

namespace {

constexpr std::size_t kBlockBytes = 1 << 20;

} // namespace

void scanChargeFile(FileSystem& files, const Path& chargeFile,
                    const std::function<void(const ChargeLine&)>& line,
                    const std::function<void(const std::string&)>& problem) {
    auto reader = files.openForReading(chargeFile);
    if (!reader) {
        return;
    }
    const std::string fileName = utf8Text(chargeFile);
    ChargeLineReader lines(fileName, line, problem);
    // Blocks of 1 MiB, or the whole of a smaller file and one byte more.
    std::vector<std::byte> block(
        static_cast<std::size_t>(std::min<std::uint64_t>(kBlockBytes, files.size(chargeFile) + 1)));
    while (true) {
        const std::size_t got = reader->read(block);
        lines.feed(std::string_view(reinterpret_cast<const char*>(block.data()), got));
        if (got < block.size()) {
            break;
        }
    }
    lines.finish();
}

std::string StoredTotals::damageSummary() const {
    std::string summary;
    for (std::size_t i = 0; i < damage.size(); ++i) {
        if (!damage[i].empty()) {
            summary += (summary.empty() ? "" : ", ") + std::string(TotalsRecord::fieldNames[i]) +
                       " is " + damage[i];
        }
    }
    return summary;
}

StoredTotals storedTotals(const Store& store, const CivilDate& month) {
    const Path file = store.directory().totalsFile(month);
    Bytes slot(TotalsRecord::slotLength);
    const std::size_t held = store.files().readAt(file, 0, slot);
    StoredTotals totals{decode<TotalsRecord>(slot), {}};
    for (std::size_t i = 0; i < totals.record.sums.size(); ++i) {
        if (held > 0 && held < (i + 1) * 4) {
            totals.damage[i] = "cut short";
        } else if (!std::isfinite(totals.record.sums[i])) {
            totals.damage[i] = "not a finite number";
        }
    }
    return totals;
}

TotalsRecord monthTotals(const Store& store, const CivilDate& month) {
    StoredTotals totals = storedTotals(store, month);
    const std::string damage = totals.damageSummary();
    if (!damage.empty()) {
        throw DamageError(store.directory().totalsFile(month), damage);
    }
    return std::move(totals.record);
}

TotalsRecord postItem(const Store& store, long folioNumber, const std::string& roomNumber,
                      Category category, double amount, const CivilDate& today) {
    if (!postableAmount(amount)) {
        throw DataError(std::string(kAmountOutOfRange) + " Nothing was posted.");
    }
    Operation operation(store);
    const CategoryInfo& info = categoryInfo(category);
    const ShiftClerkRecord onDuty = shiftAndClerk(store);
    TotalsRecord totals = monthTotals(store, today);
    ChargeLine line;
    line.RoomNumber = roomNumber;
    line.Shift = onDuty.Shift.str();
    line.Clerk = onDuty.ClerkInitials.str();
    line.PostDate = today;
    line.Code = info.code;
    line.Description = info.description;
    line.Amount = amount;
    line.FolioNumber = folioNumber;
    std::string text = formatChargeLine(line) + "\r\n";

    const Path chargeFile = store.directory().chargeFile(folioNumber);
    FileSystem& files = store.files();
    const std::uint64_t lengthBefore = files.size(chargeFile);
    // A last line without its line end (a torn append, another tool) would swallow this one.
    std::byte last{'\n'};
    if (lengthBefore > 0 && files.readAt(chargeFile, lengthBefore - 1, {&last, 1}) == 1 &&
        last != std::byte{'\n'}) {
        text.insert(0, "\r\n");
    }
    const auto* first = reinterpret_cast<const std::byte*>(text.data());
    files.write(chargeFile, lengthBefore, std::span<const std::byte>(first, text.size()));
    totals[info.slot] += static_cast<float>(amount);
    store.totals(today).write(1, totals);
    operation.commit();
    return totals;
}

ParsedCharges readCharges(const Store& store, long folioNumber) {
    ParsedCharges parsed;
    scanChargeFile(
        store.files(), store.directory().chargeFile(folioNumber),
        [&](const ChargeLine& line) { parsed.lines.push_back(line); },
        [&](const std::string& problem) { parsed.problems.push_back(problem); });
    return parsed;
}

} // namespace roomwright
