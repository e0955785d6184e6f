// The clerk's guide of the README, step by step as it is written, through the real windows:
// whatever it promises, the program does.
#include "gui/clerk.h"
#include "gui/gui_fixture.h"
#include "gui/walk_in_guest.h"

#include "frontdesk/check_in_window.h"
#include "frontdesk/guest_folio_window.h"
#include "frontdesk/main_window.h"
#include "reports/night_audit_window.h"
#include "reservations/reservation_entry_window.h"
#include "reservations/reservation_window.h"
#include "reservations/reservations_menu_window.h"
#include "reservations/tape_chart_window.h"
#include "setup/amount_window.h"
#include "setup/main_menu_window.h"
#include "setup/motel_details_window.h"
#include "setup/room_inventory_window.h"
#include "setup/room_status_window.h"
#include "setup/shift_clerk_window.h"
#include "store/lookups.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QTableWidget>

namespace roomwright::testing {
namespace {

class ClerksGuide : public DeskTest {
  protected:
    MainWindow* main() { return findForm<MainWindow>(WindowId::Main); }
    // "Main Menu" on the main window, then one of the menu's buttons.
    void fromTheMenu(QPushButton* MainMenuWindow::*button) {
        click(main()->mainMenuButton);
        click(findForm<MainMenuWindow>(WindowId::MainMenu)->*button);
        settle();
    }
};

TEST_F(ClerksGuide, WorksAsTheReadmeSaysItDoes) {
    // The first day: the motel's details, the rooms, the tax and the shift.
    openForm<MainWindow>(WindowId::Main);
    fromTheMenu(&MainMenuWindow::motelDetailsButton);
    auto* details = findForm<MotelDetailsWindow>(WindowId::MotelDetails);
    type(details->nameBox, "Blue Heron Motel");
    click(details->enterButton);
    EXPECT_EQ(main()->motelNameLabel->text(), "Blue Heron Motel");
    fromTheMenu(&MainMenuWindow::roomInventoryButton);
    auto* inventory = findForm<RoomInventoryWindow>(WindowId::RoomInventory);
    for (const char* number : {"101", "102"}) {
        type(inventory->roomNumberBox, number);
        pick(inventory->roomTypeCombo, "NQ1");
        type(inventory->rateBox, "69");
        click(inventory->enterRoomButton);
    }
    EXPECT_EQ(inventory->roomsList->count(), 2);
    click(inventory->exitButton);
    fromTheMenu(&MainMenuWindow::taxRateButton);
    auto* tax = findForm<TaxRateWindow>(WindowId::TaxRate);
    type(tax->amountBox, "0.09");
    click(tax->enterButton);
    fromTheMenu(&MainMenuWindow::shiftClerkButton);
    auto* shift = findForm<ShiftClerkWindow>(WindowId::ShiftClerk);
    pick(shift->shiftCombo, "A");
    type(shift->initialsBox, "JS");
    click(shift->enterButton);
    settle();

    // A walk-in: the name and address, the pay code, a room, the nights, "Check In".
    setNow({2026, 12, 7}, {15, 42, 10, 0});
    click(main()->checkInButton);
    auto* checkIn = findForm<CheckInWindow>(WindowId::CheckIn);
    ASSERT_NE(checkIn, nullptr);
    typeWalkInGuest(checkIn);
    pick(checkIn->roomCombo, checkIn->roomCombo->itemText(0));
    type(checkIn->daysBox, "1");
    EXPECT_EQ(checkIn->departureBox->text(), "12/8/2026");
    click(checkIn->printFolioCheck);
    click(checkIn->checkInButton);
    settle();
    EXPECT_EQ(dialogs.texts(), QStringList{});
    ASSERT_EQ(printer.documents.size(), 1u); // the folio
    const auto stay = firstInHouseGuest(store, [](const auto&) { return true; });
    ASSERT_TRUE(stay);
    EXPECT_EQ(stay->second.DepartureDate, CivilDate(2026, 12, 8).stored());

    // Posting, and the folio printed.
    click(main()->viewFolioButton);
    auto* folio = findForm<GuestFolioWindow>(WindowId::GuestFolio);
    pick(folio->guestCombo, "101  Smith, Ann");
    pick(folio->codeCombo, "R - Roll Away");
    type(folio->amountBox, "10");
    click(folio->doNowButton);
    EXPECT_EQ(folio->balanceLabel->text(), "10");
    click(folio->printFolioButton);
    EXPECT_EQ(printer.documents.size(), 2u);
    click(folio->exitButton);
    settle();

    // Check-out: the last payment, so that the balance is 0, then "Check Out".
    click(main()->checkOutButton);
    folio = findForm<GuestFolioWindow>(WindowId::GuestFolio);
    pick(folio->guestCombo, "101  Smith, Ann");
    pick(folio->codeCombo, "C - Cash");
    type(folio->amountBox, "10");
    click(folio->doNowButton);
    dialogs.answers = {true};
    click(folio->checkOutButton);
    EXPECT_EQ(dialogs.texts(), QStringList{"Are you sure you want to check this guest out?"});
    EXPECT_EQ(store.rooms().read(1).CleanFlag.str(), "N");
    EXPECT_EQ(store.rooms().read(1).VacantFlag.str(), "Y");
    click(folio->exitButton);
    fromTheMenu(&MainMenuWindow::roomStatusButton);
    auto* status = findForm<RoomStatusWindow>(WindowId::RoomStatus);
    pick(status->roomCombo, status->roomCombo->itemText(0));
    click(status->cleanOption);
    click(status->saveButton);
    EXPECT_EQ(store.rooms().read(1).CleanFlag.str(), "Y");
    click(status->exitButton);
    settle();

    // The night audit, before midnight.
    setNow({2026, 12, 7}, {23, 30, 0, 0});
    dialogs.shown.clear();
    fromTheMenu(&MainMenuWindow::nightAuditButton);
    click(findForm<NightAuditWindow>(WindowId::NightAudit)->runButton);
    EXPECT_EQ(dialogs.texts(), QStringList{"Your night reports were run successfully."});
    EXPECT_EQ(printer.documents.size(), 4u); // the financial report and the guest list

    // A reservation: the guest, the arrival day and the nights, a room, then "Save".
    dialogs.shown.clear();
    click(main()->reservationsButton);
    click(findForm<ReservationsMenuWindow>(WindowId::Reservations)->addButton);
    settle();
    auto* entry = findForm<ReservationEntryWindow>(WindowId::ReservationEntry);
    type(entry->guest.lastName, "Garcia");
    type(entry->guest.firstName, "Luis");
    type(entry->guest.address, "3 Oak Lane");
    type(entry->guest.city, "Reno");
    pick(entry->guest.state, "Nevada");
    type(entry->arrivalBox, "12/20/2026");
    type(entry->daysBox, "3");
    pick(entry->roomList, entry->roomList->itemText(1));
    click(entry->saveButton);
    settle();
    EXPECT_EQ(dialogs.texts(), QStringList{"Your reservation was created successfully."});

    // On the day, found by its confirmation number and checked in.
    setNow({2026, 12, 20}, {14, 5, 0, 0});
    dialogs.shown.clear();
    click(main()->reservationsButton);
    click(findForm<ReservationsMenuWindow>(WindowId::Reservations)->retrieveButton);
    settle();
    auto* booking = findForm<ReservationWindow>(WindowId::Reservation);
    type(booking->numberBox, "1");
    click(booking->goButton);
    EXPECT_EQ(booking->departureBox->text(), "12/23/2026");
    pick(booking->payCodeList, "C - Cash");
    click(booking->checkInButton);
    settle();
    EXPECT_EQ(dialogs.texts(), QStringList{"Your reservation was checked in successfuly."});

    // The tape chart: the stay is a bar with its name, which opens its folio.
    click(main()->tapeChartButton);
    auto* chart = findForm<TapeChartWindow>(WindowId::TapeChart);
    const auto bars = chart->chartTable->findItems("Garcia, Luis", Qt::MatchExactly);
    ASSERT_EQ(bars.size(), 1);
    const QRect bar = chart->chartTable->visualItemRect(bars.front());
    QTest::mouseClick(chart->chartTable->viewport(), Qt::LeftButton, {}, bar.center());
    QTest::mouseDClick(chart->chartTable->viewport(), Qt::LeftButton, {}, bar.center());
    folio = findForm<GuestFolioWindow>(WindowId::GuestFolio);
    ASSERT_NE(folio, nullptr);
    EXPECT_EQ(folio->lastNameBox->text(), "Garcia");
    click(folio->exitButton);
    click(chart->exitButton);
    settle();

    // The morning of the departure: who leaves today, and the housekeeping report.
    setNow({2026, 12, 23}, {8, 15, 0, 0});
    desk.close(WindowId::Main);
    settle();
    openForm<MainWindow>(WindowId::Main);
    EXPECT_EQ(main()->departuresList->count(), 1);
    EXPECT_TRUE(main()->housekeepingButton->isVisible());

    // Backups: a folder picked, the data directory copied into it.
    dialogs.shown.clear();
    dialogs.folders = {QString::fromStdString((temp.path() / "usb").string())};
    std::filesystem::create_directories(temp.path() / "usb");
    fromTheMenu(&MainMenuWindow::backupButton);
    const auto copies = std::distance(std::filesystem::directory_iterator(temp.path() / "usb"),
                                      std::filesystem::directory_iterator());
    EXPECT_EQ(copies, 1);
}

} // namespace
} // namespace roomwright::testing
