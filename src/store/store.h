#pragma once

#include "store/booking_index.h"
#include "store/disk/data_directory.h"
#include "store/disk/journal.h"
#include "store/format/layout.h"
#include "store/format/record_view.h"
#include "store/format/records.h"
#include "store/in_house.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

namespace roomwright {

// A record file read and written as records of one type.
template <class Record> class Table {
  public:
    // `watcher`, when given, hears of every record this table writes.
    Table(FileSystem& files, Path path, std::shared_ptr<SlotWatcher> watcher = nullptr)
        : file_(files, std::move(path), Record::slotLength), watcher_(std::move(watcher)) {}

    const Path& path() const { return file_.path(); }
    std::size_t count() const { return file_.count(); }
    Record read(std::size_t n) const { return decode<Record>(file_.read(n)); }
    void write(std::size_t n, const Record& record) { writeSlots(n, encode(record)); }
    // Writes encoded records `first` onwards, whole records back to back, in one write.
    void writeSlots(std::size_t first, std::span<const std::byte> records) {
        const std::size_t before = watcher_ ? file_.count() : 0;
        file_.writeSlots(first, records);
        if (watcher_) {
            for (std::size_t i = 0; i * Record::slotLength < records.size(); ++i) {
                watcher_->written(first + i,
                                  records.subspan(i * Record::slotLength, Record::slotLength),
                                  first + i > before);
            }
        }
    }
    std::size_t append(const Record& record) {
        const std::size_t n = file_.count() + 1;
        write(n, record);
        return n;
    }

    // Visits records 1 to N in one pass; `visit(n, record)` returns false to stop.
    template <class Visit> void scan(Visit visit) const {
        Record record;
        file_.scan([&](std::size_t n, std::span<const std::byte> slot) {
            decodeInto(slot, record);
            return visit(n, std::as_const(record));
        });
    }
    // The first record that satisfies `match`, with its record number.
    template <class Match>
    std::optional<std::pair<std::size_t, Record>> findFirst(Match match) const {
        std::optional<std::pair<std::size_t, Record>> found;
        scan([&](std::size_t n, const Record& record) {
            if (match(record)) {
                found.emplace(n, record);
                return false;
            }
            return true;
        });
        return found;
    }
    // Every record that satisfies `match`, in record order.
    template <class Match> std::vector<Record> select(Match match) const {
        std::vector<Record> records;
        scan([&](std::size_t, const Record& record) {
            if (match(record)) {
                records.push_back(record);
            }
            return true;
        });
        return records;
    }
    std::vector<Record> all() const {
        return select([](const Record&) { return true; });
    }

    // The same through views, for scans of files that grow for decades: only the fields
    // a test names are decoded, and only the records kept are decoded in full.
    // Visits records `first` to N in one pass; `visit(n, view)` returns false to stop.
    template <class Visit> void scanViews(Visit visit, std::size_t first = 1) const {
        file_.scan(
            [&](std::size_t n, std::span<const std::byte> slot) {
                return visit(n, RecordView<Record>(slot));
            },
            first);
    }
    // Visits the records numbered in `numbers` (ascending) that the file holds, neighbours
    // read together in large blocks.
    template <class Visit>
    void visitViews(const std::vector<std::size_t>& numbers, Visit visit) const {
        const std::size_t reach = std::max<std::size_t>(1, (1 << 20) / Record::slotLength);
        for (std::size_t i = 0; i < numbers.size();) {
            const std::size_t first = numbers[i];
            std::size_t end = i;
            while (end < numbers.size() && numbers[end] - first < reach) {
                ++end;
            }
            const Bytes block = file_.readRange(first, numbers[end - 1] - first + 1);
            for (; i < end; ++i) {
                const std::size_t at = (numbers[i] - first) * Record::slotLength;
                if (at < block.size()) {
                    visit(numbers[i], RecordView<Record>(std::span<const std::byte>(block).subspan(
                                          at, Record::slotLength)));
                }
            }
        }
    }
    // The first record whose view satisfies `match`, decoded, with its record number.
    template <class Match>
    std::optional<std::pair<std::size_t, Record>> findFirstWhere(Match match) const {
        std::optional<std::pair<std::size_t, Record>> found;
        scanViews([&](std::size_t n, const RecordView<Record>& view) {
            if (match(view)) {
                found.emplace(n, view.decode());
                return false;
            }
            return true;
        });
        return found;
    }
    // Every record whose view satisfies `match`, decoded, in record order.
    template <class Match> std::vector<Record> selectWhere(Match match) const {
        std::vector<Record> records;
        scanViews([&](std::size_t, const RecordView<Record>& view) {
            if (match(view)) {
                records.push_back(view.decode());
            }
            return true;
        });
        return records;
    }

  private:
    RecordFile file_;
    std::shared_ptr<SlotWatcher> watcher_;
};

// The motel's data: the data directory seen through a file system. Every change to it is
// made through the store's journaled files (see Operation below).
class Store {
  public:
    Store(DataDirectory directory, FileSystem& files)
        : directory_(std::move(directory)),
          inHouse_(std::make_shared<InHouseIndex>(files, directory_.guest(),
                                                  directory_.inHouseIndex(),
                                                  directory_.inHouseIndexTemporary())),
          bookings_(std::make_shared<BookingIndex>(files, directory_.reservation(),
                                                   directory_.bookingIndex(),
                                                   directory_.bookingIndexTemporary())),
          files_(std::make_shared<JournaledFiles>(files, directory_.root(), directory_.journal())) {
        // An operation dropped or undone may have taken a stay back into house or a booking
        // back to open, or out of their files.
        files_->onUndone(onIndexOf([](RecordIndex& index) { index.forget(); }));
        // A committed operation gave the files it changed a new length and time: the index
        // that heard its writes knows them as they now are.
        files_->onCommitted(onIndexOf([](RecordIndex& index) { index.committed(); }));
    }

