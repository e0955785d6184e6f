#include "frontdesk/main_window.h"
#include "gui/clerk.h"
#include "gui/gui_fixture.h"
#include "print/document.h"
#include "reservations/reservation_calendars_window.h"
#include "reservations/reservation_entry_window.h"
#include "reservations/reservation_names_window.h"
#include "reservations/reservation_window.h"
#include "reservations/reservations_menu_window.h"
#include "store/settings.h"
#include "support/folio_page.h"
#include "support/records.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>

namespace roomwright::testing {
namespace {

class ReservationEndToEnd : public DeskTest {
  protected:
    static void clickDay(QCalendarWidget* calendar, const QDate& date) {
        calendar->setSelectedDate(date);
        auto* grid = calendar->findChild<QAbstractItemView*>();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->currentIndex()).center());
    }
    // Opens the reservation window from the main window and picks the guest by name.
    ReservationWindow* findByName(const QString& entry) {
        findForm<MainWindow>(WindowId::Main)->reservationsButton->click();
        findForm<ReservationsMenuWindow>(WindowId::Reservations)->retrieveButton->click();
        settle();
        auto* form = findForm<ReservationWindow>(WindowId::Reservation);
        EXPECT_NE(form, nullptr);
        form->byNameButton->click();
        const auto found = form->names()->nameList->findItems(entry, Qt::MatchExactly);
        EXPECT_EQ(found.size(), 1);
        QWidget* viewport = form->names()->nameList->viewport();
        const QPoint at = form->names()->nameList->visualItemRect(found.value(0)).center();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
        settle();
        return form;
    }
};

