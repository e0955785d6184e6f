// Damaged files: what a read, a dump and verify show, and that nothing writes over them.

#include "cli/cli_fixture.h"
#include "frontdesk/folio.h"
#include "store/charges.h"
#include "store/format/store_error.h"
#include "store/lookups.h"
#include "store/settings.h"
#include "support/records.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <bit>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <limits>
#include <sstream>
#include <utility>

namespace roomwright {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

constexpr CivilDate kToday{2026, 12, 7};

std::string littleEndian(auto value) {
    std::string bytes(sizeof value, '\0');
    std::memcpy(bytes.data(), &value, sizeof value);
    return bytes;
}
std::string cut(const std::string& bytes, std::size_t length) {
    return bytes.substr(0, length);
}
// `bytes` with the four bytes of totals slot `slot` replaced by `value`.
std::string withSum(std::string bytes, std::size_t slot, float value) {
    return bytes.replace(slot * 4, 4, littleEndian(value));
}
std::string withDate(std::string bytes, std::size_t offset, double value) {
    return bytes.replace(offset, 8, littleEndian(value));
}

// A motel with one stay (folio 1, room 101) whose room rent of 1064.8 is in December's
// totals and its charge file, a tax rate of .09 and a folio counter of 20.
class Damage : public testing::CliFixture {
  protected:
    Damage() {
        setShiftAndClerk(store, {"JS", "A", {}});
        setTaxRate(store, 0.09f);
        writeFile(directory.folio(), littleEndian(std::int16_t{20}) + std::string(8, '\0'));
        GuestRecord guest = testing::makeStay("101", "Adams", "Ann", kToday);
        guest.FolioNumber = 1;
        guest.Rate = 1064.8f;
        guest.ArrivalDate = CivilDate{2026, 12, 6}.stored();
        store.guests().append(guest);
        postItem(store, 1, "101  ", Category::RoomRent, 1064.8, kToday);
    }

