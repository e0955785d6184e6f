#pragma once

#include "store/disk/record_file.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace roomwright {

// Hears of every slot the store writes to a record file; `appended` when it was past its end.
class SlotWatcher {
  public:
    virtual ~SlotWatcher() = default;
    virtual void written(std::size_t n, std::span<const std::byte> slot, bool appended) = 0;
};

// Where the few records of one kind sit in a record file that grows for decades (the guests
// in house, the open bookings), so that finding them does not mean reading decades of history.
// Built by one scan of the file, kept up to date by the store's own writes, and extended by
// reading only the new tail when the file has grown by the store's own writes. It is never
// trusted blindly: it is used only for the very file it last saw, whose length and
// modification time must be the ones it had then (the store's own writes are heard), so a
// file restored from a copy or written by another program is read afresh; and every use
// reads the records it points to, together with the last record it has seen, and asks the
// kind whether each still belongs. A file that shrank, an indexed record that left the kind
// behind the store's back (a stay checked out by another program) or a last record that
// changed means the file changed behind the store's back, and the index is built again.
//
// A record outside the index can only come to belong by being appended (the tail) or by the
// store's own write (which the index hears of): the kinds are chosen so (a departed stay
// never returns to house, a closed booking never reopens).
//
// The index is kept between runs in a small file of its own, so that a start does not read the
// whole file: the first use takes the saved index and checks it as above; a saved index that is
// missing, damaged, of another layout, of another file or doubtful in any of the ways above is
// not trusted, and the index is built by one scan instead. Using the
// index never writes that file: `save` does, and only the one writer of the data directory
// calls it (the store after an operation that changed files, and the program when it claims
// the directory), so a reading command or a refused operation leaves the directory as it was.
// It is a cache, not the motel's data: when it cannot be saved, the clerk's work stands, the
// saved file is deleted (a stale one could miss a record the store took back into the kind
// when it undid an operation), and the next start builds the index by one scan.
class RecordIndex : public SlotWatcher {
  public:
    // Whether a record belongs in the index, as the kind judges its slot.
    enum class Standing {
        Belongs,
        Aged,     // left it by the kind's own rule as the days went by: dropped quietly
        Doubtful, // left it behind the store's back: the index is built again
    };

    void written(std::size_t n, std::span<const std::byte> slot, bool appended) override;
    // The file was put back as it stood before an operation that was undone: the index is
    // built afresh at the next use, and the saved one is deleted.
    void forget() noexcept;
    // The operation whose writes the index heard is on the disk now: the file there, with
    // the length and time the commit gave it, is the one the index knows.
    void committed() noexcept;
    // Saves the index when it differs from the saved one. Never throws.
    void save() noexcept;
    // The records of `file` as the saved index gives them, when the first use would take it;
    // nothing when it would build the index afresh. Writes nothing.
    std::optional<std::vector<std::size_t>> savedRecords(const RecordFile& file);

  protected:
    // The index of the record file `file`; `saved` keeps it between runs (`magic`, 8
    // characters, names the kind), and a new one is written to `temporary` first.
    RecordIndex(FileSystem& files, Path file, Path saved, Path temporary, std::string_view magic,
                std::size_t slotLength);
    ~RecordIndex() override = default;

    using SlotVisit = std::function<bool(std::size_t n, std::span<const std::byte> slot)>;
    // Visits the indexed records of `file` in record order, each slot as read now, after
    // bringing the index up to date and checking it; `visit` returns false to stop.
    void visitChecked(const RecordFile& file, const SlotVisit& visit);
    // Takes the index an earlier run saved, at the first use only: when it is whole and of this
    // layout, it is checked against the file like any other.
    void takeSavedOnce();
    // Builds the index afresh at the next use.
    void rebuildNext() { built_ = false; }
    bool built() const { return built_; }

    virtual Standing standing(std::span<const std::byte> slot) const = 0;
    // A number of the kind's own, kept with the saved index.
    virtual std::uint64_t parameter() const { return 0; }
    // Takes that number from a saved index; false refuses the saved index.
    virtual bool takeParameter(std::uint64_t value) { return value == 0; }
    // The index differs from the saved one now.
    void changed() { changed_ = true; }

  private:
    // What tells one file from another: its length and modification time.
    struct Identity {
        std::uint64_t length = 0;
        std::int64_t modified = 0;
        friend bool operator==(const Identity&, const Identity&) = default;
    };
    Identity identity() const;

    bool upToDate(const RecordFile& file);
    void rebuild(const RecordFile& file);
    // Adds the records after the covered ones; false when the last covered record is no
    // longer the one the index saw.
    bool extend(const RecordFile& file);
    // The indexed records, read in a few block reads, provided none left the kind behind the
    // store's back and the last covered record is unchanged; the aged ones are dropped.
    std::optional<Bytes> readChecked(const RecordFile& file);
    void removeSaved() noexcept;

    FileSystem& files_;
    Path file_;
    Path saved_;
    Path temporary_;
    std::string_view magic_;
    std::size_t slotLength_;
    bool savedTried_ = false; // the saved index was read, or must not be (see written)
    bool changed_ = false;    // the index differs from the saved one
    bool heard_ = false;      // it heard a write since the last commit

    bool built_ = false;
    Identity seen_;                    // the file as the index last saw it
    std::size_t covered_ = 0;          // records 1 to covered_ have been looked at
    Bytes last_;                       // record covered_ as last seen
    std::vector<std::size_t> records_; // the indexed record numbers, ascending
};

} // namespace roomwright
