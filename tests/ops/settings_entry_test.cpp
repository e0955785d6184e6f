#include "setup/settings_entry.h"

#include "ops/ops_fixture.h"
#include "store/settings.h"

namespace roomwright::testing {
namespace {

TEST(SettingValue, KeepsTheNumberTheTextBeginsWithAndRefusesTextWithNone) {
    EXPECT_EQ(settingValue(".09"), 0.09f);
    EXPECT_EQ(settingValue("  9%"), 9.0f);
    EXPECT_EQ(settingValue("-2"), -2.0f);
    EXPECT_EQ(settingValue("0"), 0.0f);
    EXPECT_FALSE(settingValue(""));
    EXPECT_FALSE(settingValue("   "));
    EXPECT_FALSE(settingValue("$10"));
    EXPECT_FALSE(settingValue("1e39")); // beyond a Single
}

TEST(ShownText, StopsAtTheFirstNulCharacter) {
    EXPECT_EQ(shownText(std::string(2, '\0')), "");
    EXPECT_EQ(shownText(std::string("A\0B", 3)), "A");
    EXPECT_EQ(shownText("x  "), "x  ");
}

using ShiftAndClerk = StoreTest;

TEST_F(ShiftAndClerk, KeepsTheShiftsFirstCharacterAndTwoCharactersOfInitials) {
    setShiftAndClerk(store, shiftClerkRecord("Night", "Jane"));
    EXPECT_EQ(readFile(directory.shiftClerk()), "JaN");
    setShiftAndClerk(store, shiftClerkRecord("", "J"));
    EXPECT_EQ(readFile(directory.shiftClerk()), "J  ");
}

} // namespace
} // namespace roomwright::testing
