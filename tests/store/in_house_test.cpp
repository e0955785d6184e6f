#include "store/lookups.h"

#include "ops/ops_fixture.h"
#include "store/format/store_error.h"
#include "support/counting_file_system.h"
#include "support/faulty_file_system.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

namespace roomwright {
namespace {

using testing::CountingFileSystem;
using testing::makeStay;
using testing::StoreTest;

const CivilDate kDay{2026, 12, 7};

// The store keeps where its in-house guests are; these tests change the guest file in every
// way the index must notice, through the store and behind its back (another store on the
// same directory, or the file cut short), and compare each answer with a scan of the whole
// file.
class InHouseIndexTest : public StoreTest {
  public:
    InHouseIndexTest() : other(directory, files) {}

    // Nine stays with the index built on them and saved, as the program's start saves it.
    // 1: never checked out, from years ago; 2 to 6 departed, room 101 among them; 7 to 9 in
    // house, 8 the second in-house guest of 101.
    void fill() {
        files.remove(directory.inHouseIndex());
        desk.emplace(directory, files);
        testing::writeFile(directory.guest(), "");
        add("101", "Old", false);
        for (int i = 2; i <= 6; ++i) {
            add(i % 2 == 0 ? "101" : "104", "Gone" + std::to_string(i), true);
        }
        add("102", "Ann", false);
        add("101", "Bob", false);
        add("103", "Cy", false);
        ASSERT_EQ(indexed(), (std::vector<std::size_t>{1, 7, 8, 9}));
        desk->saveIndexes();
    }

    void add(const std::string& room, const std::string& last, bool departed) {
        other.guests().append(makeStay(room, last, "", kDay, departed));
    }
    // Checks out record n through `by`: the indexed store itself, or another one.
    static void checkOut(const Store& by, std::size_t n) {
        asOneOperation(by, [&] {
            GuestRecord guest = by.guests().read(n);
            guest.CheckOutMark = "*";
            by.guests().write(n, guest);
        });
    }
    const Store& own() const { return *desk; }
    void cutTo(std::size_t bytes) { files.truncate(directory.guest(), bytes); }

    std::vector<std::size_t> indexed() const { return inHouseOf(*desk); }
    static std::vector<std::size_t> inHouseOf(const Store& store) {
        return testing::inHouseRecords(store);
    }
    // What a scan of every record finds.
    std::vector<std::size_t> scanned() const {
        std::vector<std::size_t> numbers;
        desk->guests().scan([&](std::size_t n, const GuestRecord& guest) {
            if (guest.inHouse()) {
                numbers.push_back(n);
            }
            return true;
        });
        return numbers;
    }
    std::string guestOf(const std::string& room) const {
        const auto guest = inHouseGuestOfRoom(*desk, room);
        return guest ? guest->second.LastName.trimmed() : "";
    }

