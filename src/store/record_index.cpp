#include "store/record_index.h"

#include "store/format/saved_bytes.h"

#include <algorithm>
#include <exception>
#include <ranges>

namespace roomwright {

namespace {

// Records this close to each other are read in one block, with the slots between them.
constexpr std::size_t kReadThrough = 64;

// The saved index, all numbers little-endian:
//   magic (8 characters, the kind's), version (u32), slot length (u32), the file's length
//   (u64) and modification time (u64) when it was last seen, the kind's own number (u64),
//   records covered (u64), indexed record count (u64), the indexed record numbers (u64 each,
//   ascending), the last covered record as it was seen (one slot, none when no record is
//   covered), and an FNV-1a checksum (u64) of everything before it.
constexpr std::size_t kMagicLength = 8;
constexpr std::uint32_t kVersion = 3;
constexpr std::size_t kHeader = kMagicLength + 4 + 4 + 8 + 8 + 8 + 8 + 8;
constexpr std::size_t kChecksum = 8;
// Far beyond any motel's guests in house or open bookings; a larger file is damaged.
constexpr std::uint64_t kLargestSaved = std::uint64_t{16} << 20;

} // namespace

RecordIndex::RecordIndex(FileSystem& files, Path file, Path saved, Path temporary,
                         std::string_view magic, std::size_t slotLength)
    : files_(files), file_(std::move(file)), saved_(std::move(saved)),
      temporary_(std::move(temporary)), magic_(magic), slotLength_(slotLength) {}

void RecordIndex::visitChecked(const RecordFile& file, const SlotVisit& visit) {
    takeSavedOnce();
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
    const auto all = std::span<const std::byte>(*slots);
    for (std::size_t i = 0; i < records_.size(); ++i) {
        if (!visit(records_[i], all.subspan(i * slotLength_, slotLength_))) {
            return;
        }
    }
}

void RecordIndex::written(std::size_t n, std::span<const std::byte> slot, bool appended) {
    heard_ = true;
    const bool belongs = standing(slot) == Standing::Belongs;
    if (!built_) {
        // The saved index cannot know of a write made before it was read: build it afresh.
        // A saved one reads an appended record with the tail, but would miss one taken back
        // into the kind: let no later run take it then.
        savedTried_ = true;
        if (belongs && !appended) {
            removeSaved();
        }
        return;
    }
    // The file is another now, and the saved index is to be saved again for it. A record
    // past the covered ones is read with the tail at the next use.
    seen_ = identity();
    changed_ = true;
    if (n > covered_) {
        return;
    }
    if (n == covered_) {
        last_.assign(slot.begin(), slot.end());
    }
    const auto at = std::lower_bound(records_.begin(), records_.end(), n);
    const bool indexed = at != records_.end() && *at == n;
    if (belongs && !indexed) {
        records_.insert(at, n);
        // Taken back into the kind (an undo): the saved index, until saved again, misses it.
        removeSaved();
    } else if (!belongs && indexed) {
        records_.erase(at);
    }
}

void RecordIndex::committed() noexcept {
    if (built_ && heard_) {
        try {
            seen_ = identity();
        } catch (const std::exception&) {
            built_ = false;
        }
    }
    heard_ = false;
}

void RecordIndex::forget() noexcept {
    heard_ = false;
    built_ = false;
    savedTried_ = true;
    changed_ = false;
    removeSaved();
}

void RecordIndex::removeSaved() noexcept {
    try {
        files_.remove(saved_);
    } catch (const std::exception&) {
        // The saved index is checked at the next start all the same.
    }
}

void RecordIndex::takeSavedOnce() {
    if (savedTried_) {
        return;
    }
    savedTried_ = true;
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
    const auto magic = reader.take(kMagicLength);
    if (magic_.size() != kMagicLength ||
        !std::ranges::equal(magic, magic_, {}, {}, [](char c) { return std::byte(c); }) ||
        reader.number(4) != kVersion || reader.number(4) != slotLength_) {
        return;
    }
    const std::uint64_t length = reader.number(8);
    const auto modified = static_cast<std::int64_t>(reader.number(8));
    const std::uint64_t parameter = reader.number(8);
    const std::uint64_t covered = reader.number(8);
    const std::uint64_t count = reader.number(8);
    const std::uint64_t lastLength = covered > 0 ? slotLength_ : 0;
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
    if (reader.number(8) != checksumOf(body) || !takeParameter(parameter)) {
        return;
    }
    records_ = std::move(records);
    seen_ = {length, modified};
    covered_ = static_cast<std::size_t>(covered);
    last_.assign(last.begin(), last.end());
    built_ = true;
    changed_ = false;
}

void RecordIndex::save() noexcept {
    if (!built_ || !changed_) {
        return;
    }
    changed_ = false;
    try {
        Bytes bytes;
        bytes.reserve(kHeader + records_.size() * 8 + last_.size() + kChecksum);
        for (const char c : magic_) {
            bytes.push_back(std::byte(c));
        }
        put(bytes, kVersion, 4);
        put(bytes, slotLength_, 4);
        put(bytes, seen_.length, 8);
        put(bytes, static_cast<std::uint64_t>(seen_.modified), 8);
        put(bytes, parameter(), 8);
        put(bytes, covered_, 8);
        put(bytes, records_.size(), 8);
        for (const std::size_t n : records_) {
            put(bytes, n, 8);
        }
        bytes.insert(bytes.end(), last_.begin(), last_.end());
        put(bytes, checksumOf(bytes), 8);
        // A saved index that a power cut took in part fails its checksum and is built again,
        // so the new one takes its name without waiting for the disk; the name does wait, so
        // that an older saved index never comes back in its place.
        files_.remove(temporary_);
        files_.write(temporary_, 0, bytes);
        files_.rename(temporary_, saved_);
        files_.syncDirectory(saved_.parent_path());
    } catch (const std::exception&) {
        // The index is a cache and the clerk's work is done: leave it in memory, and make
        // the next start build it by one scan rather than trust an older saved one.
        removeSaved();
    }
}

std::optional<std::vector<std::size_t>> RecordIndex::savedRecords(const RecordFile& file) {
    takeSavedOnce();
    if (!upToDate(file) || !readChecked(file)) {
        return std::nullopt;
    }
    return records_;
}

RecordIndex::Identity RecordIndex::identity() const {
    return {files_.size(file_), files_.modified(file_)};
}

bool RecordIndex::upToDate(const RecordFile& file) {
    // Another file than the one the index last saw (restored, or written by another
    // program) is read afresh.
    if (!built_ || seen_ != identity()) {
        return false;
    }
    const std::size_t count = file.count();
    return count == covered_ || (count > covered_ && extend(file));
}

void RecordIndex::rebuild(const RecordFile& file) {
    // Seen before it is read: a change made meanwhile makes the next use read it again.
    seen_ = identity();
    records_.clear();
    covered_ = 0;
    last_.clear();
    built_ = true;
    changed_ = true;
    extend(file);
}

bool RecordIndex::extend(const RecordFile& file) {
    const std::size_t before = covered_;
    bool same = true;
    file.scan(
        [&](std::size_t n, std::span<const std::byte> slot) {
            if (n == before) {
                same = std::ranges::equal(slot, last_);
                return same;
            }
            if (standing(slot) == Standing::Belongs) {
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

std::optional<Bytes> RecordIndex::readChecked(const RecordFile& file) {
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
    // The slots of the records that still belong, in place; the aged ones leave the index.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < records_.size(); ++i) {
        const auto slot = std::span<const std::byte>(slots).subspan(i * length, length);
        switch (standing(slot)) {
        case Standing::Doubtful:
            return std::nullopt;
        case Standing::Aged:
            changed_ = true;
            continue;
        case Standing::Belongs:
            break;
        }
        if (kept != i) {
            std::ranges::copy(slot, slots.begin() + static_cast<std::ptrdiff_t>(kept * length));
        }
        records_[kept++] = records_[i];
    }
    records_.resize(kept);
    slots.resize(kept * length);
    return slots;
}

} // namespace roomwright
