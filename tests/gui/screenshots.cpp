// The pictures of the clerk's guide in the README: the real windows, offscreen, on a demo
// motel made up here. `make screenshots` runs it with ROOMWRIGHT_SCREENSHOTS naming the
// folder the PNG files go to (docs/screenshots).

#include "gui/gui_fixture.h"

#include "gui/clerk.h"
#include "gui/walk_in_guest.h"

#include "frontdesk/check_in_window.h"
#include "frontdesk/folio.h"
#include "frontdesk/guest_folio_window.h"
#include "frontdesk/main_window.h"
#include "reports/night_audit_window.h"
#include "reservations/reservation_entry_window.h"
#include "reservations/tape_chart_window.h"
#include "setup/amount_window.h"
#include "setup/main_menu_window.h"
#include "setup/motel_details_window.h"
#include "setup/room_inventory_window.h"
#include "setup/shift_clerk_window.h"
#include "store/lookups.h"
#include "store/motel_details.h"
#include "store/settings.h"
#include "support/records.h"
#include "ui/print_preview.h"

#include <QApplication>
#include <QImage>
#include <QListWidget>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace roomwright::testing {
namespace {

class Screenshots : public DeskTest {
  protected:
    Screenshots() : folder(qEnvironmentVariable("ROOMWRIGHT_SCREENSHOTS")) {
        setMotelDetails(store, {"Blue Heron Motel",
                                "410 Lakeshore Drive",
                                "Tahoe City, CA  96145",
                                "Phone: 530-555-0142           Fax: 530-555-0143",
                                {}});
        setTaxRate(store, 0.09f);
        setShiftAndClerk(store, ShiftClerkRecord{"JS", "A", {}});
        setReminderSwitch(store, 1);
        const struct {
            const char* number;
            const char* type;
            float rate;
        } rooms[] = {{"101", "NQ1", 69}, {"102", "NQ1", 69},  {"103", "NDD1", 79},
                     {"104", "NK1", 84}, {"105", "SNK1", 99}, {"106", "NDD1", 79}};
        for (const auto& room : rooms) {
            store.rooms().append(makeRoom(room.number, room.type, room.rate));
        }
    }

