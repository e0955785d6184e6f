#include "backup/backup.h"

#include "backup/archive.h"
#include "cli/commands.h"
#include "store/format/store_error.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

namespace roomwright {
namespace {

namespace fs = std::filesystem;
using testing::snapshot;
using testing::writeFile;

class BackupTest : public ::testing::Test {
  protected:
    BackupTest() {
        directory.ensureExists(files);
        writeFile(directory.room(), std::string(237 * 3, 'r'));
        writeFile(directory.guest(), std::string(3 << 20, '\0') + "last"); // past one block
        writeFile(directory.chargeFile(17), "\"101  \",\"A\"\r\n");
        writeFile(directory.totalsFile(CivilDate{2026, 12, 1}), std::string(180, '\x01'));
    }
    // The folders and files directly under the backup folder.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(target)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    // What a backup holds of the data directory: every file but its marker, first, and its
    // checksums, last; and the names of its folders.
    std::map<std::string, std::string> copied(const Path& archive,
                                              std::vector<std::string>* folders = nullptr) {
        std::map<std::string, std::string> held;
        std::string* file = nullptr;
        MemberSums sums;
        const BackupRead read = readBackup(
            files, archive, sums,
            [&](const ArchiveReader::Member& member) {
                if (member.kind == ArchiveReader::Kind::File) {
                    file = &held[member.name];
                } else if (folders != nullptr) {
                    folders->push_back(member.name);
                }
            },
            [&](std::span<const std::byte> bytes) {
                file->append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
            });
        EXPECT_TRUE(read.whole) << archive;
        EXPECT_EQ(read.storedSums, sums.text());
        return held;
    }

