#include "store/charges.h"

#include "store/format/store_error.h"
#include "store/settings.h"
#include "support/faulty_file_system.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string_view>
#include <utility>

namespace roomwright {
namespace {

using testing::FaultyFileSystem;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

const char* const kExample =
    "\"101  \",\"A\",\"JS\",#2026-12-07#,\"E\",\"Room Rent\",59.95,,17,,\"-----\",\"-----\",,,,,,";

TEST(ChargeLine, IsWrittenExactlyAsTheWorkstationsWriteIt) {
    ChargeLine line;
    line.RoomNumber = "101  ";
    line.Shift = "A";
    line.Clerk = "JS";
    line.PostDate = {2026, 12, 7};
    line.Code = "E";
    line.Description = "Room Rent";
    line.Amount = 59.95;
    line.FolioNumber = 17;
    EXPECT_EQ(formatChargeLine(line), kExample);

    line.Amount = 72.8 * 3; // a double sum is written as the Single it is stored as
    line.Description = "Say \"hi\"";
    EXPECT_EQ(formatChargeLine(line).substr(34, 25), "\"Say 'hi'\",218.4,,17,,\"--");
}

TEST(ChargeLine, ReadsBackTheDecimalTextItWasWrittenAs) {
    const ParsedCharges parsed = parseChargeFile(std::string(kExample) + "\r\n", "f");
    ASSERT_EQ(parsed.lines.size(), 1u);
    ASSERT_TRUE(parsed.problems.empty());
    const ChargeLine& line = parsed.lines[0];
    EXPECT_EQ(line.RoomNumber, "101  ");
    EXPECT_EQ(line.Shift, "A");
    EXPECT_EQ(line.Clerk, "JS");
    EXPECT_EQ(line.PostDate, (CivilDate{2026, 12, 7}));
    EXPECT_EQ(line.Code, "E");
    EXPECT_EQ(line.Description, "Room Rent");
    EXPECT_EQ(line.Amount, 59.95);
    EXPECT_FALSE(line.Tax);
    EXPECT_EQ(line.FolioNumber, 17);
}

TEST(ChargeLine, AMalformedLineIsSkippedAndReportedWithFileAndLineNumber) {
    const std::string text =
        std::string(kExample) + "\r\n" +
        "\"101  "
        "\",\"A\",\"JS\",#2026-12-07#,\"C\",\"Cash\",lots,,17,,\"-----\",\"-----\",,,,,,\r\n" +
        "\r\n" + "\"101  \",\"A\n" + kExample + "\n";
    const ParsedCharges parsed = parseChargeFile(text, "/m/dailycharge/ 17");
    EXPECT_EQ(parsed.lines.size(), 2u);
    ASSERT_EQ(parsed.problems.size(), 2u);
    EXPECT_EQ(parsed.problems[0],
              "/m/dailycharge/ 17, line 2: the amount is not a number; the line was skipped.");
    EXPECT_NE(parsed.problems[1].find("line 4:"), std::string::npos);
}

// A field between quotes or number signs ends at its closing one: what follows it must be
// the comma before the next field.
TEST(ChargeLine, TextAfterAClosingQuoteOrNumberSignSpoilsTheLine) {
    const std::string example = kExample;
    for (const auto& [field, spoiled] :
         {std::pair{"\"101  \",", "\"101  \"x"}, std::pair{"\"Room Rent\",", "\"Room Rent\";"},
          std::pair{"#2026-12-07#,", "#2026-12-07#7"}}) {
        std::string text = example;
        text.replace(text.find(field), std::string_view(field).size(), spoiled);
        const ParsedCharges parsed = parseChargeFile(text + "\r\n", "f");
        EXPECT_TRUE(parsed.lines.empty()) << text;
        EXPECT_EQ(parsed.problems.size(), 1u) << text;
    }
}

TEST(ChargeLine, TheParserNeverFailsOnAnyBytes) {
    std::mt19937 random(20261207);
    const std::string alphabet = "\"#,-.0123456789E\r\n ab\xFF";
    for (int round = 0; round < 2000; ++round) {
        std::string text = kExample;
        for (int edit = 0; edit < 5; ++edit) {
            const std::size_t at = random() % (text.size() + 1);
            text.insert(at, 1, alphabet[random() % alphabet.size()]);
            text.erase(random() % text.size(), random() % 3);
        }
        const ParsedCharges parsed = parseChargeFile(text, "f");
        EXPECT_LE(parsed.lines.size() + parsed.problems.size(),
                  1 + std::count(text.begin(), text.end(), '\n'));
    }
}

class PostingTest : public ::testing::Test {
  protected:
    PostingTest() {
        store.directory().ensureExists(files);
        ShiftClerkRecord onDuty;
        onDuty.Shift = "A";
        onDuty.ClerkInitials = "JS";
        setShiftAndClerk(store, onDuty);
    }
    TempDir temp;
    FaultyFileSystem files;
    Store store{DataDirectory(temp.path()), files};
};

TEST_F(PostingTest, APostingAppendsItsLineAndAddsToTheMonthsTotals) {
    postItem(store, 17, "101  ", Category::RoomRent, 59.95, {2026, 12, 7});
    postItem(store, 17, "101  ", Category::Check, 20, {2026, 12, 7});
    postItem(store, 17, "101  ", Category::Copies, 1.5, {2026, 12, 8});
    EXPECT_EQ(
        readFile(store.directory().chargeFile(17)),
        std::string(kExample) + "\r\n" +
            "\"101  "
            "\",\"A\",\"JS\",#2026-12-07#,\"K\",\"Check\",20,,17,,\"-----\",\"-----\",,,,,,\r\n" +
            "\"101  "
            "\",\"A\",\"JS\",#2026-12-08#,\"K\",\"Copies\",1.5,,17,,\"-----\",\"-----\",,,,,,\r\n");
    const TotalsRecord totals = store.totals({2026, 12, 1}).read(1);
    EXPECT_EQ(totals[TotalsSlot::RoomRent], 59.95f);
    EXPECT_EQ(totals[TotalsSlot::Check], 20.0f);
    EXPECT_EQ(totals[TotalsSlot::Copies], 1.5f);
    EXPECT_EQ(readCharges(store, 17).lines.size(), 3u);
    EXPECT_TRUE(readCharges(store, 70).lines.empty()); // folio 70 is another file
}

TEST_F(PostingTest, EveryPayCodeHasItsSlot) {
    const std::pair<const char*, TotalsSlot> expected[] = {
        {"V", TotalsSlot::Visa},     {"M", TotalsSlot::MasterCard},
        {"D", TotalsSlot::Discover}, {"A", TotalsSlot::AmericanExpress},
        {"C", TotalsSlot::Cash},     {"K", TotalsSlot::Check},
        {"O", TotalsSlot::Other}};
    for (const auto& [code, slot] : expected) {
        const auto category = paymentCategory(code);
        ASSERT_TRUE(category) << code;
        EXPECT_EQ(categoryInfo(*category).slot, slot) << code;
        EXPECT_TRUE(categoryInfo(*category).payment);
    }
    EXPECT_FALSE(paymentCategory("E"));
    EXPECT_FALSE(paymentCategory("X"));
}

TEST_F(PostingTest, EachMonthHasItsOwnTotalsFileAndANewOneStartsAtZero) {
    postItem(store, 3, "101  ", Category::Cash, 100, {2026, 12, 31});
    postItem(store, 3, "101  ", Category::Cash, 40, {2027, 1, 1});
    EXPECT_TRUE(std::filesystem::exists(store.directory().totals() / "122026"));
    EXPECT_TRUE(std::filesystem::exists(store.directory().totals() / "12027"));
    const TotalsRecord january = store.totals({2027, 1, 1}).read(1);
    EXPECT_EQ(january[TotalsSlot::Cash], 40.0f);
    for (std::size_t slot = 0; slot < 18; ++slot) {
        if (slot != static_cast<std::size_t>(TotalsSlot::Cash)) {
            EXPECT_EQ(january.sums[slot], 0.0f);
        }
    }
    EXPECT_EQ(readCharges(store, 3).lines.size(), 2u); // one charge file across the months
}

TEST_F(PostingTest, WhenTheTotalsCannotBeWrittenTheLineIsTakenBack) {
    postItem(store, 17, "101  ", Category::RoomRent, 59.95, {2026, 12, 7});
    const std::string before = readFile(store.directory().chargeFile(17));
    files.failAfter(1); // the charge line lands, the totals do not
    EXPECT_THROW(postItem(store, 17, "101  ", Category::Cash, 50, {2026, 12, 7}), StoreError);
    files.heal();
    EXPECT_EQ(readFile(store.directory().chargeFile(17)), before);
    EXPECT_EQ(store.totals({2026, 12, 7}).read(1)[TotalsSlot::Cash], 0.0f);
}

TEST_F(PostingTest, APostingAfterALastLineWithoutItsLineEndStartsOnAFreshLine) {
    writeFile(store.directory().chargeFile(17), kExample);
    postItem(store, 17, "101  ", Category::Cash, 50, {2026, 12, 7});
    const ParsedCharges charges = readCharges(store, 17);
    EXPECT_TRUE(charges.problems.empty());
    ASSERT_EQ(charges.lines.size(), 2u);
    EXPECT_EQ(charges.lines[1].Amount, 50);
}

TEST_F(PostingTest, AnAmountBeyondWhatAMotelPostsIsRefusedAndNothingWritten) {
    postItem(store, 17, "101  ", Category::Cash, 50, {2026, 12, 7});
    const auto before = testing::snapshot(temp.path());
    for (const double amount : {1e39, 1e41, 10000000.0, -1e8, std::nan("")}) {
        EXPECT_THROW(postItem(store, 17, "101  ", Category::Cash, amount, {2026, 12, 7}), DataError)
            << amount;
    }
    EXPECT_EQ(testing::snapshot(temp.path()), before);
}

TEST_F(PostingTest, AChargeFileIsReadInBlocksWithLinesAcrossTheirEdges) {
    // Lines of every length around the block edge, and one line far too long to be a line.
    std::string text;
    std::size_t lines = 0;
    while (text.size() < (3u << 20)) {
        text += std::string(kExample).replace(1, 3, std::to_string(lines % 997)) + "\r\n";
        ++lines;
    }
    text += std::string(100000, 'x') + "\r\n" + kExample; // and no line end at the end
    writeFile(store.directory().chargeFile(17), text);
    const ParsedCharges charges = readCharges(store, 17);
    EXPECT_EQ(charges.lines.size(), lines + 1);
    ASSERT_EQ(charges.problems.size(), 1u);
    EXPECT_NE(charges.problems[0].find("line " + std::to_string(lines + 1) + ": it is longer"),
              std::string::npos);
    EXPECT_EQ(parseChargeFile(text, "f").lines.size(), lines + 1);
}

TEST_F(PostingTest, AHalfWrittenLineIsTakenBack) {
    files.failAfter(0, 20);
    EXPECT_THROW(postItem(store, 17, "101  ", Category::Cash, 50, {2026, 12, 7}), StoreError);
    files.heal();
    EXPECT_EQ(readFile(store.directory().chargeFile(17)), "");
    EXPECT_TRUE(readCharges(store, 17).problems.empty());
}

} // namespace
} // namespace roomwright
