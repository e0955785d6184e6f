#pragma once

#include "store/disk/file_system.h"
#include "store/format/bytes.h"

#include <cstddef>
#include <functional>
#include <vector>

namespace roomwright {

// A file of fixed-length slots: record n (from 1) occupies bytes (n - 1) * L to n * L - 1.
// Every write is a whole slot or nothing: when the disk refuses part of a slot, the file is
// put back as it was before the error is reported; a new file is created whole.
class RecordFile {
  public:
    RecordFile(FileSystem& files, Path path, std::size_t slotLength);

    const Path& path() const { return path_; }
    std::size_t slotLength() const { return slotLength_; }

    // Whole records in the file; a missing file has none.
    std::size_t count() const;
    // Record n; a record past the end reads as zero bytes.
    Bytes read(std::size_t n) const;
    // Writes record n (1 to count() + 1).
    void write(std::size_t n, const Bytes& slot);
    // Writes records `first` (1 to count() + 1) onwards from whole slots, in one write.
    void writeSlots(std::size_t first, std::span<const std::byte> written);
    // Writes record count() + 1 and returns its number.
    std::size_t append(const Bytes& slot);
    using SlotVisit = std::function<bool(std::size_t n, std::span<const std::byte> slot)>;
    // Visits records `first` to N in order, reading the file in large blocks in one pass.
    // The visitor returns false to stop.
    void scan(const SlotVisit& visit, std::size_t first = 1) const;
    // Records `first` to `first + count - 1` in one read; fewer bytes when the file ends
    // before them (only whole slots are returned).
    Bytes readRange(std::size_t first, std::size_t count) const;

  private:
    FileSystem& files_;
    Path path_;
    std::size_t slotLength_;
};

} // namespace roomwright
