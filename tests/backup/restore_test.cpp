#include "backup/restore.h"

#include "backup/archive.h"
#include "backup/backup.h"
#include "cli/commands.h"
#include "ops/writing_operations.h"
#include "store/format/store_error.h"
#include "support/power_cut_file_system.h"
#include "support/temp_dir.h"

#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace roomwright {
namespace {

namespace fs = std::filesystem;
using testing::Files;
using testing::motelFilesOf;
using testing::readFile;
using testing::snapshot;
using testing::writeFile;

// A tar file of the members given, as another program may make one.
struct Member {
    std::string name;
    unsigned type = AE_IFREG;
    std::string content{};
    std::string link{}; // of a symbolic link (AE_IFLNK) or, with a file, a hard link
};
void writeTar(const Path& file, const std::vector<Member>& members) {
    archive* tar = archive_write_new();
    archive_write_set_format_pax_restricted(tar);
    ASSERT_EQ(archive_write_open_filename(tar, file.string().c_str()), ARCHIVE_OK);
    for (const Member& member : members) {
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, member.name.c_str());
        archive_entry_set_filetype(entry, member.type);
        archive_entry_set_perm(entry, 0600);
        if (member.type == AE_IFLNK) {
            archive_entry_set_symlink(entry, member.link.c_str());
        } else if (!member.link.empty()) {
            archive_entry_set_hardlink(entry, member.link.c_str());
        } else {
            archive_entry_set_size(entry, static_cast<la_int64_t>(member.content.size()));
        }
        EXPECT_EQ(archive_write_header(tar, entry), ARCHIVE_OK) << member.name;
        archive_write_data(tar, member.content.data(), member.content.size());
        archive_entry_free(entry);
    }
    archive_write_close(tar);
    archive_write_free(tar);
}

