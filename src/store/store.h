#pragma once

#include "store/data_directory.h"
#include "store/in_house.h"
#include "store/layout.h"
#include "store/record_view.h"
#include "store/records.h"

#include <memory>
#include <optional>
#include <utility>

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
    void write(std::size_t n, const Record& record) {
        const Bytes slot = encode(record);
        file_.write(n, slot);
        if (watcher_) {
            watcher_->written(n, slot);
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
    // Visits records 1 to N in one pass; `visit(n, view)` returns false to stop.
    template <class Visit> void scanViews(Visit visit) const {
        file_.scan([&](std::size_t n, std::span<const std::byte> slot) {
            return visit(n, RecordView<Record>(slot));
        });
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

// The motel's data: the data directory seen through a file system.
class Store {
  public:
    Store(DataDirectory directory, FileSystem& files)
        : directory_(std::move(directory)), files_(files),
          inHouse_(std::make_shared<InHouseIndex>(files, directory_.inHouseIndex(),
                                                  directory_.inHouseIndexTemporary())) {}

    const DataDirectory& directory() const { return directory_; }
    FileSystem& files() const { return files_; }

    Table<RoomRecord> rooms() const { return {files_, directory_.room()}; }
    Table<GuestRecord> guests() const { return {files_, directory_.guest(), inHouse_}; }
    // Visits the in-house guests in record order, without reading the departed ones;
    // `visit(n, view)` returns false to stop. Copies of a store share what it knows.
    void scanInHouseGuests(const InHouseIndex::Visit& visit) const {
        inHouse_->visit(RecordFile(files_, directory_.guest(), GuestRecord::slotLength), visit);
    }
    Table<ReservationRecord> reservations() const { return {files_, directory_.reservation()}; }
    Table<MessageRecord> messages(long folioNumber) const {
        return {files_, directory_.messageFile(folioNumber)};
    }
    Table<TotalsRecord> totals(const CivilDate& month) const {
        return {files_, directory_.totalsFile(month)};
    }
    Table<ShiftClerkRecord> shiftClerk() const { return {files_, directory_.shiftClerk()}; }

  private:
    DataDirectory directory_;
    FileSystem& files_;
    std::shared_ptr<InHouseIndex> inHouse_;
};

} // namespace roomwright
