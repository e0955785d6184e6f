#pragma once

#include "store/disk/file_system.h"

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace roomwright::testing {

// What a disk holds: its folders, and each file's bytes and modification time.
struct DiskImage {
    struct File {
        std::string bytes{};
        std::int64_t modified = 0;
    };
    std::set<Path> folders;
    std::map<Path, File> files;

    // The bytes of every file under `root`, by its path relative to it ('/'-separated).
    std::map<std::string, std::string> under(const Path& root) const;
};

// How much of what was not synced yet a power cut keeps: none of it, all of it, or some.
enum class Kept { Nothing, Everything, Some };

// A disk in memory that records every step that changes it (a write, a truncation, the
// creation of a file or folder, a rename, a deletion) and every sync between them, and tells
// what a power cut after any step leaves on the disk:
//
// - a file's bytes as its last sync made them durable, and after it each later write or
//   truncation kept or lost (a write also kept in part: any of its 512-byte sectors);
// - a folder's names as its last sync made them durable, and after it each later creation,
//   rename or deletion in it kept or lost.
//
// The steps are kept or lost each on its own, in any mix across files and folders; only the
// syncs order them. Kept::Some picks the mix at random from a seed, so a case replays.
class PowerCutFileSystem : public FileSystem {
  public:
    // A disk that holds `image`, all of it durable.
    explicit PowerCutFileSystem(const DiskImage& image = {});

    // The steps taken so far.
    std::size_t steps() const { return log_.size(); }
    // The disk as it reads now.
    DiskImage image() const;
    // The disk as a power cut right after the first `steps` steps leaves it.
    DiskImage cutAfter(std::size_t steps, Kept kept, std::uint64_t seed = 0) const;

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
    std::vector<Path> list(const Path& directory) override;

  private:
    // A name in a folder: a file (its content's number) or a folder (its number).
    struct Node {
        bool folder = false;
        std::size_t id = 0;
        friend bool operator==(const Node&, const Node&) = default;
    };
    struct Content {
        std::string bytes{};
        std::int64_t modified = 0;
    };
    using Names = std::map<std::string, Node>;

    // One step that changes the disk, or a sync.
    struct Step {
        enum Kind { Write, Truncate, Link, Move, Unlink, SyncFile, SyncFolder } kind = Write;
        std::size_t folder = 0;    // Link, Unlink, Move (from), SyncFolder
        std::string name{};        // Link, Unlink, Move (from)
        std::size_t toFolder = 0;  // Move
        std::string toName{};      // Move
        Node node{};               // Link, Move; Write, Truncate, SyncFile: the file's content
        std::uint64_t offset = 0;  // Write: where; Truncate: the new length
        std::string bytes{};       // Write
        std::int64_t modified = 0; // Write, Truncate: the content's new time
    };

    // Where a path leads: the folder holding its last name, and that name; nothing when a
    // folder on the way is missing.
    struct Place {
        std::size_t folder;
        std::string name{};
    };
    std::optional<Place> placeOf(const Path& path) const;
    std::optional<Node> nodeAt(const Path& path) const;
    // The content of an existing file; throws StoreError naming it otherwise.
    std::size_t fileAt(const Path& file, const char* action) const;
    // Takes the step on the disk as it reads now, and records it.
    void record(Step step);
    // What a step does to the names and contents it is taken on.
    static void apply(const Step& step, std::vector<Names>& folders,
                      std::vector<Content>& contents);
    // The files and folders that folder 0 leads to.
    static DiskImage imageOf(const std::vector<Names>& folders,
                             const std::vector<Content>& contents);

    // The disk when the recording began, all of it durable.
    std::vector<Names> firstFolders_;
    std::vector<Content> firstContents_;
    // The disk as it reads now: folder 0 holds the first part of every path.
    std::vector<Names> folders_;
    std::vector<Content> contents_;
    std::vector<Step> log_;
    std::int64_t clock_ = 0; // the modification times are ticks of it
};

} // namespace roomwright::testing
