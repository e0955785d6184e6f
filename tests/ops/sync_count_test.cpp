#include "ops/ops_fixture.h"
#include "ops/writing_operations.h"
#include "reports/night_audit.h"
#include "store/charges.h"
#include "store/settings.h"
#include "support/counting_file_system.h"

#include <gtest/gtest.h>

namespace roomwright::testing {

namespace {

// The small motel of the writing operations on the real disk, as the program holds it once
// it has claimed the directory (both indexes read and saved), counting the waits for the disk.
struct CountedMotel {
    CountedMotel() : directory(temp.path() / "Motel"), store(directory, files) {
        layDownMotel(store);
    }

    // The syncs `run` waits for.
    template <class Run> long syncsOf(Run run) {
        inHouseRecords(store);
        store.scanIndexedBookings([](std::size_t, const auto&) { return true; });
        store.saveIndexes();
        const long before = files.syncs;
        run(store);
        return files.syncs - before;
    }

    // Adds `count` guests staying on tonight, each with a folio and a charge file of their own.
    void addStayOvers(int count) {
        for (int i = 0; i < count; ++i) {
            const long folio = issueFolioNumber(store);
            store.guests().append(makeStayOver("102", "Stay" + std::to_string(i), folio, 65,
                                               kOperationDay.plusDays(-1),
                                               kOperationDay.plusDays(2)));
            postItem(store, folio, "102  ", Category::RoomRent, 65, kOperationDay.plusDays(-1));
        }
    }

    TempDir temp;
    DataDirectory directory;
    CountingFileSystem files;
    Store store;
};

// However many files an operation changes, it waits for the disk a few times only: its
// journal once, its files together once, its commit mark once, and the saved indexes.
TEST(SyncCountTest, EachOperationWaitsForTheDiskAFewTimes) {
    const struct {
        const char* operation;
        long most;
    } cases[] = {
        {"posting", 4},     {"walk-in", 6},           {"reservation checked in", 6},
        {"check-out", 6},   {"reservation saved", 6}, {"reservation cancelled", 6},
        {"night audit", 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.operation);
        CountedMotel fresh;
        const long syncs = fresh.syncsOf(writingOperation(c.operation).run);
        EXPECT_LE(syncs, c.most);
    }
}

// The night audit's syncs do not grow with the guests it charges.
TEST(SyncCountTest, TheNightAuditWaitsAsOftenForTenStayOversAsForSixty) {
    std::vector<long> syncs;
    for (const int stayOvers : {10, 60}) {
        CountedMotel fresh;
        fresh.addStayOvers(stayOvers);
        syncs.push_back(fresh.syncsOf([](const Store& s) {
            ASSERT_EQ(runNightAudit(s, kOperationDay).outcome, AuditOutcome::Posted);
        }));
    }
    EXPECT_LE(syncs[0], 8);
    EXPECT_EQ(syncs[1], syncs[0]);
}

} // namespace

} // namespace roomwright::testing
