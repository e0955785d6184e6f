#pragma once

#include "store/disk/file_system.h"
#include "store/disk/record_file.h"

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

namespace roomwright {

// Told when the program or the command-line tool starts after a crash in an operation.
inline constexpr const char* kOperationUndone =
    "The last operation on the data files was cut short; it was undone, and the files are "
    "as they were before it.";

// The files of the data directory as one clerk operation changes them: all of its changes
// happen, or none, also across a crash or a power cut.
//
// An operation's changes (writes, truncations, whole files, deletions, renames) are kept in
// memory until it commits, and its own reads see them: what it leaves a file as is the
// disk's bytes below the lowest length it cut the file to, zeros beyond them, and over both
// the stretches it wrote. Nothing reaches the disk before the commit, which then
//   1. writes to its journal (`store.journal` in the data directory, a file of this
//      program's own) all that puts the changed files back: whether each existed and its
//      length, and the old bytes of every stretch the operation changes; and waits for the
//      journal and its name to be on the disk (one sync of the two together);
//   2. makes the changes, and waits for every changed file, and the folder of every file it
//      created or deleted, to be on the disk (one sync of them together);
//   3. adds a commit mark to the journal, syncs it (the operation stands from here), and
//      deletes the journal.
// So an operation waits for the disk three times however many files it changes
// (FileSystem::syncTogether: one syncfs on Linux). A failure in 1 or 2 puts back what was
// changed, from the journal's entries held in memory; a crash or a power cut before 3 is
// undone at the next start (`recover`). A journal whose own write was cut short means that
// the changes it was to guard were never made: what it holds up to its first torn entry is
// all that is undone. A whole entry that no operation could have written (old bytes beyond
// the length the file had, or an undo that would leave bytes it does not hold) is damage:
// nothing is put back, and the journal stays.
//
// Nothing is written outside the data directory: the journal names files under it only,
// and a change or an undo through a symbolic link on the way to the file is refused.
//
// Writes made outside an operation (a test laying down its files) go straight to the disk;
// every clerk operation opens one. The memory an operation holds is what it changes, and the
// old bytes of it at the commit.
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

    // Called with each file whose changes an operation dropped or an undo put back.
    void onUndone(std::function<void(const Path&)> heard) { undone_ = std::move(heard); }
    // Called with each file an operation changed, once its changes stand on the disk.
    void onCommitted(std::function<void(const Path&)> heard) { committed_ = std::move(heard); }

    std::uint64_t size(const Path& file) override;
    std::unique_ptr<FileReader> openForReading(const Path& file) override;
    std::size_t readAt(const Path& file, std::uint64_t offset, std::span<std::byte> into) override;
    void write(const Path& file, std::uint64_t offset, std::span<const std::byte> bytes) override;
    void truncate(const Path& file, std::uint64_t length) override;
    void createDirectories(const Path& directory) override { disk_.createDirectories(directory); }
    void replaceWhole(const Path& file, const Path& temporary,
                      std::span<const std::byte> bytes) override;
    void remove(const Path& file) override;
    void rename(const Path& from, const Path& to) override;
    EntryKind kindOf(const Path& path) override;
    // The disk's, also for a file the operation changes: its time is taken at the commit.
    std::int64_t modified(const Path& file) override { return disk_.modified(file); }
    void sync(const Path& file) override { disk_.sync(file); }
    void syncDirectory(const Path& directory) override { disk_.syncDirectory(directory); }
    void syncTogether(std::span<const Path> files, std::span<const Path> directories) override {
        disk_.syncTogether(files, directories);
    }
    std::vector<Path> list(const Path& directory) override;

    // What puts one file back: its existence and length, or the old bytes at an offset.
    struct Undo {
        Path file;
        bool lengthOnly = false;
        bool existed = false;
        std::uint64_t offset = 0; // the length, when lengthOnly
        Bytes bytes;
    };

  private:
    // A file as the operation leaves it, over the file on the disk.
    struct Pending {
        bool existed = false;                   // on the disk when the operation first changed it
        std::uint64_t diskLength = 0;           // its length then
        bool exists = false;                    // as the operation leaves it
        std::uint64_t length = 0;               // as the operation leaves it
        std::uint64_t kept = 0;                 // the disk's bytes below this stay; zeros above
        std::map<std::uint64_t, Bytes> written; // what it wrote, stretches that do not overlap
    };
    class Reader;

    // The file as the operation leaves it; nothing when the operation has not changed it.
    const Pending* pendingFor(const Path& file) const;
    // Reads `into` from `file` as the operation leaves it, the disk's bytes through `disk`
    // (nothing when the file has none).
    std::size_t readPending(const Pending& pending, std::uint64_t offset, std::span<std::byte> into,
                            FileReader* disk) const;
    // Runs one change to `file`: `onDisk` outside any operation, else `inOperation` on what
    // the operation leaves the file as.
    template <class OnDisk, class InOperation>
    void change(const Path& file, OnDisk onDisk, InOperation inOperation);
    // Refuses a change to `file` through a symbolic link in a folder between the data
    // directory and it: the change would land outside the data directory.
    void refuseLinkedFolders(const Path& file) const;
    // What puts the changed files back as they are on the disk, their old bytes read.
    std::vector<Undo> undoSteps();
    // Makes the operation's changes on the disk; notes the changed files and the folders
    // whose names changed.
    void apply(std::vector<Path>& files, std::vector<Path>& directories);
    // Drops the operation's changes and puts back what reached the disk; the journal stays
    // when that fails.
    void undoAll() noexcept;
    // Applies `undo` last step first, then syncs what it put back. Throws the first
    // failure once every step was tried.
    void putBack(const std::vector<Undo>& undo);
    void clear() noexcept;

    FileSystem& disk_;
    Path root_;
    Path journal_;
    std::function<void(const Path&)> undone_;
    std::function<void(const Path&)> committed_;

    int depth_ = 0;
    bool spoiled_ = false;            // a step failed: the operation cannot commit
    bool journalBegun_ = false;       // a write to the journal was tried
    bool applied_ = false;            // a change to a file on the disk was tried
    std::uint64_t journalLength_ = 0; // the journal's entries, before the commit mark
    std::map<Path, Pending> pending_;
    std::vector<Undo> undo_;
};

} // namespace roomwright
