#include "setup/room_inventory.h"

#include "ops/ops_fixture.h"

namespace roomwright::testing {
namespace {

using RoomInventory = StoreTest;

TEST_F(RoomInventory, ALineKeepsTheNumberAsStoredAndTrimsTheType) {
    EXPECT_EQ(inventoryLine(room("12", "NDD1", 49.5f)), "12    NDD1    49.5");
    EXPECT_EQ(inventoryLine(room("1011", "SNQ1", -3.0f)), "1011  SNQ1   -3");
    EXPECT_EQ(inventoryLine(room("101", "TYPE WITH BLANKS", 0.0f)), "101   TYPE WITH    0");
}

TEST_F(RoomInventory, AppendsAfterTheLastRecordLeavingTheOthersByteForByte) {
    addRoom(room("101", "NQ1", 45.0f));
    const std::string before = roomFile();
    const EnteredRoom entered = enterRoom(store, {"202 ", "A Very Long Type", " 1e2 "});
    EXPECT_FALSE(entered.refusal);
    EXPECT_EQ(entered.recordNumber, 2u);
    EXPECT_EQ(roomFile().substr(0, before.size()), before);
    const RoomRecord stored = store.rooms().read(2);
    EXPECT_EQ(stored.RoomNumber.str(), "202 ");
    EXPECT_EQ(stored.RoomType.str(), "A Very Lon");
    EXPECT_FLOAT_EQ(stored.Rate, 100.0f);
}

// The window's own test covers one case of each message; these are the borderline ones.
TEST_F(RoomInventory, RefusesBorderlineEntriesAndWritesNothing) {
    addRoom(room("101", "NQ1", 45.0f));
    const std::string before = roomFile();
    const std::string length =
        "A room number must be exactly three characters long, for example 101.";
    const std::string notANumber = "The room rate must be a number, for example 45 or 45.50.";
    const std::vector<std::pair<NewRoom, Refusal<NewRoomField>>> cases = {
        {{"   ", "NQ1", "45"}, {NewRoomField::Number, "You did not enter a room number."}},
        {{"10 1x", "NQ1", "45"}, {NewRoomField::Number, length}},
        {{"101 ", "SQ1", "60"},
         {NewRoomField::Number,
          "Room 101 has already been entered. Its type and rate are changed in Edit Room "
          "Properties."}},
        {{"102", " Select Room Type ", "45"},
         {NewRoomField::Type, "You did not select a room type."}},
        {{"102", "NQ1", "  "}, {NewRoomField::Rate, "You did not enter a room rate."}},
        {{"102", "NQ1", "4 5"}, {NewRoomField::Rate, notANumber}},
        {{"102", "NQ1", "1e39"}, {NewRoomField::Rate, notANumber}},
        // The first failing field is the one told.
        {{"", "Select Room Type", ""}, {NewRoomField::Number, "You did not enter a room number."}},
        {{"103", "Select Room Type", ""}, {NewRoomField::Type, "You did not select a room type."}},
    };
    for (const auto& [typed, refusal] : cases) {
        SCOPED_TRACE("\"" + typed.number + "\" \"" + typed.type + "\" \"" + typed.rate + "\"");
        const EnteredRoom entered = enterRoom(store, typed);
        EXPECT_EQ(entered.refusal, refusal);
        EXPECT_EQ(entered.recordNumber, 0u);
        EXPECT_EQ(roomFile(), before);
    }
}

TEST_F(RoomInventory, ThreeCharactersAreCountedAsCharactersNotBytes) {
    EXPECT_FALSE(enterRoom(store, {"1é1", "NQ1", "45"}).refusal);
    EXPECT_EQ(store.rooms().read(1).RoomNumber.str(), "1é1 ");
    EXPECT_EQ(inventoryLines(store), std::vector<std::string>{"1é1   NQ1    45"});
    EXPECT_EQ(enterRoom(store, {"1é1", "SQ1", "45"}).refusal->field, NewRoomField::Number);
}

} // namespace
} // namespace roomwright::testing