// The names directly in a folder.
std::vector<std::string> namesIn(const Path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class RestoreTest : public ::testing::Test {
  protected:
    RestoreTest() {
        directory.ensureExists(files);
        testing::layDownMotel(store);
        backedUp = motelFilesOf(snapshot(directory.root()));
        archive = backUp(store, temp.path() / "usb", clock).file;
        // The motel goes on after the backup.
        testing::writingOperation("walk-in").run(store);
        changed = snapshot(directory.root());
    }

    std::vector<std::string> cli(const std::vector<std::string>& words, int& status) {
        std::vector<std::string> args = {"--data-dir", directory.root().string(),
                                         "--today",    "2026-12-08",
                                         "--time",     "09:15:00",
                                         "--wait",     "0"};
        args.insert(args.end(), words.begin(), words.end());
        std::ostringstream out;
        std::ostringstream err;
        status = runCli(args, out, err);
        return {out.str(), err.str()};
    }

    // Restoring `from` is refused, and nothing beside the data directory or in it changed.
    void expectRefused(const Path& from, const std::string& saying) {
        const auto around = namesIn(temp.path());
        try {
            restoreBackup(files, directory, from, clock, [] { return std::nullopt; });
            ADD_FAILURE() << "no error";
        } catch (const std::exception& failure) {
            EXPECT_NE(std::string(failure.what()).find(saying), std::string::npos)
                << failure.what();
        }
        EXPECT_EQ(namesIn(temp.path()), around);
        EXPECT_EQ(snapshot(directory.root()), changed);
    }

    testing::TempDir temp;
    DataDirectory directory{temp.path() / "Motel"};
    DiskFileSystem files;
    Store store{directory, files};
    FixedClock clock{CivilDate{2026, 12, 8}, TimeOfDay{9, 15, 0, 0}};
    Files backedUp;
    Path archive;
    Files changed;
};

// The command brings back every file byte for byte, without the saved indexes, and keeps
// the directory it replaced, as it was, beside it.
TEST_F(RestoreTest, TheCommandBringsBackTheBackupAndKeepsTheDataItReplaced) {
    int status = 0;
    const auto said = cli({"restore", archive.string()}, status);
    ASSERT_EQ(status, 0) << said[1];
    const Path previous = temp.path() / "Motel.before-restore-2026-12-08-091500";
    EXPECT_EQ(said[0], "Restored " + std::to_string(backedUp.size()) + " files into " +
                           directory.root().generic_string() +
                           ".\nThe data it held before is kept in " + previous.generic_string() +
                           ".\n");
    EXPECT_EQ(snapshot(directory.root()), backedUp);
    auto kept = snapshot(previous);
    kept.erase("roomwright.lock"); // the restore held the directory
    EXPECT_EQ(kept, changed);
    EXPECT_EQ(namesIn(temp.path()),
              (std::vector<std::string>{"Motel", previous.filename().string(), "usb"}));
    EXPECT_EQ(cli({"verify"}, status)[1], "");
    EXPECT_EQ(status, 0);
}

TEST_F(RestoreTest, AnArchiveThatIsNotASoundBackupIsRefusedBeforeAnythingIsTouched) {
    const std::string whole = readFile(archive);
    const std::string room = readFile(directory.room()).substr(0, 64);
    std::string cutShort = whole.substr(0, whole.size() / 2);
    std::string dataChanged = whole;
    dataChanged[dataChanged.find(room) + 3] ^= 1;
    std::string headerChanged = whole;
    headerChanged[1024 + 3] ^= 1; // the name of the member after the marker
    const Path evil = temp.path() / "evil";
    const std::string marker(kMarkerText);
    const struct {
        const char* what;
        std::string bytes;
        std::vector<Member> members;
        const char* saying;
    } cases[] = {
        {"cut short", cutShort, {}, "not a whole backup"},
        {"a file's byte changed", dataChanged, {}, "is damaged"},
        {"a header's byte changed", headerChanged, {}, "not a whole backup"},
        {"no tar", "roomwright", {}, "not a whole backup"},
        {"no marker", "", {{"room", AE_IFREG, "x"}}, "not a whole backup made by Roomwright"},
        {"a name out of the directory",
         "",
         {{".roomwright-backup", AE_IFREG, marker}, {"../evil", AE_IFREG, "x"}},
         "does not lie inside"},
        {"an absolute name",
         "",
         {{".roomwright-backup", AE_IFREG, marker}, {evil.generic_string(), AE_IFREG, "x"}},
         "does not lie inside"},
        {"a symbolic link",
         "",
         {{".roomwright-backup", AE_IFREG, marker}, {"room", AE_IFLNK, "", evil.string()}},
         "neither a file nor a folder"},
        {"a hard link",
         "",
         {{".roomwright-backup", AE_IFREG, marker},
          {"room", AE_IFREG, "x"},
          {"guest", AE_IFREG, "", "room"}},
         "neither a file nor a folder"},
        {"a file twice",
         "",
         {{".roomwright-backup", AE_IFREG, marker},
          {"room", AE_IFREG, "x"},
          {"room", AE_IFREG, "y"}},
         "twice"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Path bad = temp.path() / "usb" / "bad.tar";
        if (c.members.empty()) {
            writeFile(bad, c.bytes);
        } else {
            writeTar(bad, c.members);
        }
        expectRefused(bad, c.saying);
        EXPECT_FALSE(fs::exists(evil));
    }
}

// A backup of damaged data, one of an earlier version's folders, or none at all.
TEST_F(RestoreTest, ABackupVerifyFindsDamageInOrNoBackupFileIsRefused) {
    const DataDirectory damaged(temp.path() / "usb" / "Damaged");
    fs::copy(directory.root(), damaged.root(), fs::copy_options::recursive);
    writeFile(damaged.tax(), "xy"); // a Single cut short
    const Path damagedBackup = backUp(Store(damaged, files), temp.path() / "usb", clock).file;
    fs::remove_all(damaged.root());
    fs::create_directories(temp.path() / "usb" / "roomwright-2026-12-01-120000");
    const struct {
        Path file;
        const char* saying;
    } cases[] = {
        {damagedBackup, "verify finds damage in the data it holds. Nothing was changed.\ntax: "},
        {temp.path() / "usb" / "roomwright-2026-12-01-120000", "is none"},
        {temp.path() / "usb" / "missing.tar", "there is no such file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.string());
        expectRefused(c.file, c.saying);
    }
}

// The program (or a command) that holds the directory keeps it: the restore is refused
// once the archive has been checked, and the checked copy goes again.
TEST_F(RestoreTest, ARestoreWhileAProgramHoldsTheDirectoryIsRefused) {
    const WriterLock program = WriterLock::take(directory, "roomwright");
    changed = snapshot(directory.root());
    const auto around = namesIn(temp.path());
    int status = 0;
    const auto said = cli({"restore", archive.string()}, status);
    EXPECT_EQ(status, 1);
    EXPECT_NE(said[1].find("Roomwright is already running on the data directory"),
              std::string::npos)
        << said[1];
    EXPECT_EQ(namesIn(temp.path()), around);
    EXPECT_EQ(snapshot(directory.root()), changed);
}

// A disk that fails on the way leaves the data directory as it was, and nothing beside it:
// also when the restored folder cannot take its name, once the old one had been moved aside.
TEST_F(RestoreTest, AFailureHalfWayLeavesTheOldDirectoryInPlace) {
    class Failing : public DiskFileSystem {
      public:
        explicit Failing(std::function<bool(const Path&, const Path&)> fails)
            : fails_(std::move(fails)) {}
        void write(const Path& file, std::uint64_t offset,
                   std::span<const std::byte> bytes) override {
            check(file, {});
            DiskFileSystem::write(file, offset, bytes);
        }
        void rename(const Path& from, const Path& to) override {
            check(from, to);
            DiskFileSystem::rename(from, to);
        }
        void syncDirectory(const Path& directory) override {
            check(directory, {});
            DiskFileSystem::syncDirectory(directory);
        }

      private:
        void check(const Path& path, const Path& to) {
            if (fails_(path, to)) {
                throw StoreError(to.empty() ? path : to, "write", "No space left on device");
            }
        }
        std::function<bool(const Path&, const Path&)> fails_;
    };
    const Path root = directory.root();
    const auto unpacking = [](const Path& path) {
        return path.string().find(".restoring-") != std::string::npos;
    };
    const struct {
        const char* what;
        std::function<bool(const Path&, const Path&)> fails;
    } cases[] = {
        {"a file unpacked",
         [&](const Path& p, const Path&) { return p.filename() == "room" && unpacking(p); }},
        {"the folder synced", [&](const Path& p, const Path&) { return p == temp.path(); }},
        {"the directory moved aside", [&](const Path& p, const Path&) { return p == root; }},
        {"the restored folder moved in",
         [&](const Path& p, const Path& to) { return unpacking(p) && to == root; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Failing failing(c.fails);
        const auto around = namesIn(temp.path());
        EXPECT_THROW(restoreBackup(failing, directory, archive, clock, [] { return std::nullopt; }),
                     StoreError);
        EXPECT_EQ(namesIn(temp.path()), around);
        EXPECT_EQ(snapshot(root), changed);
    }
}

// A power cut anywhere in a restore leaves under the data directory's name the old data or
// the restored data, whole; between the two renames it leaves neither there, but both
// whole beside it, and the next start puts the restored data in place.
TEST(RestorePowerCut, TheOldOrTheRestoredDataIsWholeWhereverThePowerGoes) {
    const DataDirectory directory(Path("/power-cut/Motel"));
    const FixedClock clock{CivilDate{2026, 12, 8}, TimeOfDay{9, 15, 0, 0}};
    testing::PowerCutFileSystem disk;
    directory.ensureExists(disk);
    const Store store(directory, disk);
    testing::layDownMotel(store);
    const Files backedUp = motelFilesOf(disk.image().under(directory.root()));
    const Path archive = backUp(store, "/power-cut/usb", clock).file;
    testing::writingOperation("walk-in").run(store);
    const Files changed = motelFilesOf(disk.image().under(directory.root()));

    testing::PowerCutFileSystem restoring(disk.image());
    restoreBackup(restoring, directory, archive, clock, [] { return std::nullopt; });
    const Path previous("/power-cut/Motel.before-restore-2026-12-08-091500");
    const Path unpacked("/power-cut/.Motel.restoring-2026-12-08-091500");
    std::size_t betweenTheRenames = 0;
    for (std::size_t step = 0; step <= restoring.steps(); ++step) {
        SCOPED_TRACE(step);
        const testing::DiskImage cut = restoring.cutAfter(step, testing::Kept::Some, step);
        const Files there = motelFilesOf(cut.under(directory.root()));
        if (cut.folders.count(directory.root()) != 0) {
            EXPECT_TRUE(there == changed || there == backedUp)
                << testing::differences(there, changed);
        } else {
            ++betweenTheRenames;
            EXPECT_EQ(motelFilesOf(cut.under(previous)), changed);
            EXPECT_EQ(motelFilesOf(cut.under(unpacked)), backedUp);
            // The next start finishes the restore.
            testing::PowerCutFileSystem next(cut);
            EXPECT_EQ(finishCutRestore(next, directory), previous);
            EXPECT_EQ(motelFilesOf(next.image().under(directory.root())), backedUp);
            EXPECT_EQ(motelFilesOf(next.image().under(previous)), changed);
        }
    }
    EXPECT_GT(betweenTheRenames, 0u);
    EXPECT_EQ(motelFilesOf(restoring.image().under(directory.root())), backedUp);
}

} // namespace
} // namespace roomwright
