#include "store/lookups.h"

#include "store/format/store_error.h"

#include <gtest/gtest.h>

#include <cmath>

namespace roomwright {
namespace {

RoomRecord room(const std::string& number, const std::string& type) {
    RoomRecord record;
    record.RoomNumber = number;
    record.RoomType = type;
    return record;
}

TEST(FolioNumberOf, TakesOnlyAWholeFolioNumberAndNamesTheGuestFileForAnythingElse) {
    DiskFileSystem files;
    const Store store(DataDirectory("/motel"), files);
    GuestRecord guest;
    for (const float folio : {17.5f, 0.0f, -3.0f, 16777218.0f, std::nanf(""), 1e30f}) {
        guest.FolioNumber = folio;
        EXPECT_FALSE(isFolioNumber(folio)) << folio;
        try {
            folioNumberOf(store, guest);
            ADD_FAILURE() << folio;
        } catch (const DamageError& damage) {
            EXPECT_EQ(damage.file(), Path("/motel/guest"));
        }
    }
    guest.FolioNumber = 16777216.0f;
    EXPECT_EQ(folioNumberOf(store, guest), 16777216);
}

TEST(RoomEntry, NumberAndTypeAsStored) {
    EXPECT_EQ(roomEntry(room("101", "NQ1")), "101   NQ1       ");
    EXPECT_EQ(roomEntry(room("101 ", "NQ1       ")), "101   NQ1       ");
    EXPECT_EQ(roomEntry(room("10155", "A Very Long Type")), "1015  A Very Lon");
    EXPECT_EQ(roomEntry(room("1é1", "NQ1")), "1é1   NQ1       ");
}

TEST(RoomListEntry, NumberAsStoredAndTypeRightTrimmed) {
    EXPECT_EQ(roomListEntry(room("101", "NQ1")), "101   NQ1");
    EXPECT_EQ(roomListEntry(room("12", "SNQ1")), "12    SNQ1");
    EXPECT_EQ(roomListEntry(room("101", "")), "101   ");
    EXPECT_EQ(roomListEntry(room("1é1", "NQ1")), "1é1   NQ1");
}

TEST(RoomChoiceEntry, NumberRightTrimmedAndTypeAsStored) {
    EXPECT_EQ(roomChoiceEntry(room("101", "NQ1")), "101  NQ1       ");
    EXPECT_EQ(roomChoiceEntry(room("12", "SNQ1")), "12  SNQ1      ");
}

TEST(RoomMoveEntry, NumberAndTypeAsStoredWithOneBlank) {
    EXPECT_EQ(roomMoveEntry(room("101", "NQ1")), "101  NQ1       ");
    EXPECT_EQ(roomMoveEntry(room("1é1", "SNQ1")), "1é1  SNQ1      ");
}

} // namespace
} // namespace roomwright
