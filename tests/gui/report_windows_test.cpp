#include "frontdesk/folio.h"
#include "frontdesk/housekeeping.h"
#include "frontdesk/main_window.h"
#include "gui/clerk.h"
#include "gui/gui_fixture.h"
#include "reports/financial_report.h"
#include "reports/history_windows.h"
#include "reports/monthly_report_window.h"
#include "reports/night_audit.h"
#include "reports/night_audit_window.h"
#include "setup/main_menu_window.h"
#include "store/bookings.h"
#include "store/charges.h"
#include "store/settings.h"
#include "support/records.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

namespace roomwright::testing {
namespace {

const CivilDate kToday{2026, 12, 7};

class ReportWindows : public DeskTest {
  protected:
    ReportWindows() { setTaxRate(store, 0.09f); }
    std::vector<std::string> printed() const {
        std::vector<std::string> pages;
        for (const Document& document : printer.documents) {
            pages.push_back(plainText(document));
        }
        return pages;
    }
    QString lastMessage() const {
        return dialogs.shown.empty() ? QString() : dialogs.shown.back().text;
    }
    // Opens a report from its main menu button.
    template <class Window> Window* fromMenu(QPushButton* MainMenuWindow::*button, WindowId id) {
        auto* menu = openForm<MainMenuWindow>(WindowId::MainMenu);
        click(menu->*button);
        settle();
        return findForm<Window>(id);
    }
};

TEST_F(ReportWindows, TheNightAuditRefusesADueOutThenChargesAndPrintsOnce) {
    store.guests().append(makeStayOver("101", "Avery", 1, 45, kToday.plusDays(-1), kToday));
    auto* audit =
        fromMenu<NightAuditWindow>(&MainMenuWindow::nightAuditButton, WindowId::NightAudit);
    ASSERT_NE(audit, nullptr);
    EXPECT_EQ(audit->windowTitle(), "Night Audit Report");

    click(audit->runButton);
    EXPECT_EQ(lastMessage(), kDueOutToday);
    EXPECT_EQ(dialogs.shown.back().title, "ATTENTION!");
    EXPECT_TRUE(printer.documents.empty());
    EXPECT_TRUE(audit->isVisible());

    GuestRecord guest = store.guests().read(1);
    guest.DepartureDate = kToday.plusDays(1).stored();
    store.guests().write(1, guest);
    click(audit->runButton);
    settle();
    EXPECT_EQ(lastMessage(), kNightReportsRun);
    EXPECT_EQ(findForm<NightAuditWindow>(WindowId::NightAudit), nullptr);
    EXPECT_EQ(printed(), (std::vector<std::string>{plainText(financialReport(store, kToday)),
                                                   plainText(guestList(store, kToday))}));
    EXPECT_EQ(readCharges(store, 1).lines.size(), 1u);

    click(fromMenu<NightAuditWindow>(&MainMenuWindow::nightAuditButton, WindowId::NightAudit)
              ->runButton);
    EXPECT_EQ(lastMessage(), kChargesAlreadyPosted);
    EXPECT_EQ(readCharges(store, 1).lines.size(), 1u);
    EXPECT_EQ(printer.documents.size(), 4u);
}

TEST_F(ReportWindows, AfterTheAuditTonightsNoShowsAreListedAndMarkedOneByOne) {
    for (const auto& [room, last, number, arrival, mark] : {std::tuple{"101", "Ames", 21.0f, 0, ""},
                                                            {"12", "Berg", 22.0f, 0, ""},
                                                            {"103", "Cole", 23.0f, 0, "*"},
                                                            {"104", "Dunn", 24.0f, 1, ""}}) {
        ReservationRecord r = makeBooking(room, last, number, kToday.plusDays(arrival), 2);
        r.CheckInMark = mark;
        store.reservations().append(r);
    }
    auto* audit =
        fromMenu<NightAuditWindow>(&MainMenuWindow::nightAuditButton, WindowId::NightAudit);
    EXPECT_FALSE(audit->noShowsList->isVisible());
    click(audit->runButton);
    settle();
    EXPECT_EQ(lastMessage(), kNightReportsRun);
    ASSERT_EQ(findForm<NightAuditWindow>(WindowId::NightAudit), audit); // stays for them
    EXPECT_TRUE(audit->noShowsList->isVisible());
    EXPECT_EQ(audit->noShowsList->accessibleName(), "Tonight's no-shows");
    const auto listed = [&] { return linesOf(audit->noShowsList); };
    EXPECT_EQ(listed(), (QStringList{"101  Ames, Lee  2 nights", "12  Berg, Lee  2 nights"}));

    audit->noShowsList->setCurrentRow(1);
    const std::string before = readFile(directory.reservation());
    click(audit->noShowButton); // answered No
    EXPECT_EQ(dialogs.shown.back().title, "Mark No-Show");
    EXPECT_EQ(dialogs.shown.back().byDefault, Answer::No);
    EXPECT_EQ(readFile(directory.reservation()), before);
    dialogs.answers.push_back(true);
    click(audit->noShowButton);
    EXPECT_EQ(listed(), QStringList{"101  Ames, Lee  2 nights"});
    EXPECT_EQ(cancellation(store.reservations().read(2)), (Cancellation{kToday, "No-show"}));
    EXPECT_TRUE(store.reservations().read(1).open());
}

TEST_F(ReportWindows, AnAuditThatCannotWriteTellsTheFileAndStaysOpen) {
    store.guests().append(
        makeStayOver("101", "Avery", 1, 45, kToday.plusDays(-1), kToday.plusDays(1)));
    std::filesystem::create_directories(directory.chargeFile(1));
    auto* audit = openForm<NightAuditWindow>(WindowId::NightAudit);
    click(audit->runButton);
    settle();
    EXPECT_TRUE(
        lastMessage().contains(QString::fromStdString(directory.chargeFile(1).generic_string())));
    EXPECT_EQ(findForm<NightAuditWindow>(WindowId::NightAudit), audit);
    EXPECT_TRUE(printer.documents.empty());
}

TEST_F(ReportWindows, TheMonthlyReportShowsTheMonthAndPrintsTheAuditsReport) {
    TotalsRecord totals;
    totals[TotalsSlot::RoomRent] = 1000;
    totals[TotalsSlot::PetFee] = 20;
    totals[TotalsSlot::Visa] = 500;
    totals[TotalsSlot::Cash] = 300;
    store.totals(kToday).write(1, totals);

    auto* report = fromMenu<MonthlyReportWindow>(&MainMenuWindow::monthlyReportButton,
                                                 WindowId::MonthlyReport);
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->monthTitleLabel->text(), "December  2026");
    QStringList shown;
    for (QLineEdit* box : report->chargeBoxes) {
        shown << box->text();
    }
    shown << report->taxBox->text() << report->chargeTotalBox->text();
    for (QLineEdit* box : report->paymentBoxes) {
        shown << box->text();
    }
    shown << report->paymentTotalBox->text();
    EXPECT_EQ(shown.join(' '), "1000 20 0 0 0 0 0 90 1020 500 0 0 0 300 0 0 800");
    EXPECT_EQ(report->chargeBoxes[6]->objectName(), "Text15");
    EXPECT_EQ(report->taxBox->objectName(), "Text17");

