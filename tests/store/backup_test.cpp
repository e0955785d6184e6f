#include "store/backup.h"

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

    // What a backup holds of the data directory: every file but its marker.
    static std::map<std::string, std::string> copied(const Path& folder) {
        auto files = snapshot(folder);
        EXPECT_EQ(files.erase(".roomwright-backup"), 1u) << folder;
        return files;
    }

    testing::TempDir temp;
    DataDirectory directory{temp.path() / "Motel"};
    Path target = temp.path() / "usb" / "backups";
    DiskFileSystem files;
    Store store{directory, files};
    FixedClock clock{CivilDate{2026, 12, 8}, TimeOfDay{14, 30, 5, 0}};
};

TEST_F(BackupTest, CopiesEveryFileIntoAFolderNamedForTheTimeAndLeavesTheSource) {
    const auto data = snapshot(directory.root());
    writeFile(directory.writerLock(), "process 4711"); // who runs on it now: no data
    const auto before = snapshot(directory.root());
    const Backup first = backUp(store, target, clock);
    EXPECT_EQ(first.folder, target / "roomwright-2026-12-08-143005");
    EXPECT_EQ(copied(first.folder), data);
    EXPECT_EQ(first.files, 4u);
    EXPECT_TRUE(fs::is_directory(first.folder / "message")); // empty folders too
    EXPECT_EQ(snapshot(directory.root()), before);
    // A second copy in the same second gets a name of its own.
    EXPECT_EQ(backUp(store, target, clock).folder, target / "roomwright-2026-12-08-143005-2");
    EXPECT_EQ(entries(), (std::vector<std::string>{"roomwright-2026-12-08-143005",
                                                   "roomwright-2026-12-08-143005-2"}));
#ifndef _WIN32
    // The folders it made for the copies are their owner's only, whatever the umask.
    for (const Path& folder : {temp.path() / "usb", target, first.folder}) {
        EXPECT_EQ(fs::status(folder).permissions(), fs::perms::owner_all) << folder;
    }
#endif
}

// Keep removes only copies this program made (its marker inside, not the name alone), never
// the one just made, and counts that one as the newest whatever the others' names say.
TEST_F(BackupTest, KeepRemovesOnlyOlderCopiesItMadeAndNeverTheNewOne) {
    fs::create_directories(target / "photos");
    writeFile(target / "roomwright-notes.txt", "mine");
    fs::create_directories(target / "roomwright-2026-12-08-143009-10"); // the user's
    std::vector<std::string> others = {"photos", "roomwright-2026-12-08-143009-10",
                                       "roomwright-notes.txt"};
#ifndef _WIN32 // Wine makes no symbolic links
    // A link named like a copy, to a copy elsewhere.
    const Backup elsewhere = backUp(store, temp.path() / "elsewhere", clock);
    fs::create_directory_symlink(elsewhere.folder, target / "roomwright-2026-12-01-000000");
    others.push_back("roomwright-2026-12-01-000000");
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
    EXPECT_EQ(three.folder, target / "roomwright-2026-12-08-143009-2");
    EXPECT_EQ(entries(),
              withOthers({"roomwright-2026-12-08-143009-2", "roomwright-2027-12-08-090000",
                          "roomwright-2026-12-08-143009"}));
    EXPECT_EQ(three.removed.size(), 2u);

    const Backup one = backUp(store, target, clock, 1);
    EXPECT_EQ(entries(), withOthers({fs::path(one.folder).filename().string()}));
    EXPECT_EQ(copied(one.folder), snapshot(directory.root()));
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

// Every file is read back from the copy: a disk that changes what it writes there is caught.
TEST_F(BackupTest, ACopyThatReadsBackOtherwiseIsRefused) {
    class Altering : public DiskFileSystem {
      public:
        explicit Altering(Path folder) : folder_(std::move(folder)) {}
        void write(const Path& file, std::uint64_t offset,
                   std::span<const std::byte> bytes) override {
            Bytes altered(bytes.begin(), bytes.end());
            if (!altered.empty() && file.filename() == "room" &&
                !file.lexically_relative(folder_).empty() &&
                *file.lexically_relative(folder_).begin() != "..") {
                altered[0] ^= std::byte{1};
            }
            DiskFileSystem::write(file, offset, altered);
        }

      private:
        Path folder_;
    };
    Altering altering(target);
    try {
        backUp(Store(directory, altering), target, clock);
        ADD_FAILURE() << "no error";
    } catch (const StoreError& failure) {
        EXPECT_EQ(failure.file().filename(), "room");
        EXPECT_NE(std::string(failure.what()).find("differs"), std::string::npos);
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
    EXPECT_EQ(out.str(), (target / "roomwright-2026-12-08-143005").generic_string() + "\n");

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