    // Saves the window as it is drawn now, in few colours so that the file stays small.
    void shoot(QWidget* window, const char* name) {
        QApplication::processEvents();
        const QImage image = window->grab().toImage().convertToFormat(
            QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
        const QString file =
            folder + QStringLiteral("/") + QLatin1String(name) + QStringLiteral(".png");
        EXPECT_TRUE(image.save(file, "PNG")) << file.toStdString();
    }

    QString folder;
};

TEST_F(Screenshots, OfTheClerksGuide) {
    ASSERT_FALSE(folder.isEmpty()) << "ROOMWRIGHT_SCREENSHOTS names no folder";

    // First day: the motel's details, the rooms, the tax and the shift.
    shoot(openForm<MainMenuWindow>(WindowId::MainMenu), "main-menu");
    shoot(openForm<MotelDetailsWindow>(WindowId::MotelDetails), "motel-details");
    auto* inventory = openForm<RoomInventoryWindow>(WindowId::RoomInventory);
    type(inventory->roomNumberBox, "107");
    type(inventory->rateBox, "99");
    shoot(inventory, "room-inventory");
    shoot(openForm<TaxRateWindow>(WindowId::TaxRate), "tax-rate");
    shoot(openForm<ShiftClerkWindow>(WindowId::ShiftClerk), "shift-clerk");
    for (WindowId id : {WindowId::MainMenu, WindowId::MotelDetails, WindowId::RoomInventory,
                        WindowId::TaxRate, WindowId::ShiftClerk}) {
        desk.close(id);
    }
    settle();

    // A walk-in for one night.
    setNow({2026, 12, 7}, {15, 42, 10, 0});
    openForm<MainWindow>(WindowId::Main)->checkInButton->click();
    auto* checkIn = findForm<CheckInWindow>(WindowId::CheckIn);
    ASSERT_NE(checkIn, nullptr);
    typeWalkInGuest(checkIn);
    // A card, so that the folio shows it masked.
    click(checkIn->guest.visa);
    type(checkIn->guest.cardNumber, "4111 1111 1111 1111");
    pick(checkIn->roomCombo, checkIn->roomCombo->itemText(0));
    shoot(checkIn, "walk-in");
    checkIn->checkInButton->click();
    settle();
    ASSERT_TRUE(dialogs.shown.empty()) << dialogs.shown.front().text.toStdString();

    // Posting a charge on the guest's folio.
    findForm<MainWindow>(WindowId::Main)->viewFolioButton->click();
    auto* folio = findForm<GuestFolioWindow>(WindowId::GuestFolio);
    ASSERT_NE(folio, nullptr);
    pick(folio->guestCombo, folio->guestCombo->itemText(0));
    pick(folio->codeCombo, "R - Roll Away");
    type(folio->amountBox, "10");
    folio->doNowButton->click();
    shoot(folio, "folio");

    // The printed folio, as the preview shows it before it is printed.
    const auto stay = firstInHouseGuest(store, [](const auto&) { return true; });
    ASSERT_TRUE(stay);
    const Document page = printedFolio(store, stay->second, FolioVariant::InHouse).document;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    bool drawn = true;
    QPrintPreviewDialog* preview = makePreview(page, printer, nullptr, drawn);
    preview->show();
    QApplication::processEvents();
    shoot(preview, "print-preview");
    EXPECT_TRUE(drawn);
    delete preview;
    folio->exitButton->click();
    settle();

    // A booking for room 102 tonight, whose guest never comes.
    const auto book = [&](const char* room, const char* last, const CivilDate& arrival,
                          int nights) {
        ReservationRecord booking;
        booking.RoomNumber = room;
        booking.LastName = last;
        booking.FirstName = "Lee";
        booking.Rate = findRoom(store, room)->second.Rate;
        booking.Days = static_cast<float>(nights);
        booking.ConfirmationNumber = static_cast<float>(store.reservations().count() + 1);
        booking.ArrivalDate = arrival.stored();
        booking.DepartureDate = arrival.plusDays(nights).stored();
        store.reservations().append(booking);
    };
    book("102", "Brown", {2026, 12, 7}, 2);

    // The night audit, then tonight's no-shows, and a reservation.
    auto* audit = openForm<NightAuditWindow>(WindowId::NightAudit);
    shoot(audit, "night-audit");
    audit->runButton->click();
    audit->noShowsList->setCurrentRow(0);
    shoot(audit, "no-shows");
    desk.close(WindowId::NightAudit);
    auto* booking = openForm<ReservationEntryWindow>(WindowId::ReservationEntry);
    type(booking->guest.lastName, "Garcia");
    type(booking->guest.firstName, "Luis");
    type(booking->arrivalBox, "12/20/2026");
    type(booking->daysBox, "3");
    pick(booking->roomList, booking->roomList->itemText(2));
    shoot(booking, "reservation");
    desk.close(WindowId::ReservationEntry);
    settle();

    // The next morning: the main window lists who leaves today and who arrives.
    book("104", "Nguyen", {2026, 12, 8}, 2);
    book("105", "Patel", {2026, 12, 8}, 1);
    setNow({2026, 12, 8}, {8, 15, 0, 0});
    desk.close(WindowId::Main);
    settle();
    auto* main = openForm<MainWindow>(WindowId::Main);
    shoot(main, "main-window");

    // An arrival opened from there, ready to check in or to cancel.
    main->arrivalsList->setCurrentRow(0);
    main->arrivalActivated(main->arrivalsList->currentItem());
    shoot(findForm<QWidget>(WindowId::Reservation), "reservation-window");
    desk.close(WindowId::Reservation);

    // The tape chart, with two bookings of room 103 that share a night, and the rooms'
    // states: one dirty, one out of order.
    book("103", "Garcia", {2026, 12, 10}, 3);
    book("103", "Okafor", {2026, 12, 12}, 2);
    store.rooms().write(2, makeRoom("102", "NQ1", 69, "N"));
    store.rooms().write(6, makeRoom("106", "NDD1", 79, "Y", "Y", "X"));
    shoot(openForm<TapeChartWindow>(WindowId::TapeChart), "tape-chart");
}

} // namespace
} // namespace roomwright::testing
