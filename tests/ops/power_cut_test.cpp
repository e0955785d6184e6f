// Every clerk operation is whole or absent across a power cut: whatever the disk kept of the
// writes that were not synced yet, the next start leaves the motel's files as they were
// before the operation or as a clean run leaves them, verify finds nothing, and the
// program's own files (the in-house index, the night audit's journal) are right or rebuilt.

#include "ops/ops_fixture.h"
#include "ops/writing_operations.h"
#include "store/lookups.h"
#include "store/verify.h"
#include "support/power_cut_file_system.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace roomwright {
namespace {

using testing::DiskImage;
using testing::Files;
using testing::Kept;
using testing::PowerCutFileSystem;

const DataDirectory kDirectory(Path("/power-cut/Motel"));

// How many random mixes each step is cut with, and the seed they start from:
// ROOMWRIGHT_POWER_CUT_MIXES and ROOMWRIGHT_POWER_CUT_SEED for a longer sweep.
std::uint64_t setting(const char* name, std::uint64_t otherwise) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::strtoull(value, nullptr, 10) : otherwise;
}

Files motelFiles(const PowerCutFileSystem& disk) {
    return testing::motelFilesOf(disk.image().under(kDirectory.root()));
}

using testing::inHouseRecords;

// The in-house guests as a scan of every record finds them.
std::vector<std::size_t> scanned(const Store& store) {
    std::vector<std::size_t> records;
    store.guests().scanViews([&](std::size_t n, const RecordView<GuestRecord>& guest) {
        if (inHouse(guest)) {
            records.push_back(n);
        }
        return true;
    });
    return records;
}

// The next start on what the power cut left: what the program's start does before the
// clerk's first action (the operation cut short undone, the guests in house found).
void startOn(PowerCutFileSystem& disk) {
    const Store store(kDirectory, disk);
    store.recover();
    inHouseRecords(store);
}

// One power cut: what is wrong after the next start; "" when nothing is.
std::string afterTheCut(const DiskImage& cut, const testing::WritingOperation& operation,
                        const Files& before, const Files& after) {
    PowerCutFileSystem disk(cut);
    startOn(disk);
    const Files files = motelFiles(disk);
    if (files != before && files != after) {
        return "neither before nor after it: " + testing::differences(files, after);
    }
    const Store store(kDirectory, disk);
    if (store.journal().pending()) {
        return "the journal still holds the operation";
    }
    const Verification verification = verifyDataDirectory(store);
    if (!verification.sound()) {
        return "verify: " + verification.findings.front().file.generic_string() + ": " +
               verification.findings.front().problem;
    }
    if (inHouseRecords(store) != scanned(store)) {
        return "the saved in-house index was trusted and is wrong";
    }
    // The program's own files lead the operation, run again, to the clean run's files:
    // done once, the night audit charges nobody again; not done, the rest finds the stay.
    if (files == before || std::string(operation.name) == "night audit") {
        operation.run(store);
        if (motelFiles(disk) != after) {
            return "run again, it leaves " + testing::differences(motelFiles(disk), after);
        }
    }
    return "";
}

TEST(PowerCut, EveryOperationIsWholeOrAbsentWhereverThePowerGoes) {
    const std::uint64_t mixes = setting("ROOMWRIGHT_POWER_CUT_MIXES", 20);
    const std::uint64_t firstSeed = setting("ROOMWRIGHT_POWER_CUT_SEED", 20);
    PowerCutFileSystem laying;
    const Store laid(kDirectory, laying);
    testing::layDownMotel(laid);
    inHouseRecords(laid);
    const DiskImage motel = laying.image();
    std::size_t cases = 0;
    for (const auto& operation : testing::everyWritingOperation()) {
        PowerCutFileSystem clean(motel);
        const Files before = motelFiles(clean);
        // As the program runs it: the guests in house found at its start.
        const Store store(kDirectory, clean);
        ASSERT_FALSE(inHouseRecords(store).empty());
        ASSERT_EQ(clean.steps(), 0u);
        operation.run(store);
        const Files after = motelFiles(clean);
        ASSERT_NE(after, before) << operation.name;

        std::vector<std::string> failures;
        for (std::size_t step = 0; step <= clean.steps() && failures.size() < 5; ++step) {
            const auto cut = [&](const std::string& how, const DiskImage& image) {
                ++cases;
                const std::string wrong = afterTheCut(image, operation, before, after);
                if (!wrong.empty()) {
                    failures.push_back(std::string(operation.name) + ", cut after step " +
                                       std::to_string(step) + " of " +
                                       std::to_string(clean.steps()) + ", " + how + ": " + wrong);
                }
            };
            cut("nothing unsynced kept", clean.cutAfter(step, Kept::Nothing));
            cut("everything kept", clean.cutAfter(step, Kept::Everything));
            for (std::uint64_t mix = 0; mix < mixes; ++mix) {
                // A mix, and a second cut while the next start undoes the first.
                const std::uint64_t seed = firstSeed + (step << 20) + mix;
                PowerCutFileSystem starting(clean.cutAfter(step, Kept::Some, seed));
                startOn(starting);
                const std::size_t cutAgain = seed % (starting.steps() + 1);
                cut("mix " + std::to_string(seed) + " cut again after step " +
                        std::to_string(cutAgain) + " of the next start",
                    starting.cutAfter(cutAgain, Kept::Some, seed));
            }
        }
        EXPECT_TRUE(failures.empty()) << ::testing::PrintToString(failures);
    }
    std::printf("%zu power cuts, %llu mixes a step from seed %llu\n", cases,
                static_cast<unsigned long long>(mixes), static_cast<unsigned long long>(firstSeed));
}

} // namespace
} // namespace roomwright
