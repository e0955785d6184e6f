#pragma once

#include "store/disk/file_system.h"

#include <functional>
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
        stepsLeft_.reset();
        stop_ = nullptr;
    }
    int failures() const { return failures_; }
    // A whole file (`replaceWhole`) counts as one write for failAfter: when it fails, the file
    // stays as it was.

    // Fail-after-N over every step that changes the disk or waits for it: a write, a
    // truncation, a deletion, a rename, a sync. The step after `goodSteps` of them fails (a write
    // lands half of its bytes first); when `persistent`, every step after it fails too.
    void failStepsAfter(int goodSteps, bool persistent) {
        stepsLeft_ = goodSteps;
        persistent_ = persistent;
    }
    // Runs `stop` at the step after `goodSteps`, once half of a write landed: a crash test
    // ends the process there.
    void stopAfter(int goodSteps, std::function<void()> stop) {
        stepsLeft_ = goodSteps;
        stop_ = std::move(stop);
    }
    // The steps taken so far, failed ones included.
    int steps() const { return steps_; }

    void write(const Path& file, std::uint64_t offset, std::span<const std::byte> bytes) override;
    void replaceWhole(const Path& file, const Path& temporary,
                      std::span<const std::byte> bytes) override;
    void truncate(const Path& file, std::uint64_t length) override;
    void remove(const Path& file) override;
    void rename(const Path& from, const Path& to) override;
    void sync(const Path& file) override;
    void syncDirectory(const Path& directory) override;
    // Each of them one step.
    void syncTogether(std::span<const Path> files, std::span<const Path> directories) override {
        FileSystem::syncTogether(files, directories);
    }

  private:
    // Counts a step on `file`; throws (or stops) when it is the one to fail, after
    // `landing` ran.
    void step(const Path& file, const std::function<void()>& landing = {});

    std::optional<int> goodWrites_;
    std::size_t bytesThatLand_ = 0;
    int failures_ = 0;
    bool once_ = false;
    std::optional<int> stepsLeft_;
    bool persistent_ = false;
    std::function<void()> stop_;
    int steps_ = 0;
    bool inWholeFile_ = false; // the writes of a whole file count as one for failAfter
};

} // namespace roomwright::testing
