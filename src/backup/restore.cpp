#include "backup/restore.h"

#include "backup/archive.h"
#include "backup/backup.h"
#include "store/format/path_text.h"
#include "store/format/store_error.h"
#include "store/store.h"
#include "store/verify.h"

#include <set>

namespace roomwright {

namespace {

// Beyond this many findings of verify, only their number is told.
constexpr std::size_t kFindingsShown = 5;

// Removes a folder with everything in it; a link in it goes, never what it leads to.
void removeTree(FileSystem& files, const Path& path) {
    if (files.kindOf(path) == EntryKind::Folder) {
        for (const Path& entry : files.list(path)) {
            removeTree(files, entry);
        }
    }
    files.remove(path);
}

// Removes what a restore that failed left; the first failure is the one to tell.
void removeLeftover(FileSystem& files, const Path& folder) noexcept {
    try {
        removeTree(files, folder);
    } catch (const std::exception&) {
        // A leftover under a hidden name, removed by hand or never in the way.
    }
}

// A member's name as a path under `into`, when it is a plain one: relative, '/'-separated,
// none of its parts empty, "." or "..", and no character another system reads as a separator,
// a drive or a stream. Nothing otherwise.
std::optional<Path> plainPath(const Path& into, const std::string& name) {
    if (name.empty() || name.find_first_of("\\:") != std::string::npos ||
        name.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    Path path = into;
    std::size_t start = 0;
    while (start <= name.size()) {
        const std::size_t end = std::min(name.find('/', start), name.size());
        const std::string part = name.substr(start, end - start);
        if (part.empty() || part == "." || part == "..") {
            return std::nullopt;
        }
        path /= pathFromUtf8(part);
        start = end + 1;
    }
    return path;
}

// Reads the archive whole into the new folder `into`: every file synced, and the names of
// every folder. Throws DataError when it is not a whole, sound backup.
std::size_t unpack(FileSystem& files, const Path& archive, const Path& into) {
    const auto refuse = [&](const std::string& why) {
        throw DataError("The file " + utf8Text(archive) + " cannot be restored: " + why +
                        ". Nothing was changed.");
    };
    std::vector<Path> folders = {into};
    std::set<Path> taken;
    Path current;
    std::uint64_t written = 0;
    std::size_t count = 0;
    const auto finishFile = [&] {
        if (!current.empty()) {
            files.sync(current);
            current.clear();
        }
    };
    MemberSums sums;
    files.createDirectories(into);
    const BackupRead read = readBackup(
        files, archive, sums,
        [&](const ArchiveReader::Member& member) {
            finishFile();
            const bool folder = member.kind == ArchiveReader::Kind::Folder;
            if (member.kind == ArchiveReader::Kind::Other) {
                refuse("it holds " + member.name +
                       ", which is neither a file nor a folder (a link or a device)");
            }
            const auto path = plainPath(into, member.name);
            if (!path) {
                refuse("it holds the name \"" + member.name +
                       "\", which does not lie inside the data directory");
            }
            if (!taken.insert(*path).second) {
                refuse("it holds " + member.name + " twice");
            }
            files.createDirectories(folder ? *path : path->parent_path());
            if (folder) {
                folders.push_back(*path);
                return;
            }
            files.write(*path, 0, {});
            current = *path;
            written = 0;
            ++count;
        },
        [&](std::span<const std::byte> bytes) {
            files.write(current, written, bytes);
            written += bytes.size();
        });
    finishFile();
    if (!read.whole) {
        refuse("it is not a whole backup made by Roomwright");
    }
    if (const auto damaged = sums.firstDifference(read.storedSums)) {
        refuse("its copy of " + *damaged + " is damaged (it does not match its checksum)");
    }
    for (const Path& folder : folders) {
        files.syncDirectory(folder);
    }
    return count;
}

// The saved indexes are caches of the files they were saved beside; the next start rebuilds
// them from the restored files. Returns how many there were.
std::size_t dropSavedIndexes(FileSystem& files, const DataDirectory& restored) {
    std::size_t dropped = 0;
    for (const Path& index : {restored.inHouseIndex(), restored.inHouseIndexTemporary(),
                              restored.bookingIndex(), restored.bookingIndexTemporary()}) {
        if (files.kindOf(index) != EntryKind::Missing) {
            files.remove(index);
            ++dropped;
        }
    }
    return dropped;
}

void refuseUnsound(FileSystem& files, const DataDirectory& restored, const Path& archive) {
    const Verification verification = verifyDataDirectory(Store(restored, files));
    if (verification.sound()) {
        return;
    }
    std::string findings;
    for (std::size_t i = 0; i < verification.findings.size() && i < kFindingsShown; ++i) {
        const Finding& finding = verification.findings[i];
        findings += "\n" +
                    utf8Text(finding.file.lexically_relative(restored.root()).generic_string()) +
                    ": " + finding.problem;
    }
    if (verification.findings.size() > kFindingsShown) {
        findings +=
            "\nand " + std::to_string(verification.findings.size() - kFindingsShown) + " more";
    }
    throw DataError("The file " + utf8Text(archive) +
                    " cannot be restored: verify finds damage in the data it holds. Nothing "
                    "was changed." +
                    findings);
}

// The data directory's folder, the folder it lies in and its name.
struct Place {
    Path folder;
    Path parent;
    std::string name;
};
Place placeOf(const DataDirectory& directory) {
    const Path root = fromTheRoot(directory.root());
    const Path folder = root.has_filename() ? root : root.parent_path();
    return {folder, folder.parent_path(), utf8Text(folder.filename())};
}

} // namespace

std::optional<Path> finishCutRestore(FileSystem& files, const DataDirectory& directory) {
    const auto [place, parent, name] = placeOf(directory);
    if (files.kindOf(place) != EntryKind::Missing) {
        return std::nullopt;
    }
    const std::string restoring = "." + name + ".restoring-";
    for (const Path& entry : files.list(parent)) {
        const std::string entryName = utf8Text(entry.filename());
        if (!entryName.starts_with(restoring) || files.kindOf(entry) != EntryKind::Folder) {
            continue;
        }
        // The restore renamed the data directory only once the restored copy was whole.
        const Path previous =
            parent / pathFromUtf8(name + ".before-restore-" + entryName.substr(restoring.size()));
        if (files.kindOf(previous) == EntryKind::Folder) {
            files.rename(entry, place);
            files.syncDirectory(parent);
            return previous;
        }
    }
    return std::nullopt;
}

std::string restoreFinished(const Path& previous) {
    return "A restore of the data was cut short; it is finished now. The data it replaced is "
           "kept in " +
           utf8Text(previous) + ".";
}

Restored restoreBackup(FileSystem& files, const DataDirectory& directory, const Path& archive,
                       const Clock& clock, const ClaimDirectory& claim) {
    const auto [place, parent, name] = placeOf(directory);
    switch (files.kindOf(archive)) {
    case EntryKind::File:
        break;
    case EntryKind::Missing:
        throw StoreError(archive, "read", "there is no such file");
    default:
        throw DataError("The backup to restore is a file roomwright-YYYY-MM-DD-HHMMSS.tar; " +
                        utf8Text(archive) + " is none.");
    }
    // The restored copy and the data it replaces bear the same time, so that a restore cut
    // short between its two renames can be told and finished (finishCutRestore).
    const auto taken = [&](const std::string& at) {
        return files.kindOf(parent / pathFromUtf8("." + name + ".restoring-" + at)) !=
                   EntryKind::Missing ||
               files.kindOf(parent / pathFromUtf8(name + ".before-restore-" + at)) !=
                   EntryKind::Missing;
    };
    const std::string time = timeStamp(clock);
    std::string stamp = time;
    for (int n = 2; taken(stamp); ++n) {
        stamp = time + "-" + std::to_string(n);
    }
    const Path unpacked = parent / pathFromUtf8("." + name + ".restoring-" + stamp);

    Restored restored;
    std::optional<WriterLock> lock;
    const bool replacing = files.kindOf(place) != EntryKind::Missing;
    try {
        restored.files = unpack(files, archive, unpacked);
        restored.files -= dropSavedIndexes(files, DataDirectory(unpacked));
        refuseUnsound(files, DataDirectory(unpacked), archive);
        files.syncDirectory(parent);
        if (replacing) {
            lock = claim();
            restored.previous = parent / pathFromUtf8(name + ".before-restore-" + stamp);
#ifdef _WIN32
            // Windows renames no folder while a file in it is open, the lock file among them:
            // it is let go of just before, and a program that opens the directory meanwhile
            // makes the rename fail, which changes nothing.
            lock.reset();
#endif
            files.rename(place, restored.previous);
            files.syncDirectory(parent);
        }
    } catch (...) {
        removeLeftover(files, unpacked);
        throw;
    }
    try {
        files.rename(unpacked, place);
    } catch (const std::exception& failure) {
        if (replacing) {
            try {
                files.rename(restored.previous, place);
            } catch (const std::exception&) {
                throw StoreError(place, "restore",
                                 std::string(failure.what()) + " The data it held is in " +
                                     utf8Text(restored.previous) + " and the restored data in " +
                                     utf8Text(unpacked) + "; rename one of them to " +
                                     utf8Text(place),
                                 "folder");
            }
        }
        removeLeftover(files, unpacked);
        throw;
    }
    files.syncDirectory(parent);
    return restored;
}

} // namespace roomwright
