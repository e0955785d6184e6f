#include "store/bookings.h"

#include "ops/ops_fixture.h"
#include "support/counting_file_system.h"

#include <functional>
#include <optional>

namespace roomwright {
namespace {

using testing::CountingFileSystem;
using testing::makeBooking;
using testing::StoreTest;

const CivilDate kToday{2026, 12, 7};

// The store keeps where the bookings the desk asks about are; these tests change the
// reservation file in every way the index must notice, through the store and behind its back
// (another store on the same directory, or the file cut short), and compare each answer with
// a scan of the whole file, in the same run and in the next one.
class BookingIndexTest : public StoreTest {
  public:
    BookingIndexTest() : other(directory, files) {}

    // Six bookings with the index built on them and saved, as the program's start saves it:
    // 1 checked in long ago, 2 checked in three days ago, 3 a no-show never marked, 4
    // cancelled, 5 and 6 open (5 arriving today in room 101, 6 tomorrow in room 102).
    void fill() {
        files.remove(directory.bookingIndex());
        desk.emplace(directory, files);
        testing::writeFile(directory.reservation(), "");
        add("101", "Old", kToday.plusDays(-400), "*");
        add("102", "Gone", kToday.plusDays(-3), "*");
        add("103", "Noshow", kToday.plusDays(-30), "");
        add("101", "Called", kToday.plusDays(2), "");
        cancel(other, 4);
        add("101", "Ames", kToday, "");
        add("102", "Bell", kToday.plusDays(1), "");
        ASSERT_EQ(indexed(*desk, kToday), (std::vector<std::size_t>{2, 3, 5, 6}));
        desk->saveIndexes();
    }

    void add(const std::string& room, const std::string& last, const CivilDate& arrival,
             const char* mark) {
        ReservationRecord booking = makeBooking(room, last, 1, arrival, 2);
        booking.CheckInMark = mark;
        other.reservations().append(booking);
    }
    // Changes booking n through `by`, the indexed store itself or another one, as one
    // operation.
    static void change(const Store& by, std::size_t n,
                       const std::function<void(ReservationRecord&)>& how) {
        asOneOperation(by, [&] {
            ReservationRecord booking = by.reservations().read(n);
            how(booking);
            by.reservations().write(n, booking);
        });
    }
    static void cancel(const Store& by, std::size_t n) {
        change(by, n, [](ReservationRecord& b) { markCancelled(b, kToday, "Called off"); });
    }
    static void checkIn(const Store& by, std::size_t n) {
        change(by, n, [](ReservationRecord& b) { b.CheckInMark = "*"; });
    }
    const Store& own() const { return *desk; }
    void cutTo(std::size_t bytes) { files.truncate(directory.reservation(), bytes); }

    static std::vector<std::size_t> indexed(const Store& store, const CivilDate& today) {
        std::vector<std::size_t> numbers;
        store.scanIndexedBookings(today, [&](std::size_t n, const RecordView<ReservationRecord>&) {
            numbers.push_back(n);
            return true;
        });
        return numbers;
    }
    static std::vector<std::size_t> open(const Store& store) {
        std::vector<std::size_t> numbers;
        scanOpenBookings(store, [&](std::size_t n, const RecordView<ReservationRecord>&) {
            numbers.push_back(n);
            return true;
        });
        return numbers;
    }
    // Every room and day bookingArrivesOn answers yes to, asked on `today`.
    static std::string arrivals(const Store& store, const CivilDate& today) {
        std::string found;
        for (const char* room : {"101", "102", "103", "104"}) {
            for (const long day : {-400L, -30L, -3L, 0L, 1L, 2L}) {
                if (bookingArrivesOn(store, room, kToday.plusDays(day), today)) {
                    found += std::string(room) + "@" + std::to_string(day) + " ";
                }
            }
        }
        return found;
    }
    // The same two answers from a scan of every record.
    std::vector<std::size_t> openScanned() const {
        std::vector<std::size_t> numbers;
        other.reservations().scanViews([&](std::size_t n, const RecordView<ReservationRecord>& b) {
            if (bookingState(b) == BookingState::Open) {
                numbers.push_back(n);
            }
            return true;
        });
        return numbers;
    }
    std::string arrivalsScanned() const {
        std::string found;
        for (const char* room : {"101", "102", "103", "104"}) {
            for (const long day : {-400L, -30L, -3L, 0L, 1L, 2L}) {
                const auto booked = other.reservations().findFirstWhere([&](const auto& b) {
                    return b.template trimmed<&ReservationRecord::RoomNumber>() == room &&
                           CivilDate::fromStored(
                               b.template number<&ReservationRecord::ArrivalDate>()) ==
                               kToday.plusDays(day) &&
                           bookingState(b) != BookingState::Cancelled;
                });
                if (booked) {
                    found += std::string(room) + "@" + std::to_string(day) + " ";
                }
            }
        }
        return found;
    }