    const NightAudit audit = runNightAudit(store, kToday);
    click(report->printButton);
    EXPECT_EQ(printed(), std::vector<std::string>{plainText(audit.documents[0])});
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(report->isVisible());
}

TEST_F(ReportWindows, TheHousekeepingButtonPrintsTodaysReport) {
    store.rooms().append(makeRoom("101", "NQ1", 45, "N"));
    setNow(kToday, {8, 0, 0, 0});
    auto* main = openForm<MainWindow>(WindowId::Main);
    click(main->housekeepingButton);
    EXPECT_EQ(printed(), std::vector<std::string>{plainText(housekeepingReport(store, kToday))});
    EXPECT_NE(printed()[0].find("101      dirty"), std::string::npos);
}

class HistoryWindows : public ReportWindows {
  protected:
    HistoryWindows() {
        GuestRecord stone = makeStayOver("101", "Stone", 12, 45, kToday.plusDays(-2), kToday);
        stone.FirstName = "Sue";
        stone.CheckOutMark = "*";
        stone.DepartureTime = "10:15:00 AM";
        stone.CardType = "M";
        GuestRecord swift = stone;
        swift.LastName = "Swift";
        swift.FolioNumber = 14; // its charge file is missing
        GuestRecord sams = stone;
        sams.LastName = "Sams";
        sams.FolioNumber = 15;
        sams.CheckOutMark = Text<20>(); // in house
        for (const GuestRecord& guest : {stone, sams, swift}) {
            store.guests().append(guest);
        }
        postItem(store, 12, "101  ", Category::RoomRent, 45, kToday.plusDays(-2));
        postItem(store, 12, "101  ", Category::RoomRent, 45, kToday.plusDays(-1));
        postItem(store, 12, "101  ", Category::Cash, 98.1, kToday);
        history =
            fromMenu<GuestHistoryWindow>(&MainMenuWindow::findGuestButton, WindowId::GuestHistory);
        names = findForm<HistoryNamesWindow>(WindowId::HistoryNames);
    }
    // Picks the letter, then the entry of the list.
    void lookUp(const QString& letter, int entry) {
        pick(names->letterCombo, letter);
        ASSERT_GT(names->namesList->count(), entry);
        QListWidgetItem* item = names->namesList->item(entry);
        names->namesList->scrollToItem(item);
        QTest::mouseClick(names->namesList->viewport(), Qt::LeftButton, {},
                          names->namesList->visualItemRect(item).center());
        settle();
    }
    QStringList folioLines() const {
        QStringList lines;
        for (int i = 0; i < history->folioList->count(); ++i) {
            lines << history->folioList->item(i)->text();
        }
        return lines;
    }

