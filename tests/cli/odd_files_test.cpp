// The program's own files in the data directory (the writer's lock, the journals, the motel's
// details) are opened only as the regular files they are: a folder or a symbolic link in their
// place is refused with a message naming it, and nothing is written where a link leads.

#include "cli/cli_fixture.h"
#include "store/settings.h"
#include "support/records.h"

#include <gtest/gtest.h>

namespace roomwright {
namespace {

using testing::readFile;
using testing::writeFile;

class OddFiles : public testing::CliFixture {
  protected:
    OddFiles() {
        setShiftAndClerk(store, ShiftClerkRecord{"JS", "A", {}});
        store.guests().append(
            testing::makeStayOver("101", "Avery", 1, 45, {2026, 12, 6}, {2026, 12, 9}));
    }
    // Each of the program's own files with a command that opens it.
    struct Own {
        Path file;
        std::vector<std::string> command;
    };
    std::vector<Own> ownFiles() const {
        const std::vector<std::string> setMotel = {"set", "motel", "--name", "Heron"};
        return {{directory.writerLock(), setMotel},
                {directory.motelDetails(), setMotel},
                {directory.auditJournal(), {"--today", "2026-12-07", "night-audit"}},
                {directory.journal(), {"--today", "2026-12-07", "night-audit"}}};
    }
    // Runs the command with `odd` in the file's place: refused, naming the file, and the
    // motel's files as they were.
    void expectRefused(const Own& own) {
        SCOPED_TRACE(own.file.generic_string());
        const auto before = readFile(directory.chargeFile(1)) + readFile(directory.guest());
        EXPECT_EQ(runTool(own.command), 1);
        EXPECT_NE(err.str().find(own.file.generic_string()), std::string::npos) << err.str();
        EXPECT_EQ(readFile(directory.chargeFile(1)) + readFile(directory.guest()), before);
    }
};

TEST_F(OddFiles, AFolderInTheProgramsOwnFilesPlaceIsRefused) {
    for (const Own& own : ownFiles()) {
        std::filesystem::create_directory(own.file);
        expectRefused(own);
        EXPECT_TRUE(std::filesystem::is_directory(own.file));
        std::filesystem::remove(own.file);
    }
}

#ifndef _WIN32 // Wine makes no symbolic links
TEST_F(OddFiles, ASymbolicLinkInTheProgramsOwnFilesPlaceIsNeverWrittenThrough) {
    const Path outside = temp.path() / "outside";
    for (const Own& own : ownFiles()) {
        writeFile(outside, "not the motel's");
        std::filesystem::create_symlink(outside, own.file);
        expectRefused(own);
        EXPECT_NE(err.str().find("symbolic link"), std::string::npos) << err.str();
        EXPECT_EQ(readFile(outside), "not the motel's");
        std::filesystem::remove(own.file);
    }
}
#endif

} // namespace
} // namespace roomwright
