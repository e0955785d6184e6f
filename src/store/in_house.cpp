#include "store/in_house.h"

#include "store/format/saved_bytes.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <exception>
#include <ranges>
#include <string_view>

namespace roomwright {

namespace {

// Records this close to each other are read in one block, with the slots between them.
constexpr std::size_t kReadThrough = 64;

RecordView<GuestRecord> slotView(const Bytes& slots, std::size_t i, std::size_t length) {
    return RecordView<GuestRecord>(std::span<const std::byte>(slots).subspan(i * length, length));
}

// The saved index, all numbers little-endian:
//   magic "RWINHOUS", version (u32), slot length (u32), the guest file's length (u64) and
//   modification time (u64) when it was saved, records covered (u64),
//   in-house record count (u64), the in-house record numbers (u64 each, ascending),
//   the last covered record as it was seen (one slot, none when no record is covered),
//   and an FNV-1a checksum (u64) of everything before it.
constexpr std::string_view kMagic = "RWINHOUS";
constexpr std::uint32_t kVersion = 2;
constexpr std::size_t kHeader = kMagic.size() + 4 + 4 + 8 + 8 + 8 + 8;
constexpr std::size_t kChecksum = 8;
// Far beyond any motel's in-house guests; a larger file is damaged.
constexpr std::uint64_t kLargestSaved = std::uint64_t{16} << 20;

} // namespace

bool inHouse(const RecordView<GuestRecord>& guest) {
    return guest.trimmedBytes<&GuestRecord::CheckOutMark>() != "*";
}

void InHouseIndex::visit(const RecordFile& file, const Visit& visit) {
    if (!savedTried_) {
        savedTried_ = true;
        load();
    }
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
    saveChanges();
    for (std::size_t i = 0; i < records_.size(); ++i) {
        if (!visit(records_[i], slotView(*slots, i, file.slotLength()))) {
            return;
        }
    }
}

void InHouseIndex::written(std::size_t n, std::span<const std::byte> slot) {
    if (!built_) {
        // The saved index cannot know of a write made before it was read: build it afresh.
        savedTried_ = true;
        return;
    }
    // The guest file is another now: the saved index is saved again for it. A record past
    // the covered ones is read with the tail at the next use.
    changed_ = true;
    if (n <= covered_) {
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
    saveChanges();
}

std::optional<std::vector<std::size_t>> InHouseIndex::savedRecords(const RecordFile& file) {
    load();
    if (!upToDate(file) || !readChecked(file)) {
        return std::nullopt;
    }
    return records_;
}

void InHouseIndex::forget() noexcept {
    built_ = false;
    savedTried_ = true;
    changed_ = false;
    try {
        files_.remove(saved_);
    } catch (const std::exception&) {
        // The saved index is checked at the next start all the same.
    }
}

void InHouseIndex::load() {
    const std::size_t slotLength = GuestRecord::slotLength;
    Bytes bytes;
    try {
        const std::uint64_t size = files_.size(saved_);
        if (size < kHeader + kChecksum || size > kLargestSaved) {
            return;
        }
        bytes.resize(static_cast<std::size_t>(size));
        if (files_.readAt(saved_, 0, bytes) != bytes.size()) {
            return;
        }
    } catch (const std::exception&) {
        return; // an unreadable saved index is a missing one: build it by one scan
    }
    const auto body = std::span<const std::byte>(bytes).first(bytes.size() - kChecksum);
    SavedReader reader(bytes);
    const auto magic = reader.take(kMagic.size());
    if (!std::ranges::equal(magic, kMagic, {}, {}, [](char c) { return std::byte(c); }) ||
        reader.number(4) != kVersion || reader.number(4) != slotLength) {
        return;
    }
    const std::uint64_t length = reader.number(8);
    const auto modified = static_cast<std::int64_t>(reader.number(8));
    const std::uint64_t covered = reader.number(8);
    const std::uint64_t count = reader.number(8);
    const std::uint64_t lastLength = covered > 0 ? slotLength : 0;
    if (count > kLargestSaved / 8 || reader.left() != count * 8 + lastLength + kChecksum) {
        return;
    }
    std::vector<std::size_t> records;
    records.reserve(static_cast<std::size_t>(count));
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t n = reader.number(8);
        if (n == 0 || n > covered || (!records.empty() && n <= records.back())) {
            return;
        }
        records.push_back(static_cast<std::size_t>(n));
    }
    const auto last = reader.take(static_cast<std::size_t>(lastLength));
    if (reader.number(8) != checksumOf(body)) {
        return;
    }
    records_ = std::move(records);
    seen_ = {length, modified};
    covered_ = static_cast<std::size_t>(covered);
    last_.assign(last.begin(), last.end());
    built_ = true;
    changed_ = false;
}

void InHouseIndex::saveChanges() {
    if (!changed_) {
        return;
    }
    changed_ = false;
    seen_ = identity();
    Bytes bytes;
    bytes.reserve(kHeader + records_.size() * 8 + last_.size() + kChecksum);
    for (const char c : kMagic) {
        bytes.push_back(std::byte(c));
    }
    put(bytes, kVersion, 4);
    put(bytes, GuestRecord::slotLength, 4);
    put(bytes, seen_.length, 8);
    put(bytes, static_cast<std::uint64_t>(seen_.modified), 8);
    put(bytes, covered_, 8);
    put(bytes, records_.size(), 8);
    for (const std::size_t n : records_) {
        put(bytes, n, 8);
    }
    bytes.insert(bytes.end(), last_.begin(), last_.end());
    put(bytes, checksumOf(bytes), 8);
    try {
        files_.replaceWhole(saved_, temporary_, bytes);
    } catch (const std::exception&) {
        // The index is a cache and the clerk's work is done: leave it in memory, and make
        // the next start build it by one scan rather than trust an older saved one.
        try {
            files_.remove(saved_);
        } catch (const std::exception&) {
            // Nothing more can be done here; the saved index is still checked at the start.
        }
    }
}

InHouseIndex::Identity InHouseIndex::identity() const {
    return {files_.size(guest_), files_.modified(guest_)};
}

bool InHouseIndex::upToDate(const RecordFile& file) {
    // Another file than the one the index last saw (restored, or written by another
    // program) is read afresh.
    if (!built_ || seen_ != identity()) {
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
    changed_ = true;
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
        changed_ = true;
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
