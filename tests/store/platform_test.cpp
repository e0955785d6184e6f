#include "store/disk/platform.h"

#include "store/disk/data_directory.h"
#include "store/format/store_error.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace roomwright {
namespace {

using std::filesystem::perms;
using testing::readFile;
using testing::TempDir;

TEST(FileLock, OneHolderAtATimeWhoSaysWhoItIs) {
    TempDir temp;
    const Path file = temp.path() / "roomwright.lock";
    platform::FileLock first = platform::FileLock::tryTake(file);
    ASSERT_TRUE(first.held());
    first.describe("process 42 on desk\n");
    // Another taker, in this process as in any other, is refused while the first holds it,
    // and can still read who holds it.
    EXPECT_FALSE(platform::FileLock::tryTake(file).held());
    EXPECT_EQ(readFile(file), "process 42 on desk\n");
    first.describe("7");
    EXPECT_EQ(readFile(file), "7");

    platform::FileLock moved = std::move(first);
    EXPECT_FALSE(first.held());
    EXPECT_FALSE(platform::FileLock::tryTake(file).held());
    moved = platform::FileLock();
    EXPECT_TRUE(platform::FileLock::tryTake(file).held());
}

TEST(FileLock, AFolderThatCannotHoldTheFileIsAnErrorNamingIt) {
    TempDir temp;
    const Path file = temp.path() / "missing" / "roomwright.lock";
    try {
        platform::FileLock::tryTake(file);
        FAIL() << "no error";
    } catch (const StoreError& error) {
        EXPECT_NE(std::string(error.what()).find(file.generic_string()), std::string::npos);
    }
}

#ifndef _WIN32
TEST(Platform, TheDefaultDataDirectoryFollowsXdg) {
    EXPECT_EQ(platform::defaultDataDirectory(std::nullopt, "/home/clerk"),
              Path("/home/clerk/.local/share/roomwright/Motel"));
    EXPECT_EQ(platform::defaultDataDirectory("/data", "/home/clerk"),
              Path("/data/roomwright/Motel"));
}

// Everything the store creates is its owner's only: folders 0700, files 0600.
TEST(Platform, WhatTheStoreCreatesIsForItsOwnerOnly) {
    TempDir temp;
    DiskFileSystem files;
    const DataDirectory directory(temp.path() / "new" / "Motel");
    directory.ensureExists(files);
    files.write(directory.guest(), 0, std::as_bytes(std::span("x", 1)));
    files.replaceWhole(directory.inHouseIndex(), directory.inHouseIndexTemporary(),
                       std::as_bytes(std::span("y", 1)));
    const Path lock = directory.root() / "a.lock";
    const platform::FileLock held = platform::FileLock::tryTake(lock);

    const auto owner = perms::owner_read | perms::owner_write;
    for (const Path& folder : {temp.path() / "new", directory.root(), directory.dailyCharge(),
                               directory.totals(), directory.message()}) {
        EXPECT_EQ(std::filesystem::status(folder).permissions(), perms::owner_all) << folder;
    }
    for (const Path& file : {directory.guest(), directory.inHouseIndex(), lock}) {
        EXPECT_EQ(std::filesystem::status(file).permissions(), owner) << file;
    }
    // A PDF another library wrote is narrowed to its owner afterwards.
    testing::writeFile(temp.path() / "printout.pdf", "%PDF");
    std::filesystem::permissions(temp.path() / "printout.pdf", perms::all);
    platform::makeOwnerOnly(temp.path() / "printout.pdf");
    EXPECT_EQ(std::filesystem::status(temp.path() / "printout.pdf").permissions(), owner);
}
#endif

} // namespace
} // namespace roomwright