    const DataDirectory& directory() const { return directory_; }
    FileSystem& files() const { return *files_; }
    JournaledFiles& journal() const { return *files_; }

    // Puts back what an operation of an earlier run left half done, before anything reads
    // the files (see JournaledFiles::recover). Run once when the program starts.
    bool recover() const { return files_->recover(); }

    Table<RoomRecord> rooms() const { return {files(), directory_.room()}; }
    Table<GuestRecord> guests() const { return {files(), directory_.guest(), inHouse_}; }
    // Visits the in-house guests in record order, without reading the departed ones;
    // `visit(n, view)` returns false to stop. Copies of a store share what it knows.
    void scanInHouseGuests(const InHouseIndex::Visit& visit) const {
        inHouse_->visit(RecordFile(files(), directory_.guest(), GuestRecord::slotLength), visit);
    }
    Table<ReservationRecord> reservations() const {
        return {files(), directory_.reservation(), bookings_};
    }
    // Visits, in record order and without reading the rest of the reservation file, every
    // open booking and the bookings checked in that the booking index keeps (see
    // BookingIndex); `visit(n, view)` returns false to stop. Copies of a store share what it
    // knows.
    void scanIndexedBookings(const BookingIndex::Visit& visit) const {
        bookings_->visit(reservationFile(), visit);
    }
    // The same with every booking checked in that arrives on or after the day returned (a day
    // serial some weeks before `today`).
    long scanIndexedBookings(const CivilDate& today, const BookingIndex::Visit& visit) const {
        return bookings_->visit(reservationFile(), today, visit);
    }
    // Saves the indexes that changed since they were last saved. Only the one writer of the
    // data directory calls it: an operation that changed files, once it is committed, and the
    // program when it has claimed the directory.
    void saveIndexes() const {
        inHouse_->save();
        bookings_->save();
    }
    Table<MessageRecord> messages(long folioNumber) const {
        return {files(), directory_.messageFile(folioNumber)};
    }
    Table<TotalsRecord> totals(const CivilDate& month) const {
        return {files(), directory_.totalsFile(month)};
    }
    Table<ShiftClerkRecord> shiftClerk() const { return {files(), directory_.shiftClerk()}; }

  private:
    RecordFile reservationFile() const {
        return {files(), directory_.reservation(), ReservationRecord::slotLength};
    }
    // Hears of a file by doing `act` on its index, when it has one.
    template <class Act> std::function<void(const Path&)> onIndexOf(Act act) const {
        return [act, inHouse = inHouse_, bookings = bookings_,
                guest = directory_.guest().lexically_normal(),
                reservation = directory_.reservation().lexically_normal()](const Path& file) {
            const Path heard = file.lexically_normal();
            if (heard == guest) {
                act(*inHouse);
            } else if (heard == reservation) {
                act(*bookings);
            }
        };
    }

    DataDirectory directory_;
    std::shared_ptr<InHouseIndex> inHouse_;
    std::shared_ptr<BookingIndex> bookings_;
    std::shared_ptr<JournaledFiles> files_;
};

// One clerk operation: every change the store makes while it is open happens, or none
// does, also across a crash. Open it before the operation reads what it decides on; an
// operation that ends without commit() (a thrown error) is undone. Operations nest: the
// outermost one commits, and then saves the indexes the operation changed.
class Operation {
  public:
    explicit Operation(const Store& store) : store_(store), files_(store.journal()) {
        files_.begin();
    }
    Operation(const Operation&) = delete;
    Operation& operator=(const Operation&) = delete;
    ~Operation() {
        if (!finished_) {
            files_.abandon();
        }
    }
    void commit() {
        finished_ = true;
        if (files_.commit()) {
            store_.saveIndexes();
        }
    }

  private:
    const Store& store_;
    JournaledFiles& files_;
    bool finished_ = false;
};

// Runs `work` as one operation and returns what it returns.
template <class Work> auto asOneOperation(const Store& store, Work&& work) {
    Operation operation(store);
    if constexpr (std::is_void_v<std::invoke_result_t<Work&>>) {
        work();
        operation.commit();
    } else {
        auto result = work();
        operation.commit();
        return result;
    }
}

} // namespace roomwright
