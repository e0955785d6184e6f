#include "cli/cli_fixture.h"

#include "cli/csv.h"
#include "store/charges.h"
#include "store/format/numbers.h"
#include "store/settings.h"
#include "support/faulty_file_system.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

namespace roomwright {
namespace {

using testing::TempDir;
using testing::writeFile;

class CliTest : public testing::CliFixture {
  protected:
    // Runs the tool on the test's data directory; returns the exit code.
    int run(const std::vector<std::string>& arguments) { return runTool(arguments); }
};

TEST_F(CliTest, InitCreatesTheTree) {
    TempDir other;
    std::ostringstream o;
    std::ostringstream e;
    const Path root = other.path() / "new" / "Motel";
    EXPECT_EQ(runCli({"--data-dir", root.string(), "init"}, o, e), 0);
    EXPECT_TRUE(std::filesystem::is_directory(root / "dailycharge"));
    EXPECT_TRUE(std::filesystem::is_directory(root / "totals"));
    EXPECT_TRUE(std::filesystem::is_directory(root / "message"));
}

// An operation cut short: reading commands refuse, init and the night audit undo it first.
TEST_F(CliTest, OnlyWritingCommandsUndoAnOperationCutShortAndReadersWaitForThem) {
    setTaxRate(store, 0.05f);
    for (const char* writer : {"init", "night-audit"}) {
        SCOPED_TRACE(writer);
        testing::FaultyFileSystem failing;
        failing.failStepsAfter(4, true); // the tax lands, its sync and every undo fail
        EXPECT_ANY_THROW(setTaxRate(Store(directory, failing), 0.25f));
        ASSERT_TRUE(std::filesystem::exists(directory.journal()));

        EXPECT_EQ(run({"dump", "settings"}), 1);
        EXPECT_NE(err.str().find(directory.journal().generic_string()), std::string::npos);
        EXPECT_EQ(out.str(), "");
        EXPECT_EQ(run({writer}), 0);
        EXPECT_NE((out.str() + err.str()).find(kOperationUndone), std::string::npos);
        EXPECT_EQ(taxRate(store), 0.05f);
        EXPECT_EQ(run({"dump", "settings"}), 0);
    }
}

TEST_F(CliTest, DumpRoomsShowsEveryFieldAsCsv) {
    RoomRecord room;
    room.RoomNumber = "101";
    room.RoomType = "NQ1";
    room.Rate = 45.5f;
    room.CleanFlag = "Y";
    room.VacantFlag = "N";
    room.OrderFlag = "K";
    room.Comment = "Window, \"stuck\"";
    store.rooms().append(room);
    store.rooms().append(RoomRecord{}); // all zero bytes: NULs removed like blanks
    EXPECT_EQ(run({"dump", "rooms"}), 0);
    EXPECT_EQ(out.str(), "Record,RoomNumber,RoomType,Rate,CleanFlag,VacantFlag,OrderFlag,Comment\n"
                         "1,101,NQ1,45.5,Y,N,K,\"Window, \"\"stuck\"\"\"\n"
                         "2,,,0,,,,\n");
}

// The dump writes each number as plainNumber does, whole numbers straight and the others from
// what it remembers of the rows before, and a number that is not finite as damage.
TEST_F(CliTest, DumpNumbersAreThePlainNumbersOfTheirSingles) {
    const float values[] = {0.0f,        -0.0f,          17.0f,       -17.0f,        59.95f,
                            16777216.0f, -16777216.0f,   16777218.0f, 123456789.5f,  1e-7f,
                            59.95f,      0.3333333f,     -2.5f,       std::nanf(""), 17.0f};
    std::string expected = "Rate\n";
    for (const float value : values) {
        RoomRecord room;
        room.Rate = value;
        store.rooms().append(room);
        expected += (std::isfinite(value) ? plainNumber(value) : std::string(kDamaged)) + "\n";
    }
    EXPECT_EQ(run({"dump", "rooms"}), 1); // the NaN is damage
    std::istringstream lines(out.str());
    std::string rates;
    for (std::string line; std::getline(lines, line);) {
        // Record,RoomNumber,RoomType,Rate,...: the fourth cell.
        std::size_t at = 0;
        for (int comma = 0; comma < 3; ++comma) {
            at = line.find(',', at) + 1;
        }
        rates += line.substr(at, line.find(',', at) - at) + "\n";
    }
    EXPECT_EQ(rates, expected);
}

// A text holding a comma, a quote or a line end is quoted, in the record dumps (written
// straight from the slots) and in every other CSV row alike; any other text is not.
TEST_F(CliTest, ATextWithACommaAQuoteOrALineEndIsQuoted) {
    const struct {
        const char* text;
        const char* field;
    } cases[] = {
        {"Window, stuck", "\"Window, stuck\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"a\rb", "\"a\rb\""},
        {"a\nb", "\"a\nb\""},
        {"plain; text", "plain; text"},
    };
    for (const auto& c : cases) {
        RoomRecord room;
        room.Comment = c.text;
        writeFile(directory.room(), std::string(reinterpret_cast<const char*>(encode(room).data()),
                                                RoomRecord::slotLength));
        EXPECT_EQ(run({"dump", "rooms"}), 0);
        EXPECT_TRUE(out.str().ends_with(std::string(",") + c.field + "\n")) << out.str();
        std::ostringstream row;
        writeCsvRow(row, {"x", c.text});
        EXPECT_EQ(row.str(), std::string("x,") + c.field + "\n");
    }
}

TEST(DumpText, RemovesTrailingBlanksAndNulsOnly) {
    using namespace std::string_literals;
    const struct {
        std::string stored;
        std::string shown;
    } cases[] = {
        {std::string(40, '\0'), ""},
        {"Smith"s + std::string(25, ' '), "Smith"},
        {"a\0 b"s + std::string(9, ' ') + std::string(9, '\0') + " ", "a\0 b"s},
        {"  lead\xA0"s + std::string(16, ' '), "  lead\xA0"}, // 0xA0 is no blank
        {"x@@@@@@@@@@@@@@@@", "x@@@@@@@@@@@@@@@@"},
        // The last byte kept at each place of the eight bytes read at a time.
        {"Ann"s + std::string(13, ' '), "Ann"},
        {"abcdefghij"s + std::string(5, ' ') + '\0', "abcdefghij"},
        {"Guest12 "s + std::string(24, '\0'), "Guest12"},
        {std::string(15, 'z') + " ", std::string(15, 'z')},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dumpText(c.stored), c.shown);
    }
}

// A dump of megabytes goes out in blocks; no row is cut, lost or doubled between them.
TEST_F(CliTest, DumpRowsStayWholeAcrossTheBlocksTheyAreWrittenIn) {
    std::string file;
    for (int i = 1; i <= 8000; ++i) {
        GuestRecord guest;
        guest.LastName = "Guest" + std::to_string(i);
        guest.Comment = std::string(40, 'c');
        guest.Address = std::string(40, 'a');
        guest.FolioNumber = static_cast<float>(i);
        const Bytes slot = encode(guest);
        file.append(reinterpret_cast<const char*>(slot.data()), slot.size());
    }
    writeFile(directory.guest(), file);
    EXPECT_EQ(run({"dump", "guests"}), 0);
    ASSERT_GT(out.str().size(), 1u << 20);
    std::istringstream lines(out.str());
    std::string line;
    std::getline(lines, line);
    const auto columns = std::count(line.begin(), line.end(), ',');
    int n = 0;
    while (std::getline(lines, line)) {
        ++n;
        ASSERT_EQ(line.rfind(std::to_string(n) + ",Guest" + std::to_string(n) + ",", 0), 0u)
            << line;
        ASSERT_EQ(std::count(line.begin(), line.end(), ','), columns) << line;
    }
    EXPECT_EQ(n, 8000);
}

TEST_F(CliTest, DumpGuestsHasEveryNamedFieldInLayoutOrder) {
    GuestRecord guest;
    guest.LastName = "Müller";
    guest.ArrivalDate = CivilDate{2026, 12, 7}.stored();
    guest.FolioNumber = 17;
    store.guests().append(guest);
    EXPECT_EQ(run({"dump", "guests"}), 0);
    std::istringstream lines(out.str());
    std::string header;
    std::string row;
    std::getline(lines, header);
    std::getline(lines, row);
    EXPECT_EQ(header,
              "Record,LastName,FirstName,Address,City,State,Zip,DriversLicense,Comment,Company,"
              "CardNumber,CardExpireMonth,CardExpireYear,Adults,Children,Phone,Clerk,Shift,"
              "RoomNumber,Days,PayCode,ArrivalTime,ArrivalDate,DepartureTime,DepartureDate,Rate,"
              "FolioNumber,Email,Cell,CardType,CheckOutMark");
    EXPECT_EQ(row, "1,Müller,,,,,,,,,,,,,,,,,,0,,,2026-12-07,,1899-12-30,0,17,,,,");
}

TEST_F(CliTest, DumpSettingsTotalsChargesAndMessages) {
    setTaxRate(store, 0.09f);
    ShiftClerkRecord onDuty;
    onDuty.Shift = "A";
    onDuty.ClerkInitials = "JS";
    setShiftAndClerk(store, onDuty);
    issueFolioNumber(store);
    EXPECT_EQ(run({"dump", "settings"}), 0);
    EXPECT_EQ(out.str(),
              "Name,Value\nTaxRate,0.09\nPetFee,0\nFolioCounter,1\nConfirmationCounter,0\n"
              "Greeting,0\nShift,A\nClerkInitials,JS\n");

    postItem(store, 1, "101  ", Category::RoomRent, 59.95, {2026, 12, 7});
    EXPECT_EQ(run({"dump", "totals", "12", "2026"}), 0);
    EXPECT_NE(out.str().find("Slot,Field,Amount\n0,RoomRent,59.95\n1,Reserved1,0\n"),
              std::string::npos);
    EXPECT_NE(out.str().find("\n17,Reserved4,0\n"), std::string::npos);

    EXPECT_EQ(run({"dump", "charges", "1"}), 0);
    EXPECT_EQ(out.str(), "RoomNumber,Shift,Clerk,PostDate,Code,Description,Amount,Tax,FolioNumber\n"
                         "101,A,JS,2026-12-07,E,Room Rent,59.95,,1\n");

    MessageRecord message;
    message.FolioNumber = 1;
    message.MessageText = "Line one\nline two";
    store.messages(1).append(message);
    EXPECT_EQ(run({"dump", "messages", "1"}), 0);
    EXPECT_EQ(out.str(),
              "Record,FolioNumber,RoomNumber,From,To,MessageDate,MessageText,DeletedFlag\n"
              "1,1,,,,1899-12-30,\"Line one\nline two\",0\n");
}

TEST_F(CliTest, AMalformedChargeLineIsReportedAndTheRestStillShown) {
    writeFile(directory.chargeFile(5),
              "garbage\r\n\"101  "
              "\",\"A\",\"JS\",#2026-12-07#,\"C\",\"Cash\",5,,5,,\"-----\",\"-----\",,,,,,\r\n");
    EXPECT_EQ(run({"dump", "charges", "5"}), 1);
    EXPECT_NE(out.str().find("101,A,JS,2026-12-07,C,Cash,5,,5"), std::string::npos);
    EXPECT_NE(err.str().find("line 1:"), std::string::npos);
}

TEST_F(CliTest, MistakesGoToStandardErrorWithANonZeroExit) {
    EXPECT_NE(run({}), 0);
    EXPECT_NE(run({"frobnicate"}), 0);
    EXPECT_NE(run({"dump", "totals", "13", "2026"}), 0);
    EXPECT_NE(err.str().find("MONTH"), std::string::npos);
    EXPECT_NE(run({"dump", "charges", "x"}), 0);
    EXPECT_NE(run({"--today", "2026-02-30", "init"}), 0);
    EXPECT_NE(run({"--time", "25:00:00", "init"}), 0);
    EXPECT_NE(run({"dump", "rooms", "extra"}), 0);
    EXPECT_TRUE(out.str().empty());
    EXPECT_EQ(run({"--help"}), 0);
    for (const char* command :
         {"dump charges FOLIO", "cancel-reservation CONFIRMATION [--record N] [--reason TEXT]",
          "list arrivals|departures|in-house|no-shows"}) {
        EXPECT_NE(out.str().find(command), std::string::npos) << command;
    }
}

TEST_F(CliTest, VersionNamesTheToolAndTheProjectVersion) {
    EXPECT_EQ(run({"--version"}), 0);
    EXPECT_EQ(out.str(), std::string("roomwright-cli ") + ROOMWRIGHT_VERSION + "\n");
    EXPECT_TRUE(err.str().empty());
}

TEST_F(CliTest, NumbersAreCheckedBeforeTheyAreConverted) {
    const std::vector<std::string> refused[] = {
        {"dump", "charges", "1e23"},     {"dump", "charges", "-1e23"},
        {"dump", "messages", "17.5"},    {"print", "folio", "nan"},
        {"dump", "totals", "12", "202"}, {"print", "financial", "--month", "1", "--year", "99999"},
    };
    for (const auto& words : refused) {
        EXPECT_EQ(run(words), 2) << words[2];
        EXPECT_TRUE(out.str().empty());
    }
    EXPECT_EQ(run({"dump", "totals", "1", "2202"}), 0);
}

TEST(CliDataDirectory, AReadCommandOnAMissingDirectoryFailsNamingItAndCreatesNothing) {
    TempDir temp;
    const Path root = temp.path() / "nowhere" / "Motel";
    for (const std::vector<std::string>& words :
         {std::vector<std::string>{"dump", "guests"}, {"verify"}, {"print", "guest-list"}}) {
        std::ostringstream o;
        std::ostringstream e;
        std::vector<std::string> arguments{"--data-dir", root.string()};
        arguments.insert(arguments.end(), words.begin(), words.end());
        EXPECT_EQ(runCli(arguments, o, e), 1);
        EXPECT_NE(e.str().find("There is no data directory at " + root.generic_string()),
                  std::string::npos);
        EXPECT_NE(e.str().find("init"), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(temp.path() / "nowhere"));
    }
}

TEST_F(CliTest, OutputThatCannotBeWrittenIsAFailure) {
    // A stream on a full disk: every write fails.
    struct Full : std::streambuf {
        int_type overflow(int_type) override { return traits_type::eof(); }
    } full;
    std::ostream output(&full);
    std::ostringstream errors;
    EXPECT_EQ(runCli({"--data-dir", directory.root().string(), "dump", "settings"}, output, errors),
              1);
    EXPECT_NE(errors.str().find("could not write the standard output"), std::string::npos);
}

} // namespace
} // namespace roomwright
