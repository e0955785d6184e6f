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
    chart->chartTable->setCurrentCell(1, 2); // after the state column, the second day
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

TEST_F(TapeChartWindows, TodaysStateColumnTellsEachRoomInWordsColourAndToAScreenReader) {
    store.rooms().append(makeRoom("103", "DD1", 60, "N"));
    store.rooms().append(makeRoom("104", "DD1", 60));
    auto* chart = openForm<TapeChartWindow>(WindowId::TapeChart);
    QTableWidget* table = chart->chartTable;
    EXPECT_EQ(table->horizontalHeaderItem(0)->text(), "State\ntoday");
    const struct {
        int row;
        const char* words;
        QRgb colour;
        const char* heard;
    } rooms[] = {
        {0, "Occupied", TapeChartWindow::kOccupiedColour, "Room 101 today: Occupied"},
        {2, "Out of order", TapeChartWindow::kOutOfOrderColour, "Room 102 today: Out of order"},
        {3, "Vacant dirty", TapeChartWindow::kVacantDirtyColour, "Room 103 today: Vacant dirty"},
        {4, "Vacant clean", TapeChartWindow::kVacantCleanColour, "Room 104 today: Vacant clean"},
    };
    for (const auto& room : rooms) {
        SCOPED_TRACE(room.words);
        const QTableWidgetItem* state = table->item(room.row, 0);
        ASSERT_NE(state, nullptr);
        EXPECT_EQ(state->text(), room.words);
        EXPECT_EQ(state->background().color(), QColor(room.colour));
        EXPECT_EQ(state->data(Qt::AccessibleTextRole).toString(), room.heard);
    }
    EXPECT_EQ(table->rowSpan(0, 0), 2); // room 101's two lanes share its state
    QStringList legend;
    for (const QLabel* label : chart->findChildren<QLabel*>()) {
        legend << label->text();
    }
    for (const char* entry : {"Vacant clean", "Vacant dirty", "Occupied", "Out of order",
                              "In house", "Reservation", "Two bookings on one night"}) {
        EXPECT_TRUE(legend.contains(entry)) << entry;
    }
    // A week on, the state is still today's (room 101 takes one line there).
    click(chart->nextWeekButton);
    EXPECT_EQ(table->item(2, 0)->text(), "Vacant dirty");
}

class TapeChartRoomNumbers : public DeskTest {};

TEST_F(TapeChartRoomNumbers, ARoomOfAnyNumberLengthHasItsLineAndItsStayOpensOnEnter) {
    long folio = 20;
    for (const RoomNumberCase& room : kRoomNumbers) {
        store.rooms().append(makeRoom(room.number, "SNQ1", room.rate));
        store.guests().append(makeStayOver(room.number, "Stone", ++folio, room.rate,
                                           kToday.plusDays(-1), kToday.plusDays(1)));
    }
    auto* chart = openForm<TapeChartWindow>(WindowId::TapeChart);
    QTableWidget* table = chart->chartTable;
    folio = 20;
    for (const RoomNumberCase& room : kRoomNumbers) {
        SCOPED_TRACE(room.number);
        ++folio;
        const QString caption = QString(room.number) + "  SNQ1";
        int row = 0;
        while (row < table->rowCount() && table->verticalHeaderItem(row)->text() != caption) {
            ++row;
        }
        ASSERT_LT(row, table->rowCount());
        EXPECT_EQ(table->item(row, 0)->text(), "Vacant clean");
        ASSERT_NE(table->item(row, 1), nullptr);
        EXPECT_EQ(table->item(row, 1)->text(), "Stone, Ann");
        table->setFocus();
        table->setCurrentCell(row, 1);
        QTest::keyClick(table, Qt::Key_Return);
        auto* folioWindow = findForm<GuestFolioWindow>(WindowId::GuestFolio);
        ASSERT_NE(folioWindow, nullptr);
        EXPECT_EQ(folioWindow->folioNumberLabel->text(), QString::number(folio));
        EXPECT_EQ(folioWindow->roomLabel->text(), room.number);
    }
    EXPECT_TRUE(dialogs.shown.empty());
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
// as fit (a week at least) where not; the chart scrolls to the others.
TEST_F(TapeChartWindows, TheDaysShareTheChartsWidthAndScrollForTheRest) {
    auto* chart = openForm<TapeChartWindow>(WindowId::TapeChart);
    QTableWidget* table = chart->chartTable;
    const struct {
        int width;
        int fewest; // days wholly in view
        int most;
    } cases[] = {{1080, 14, 14}, {chart->minimumWidth(), 7, 13}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        chart->resize(c.width, 400);
        QApplication::processEvents();
        // The days follow the column of the rooms' states.
        const int day = table->columnWidth(1);
        const int shown = (table->viewport()->width() - table->columnWidth(0)) / day;
        EXPECT_GE(shown, c.fewest);
        EXPECT_LE(shown, c.most);
        EXPECT_EQ(table->columnWidth(14), day);
        EXPECT_TRUE(shown == 7 || day >= 56);
        EXPECT_EQ(table->horizontalScrollBar()->maximum() > 0, shown < 14);
    }
}

} // namespace
} // namespace roomwright::testing