    testing::TempDir temp;
    DataDirectory directory{temp.path() / "Motel"};
    Path target = temp.path() / "usb" / "backups";
    DiskFileSystem files;
    Store store{directory, files};
    FixedClock clock{CivilDate{2026, 12, 8}, TimeOfDay{14, 30, 5, 0}};
};

TEST_F(BackupTest, WritesEveryFileIntoOneTarNamedForTheTimeAndLeavesTheSource) {
    const auto data = snapshot(directory.root());
    writeFile(directory.writerLock(), "process 4711"); // who runs on it now: no data
    const auto before = snapshot(directory.root());
    const Backup first = backUp(store, target, clock);
    EXPECT_EQ(first.file, target / "roomwright-2026-12-08-143005.tar");
    std::vector<std::string> folders;
    EXPECT_EQ(copied(first.file, &folders), data);
    EXPECT_EQ(first.files, 4u);
    EXPECT_EQ(first.bytes, (237u * 3) + (3u << 20) + 4 + 13 + 180);
    // Empty folders too.
    EXPECT_NE(std::find(folders.begin(), folders.end(), "message"), folders.end());
    EXPECT_EQ(snapshot(directory.root()), before);
    // A second backup in the same second gets a name of its own.
    EXPECT_EQ(backUp(store, target, clock).file, target / "roomwright-2026-12-08-143005-2.tar");
    EXPECT_EQ(entries(), (std::vector<std::string>{"roomwright-2026-12-08-143005-2.tar",
                                                   "roomwright-2026-12-08-143005.tar"}));
#ifndef _WIN32
    // What it made is its owner's only, whatever the umask.
    for (const Path& folder : {temp.path() / "usb", target}) {
        EXPECT_EQ(fs::status(folder).permissions(), fs::perms::owner_all) << folder;
    }
    EXPECT_EQ(fs::status(first.file).permissions(), fs::perms::owner_read | fs::perms::owner_write);
#endif
}

// Keep removes only backups this program made (its marker first in them, not the name alone),
// never the one just made, and counts that one as the newest whatever the others' names say.
TEST_F(BackupTest, KeepRemovesOnlyOlderBackupsItMadeAndNeverTheNewOne) {
    fs::create_directories(target / "photos");
    writeFile(target / "roomwright-notes.txt", "mine");
    writeFile(target / "roomwright-2026-12-08-143009-10.tar", "the user's"); // no tar at all
    fs::create_directories(target / "roomwright-2026-12-08-143009-11.tar");  // a folder
    // A tar of the user's, named like a backup.
    ArchiveWriter(files, target / "roomwright-2026-12-08-143009-12.tar", clock).close();
    std::vector<std::string> others = {
        "photos", "roomwright-2026-12-08-143009-10.tar", "roomwright-2026-12-08-143009-11.tar",
        "roomwright-2026-12-08-143009-12.tar", "roomwright-notes.txt"};
#ifndef _WIN32 // Wine makes no symbolic links
    // A link named like a backup, to a backup elsewhere.
    const Backup elsewhere = backUp(store, temp.path() / "elsewhere", clock);
    fs::create_symlink(elsewhere.file, target / "roomwright-2026-12-01-000000.tar");
    others.push_back("roomwright-2026-12-01-000000.tar");
#endif
    // A copy made while the clock was set a year ahead.
    clock.set(CivilDate{2027, 12, 8}, TimeOfDay{9, 0, 0, 0});
    backUp(store, target, clock);
    for (const int second : {7, 5, 9}) {
        clock.set(CivilDate{2026, 12, 8}, TimeOfDay{14, 30, second, 0});
        backUp(store, target, clock);
    }
    const auto withOthers = [&](std::vector<std::string> copies) {
        copies.insert(copies.end(), others.begin(), others.end());
        std::sort(copies.begin(), copies.end());
        return copies;
    };
    const Backup three = backUp(store, target, clock, 3);
    EXPECT_EQ(three.file, target / "roomwright-2026-12-08-143009-2.tar");
    EXPECT_EQ(entries(),
              withOthers({"roomwright-2026-12-08-143009-2.tar", "roomwright-2027-12-08-090000.tar",
                          "roomwright-2026-12-08-143009.tar"}));
    EXPECT_EQ(three.removed.size(), 2u);

    const Backup one = backUp(store, target, clock, 1);
    EXPECT_EQ(entries(), withOthers({fs::path(one.file).filename().string()}));
    EXPECT_EQ(copied(one.file), snapshot(directory.root()));
}

TEST_F(BackupTest, AFailureLeavesNoCopyBehindAndSaysWhere) {
    // The folder cannot be made: a file of that name is there.
    fs::create_directories(target.parent_path());
    writeFile(target, "a file");
    try {
        backUp(store, target, clock);
        ADD_FAILURE() << "no error";
    } catch (const StoreError& failure) {
        EXPECT_EQ(failure.file(), target);
    }
    fs::remove(target);

    EXPECT_THROW(backUp(store, directory.root() / "totals", clock), DataError);
    EXPECT_THROW(backUp(store, target, clock, 0), DataError);
    EXPECT_THROW(backUp(Store(DataDirectory(temp.path() / "missing"), files), target, clock),
                 StoreError);
}

// The archive is read back from the disk: one that changes what is written there is caught,
// naming the file of the data directory whose bytes came back otherwise.
TEST_F(BackupTest, AnArchiveThatReadsBackOtherwiseIsRefused) {
    class Altering : public DiskFileSystem {
      public:
        void write(const Path& file, std::uint64_t offset,
                   std::span<const std::byte> bytes) override {
            Bytes altered(bytes.begin(), bytes.end());
            if (file.extension() == ".partial" && altered.size() > 4096 && !altered_) {
                altered.back() ^= std::byte{1}; // the end of the first block: the guest file
                altered_ = true;
            }
            DiskFileSystem::write(file, offset, altered);
        }

      private:
        bool altered_ = false;
    };
    Altering altering;
    try {
        backUp(Store(directory, altering), target, clock);
        ADD_FAILURE() << "no error";
    } catch (const StoreError& failure) {
        EXPECT_EQ(failure.file(), target / "roomwright-2026-12-08-143005.tar");
        EXPECT_NE(std::string(failure.what()).find("guest differs"), std::string::npos)
            << failure.what();
    }
    EXPECT_EQ(entries(), std::vector<std::string>{});
}

#ifndef _WIN32 // Wine makes no symbolic links
// Only what lies in the data directory itself is copied: a link in it, to a file or to a
// folder (dailycharge/ moved to another disk), is refused, naming it, and no copy left.
TEST_F(BackupTest, ALinkInTheDataDirectoryIsRefusedNamingIt) {
    const Path moved = temp.path() / "charges";
    fs::rename(directory.dailyCharge(), moved);
    const struct {
        Path link;
        Path to;
    } cases[] = {{directory.dailyCharge(), moved}, {directory.root() / "zz-broken", "nowhere"}};
    fs::create_directory_symlink(moved, directory.dailyCharge());
    fs::create_symlink(temp.path() / "nowhere", directory.root() / "zz-broken");
    for (const auto& c : cases) {
        try {
            backUp(store, target, clock);
            ADD_FAILURE() << "no error";
        } catch (const StoreError& failure) {
            EXPECT_EQ(failure.file(), c.link);
            EXPECT_NE(std::string(failure.what()).find("symbolic link"), std::string::npos);
        }
        EXPECT_EQ(entries(), std::vector<std::string>{});
        fs::remove(c.link);
    }
}
#endif

TEST_F(BackupTest, TheCommandPrintsThePathOrTheError) {
    std::ostringstream out;
    std::ostringstream err;
    const std::vector<std::string> common = {
        "--data-dir", directory.root().string(), "--today", "2026-12-08", "--time", "14:30:05",
        "backup"};
    auto args = common;
    args.insert(args.end(), {target.string(), "--keep", "1"});
    ASSERT_EQ(runCli(args, out, err), 0) << err.str();
    EXPECT_EQ(out.str(), (target / "roomwright-2026-12-08-143005.tar").generic_string() + "\n");

    args = common;
    writeFile(temp.path() / "afile", "x");
    args.push_back((temp.path() / "afile" / "x").string());
    EXPECT_EQ(runCli(args, out, err), 1);
    EXPECT_NE(err.str().find("Could not create the folder"), std::string::npos) << err.str();
    args = common;
    args.insert(args.end(), {target.string(), "--keep", "none"});
    EXPECT_EQ(runCli(args, out, err), 2);
}

} // namespace
} // namespace roomwright
