#include "store/backup.h"

#include "store/format/path_text.h"
#include "store/format/saved_bytes.h"
#include "store/format/store_error.h"

#include <algorithm>
#include <cstdio>
#include <regex>
#include <tuple>

namespace roomwright {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kBlock = 1 << 20;

// Inside every finished copy: what tells a copy this program made from a folder of the same
// name that it did not (keep removes only these). It is not copied from the data directory.
constexpr const char* kMarker = ".roomwright-backup";
constexpr std::string_view kMarkerText =
    "A copy of a Roomwright data directory, each file read back and checked.\n";

struct Copied {
    std::uint64_t bytes = 0;
    std::uint64_t checksum = checksumOf({});
};

// Reads `file` through in large blocks, handing each to `take`: its length and checksum.
template <class Take>
Copied readThrough(FileSystem& files, const Path& file, Bytes& block, Take take) {
    const auto in = files.openForReading(file);
    if (!in) {
        throw StoreError(file, "read", "it is gone");
    }
    Copied read;
    std::uint64_t hash = read.checksum;
    for (;;) {
        const std::size_t got = in->read(block);
        const auto bytes = std::span<const std::byte>(block).first(got);
        take(bytes);
        read.bytes += got;
        for (const std::byte b : bytes) {
            hash = (hash ^ std::to_integer<std::uint64_t>(b)) * 0x100000001b3;
        }
        if (got < block.size()) {
            read.checksum = hash;
            return read;
        }
    }
}

// Copies one file and reads the copy back: its bytes must be the ones read from `from`. The
// copy holds what the motel's files hold (card numbers among them): it is for its owner only,
// and on the disk itself before the backup is called done.
std::uint64_t copyChecked(FileSystem& files, const Path& from, const Path& to, Bytes& block) {
    files.write(to, 0, {});
    const Copied written = readThrough(files, from, block, [&](std::span<const std::byte> bytes) {
        files.write(to, files.size(to), bytes);
    });
    files.sync(to);
    const Copied reread = readThrough(files, to, block, [](std::span<const std::byte>) {});
    if (reread.bytes != written.bytes || reread.checksum != written.checksum) {
        throw StoreError(to, "check", "the copy differs from " + utf8Text(from));
    }
    return written.bytes;
}

// Removes a folder with everything in it; a link in it goes, never what it leads to.
void removeTree(FileSystem& files, const Path& path) {
    if (files.kindOf(path) == EntryKind::Folder) {
        for (const Path& entry : files.list(path)) {
            removeTree(files, entry);
        }
    }
    files.remove(path);
}

// Copies every file and folder of `from` into the new folder `to`, but the writer's lock
// file (it says who runs on the directory now, and on Windows the holder's lock keeps it from
// being read) and a backup's own marker. Only what lies in the data directory itself is
// copied: a symbolic link in it is refused, since the program writes nothing through one.
void copyTree(FileSystem& files, const Path& from, const Path& to, const Path& lockFile,
              Backup& copy, Bytes& block) {
    files.createDirectories(to);
    for (const Path& entry : files.list(from)) {
        const Path into = to / entry.filename();
        if (entry == lockFile || entry.filename() == kMarker) {
            continue;
        }
        switch (files.kindOf(entry)) {
        case EntryKind::Folder:
            copyTree(files, entry, into, lockFile, copy, block);
            break;
        case EntryKind::File:
            copy.bytes += copyChecked(files, entry, into, block);
            ++copy.files;
            break;
        case EntryKind::Link:
            throw StoreError(entry, "copy",
                             "it is a symbolic link; a backup copies only what lies in the data "
                             "directory itself, as the program writes nothing through a link");
        default:
            throw StoreError(entry, "copy", "it is neither a file nor a folder");
        }
    }
    // The names of the copies survive a power cut too.
    files.syncDirectory(to);
}

bool inside(const Path& path, const Path& folder) {
    const Path relative = path.lexically_relative(folder);
    return !relative.empty() && *relative.begin() != "..";
}

Path absoluteOf(const Path& path) {
    std::error_code error;
    const Path weak = fs::weakly_canonical(fs::absolute(path), error);
    return error ? fs::absolute(path).lexically_normal() : weak;
}

const std::regex kBackupName(R"(roomwright-\d{4}-\d{2}-\d{2}-\d{6}(-\d+)?)");

// The finished copies this program made under `target`, newest first: folders of a backup's
// name with its marker inside (a link or a folder of the user's named alike is none). Their
// names sort by their time, and a second copy of the same second ("-2") after the first.
std::vector<Path> backupsIn(FileSystem& files, const Path& target) {
    std::vector<Path> found;
    for (const Path& entry : files.list(target)) {
        if (std::regex_match(utf8Text(entry.filename()), kBackupName) &&
            files.kindOf(entry) == EntryKind::Folder &&
            files.kindOf(entry / kMarker) == EntryKind::File) {
            found.push_back(entry);
        }
    }
    // "roomwright-YYYY-MM-DD-HHMMSS" is 28 characters; a suffix "-N" after it counts as a
    // number, so a longer one is the larger.
    const auto order = [](const Path& path) {
        const std::string name = utf8Text(path.filename());
        const std::string suffix = name.size() > 28 ? name.substr(29) : "1";
        return std::make_tuple(name.substr(0, 28), suffix.size(), suffix);
    };
    std::sort(found.begin(), found.end(),
              [&](const Path& a, const Path& b) { return order(a) > order(b); });
    return found;
}

} // namespace

