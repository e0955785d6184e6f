#pragma once

#include "store/clock.h"
#include "store/disk/file_system.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct archive;

namespace roomwright {

// A backup is one tar file: first a marker naming the program (what tells a backup this
// program made from any other file), then the data directory's folders and files by their
// names under it, then the checksums of those files. The checksums let a backup be checked
// whole, also long after it was made: tar itself guards only its headers.
inline constexpr std::string_view kMarkerMember = ".roomwright-backup";
inline constexpr std::string_view kSumsMember = ".roomwright-sums";
inline constexpr std::string_view kMarkerText =
    "A backup of a Roomwright data directory, each file read back and checked.\n";

// The clock's time as backups and the folders a restore keeps are named: YYYY-MM-DD-HHMMSS.
std::string timeStamp(const Clock& clock);
// `wanted`, or when that name is taken `wanted` with "-2", "-3" … before `extension`.
Path freeName(FileSystem& files, const Path& folder, const std::string& wanted,
              const std::string& extension = "");

// The size and checksum of every file of an archive, in its order, as text: one line
// "<checksum> <size> <name>" each.
class MemberSums {
  public:
    void begin(std::string name);
    void add(std::span<const std::byte> bytes);
    void end();
    const std::string& text() const { return text_; }
    // The name of the first file whose line differs from `expected`; nothing when none does.
    std::optional<std::string> firstDifference(std::string_view expected) const;

  private:
    void mix(std::uint64_t word);

    std::string text_;
    std::vector<std::string> names_;
    std::string name_;
    std::uint64_t size_ = 0;
    std::uint64_t hash_ = 0;
    std::uint64_t pending_ = 0; // the bytes of a word not yet whole
    unsigned pendingBytes_ = 0;
};

// Writes a tar file through the file system in large blocks, each member for its owner only.
// Every failure throws StoreError naming the file.
class ArchiveWriter {
  public:
    // Every member is dated at the clock's time.
    ArchiveWriter(FileSystem& files, Path file, const Clock& clock);
    ~ArchiveWriter();
    ArchiveWriter(const ArchiveWriter&) = delete;
    ArchiveWriter& operator=(const ArchiveWriter&) = delete;

    void addFolder(const std::string& name);
    // A file of `size` bytes; give them with `write`, all of them.
    void beginFile(const std::string& name, std::uint64_t size);
    void write(std::span<const std::byte> bytes);
    // Writes the end of the archive.
    void close();

    struct Sink;

  private:
    void check(int status);

    std::unique_ptr<Sink> sink_;
    std::unique_ptr<archive, int (*)(archive*)> handle_;
    archive* archive_;
    std::int64_t time_;
};

// Reads a tar file through the file system, member by member. A header that is damaged or
// an archive cut short throws StoreError naming the file.
class ArchiveReader {
  public:
    ArchiveReader(FileSystem& files, Path file);
    ~ArchiveReader();
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;

    enum class Kind { File, Folder, Other };
    struct Member {
        std::string name; // as the archive has it, '/'-separated; a folder's without a '/' after it
        Kind kind = Kind::Other;
    };
    // The next member; nothing at the end of the archive.
    std::optional<Member> next();
    // Reads the current member's bytes into `into`; 0 at its end.
    std::size_t read(std::span<std::byte> into);

    struct Source;

  private:
    void check(int status);

    std::unique_ptr<Source> source_;
    std::unique_ptr<archive, int (*)(archive*)> handle_;
    archive* archive_;
    Path file_;
};

// What reading a backup whole found besides its members.
struct BackupRead {
    bool whole = false;     // its marker first, its checksums last and nothing after them
    std::string storedSums; // the checksums it holds
};
// Reads the backup `file` whole: hands each member after the marker to `member`, and each
// file's bytes to `bytes` as they come, and keeps the checksums of its files in `sums`.
BackupRead readBackup(FileSystem& files, const Path& file, MemberSums& sums,
                      const std::function<void(const ArchiveReader::Member&)>& member,
                      const std::function<void(std::span<const std::byte>)>& bytes);

} // namespace roomwright
