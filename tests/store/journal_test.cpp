#include "store/disk/journal.h"

#include "store/format/saved_bytes.h"
#include "store/format/store_error.h"
#include "store/store.h"
#include "support/counting_file_system.h"
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

Bytes named(char kind, const std::string& path) {
    Bytes payload{std::byte(kind)};
    put(payload, path.size(), 2);
    for (const char c : path) {
        payload.push_back(std::byte(c));
    }
    return payload;
}

Bytes oldBytes(const std::string& path, const std::string& bytes, std::uint64_t offset = 0) {
    Bytes payload = named('B', path);
    put(payload, offset, 8);
    for (const char c : bytes) {
        payload.push_back(std::byte(c));
    }
    return payload;
}

Bytes lengthWas(const std::string& path, std::uint64_t length) {
    Bytes payload = named('L', path);
    put(payload, 1, 1);
    put(payload, length, 8);
    return payload;
}

Bytes wasMissing(const std::string& path) {
    Bytes payload = named('L', path);
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
    const Bytes tax = lengthWas("tax", 6);
    const Bytes restore = journalOf({tax, oldBytes("tax", "OLD")});
    Bytes torn = restore;
    torn.pop_back();
    // The last byte of the old bytes spoiled, and a whole entry after it.
    Bytes rotten = journalOf({tax, oldBytes("tax", "OLD"), oldBytes("tax", "XYZ")});
    rotten[restore.size() - 9] ^= std::byte{1};
    const std::uint64_t terabyte = std::uint64_t{1} << 40;
    const struct {
        const char* name;
        std::string journal;
        std::string tax;         // the tax file afterwards
        bool undone;             // what recover() says
        const char* damage = ""; // or the damage it refuses the journal for
    } cases[] = {
        {"old bytes are put back", text(restore), "OLDNEW", true},
        {"a torn entry is no entry", text(torn), "NEWNEW", true},
        {"a wrong checksum ends the journal", text(rotten), "NEWNEW", true},
        {"a commit mark keeps the operation",
         text(journalOf({tax, oldBytes("tax", "OLD"), Bytes{std::byte('C')}})), "NEWNEW", false},
        {"no path leads out of the data directory",
         text(journalOf({lengthWas("../outside", 7), oldBytes("../outside", "XXX")})), "NEWNEW",
         false},
        {"nor an absolute one",
         text(journalOf(
             {lengthWas(outside.generic_string(), 7), oldBytes(outside.generic_string(), "XXX")})),
         "NEWNEW", false},
        {"nor one after a refused one",
         text(journalOf({tax, oldBytes("tax", "OLD"), lengthWas("../outside", 7),
                         oldBytes("../outside", "XXX")})),
         "OLDNEW", true},
        {"garbage is no journal", std::string(64, '\xFF'), "NEWNEW", false},
        {"an empty journal is none", "", "NEWNEW", false},
        // Whole entries that no operation writes.
        {"old bytes beyond the length noted",
         text(journalOf({lengthWas("tax", 2), oldBytes("tax", "OLD")})), "NEWNEW", false,
         "beyond the length it noted"},
        {"old bytes before the length", text(journalOf({oldBytes("tax", "OLD")})), "NEWNEW", false,
         "beyond the length it noted"},
        {"a length noted twice", text(journalOf({tax, tax})), "NEWNEW", false, "twice"},
        {"old bytes a terabyte into the file, which would grow to hold them",
         text(journalOf({lengthWas("tax", terabyte + 3), oldBytes("tax", "OLD", terabyte)})),
         "NEWNEW", false, "that it does not hold"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root);
        writeFile(root / "tax", "NEWNEW");
        writeFile(outside, "outside");
        writeFile(root / "store.journal", c.journal);
        DiskFileSystem disk;
        const Store store(DataDirectory(root), disk);
        if (*c.damage == '\0') {
            EXPECT_EQ(store.recover(), c.undone);
            EXPECT_FALSE(std::filesystem::exists(root / "store.journal"));
        } else {
            try {
                store.recover();
                ADD_FAILURE() << "no damage found";
            } catch (const DamageError& damage) {
                EXPECT_EQ(damage.file(), root / "store.journal");
                EXPECT_NE(damage.detail().find(c.damage), std::string::npos) << damage.what();
            }
            EXPECT_EQ(readFile(root / "store.journal"), c.journal); // kept, as it was
        }
        EXPECT_EQ(readFile(root / "tax"), c.tax);
        EXPECT_EQ(readFile(outside), "outside");
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

// A journal is read entry by entry: one of gigabytes costs what its entries hold.
TEST(Journal, AHugeJournalIsNotReadWhole) {
    testing::TempDir temp;
    const DataDirectory directory(temp.path());
    writeFile(directory.journal(), text(journalOf({})));
    std::filesystem::resize_file(directory.journal(), std::uint64_t{3} << 30); // sparse
    testing::CountingFileSystem disk(directory.journal());
    const Store store(directory, disk);
    EXPECT_FALSE(store.journal().pending());
    EXPECT_FALSE(store.recover());
    EXPECT_LT(disk.bytesRead, 1u << 20);
    EXPECT_FALSE(std::filesystem::exists(directory.journal()));
}

#ifndef _WIN32 // Wine makes no symbolic links
// Nothing is put back through a symbolic link: neither a file that is one nor a file in a
// folder that is one. The steps that can be are; the journal stays for the next try.
TEST(Journal, TheUndoNeverWritesThroughASymbolicLink) {
    testing::TempDir temp;
    const Path root = temp.path() / "Motel";
    const Path outside = temp.path() / "outside";
    const struct {
        const char* name;
        Path link;   // in the data directory
        Path target; // outside it
        std::vector<Bytes> entries;
        Path file; // the data file the entries name
    } cases[] = {
        {"a file that is a link",
         root / "tax",
         outside / "tax",
         {lengthWas("tax", 6), oldBytes("tax", "OLD")},
         root / "tax"},
        {"a length of a file that is a link",
         root / "tax",
         outside / "tax",
         {lengthWas("tax", 0)},
         root / "tax"},
        {"a file in a folder that is a link",
         root / "message",
         outside,
         {lengthWas("message/ 1", 6), oldBytes("message/ 1", "OLD")},
         root / "message" / " 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(temp.path());
        std::filesystem::create_directories(root);
        writeFile(outside / "tax", "NEWNEW");
        writeFile(outside / " 1", "NEWNEW");
        std::filesystem::create_symlink(c.target, c.link);
        writeFile(root / "store.journal", text(journalOf(c.entries)));
        DiskFileSystem disk;
        const Store store(DataDirectory(root), disk);
        try {
            store.recover();
            ADD_FAILURE() << "nothing refused";
        } catch (const StoreError& refused) {
            EXPECT_EQ(refused.file(), c.link);
            EXPECT_NE(refused.reason().find("symbolic link"), std::string::npos);
        }
        EXPECT_EQ(readFile(outside / "tax"), "NEWNEW");
        EXPECT_EQ(readFile(outside / " 1"), "NEWNEW");
        EXPECT_TRUE(store.journal().pending());
        // Nor does an operation change such a file.
        std::filesystem::remove(root / "store.journal");
        EXPECT_THROW(asOneOperation(store, [&] { store.files().write(c.file, 0, Bytes(2)); }),
                     StoreError);
        EXPECT_EQ(readFile(outside / "tax"), "NEWNEW");
        EXPECT_EQ(readFile(outside / " 1"), "NEWNEW");
    }
}
#endif

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

// Inside an operation the writes wait in memory: the operation reads what it wrote after
// every step, the commit leaves the file exactly so, and an operation given up leaves it as it
// was. The writes below land in place, overlap, touch (long rows of neighbours, as years of
// records written back at once), and follow a cut.
TEST(Journal, AnOperationReadsWhatItWroteAndTheCommitLeavesExactlyThat) {
    testing::TempDir temp;
    DiskFileSystem disk;
    const Path file = temp.path() / "guest";
    const std::string before(50'000, 'o');
    std::uint32_t seed = 7;
    const auto next = [&](std::uint32_t below) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % below;
    };
    for (const bool commit : {true, false}) {
        SCOPED_TRACE(commit ? "committed" : "given up");
        writeFile(file, before);
        JournaledFiles files(disk, temp.path(), temp.path() / "store.journal");
        std::string model = before;
        files.begin();
        const auto write = [&](std::size_t offset, std::size_t length) {
            const std::string bytes(length, char('a' + next(26)));
            if (model.size() < offset + length) {
                model.resize(offset + length, '\0');
            }
            model.replace(offset, length, bytes);
            files.write(file, offset, std::as_bytes(std::span(bytes)));
        };
        for (std::size_t n = 0; n < 300; ++n) { // 300 neighbours of 800 bytes from 20,000 on
            write(20'000 + n * 800, 800);
        }
        for (int step = 0; step < 200; ++step) {
            const std::size_t length = 1 + next(3000);
            write(next(static_cast<std::uint32_t>(model.size() + 2000)), length);
            if (step % 50 == 49) {
                model.resize(model.size() - next(5000));
                files.truncate(file, model.size());
            }
            ASSERT_EQ(files.size(file), model.size());
            ASSERT_EQ(readWholeFile(files, file), model);
        }
        if (commit) {
            files.commit();
        } else {
            files.abandon();
        }
        EXPECT_EQ(readFile(file), commit ? model : before);
    }
}

} // namespace
} // namespace roomwright
