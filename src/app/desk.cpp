#include "app/desk.h"

#include "app/start_up.h"

#include "frontdesk/check_in_window.h"
#include "frontdesk/guest_folio_window.h"
#include "frontdesk/main_window.h"
#include "messages/message_windows.h"
#include "reports/history_windows.h"
#include "reports/monthly_report_window.h"
#include "reports/night_audit_window.h"
#include "reservations/reservation_entry_window.h"
#include "reservations/reservation_window.h"
#include "reservations/reservations_menu_window.h"
#include "reservations/tape_chart_window.h"
#include "setup/amount_window.h"
#include "setup/greetings_window.h"
#include "setup/main_menu_window.h"
#include "setup/motel_details_window.h"
#include "setup/room_inventory_window.h"
#include "setup/room_list_window.h"
#include "setup/room_properties_window.h"
#include "setup/room_status_window.h"
#include "setup/shift_clerk_window.h"
#include "setup/unsold_rooms_window.h"
#include "ui/program_icon.h"

#include <QApplication>

namespace roomwright {

Desk::Desk(Store store, Clock& clock, Dialogs& dialogs, Printer& printer,
           std::optional<WriterLock> claim)
    : services_{std::move(store), clock, dialogs, printer, *this, *this}, claim_(std::move(claim)) {
    // Every window of the program, and every box it shows, carries the program's icon.
    QApplication::setWindowIcon(programIcon());
}

DeskWindow* Desk::create(WindowId id) {
    switch (id) {
    case WindowId::Main: {
        auto* window = new MainWindow(services_);
        // A booking arriving today opens in the reservation window, ready to check in.
        QObject::connect(window, &MainWindow::arrivalOpened, window, [this](std::size_t record) {
            if (auto* reservation = dynamic_cast<ReservationWindow*>(open(WindowId::Reservation))) {
                reservation->showRecord(record);
            }
        });
        return window;
    }
    case WindowId::CheckIn:
        return new CheckInWindow(services_);
    case WindowId::GuestFolio:
        return new GuestFolioWindow(services_);
    case WindowId::MainMenu:
        return new MainMenuWindow(services_);
    case WindowId::RoomInventory:
        return new RoomInventoryWindow(services_);
    case WindowId::RoomList:
        return new RoomListWindow(services_);
    case WindowId::UnsoldRooms:
        return new UnsoldRoomsWindow(services_);
    case WindowId::TaxRate:
        return new TaxRateWindow(services_);
    case WindowId::PetFee:
        return new PetFeeWindow(services_);
    case WindowId::ShiftClerk:
        return new ShiftClerkWindow(services_);
    case WindowId::RoomProperties:
        return new RoomPropertiesWindow(services_);
    case WindowId::RoomStatus:
        return new RoomStatusWindow(services_);
    case WindowId::Reservations:
        return new ReservationsMenuWindow(services_);
    case WindowId::ReservationEntry:
        return new ReservationEntryWindow(services_);
    case WindowId::Reservation: {
        auto* window = new ReservationWindow(services_);
        QObject::connect(window, &ReservationWindow::bookingClosed, window, [this] {
            if (auto* main = dynamic_cast<MainWindow*>(find(WindowId::Main))) {
                main->showArrivals();
            }
        });
        return window;
    }
    case WindowId::Greetings:
        return new GreetingsWindow(services_);
    case WindowId::PostMessage:
        return new PostMessageWindow(services_);
    case WindowId::ReadMessage:
        return new ReadMessageWindow(services_);
    case WindowId::MonthlyReport:
        return new MonthlyReportWindow(services_);
    case WindowId::NightAudit:
        return new NightAuditWindow(services_);
    case WindowId::GuestHistory:
        return new GuestHistoryWindow(services_);
    case WindowId::HistoryNames:
        return new HistoryNamesWindow(services_);
    case WindowId::MotelDetails: {
        auto* window = new MotelDetailsWindow(services_);
        QObject::connect(window, &MotelDetailsWindow::detailsSaved, window, [this] {
            if (auto* main = dynamic_cast<MainWindow*>(find(WindowId::Main))) {
                main->showMotelName();
            }
        });
        return window;
    }
    case WindowId::TapeChart:
        return new TapeChartWindow(services_);
    default:
        return nullptr;
    }
}

QWidget* Desk::open(WindowId id) {
    // A window that has just closed is replaced by a freshly loaded one.
    if (DeskWindow* window = open_[id]; window != nullptr && !window->closing()) {
        window->show();
        window->raise();
        window->activateWindow();
        return window;
    }
    DeskWindow* window = create(id);
    if (window == nullptr) {
        return nullptr;
    }
    open_[id] = window;
    window->loadAndFocus();
    return window;
}

void Desk::close(WindowId id) {
    if (QWidget* window = find(id)) {
        window->close();
    }
}

// The windows show what they loaded from the files a restore replaces: they close, but the
// main window, which loads again, and the window that asked.
Restored Desk::restore(const Path& archive, QWidget* keep) {
    for (const auto& [id, window] : open_) {
        if (window != nullptr && window != keep && id != WindowId::Main) {
            window->close();
        }
    }
    const DataDirectory directory = services_.store.directory();
    const bool held = claim_.has_value();
    claim_.reset();
    Restored restored;
    try {
        restored =
            restoreBackup(services_.store.journal().disk(), directory, archive, services_.clock,
                          [&] { return std::optional(WriterLock::take(directory, "roomwright")); });
    } catch (...) {
        reopen(held);
        throw;
    }
    reopen(held);
    return restored;
}

void Desk::reopen(bool claim) {
    FileSystem& files = services_.store.journal().disk();
    services_.store = Store(services_.store.directory(), files);
    if (claim) {
        claim_ =
            claimDataDirectory(services_.store, files, services_.dialogs, services_.clock.today());
        if (!claim_) {
            // Another program took the directory meanwhile, and the clerk has been told:
            // this one must not write to it.
            QCoreApplication::exit(1);
            return;
        }
    }
    if (auto* main = dynamic_cast<DeskWindow*>(find(WindowId::Main))) {
        main->load();
    }
}

QWidget* Desk::find(WindowId id) const {
    const auto it = open_.find(id);
    return it == open_.end() ? nullptr : it->second.data();
}

} // namespace roomwright
