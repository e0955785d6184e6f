#include "support/faulty_file_system.h"

#include "store/format/store_error.h"

#include <algorithm>

namespace roomwright::testing {

void FaultyFileSystem::step(const Path& file, const std::function<void()>& landing) {
    ++steps_;
    if (!stepsLeft_ || (*stepsLeft_)-- > 0) {
        return;
    }
    ++failures_;
    if (!persistent_) {
        stepsLeft_.reset();
    }
    if (landing) {
        landing();
    }
    if (stop_) {
        stop_();
    }
    throw StoreError(file, "write", "Input/output error");
}

void FaultyFileSystem::write(const Path& file, std::uint64_t offset,
                             std::span<const std::byte> bytes) {
    step(file, [&] { DiskFileSystem::write(file, offset, bytes.first(bytes.size() / 2)); });
    if (inWholeFile_) {
        DiskFileSystem::write(file, offset, bytes);
        return;
    }
    if (goodWrites_ && *goodWrites_ <= 0) {
        ++failures_;
        if (once_) {
            heal();
        }
        const std::size_t landed = std::min(bytesThatLand_, bytes.size());
        if (landed > 0) {
            DiskFileSystem::write(file, offset, bytes.first(landed));
        }
        throw StoreError(file, "write", "No space left on device");
    }
    if (goodWrites_) {
        --*goodWrites_;
    }
    DiskFileSystem::write(file, offset, bytes);
}

void FaultyFileSystem::truncate(const Path& file, std::uint64_t length) {
    step(file);
    DiskFileSystem::truncate(file, length);
}

void FaultyFileSystem::remove(const Path& file) {
    step(file);
    DiskFileSystem::remove(file);
}

void FaultyFileSystem::rename(const Path& from, const Path& to) {
    step(to);
    DiskFileSystem::rename(from, to);
}

void FaultyFileSystem::sync(const Path& file) {
    step(file);
    DiskFileSystem::sync(file);
}

void FaultyFileSystem::syncDirectory(const Path& directory) {
    step(directory);
    DiskFileSystem::syncDirectory(directory);
}

void FaultyFileSystem::replaceWhole(const Path& file, const Path& temporary,
                                    std::span<const std::byte> bytes) {
    // A full disk refuses a whole file too; the file then stays as it was.
    if (goodWrites_ && *goodWrites_ <= 0) {
        ++failures_;
        if (once_) {
            heal();
        }
        throw StoreError(file, "write", "No space left on device");
    }
    if (goodWrites_) {
        --*goodWrites_;
    }
    inWholeFile_ = true;
    try {
        FileSystem::replaceWhole(file, temporary, bytes);
    } catch (...) {
        inWholeFile_ = false;
        throw;
    }
    inWholeFile_ = false;
}

} // namespace roomwright::testing
