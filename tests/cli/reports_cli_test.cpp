#include "cli/cli_fixture.h"

#include "frontdesk/housekeeping.h"
#include "reports/financial_report.h"
#include "reports/night_audit.h"
#include "store/charges.h"
#include "store/settings.h"
#include "support/records.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace roomwright {
namespace {

using testing::makeStayOver;
using testing::snapshot;

const CivilDate kToday{2026, 12, 7};

class ReportCommands : public testing::CliFixture {
  protected:
    ReportCommands() {
        setTaxRate(store, 0.09f);
        store.rooms().append(testing::makeRoom("101", "NQ1", 45, "Y", "N"));
        store.rooms().append(testing::makeRoom("102", "NQ1", 45, "N"));
        store.guests().append(
            makeStayOver("101", "Avery", 1, 45, kToday.plusDays(-1), kToday.plusDays(2)));
    }

    // Runs the tool on the test's data directory at 11:30 PM of the test's day.
    // Runs the tool on the test's data directory at 11:30 PM of the test's day.
    int run(const std::vector<std::string>& arguments, const std::string& day = "2026-12-07") {
        return runTool(arguments, {"--today", day, "--time", "23:30:00"});
    }
};

TEST_F(ReportCommands, NightAuditPrintsBothReportsOnceAndChargesOnlyOnce) {
    ASSERT_EQ(run({"night-audit"}), 0) << err.str();
    EXPECT_EQ(err.str(), std::string(kNightReportsRun) + "\n");
    const std::string reports = out.str();
    EXPECT_EQ(reports,
              plainText(financialReport(store, kToday)) + plainText(guestList(store, kToday)));
    EXPECT_NE(reports.find("Rent           45"), std::string::npos);
    const auto afterFirst = snapshot(directory.root());

    ASSERT_EQ(run({"night-audit"}), 0) << err.str();
    EXPECT_EQ(err.str(), std::string(kChargesAlreadyPosted) + "\n");
    EXPECT_EQ(out.str(), reports);
    EXPECT_EQ(snapshot(directory.root()), afterFirst);

    // Scheduled after midnight for the day before, it is the same night.
    ASSERT_EQ(run({"night-audit"}, "2026-12-08"), 0);
    EXPECT_EQ(err.str(), std::string(kNightReportsRun) + "\n");
    // The 7th again after the 8th: the journal is the 8th's now, but the month's totals
    // know that the 7th was charged.
    ASSERT_EQ(run({"--today", "2026-12-07", "night-audit"}, "2026-12-08"), 0);
    EXPECT_EQ(err.str(), std::string(kChargesAlreadyPosted) + "\n");
}

TEST_F(ReportCommands, RefusedOrReadOnlyCommandsLeaveEveryFileAsItWas) {
    store.guests().append(makeStayOver("102", "Brook", 2, 50, kToday.plusDays(-1), kToday));
    ASSERT_EQ(run({"init"}), 0); // leaves the writer's lock file, as every writer does
    const auto before = snapshot(directory.root());

    EXPECT_EQ(run({"night-audit"}), 1);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), "roomwright-cli: " + std::string(kDueOutToday) + "\n");

    struct Case {
        std::vector<std::string> words;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {{"print", "housekeeping"}, plainText(housekeepingReport(store, kToday))},
        {{"print", "guest-list"}, plainText(guestList(store, kToday))},
        {{"print", "financial"}, plainText(financialReport(store, kToday))},
        {{"print", "financial", "--month", "1", "--year", "2027"},
         plainText(financialReport(store, CivilDate{2027, 1, 1}))},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run(c.words), 0) << c.words[1] << ": " << err.str();
        EXPECT_EQ(out.str(), c.expected) << c.words[1];
        EXPECT_EQ(err.str(), "");
    }
    EXPECT_NE(cases[0].expected.find("101      staying over\n" + std::string(134, '-') +
                                     "\n102      checking out"),
              std::string::npos);
    EXPECT_NE(cases[3].expected.find("January  2027"), std::string::npos);
    EXPECT_EQ(snapshot(directory.root()), before);

    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{"print", "financial", "--month", "13", "--year", "2026"},
          {"print", "financial", "--month", "1"},
          {"print", "weather"},
          {"night-audit", "--pdf"}}) {
        EXPECT_EQ(run(wrong), 2) << wrong[1];
        EXPECT_EQ(out.str(), "");
    }
}

