#include "store/disk/journal.h"

#include "store/format/saved_bytes.h"
#include "store/store.h"
#include "support/faulty_file_system.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace roomwright {
namespace {

using testing::readFile;
using testing::writeFile;

// Journals as a crash, bit rot or another hand may leave them.
Bytes journalOf(const std::vector<Bytes>& payloads) {
    Bytes out;
    for (const char c : std::string_view("RWJOURNL")) {
        out.push_back(std::byte(c));
    }
    put(out, 1, 4);
    for (const Bytes& payload : payloads) {
        put(out, payload.size(), 4);
        out.insert(out.end(), payload.begin(), payload.end());
        put(out, checksumOf(payload), 8);
    }
    return out;
}

Bytes oldBytes(const std::string& path, const std::string& bytes) {
    Bytes payload{std::byte('B')};
    put(payload, path.size(), 2);
    for (const char c : path) {
        payload.push_back(std::byte(c));
    }
    put(payload, 0, 8);
    for (const char c : bytes) {
        payload.push_back(std::byte(c));
    }
    return payload;
}

Bytes wasMissing(const std::string& path) {
    Bytes payload{std::byte('L')};
    put(payload, path.size(), 2);
    for (const char c : path) {
        payload.push_back(std::byte(c));
    }
    put(payload, 0, 1);
    put(payload, 0, 8);
    return payload;
}

std::string text(const Bytes& bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

TEST(Journal, TheNextStartUndoesOnlyWhatAWholeEntryUnderTheDataDirectoryNames) {
    testing::TempDir temp;
    const Path root = temp.path() / "Motel";
    const Path outside = temp.path() / "outside";
    const Bytes restore = journalOf({oldBytes("tax", "OLD")});
    Bytes torn = restore;
    torn.pop_back();
    Bytes rotten = restore;
    rotten[20] ^= std::byte{1};
    const struct {
        const char* name;
        std::string journal;
        std::string tax; // the tax file afterwards
        bool undone;
    } cases[] = {
        {"old bytes are put back", text(restore), "OLDNEW", true},
        {"a torn entry is no entry", text(torn), "NEWNEW", false},
        {"a wrong checksum ends the journal", text(rotten), "NEWNEW", false},
        {"a commit mark keeps the operation",
         text(journalOf({oldBytes("tax", "OLD"), Bytes{std::byte('C')}})), "NEWNEW", false},
        {"no path leads out of the data directory",
         text(journalOf({oldBytes("../outside", "XXX")})), "NEWNEW", false},
        {"nor an absolute one", text(journalOf({oldBytes(outside.generic_string(), "XXX")})),
         "NEWNEW", false},
        {"nor one after a refused one",
         text(journalOf({oldBytes("tax", "OLD"), oldBytes("../outside", "XXX")})), "OLDNEW", true},
        {"garbage is no journal", std::string(64, '\xFF'), "NEWNEW", false},
        {"an empty journal is none", "", "NEWNEW", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root);
        writeFile(root / "tax", "NEWNEW");
        writeFile(outside, "outside");
        writeFile(root / "store.journal", c.journal);
        DiskFileSystem disk;
        EXPECT_EQ(Store(DataDirectory(root), disk).recover(), c.undone);
        EXPECT_EQ(readFile(root / "tax"), c.tax);
        EXPECT_EQ(readFile(outside), "outside");
        EXPECT_FALSE(std::filesystem::exists(root / "store.journal"));
    }

    // A file the operation created goes again, and the saved in-house index with a guest
    // file put back.
    writeFile(root / "guest", "stay");
    writeFile(root / "inhouse.index", "index");
    writeFile(root / "store.journal", text(journalOf({wasMissing("guest")})));
    DiskFileSystem disk;
    EXPECT_TRUE(Store(DataDirectory(root), disk).recover());
    EXPECT_FALSE(std::filesystem::exists(root / "guest"));
    EXPECT_FALSE(std::filesystem::exists(root / "inhouse.index"));
}

// When even the undo fails, the journal stays: the next operation puts the files back
// before it reads them, and a reader can tell.
TEST(Journal, AnOperationThatCouldNotBeUndoneIsUndoneByTheNextOne) {
    testing::TempDir temp;
    testing::FaultyFileSystem disk;
    const Store store(DataDirectory(temp.path()), disk);
    writeFile(temp.path() / "tax", std::string(10, '\0'));
    disk.failStepsAfter(4, true); // the tax file is changed; every later step fails
    EXPECT_THROW(asOneOperation(store,
                                [&] {
                                    store.files().write(store.directory().tax(), 0,
                                                        Bytes(4, std::byte{7}));
                                }),
                 std::runtime_error);
    disk.heal();
    EXPECT_TRUE(store.journal().pending());
    EXPECT_NE(readFile(temp.path() / "tax"), std::string(10, '\0'));
    asOneOperation(store, [&] { EXPECT_EQ(readFile(temp.path() / "tax"), std::string(10, '\0')); });
    EXPECT_FALSE(store.journal().pending());
}

} // namespace
} // namespace roomwright
