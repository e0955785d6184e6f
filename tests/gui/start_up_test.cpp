#include "app/start_up.h"
#include "gui/gui_fixture.h"
#include "store/disk/platform.h"

namespace roomwright::testing {
namespace {

// The program's start on a directory another copy holds, on one whose holder died, and on a
// fresh one.
TEST_F(DeskTest, ASecondCopyIsToldWhoHoldsTheDirectoryAndDoesNotStart) {
    const Store fresh(DataDirectory(temp.path() / "new" / "Motel"), files);
    std::optional<WriterLock> first = claimDataDirectory(fresh, files, dialogs, clock.today());
    ASSERT_TRUE(first.has_value());
    EXPECT_TRUE(std::filesystem::is_directory(fresh.directory().message()));
    EXPECT_TRUE(dialogs.shown.empty());

    EXPECT_FALSE(claimDataDirectory(fresh, files, dialogs, clock.today()).has_value());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, kAttention);
    EXPECT_EQ(dialogs.shown[0].text.toStdString(),
              "Roomwright is already running on the data directory " +
                  fresh.directory().root().generic_string() + ": process " +
                  std::to_string(platform::processId()) + " (roomwright on " +
                  platform::hostName() + ") is using it.");

    // A lock file left by a program that ended, or died, names a holder that holds nothing.
    first.reset();
    writeFile(fresh.directory().writerLock(), "pid 999999\nhost gone\nprogram roomwright\n");
    EXPECT_TRUE(claimDataDirectory(fresh, files, dialogs, clock.today()).has_value());
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

} // namespace
} // namespace roomwright::testing
