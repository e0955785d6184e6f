#include "frontdesk/main_window.h"
#include "gui/clerk.h"
#include "gui/gui_fixture.h"
#include "reservations/reservation_window.h"
#include "setup/greetings_window.h"
#include "store/bookings.h"
#include "store/settings.h"
#include "support/records.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace roomwright::testing {
namespace {

class MainWindowTest : public DeskTest {
  protected:
    void addGuest(const char* room, const char* last, const char* first, CivilDate departure,
                  bool departed = false) {
        store.guests().append(makeStay(room, last, first, departure, departed));
    }
    std::vector<QString> listed(MainWindow* form) {
        std::vector<QString> lines;
        for (int i = 0; i < form->departuresList->count(); ++i) {
            lines.push_back(form->departuresList->item(i)->text());
        }
        return lines;
    }
    const CivilDate today{2026, 12, 7};
};

TEST_F(MainWindowTest, InTheMorningListsTodaysDepartures) {
    addGuest("101", "Smith", "Ann", today);
    addGuest("102", "Gone", "Already", today, true);
    addGuest("103", "Stays", "Over", today.plusDays(1));
    setNow(today, {11, 59, 0, 0});
    auto* form = openForm<MainWindow>(WindowId::Main);
    EXPECT_EQ(form->windowTitle(), "Roomwright Version 7.0");
    EXPECT_EQ(form->dateLabel->text(), "12/7/2026");
    EXPECT_EQ(form->clockLabel->text(), "11:59:00 AM");
    EXPECT_EQ(form->motelNameLabel->text(), "1234567 Motel Inc.");
    EXPECT_EQ(form->checkingOutLabel->text(), "Checking out today");
    EXPECT_TRUE(form->housekeepingButton->isVisible());
    EXPECT_EQ(listed(form), std::vector<QString>{"101  Smith, Ann"});
}

TEST_F(MainWindowTest, FromNoonOnTheListStaysEmptyAndTheReportButtonHidden) {
    addGuest("101", "Smith", "Ann", today);
    setNow(today, {12, 0, 0, 0});
    auto* form = openForm<MainWindow>(WindowId::Main);
    EXPECT_FALSE(form->housekeepingButton->isVisible());
    EXPECT_TRUE(listed(form).empty());
    // Past midnight the window still shows what its load found.
    setNow(today.plusDays(1), {0, 0, 5, 0});
    form->clockTicked();
    EXPECT_EQ(form->clockLabel->text(), "12:00:05 AM");
    EXPECT_TRUE(listed(form).empty());
}

TEST_F(MainWindowTest, ListsTodaysOpenArrivalsAllDayAndOpensOneReadyToCheckIn) {
    setReminderSwitch(store, 1.0f);
    for (const auto& [room, last, number, arrival, state] :
         {std::tuple{"101", "Ames", 11.0f, 0, BookingState::Open},
          {"102", "Berg", 12.0f, 0, BookingState::CheckedIn},
          {"103", "Cole", 13.0f, 0, BookingState::Cancelled},
          {"104", "Dunn", 14.0f, 1, BookingState::Open},
          {"12", "Eyre", 15.0f, 0, BookingState::Open}}) {
        ReservationRecord r = makeBooking(room, last, number, today.plusDays(arrival), 2);
        if (state == BookingState::CheckedIn) {
            r.CheckInMark = "*";
        } else if (state == BookingState::Cancelled) {
            markCancelled(r, today.plusDays(-1), "");
        }
        store.reservations().append(r);
    }
    setNow(today, {15, 0, 0, 0}); // the afternoon too
    auto* form = openForm<MainWindow>(WindowId::Main);
    EXPECT_EQ(form->arrivalsList->accessibleName(), "Arriving today");
    const auto arrivals = [&] { return linesOf(form->arrivalsList); };
    EXPECT_EQ(arrivals(), (QStringList{"101  Ames, Lee  2 nights", "12  Eyre, Lee  2 nights"}));

    // Enter opens the booking in the reservation window, ready for its pay code.
    activate(form);
    form->arrivalsList->setFocus();
    form->arrivalsList->setCurrentRow(1);
    QTest::keyClick(form->arrivalsList, Qt::Key_Return);
    auto* reservation = findForm<ReservationWindow>(WindowId::Reservation);
    ASSERT_NE(reservation, nullptr);
    EXPECT_EQ(reservation->confirmationLabel->text(), "15");
    EXPECT_EQ(reservation->roomLabel->text(), "12");
    EXPECT_EQ(focusedControl(reservation), reservation->payCodeList);
    // Checked in there, it leaves the list.
    type(reservation->payCodeList, "C - Cash");
    reservation->checkInButton->click();
    settle();
    EXPECT_EQ(arrivals(), QStringList{"101  Ames, Lee  2 nights"});

    // A double-click opens the other.
    const QRect ames = form->arrivalsList->visualItemRect(form->arrivalsList->item(0));
    QTest::mouseClick(form->arrivalsList->viewport(), Qt::LeftButton, {}, ames.center());
    QTest::mouseDClick(form->arrivalsList->viewport(), Qt::LeftButton, {}, ames.center());
    reservation = findForm<ReservationWindow>(WindowId::Reservation);
    ASSERT_NE(reservation, nullptr);
    EXPECT_EQ(reservation->confirmationLabel->text(), "11");
}

TEST_F(MainWindowTest, TheClockIsRefreshedJustAfterEachSecondBegins) {
    setNow(today, {15, 42, 10, 250});
    auto* form = openForm<MainWindow>(WindowId::Main);
    EXPECT_EQ(form->clockLabel->text(), "3:42:10 PM");
    EXPECT_TRUE(form->clockTimer->isActive());
    EXPECT_GE(form->clockTimer->interval(), 750);
    EXPECT_LE(form->clockTimer->interval(), 760);
    setNow(today, {15, 42, 11, 3});
    form->clockTicked();
    EXPECT_EQ(form->clockLabel->text(), "3:42:11 PM");
    EXPECT_GE(form->clockTimer->interval(), 995);
}

TEST_F(MainWindowTest, TheGreetingsWindowOpensUnlessSwitchedOff) {
    openForm<MainWindow>(WindowId::Main);
    EXPECT_NE(findForm<GreetingsWindow>(WindowId::Greetings), nullptr);
    findForm<GreetingsWindow>(WindowId::Greetings)->close();
    findForm<MainWindow>(WindowId::Main)->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    setReminderSwitch(store, 1.0f);
    openForm<MainWindow>(WindowId::Main);
    EXPECT_EQ(findForm<GreetingsWindow>(WindowId::Greetings), nullptr);
}

TEST_F(MainWindowTest, ExitClosesTheMainWindow) {
    setReminderSwitch(store, 1.0f);
    auto* form = openForm<MainWindow>(WindowId::Main);
    QTest::mouseClick(form->exitButton, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(desk.find(WindowId::Main), nullptr);
}

TEST_F(MainWindowTest, AGuestFileThatCannotBeReadIsToldNotSwallowed) {
    std::filesystem::create_directories(directory.guest()); // a folder where the file should be
    setReminderSwitch(store, 1.0f);
    setNow(today, {9, 0, 0, 0});
    auto* form = openForm<MainWindow>(WindowId::Main);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "ATTENTION!");
    EXPECT_TRUE(
        dialogs.shown[0].text.contains(QString::fromStdString(directory.guest().generic_string())))
        << dialogs.shown[0].text.toStdString();
    EXPECT_TRUE(form->isVisible()); // the desk stays usable
}

TEST_F(MainWindowTest, EveryControlHasANameAndTakesTheKeyboard) {
    auto* form = openForm<MainWindow>(WindowId::Main);
    EXPECT_TRUE(controlsWithoutNameOrFocus(form).empty());
    EXPECT_EQ(form->departuresList->accessibleName(), "Checking out today");
    EXPECT_TRUE(controlsWithoutNameOrFocus(findForm<GreetingsWindow>(WindowId::Greetings)).empty());
}

} // namespace
} // namespace roomwright::testing
