#pragma once

#include "store/file_system.h"

#include <optional>

namespace roomwright::testing {

// The real disk, except that writes can be made to fail as a full disk does: after a set
// number of successful writes, the next one puts only part of its bytes (or none) on the
// disk and reports "No space left on device".
class FaultyFileSystem : public DiskFileSystem {
  public:
    // Lets `goodWrites` writes through, then fails the next one after writing
    // `bytesThatLand` of its bytes. Truncation keeps working, as it does on a full disk.
    void failAfter(int goodWrites, std::size_t bytesThatLand = 0) {
        goodWrites_ = goodWrites;
        bytesThatLand_ = bytesThatLand;
    }
    // Fails only the write after `goodWrites` successful ones; the writes after it go
    // through again, as rewriting a record in place still does on a full disk.
    void failOnceAfter(int goodWrites) {
        failAfter(goodWrites);
        once_ = true;
    }
    void heal() {
        goodWrites_.reset();
        once_ = false;
    }
    int failures() const { return failures_; }
    // A whole file (`replaceWhole`) counts as one write: when it fails, the file stays as it
    // was. This makes every replacement of a whole file fail.
    void refuseWholeFiles() { refuseWholeFiles_ = true; }

    void write(const Path& file, std::uint64_t offset, std::span<const std::byte> bytes) override;
    void replaceWhole(const Path& file, const Path& temporary,
                      std::span<const std::byte> bytes) override;

  private:
    std::optional<int> goodWrites_;
    std::size_t bytesThatLand_ = 0;
    int failures_ = 0;
    bool once_ = false;
    bool refuseWholeFiles_ = false;
};

} // namespace roomwright::testing
