#include "setup/room_maintenance.h"

#include "ops/ops_fixture.h"

namespace roomwright::testing {
namespace {

using RoomMaintenance = StoreTest;

// The window's own test covers the three messages with a room picked; these are the rates
// that only look like numbers, and the check order.
TEST_F(RoomMaintenance, PropertiesRefuseARateThatIsNotWhollyANumber) {
    addRoom(room("101", "NQ1", 45.0f));
    const std::string before = roomFile();
    const std::string notANumber = "The room rate must be a number, for example 45 or 45.50.";
    const std::vector<std::pair<PropertiesEntry, Refusal<PropertiesField>>> cases = {
        {{true, "101 ", "NQ1", "45x"}, {PropertiesField::Rate, notANumber}},
        {{true, "101 ", "NQ1", " "}, {PropertiesField::Rate, notANumber}},
        {{true, "101 ", "NQ1", "1e39"}, {PropertiesField::Rate, notANumber}},
        {{false, "101 ", "Select Room Type", ""},
         {PropertiesField::Room, "You did not select a room."}},
        {{true, "101 ", "Select Room Type", "x"},
         {PropertiesField::Type, "You did not select a room type."}},
    };
    for (const auto& [entry, refusal] : cases) {
        SCOPED_TRACE("rate \"" + entry.rate + "\"");
        EXPECT_EQ(saveRoomProperties(store, entry).refusal, refusal);
        EXPECT_EQ(roomFile(), before);
    }
}

TEST_F(RoomMaintenance, SavesForARoomNotInTheFileWriteNothingAndSayNothing) {
    addRoom(room("101", "NQ1", 45.0f));
    const std::string before = roomFile();
    const PropertiesOutcome outcome = saveRoomProperties(store, {true, "102 ", "NQ1", "50"});
    EXPECT_FALSE(outcome.refusal);
    EXPECT_EQ(outcome.saved, PropertiesSaved::NoRoom);
    EXPECT_FALSE(saveRoomStatus(store, {"102", true, true, true, "x"}));
    EXPECT_EQ(roomFile(), before);
}

TEST_F(RoomMaintenance, StatusWithNoRoomPickedLeavesARoomWithABlankNumberAlone) {
    addRoom(room("   ", "NQ1", 45.0f));
    const std::string before = roomFile();
    EXPECT_FALSE(saveRoomStatus(store, {"", false, false, false, "x"}));
    EXPECT_EQ(roomFile(), before);
}

TEST_F(RoomMaintenance, StatusSetsOnlyThePairsChosenAndCutsTheCommentToItsField) {
    addRoom(room("101", "NQ1", 45.0f, "N", "Y", "X"));
    EXPECT_TRUE(saveRoomStatus(store, {"101", true, false, true, ""}));
    EXPECT_EQ(roomSlot(1).substr(18, 3), "YNK");
    EXPECT_TRUE(saveRoomStatus(
        store, {"101", std::nullopt, std::nullopt, false, std::string(79, 'c') + "de"}));
    EXPECT_EQ(roomSlot(1).substr(18, 3), "YNX");
    EXPECT_EQ(roomSlot(1).substr(21, 80), std::string(79, 'c') + "d");
    EXPECT_EQ(roomSlot(1).substr(101), std::string(RoomRecord::slotLength - 101, '\0'));
}

} // namespace
} // namespace roomwright::testing
