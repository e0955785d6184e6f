#include "store/disk/record_file.h"

#include "store/disk/data_directory.h"
#include "store/format/store_error.h"

#include <algorithm>
#include <string>

namespace roomwright {

namespace {
constexpr std::size_t kBlockBytes = 1 << 17;
}

RecordFile::RecordFile(FileSystem& files, Path path, std::size_t slotLength)
    : files_(files), path_(std::move(path)), slotLength_(slotLength) {}

std::size_t RecordFile::count() const {
    return static_cast<std::size_t>(files_.size(path_) / slotLength_);
}

Bytes RecordFile::read(std::size_t n) const {
    Bytes slot(slotLength_);
    if (n >= 1) {
        const std::size_t got =
            files_.readAt(path_, static_cast<std::uint64_t>(n - 1) * slotLength_, slot);
        if (got < slotLength_) {
            std::fill(slot.begin(), slot.end(), std::byte{0});
        }
    }
    return slot;
}

void RecordFile::write(std::size_t n, const Bytes& slot) {
    writeSlots(n, slot);
}

void RecordFile::writeSlots(std::size_t first, std::span<const std::byte> written) {
    if (written.empty() || written.size() % slotLength_ != 0) {
        throw StoreError(path_, "write",
                         "a record of " + std::to_string(written.size()) +
                             " bytes does not fit a slot of " + std::to_string(slotLength_));
    }
    const std::uint64_t lengthBefore = files_.size(path_);
    const std::size_t records = static_cast<std::size_t>(lengthBefore / slotLength_);
    if (first < 1 || first > records + 1) {
        throw StoreError(path_, "write", "record " + std::to_string(first) + " is beyond its end");
    }
    const std::uint64_t offset = static_cast<std::uint64_t>(first - 1) * slotLength_;
    if (lengthBefore == 0) {
        // A new file is created whole, written beside it and renamed into place: no power
        // cut leaves it holding part of its first record, which would read as damage.
        files_.replaceWhole(path_, DataDirectory::beside(path_), written);
        return;
    }
    // The records the write overwrites, to be put back when it fails.
    const std::size_t overwritten = std::min(records - (first - 1), written.size() / slotLength_);
    const Bytes before = readRange(first, overwritten);
    try {
        files_.write(path_, offset, written);
    } catch (const StoreError&) {
        // Put back what the failed write may have half-changed, then report the failure:
        // the length the file had, and the slots it overwrote. The first failure is the one
        // the clerk needs to see.
        try {
            if (files_.size(path_) > lengthBefore) {
                files_.truncate(path_, lengthBefore);
            }
        } catch (const StoreError&) {
        }
        try {
            if (!before.empty()) {
                files_.write(path_, offset, before);
            }
        } catch (const StoreError&) {
        }
        throw;
    }
}

std::size_t RecordFile::append(const Bytes& slot) {
    const std::size_t n = count() + 1;
    write(n, slot);
    return n;
}

Bytes RecordFile::readRange(std::size_t first, std::size_t count) const {
    if (first < 1 || count == 0) {
        return {};
    }
    Bytes slots(count * slotLength_);
    const std::size_t got =
        files_.readAt(path_, static_cast<std::uint64_t>(first - 1) * slotLength_, slots);
    slots.resize(got / slotLength_ * slotLength_);
    return slots;
}

void RecordFile::scan(const SlotVisit& visit, std::size_t first) const {
    auto reader = files_.openForReading(path_);
    if (!reader || first < 1) {
        return;
    }
    const std::uint64_t start = static_cast<std::uint64_t>(first - 1) * slotLength_;
    if (first > 1) {
        reader->seek(start);
    }
    // Blocks of 1 MiB, or the whole rest of a smaller file and one slot more.
    const std::uint64_t length = files_.size(path_);
    const std::size_t slotsPerBlock = static_cast<std::size_t>(
        std::min<std::uint64_t>(std::max<std::size_t>(1, kBlockBytes / slotLength_),
                                (length - std::min(length, start)) / slotLength_ + 1));
    Bytes block(slotsPerBlock * slotLength_);
    std::size_t n = first - 1;
    while (true) {
        const std::size_t got = reader->read(block);
        const std::size_t whole = got / slotLength_;
        for (std::size_t i = 0; i < whole; ++i) {
            if (!visit(++n,
                       std::span<const std::byte>(block).subspan(i * slotLength_, slotLength_))) {
                return;
            }
        }
        if (got < block.size()) {
            return;
        }
    }
}

} // namespace roomwright
