#include "cli/cli_fixture.h"

#include "frontdesk/check_in.h"
#include "store/settings.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace roomwright {
namespace {

class PrintFolioCommand : public testing::CliFixture {
  protected:
    PrintFolioCommand() {
        setTaxRate(store, 0.12f);
        RoomRecord room;
        room.RoomNumber = "101";
        room.RoomType = "NQ1";
        room.Rate = 65;
        room.CleanFlag = "Y";
        room.VacantFlag = "Y";
        room.OrderFlag = "K";
        store.rooms().append(room);
        WalkIn w;
        w.guest.lastName = "Smith";
        w.guest.firstName = "Ann";
        w.room = "101";
        w.payCode = "V = Visa";
        w.rate = "65";
        w.days = "1";
        w.stayTotal = "72.8";
        registerWalkIn(store, w, CivilDate{2026, 12, 7}, "3:42:10 PM");
    }

    int run(const std::vector<std::string>& words) { return runTool(words); }
};

TEST_F(PrintFolioCommand, PrintsTheInHouseFolioAsPlainText) {
    ASSERT_EQ(run({"print", "folio", "1"}), 0) << err.str();
    const std::string page = out.str();
    EXPECT_NE(page.find("Temporary Motel Inc."), std::string::npos);
    EXPECT_NE(page.find("Folio:   1\n"), std::string::npos);
    EXPECT_NE(page.find("Room Rent                 65        7.8       72.8\n"), std::string::npos);
    EXPECT_NE(page.find("Balance..... 0\n"), std::string::npos);
    EXPECT_EQ(err.str(), "");
}

TEST_F(PrintFolioCommand, TheMotelsOwnLinesAreSetDumpedAndPrinted) {
    ASSERT_EQ(run({"set", "motel", "--name", "Blue Heron Inn", "--phone", "Phone: 555-0100"}), 0)
        << err.str();
    ASSERT_EQ(run({"set", "motel", "--street", "9 \"Lake\" Road"}), 0) << err.str();
    EXPECT_EQ(out.str(), "Name,Value\nname,Blue Heron Inn\nstreet,\"9 \"\"Lake\"\" Road\"\ntown,\n"
                         "phone,Phone: 555-0100\nerase-cards-after,30\n");
    ASSERT_EQ(run({"print", "folio", "1"}), 0) << err.str();
    EXPECT_EQ(out.str().substr(0, 75), std::string(60, ' ') + "Blue Heron Inn\n");
    EXPECT_NE(out.str().find("\n" + std::string(57, ' ') + "Fernbrook, KY  40000\n"),
              std::string::npos);

    ASSERT_EQ(run({"set", "motel", "--name", ""}), 0);
    ASSERT_EQ(run({"dump", "motel"}), 0);
    EXPECT_NE(out.str().find("\nname,\n"), std::string::npos);
    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{"set", "motel", "--fax", "1"},
          {"set", "motel", "--name"},
          {"set", "rooms"},
          {"dump", "motel", "extra"}}) {
        EXPECT_EQ(run(wrong), 2) << wrong.back();
        EXPECT_NE(err.str().find("usage"), std::string::npos);
    }
}

TEST_F(PrintFolioCommand, PrintsTheHistoryVariantOfADepartedGuest) {
    GuestRecord guest = store.guests().read(1);
    guest.CheckOutMark = "*";
    guest.DepartureTime = "11:00:00 AM";
    store.guests().write(1, guest);
    ASSERT_EQ(run({"print", "folio", "1", "--history"}), 0) << err.str();
    EXPECT_NE(out.str().find("Depart time:  11:00:00 AM"), std::string::npos);
    EXPECT_NE(out.str().find("Folio:  1\n"), std::string::npos);
}

TEST_F(PrintFolioCommand, AnUnknownFolioOrABadCommandLineIsAnError) {
    EXPECT_EQ(run({"print", "folio", "2"}), 1);
    EXPECT_EQ(out.str(), "");
    EXPECT_NE(err.str().find("folio number 2"), std::string::npos);
    EXPECT_EQ(run({"print", "folio", "one"}), 2);
    EXPECT_EQ(run({"print", "folio", "1", "--color"}), 2);
    EXPECT_EQ(run({"print", "receipt", "1"}), 2);
    EXPECT_EQ(out.str(), "");
}

TEST_F(PrintFolioCommand, AMalformedChargeLineIsReportedAndTheRestPrinted) {
    testing::writeFile(directory.chargeFile(1),
                       testing::readFile(directory.chargeFile(1)) + "garbage\r\n");
    EXPECT_EQ(run({"print", "folio", "1"}), 1);
    EXPECT_NE(out.str().find("Balance..... 0\n"), std::string::npos);
    EXPECT_NE(err.str().find("line 3"), std::string::npos);
}

TEST_F(PrintFolioCommand, WritesAPdfWithoutADisplay) {
    const Path pdf = temp.path() / "folio.pdf";
    ASSERT_EQ(run({"print", "folio", "1", "--pdf", pdf.string()}), 0) << err.str();
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(testing::readFile(pdf).substr(0, 5), "%PDF-");
}

} // namespace
} // namespace roomwright
