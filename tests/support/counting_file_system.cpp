#include "support/counting_file_system.h"

namespace roomwright::testing {

namespace {

class Counting : public FileReader {
  public:
    Counting(std::unique_ptr<FileReader> reader, CountingFileSystem& counts)
        : reader_(std::move(reader)), counts_(counts) {}
    std::size_t read(std::span<std::byte> into) override {
        const std::size_t got = reader_->read(into);
        counts_.bytesRead += got;
        if (fromStart_) {
            counts_.wholeScanBytes += got;
        }
        return got;
    }
    void seek(std::uint64_t offset) override {
        fromStart_ = false;
        reader_->seek(offset);
    }

  private:
    std::unique_ptr<FileReader> reader_;
    CountingFileSystem& counts_;
    bool fromStart_ = true;
};

} // namespace

std::unique_ptr<FileReader> CountingFileSystem::openForReading(const Path& file) {
    auto reader = DiskFileSystem::openForReading(file);
    if (!reader || file != counted_) {
        return reader;
    }
    return std::make_unique<Counting>(std::move(reader), *this);
}

void CountingFileSystem::sync(const Path& file) {
    ++syncs;
    DiskFileSystem::sync(file);
}

void CountingFileSystem::syncDirectory(const Path& directory) {
    ++syncs;
    DiskFileSystem::syncDirectory(directory);
}

void CountingFileSystem::syncTogether(std::span<const Path> files,
                                      std::span<const Path> directories) {
    ++syncs;
    DiskFileSystem::syncTogether(files, directories);
}

} // namespace roomwright::testing
