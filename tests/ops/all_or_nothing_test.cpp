// Every clerk operation is whole or absent: when any step on the disk fails (once, or from
// then on), and when the process is killed at any step, the files after the next start
// are byte for byte as before the operation or as a clean run leaves them.

#include "ops/writing_operations.h"
#include "support/faulty_file_system.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>

namespace roomwright {
namespace {

using testing::differences;
using testing::everyWritingOperation;
using testing::Files;
using testing::WritingOperation;

Files motelFiles(const Path& root) {
    return testing::motelFilesOf(testing::snapshot(root));
}

class AllOrNothing : public ::testing::Test {
  protected:
    AllOrNothing() {
        DiskFileSystem disk;
        testing::layDownMotel(Store(DataDirectory(base()), disk));
        before = motelFiles(base());
    }
    Path base() const { return temp.path() / "base"; }
    // A fresh copy of the laid-down motel.
    Path copy(const std::string& name) const {
        const Path root = temp.path() / name;
        std::filesystem::remove_all(root);
        std::filesystem::copy(base(), root, std::filesystem::copy_options::recursive);
        return root;
    }
    // The files after the next start has put back whatever was left half done.
    static Files afterNextStart(const Path& root) {
        DiskFileSystem disk;
        Store(DataDirectory(root), disk).recover();
        EXPECT_FALSE(std::filesystem::exists(DataDirectory(root).journal()));
        return motelFiles(root);
    }

    testing::TempDir temp;
    Files before;
};

TEST_F(AllOrNothing, EveryOperationIsWholeOrAbsentWhicheverStepOfItFails) {
    for (const WritingOperation& operation : everyWritingOperation()) {
        const Path cleanRoot = copy("clean");
        {
            testing::FaultyFileSystem counting;
            operation.run(Store(DataDirectory(cleanRoot), counting));
            ASSERT_GT(counting.steps(), 0) << operation.name;
        }
        const Files complete = motelFiles(cleanRoot);
        ASSERT_NE(complete, before) << operation.name;

        for (const bool persistent : {false, true}) {
            for (int good = 0;; ++good) {
                SCOPED_TRACE(std::string(operation.name) +
                             (persistent ? ", failing from" : ", failing") + " step " +
                             std::to_string(good + 1));
                const Path root = copy("failed");
                testing::FaultyFileSystem faulty;
                faulty.failStepsAfter(good, persistent);
                bool reported = false;
                try {
                    operation.run(Store(DataDirectory(root), faulty));
                } catch (const std::runtime_error& failure) {
                    reported = true;
                    EXPECT_NE(std::string(failure.what()).find(root.generic_string()),
                              std::string::npos)
                        << failure.what();
                }
                // A failure reported means nothing saved; none reported, all of it saved.
                EXPECT_EQ(differences(afterNextStart(root), reported ? before : complete), "");
                if (faulty.failures() == 0) {
                    break;
                }
            }
        }
    }
}

// Only where a death test forks: on Windows it runs in a new process that repeats the test
// from its start, in a temporary directory of its own, which this process never sees.
#ifndef _WIN32
// A check-in and then a night audit, killed at every step: after the next start each of the
// two is whole or absent, and in that order.
TEST_F(AllOrNothing, AKilledProcessLeavesEachOperationWholeOrAbsent) {
    const auto checkInAndAudit = [](const Store& store) {
        testing::writingOperation("walk-in").run(store);
        testing::writingOperation("night audit").run(store);
    };
    const Path cleanRoot = copy("clean");
    int steps = 0;
    {
        testing::FaultyFileSystem counting;
        checkInAndAudit(Store(DataDirectory(cleanRoot), counting));
        steps = counting.steps();
    }
    const Path halfRoot = copy("half");
    {
        DiskFileSystem disk;
        testing::writingOperation("walk-in").run(Store(DataDirectory(halfRoot), disk));
    }
    const std::vector<Files> allowed = {before, motelFiles(halfRoot), motelFiles(cleanRoot)};

    std::vector<bool> seen(allowed.size());
    for (int good = 0; good < steps; ++good) {
        SCOPED_TRACE("killed at step " + std::to_string(good + 1));
        const Path root = copy("killed");
        EXPECT_EXIT(
            {
                testing::FaultyFileSystem dying;
                dying.stopAfter(good, [] { std::raise(SIGKILL); });
                checkInAndAudit(Store(DataDirectory(root), dying));
            },
            ::testing::KilledBySignal(SIGKILL), "");
        const Files after = afterNextStart(root);
        const auto found = std::ranges::find(allowed, after);
        ASSERT_NE(found, allowed.end());
        seen[static_cast<std::size_t>(found - allowed.begin())] = true;
    }
    EXPECT_EQ(seen, std::vector<bool>({true, true, true}));
}
#endif

} // namespace
} // namespace roomwright
