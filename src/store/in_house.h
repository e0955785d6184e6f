#pragma once

#include "store/disk/record_file.h"
#include "store/format/record_view.h"
#include "store/format/records.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace roomwright {

// A stay whose check-out mark, right-trimmed, is not "*".
bool inHouse(const RecordView<GuestRecord>& guest);

// Hears of every slot the store writes to a record file.
class SlotWatcher {
  public:
    virtual ~SlotWatcher() = default;
    virtual void written(std::size_t n, std::span<const std::byte> slot) = 0;
};

// Where the in-house guests sit in the guest file, so that finding them does not mean
// reading decades of departed stays. Built by one scan of the file, kept up to date by the
// store's own writes, and extended by reading only the new tail when the file has grown.
// It is never trusted blindly: every use reads the records it points to, together with the
// last record it has seen, and checks that they are still in house and still that record.
// A file that shrank, an indexed stay checked out by someone else or a last record that
// changed means the file changed behind the store's back, and the index is built again.
//
// Stays are never taken back into house once checked out, so a record outside the index
// can only become an in-house guest by being appended (the tail) or by the store's own
// write (which the index hears of).
//
// The index is kept between runs in a small file of its own, so that a start does not read the
// whole guest file: the first use takes the saved index, reads the tail the file grew by since, and
// checks it as above; a saved index that is missing, damaged, of another layout, or doubtful in any
// of the ways above is not trusted, and the index is built by one scan instead. It is saved again
// after every change. It is a cache, not the motel's data: when it cannot be saved, the clerk's
// work stands, the saved file is deleted (a stale one could miss a stay the store took back into
// house when it undid a check-out), and the next start builds the index by one scan.
class InHouseIndex : public SlotWatcher {
  public:
    using Visit = std::function<bool(std::size_t n, const RecordView<GuestRecord>& guest)>;

    // `saved` keeps the index between runs; a new one is written to `temporary` first.
    InHouseIndex(FileSystem& files, Path saved, Path temporary)
        : files_(files), saved_(std::move(saved)), temporary_(std::move(temporary)) {}

    // Visits the in-house guests of `file` in record order; `visit` returns false to stop.
    void visit(const RecordFile& file, const Visit& visit);
    void written(std::size_t n, std::span<const std::byte> slot) override;
    // The guest file was put back as it stood before an operation that was undone: the
    // index is built afresh at the next use, and the saved one is deleted.
    void forget() noexcept;

  private:
    // Takes the index an earlier run saved, when it is whole and of this layout; it is
    // checked against the guest file like any other.
    void load();
    // Saves the index when it changed since it was last saved or loaded.
    void saveChanges();
    // Whether the index holds every record of the file, after reading its new tail.
    bool upToDate(const RecordFile& file);
    void rebuild(const RecordFile& file);
    // Adds the records after the covered ones; false when the last covered record is no
    // longer the one the index saw.
    bool extend(const RecordFile& file);
    // The indexed records, read in a few block reads, provided they are all still in house
    // and the last covered record is unchanged.
    std::optional<Bytes> readChecked(const RecordFile& file) const;

    FileSystem& files_;
    Path saved_;
    Path temporary_;
    bool savedTried_ = false; // the saved index was read, or must not be (see written)
    bool changed_ = false;    // the index differs from the saved one

    bool built_ = false;
    std::size_t covered_ = 0;          // records 1 to covered_ have been looked at
    Bytes last_;                       // record covered_ as last seen
    std::vector<std::size_t> records_; // in-house record numbers, ascending
};

} // namespace roomwright