    std::optional<Store> desk; // the store whose index is tested, fresh for each case
    Store other;
};

TEST_F(BookingIndexTest, FollowsEveryChangeToTheReservationFileInThisRunAndTheNext) {
    const std::size_t slot = ReservationRecord::slotLength;
    const Path saved = directory.bookingIndex();
    const struct {
        const char* change;
        std::function<void(BookingIndexTest&)> make;
        long asked; // the day asked on, after kToday
        std::vector<std::size_t> indexed;
        bool nextScansAll;
    } cases[] = {
        {"nothing", [](auto&) {}, 0, {2, 3, 5, 6}, false},
        {"appended behind its back",
         [](auto& t) { t.add("104", "Cruz", kToday.plusDays(2), ""); },
         0,
         {2, 3, 5, 6, 7},
         true},
        {"appended by the store",
         [](auto& t) {
             asOneOperation(t.own(), [&] {
                 t.own().reservations().append(makeBooking("104", "Cruz", 7, kToday, 1));
             });
         },
         0,
         {2, 3, 5, 6, 7},
         false},
        {"cancelled by the store", [](auto& t) { cancel(t.own(), 5); }, 0, {2, 3, 6}, false},
        {"checked in by the store", [](auto& t) { checkIn(t.own(), 6); }, 0, {2, 3, 5, 6}, false},
        {"cancelled behind its back", [](auto& t) { cancel(t.other, 5); }, 0, {2, 3, 6}, true},
        {"checked in behind its back (the last record)",
         [](auto& t) { checkIn(t.other, 6); },
         0,
         {2, 3, 5, 6},
         true},
        // Another store that had not read its index cannot tell a change from a booking
        // reopened, and drops the saved index.
        {"moved to another room behind its back",
         [](auto& t) { change(t.other, 5, [](ReservationRecord& b) { b.RoomNumber = "104"; }); },
         0,
         {2, 3, 5, 6},
         true},
        {"cut after record 5", [=](auto& t) { t.cutTo(5 * slot); }, 0, {2, 3, 5}, true},
        {"cut inside record 6", [=](auto& t) { t.cutTo(5 * slot + 100); }, 0, {2, 3, 5}, true},
        {"cut to nothing", [](auto& t) { t.cutTo(0); }, 0, {}, true},
        {"six weeks later", [](auto&) {}, 42, {3, 5, 6}, false},
        {"asked on an earlier day than it was saved on", [](auto&) {}, -60, {2, 3, 5, 6}, true},
        {"saved index damaged",
         [=](auto&) {
             std::string bytes = testing::readFile(saved);
             bytes.at(30) = static_cast<char>(bytes.at(30) ^ 0x20);
             testing::writeFile(saved, bytes);
         },
         0,
         {2, 3, 5, 6},
         true},
        {"saved index missing",
         [=](auto&) { std::filesystem::remove(saved); },
         0,
         {2, 3, 5, 6},
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.change);
        fill();
        c.make(*this);
        const CivilDate today = kToday.plusDays(c.asked);
        CountingFileSystem counting(directory.reservation());
        const Store next(directory, counting);
        EXPECT_EQ(indexed(next, today), c.indexed);
        EXPECT_EQ(counting.wholeScanBytes >= files.size(directory.reservation()), c.nextScansAll);
        for (const Store* store : {&own(), &next}) {
            EXPECT_EQ(indexed(*store, today), c.indexed);
            EXPECT_EQ(open(*store), openScanned());
            EXPECT_EQ(arrivals(*store, today), arrivalsScanned());
        }
    }
}

// A reading command writes nothing: the index it built is saved only by the writer, and then
// the run after it reads no more than the indexed records.
TEST_F(BookingIndexTest, OnlyTheWriterSavesTheIndexAndTheNextRunTakesIt) {
    fill();
    files.remove(directory.bookingIndex());
    const Store reader(directory, files);
    EXPECT_EQ(indexed(reader, kToday), (std::vector<std::size_t>{2, 3, 5, 6}));
    EXPECT_FALSE(std::filesystem::exists(directory.bookingIndex()));
    reader.saveIndexes();
    CountingFileSystem counting(directory.reservation());
    EXPECT_EQ(indexed(Store(directory, counting), kToday), (std::vector<std::size_t>{2, 3, 5, 6}));
    EXPECT_EQ(counting.wholeScanBytes, 0U);
}

} // namespace
} // namespace roomwright