    std::optional<Store> desk; // the store whose index is tested, fresh for each case
    Store other;
};

TEST_F(InHouseIndexTest, FollowsEveryChangeToTheGuestFile) {
    const std::size_t slot = GuestRecord::slotLength;
    const struct {
        const char* change;
        std::function<void(InHouseIndexTest&)> make;
        std::vector<std::size_t> inHouse;
        std::string guestOf101;
        std::string guestOf104;
    } cases[] = {
        {"nothing", [](auto&) {}, {1, 7, 8, 9}, "Old", ""},
        {"appended behind its back",
         [](auto& t) { t.add("104", "Dee", false); },
         {1, 7, 8, 9, 10},
         "Old",
         "Dee"},
        {"the old stay checked out behind its back",
         [](auto& t) { checkOut(t.other, 1); },
         {7, 8, 9},
         "Bob",
         ""},
        {"appended and the old stay checked out",
         [](auto& t) {
             t.add("104", "Dee", false);
             checkOut(t.other, 1);
         },
         {7, 8, 9, 10},
         "Bob",
         "Dee"},
        {"cut after record 7", [=](auto& t) { t.cutTo(7 * slot); }, {1, 7}, "Old", ""},
        {"cut inside record 9", [=](auto& t) { t.cutTo(8 * slot + 100); }, {1, 7, 8}, "Old", ""},
        {"cut and refilled past its old end",
         [=](auto& t) {
             t.cutTo(6 * slot);
             t.add("102", "New", true);
             t.add("101", "Gone", true);
             t.add("104", "Eve", false);
             t.add("103", "Flo", false);
         },
         {1, 9, 10},
         "Old",
         "Eve"},
        {"cut to nothing", [](auto& t) { t.cutTo(0); }, {}, "", ""},
        {"checked out by the store", [](auto& t) { checkOut(t.own(), 1); }, {7, 8, 9}, "Bob", ""},
        {"appended by a copy of the store",
         [](auto& t) {
             const Store copy = t.own();
             copy.guests().append(makeStay("104", "Gus", "", kDay));
         },
         {1, 7, 8, 9, 10},
         "Old",
         "Gus"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.change);
        fill();
        c.make(*this);
        EXPECT_EQ(indexed(), c.inHouse);
        EXPECT_EQ(indexed(), scanned());
        EXPECT_EQ(guestOf("101"), c.guestOf101);
        EXPECT_EQ(guestOf("104"), c.guestOf104);
    }
}

// The index is saved in the data directory, and the next run on it takes it when it is
// provably current, and builds it by one scan of the guest file otherwise.
TEST_F(InHouseIndexTest, TheNextRunTakesTheSavedIndexOnlyWhenItIsCurrent) {
    const std::size_t slot = GuestRecord::slotLength;
    const Path saved = directory.inHouseIndex();
    DiskFileSystem disk;
    const auto damage = [saved](std::size_t at) {
        std::string bytes = testing::readFile(saved);
        bytes.at(at) = static_cast<char>(bytes.at(at) ^ 0x20);
        testing::writeFile(saved, bytes);
    };
    const struct {
        const char* change;
        std::function<void(InHouseIndexTest&)> make;
        std::vector<std::size_t> inHouse;
        bool scansAll;
    } cases[] = {
        {"nothing", [](auto&) {}, {1, 7, 8, 9}, false},
        {"the old stay checked out by the store",
         [](auto& t) { checkOut(t.own(), 1); },
         {7, 8, 9},
         false},
        {"appended behind its back",
         [](auto& t) { t.add("104", "Dee", false); },
         {1, 7, 8, 9, 10},
         true},
        {"the old stay checked out by the store, then one appended",
         [](auto& t) {
             checkOut(t.own(), 1);
             t.add("104", "Dee", false);
         },
         {7, 8, 9, 10},
         true},
        {"restored from a copy of the same length taken before a check-out",
         [this](auto& t) {
             const Path guest = directory.guest();
             const std::string copy = testing::readFile(guest);
             const auto copied = std::filesystem::last_write_time(guest);
             checkOut(t.own(), 8);
             testing::writeFile(guest, copy);
             // As a copy keeps its time (cp -p): any other than the one the index saw.
             std::filesystem::last_write_time(guest, copied - std::chrono::hours(1));
         },
         {1, 7, 8, 9},
         true},
        {"the old stay checked out behind its back",
         [](auto& t) { checkOut(t.other, 1); },
         {7, 8, 9},
         true},
        {"appended and one checked out behind its back",
         [](auto& t) {
             t.add("104", "Dee", false);
             checkOut(t.other, 8);
         },
         {1, 7, 9, 10},
         true},
        {"the last record changed behind its back",
         [](auto& t) {
             GuestRecord last = t.other.guests().read(9);
             last.FirstName = "Changed";
             t.other.guests().write(9, last);
         },
         {1, 7, 8, 9},
         true},
        {"guest file cut short", [=](auto& t) { t.cutTo(8 * slot + 100); }, {1, 7, 8}, true},
        {"guest file cut and refilled past its old end",
         [=](auto& t) {
             t.cutTo(6 * slot);
             for (const char* last : {"New", "Gone", "Eve", "Flo"}) {
                 t.add("104", last, false);
             }
         },
         {1, 7, 8, 9, 10},
         true},
        {"saved index missing", [&](auto&) { disk.remove(saved); }, {1, 7, 8, 9}, true},
        {"saved index cut short", [&](auto&) { disk.truncate(saved, 40); }, {1, 7, 8, 9}, true},
        {"saved index with a changed byte", [=](auto&) { damage(60); }, {1, 7, 8, 9}, true},
        {"saved index with a changed magic", [=](auto&) { damage(0); }, {1, 7, 8, 9}, true},
        {"saved index of garbage",
         [=](auto&) { testing::writeFile(saved, std::string(900, '\xff')); },
         {1, 7, 8, 9},
         true},
        {"saved index of another directory's guest file",
         [&](auto&) {
             testing::TempDir elsewhere;
             const Store theirs(DataDirectory(elsewhere.path()), disk);
             for (const char* last : {"Xu", "Yan", "Zed"}) {
                 theirs.guests().append(makeStay("101", last, "", kDay));
             }
             ASSERT_EQ(inHouseOf(theirs), (std::vector<std::size_t>{1, 2, 3}));
             testing::writeFile(saved, testing::readFile(theirs.directory().inHouseIndex()));
         },
         {1, 7, 8, 9},
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.change);
        fill();
        c.make(*this);
        CountingFileSystem counting(directory.guest());
        const Store next(directory, counting);
        EXPECT_EQ(inHouseOf(next), c.inHouse);
        EXPECT_EQ(indexed(), scanned());
        EXPECT_EQ(counting.wholeScanBytes >= files.size(directory.guest()), c.scansAll);
        // What it found, the writer saves: the run after it scans nothing.
        next.saveIndexes();
        CountingFileSystem after(directory.guest());
        EXPECT_EQ(inHouseOf(Store(directory, after)), c.inHouse);
        EXPECT_EQ(after.wholeScanBytes, 0U);
    }
}

// The saved index is a cache: when it cannot be saved, the clerk's write stands, and the
// next run does not trust the older saved one, which may miss a stay taken back into house
// (as when a failed check-out is undone).
TEST_F(InHouseIndexTest, AnIndexThatCannotBeSavedFailsNothingAndIsNotTrustedNextRun) {
    fill();
    testing::FaultyFileSystem refusing;
    const Store desk(directory, refusing);
    ASSERT_EQ(inHouseOf(desk), (std::vector<std::size_t>{1, 7, 8, 9}));
    GuestRecord old = desk.guests().read(1);
    const GuestRecord inHouse = old;
    old.CheckOutMark = "*";
    desk.guests().write(1, old);
    desk.saveIndexes();
    EXPECT_NO_THROW(desk.guests().write(1, inHouse));
    refusing.failOnceAfter(0);
    EXPECT_NO_THROW(desk.saveIndexes());
    EXPECT_GT(refusing.failures(), 0);
    EXPECT_EQ(inHouseOf(desk), (std::vector<std::size_t>{1, 7, 8, 9}));
    EXPECT_EQ(inHouseOf(Store(directory, files)), (std::vector<std::size_t>{1, 7, 8, 9}));
}

// An operation undone in the same run takes a stay back into house: the index starts afresh,
// also on a disk whose clock ticks too slowly to give the guest file another time.
TEST(InHouseIndex, AnUndoneCheckOutIsInHouseAgain) {
    class SlowClock : public DiskFileSystem {
      public:
        std::int64_t modified(const Path&) override { return 1; }
    };
    testing::TempDir temp;
    SlowClock files;
    const Store store(DataDirectory(temp.path()), files);
    store.guests().append(makeStay("101", "Ann", "", kDay));
    store.guests().append(makeStay("102", "Bob", "", kDay, true)); // the last record stays
    const auto inHouse = [&] { return testing::inHouseRecords(store); };
    ASSERT_EQ(inHouse(), std::vector<std::size_t>{1});
    EXPECT_THROW(asOneOperation(store,
                                [&] {
                                    GuestRecord leaving = store.guests().read(1);
                                    leaving.CheckOutMark = "*";
                                    store.guests().write(1, leaving);
                                    throw DataError("the room could not be written");
                                }),
                 DataError);
    EXPECT_EQ(inHouse(), std::vector<std::size_t>{1});
}

// Only a write that reached the disk changes what the index knows.
TEST(InHouseIndex, AWriteTheDiskRefusedChangesNothing) {
    testing::TempDir temp;
    testing::FaultyFileSystem files;
    const Store store(DataDirectory(temp.path()), files);
    GuestRecord departing = makeStay("101", "Ann", "", kDay);
    store.guests().append(departing);
    store.guests().append(makeStay("102", "Bob", "", kDay));
    const auto inHouse = [&] { return testing::inHouseRecords(store); };
    ASSERT_EQ(inHouse(), (std::vector<std::size_t>{1, 2}));
    departing.CheckOutMark = "*";
    files.failAfter(0);
    EXPECT_THROW(store.guests().write(1, departing), StoreError);
    EXPECT_THROW(store.guests().append(makeStay("103", "Cy", "", kDay)), StoreError);
    files.heal();
    EXPECT_EQ(inHouse(), (std::vector<std::size_t>{1, 2}));
    store.guests().write(1, departing);
    EXPECT_EQ(inHouse(), (std::vector<std::size_t>{2}));
}

} // namespace
} // namespace roomwright
