#include "store/disk/record_file.h"

#include "store/format/store_error.h"
#include "store/store.h"
#include "support/faulty_file_system.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace roomwright {
namespace {

using testing::FaultyFileSystem;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

Bytes filled(std::size_t length, char c) {
    return Bytes(length, static_cast<std::byte>(c));
}

TEST(RecordFile, AMissingFileIsEmptyAndTheFirstAppendCreatesRecordOne) {
    TempDir temp;
    DiskFileSystem files;
    RecordFile file(files, temp.path() / "room", 237);
    EXPECT_EQ(file.count(), 0u);
    EXPECT_EQ(file.read(1), Bytes(237));
    int visited = 0;
    file.scan([&](std::size_t, std::span<const std::byte>) { return ++visited, true; });
    EXPECT_EQ(visited, 0);
    EXPECT_EQ(file.append(filled(237, 'a')), 1u);
    EXPECT_EQ(readFile(temp.path() / "room"), std::string(237, 'a'));
}

TEST(RecordFile, AppendLeavesEarlierRecordsByteForByteAndWriteChangesOnlyItsSlot) {
    TempDir temp;
    DiskFileSystem files;
    RecordFile file(files, temp.path() / "guest", 10);
    file.append(filled(10, 'a'));
    file.append(filled(10, 'b'));
    EXPECT_EQ(file.append(filled(10, 'c')), 3u);
    file.write(2, filled(10, 'x'));
    EXPECT_EQ(readFile(temp.path() / "guest"),
              std::string(10, 'a') + std::string(10, 'x') + std::string(10, 'c'));
    EXPECT_EQ(file.read(3), filled(10, 'c'));
    EXPECT_THROW(file.write(5, filled(10, 'z')), StoreError); // never beyond N + 1
    EXPECT_THROW(file.write(1, filled(9, 'z')), StoreError);  // never a partial slot
    EXPECT_THROW(file.writeSlots(1, filled(15, 'z')), StoreError);
    file.writeSlots(3, filled(20, 'y')); // over record 3 and on as record 4
    EXPECT_EQ(readFile(temp.path() / "guest"),
              std::string(10, 'a') + std::string(10, 'x') + std::string(20, 'y'));
}

TEST(RecordFile, CountsWholeRecordsOnlyAndScansThemInOrderAcrossBlocks) {
    TempDir temp;
    DiskFileSystem files;
    // 5000 slots of 237 bytes span two 1 MiB blocks; a stray tail is no record.
    std::string bytes;
    for (int i = 0; i < 5000; ++i) {
        bytes += std::string(237, static_cast<char>('a' + i % 26));
    }
    writeFile(temp.path() / "room", bytes + "xyz");
    RecordFile file(files, temp.path() / "room", 237);
    EXPECT_EQ(file.count(), 5000u);
    std::size_t expected = 1;
    bool inOrder = true;
    file.scan([&](std::size_t n, std::span<const std::byte> slot) {
        inOrder =
            inOrder && n == expected && static_cast<std::size_t>(slot[0]) == 'a' + (n - 1) % 26;
        ++expected;
        return true;
    });
    EXPECT_TRUE(inOrder);
    EXPECT_EQ(expected, 5001u);
    std::size_t stoppedAt = 0;
    file.scan([&](std::size_t n, std::span<const std::byte>) { return (stoppedAt = n) < 3; });
    EXPECT_EQ(stoppedAt, 3u);

    // A scan from a later record, and a range read in one go, end with the whole records.
    std::vector<std::size_t> tail;
    file.scan(
        [&](std::size_t n, std::span<const std::byte> slot) {
            tail.push_back(static_cast<std::size_t>(slot[0]) == 'a' + (n - 1) % 26 ? n : 0);
            return true;
        },
        4998);
    EXPECT_EQ(tail, (std::vector<std::size_t>{4998, 4999, 5000}));
    const Bytes range = file.readRange(4999, 5);
    ASSERT_EQ(range.size(), 2u * 237);
    EXPECT_EQ(static_cast<char>(range[0]), 'a' + 4998 % 26);
    EXPECT_EQ(static_cast<char>(range[237]), 'a' + 4999 % 26);
    // The stray tail is never read as part of a record: record 5001 reads as zero bytes.
    EXPECT_EQ(file.read(5001), Bytes(237));
}

TEST(RecordFile, AFullDiskLeavesNoPartialRecordBehind) {
    TempDir temp;
    FaultyFileSystem files;
    const Path path = temp.path() / "room";
    RecordFile file(files, path, 237);
    file.append(filled(237, 'a'));

    files.failAfter(0, 100); // 100 bytes of the new slot land, then the disk is full
    EXPECT_THROW(file.append(filled(237, 'b')), StoreError);
    EXPECT_EQ(readFile(path), std::string(237, 'a'));

    files.failAfter(0, 50); // an update in place that half lands is put back
    EXPECT_THROW(file.write(1, filled(237, 'c')), StoreError);
    // So is a run of slots over the last record and past it, however far it landed.
    for (const std::size_t landed : {100, 300, 474}) {
        files.failAfter(0, landed);
        EXPECT_THROW(file.writeSlots(1, filled(2 * 237, 'd')), StoreError);
    }
    files.heal();
    EXPECT_EQ(readFile(path), std::string(237, 'a'));
}

TEST(RecordFile, AFailureNamesTheFileAndTheReason) {
    TempDir temp;
    FaultyFileSystem files;
    RecordFile file(files, temp.path() / "guest", 800);
    files.failAfter(0);
    try {
        file.append(Bytes(800));
        FAIL() << "the write should have failed";
    } catch (const StoreError& failure) {
        const std::string message = failure.what();
        EXPECT_NE(message.find((temp.path() / "guest").generic_string()), std::string::npos);
        EXPECT_NE(message.find("No space left on device"), std::string::npos);
    }
}

TEST(RecordFile, ADirectoryThatCannotBeWrittenIsReportedNotIgnored) {
    TempDir temp;
    DiskFileSystem files;
    writeFile(temp.path() / "blocker", "a file where a folder should be");
    RecordFile file(files, temp.path() / "blocker" / "room", 237);
    try {
        file.append(Bytes(237));
        FAIL() << "the write should have failed";
    } catch (const StoreError& failure) {
        EXPECT_NE(std::string(failure.what()).find("blocker/room"), std::string::npos);
    }
    const DataDirectory directory(temp.path() / "blocker" / "Motel");
    EXPECT_THROW(directory.ensureExists(files), StoreError);
}

TEST(RecordFile, APathThatIsNotAFileIsReported) {
    TempDir temp;
    DiskFileSystem files;
    std::filesystem::create_directories(temp.path() / "room");
    RecordFile file(files, temp.path() / "room", 237);
    EXPECT_THROW(file.count(), StoreError); // only regular files are read
    EXPECT_THROW(file.append(Bytes(237)), StoreError);
}

TEST(Table, FindFirstTakesTheLowestRecordNumber) {
    TempDir temp;
    DiskFileSystem files;
    Store store(DataDirectory(temp.path()), files);
    for (const char* number : {"101", "102", "101"}) {
        RoomRecord room;
        room.RoomNumber = number;
        room.Rate = static_cast<float>(store.rooms().count() + 1);
        store.rooms().append(room);
    }
    const auto found = store.rooms().findFirst(
        [](const RoomRecord& r) { return r.RoomNumber.trimmed() == "101"; });
    ASSERT_TRUE(found);
    EXPECT_EQ(found->first, 1u);
    EXPECT_EQ(found->second.Rate, 1.0f);
    EXPECT_EQ(store.rooms()
                  .select([](const RoomRecord& r) { return r.RoomNumber.trimmed() == "101"; })
                  .size(),
              2u);

    // The same through views.
    const auto is101 = [](const RecordView<RoomRecord>& r) {
        return r.trimmedBytes<&RoomRecord::RoomNumber>() == "101";
    };
    const auto first = store.rooms().findFirstWhere(is101);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->first, 1u);
    EXPECT_EQ(first->second.Rate, 1.0f);
    const auto all = store.rooms().selectWhere(is101);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[1].Rate, 3.0f);
}

} // namespace
} // namespace roomwright
