#include "store/disk/file_system.h"

#include "store/disk/platform.h"
#include "store/format/store_error.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>
#include <vector>

namespace roomwright {

namespace {

std::string reasonOf(int error) {
    return error != 0 ? std::string(std::strerror(error)) : std::string("unknown error");
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

FilePtr openFile(const Path& file, const char* mode) {
    errno = 0;
    return FilePtr(platform::openFile(file, mode));
}

// True when `file` exists. Only regular files are data: a FIFO would hang a reader, a device
// such as /dev/zero would never end, and a symbolic link may lead out of the data directory,
// so anything else in a data file's place is refused.
bool existsAsData(const Path& file, const char* action) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(file, error);
    if (error && error != std::errc::no_such_file_or_directory) {
        throw StoreError(file, action, error.message());
    }
    if (!std::filesystem::exists(status)) {
        return false;
    }
    if (std::filesystem::is_symlink(status)) {
        throw StoreError(file, action,
                         "it is a symbolic link, and the program reads and writes only files of "
                         "its own there");
    }
    if (!std::filesystem::is_regular_file(status)) {
        throw StoreError(file, action, "it is not a regular file");
    }
    return true;
}

class DiskReader : public FileReader {
  public:
    DiskReader(Path file, FilePtr handle) : file_(std::move(file)), handle_(std::move(handle)) {}

    std::size_t read(std::span<std::byte> into) override {
        errno = 0;
        const std::size_t got = std::fread(into.data(), 1, into.size(), handle_.get());
        if (got < into.size() && std::ferror(handle_.get())) {
            throw StoreError(file_, "read", reasonOf(errno));
        }
        return got;
    }

    void seek(std::uint64_t offset) override {
        if (!platform::seekFile(handle_.get(), offset)) {
            throw StoreError(file_, "read", reasonOf(errno));
        }
    }

