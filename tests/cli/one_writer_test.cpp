// Two programs on one data directory: the command-line tool run as real child processes
// beside a writer held by this process.
#include "reports/night_audit.h"
#include "store/charges.h"
#include "store/disk/platform.h"
#include "store/disk/writer_lock.h"
#include "support/records.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#ifndef _WIN32

namespace roomwright {
namespace {

using testing::readFile;
using testing::snapshot;
using testing::TempDir;

constexpr int kStays = 30;

class OneWriter : public ::testing::Test {
  protected:
    OneWriter() {
        directory.ensureExists(files);
        for (int folio = 1; folio <= kStays; ++folio) {
            store.guests().append(testing::makeStayOver(std::to_string(100 + folio), "Avery", folio,
                                                        40.0f + static_cast<float>(folio),
                                                        {2026, 12, 1}, {2026, 12, 20}));
        }
    }

    // The tool's command line on the test's directory, with the exit code and standard
    // error of run `name` kept beside the data.
    std::string tool(const std::string& arguments, const std::string& name) const {
        const Path kept = temp.path() / name;
        return "( '" ROOMWRIGHT_CLI "' --data-dir '" + directory.root().string() +
               "' --today 2026-12-07 --time 23:30:00 " + arguments + " >/dev/null 2>'" +
               kept.string() + ".err'; echo $? >'" + kept.string() + ".rc' )";
    }
    // Runs `script` through the shell and waits for it.
    static void shell(const std::string& script) {
        ASSERT_EQ(std::system(script.c_str()), 0) << script;
    }
    // The exit code of run `name`, waiting up to 30 s for it to end; -1 if it never did.
    int exitCode(const std::string& name) const {
        const Path rc = temp.path() / (name + ".rc");
        for (int tries = 0; tries < 300 && readFile(rc).empty(); ++tries) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        const std::string text = readFile(rc);
        return text.empty() ? -1 : std::atoi(text.c_str());
    }
    std::string errors(const std::string& name) const {
        return readFile(temp.path() / (name + ".err"));
    }
    // Every stay's charge file holds exactly one night's rent, and the month's room rent
    // their sum: nothing lost, nothing twice.
    void expectEachStayChargedOnce() const {
        double sum = 0;
        for (int folio = 1; folio <= kStays; ++folio) {
            const ParsedCharges charges = readCharges(store, folio);
            ASSERT_EQ(charges.lines.size(), 1u) << "folio " << folio;
            sum += 40 + folio;
        }
        EXPECT_FLOAT_EQ(store.totals({2026, 12, 1}).read(1)[TotalsSlot::RoomRent],
                        static_cast<float>(sum));
    }

    TempDir temp;
    DataDirectory directory{temp.path() / "Motel"};
    DiskFileSystem files;
    Store store{directory, files};
};

TEST_F(OneWriter, TwoAuditsAtOnceChargeEveryStayOnceAndOnlyOnce) {
    // Whatever the umask, what they create is their owner's only.
    shell("umask 0; " + tool("night-audit", "a") + " & " + tool("night-audit", "b") + " & wait");
    ASSERT_EQ(exitCode("a"), 0) << errors("a");
    ASSERT_EQ(exitCode("b"), 0) << errors("b");
    // One ran the audit; the other waited for it and found the charges posted.
    std::vector<std::string> said{errors("a"), errors("b")};
    std::vector<std::string> expected{std::string(kNightReportsRun) + "\n",
                                      std::string(kChargesAlreadyPosted) + "\n"};
    std::sort(said.begin(), said.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(said, expected);
    expectEachStayChargedOnce();
    const auto ownerOnly = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write;
    for (const Path& file :
         {directory.writerLock(), directory.chargeFile(1), directory.totalsFile({2026, 12, 1})}) {
        EXPECT_EQ(std::filesystem::status(file).permissions(), ownerOnly) << file;
    }
}

TEST_F(OneWriter, AWriterWaitsForTheHolderThenGivesUpNamingItWhileReadersGoOn) {
    std::optional<WriterLock> desk = WriterLock::take(directory, "roomwright");
    const auto before = snapshot(directory.root());

    shell(tool("--wait 1 night-audit", "refused") + "; " + tool("--wait 1 erase-cards", "erasing") +
          "; " + tool("dump guests", "reader"));
    for (const char* writer : {"refused", "erasing"}) {
        EXPECT_EQ(exitCode(writer), 1);
        EXPECT_EQ(errors(writer),
                  "roomwright-cli: Roomwright is already running on the data directory " +
                      directory.root().generic_string() + ": process " +
                      std::to_string(platform::processId()) + " (roomwright on " +
                      platform::hostName() + ") is using it.\n");
    }
    EXPECT_EQ(exitCode("reader"), 0) << errors("reader");
    EXPECT_EQ(snapshot(directory.root()), before);

    // One that is still waiting when the holder lets go runs then.
    shell(tool("--wait 20 night-audit", "waited") + " &");
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    desk.reset();
    ASSERT_EQ(exitCode("waited"), 0) << errors("waited");
    expectEachStayChargedOnce();
}

} // namespace
} // namespace roomwright

#endif
