#include "frontdesk/folio.h"

#include "store/format/numbers.h"
#include "store/settings.h"
#include "support/folio_page.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace roomwright {
namespace {

ChargeLine line(std::string code, std::string description, double amount,
                std::optional<double> tax = std::nullopt) {
    return ChargeLine{
        "101  ", "A", "JS", CivilDate{2026, 12, 7}, std::move(code), std::move(description),
        amount,  tax, 17};
}

GuestRecord guest() {
    GuestRecord g;
    g.LastName = "Smith";
    g.FirstName = "Ann";
    g.Address = "12 Elm Street";
    g.City = "Louisville";
    g.State = "Kentucky";
    g.Zip = "40202";
    g.Phone = "502-555-0101";
    g.Cell = "502-555-0199";
    g.Email = "ann@example.com";
    g.RoomNumber = "101";
    g.ArrivalDate = CivilDate{2026, 12, 7}.stored();
    g.ArrivalTime = "3:42:10 PM";
    g.DepartureDate = CivilDate{2026, 12, 10}.stored();
    g.DepartureTime = "10:05:00 AM";
    g.FolioNumber = 17;
    return g;
}

std::vector<std::string> pageLines(const Document& document) {
    std::vector<std::string> lines;
    std::istringstream text(plainText(document));
    for (std::string row; std::getline(text, row);) {
        lines.push_back(row);
    }
    return lines;
}

// The line of the page that starts with `start`, "" when none does.
std::string lineStarting(const Document& document, const std::string& start) {
    for (const std::string& row : pageLines(document)) {
        if (row.rfind(start, 0) == 0) {
            return row;
        }
    }
    return "";
}

TEST(BalanceRule, PaymentsSubtractChargesAddAndRoomRentAddsItsTax) {
    const std::vector<ChargeLine> lines = {
        line("E", "Room Rent", 50),
        line("P", "Pet Fee", 10),
        line("R", "Roll Away", 5),
        line("F", "Fax", 1),
        line("S", "Stamp", 0.5),
        line("W", "WiFi", 2),
        line("X", "Extra", 3),
        line("V", "Visa", 20),
        line("M", "Master Card", 1),
        line("D", "Discover", 1),
        line("A", "American Express", 1),
        line("C", "Cash", 1),
    };
    const FolioStatement statement = folioStatement(lines, 0.09f);
    const std::vector<double> balances = {54.5, 64.5, 69.5, 70.5, 71, 73, 76, 56, 55, 54, 53, 52};
    ASSERT_EQ(statement.entries.size(), balances.size());
    for (std::size_t i = 0; i < balances.size(); ++i) {
        EXPECT_DOUBLE_EQ(statement.entries[i].balance, balances[i]) << "line " << i;
    }
    EXPECT_DOUBLE_EQ(statement.entries[0].tax, 4.5);
    EXPECT_DOUBLE_EQ(statement.balance, 52);
}

TEST(BalanceRule, OtherIsAPaymentLikeEveryPayCode) {
    const FolioStatement statement =
        folioStatement({line("E", "Room Rent", 50), line("O", "Other", 50)}, 0.0f);
    EXPECT_EQ(effectOf(line("O", "Other", 50)), Effect::Payment);
    EXPECT_DOUBLE_EQ(statement.balance, 0);
}

TEST(BalanceRule, CheckIsAPaymentAndCopiesACharge) {
    EXPECT_EQ(effectOf(line("K", "Check", 10)), Effect::Payment);
    EXPECT_EQ(effectOf(line("K", " Copies ", 10)), Effect::Charge);
    EXPECT_EQ(effectOf(line("K", "Something", 10)), Effect::None);
    const FolioStatement statement = folioStatement(
        {line("K", "Copies", 2), line("K", "Check", 30), line("K", "Something", 99)}, 0.1f);
    EXPECT_DOUBLE_EQ(statement.entries[0].balance, 2);
    EXPECT_DOUBLE_EQ(statement.entries[1].balance, -28);
    EXPECT_DOUBLE_EQ(statement.balance, -28);
}

TEST(BalanceRule, UnknownCodesAndTheStoredTaxLeaveTheBalance) {
    const FolioStatement statement =
        folioStatement({line("Z", "Mystery", 40), line("P", "Pet Fee", 10, 0.75)}, 0.1f);
    EXPECT_DOUBLE_EQ(statement.entries[0].balance, 0);
    EXPECT_DOUBLE_EQ(statement.entries[0].tax, 0); // an empty tax field counts as 0
    EXPECT_DOUBLE_EQ(statement.entries[1].tax, 0.75);
    EXPECT_DOUBLE_EQ(statement.balance, 10);
}

TEST(BalanceRule, RoomRentTaxComesFromTheCurrentRateNeverFromTheFile) {
    const FolioStatement statement = folioStatement({line("E", "Room Rent", 65, 6.5)}, 0.12f);
    EXPECT_DOUBLE_EQ(statement.entries[0].tax, 7.8);
    EXPECT_DOUBLE_EQ(statement.balance, 72.8);
}

TEST(BalanceRule, DecimalAmountsThatCancelLeaveNoDust) {
    const FolioStatement statement = folioStatement(
        {line("S", "Stamp", 0.1), line("S", "Stamp", 0.2), line("C", "Cash", 0.3)}, 0.0f);
    EXPECT_EQ(statement.balance, 0.0);
    EXPECT_EQ(numberText(statement.balance), " 0");
}

TEST(PrintedFolio, OneNightOfRoomRentPrintsTheWholePage) {
    const Document page = folioDocument(
        guest(), folioStatement({line("E", "Room Rent", 65)}, 0.12f), FolioVariant::InHouse);
    const std::string expected =
        testing::expectedSmithFolio("3:42:10 PM", "17",
                                    "101      12/7/2026      A         E    Room Rent              "
                                    "   65        7.8       72.8\n",
                                    " 72.8");
    EXPECT_EQ(plainText(page), expected);
    EXPECT_EQ(page.fontSize(), 12);
    EXPECT_EQ(page.title(), "Folio 17");
}

TEST(PrintedFolio, APaymentAboveTheChargesPrintsTheMinusRightAfterTheDots) {
    const Document page = folioDocument(
        guest(), folioStatement({line("E", "Room Rent", 50), line("V", "Visa", 100)}, 0.09f),
        FolioVariant::InHouse);
    EXPECT_EQ(lineStarting(page, std::string(72, ' ') + "Balance"),
              std::string(72, ' ') + "Balance.....-45.5");
    EXPECT_EQ(pageLines(page)[18], "101      12/7/2026      A         V    Visa                    "
                                   "  100       0        -45.5");
}

TEST(PrintedFolio, ANameLineLongerThanSixtyFourCharactersPushesTheArrivalDateDown) {
    // A stored name is at most 30 + 2 + 20 characters; the page itself takes any length.
    GuestRecord wide = guest();
    wide.LastName = std::string(62, 'L');
    const std::vector<std::string> rows =
        pageLines(folioDocument(wide, FolioStatement{}, FolioVariant::InHouse));
    const auto name =
        std::find(rows.begin(), rows.end(), std::string(62, 'L') + ", " + std::string("Ann"));
    ASSERT_NE(name, rows.end());
    ASSERT_NE(name + 1, rows.end());
    EXPECT_EQ(*(name + 1), std::string(64, ' ') + "Arrival Date:  12/7/2026");
}

TEST(PrintedFolio, TheHistoryVariantShowsTheDepartureAndFolioWithOneBlank) {
    const Document history = folioDocument(guest(), FolioStatement{}, FolioVariant::History);
    EXPECT_EQ(lineStarting(history, "Smith, Ann"),
              "Smith, Ann" + std::string(54, ' ') + "Arrival Date: 12/7/2026");
    EXPECT_EQ(lineStarting(history, "Louisville"),
              "Louisville, Kentucky  40202" + std::string(37, ' ') + "Depart Date:  12/10/2026");
    EXPECT_EQ(lineStarting(history, "Phone:"),
              "Phone:  502-555-0101" + std::string(44, ' ') + "Depart time:  10:05:00 AM");
    EXPECT_EQ(lineStarting(history, "Cell:"),
              "Cell: 502-555-0199" + std::string(46, ' ') + "Folio:  17");
    EXPECT_EQ(lineStarting(history, "Email:"), "Email:  ann@example.com");
    EXPECT_EQ(pageLines(history)[14], std::string(141, '-'));

    const Document inHouse = folioDocument(guest(), FolioStatement{}, FolioVariant::InHouse);
    EXPECT_EQ(lineStarting(inHouse, "Cell:"), "Cell: 502-555-0199");
    EXPECT_NE(lineStarting(inHouse, "Louisville").find("Folio:   17"), std::string::npos);
    EXPECT_EQ(pageLines(inHouse)[14], std::string(140, '-'));
}

TEST(PrintedFolio, FieldsNeverAssignedPrintAsBlanks) {
    GuestRecord g = guest();
    g.DepartureTime = Text<20>();
    g.Cell = Text<15>();
    const Document page = folioDocument(g, FolioStatement{}, FolioVariant::History);
    EXPECT_EQ(plainText(page).find('\0'), std::string::npos);
    EXPECT_EQ(lineStarting(page, "Phone:"),
              "Phone:  502-555-0101" + std::string(44, ' ') + "Depart time:");
}

TEST(PrintedFolio, TheMotelsOwnLinesAreCentredAsTheStandardOnesAndCutToThePage) {
    const auto letterhead = [](const MotelDetails& motel) {
        const std::vector<std::string> rows =
            pageLines(folioDocument(guest(), FolioStatement{}, FolioVariant::InHouse, motel));
        return std::vector<std::string>{rows[0], rows[2], rows[4], rows[6]};
    };
    const std::vector<std::string> standard = letterhead({});
    // The standard texts set as the motel's own print the very same page.
    const MotelDetails same{"Temporary Motel Inc.",
                            "123456 N. Meadows Road",
                            "Fernbrook, KY  40000",
                            "Phone: 270-123-4567           Fax: 270-234-5678",
                            {}};
    EXPECT_EQ(plainText(folioDocument(guest(), FolioStatement{}, FolioVariant::InHouse, same)),
              plainText(folioDocument(guest(), FolioStatement{}, FolioVariant::InHouse)));

    const std::string wide = std::string(100, 'W') + std::string(50, 'X');
    const struct {
        MotelDetails motel;
        std::size_t row;
        std::string printed;
    } cases[] = {
        {{"Blue Heron Inn", "", "", "", {}}, 0, std::string(60, ' ') + "Blue Heron Inn"},
        {{"Caf\xc3\xa9 Motel", "", "", "", {}}, 0, std::string(62, ' ') + "Caf\xc3\xa9 Motel"},
        {{"", "9 Lake Road, Suite 1200", "", "", {}},
         1,
         std::string(55, ' ') + "9 Lake Road, Suite 1200"},
        {{"", "", "Tahoe, CA 96150", "", {}}, 2, std::string(60, ' ') + "Tahoe, CA 96150"},
        {{"", "", "", "Phone: 555-0100", {}}, 3, std::string(54, ' ') + "Phone: 555-0100"},
        {{std::string(100, 'N'), "", "", "", {}}, 0, std::string(17, ' ') + std::string(100, 'N')},
        // Too wide to centre: from the first column; wider than the rule: cut to it.
        {{std::string(136, 'N'), "", "", "", {}}, 0, std::string(136, 'N')},
        {{wide, "", "", "", {}}, 0, wide.substr(0, 140)},
    };
    for (const auto& c : cases) {
        std::vector<std::string> expected = standard;
        expected[c.row] = c.printed;
        EXPECT_EQ(letterhead(c.motel), expected) << c.printed;
    }
}

class StoredFolio : public ::testing::Test {
  protected:
    StoredFolio() : directory(temp.path() / "Motel"), store(directory, files) {
        directory.ensureExists(files);
    }
    testing::TempDir temp;
    DataDirectory directory;
    DiskFileSystem files;
    Store store;
};

TEST_F(StoredFolio, AMissingChargeFilePrintsTheHeaderAndABalanceOfZero) {
    const PrintedFolio folio = printedFolio(store, guest(), FolioVariant::InHouse);
    EXPECT_TRUE(folio.problems.empty());
    const std::vector<std::string> rows = pageLines(folio.document);
    ASSERT_GE(rows.size(), 19u);
    EXPECT_EQ(rows[15].substr(0, 5), "Room#");
    EXPECT_EQ(rows[16], std::string(140, '-'));
    EXPECT_EQ(rows[17], std::string(140, '-'));
    EXPECT_EQ(rows[18], std::string(72, ' ') + "Balance..... 0");
}

TEST_F(StoredFolio, AmountsPrintAsWrittenAndAMalformedLineIsSkippedAndReported) {
    setTaxRate(store, 0.1f);
    testing::writeFile(
        directory.chargeFile(17),
        "\"101  \",\"A\",\"JS\",#2026-12-07#,\"E\",\"Room "
        "Rent\",59.95,,17,,\"-----\",\"-----\",,,,,,\r\n"
        "\"101  \",\"A\",\"JS\",#2026-12-07#,\"C\",\"Cash\",oops,,17,,\"-----\",\"-----\",,,,,,\r\n"
        "\"101  \",\"A\",\"JS\",#2026-12-07#,\"C\",\"Cash\",20,,17,,\"-----\",\"-----\",,,,,,\r\n");
    const PrintedFolio folio = printedFolio(store, guest(), FolioVariant::InHouse);
    ASSERT_EQ(folio.problems.size(), 1u);
    EXPECT_NE(folio.problems[0].find("line 2"), std::string::npos);
    EXPECT_EQ(
        lineStarting(folio.document, "101      12/7/2026      A         E"),
        "101      12/7/2026      A         E    Room Rent                 59.95     6         "
        "65.95");
    EXPECT_EQ(lineStarting(folio.document, std::string(72, ' ') + "Balance"),
              std::string(72, ' ') + "Balance..... 45.95");
}

} // namespace
} // namespace roomwright
