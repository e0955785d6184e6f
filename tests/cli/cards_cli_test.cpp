// Guests' cards on the command line: masked in the dumps unless asked for whole, the motel's
// setting of how long they are kept, and erasing them at once.

#include "cli/cli_fixture.h"

#include "store/motel_details.h"
#include "support/records.h"

#include <gtest/gtest.h>

namespace roomwright {
namespace {

const std::vector<std::string> kToday = {"--today", "2026-12-07"};

class CardsCommand : public testing::CliFixture {
  protected:
    CardsCommand() {
        using testing::withCard;
        store.guests().append(withCard(testing::makeStay("101", "Gone", "Al", {2026, 10, 1}, true),
                                       "4111111111111111"));
        store.guests().append(
            withCard(testing::makeStay("102", "Here", "Bo", {2026, 12, 9}), "5500 0000 0000 0004"));
        ReservationRecord booked =
            withCard(testing::makeBooking("101", "Booked", 1, {2026, 9, 1}, 2), "on \"file\"");
        booked.CheckInMark = "*";
        store.reservations().append(booked);
    }
    // Whether the dump the words ask for holds `cells`, one after the other.
    bool dumpHas(const std::vector<std::string>& words, const std::string& cells) {
        EXPECT_EQ(runTool(words), 0) << err.str();
        return out.str().find("," + cells + ",") != std::string::npos;
    }
};

// A card number in a dump is its mask, or with --show-cards a formula giving the whole
// number as text, so that a spreadsheet keeps every digit.
TEST_F(CardsCommand, DumpsMaskCardNumbersUnlessAskedForThemWhole) {
    EXPECT_TRUE(dumpHas({"dump", "guests"}, "•••• •••• •••• 1111,March,2029"));
    EXPECT_TRUE(dumpHas({"dump", "guests"}, "•••• •••• •••• 0004,March,2029"));
    EXPECT_EQ(out.str().find("4111"), std::string::npos);
    EXPECT_TRUE(dumpHas({"dump", "guests", "--show-cards"}, "\"=\"\"4111111111111111\"\"\",March"));
    EXPECT_TRUE(
        dumpHas({"dump", "guests", "--show-cards"}, "\"=\"\"5500 0000 0000 0004\"\"\",March"));
    // No digits, no card number to hide; the text is still a formula's, quotes and all.
    EXPECT_TRUE(dumpHas({"dump", "reservations"}, "\"=\"\"on \"\"\"\"file\"\"\"\"\"\"\""));
    EXPECT_EQ(runTool({"dump", "guests", "--cards"}), 2);
    EXPECT_NE(err.str().find("dump guests [--show-cards]"), std::string::npos);
}

TEST_F(CardsCommand, TheMotelSaysHowLongCardsAreKeptAndEraseCardsErasesThemNow) {
    ASSERT_EQ(runTool({"dump", "motel"}), 0);
    EXPECT_NE(out.str().find("\nerase-cards-after,30\n"), std::string::npos);
    for (const char* wrong : {"-1", "thirty", "36501", ""}) {
        EXPECT_EQ(runTool({"set", "motel", "--erase-cards-after", wrong}), 2) << wrong;
        EXPECT_NE(err.str().find("--erase-cards-after takes a whole number of days"),
                  std::string::npos);
    }

    ASSERT_EQ(runTool({"set", "motel", "--erase-cards-after", "never"}), 0) << err.str();
    EXPECT_NE(out.str().find("\nerase-cards-after,never\n"), std::string::npos);
    const std::string guests = testing::readFile(directory.guest());
    EXPECT_EQ(runTool({"erase-cards"}, kToday), 1);
    EXPECT_NE(err.str().find("nothing was erased"), std::string::npos);
    EXPECT_EQ(testing::readFile(directory.guest()), guests);

    // The stay that left on 1 October and the booking checked in on 1 September.
    ASSERT_EQ(runTool({"set", "motel", "--erase-cards-after", "90"}), 0);
    EXPECT_EQ(runTool({"erase-cards"}, kToday), 0) << err.str();
    EXPECT_EQ(out.str(), "Cards erased: 1 record changed (0 stays, 1 reservation).\n");
    EXPECT_EQ(runTool({"erase-cards", "--before", "2026-12-07"}), 0) << err.str();
    EXPECT_EQ(out.str(), "Cards erased: 1 record changed (1 stay, 0 reservations).\n");
    EXPECT_EQ(runTool({"erase-cards", "--before", "2026-12-07"}), 0) << err.str();
    EXPECT_EQ(out.str(), "Cards erased: 0 records changed (0 stays, 0 reservations).\n");
    EXPECT_TRUE(dumpHas({"dump", "guests", "--show-cards"}, "\"=\"\"1111\"\"\",,"));

    EXPECT_EQ(runTool({"erase-cards", "--before", "12/7/2026"}), 2);
    EXPECT_EQ(runTool({"erase-cards", "now"}), 2);
}

} // namespace
} // namespace roomwright