    int run(const std::vector<std::string>& arguments) { return runTool(arguments); }
};

const auto postCash = [](const Store& store) {
    postItem(store, 1, "101  ", Category::Cash, 5, kToday);
};
const auto printFolio = [](const Store& store) {
    printedFolio(store, guestByFolio(store, 1)->second, FolioVariant::InHouse);
};
const auto issueFolio = [](const Store& store) { issueFolioNumber(store); };

TEST_F(Damage, EveryReadReportsDamageNamingTheFileAndNothingWritesOverIt) {
    const DataDirectory& d = directory;
    const Path december = d.totalsFile(kToday);
    const struct {
        const char* what;
        Path file;
        std::function<std::string(const std::string&)> damage;
        std::vector<std::string> dump;
        std::string shows; // a line of the dump
        bool damaged;      // a dump, verify and `use` report it naming the file
        std::function<void(const Store&)> use;
    } cases[] = {
        {"a tax file holding only its rate",
         d.tax(),
         [](auto b) { return cut(b, 4); },
         {"dump", "settings"},
         "TaxRate,0.09",
         false,
         printFolio},
        {"a tax rate cut short",
         d.tax(),
         [](auto b) { return cut(b, 3); },
         {"dump", "settings"},
         "TaxRate,#DAMAGED",
         true,
         printFolio},
        {"a tax rate that is NaN",
         d.tax(),
         [](auto) { return std::string(10, '\xFF'); },
         {"dump", "settings"},
         "TaxRate,#DAMAGED",
         true,
         printFolio},
        {"an infinite pet fee",
         d.pet(),
         [](auto) { return littleEndian(std::numeric_limits<float>::infinity()); },
         {"dump", "settings"},
         "PetFee,#DAMAGED",
         true,
         [](const Store& s) { petFee(s); }},
        {"totals holding all 18 sums without the slot's tail",
         december,
         [](auto b) { return cut(b, 100); },
         {"dump", "totals", "12", "2026"},
         "0,RoomRent,1064.8",
         false,
         postCash},
        {"totals cut inside Cash",
         december,
         [](auto b) { return cut(b, 46); },
         {"dump", "totals", "12", "2026"},
         "11,Cash,#DAMAGED",
         true,
         postCash},
        {"an infinite sum",
         december,
         [](auto b) { return withSum(b, 11, std::bit_cast<float>(0x7F800000u)); },
         {"dump", "totals", "12", "2026"},
         "11,Cash,#DAMAGED",
         true,
         postCash},
        {"a sum that is NaN",
         december,
         [](auto b) { return withSum(b, 11, std::numeric_limits<float>::quiet_NaN()); },
         {"dump", "totals", "12", "2026"},
         "11,Cash,#DAMAGED",
         true,
         postCash},
        {"a folio counter of two bytes",
         d.folio(),
         [](auto b) { return cut(b, 2); },
         {"dump", "settings"},
         "FolioCounter,20",
         false,
         issueFolio},
        {"a stray byte beside a counter below 32767",
         d.folio(),
         [](auto b) { return b.replace(3, 1, "\x07"); },
         {"dump", "settings"},
         "FolioCounter,20",
         false,
         issueFolio},
        {"a counter at 32767 without its wide count",
         d.folio(),
         [](auto) { return littleEndian(std::int16_t{32767}) + "\x01"; },
         {"dump", "settings"},
         "FolioCounter,#DAMAGED",
         true,
         issueFolio},
        {"a shift and clerk file cut short",
         d.shiftClerk(),
         [](auto b) { return cut(b, 2); },
         {"dump", "settings"},
         "Shift,#DAMAGED",
         true,
         postCash},
        {"a stay with a NaN folio number",
         d.guest(),
         [](auto b) { return b.replace(410, 4, std::string(4, '\xFF')); },
         {"dump", "guests"},
         "1,Adams,",
         true,
         [](const Store& s) { folioNumberOf(s, s.guests().read(1)); }},
        {"a stay with an impossible arrival date",
         d.guest(),
         [](auto b) { return withDate(b, 346, 1e300); },
         {"dump", "guests"},
         "#DAMAGED",
         true,
         [](const Store& s) {
             if (shortDate(CivilDate::fromStored(s.guests().read(1).ArrivalDate)) != "#DAMAGED") {
                 throw std::logic_error("an impossible date shown as a date");
             }
             throw DamageError(s.directory().guest(), "shown as damage");
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string sound = readFile(c.file);
        const std::string damaged = c.damage(sound);
        writeFile(c.file, damaged);
        const std::string chargesBefore = readFile(d.chargeFile(1));
        const std::string name = c.file.generic_string();

        EXPECT_EQ(run(c.dump), c.damaged ? 1 : 0);
        EXPECT_NE(out.str().find(c.shows), std::string::npos) << out.str();
        EXPECT_EQ(err.str().find(name) != std::string::npos, c.damaged) << err.str();
        EXPECT_EQ(run({"verify"}), c.damaged ? 1 : 0);
        EXPECT_EQ(out.str().find(name + ": ") != std::string::npos, c.damaged) << out.str();

        if (c.damaged) {
            try {
                c.use(store);
                ADD_FAILURE() << "damage read as data";
            } catch (const DamageError& damage) {
                EXPECT_NE(std::string(damage.what()).find(name), std::string::npos);
            }
            EXPECT_EQ(readFile(c.file), damaged);
            EXPECT_EQ(readFile(d.chargeFile(1)), chargesBefore);
        } else {
            EXPECT_NO_THROW(c.use(store));
        }
        writeFile(c.file, sound);
        writeFile(d.chargeFile(1), chargesBefore);
    }
}

TEST_F(Damage, ACashPostingOnTotalsWithoutTheirTailKeepsTheRoomRent) {
    writeFile(directory.totalsFile(kToday), cut(readFile(directory.totalsFile(kToday)), 100));
    postCash(store);
    const TotalsRecord totals = monthTotals(store, kToday);
    EXPECT_FLOAT_EQ(totals[TotalsSlot::RoomRent], 1064.8f);
    EXPECT_FLOAT_EQ(totals[TotalsSlot::Cash], 5.0f);
}

TEST_F(Damage, ACounterSetBackNeverHandsOutAFolioThatHasPostings) {
    writeFile(directory.folio(), littleEndian(std::int16_t{0}));
    EXPECT_THROW(issueFolioNumber(store), DataError);
    EXPECT_EQ(lastFolioNumber(store), 0);
}

TEST_F(Damage, OnlyRegularFilesAreRead) {
    for (const Path& file : {directory.guest(), directory.chargeFile(1), directory.tax()}) {
        SCOPED_TRACE(file.generic_string());
        const std::string sound = readFile(file);
        std::filesystem::remove(file);
#ifdef _WIN32
        std::filesystem::create_directory(file); // Windows has no /dev/zero to link to
#else
        std::filesystem::create_symlink("/dev/zero", file); // a reader would never end
#endif
        EXPECT_THROW(files.size(file), StoreError);
        EXPECT_THROW(files.openForReading(file), StoreError);
        EXPECT_THROW(files.write(file, 0, {}), StoreError);
        EXPECT_EQ(run({"verify"}), 1);
        EXPECT_NE(out.str().find(file.generic_string() + ": "), std::string::npos);
        std::filesystem::remove_all(file);
        writeFile(file, sound);
    }
}

TEST_F(Damage, VerifyComparesEachMonthsTotalsWithItsChargeLines) {
    EXPECT_EQ(run({"verify"}), 0) << out.str();
    EXPECT_NE(out.str().find("all is sound."), std::string::npos);
    // The issue's torn postings: a line without its totals, totals without their line.
    writeFile(directory.chargeFile(1),
              readFile(directory.chargeFile(1)) +
                  "\"101  \",\"A\",\"JS\",#2026-11-30#,\"C\",\"Cash\",40,,1,,\"-----\",\"-----\","
                  ",,,,,");
    postItem(store, 2, "102  ", Category::Visa, 10, kToday);
    writeFile(directory.chargeFile(2), "");
    EXPECT_EQ(run({"verify"}), 1);
    for (const std::string& told :
         {directory.totalsFile({2026, 11, 1}).generic_string() +
              ": Cash is 0, but the charge lines posted in 11/2026 add up to 40",
          directory.totalsFile(kToday).generic_string() +
              ": Visa is 10, but the charge lines posted in 12/2026 add up to 0",
          directory.chargeFile(1).generic_string() + ": its last line has no line end"}) {
        EXPECT_NE(out.str().find(told), std::string::npos) << out.str();
    }
}

// A month's totals may differ from its charge lines by the rounding of the Singles they
// are kept in, and not by a cent more.
TEST_F(Damage, VerifyAllowsOnlyTheRoundingOfSinglesBetweenTotalsAndLines) {
    const Path december = directory.totalsFile(kToday);
    const std::string sound = readFile(december);
    for (const auto& [off, finding] :
         {std::pair{0.0f, false}, std::pair{0.01f, true}, std::pair{-0.01f, true}}) {
        writeFile(december, withSum(sound, 0, 1064.8f + off));
        EXPECT_EQ(run({"verify"}), finding ? 1 : 0) << off << out.str();
    }
}

// Every charge line ends in CR LF: a file torn after its last line end, or cut inside it,
// is told of.
TEST_F(Damage, VerifyTellsOfALastLineWithoutItsCarriageReturnAndLineFeed) {
    const Path charges = directory.chargeFile(1);
    const std::string sound = readFile(charges);
    for (const auto& [tail, told] :
         {std::pair{"\n", "a line feed without the carriage return"},
          std::pair{"\r", "no line end"}, std::pair{"x", "no line end"}}) {
        writeFile(charges, sound + tail);
        EXPECT_EQ(run({"verify"}), 1);
        EXPECT_NE(out.str().find(charges.generic_string() + ": its last line"), std::string::npos)
            << out.str();
        EXPECT_NE(out.str().find(told), std::string::npos) << out.str();
    }
}

// An in-house index the program would take, which leaves out a stay in house: the guest file
// restored from a copy taken before the guest was checked out, with the very length and time
// the index saw (a restore that keeps them, or a forged index).
TEST_F(Damage, VerifyTellsOfAnInHouseIndexThatLeavesOutAStayInHouse) {
    GuestRecord departed = testing::makeStay("102", "Baker", "Bo", kToday, true);
    departed.FolioNumber = 2;
    store.guests().append(departed);
    const auto inHouse = [&] {
        EXPECT_EQ(run({"list", "in-house", "--csv"}), 0) << err.str();
        return out.str().find("Adams") != std::string::npos;
    };
    ASSERT_TRUE(inHouse());
    const std::string copy = readFile(directory.guest());
    // Checks Adams out; the writer then saves the index for the file as it is then.
    const auto checkOut = [&] {
        GuestRecord adams = store.guests().read(1);
        adams.CheckOutMark = "*";
        store.guests().write(1, adams);
        const Store writer(directory, files);
        writer.scanInHouseGuests([](std::size_t, const auto&) { return true; });
        writer.saveIndexes();
        EXPECT_FALSE(inHouse());
        return std::filesystem::last_write_time(directory.guest());
    };

    // The README's restore: the copy has a time of its own, and the index is not taken.
    const auto checkedOut = checkOut();
    writeFile(directory.guest(), copy);
    std::filesystem::last_write_time(directory.guest(), checkedOut - std::chrono::hours(1));
    EXPECT_TRUE(inHouse());
    EXPECT_EQ(run({"verify"}), 0) << out.str();

    const auto seen = checkOut();
    writeFile(directory.guest(), copy);
    std::filesystem::last_write_time(directory.guest(), seen);
    EXPECT_EQ(run({"verify"}), 1);
    EXPECT_NE(out.str().find(directory.inHouseIndex().generic_string() +
                             ": it leaves out the stays in house in records 1 "),
              std::string::npos)
        << out.str();
    std::filesystem::remove(directory.inHouseIndex());
    EXPECT_TRUE(inHouse());
    EXPECT_EQ(run({"verify"}), 0) << out.str();
}

TEST_F(Damage, VerifyTellsOfAPendingJournalAndWritesNothing) {
    writeFile(directory.journal(), "begun");
    const auto before = testing::snapshot(directory.root());
    EXPECT_EQ(run({"verify"}), 1);
    EXPECT_NE(out.str().find(directory.journal().generic_string() + ": "), std::string::npos);
    EXPECT_EQ(testing::snapshot(directory.root()), before);
}

} // namespace
} // namespace roomwright
