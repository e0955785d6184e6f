#include "frontdesk/guest_folio_window.h"
#include "frontdesk/main_window.h"
#include "gui/clerk.h"
#include "gui/gui_fixture.h"
#include "reports/desk_lists.h"
#include "reservations/reservation_window.h"
#include "reservations/tape_chart_window.h"
#include "setup/main_menu_window.h"
#include "support/records.h"

#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QTableWidget>

namespace roomwright::testing {
namespace {

const CivilDate kToday{2026, 12, 7};

class TapeChartWindows : public DeskTest {
  protected:
    TapeChartWindows() {
        store.rooms().append(makeRoom("101", "NQ1", 45, "Y", "N"));
        store.rooms().append(makeRoom("102", "K11", 55, "Y", "Y", "X"));
        store.guests().append(
            makeStayOver("101", "Avery", 7, 45, kToday.plusDays(-1), kToday.plusDays(2)));
        for (const auto& [last, arrival, number] :
             {std::tuple{"Berg", 1, 31.0f}, std::tuple{"Cole", 5, 32.0f}}) {
            ReservationRecord r;
            r.RoomNumber = "101";
            r.LastName = last;
            r.FirstName = "Lee";
            r.ConfirmationNumber = number;
            r.ArrivalDate = kToday.plusDays(arrival).stored();
            r.DepartureDate = kToday.plusDays(arrival + 2).stored();
            store.reservations().append(r);
        }
    }

    QTableWidgetItem* bar(TapeChartWindow* chart, const QString& guest) {
        const auto found = chart->chartTable->findItems(guest, Qt::MatchExactly);
        return found.size() == 1 ? found.front() : nullptr;
    }
};

TEST_F(TapeChartWindows, OpensFromTheMainWindowAndOpensWhatABarStandsFor) {
    auto* main = openForm<MainWindow>(WindowId::Main);
    click(main->tapeChartButton);
    auto* chart = findForm<TapeChartWindow>(WindowId::TapeChart);
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->daysLabel->text(), "12/7/2026 to 12/20/2026");
    EXPECT_EQ(chart->chartTable->rowCount(), 3); // 101 twice (an overlap), 102
    EXPECT_EQ(chart->chartTable->verticalHeaderItem(2)->text(), "102  K11 (out of order)");

    QTableWidgetItem* berg = bar(chart, "Berg, Lee");
    ASSERT_NE(berg, nullptr);
    EXPECT_EQ(
        berg->data(Qt::AccessibleTextRole).toString(),
        "Berg, Lee, room 101, reservation, 12/8/2026 to 12/10/2026, overlaps another booking");
    EXPECT_EQ(berg->background().color(), QColor(TapeChartWindow::kOverlapColour));
    EXPECT_EQ(chart->chartTable->columnSpan(berg->row(), berg->column()), 2);
    ASSERT_NE(bar(chart, "Cole, Lee"), nullptr);
    EXPECT_EQ(bar(chart, "Cole, Lee")->background().color(),
              QColor(TapeChartWindow::kReservationColour));

    const QPoint at = chart->chartTable->visualItemRect(berg).center();
    QTest::mouseClick(chart->chartTable->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(findForm<ReservationWindow>(WindowId::Reservation), nullptr);
    QTest::mouseDClick(chart->chartTable->viewport(), Qt::LeftButton, {}, at);
    auto* reservation = findForm<ReservationWindow>(WindowId::Reservation);
    ASSERT_NE(reservation, nullptr);
    EXPECT_EQ(reservation->confirmationLabel->text(), "31");
    EXPECT_EQ(reservation->arrivalBox->text(), "12/8/2026");

    // By keys: the arrows move over the chart and Enter opens the stay's folio.
    chart->chartTable->setFocus();
    chart->chartTable->setCurrentCell(1, 1);
    EXPECT_EQ(chart->chartTable->currentItem()->text(), "Berg, Lee");
    QTest::keyClick(chart->chartTable, Qt::Key_Up);
    EXPECT_EQ(chart->chartTable->currentItem()->text(), "Avery, Ann");
    QTest::keyClick(chart->chartTable, Qt::Key_Return);
    auto* folio = findForm<GuestFolioWindow>(WindowId::GuestFolio);
    ASSERT_NE(folio, nullptr);
    EXPECT_EQ(folio->folioNumberLabel->text(), "7");
    EXPECT_TRUE(chart->isVisible());

    click(chart->nextWeekButton);
    EXPECT_EQ(chart->daysLabel->text(), "12/14/2026 to 12/27/2026");
    EXPECT_EQ(bar(chart, "Berg, Lee"), nullptr);
    EXPECT_EQ(chart->chartTable->rowCount(), 2);
    click(chart->previousWeekButton);
    EXPECT_NE(bar(chart, "Berg, Lee"), nullptr);
}

TEST_F(TapeChartWindows, TheMainMenuPrintsTodaysLists) {
    auto* menu = openForm<MainMenuWindow>(WindowId::MainMenu);
    for (QPushButton* button :
         {menu->arrivalsButton, menu->departuresButton, menu->inHouseButton}) {
        click(button);
    }
    ASSERT_EQ(printer.documents.size(), 3u);
    const DeskListKind kinds[] = {DeskListKind::Arrivals, DeskListKind::Departures,
                                  DeskListKind::InHouse};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(plainText(printer.documents[i]),
                  plainText(deskListDocument(deskList(store, kinds[i], kToday, kToday))));
    }
    EXPECT_NE(plainText(printer.documents[2]).find("Avery"), std::string::npos);
    EXPECT_TRUE(menu->isVisible());
}

// The days share the width the chart gets: all fourteen where they fit 56 pixels wide, as many
// as fit where not, and a week however narrow; the chart scrolls to the others.
TEST_F(TapeChartWindows, TheDaysShareTheChartsWidthAndScrollForTheRest) {
    auto* chart = openForm<TapeChartWindow>(WindowId::TapeChart);
    QTableWidget* table = chart->chartTable;
    const struct {
        int width;
        int fewest; // days wholly in view
        int most;
    } cases[] = {{1080, 14, 14}, {700, 8, 13}, {chart->minimumWidth(), 7, 7}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        chart->resize(c.width, 400);
        QApplication::processEvents();
        const int day = table->columnWidth(0);
        const int shown = table->viewport()->width() / day;
        EXPECT_GE(shown, c.fewest);
        EXPECT_LE(shown, c.most);
        EXPECT_EQ(table->columnWidth(13), day);
        EXPECT_TRUE(shown == 7 || day >= 56);
        EXPECT_EQ(table->horizontalScrollBar()->maximum() > 0, shown < 14);
    }
}

} // namespace
} // namespace roomwright::testing
