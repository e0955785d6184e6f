#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace roomwright {

using Path = std::filesystem::path;

// A file opened for reading in large blocks.
class FileReader {
  public:
    virtual ~FileReader() = default;
    // Fills `into` from the current position; returns the bytes read, fewer only at the
    // end of the file. Throws StoreError when the read fails.
    virtual std::size_t read(std::span<std::byte> into) = 0;
    // Moves to `offset` bytes from the start. Throws StoreError when it cannot.
    virtual void seek(std::uint64_t offset) = 0;
};

// What a name stands for, as the name itself says: a symbolic link is a link whatever it
// points to (the program never reads or writes through one).
enum class EntryKind { Missing, File, Folder, Link, Other };

// The seam between the data store and the disk. Every byte the store reads or writes goes
// through one of these calls; the test version injects failures such as a full disk.
class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // Length of the file in bytes; 0 when it does not exist.
    virtual std::uint64_t size(const Path& file) = 0;
    // Opens an existing file for reading from its start; nothing when it does not exist.
    virtual std::unique_ptr<FileReader> openForReading(const Path& file) = 0;
    // Reads up to `into.size()` bytes at `offset`; returns the bytes read (0 when the file
    // does not exist or ends before `offset`). Through openForReading.
    virtual std::size_t readAt(const Path& file, std::uint64_t offset, std::span<std::byte> into);
    // Writes `bytes` at `offset`, creating the file when it is missing, and flushes them to
    // the system. Throws StoreError when not every byte could be written; some of them
    // may have reached the file by then.
    virtual void write(const Path& file, std::uint64_t offset,
                       std::span<const std::byte> bytes) = 0;
    // Cuts the file back to `length` bytes.
    virtual void truncate(const Path& file, std::uint64_t length) = 0;
    virtual void createDirectories(const Path& directory) = 0;
    // Makes `file` hold exactly `bytes`, all or nothing, also across a power cut: writes
    // them to `temporary` beside it and syncs it, renames it over `file`, and syncs the
    // folder. Throws StoreError naming `file` when it cannot; `file` is then as it was,
    // unless only the folder's sync failed (the error then names the folder).
    virtual void replaceWhole(const Path& file, const Path& temporary,
                              std::span<const std::byte> bytes);
    // Deletes the file, or an empty folder; a missing one is no error. Throws StoreError
    // when it cannot.
    virtual void remove(const Path& file) = 0;
    // Gives the file or folder `from` the name `to` in one step, replacing a file of that
    // name. Throws StoreError naming `to` when it cannot.
    virtual void rename(const Path& from, const Path& to) = 0;
    // What `path` names, without following a symbolic link there. Throws StoreError when
    // it cannot be told.
    virtual EntryKind kindOf(const Path& path) = 0;
    // When the file's bytes last changed, as a number only compared for equality; 0 when
    // it does not exist. Throws StoreError when it cannot be told.
    virtual std::int64_t modified(const Path& file) = 0;
    // Waits until what was written to the file is on the disk itself, where a power cut
    // cannot take it; a missing file is no error. Throws StoreError naming the file.
    virtual void sync(const Path& file) = 0;
    // The same for the names in a directory: a file created in it, renamed into it or
    // deleted from it. Throws StoreError naming the directory.
    virtual void syncDirectory(const Path& directory) = 0;
    // Both for many at once: waits until what was written to each of `files` and the names
    // in each of `directories` are on the disk, in as few waits as the system allows. Throws
    // StoreError naming a file or folder that could not be synced. Here: one by one.
    virtual void syncTogether(std::span<const Path> files, std::span<const Path> directories);
    // The entries of `directory`, sorted by name; none when it does not exist. Throws
    // StoreError when it cannot be read.
    virtual std::vector<Path> list(const Path& directory) = 0;
};

// The whole content of a file, read in large blocks; "" when it does not exist.
std::string readWholeFile(FileSystem& files, const Path& file);

// The real disk, through the C and C++ standard libraries.
class DiskFileSystem : public FileSystem {
  public:
    std::uint64_t size(const Path& file) override;
    std::unique_ptr<FileReader> openForReading(const Path& file) override;
    void write(const Path& file, std::uint64_t offset, std::span<const std::byte> bytes) override;
    void truncate(const Path& file, std::uint64_t length) override;
    void createDirectories(const Path& directory) override;
    void remove(const Path& file) override;
    void rename(const Path& from, const Path& to) override;
    EntryKind kindOf(const Path& path) override;
    std::int64_t modified(const Path& file) override;
    void sync(const Path& file) override;
    void syncDirectory(const Path& directory) override;
    void syncTogether(std::span<const Path> files, std::span<const Path> directories) override;
    std::vector<Path> list(const Path& directory) override;
};

} // namespace roomwright
