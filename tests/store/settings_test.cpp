#include "store/settings.h"

#include "store/format/store_error.h"
#include "store/motel_details.h"
#include "support/faulty_file_system.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>

namespace roomwright {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

class SettingsTest : public ::testing::Test {
  protected:
    TempDir temp;
    DiskFileSystem files;
    Store store{DataDirectory(temp.path()), files};

    void setFolioSlot(std::int16_t integer, std::int32_t wide) {
        std::string slot(10, '\0');
        std::memcpy(slot.data(), &integer, 2);
        std::memcpy(slot.data() + 2, &wide, 4);
        writeFile(store.directory().folio(), slot);
    }
};

TEST_F(SettingsTest, ANewDirectoryReadsZeroAndIssuesOneFirst) {
    EXPECT_EQ(taxRate(store), 0.0f);
    EXPECT_EQ(petFee(store), 0.0f);
    EXPECT_EQ(lastFolioNumber(store), 0);
    EXPECT_EQ(reminderSwitch(store), 0.0f);
    EXPECT_TRUE(reminderWanted(store));
    EXPECT_EQ(shiftAndClerk(store).Shift.str(), std::string(1, '\0'));
    EXPECT_EQ(issueFolioNumber(store), 1);
    EXPECT_EQ(issueFolioNumber(store), 2);
    EXPECT_EQ(issueConfirmationNumber(store), 1.0f);
    EXPECT_EQ(issueConfirmationNumber(store), 2.0f);
    EXPECT_EQ(readFile(store.directory().folio()), std::string("\x02\0\0\0\0\0\0\0\0\0", 10));
}

TEST_F(SettingsTest, SettingsAreStoredAsSinglesInTenByteSlots) {
    setTaxRate(store, 0.09f);
    setPetFee(store, 10.0f);
    EXPECT_EQ(taxRate(store), 0.09f);
    EXPECT_EQ(petFee(store), 10.0f);
    const std::string tax = readFile(store.directory().tax());
    ASSERT_EQ(tax.size(), 10u);
    float stored;
    std::memcpy(&stored, tax.data(), 4);
    EXPECT_EQ(stored, 0.09f);
    EXPECT_EQ(tax.substr(4), std::string(6, '\0'));
}

TEST_F(SettingsTest, OnlyExactlyOneSilencesTheReminder) {
    for (const float value : {0.0f, 0.5f, 2.0f, -1.0f}) {
        setReminderSwitch(store, value);
        EXPECT_TRUE(reminderWanted(store)) << value;
    }
    setReminderSwitch(store, 1.0f);
    EXPECT_FALSE(reminderWanted(store));
}

TEST_F(SettingsTest, ShiftAndClerkRoundTrip) {
    ShiftClerkRecord onDuty;
    onDuty.Shift = "B";
    onDuty.ClerkInitials = "JSX";
    setShiftAndClerk(store, onDuty);
    EXPECT_EQ(readFile(store.directory().shiftClerk()), "JSB");
    EXPECT_EQ(shiftAndClerk(store).ClerkInitials.str(), "JS");
}

TEST_F(SettingsTest, TheFolioCounterGoesOnPast32767InTheWideField) {
    setFolioSlot(32766, 0);
    EXPECT_EQ(issueFolioNumber(store), 32767);
    EXPECT_EQ(readFile(store.directory().folio()), std::string("\xFF\x7F\xFF\x7F\0\0\0\0\0\0", 10));
    EXPECT_EQ(issueFolioNumber(store), 32768);
    EXPECT_EQ(readFile(store.directory().folio()), std::string("\xFF\x7F\x00\x80\0\0\0\0\0\0", 10));
    EXPECT_EQ(lastFolioNumber(store), 32768);
}

TEST_F(SettingsTest, TheFolioCounterRefusesOnlyPastWhatASingleHoldsExactly) {
    setFolioSlot(32767, kLastFolioNumber - 1);
    EXPECT_EQ(issueFolioNumber(store), kLastFolioNumber);
    EXPECT_THROW(issueFolioNumber(store), DataError);
    EXPECT_EQ(lastFolioNumber(store), kLastFolioNumber);

    setFolioSlot(-5, 0); // a counter nobody can have written
    EXPECT_THROW(issueFolioNumber(store), DataError);
}

TEST_F(SettingsTest, TheConfirmationCounterRefusesToGoPastWhatASingleCounts) {
    const struct {
        float stored;
        bool issues;
    } cases[] = {{16777215.0f, true}, {16777216.0f, false}, {-1.0f, false}, {2.5f, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        std::string slot(10, '\0');
        std::memcpy(slot.data(), &c.stored, 4);
        writeFile(store.directory().confirmation(), slot);
        if (c.issues) {
            EXPECT_EQ(issueConfirmationNumber(store), c.stored + 1);
        } else {
            EXPECT_THROW(issueConfirmationNumber(store), DataError);
            EXPECT_EQ(readFile(store.directory().confirmation()), slot);
        }
    }
}

TEST_F(SettingsTest, AConfirmationCounterKeepsEverythingElseInItsSlot) {
    writeFile(store.directory().confirmation(), std::string("\0\0\x80\x3F"
                                                            "abcdef",
                                                            10)); // 1.0f
    EXPECT_EQ(issueConfirmationNumber(store), 2.0f);
    EXPECT_EQ(readFile(store.directory().confirmation()).substr(4), "abcdef");
}

TEST_F(SettingsTest, MotelDetailsRoundTripAndSurviveBadFilesAndFailedWrites) {
    EXPECT_EQ(motelDetails(store), MotelDetails{}); // no file: nothing set
    const MotelDetails set{
        "Blue Heron Inn", "  9 Lake Road\t", "Tahoe, CA", "Phone: 555\n0100", {}};
    setMotelDetails(store, set);
    EXPECT_EQ(motelDetails(store),
              (MotelDetails{"Blue Heron Inn", "9 Lake Road", "Tahoe, CA", "Phone: 555 0100", {}}));

    // Lines edited by hand with CR LF, unknown keys, lines without "=" and stray bytes.
    const char edited[] = "junk\r\nname=Caf\xc3\xa9\r\ncolour=red\r\nstreet=\x01\xff\x00x\r\n";
    writeFile(store.directory().motelDetails(), std::string(edited, sizeof edited - 1));
    const MotelDetails read = motelDetails(store);
    EXPECT_EQ(read.name, "Caf\xc3\xa9");
    EXPECT_EQ(read.street, "\xff x");
    EXPECT_EQ(read.town, "");

    // A disk that fails while the journal or the new file is written keeps the old file.
    testing::FaultyFileSystem faulty;
    const Store failing(store.directory(), faulty);
    for (const int goodSteps : {0, 3}) {
        faulty.failStepsAfter(goodSteps, false);
        EXPECT_THROW(setMotelDetails(failing, set), StoreError);
        EXPECT_EQ(motelDetails(store).name, "Caf\xc3\xa9");
    }
}

// How long cards are kept: days or never, as the file, the tool and the window write it; a
// file that says nothing readable keeps the default rather than the cards.
TEST_F(SettingsTest, TheCardSettingRoundTripsAndReadsItsDefaultWhenUnreadable) {
    EXPECT_EQ(motelDetails(store).cards.afterDays, kEraseCardsAfterDays);
    for (const CardErasing erasing : {CardErasing{0}, CardErasing{365}, CardErasing{{}}}) {
        MotelDetails motel;
        motel.cards = erasing;
        setMotelDetails(store, motel);
        EXPECT_EQ(motelDetails(store), motel) << erasingText(erasing);
    }
    const struct {
        const char* line;
        std::optional<long> read;
    } lines[] = {
        {"erase-cards-after=0\r\n", 0},
        {"erase-cards-after= 7 \n", 7},
        {"erase-cards-after=Never\n", std::nullopt},
        {"erase-cards-after=-1\n", 30},
        {"erase-cards-after=2.5\n", 30},
        {"erase-cards-after=\n", 30},
        {"erase-cards-after=99999\n", 30},
        {"erase-cards-after=nevermore\n", 30},
    };
    for (const auto& l : lines) {
        writeFile(store.directory().motelDetails(), l.line);
        EXPECT_EQ(motelDetails(store).cards.afterDays, l.read) << l.line;
    }
    const CivilDate today{2026, 12, 7};
    EXPECT_EQ(firstDayKept(CardErasing{30}, today), (CivilDate{2026, 11, 7}));
    EXPECT_EQ(firstDayKept(CardErasing{0}, today), today);
    EXPECT_EQ(firstDayKept(CardErasing{{}}, today), std::nullopt);
}

} // namespace
} // namespace roomwright
