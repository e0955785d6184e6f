#include "store/disk/data_directory.h"
#include "store/disk/platform.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace roomwright {
namespace {

TEST(DataDirectory, TheOptionWinsThenTheVariableThenThePlatformDefault) {
    DataDirectory::Environment environment;
    environment.home = "/home/clerk";
    EXPECT_EQ(DataDirectory::locate(environment).root(),
              platform::defaultDataDirectory(std::nullopt, "/home/clerk"));
    environment.xdgDataHome = "/data";
    EXPECT_EQ(DataDirectory::locate(environment).root(),
              platform::defaultDataDirectory("/data", "/home/clerk"));
    environment.dataDirVariable = "/srv/motel";
    EXPECT_EQ(DataDirectory::locate(environment).root(), Path("/srv/motel"));
    environment.dataDirOption = "/tmp/motel";
    EXPECT_EQ(DataDirectory::locate(environment).root(), Path("/tmp/motel"));
}

TEST(DataDirectory, NamesEveryFileAsTheWorkstationsDo) {
    const DataDirectory directory(Path("/m"));
    EXPECT_EQ(directory.room(), Path("/m/room"));
    EXPECT_EQ(directory.shiftClerk(), Path("/m/shiftclerk"));
    EXPECT_EQ(directory.chargeFile(17), Path("/m/dailycharge/ 17"));
    EXPECT_NE(directory.chargeFile(7), directory.chargeFile(70));
    EXPECT_EQ(directory.chargeFile(40000), Path("/m/dailycharge/ 40000"));
    EXPECT_EQ(directory.messageFile(17), Path("/m/message/ 17"));
    EXPECT_EQ(directory.totalsFile({2026, 12, 31}), Path("/m/totals/122026"));
    EXPECT_EQ(directory.totalsFile({2027, 1, 1}), Path("/m/totals/12027"));
}

TEST(DataDirectory, CreatesItsTreeWhenMissing) {
    testing::TempDir temp;
    DiskFileSystem files;
    const DataDirectory directory(temp.path() / "a" / "Motel");
    directory.ensureExists(files);
    directory.ensureExists(files); // twice is harmless
    for (const Path& folder :
         {directory.root(), directory.dailyCharge(), directory.totals(), directory.message()}) {
        EXPECT_TRUE(std::filesystem::is_directory(folder)) << folder;
    }
}

} // namespace
} // namespace roomwright
