#include "reports/financial_report.h"
#include "reports/night_audit.h"

#include "ops/ops_fixture.h"
#include "ops/writing_operations.h"
#include "store/charges.h"
#include "store/format/store_error.h"
#include "store/settings.h"
#include "support/counting_file_system.h"
#include "support/faulty_file_system.h"

#include <filesystem>
#include <functional>

namespace roomwright {
namespace {

using testing::makeStayOver;
using testing::snapshot;

const CivilDate kToday{2026, 12, 7};
const CivilDate kYesterday = kToday.plusDays(-1);
const CivilDate kTomorrow = kToday.plusDays(1);

class NightAuditTest : public testing::StoreTest {
  protected:
    NightAuditTest() {
        setTaxRate(store, 0.09f);
        ShiftClerkRecord onDuty;
        onDuty.ClerkInitials = "JS";
        onDuty.Shift = "C";
        setShiftAndClerk(store, onDuty);
    }
    std::vector<ChargeLine> charges(long folio) const { return readCharges(store, folio).lines; }
    float roomRent(const CivilDate& month = kToday) const {
        return store.totals(month).read(1)[TotalsSlot::RoomRent];
    }
    std::string chargeLine(const std::string& room, long folio, const std::string& amount) const {
        return "\"" + room + "\",\"C\",\"JS\",#2026-12-07#,\"E\",\"Room Rent\"," + amount + ",," +
               std::to_string(folio) + ",,\"-----\",\"-----\",,,,,,\r\n";
    }
    // A motel with three stay-overs and one arrival of today.
    void fillHouse() {
        store.guests().append(makeStayOver("101", "Avery", 1, 45, kYesterday, kTomorrow));
        store.guests().append(makeStayOver("102", "Brook", 2, 59.95f, kToday, kTomorrow));
        store.guests().append(makeStayOver("103", "Cole", 3, 72.5f, kToday.plusDays(-5),
                                           kToday.plusDays(-1))); // overstaying
        store.guests().append(makeStayOver("104", "Dunn", 4, 80, kYesterday, kTomorrow));
    }
};

TEST_F(NightAuditTest, ChargesEachStayOverItsRateAndListsEveryoneInHouse) {
    fillHouse();
    GuestRecord departed = makeStayOver("105", "Eads", 5, 99, kYesterday, kTomorrow);
    departed.CheckOutMark = "*";
    store.guests().append(departed);

    const NightAudit audit = runNightAudit(store, kToday);

    ASSERT_EQ(audit.outcome, AuditOutcome::Posted);
    EXPECT_EQ(testing::readFile(directory.chargeFile(1)), chargeLine("101  ", 1, "45"));
    EXPECT_EQ(testing::readFile(directory.chargeFile(3)), chargeLine("103  ", 3, "72.5"));
    EXPECT_EQ(testing::readFile(directory.chargeFile(4)), chargeLine("104  ", 4, "80"));
    EXPECT_TRUE(charges(2).empty()); // arrived today: the first night came with check-in
    EXPECT_TRUE(charges(5).empty()); // departed
    EXPECT_FLOAT_EQ(roomRent(), 45 + 72.5f + 80);

    ASSERT_EQ(audit.documents.size(), 2u);
    const std::string rule(139, '-');
    EXPECT_EQ(plainText(audit.documents[1]),
              "\nGuest List for 12/7/2026\n" + rule +
                  "\nRoom    Last                   First            Rate          Arrival Date  "
                  "   Depart Date         Pay Code\n" +
                  rule +
                  "\n101     Avery            Ann          45         12/6/2026      12/8/2026"
                  "             C\n" +
                  rule +
                  "\n102     Brook            Ann          59.95      12/7/2026      12/8/2026"
                  "             C\n" +
                  rule +
                  "\n103     Cole             Ann          72.5       12/2/2026      12/6/2026"
                  "             C\n" +
                  rule +
                  "\n104     Dunn             Ann          80         12/6/2026      12/8/2026"
                  "             C\n" +
                  rule + "\n\f\n");
}

TEST_F(NightAuditTest, AGuestDueOutTodayBlocksTheWholeRunUntilMoved) {
    fillHouse();
    GuestRecord leaving = makeStayOver("106", "Fay", 6, 50, kYesterday, kToday);
    const std::size_t record = store.guests().append(leaving);
    const auto before = snapshot(directory.root());

    const NightAudit refused = runNightAudit(store, kToday);
    EXPECT_EQ(refused.outcome, AuditOutcome::Refused);
    EXPECT_TRUE(refused.documents.empty());
    EXPECT_EQ(snapshot(directory.root()), before);

    leaving.DepartureDate = kTomorrow.stored();
    store.guests().write(record, leaving);
    EXPECT_EQ(runNightAudit(store, kToday).outcome, AuditOutcome::Posted);
    for (const long folio : {1L, 3L, 4L, 6L}) {
        EXPECT_EQ(charges(folio).size(), 1u) << "folio " << folio;
    }
}

TEST_F(NightAuditTest, ASecondRunTheSameDayChargesNobodyAndPrintsTheSameReports) {
    store.guests().append(makeStayOver("101", "Avery", 1, 45, kYesterday, kToday.plusDays(5)));
    const NightAudit first = runNightAudit(store, kToday);
    const auto afterFirst = snapshot(directory.root());

    const NightAudit second = runNightAudit(store, kToday);
    EXPECT_EQ(second.outcome, AuditOutcome::AlreadyPosted);
    EXPECT_EQ(snapshot(directory.root()), afterFirst);
    ASSERT_EQ(second.documents.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(plainText(second.documents[i]), plainText(first.documents[i]));
    }

    // The next night is a night of its own.
    EXPECT_EQ(runNightAudit(store, kTomorrow).outcome, AuditOutcome::Posted);
    EXPECT_EQ(charges(1).size(), 2u);
    EXPECT_FLOAT_EQ(roomRent(), 90);
}

// The guard against charging a day twice rests on the motel's own files: deleting the audit's
// journal after a run charges nobody again.
TEST_F(NightAuditTest, ADayIsChargedOnceEvenWithoutTheAuditsJournal) {
    fillHouse();
    ASSERT_EQ(runNightAudit(store, kToday).outcome, AuditOutcome::Posted);
    files.remove(directory.auditJournal());
    auto afterFirst = snapshot(directory.root());
    EXPECT_EQ(runNightAudit(store, kToday).outcome, AuditOutcome::AlreadyPosted);
    EXPECT_EQ(snapshot(directory.root()), afterFirst);
    EXPECT_FLOAT_EQ(roomRent(), 45 + 72.5f + 80);
    // Another day is charged, and so is the same day of another month.
    files.remove(directory.auditJournal());
    EXPECT_EQ(runNightAudit(store, CivilDate{2026, 12, 20}).outcome, AuditOutcome::Posted);
    EXPECT_EQ(runNightAudit(store, CivilDate{2027, 1, 7}).outcome, AuditOutcome::Posted);
    EXPECT_EQ(charges(1).size(), 3u);
}

// Everything the run needs is read before it charges anyone: damage in any of it stops the
// run with the file named, and nobody is charged.
TEST_F(NightAuditTest, DamageInAnythingTheRunNeedsStopsItBeforeItChargesAnyone) {
    fillHouse();
    const struct {
        const char* name;
        Path file;
        std::function<void()> spoil;
    } cases[] = {
        {"a tax rate that is not a number", directory.tax(),
         [&] { testing::writeFile(directory.tax(), std::string("\xff\xff\xff\xff", 4)); }},
        {"the shift and clerk cut short", directory.shiftClerk(),
         [&] { testing::writeFile(directory.shiftClerk(), "J"); }},
        {"an audit journal of 3 GB", directory.auditJournal(),
         [&] {
             testing::writeFile(directory.auditJournal(), "2026-12-07 begin 1 0 0 0\n");
             std::filesystem::resize_file(directory.auditJournal(), std::uint64_t{3} << 30);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string sound = testing::readFile(c.file);
        c.spoil();
        testing::CountingFileSystem counting(c.file);
        try {
            runNightAudit(Store(directory, counting), kToday);
            ADD_FAILURE() << "no damage found";
        } catch (const DamageError& damage) {
            EXPECT_EQ(damage.file(), c.file);
        }
        EXPECT_LT(counting.bytesRead, 1u << 20);
        for (const long folio : {1, 3, 4}) {
            EXPECT_TRUE(charges(folio).empty());
        }
        EXPECT_EQ(roomRent(), 0);
        files.remove(c.file);
        testing::writeFile(c.file, sound);
    }
}

TEST_F(NightAuditTest, TheFirstOfTheMonthReportsTheNewMonth) {
    const CivilDate first{2027, 1, 1};
    store.guests().append(makeStayOver("101", "Avery", 1, 45, kToday, first.plusDays(3)));
    TotalsRecord january;
    january[TotalsSlot::Cash] = 30;
    store.totals(first).write(1, january);

    const NightAudit audit = runNightAudit(store, first);
    EXPECT_FLOAT_EQ(roomRent(first), 45);
    EXPECT_FLOAT_EQ(roomRent(CivilDate{2026, 12, 31}), 0);
    const std::string report = plainText(audit.documents[0]);
    EXPECT_NE(report.find("Financial Report for January  2027\n"), std::string::npos);
    EXPECT_NE(report.find("Rent           45"), std::string::npos);
    EXPECT_NE(report.find("Cash                      30"), std::string::npos);
}

// Every way a run can stop: the disk refusing the n-th write (with none, or part, of its
// bytes landing), or the power going before it. Running again must leave the files exactly
// as one clean run does.
TEST_F(NightAuditTest, ARunStoppedAtAnyWriteIsFinishedExactlyOnceByTheNextRun) {
    const auto setUp = [&](const Path& root) {
        std::filesystem::remove_all(root);
        DiskFileSystem disk;
        DataDirectory(root).ensureExists(disk);
        const Store fresh(DataDirectory(root), disk);
        setTaxRate(fresh, 0.09f);
        fresh.guests().append(makeStayOver("101", "Avery", 1, 45, kYesterday, kTomorrow));
        fresh.guests().append(makeStayOver("102", "Brook", 2, 59.95f, kToday, kTomorrow));
        fresh.guests().append(makeStayOver("103", "Cole", 3, 72.5f, kYesterday, kTomorrow));
        testing::writeFile(DataDirectory(root).chargeFile(3), chargeLine("103  ", 3, "72.5"));
    };
    const Path cleanRoot = temp.path() / "clean";
    setUp(cleanRoot);
    DiskFileSystem disk;
    runNightAudit(Store(DataDirectory(cleanRoot), disk), kToday);
    auto clean = testing::motelFilesOf(snapshot(cleanRoot));
    clean.erase("nightaudit.journal");

    // The power going at the n-th write: `landed` bytes of it reach the disk, and nothing
    // after it, not even a repair.
    class PowerCut : public DiskFileSystem {
      public:
        PowerCut(int writes, std::size_t landed) : writes_(writes), landed_(landed) {}
        void write(const Path& file, std::uint64_t offset,
                   std::span<const std::byte> bytes) override {
            if (writes_-- == 0 && landed_ > 0) {
                DiskFileSystem::write(file, offset, bytes.first(std::min(landed_, bytes.size())));
            }
            cutOff(file);
            DiskFileSystem::write(file, offset, bytes);
        }
        void truncate(const Path& file, std::uint64_t length) override {
            --writes_;
            cutOff(file);
            DiskFileSystem::truncate(file, length);
        }

      private:
        void cutOff(const Path& file) const {
            if (writes_ < 0) {
                throw StoreError(file, "write", "the power went");
            }
        }
        int writes_;
        std::size_t landed_;
    };

    enum class Stop { DiskFull, OneFailedWrite, PowerCut, PowerCutMidWrite };
    for (const Stop stop :
         {Stop::DiskFull, Stop::OneFailedWrite, Stop::PowerCut, Stop::PowerCutMidWrite}) {
        for (int writes = 0;; ++writes) {
            SCOPED_TRACE("stop " + std::to_string(static_cast<int>(stop)) + " after " +
                         std::to_string(writes) + " writes");
            const Path root = temp.path() / "stopped";
            setUp(root);
            testing::FaultyFileSystem faulty;
            if (stop == Stop::DiskFull) {
                faulty.failAfter(writes);
            } else {
                faulty.failOnceAfter(writes);
            }
            PowerCut power(writes, stop == Stop::PowerCutMidWrite ? 7 : 0);
            FileSystem& failing = stop == Stop::PowerCut || stop == Stop::PowerCutMidWrite
                                      ? static_cast<FileSystem&>(power)
                                      : faulty;
            bool finished = false;
            try {
                runNightAudit(Store(DataDirectory(root), failing), kToday);
                finished = true;
            } catch (const StoreError& failure) {
                EXPECT_NE(std::string(failure.what()).find(root.generic_string()),
                          std::string::npos);
            }
            EXPECT_EQ(runNightAudit(Store(DataDirectory(root), disk), kToday).outcome,
                      finished ? AuditOutcome::AlreadyPosted : AuditOutcome::Posted);
            auto after = testing::motelFilesOf(snapshot(root));
            after.erase("nightaudit.journal");
            EXPECT_EQ(after, clean);
            if (finished) {
                break;
            }
        }
    }
}

TEST_F(NightAuditTest, TheFinancialReportPrintsEveryRowTheTaxAndTotalsWithoutTax) {
    TotalsRecord totals;
    totals[TotalsSlot::RoomRent] = 100;
    totals[TotalsSlot::PetFee] = 10;
    totals[TotalsSlot::Visa] = 60.5f;
    totals[TotalsSlot::Other] = -5;
    const std::string rule(139, '-');
    EXPECT_EQ(
        plainText(financialReport(totals, 0.09f, kToday)),
        "\n" + std::string(39, ' ') + "Financial Report for December  2026\n" + rule +
            "\n\n\n"
            "Rent           100                     Visa                      60.5\n"
            "Pet            10                      Master Card               0\n"
            "Copies         0                       Discover                  0\n"
            "Stamp          0                       American Express          0\n"
            "WiFi           0                       Cash                      0\n"
            "Fax            0                       Check                     0\n"
            "Roll Away      0                       Other                    -5\n"
            "Tax            9\n" +
            rule +
            "\nTotal:         110                     Total:                    55.5\n\n\f\n");

    totals[TotalsSlot::RoomRent] = 137.17f;
    EXPECT_NE(plainText(financialReport(totals, 0.09f, kToday)).find("\nTax            12.35\n"),
              std::string::npos);
}

TEST_F(NightAuditTest, TheMonthlyFiguresAndTheirPrintoutMatchTheAuditsReport) {
    TotalsRecord totals;
    totals[TotalsSlot::RoomRent] = 1000;
    totals[TotalsSlot::PetFee] = 20;
    totals[TotalsSlot::Visa] = 500;
    totals[TotalsSlot::Cash] = 300;
    store.totals(kToday).write(1, totals);

    const MonthlyFigures figures = monthlyFigures(store, kToday);
    EXPECT_EQ(figures.title, "December  2026");
    EXPECT_EQ(figures.charges, (std::array<std::string, 7>{"1000", "20", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(figures.payments,
              (std::array<std::string, 7>{"500", "0", "0", "0", "300", "0", "0"}));
    EXPECT_EQ(figures.tax, "90");
    EXPECT_EQ(figures.chargeTotal, "1020");
    EXPECT_EQ(figures.paymentTotal, "800");

    store.guests().append(makeStayOver("101", "Avery", 1, 137.17f, kYesterday, kTomorrow));
    const NightAudit audit = runNightAudit(store, kToday);
    EXPECT_EQ(plainText(financialReport(store, kToday)), plainText(audit.documents[0]));
    EXPECT_EQ(monthlyFigures(store, kToday).tax, "102.35"); // 1137.17 at 9 per cent

    // A month not begun: every figure 0, and nothing is created.
    const auto before = snapshot(directory.root());
    const MonthlyFigures empty = monthlyFigures(store, CivilDate{2027, 1, 1});
    EXPECT_EQ(empty.title, "January  2027");
    EXPECT_EQ(empty.charges[0] + empty.payments[6] + empty.tax + empty.chargeTotal +
                  empty.paymentTotal,
              "00000");
    EXPECT_EQ(snapshot(directory.root()), before);
}

} // namespace
} // namespace roomwright
