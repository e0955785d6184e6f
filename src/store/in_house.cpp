#include "store/in_house.h"

#include <algorithm>
#include <ranges>

namespace roomwright {

namespace {

// Records this close to each other are read in one block, with the slots between them.
constexpr std::size_t kReadThrough = 64;

RecordView<GuestRecord> slotView(const Bytes& slots, std::size_t i, std::size_t length) {
    return RecordView<GuestRecord>(std::span<const std::byte>(slots).subspan(i * length, length));
}

} // namespace

bool inHouse(const RecordView<GuestRecord>& guest) {
    return guest.trimmedBytes<&GuestRecord::CheckOutMark>() != "*";
}

void InHouseIndex::visit(const RecordFile& file, const Visit& visit) {
    std::optional<Bytes> slots;
    for (int attempt = 0; attempt < 2 && !slots; ++attempt) {
        if (attempt > 0 || !upToDate(file)) {
            rebuild(file);
        }
        slots = readChecked(file);
    }
    if (!slots) {
        // Another program is rewriting the file as we read it: start afresh next time.
        built_ = false;
        return;
    }
    for (std::size_t i = 0; i < records_.size(); ++i) {
        if (!visit(records_[i], slotView(*slots, i, file.slotLength()))) {
            return;
        }
    }
}

void InHouseIndex::written(std::size_t n, std::span<const std::byte> slot) {
    // A record past the covered ones is read with the tail at the next use.
    if (!built_ || n > covered_) {
        return;
    }
    if (n == covered_) {
        last_.assign(slot.begin(), slot.end());
    }
    const auto at = std::lower_bound(records_.begin(), records_.end(), n);
    const bool indexed = at != records_.end() && *at == n;
    const bool stays = inHouse(RecordView<GuestRecord>(slot));
    if (stays && !indexed) {
        records_.insert(at, n);
    } else if (!stays && indexed) {
        records_.erase(at);
    }
}

bool InHouseIndex::upToDate(const RecordFile& file) {
    if (!built_) {
        return false;
    }
    const std::size_t count = file.count();
    return count == covered_ || (count > covered_ && extend(file));
}

void InHouseIndex::rebuild(const RecordFile& file) {
    records_.clear();
    covered_ = 0;
    last_.clear();
    built_ = true;
    extend(file);
}

bool InHouseIndex::extend(const RecordFile& file) {
    const std::size_t before = covered_;
    bool same = true;
    file.scan(
        [&](std::size_t n, std::span<const std::byte> slot) {
            if (n == before) {
                same = std::ranges::equal(slot, last_);
                return same;
            }
            if (inHouse(RecordView<GuestRecord>(slot))) {
                records_.push_back(n);
            }
            covered_ = n;
            return true;
        },
        std::max<std::size_t>(before, 1));
    if (same && covered_ != before) {
        last_ = file.read(covered_);
    }
    return same;
}

std::optional<Bytes> InHouseIndex::readChecked(const RecordFile& file) const {
    const std::size_t length = file.slotLength();
    std::vector<std::size_t> wanted = records_;
    if (covered_ > 0 && (wanted.empty() || wanted.back() != covered_)) {
        wanted.push_back(covered_);
    }
    Bytes slots;
    slots.reserve(wanted.size() * length);
    for (std::size_t i = 0; i < wanted.size();) {
        // One read from wanted[i] to the last wanted record near enough to it.
        std::size_t j = i + 1;
        while (j < wanted.size() && wanted[j] - wanted[j - 1] <= kReadThrough) {
            ++j;
        }
        const std::size_t first = wanted[i];
        const Bytes run = file.readRange(first, wanted[j - 1] - first + 1);
        for (; i < j; ++i) {
            const std::size_t offset = (wanted[i] - first) * length;
            if (offset + length > run.size()) {
                return std::nullopt;
            }
            slots.insert(slots.end(), run.begin() + static_cast<std::ptrdiff_t>(offset),
                         run.begin() + static_cast<std::ptrdiff_t>(offset + length));
        }
    }
    if (covered_ > 0 &&
        !std::ranges::equal(std::span<const std::byte>(slots).last(length), last_)) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < records_.size(); ++i) {
        if (!inHouse(slotView(slots, i, length))) {
            return std::nullopt;
        }
    }
    return slots;
}

} // namespace roomwright