    GuestHistoryWindow* history = nullptr;
    HistoryNamesWindow* names = nullptr;
};

TEST_F(HistoryWindows, APickedStayShowsItsSettledFolioAndReprintsIt) {
    ASSERT_NE(history, nullptr);
    ASSERT_NE(names, nullptr);
    EXPECT_EQ(history->windowTitle(), "History");
    EXPECT_EQ(names->windowTitle(), "Look up by Name");
    click(history->printFolioButton); // nothing picked yet
    EXPECT_TRUE(printer.documents.empty());

    pick(names->letterCombo, "S");
    ASSERT_EQ(names->namesList->count(), 2); // Sams is still in house
    EXPECT_TRUE(names->namesList->item(0)->text().startsWith(" 12         Stone, Sue"));
    lookUp("S", 0);
    EXPECT_EQ(findForm<HistoryNamesWindow>(WindowId::HistoryNames), nullptr);
    EXPECT_EQ(history->folioLabel->text(), "12");
    EXPECT_EQ(history->guestBoxes[0]->text(), "Stone");
    EXPECT_TRUE(history->cardOptions[1]->isChecked());
    EXPECT_EQ(history->departureDateLabel->text(), "12/7/2026");
    EXPECT_EQ(history->departureTimeLabel->text(), "10:15:00 AM         ");
    ASSERT_EQ(folioLines().size(), 3);
    EXPECT_TRUE(folioLines().back().endsWith("98.1     0          0   "))
        << folioLines().back().toStdString();

    click(history->printFolioButton);
    ASSERT_EQ(printer.documents.size(), 1u);
    const std::string page = printed()[0];
    EXPECT_NE(page.find("Depart Date:  12/7/2026"), std::string::npos);
    EXPECT_NE(page.find("Depart time:  10:15:00 AM"), std::string::npos);
    EXPECT_NE(page.find("Folio:  12\n"), std::string::npos);
    EXPECT_NE(page.find("Balance..... 0\n"), std::string::npos);
}

TEST_F(HistoryWindows, AStayInARoomOfAnyNumberLengthShowsItsRoomAndFolio) {
    long folio = 30;
    for (const RoomNumberCase& room : kRoomNumbers) {
        GuestRecord quinn =
            makeStayOver(room.number, "Quinn", ++folio, room.rate, kToday.plusDays(-1), kToday);
        quinn.CheckOutMark = "*";
        store.guests().append(quinn);
        postItem(store, folio, quinn.RoomNumber.str(), Category::RoomRent, room.rate,
                 kToday.plusDays(-1));
    }
    for (int i = 0; i < static_cast<int>(std::size(kRoomNumbers)); ++i) {
        SCOPED_TRACE(kRoomNumbers[i].number);
        if (i > 0) {
            click(history->checkAgainButton);
            names = findForm<HistoryNamesWindow>(WindowId::HistoryNames);
            ASSERT_NE(names, nullptr);
        }
        lookUp("Q", i);
        EXPECT_EQ(history->folioLabel->text(), QString::number(31 + i));
        EXPECT_EQ(history->roomLabel->text(), QString(kRoomNumbers[i].number).leftJustified(5));
        EXPECT_EQ(folioLines().size(), 1);
    }
}

TEST_F(HistoryWindows, AStayWithoutChargesShowsNoLinesAndPrintsItsHeader) {
    lookUp("S", 1);
    EXPECT_EQ(history->guestBoxes[0]->text(), "Swift");
    EXPECT_TRUE(folioLines().isEmpty());
    click(history->printFolioButton);
    ASSERT_EQ(printer.documents.size(), 1u);
    EXPECT_NE(printed()[0].find("Folio:  14\n"), std::string::npos);
    EXPECT_NE(printed()[0].find("Balance..... 0\n"), std::string::npos);

    click(history->checkAgainButton);
    names = findForm<HistoryNamesWindow>(WindowId::HistoryNames);
    ASSERT_NE(names, nullptr);
    EXPECT_EQ(names->namesList->count(), 0);
    click(history->exitButton);
    settle();
    EXPECT_EQ(findForm<HistoryNamesWindow>(WindowId::HistoryNames), nullptr);
    EXPECT_EQ(findForm<GuestHistoryWindow>(WindowId::GuestHistory), nullptr);
}

} // namespace
} // namespace roomwright::testing
