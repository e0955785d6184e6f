#include "backup/backup.h"

#include "backup/archive.h"
#include "store/format/path_text.h"
#include "store/format/store_error.h"

#include <algorithm>
#include <regex>
#include <tuple>

namespace roomwright {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kBlock = 1 << 20;

Path absoluteOf(const Path& path) {
    std::error_code error;
    const Path weak = fs::weakly_canonical(fs::absolute(path), error);
    return error ? fs::absolute(path).lexically_normal() : weak;
}

bool inside(const Path& path, const Path& folder) {
    const Path relative = path.lexically_relative(folder);
    return !relative.empty() && *relative.begin() != "..";
}

// Writes every folder and file under `from` into the archive by its name under the data
// directory, but the writer's lock file (it says who runs on the directory now, and on
// Windows the holder's lock keeps it from being read) and members of a backup's own names.
// Only what lies in the data directory itself is written: a symbolic link in it is refused,
// since the program writes nothing through one.
void writeTree(FileSystem& files, const Path& from, const std::string& prefix, const Path& lockFile,
               ArchiveWriter& archive, MemberSums& sums, Backup& backup, Bytes& block) {
    for (const Path& entry : files.list(from)) {
        const std::string name = prefix + utf8Text(entry.filename());
        if (entry == lockFile || name == kMarkerMember || name == kSumsMember) {
            continue;
        }
        switch (files.kindOf(entry)) {
        case EntryKind::Folder:
            archive.addFolder(name);
            writeTree(files, entry, name + "/", lockFile, archive, sums, backup, block);
            break;
        case EntryKind::File: {
            const std::uint64_t size = files.size(entry);
            const auto in = files.openForReading(entry);
            if (!in) {
                throw StoreError(entry, "read", "it is gone");
            }
            archive.beginFile(name, size);
            sums.begin(name);
            for (std::uint64_t left = size; left > 0;) {
                const std::size_t got = in->read(std::span(block).first(
                    static_cast<std::size_t>(std::min<std::uint64_t>(left, block.size()))));
                if (got == 0) {
                    throw StoreError(entry, "read", "it grew shorter while it was read");
                }
                const auto bytes = std::span<const std::byte>(block).first(got);
                archive.write(bytes);
                sums.add(bytes);
                left -= got;
            }
            sums.end();
            backup.bytes += size;
            ++backup.files;
            break;
        }
        case EntryKind::Link:
            throw StoreError(entry, "copy",
                             "it is a symbolic link; a backup copies only what lies in the data "
                             "directory itself, as the program writes nothing through a link");
        default:
            throw StoreError(entry, "copy", "it is neither a file nor a folder");
        }
    }
}

void addWhole(ArchiveWriter& archive, std::string_view name, std::string_view text) {
    archive.beginFile(std::string(name), text.size());
    archive.write(std::as_bytes(std::span(text)));
}

// Reads the archive just written back whole, from the disk it went to: its members must be
// the ones written, with the bytes read from the data directory.
void checkWritten(FileSystem& files, const Path& written, const Path& named, const Path& source,
                  const std::string& expected) {
    MemberSums read;
    const BackupRead found = readBackup(
        files, written, read, [](const ArchiveReader::Member&) {},
        [](std::span<const std::byte>) {});
    const auto differing = read.firstDifference(expected);
    if (!found.whole || found.storedSums != expected || differing) {
        throw StoreError(named, "check",
                         "what it holds of " +
                             utf8Text(source / pathFromUtf8(differing.value_or("the files"))) +
                             " differs from what was read there");
    }
}

const std::regex kBackupName(R"(roomwright-\d{4}-\d{2}-\d{2}-\d{6}(-\d+)?\.tar)");

// Whether `file` starts with the marker this program writes first into every backup.
bool madeByThisProgram(FileSystem& files, const Path& file) {
    try {
        ArchiveReader archive(files, file);
        const auto first = archive.next();
        return first && first->name == kMarkerMember;
    } catch (const StoreError&) {
        return false; // not a tar file at all: not one of ours
    }
}

// The finished backups this program made under `target`, newest first: files of a backup's
// name that start with its marker (a link, a folder or another file named alike is none).
// Their names sort by their time, and a second backup of the same second ("-2") after the
// first.
std::vector<Path> backupsIn(FileSystem& files, const Path& target) {
    std::vector<Path> found;
    for (const Path& entry : files.list(target)) {
        if (std::regex_match(utf8Text(entry.filename()), kBackupName) &&
            files.kindOf(entry) == EntryKind::File && madeByThisProgram(files, entry)) {
            found.push_back(entry);
        }
    }
    // "roomwright-YYYY-MM-DD-HHMMSS" is 28 characters; a suffix "-N" after it counts as a
    // number, so a longer one is the larger.
    const auto order = [](const Path& path) {
        const std::string name = utf8Text(path.stem());
        const std::string suffix = name.size() > 28 ? name.substr(29) : "1";
        return std::make_tuple(name.substr(0, 28), suffix.size(), suffix);
    };
    std::sort(found.begin(), found.end(),
              [&](const Path& a, const Path& b) { return order(a) > order(b); });
    return found;
}

} // namespace

Path fromTheRoot(const Path& path) {
    return (path.has_root_directory() ? path : fs::absolute(path)).lexically_normal();
}

bool sameOrInside(const Path& path, const Path& folder) {
    const Path full = absoluteOf(path);
    const Path outer = absoluteOf(folder);
    return full == outer || inside(full, outer);
}

Backup backUp(const Store& store, const Path& target, const Clock& clock,
              std::optional<std::size_t> keep) {
    FileSystem& files = store.journal().disk();
    const DataDirectory& data = store.directory();
    const Path source = fromTheRoot(data.root());
    const Path into = fromTheRoot(target);
    if (sameOrInside(into, source)) {
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

    const Path file = freeName(files, into, "roomwright-" + timeStamp(clock), ".tar");
    const Path partial = into / pathFromUtf8("." + utf8Text(file.filename()) + ".partial");

    Backup backup;
    try {
        // The backup holds what the motel's files hold (card numbers among them): it is
        // for its owner only, and on the disk itself before it is called done.
        ArchiveWriter archive(files, partial, clock);
        addWhole(archive, kMarkerMember, kMarkerText);
        MemberSums sums;
        Bytes block(kBlock);
        writeTree(files, source, "", source / data.writerLock().filename(), archive, sums, backup,
                  block);
        addWhole(archive, kSumsMember, sums.text());
        archive.close();
        files.sync(partial);
        checkWritten(files, partial, file, source, sums.text());
        files.rename(partial, file);
        files.syncDirectory(into);
    } catch (...) {
        try {
            files.remove(partial);
        } catch (const std::exception&) {
            // The first failure is the one to tell; a leftover is replaced the next time.
        }
        throw;
    }
    backup.file = file;

    if (keep) {
        // The backup just made is the newest, whatever the names of the others say (a clock
        // set wrong once names a backup for a later time).
        std::vector<Path> older = backupsIn(files, into);
        std::erase(older, file);
        for (std::size_t i = *keep - 1; i < older.size(); ++i) {
            files.remove(older[i]);
            backup.removed.push_back(older[i]);
        }
    }
    return backup;
}

} // namespace roomwright