// Ann Smith books room 101 by telephone for two nights, her booking is found by name and
// given a comment, and she checks in on the day with her folio printed.
TEST_F(ReservationEndToEnd, ABookingTakenFoundChangedAndCheckedInThroughTheWindows) {
    setReminderSwitch(store, 1);
    setTaxRate(store, 0.12f);
    setShiftAndClerk(store, ShiftClerkRecord{"MK", "B", {}});
    store.rooms().append(makeRoom("101", "NQ1", 65, "Y", "Y", "K", "Corner room"));
    const std::string roomBefore = readFile(directory.room());
    setNow({2026, 12, 7}, {8, 15, 0, 0});
    openForm<MainWindow>(WindowId::Main);

    // The booking.
    findForm<MainWindow>(WindowId::Main)->reservationsButton->click();
    findForm<ReservationsMenuWindow>(WindowId::Reservations)->addButton->click();
    settle();
    auto* entry = findForm<ReservationEntryWindow>(WindowId::ReservationEntry);
    ASSERT_NE(entry, nullptr);
    entry->calendarButton->click();
    clickDay(entry->calendars()->arrivalCalendar, QDate(2026, 12, 7));
    clickDay(entry->calendars()->departureCalendar, QDate(2026, 12, 9));
    type(entry->guest.lastName, "Smith");
    type(entry->guest.firstName, "Ann");
    type(entry->guest.address, "12 Elm Street");
    type(entry->guest.city, "Louisville");
    pick(entry->guest.state, "Kentucky");
    type(entry->guest.zip, "40202");
    type(entry->guest.phone, "502-555-0101");
    type(entry->guest.cell, "502-555-0199");
    type(entry->guest.email, "ann@example.com");
    click(entry->guest.visa);
    type(entry->guest.cardNumber, "4111111111111111");
    pick(entry->guest.expireMonth, "Febuary");
    pick(entry->guest.expireYear, "2028");
    pick(entry->roomList, "101   NQ1       ");
    EXPECT_EQ(entry->stayTotalBox->text(), "145.6");
    entry->saveButton->click();
    settle();

    // A comment, saved with the pay code the guest announced.
    ReservationWindow* form = findByName(" 1         Smith, Ann");
    ASSERT_EQ(form->confirmationLabel->text(), "1");
    type(form->guest.comment, "Arrives late");
    pick(form->payCodeList, "V - Visa");
    form->saveButton->click();
    settle();

    // The arrival: the shift has changed since the booking.
    setShiftAndClerk(store, ShiftClerkRecord{"JS", "A", {}});
    setNow({2026, 12, 7}, {15, 42, 10, 0});
    form = findByName(" 1         Smith, Ann");
    EXPECT_EQ(form->guest.comment->text(), "Arrives late");
    pick(form->payCodeList, "V - Visa");
    click(form->printCheck);
    form->checkInButton->click();
    settle();
    EXPECT_EQ(findForm<ReservationWindow>(WindowId::Reservation), nullptr);

    QStringList texts;
    for (const auto& box : dialogs.shown) {
        texts << box.title + " " + box.text;
    }
    EXPECT_EQ(texts, (QStringList{"ATTENTION! Your reservation was created successfully.",
                                  "ATTENTION! Your changes were saved successfuly.",
                                  "ATTENTION! Your reservation was checked in successfuly."}));

    ReservationRecord booking;
    booking.LastName = "Smith";
    booking.FirstName = "Ann";
    booking.Address = "12 Elm Street";
    booking.City = "Louisville";
    booking.State = "Kentucky";
    booking.Zip = "40202";
    booking.DriversLicense = "";
    booking.Comment = "Arrives late";
    booking.Company = "";
    booking.CardNumber = "4111111111111111";
    booking.CardExpireMonth = "Febuary";
    booking.CardExpireYear = "2028";
    booking.Adults = "1";
    booking.Children = "";
    booking.Phone = "502-555-0101";
    booking.Clerk = "MK";
    booking.Shift = "B";
    booking.RoomNumber = "101";
    booking.Days = 2;
    booking.PayCode = "V";
    booking.ArrivalDate = (CivilDate{2026, 12, 7}).stored();
    booking.DepartureDate = (CivilDate{2026, 12, 9}).stored();
    booking.Rate = 65;
    booking.Email = "ann@example.com";
    booking.Cell = "502-555-0199";
    booking.ConfirmationNumber = 1;
    booking.CardType = "V";
    booking.CheckInMark = "*";
    const Bytes reservationBytes = encode(booking);
    EXPECT_EQ(readFile(directory.reservation()),
              std::string(reinterpret_cast<const char*>(reservationBytes.data()),
                          reservationBytes.size()));

    GuestRecord guest;
    static_cast<PersonFields&>(guest) = booking;
    guest.ArrivalTime = "3:42:10 PM";
    guest.FolioNumber = 1;
    guest.CardType = "V";
    const Bytes guestBytes = encode(guest);
    EXPECT_EQ(readFile(directory.guest()),
              std::string(reinterpret_cast<const char*>(guestBytes.data()), guestBytes.size()));

    std::string roomAfter = roomBefore;
    roomAfter[18] = 'N';
    roomAfter[19] = 'N';
    EXPECT_EQ(readFile(directory.room()), roomAfter);

    EXPECT_EQ(readFile(directory.chargeFile(1)),
              "\"101  \",\"A\",\"JS\",#2026-12-07#,\"E\",\"Room Rent\",65,,1,,\"-----\",\"-----\","
              ",,,,,\r\n"
              "\"101  \",\"A\",\"JS\",#2026-12-07#,\"V\",\"Visa\",145.6,,1,,\"-----\",\"-----\","
              ",,,,,\r\n");
    TotalsRecord totals;
    totals[TotalsSlot::RoomRent] = 65;
    totals[TotalsSlot::Visa] = 145.6f;
    EXPECT_EQ(store.totals({2026, 12, 7}).read(1).sums, totals.sums);

    ASSERT_EQ(printer.documents.size(), 1u);
    EXPECT_EQ(plainText(printer.documents[0]),
              expectedSmithFolio(
                  "3:42:10 PM", "1",
                  "101      12/7/2026      A         E    Room Rent                 65        7.8 "
                  "      72.8\n"
                  "101      12/7/2026      A         V    Visa                      145.6     0   "
                  "     -72.8\n",
                  "-72.8"));
}

} // namespace
} // namespace roomwright::testing