TEST_F(ReportCommands, AnAuditThatCannotWriteNamesTheFileAndNeverSaysItRan) {
    // A directory where the stay's charge file belongs cannot be written as a file.
    std::filesystem::create_directories(directory.chargeFile(1));
    EXPECT_EQ(run({"night-audit"}), 1);
    EXPECT_EQ(out.str(), "");
    EXPECT_NE(err.str().find(directory.chargeFile(1).generic_string()), std::string::npos);
    EXPECT_EQ(err.str().find(kNightReportsRun), std::string::npos);
}

TEST_F(ReportCommands, APdfInTheDataDirectoryIsRefusedBeforeTheAuditChargesAnyone) {
    const auto before = snapshot(directory.root());
    for (const Path& target :
         {directory.guest(), directory.root() / "dailycharge" / ".." / "room"}) {
        EXPECT_EQ(run({"night-audit", "--pdf", target.string()}), 1);
        EXPECT_NE(err.str().find(target.generic_string()), std::string::npos) << err.str();
        EXPECT_EQ(err.str().find(kNightReportsRun), std::string::npos);
        EXPECT_EQ(run({"print", "guest-list", "--pdf", target.string()}), 1);
        EXPECT_NE(err.str().find("data directory"), std::string::npos) << err.str();
    }
    auto after = snapshot(directory.root());
    after.erase(directory.writerLock().filename().string());
    EXPECT_EQ(after, before);
}

// Once the charges stand, reports that cannot be written say so: the clerk must not take
// tonight for uncharged, and running the audit again prints them without charging anyone.
TEST_F(ReportCommands, AnAuditWhosePdfCannotBeWrittenSaysItsChargesArePosted) {
    const Path pdf = temp.path() / "missing" / "audit.pdf";
    EXPECT_EQ(run({"night-audit", "--pdf", pdf.string()}), 1);
    EXPECT_NE(err.str().find(kReportsNotPrinted), std::string::npos) << err.str();
    EXPECT_NE(err.str().find(pdf.generic_string()), std::string::npos) << err.str();
    EXPECT_EQ(readCharges(store, 1).lines.size(), 1u);
    ASSERT_EQ(run({"night-audit"}), 0);
    EXPECT_EQ(err.str(), std::string(kChargesAlreadyPosted) + "\n");
    EXPECT_EQ(readCharges(store, 1).lines.size(), 1u);
}

TEST_F(ReportCommands, NightAuditWritesBothReportsIntoOnePdf) {
    const Path pdf = temp.path() / "night.pdf";
    ASSERT_EQ(run({"night-audit", "--pdf", pdf.string()}), 0) << err.str();
    EXPECT_EQ(out.str(), "");
    const std::string bytes = testing::readFile(pdf);
    EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
    EXPECT_NE(bytes.find("/Count 2"), std::string::npos); // one page per report
}

// Without a printer set up, each report is saved under printouts/, a second one of the same
// name beside the first.
TEST_F(ReportCommands, WithoutAPrinterEveryReportIsSavedAsAPdf) {
    for (const std::vector<std::string>& words :
         {std::vector<std::string>{"print", "housekeeping", "--printer"},
          {"print", "guest-list", "--printer"},
          {"night-audit", "--printer"}}) {
        EXPECT_EQ(run(words), 0) << words[0] << ": " << err.str();
    }
    std::vector<std::string> saved;
    for (const auto& entry : std::filesystem::directory_iterator(directory.printouts())) {
        saved.push_back(entry.path().filename().string().substr(18)); // after the time stamp
    }
    std::sort(saved.begin(), saved.end());
    EXPECT_EQ(saved, (std::vector<std::string>{
                         "Financial Report December  2026.pdf", "Guest List 2026-12-07 (2).pdf",
                         "Guest List 2026-12-07.pdf", "Housekeeping Report 2026-12-07.pdf"}));
}

} // namespace
} // namespace roomwright
