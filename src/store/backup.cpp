#include "store/backup.h"

#include "store/disk/platform.h"
#include "store/format/path_text.h"
#include "store/format/store_error.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <regex>
#include <system_error>
#include <tuple>

namespace roomwright {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kBlock = 1 << 20;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::string reasonOf(int error) {
    return error != 0 ? std::string(std::strerror(error)) : std::string("unknown error");
}

FilePtr open(const Path& file, const char* mode, const char* action) {
    errno = 0;
    FilePtr handle(platform::openFile(file, mode));
    if (!handle) {
        throw StoreError(file, action, reasonOf(errno));
    }
    return handle;
}

// FNV-1a over a block, carried on from `hash`: enough to tell a copy that differs.
std::uint64_t fingerprint(std::uint64_t hash, const char* bytes, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        hash = (hash ^ static_cast<unsigned char>(bytes[i])) * 1099511628211ULL;
    }
    return hash;
}
constexpr std::uint64_t kFingerprintStart = 14695981039346656037ULL;

struct Copied {
    std::uint64_t bytes = 0;
    std::uint64_t fingerprint = kFingerprintStart;
};

// Reads `file` through in large blocks, handing each to `take`.
template <class Take> Copied readThrough(const Path& file, std::vector<char>& buffer, Take take) {
    const FilePtr in = open(file, "rb", "read");
    Copied read;
    for (;;) {
        errno = 0;
        const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), in.get());
        if (got < buffer.size() && std::ferror(in.get())) {
            throw StoreError(file, "read", reasonOf(errno));
        }
        take(buffer.data(), got);
        read.bytes += got;
        read.fingerprint = fingerprint(read.fingerprint, buffer.data(), got);
        if (got < buffer.size()) {
            return read;
        }
    }
}

// Copies one file and reads the copy back: its bytes must be the ones read from `from`. The
// copy holds what the motel's files hold (card numbers among them): it is for its owner only,
// and on the disk itself before the backup is called done.
std::uint64_t copyChecked(const Path& from, const Path& to, std::vector<char>& buffer) {
    platform::createOwnerOnlyFile(to);
    const FilePtr out = open(to, "wb", "write");
    const Copied written = readThrough(from, buffer, [&](const char* bytes, std::size_t count) {
        errno = 0;
        if (std::fwrite(bytes, 1, count, out.get()) != count) {
            throw StoreError(to, "write", reasonOf(errno));
        }
    });
    errno = 0;
    if (std::fflush(out.get()) != 0) {
        throw StoreError(to, "write", reasonOf(errno));
    }
    platform::syncFile(to);
    const Copied reread = readThrough(to, buffer, [](const char*, std::size_t) {});
    if (reread.bytes != written.bytes || reread.fingerprint != written.fingerprint) {
        throw StoreError(to, "check", "the copy differs from " + utf8Text(from));
    }
    return written.bytes;
}

void createFolder(const Path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error || !fs::is_directory(folder)) {
        throw StoreError(folder, "create", error ? error.message() : "a file of that name is there",
                         "folder");
    }
}

void removeFolder(const Path& folder) {
    std::error_code error;
    fs::remove_all(folder, error);
    if (error) {
        throw StoreError(folder, "remove", error.message(), "folder");
    }
}

// Copies every file and folder of `from` into the new folder `to`, but the writer's lock
// file: it says who runs on the directory now, and on Windows the holder's lock keeps it
// from being read.
Backup copyTree(const Path& from, const Path& to, const Path& lockFile) {
    Backup copy;
    std::vector<char> buffer(kBlock);
    platform::createOwnerOnlyDirectory(to);
    std::error_code error;
    for (fs::recursive_directory_iterator it(from, error), end; !error && it != end;
         it.increment(error)) {
        const Path into = to / it->path().lexically_relative(from);
        const fs::file_status status = it->status();
        if (it->path() == lockFile) {
            continue;
        }
        if (fs::is_directory(status)) {
            platform::createOwnerOnlyDirectory(into);
        } else if (fs::is_regular_file(status)) {
            copy.bytes += copyChecked(it->path(), into, buffer);
            ++copy.files;
        } else {
            throw StoreError(it->path(), "copy", "it is neither a file nor a folder");
        }
    }
    if (error) {
        throw StoreError(from, "read", error.message(), "folder");
    }
    return copy;
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

// The finished copies under `target`, newest first: their names sort by their time, and a
// second copy of the same second ("-2") after the first.
std::vector<Path> backupsIn(const Path& target) {
    std::vector<Path> found;
    std::error_code error;
    for (fs::directory_iterator it(target, error), end; !error && it != end; it.increment(error)) {
        if (it->is_directory() && std::regex_match(utf8Text(it->path().filename()), kBackupName)) {
            found.push_back(it->path());
        }
    }
    if (error) {
        throw StoreError(target, "read", error.message(), "folder");
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

Backup backUp(const DataDirectory& data, const Path& target, const Clock& clock,
              std::optional<std::size_t> keep) {
    const Path source = absoluteOf(data.root());
    const Path into = absoluteOf(target);
    if (into == source || inside(into, source)) {
        throw DataError("The backup cannot go into the data directory " + utf8Text(source) +
                        " itself; choose a folder outside it.");
    }
    if (keep && *keep == 0) {
        throw DataError("At least the new backup is kept: --keep takes 1 or more.");
    }
    if (!fs::is_directory(source)) {
        throw StoreError(source, "read", "there is no such folder", "folder");
    }
    createFolder(into);

    const CivilDate day = clock.today();
    const TimeOfDay time = clock.now();
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "roomwright-%04d-%02d-%02d-%02d%02d%02d", day.year,
                  day.month, day.day, time.hour, time.minute, time.second);
    Path folder = into / stamp;
    for (int copy = 2; fs::exists(folder); ++copy) {
        folder = into / (std::string(stamp) + "-" + std::to_string(copy));
    }
    const Path partial = into / pathFromUtf8("." + utf8Text(folder.filename()) + ".partial");

    Backup backup;
    try {
        removeFolder(partial); // what a copy broken off at this very name left
        backup = copyTree(source, partial, source / data.writerLock().filename());
        std::error_code error;
        fs::rename(partial, folder, error);
        if (error) {
            throw StoreError(folder, "create", error.message(), "folder");
        }
        platform::syncDirectory(into);
    } catch (...) {
        std::error_code ignored;
        fs::remove_all(partial, ignored);
        throw;
    }
    backup.folder = folder;

    if (keep) {
        const std::vector<Path> newestFirst = backupsIn(into);
        for (std::size_t i = *keep; i < newestFirst.size(); ++i) {
            if (newestFirst[i] != source && !inside(source, newestFirst[i])) {
                removeFolder(newestFirst[i]);
                backup.removed.push_back(newestFirst[i]);
            }
        }
    }
    return backup;
}

} // namespace roomwright
