#include "store/file_system.h"

#include "store/platform.h"
#include "store/store_error.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
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
    return FilePtr(std::fopen(file.string().c_str(), mode));
}

bool seekTo(std::FILE* f, std::uint64_t offset) {
    // fseek takes a long; record files stay far below 2 GiB on every platform we run on,
    // but refuse rather than wrap when one does not.
    if (offset > static_cast<std::uint64_t>(std::numeric_limits<long>::max())) {
        errno = EFBIG;
        return false;
    }
    return std::fseek(f, static_cast<long>(offset), SEEK_SET) == 0;
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
        if (!seekTo(handle_.get(), offset)) {
            throw StoreError(file_, "read", reasonOf(errno));
        }
    }

  private:
    Path file_;
    FilePtr handle_;
};

} // namespace

std::uint64_t DiskFileSystem::size(const Path& file) {
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (error || !std::filesystem::exists(status)) {
        if (error && error != std::errc::no_such_file_or_directory) {
            throw StoreError(file, "read", error.message());
        }
        return 0;
    }
    if (!std::filesystem::is_regular_file(status)) {
        return 0;
    }
    const auto length = std::filesystem::file_size(file, error);
    if (error) {
        throw StoreError(file, "read", error.message());
    }
    return length;
}

std::unique_ptr<FileReader> DiskFileSystem::openForReading(const Path& file) {
    FilePtr handle = openFile(file, "rb");
    if (!handle) {
        if (errno == ENOENT) {
            return nullptr;
        }
        throw StoreError(file, "open", reasonOf(errno));
    }
    return std::make_unique<DiskReader>(file, std::move(handle));
}

std::size_t DiskFileSystem::readAt(const Path& file, std::uint64_t offset,
                                   std::span<std::byte> into) {
    auto reader = openForReading(file);
    if (!reader) {
        return 0;
    }
    reader->seek(offset);
    return reader->read(into);
}

void DiskFileSystem::write(const Path& file, std::uint64_t offset,
                           std::span<const std::byte> bytes) {
    FilePtr handle = openFile(file, "r+b");
    if (!handle && errno == ENOENT) {
        platform::createOwnerOnlyFile(file);
        handle = openFile(file, "r+b");
    }
    if (!handle) {
        throw StoreError(file, "open", reasonOf(errno));
    }
    errno = 0;
    if (!seekTo(handle.get(), offset)) {
        throw StoreError(file, "write", reasonOf(errno));
    }
    const std::size_t put = std::fwrite(bytes.data(), 1, bytes.size(), handle.get());
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

void DiskFileSystem::replaceWhole(const Path& file, const Path& temporary,
                                  std::span<const std::byte> bytes) {
    // A temporary left behind keeps the permissions it had; start from a fresh one.
    std::error_code leftover;
    std::filesystem::remove(temporary, leftover);
    platform::createOwnerOnlyFile(temporary);
    FilePtr handle = openFile(temporary, "wb");
    if (!handle) {
        throw StoreError(file, "write", reasonOf(errno));
    }
    errno = 0;
    const std::size_t put = std::fwrite(bytes.data(), 1, bytes.size(), handle.get());
    const bool flushed = put == bytes.size() && std::fflush(handle.get()) == 0;
    const int writeError = errno;
    std::FILE* raw = handle.release();
    const bool closed = std::fclose(raw) == 0;
    std::error_code error;
    if (flushed && closed) {
        std::filesystem::rename(temporary, file, error);
        if (!error) {
            return;
        }
    }
    const std::string reason = error ? error.message() : reasonOf(writeError ? writeError : errno);
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    throw StoreError(file, "write", reason);
}

void DiskFileSystem::remove(const Path& file) {
    std::error_code error;
    std::filesystem::remove(file, error);
    if (error) {
        throw StoreError(file, "delete", error.message());
    }
}

void DiskFileSystem::sync(const Path& file) {
    platform::syncFile(file);
}

void DiskFileSystem::syncDirectory(const Path& directory) {
    platform::syncDirectory(directory);
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