Backup backUp(const Store& store, const Path& target, const Clock& clock,
              std::optional<std::size_t> keep) {
    FileSystem& files = store.journal().disk();
    const DataDirectory& data = store.directory();
    const Path source = absoluteOf(data.root());
    const Path into = absoluteOf(target);
    if (into == source || inside(into, source)) {
        throw DataError("The backup cannot go into the data directory " + utf8Text(source) +
                        " itself; choose a folder outside it.");
    }
    if (keep && *keep == 0) {
        throw DataError("At least the new backup is kept: --keep takes 1 or more.");
    }
    if (files.kindOf(source) != EntryKind::Folder) {
        throw StoreError(source, "read", "there is no such folder", "folder");
    }
    files.createDirectories(into);
    if (files.kindOf(into) != EntryKind::Folder) {
        throw StoreError(into, "create", "a file of that name is there", "folder");
    }

    const CivilDate day = clock.today();
    const TimeOfDay time = clock.now();
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "roomwright-%04d-%02d-%02d-%02d%02d%02d", day.year,
                  day.month, day.day, time.hour, time.minute, time.second);
    Path folder = into / stamp;
    for (int copy = 2; files.kindOf(folder) != EntryKind::Missing; ++copy) {
        folder = into / (std::string(stamp) + "-" + std::to_string(copy));
    }
    const Path partial = into / pathFromUtf8("." + utf8Text(folder.filename()) + ".partial");

    Backup backup;
    try {
        removeTree(files, partial); // what a copy broken off at this very name left
        Bytes block(kBlock);
        copyTree(files, source, partial, source / data.writerLock().filename(), backup, block);
        files.write(partial / kMarker, 0, std::as_bytes(std::span(kMarkerText)));
        files.sync(partial / kMarker);
        files.syncDirectory(partial);
        files.rename(partial, folder);
        files.syncDirectory(into);
    } catch (...) {
        try {
            removeTree(files, partial);
        } catch (const std::exception&) {
            // The first failure is the one to tell; a leftover is removed the next time.
        }
        throw;
    }
    backup.folder = folder;

    if (keep) {
        // The copy just made is the newest, whatever the names of the others say (a clock
        // set wrong once names a copy for a later time).
        std::vector<Path> older = backupsIn(files, into);
        std::erase(older, folder);
        for (std::size_t i = *keep - 1; i < older.size(); ++i) {
            if (older[i] != source && !inside(source, older[i])) {
                removeTree(files, older[i]);
                backup.removed.push_back(older[i]);
            }
        }
    }
    return backup;
}

} // namespace roomwright
