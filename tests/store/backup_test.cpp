#include "store/backup.h"

#include "cli/commands.h"
#include "store/format/store_error.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

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

    testing::TempDir temp;
    DataDirectory directory{temp.path() / "Motel"};
    Path target = temp.path() / "usb" / "backups";
    DiskFileSystem files;
    FixedClock clock{CivilDate{2026, 12, 8}, TimeOfDay{14, 30, 5, 0}};
};

TEST_F(BackupTest, CopiesEveryFileIntoAFolderNamedForTheTimeAndLeavesTheSource) {
    const auto data = snapshot(directory.root());
    writeFile(directory.writerLock(), "process 4711"); // who runs on it now: no data
    const auto before = snapshot(directory.root());
    const Backup first = backUp(directory, target, clock);
    EXPECT_EQ(first.folder, target / "roomwright-2026-12-08-143005");
    EXPECT_EQ(snapshot(first.folder), data);
    EXPECT_EQ(first.files, 4u);
    EXPECT_TRUE(fs::is_directory(first.folder / "message")); // empty folders too
    EXPECT_EQ(snapshot(directory.root()), before);
    // A second copy in the same second gets a name of its own.
    EXPECT_EQ(backUp(directory, target, clock).folder, target / "roomwright-2026-12-08-143005-2");
    EXPECT_EQ(entries(), (std::vector<std::string>{"roomwright-2026-12-08-143005",
                                                   "roomwright-2026-12-08-143005-2"}));
}

TEST_F(BackupTest, KeepRemovesAllButTheNewestCopiesAndNothingElse) {
    fs::create_directories(target / "photos");
    writeFile(target / "roomwright-notes.txt", "mine");
    fs::create_directories(target / "roomwright-2026-12-08-143009-10"); // newer than "-2"
    for (const int second : {7, 5, 9}) {
        clock.set(CivilDate{2026, 12, 8}, TimeOfDay{14, 30, second, 0});
        backUp(directory, target, clock);
    }
    const Backup last = backUp(directory, target, clock, 3);
    EXPECT_EQ(last.folder, target / "roomwright-2026-12-08-143009-2");
    EXPECT_EQ(entries(),
              (std::vector<std::string>{"photos", "roomwright-2026-12-08-143009",
                                        "roomwright-2026-12-08-143009-10",
                                        "roomwright-2026-12-08-143009-2", "roomwright-notes.txt"}));
    EXPECT_EQ(last.removed.size(), 2u);
}

TEST_F(BackupTest, AFailureLeavesNoCopyBehindAndSaysWhere) {
    // The folder cannot be made: a file of that name is there.
    fs::create_directories(target.parent_path());
    writeFile(target, "a file");
    try {
        backUp(directory, target, clock);
        ADD_FAILURE() << "no error";
    } catch (const StoreError& failure) {
        EXPECT_EQ(failure.file(), target);
    }
    fs::remove(target);

#ifndef _WIN32 // Wine makes no symbolic links
    // A file that cannot be copied half-way: what was copied goes again.
    fs::create_symlink(temp.path() / "nowhere", directory.root() / "zz-broken");
    EXPECT_THROW(backUp(directory, target, clock), StoreError);
    EXPECT_EQ(entries(), std::vector<std::string>{});
    fs::remove(directory.root() / "zz-broken");
#endif

    EXPECT_THROW(backUp(directory, directory.root() / "totals", clock), DataError);
    EXPECT_THROW(backUp(directory, target, clock, 0), DataError);
    EXPECT_THROW(backUp(DataDirectory(temp.path() / "missing"), target, clock), StoreError);
}

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
