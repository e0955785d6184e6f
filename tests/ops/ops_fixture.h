#pragma once

#include "store/store.h"
#include "support/records.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace roomwright::testing {

// The in-house stays as the store's in-house index gives them, in record order.
inline std::vector<std::size_t> inHouseRecords(const Store& store) {
    std::vector<std::size_t> numbers;
    store.scanInHouseGuests([&](std::size_t n, const RecordView<GuestRecord>&) {
        numbers.push_back(n);
        return true;
    });
    return numbers;
}

// A store on a fresh data directory, for the operations below the windows.
class StoreTest : public ::testing::Test {
  protected:
    StoreTest() : directory(temp.path() / "Motel"), store(directory, files) {
        directory.ensureExists(files);
    }

    static RoomRecord room(const std::string& number, const std::string& type, float rate,
                           const char* clean = "Y", const char* vacant = "Y",
                           const char* order = "K") {
        return makeRoom(number, type, rate, clean, vacant, order);
    }
    std::size_t addRoom(const RoomRecord& record) { return store.rooms().append(record); }
    std::string roomFile() const { return readFile(directory.room()); }
    // The bytes of record n of the room file.
    std::string roomSlot(std::size_t n) const {
        return roomFile().substr((n - 1) * RoomRecord::slotLength, RoomRecord::slotLength);
    }

    TempDir temp;
    DataDirectory directory;
    DiskFileSystem files;
    Store store;
};

} // namespace roomwright::testing
