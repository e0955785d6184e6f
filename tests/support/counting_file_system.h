#pragma once

#include "store/disk/file_system.h"

#include <memory>

namespace roomwright::testing {

// The real disk, counting the waits for the disk (each sync, folder sync and sync of many
// together) and the
// bytes read from one file (readAt reads through openForReading): all of them, and those
// read by scans from its start (before any seek).
class CountingFileSystem : public DiskFileSystem {
  public:
    explicit CountingFileSystem(Path counted = {}) : counted_(std::move(counted)) {}

    std::unique_ptr<FileReader> openForReading(const Path& file) override;
    void sync(const Path& file) override;
    void syncDirectory(const Path& directory) override;
    void syncTogether(std::span<const Path> files, std::span<const Path> directories) override;

    std::uint64_t bytesRead = 0;
    std::uint64_t wholeScanBytes = 0;
    long syncs = 0;

  private:
    Path counted_;
};

} // namespace roomwright::testing
