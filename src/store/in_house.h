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
// whole guest file: the first use takes the saved index and checks it as above. Saved or in
// memory, the index is used only for the very guest file it last saw: the file's length and
// modification time must be the ones it had then (the store's own writes are heard), so a
// guest file restored from a copy, written by another program, or put back by an undo is
// read afresh. A saved index that is missing,
// damaged, of another layout, of another file or doubtful in any of the ways above is not
// trusted, and the index is built by one scan instead. It is saved again after every write
// to the guest file. It is a cache, not the motel's data: when it cannot be saved, the
// clerk's work stands, the saved file is deleted, and the next start builds the index by one
// scan.
class InHouseIndex : public SlotWatcher {
  public:
    using Visit = std::function<bool(std::size_t n, const RecordView<GuestRecord>& guest)>;

    // The index of the guest file `guest`; `saved` keeps it between runs, and a new one is
    // written to `temporary` first.
    InHouseIndex(FileSystem& files, Path guest, Path saved, Path temporary)
        : files_(files), guest_(std::move(guest)), saved_(std::move(saved)),
          temporary_(std::move(temporary)) {}

    // Visits the in-house guests of `file` in record order; `visit` returns false to stop.
    void visit(const RecordFile& file, const Visit& visit);
    // The in-house records of `file` as the saved index gives them, when the first use would
    // take it; nothing when it would build the index afresh. Writes nothing.
    std::optional<std::vector<std::size_t>> savedRecords(const RecordFile& file);
    void written(std::size_t n, std::span<const std::byte> slot) override;
    // The guest file was put back as it stood before an operation that was undone: the
    // index is built afresh at the next use, and the saved one is deleted.
    void forget() noexcept;

  private:
    // What tells one guest file from another: its length and modification time.
    struct Identity {
        std::uint64_t length = 0;
        std::int64_t modified = 0;
        friend bool operator==(const Identity&, const Identity&) = default;
    };
    Identity identity() const;

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
    Path guest_;
    Path saved_;
    Path temporary_;
    bool savedTried_ = false; // the saved index was read, or must not be (see written)
    bool changed_ = false;    // the index differs from the saved one

    bool built_ = false;
    Identity seen_;                    // the guest file as the index last saw it
    std::size_t covered_ = 0;          // records 1 to covered_ have been looked at
    Bytes last_;                       // record covered_ as last seen
    std::vector<std::size_t> records_; // in-house record numbers, ascending
};

} // namespace roomwright