  private:
    Path file_;
    FilePtr handle_;
};

} // namespace

void FileSystem::replaceWhole(const Path& file, const Path& temporary,
                              std::span<const std::byte> bytes) {
    try {
        // A temporary left behind keeps the permissions it had: start from a fresh one.
        remove(temporary);
        write(temporary, 0, bytes);
        // The new name must never stand for bytes that are not on the disk yet.
        sync(temporary);
        rename(temporary, file);
    } catch (const StoreError& failure) {
        try {
            remove(temporary);
        } catch (const StoreError&) {
            // The first failure is the one to tell; a leftover is replaced the next time.
        }
        throw StoreError(file, "write", failure.reason());
    }
    syncDirectory(file.parent_path());
}

void FileSystem::syncTogether(std::span<const Path> files, std::span<const Path> directories) {
    for (const Path& file : files) {
        sync(file);
    }
    for (const Path& directory : directories) {
        syncDirectory(directory);
    }
}

std::uint64_t DiskFileSystem::size(const Path& file) {
    if (!existsAsData(file, "read")) {
        return 0;
    }
    std::error_code error;
    const auto length = std::filesystem::file_size(file, error);
    if (error) {
        throw StoreError(file, "read", error.message());
    }
    return length;
}

std::unique_ptr<FileReader> DiskFileSystem::openForReading(const Path& file) {
    if (!existsAsData(file, "read")) {
        return nullptr;
    }
    FilePtr handle = openFile(file, "rb");
    if (!handle) {
        if (errno == ENOENT) {
            return nullptr;
        }
        throw StoreError(file, "open", reasonOf(errno));
    }
    return std::make_unique<DiskReader>(file, std::move(handle));
}

std::size_t FileSystem::readAt(const Path& file, std::uint64_t offset, std::span<std::byte> into) {
    auto reader = openForReading(file);
    if (!reader) {
        return 0;
    }
    reader->seek(offset);
    return reader->read(into);
}

void DiskFileSystem::write(const Path& file, std::uint64_t offset,
                           std::span<const std::byte> bytes) {
    const bool existed = existsAsData(file, "write");
    if (!existed) {
        platform::createOwnerOnlyFile(file);
    }
    FilePtr handle = openFile(file, "r+b");
    if (!handle) {
        throw StoreError(file, "open", reasonOf(errno));
    }
    errno = 0;
    if (!platform::seekFile(handle.get(), offset)) {
        throw StoreError(file, "write", reasonOf(errno));
    }
    const std::size_t put =
        bytes.empty() ? 0 : std::fwrite(bytes.data(), 1, bytes.size(), handle.get());
    if (put != bytes.size() || std::fflush(handle.get()) != 0) {
        const int error = errno;
        handle.reset();
        throw StoreError(file, "write", reasonOf(error));
    }
    std::FILE* raw = handle.release();
    if (std::fclose(raw) != 0) {
        throw StoreError(file, "write", reasonOf(errno));
    }
}

void DiskFileSystem::truncate(const Path& file, std::uint64_t length) {
    if (!existsAsData(file, "shorten")) {
        throw StoreError(file, "shorten", "there is no such file");
    }
    std::error_code error;
    std::filesystem::resize_file(file, length, error);
    if (error) {
        throw StoreError(file, "shorten", error.message());
    }
}

void DiskFileSystem::createDirectories(const Path& directory) {
    // Each missing folder on the way is created for its owner only, outermost first.
    Path folder = directory.has_filename() ? directory : directory.parent_path();
    std::vector<Path> missing;
    std::error_code error;
    while (!folder.empty() && !std::filesystem::exists(folder, error)) {
        missing.push_back(folder);
        if (folder == folder.parent_path()) {
            break;
        }
        folder = folder.parent_path();
    }
    for (auto missingFolder = missing.rbegin(); missingFolder != missing.rend(); ++missingFolder) {
        platform::createOwnerOnlyDirectory(*missingFolder);
    }
}

void DiskFileSystem::remove(const Path& file) {
    std::error_code error;
    std::filesystem::remove(file, error);
    if (error) {
        throw StoreError(file, "delete", error.message());
    }
}

void DiskFileSystem::rename(const Path& from, const Path& to) {
    std::error_code error;
    std::filesystem::rename(from, to, error);
    if (error) {
        throw StoreError(to, "create", error.message(),
                         kindOf(from) == EntryKind::Folder ? "folder" : "file");
    }
}

EntryKind DiskFileSystem::kindOf(const Path& path) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(path, error);
    if (error && error != std::errc::no_such_file_or_directory) {
        throw StoreError(path, "read", error.message());
    }
    switch (status.type()) {
    case std::filesystem::file_type::not_found:
        return EntryKind::Missing;
    case std::filesystem::file_type::symlink:
        return EntryKind::Link;
    case std::filesystem::file_type::regular:
        return EntryKind::File;
    case std::filesystem::file_type::directory:
        return EntryKind::Folder;
    default:
        return EntryKind::Other;
    }
}

std::int64_t DiskFileSystem::modified(const Path& file) {
    if (!existsAsData(file, "read")) {
        return 0;
    }
    std::error_code error;
    const auto time = std::filesystem::last_write_time(file, error);
    if (error) {
        throw StoreError(file, "read", error.message());
    }
    return static_cast<std::int64_t>(time.time_since_epoch().count());
}

void DiskFileSystem::sync(const Path& file) {
    platform::syncFile(file);
}

void DiskFileSystem::syncDirectory(const Path& directory) {
    platform::syncDirectory(directory);
}

void DiskFileSystem::syncTogether(std::span<const Path> files, std::span<const Path> directories) {
    platform::syncTogether(files, directories);
}

std::vector<Path> DiskFileSystem::list(const Path& directory) {
    std::vector<Path> entries;
    std::error_code error;
    std::filesystem::directory_iterator entry(directory, error);
    if (error == std::errc::no_such_file_or_directory) {
        return entries;
    }
    for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        entries.push_back(entry->path());
    }
    if (error) {
        throw StoreError(directory, "read", error.message(), "folder");
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

std::string readWholeFile(FileSystem& files, const Path& file) {
    std::string bytes;
    if (auto reader = files.openForReading(file)) {
        std::vector<std::byte> block(1 << 16);
        while (true) {
            const std::size_t got = reader->read(block);
            bytes.append(reinterpret_cast<const char*>(block.data()), got);
            if (got < block.size()) {
                break;
            }
        }
    }
    return bytes;
}

} // namespace roomwright
