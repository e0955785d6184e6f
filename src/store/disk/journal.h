#pragma once

#include "store/disk/file_system.h"
#include "store/disk/record_file.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace roomwright {

// Told when the program or the command-line tool starts after a crash in an operation.
inline constexpr const char* kOperationUndone =
    "The last operation on the data files was cut short; it was undone, and the files are "
    "as they were before it.";

// The files of the data directory as one clerk operation changes them: all of its changes
// happen, or none, also across a crash or a power cut.
//
// Before an operation first changes a file it writes to its journal (`store.journal` in the
// data directory, a file of this program's own) what it needs to put the file back: whether
// the file existed and its length, and the old bytes of every stretch it overwrites; the
// journal is synced before the change is made. When the operation is done, every file it
// changed is synced, a commit mark is added to the journal and synced, and the journal is
// deleted. An operation that fails is undone from what it noted; an operation cut short by
// a crash or a power cut is undone at the next start (`recover`). A journal whose own write
// was cut short means that the change it was to guard was never made: what it holds up to
// its first torn entry is all that is undone. A whole entry that no operation could have
// written (old bytes beyond the length the file had, or an undo that would leave bytes it
// does not hold) is damage: nothing is put back, and the journal stays.
//
// Nothing is written outside the data directory: the journal names files under it only,
// and a change or an undo through a symbolic link on the way to the file is refused.
//
// Reads go straight to the disk, and so do writes made outside an operation (a test laying
// down its files); every clerk operation opens one.
class JournaledFiles : public FileSystem {
  public:
    // `journal` is the journal's path; every changed file must lie under `root`.
    JournaledFiles(FileSystem& disk, Path root, Path journal);

    FileSystem& disk() const { return disk_; }
    const Path& journalPath() const { return journal_; }

    // Operations nest: only the outermost one commits or is undone.
    void begin();
    // Makes the operation's changes durable. When that fails, or when a nested operation
    // was abandoned, everything is undone and the failure thrown. Returns true when the
    // outermost operation changed files and they are now durable.
    bool commit();
    // Undoes the operation's changes (the outermost one's: a failed step spoils it whole).
    void abandon() noexcept;

    // Undoes the operation an earlier run left unfinished, or clears the journal of one it
    // finished. Returns whether anything was undone. Throws StoreError naming the file it
    // cannot put back, or DamageError naming the journal when it is damaged; the journal
    // then stays for the next try.
    bool recover();
    // Whether the journal holds an operation that was neither finished nor undone.
    bool pending() const;

    // Called with each file that an undo put back.
    void onUndone(std::function<void(const Path&)> heard) { undone_ = std::move(heard); }

    std::uint64_t size(const Path& file) override { return disk_.size(file); }
    std::unique_ptr<FileReader> openForReading(const Path& file) override {
        return disk_.openForReading(file);
    }
    std::size_t readAt(const Path& file, std::uint64_t offset, std::span<std::byte> into) override {
        return disk_.readAt(file, offset, into);
    }
    void write(const Path& file, std::uint64_t offset, std::span<const std::byte> bytes) override;
    void truncate(const Path& file, std::uint64_t length) override;
    void createDirectories(const Path& directory) override { disk_.createDirectories(directory); }
    void replaceWhole(const Path& file, const Path& temporary,
                      std::span<const std::byte> bytes) override;
    void remove(const Path& file) override;
    void rename(const Path& from, const Path& to) override;
    EntryKind kindOf(const Path& path) override { return disk_.kindOf(path); }
    std::int64_t modified(const Path& file) override { return disk_.modified(file); }
    void sync(const Path& file) override { disk_.sync(file); }
    void syncDirectory(const Path& directory) override { disk_.syncDirectory(directory); }
    std::vector<Path> list(const Path& directory) override { return disk_.list(directory); }

    // What puts one file back: its existence and length, or the old bytes at an offset.
    struct Undo {
        Path file;
        bool lengthOnly = false;
        bool existed = false;
        std::uint64_t offset = 0; // the length, when lengthOnly
        Bytes bytes;
    };

  private:
    struct Touched {
        Path file;
        bool existed = false;
        std::uint64_t length = 0;
        std::vector<std::pair<std::uint64_t, std::uint64_t>> saved; // [from, to) noted
        bool renamed = false; // its name was removed or given to another file
    };

    // Runs one change, inside the current operation or straight on the disk; `renames`
    // when it removes the file's name or gives it to another file.
    template <class Change>
    void change(const Path& file, std::uint64_t from, std::uint64_t to, bool renames, Change apply);
    // Refuses a change to `file` through a symbolic link in a folder between the data
    // directory and it: the change would land outside the data directory.
    void refuseLinkedFolders(const Path& file) const;
    // Notes in the journal what puts back bytes [from, to) of `file`, as far as the
    // operation has not noted it already.
    void note(const Path& file, std::uint64_t from, std::uint64_t to);
    // Puts the operation's files back as they were; the journal stays when that fails.
    void undoAll() noexcept;
    // Applies `undo` last step first, then syncs what it put back. Throws the first
    // failure once every step was tried.
    void putBack(const std::vector<Undo>& undo);
    void clear() noexcept;

    FileSystem& disk_;
    Path root_;
    Path journal_;
    std::function<void(const Path&)> undone_;

    int depth_ = 0;
    bool spoiled_ = false;            // a step failed: the operation cannot commit
    bool journalBegun_ = false;       // a write to the journal was tried
    std::uint64_t journalLength_ = 0; // 0 while the operation has changed nothing
    std::vector<Touched> touched_;
    std::vector<Undo> undo_;
};

} // namespace roomwright
