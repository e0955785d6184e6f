#include "app/desk.h"

#include "frontdesk/check_in_window.h"
#include "frontdesk/guest_folio_window.h"
#include "frontdesk/main_window.h"
#include "messages/message_windows.h"
#include "reports/history_windows.h"
#include "reports/monthly_report_window.h"
#include "reports/night_audit_window.h"
#include "setup/amount_window.h"
#include "setup/greetings_window.h"
#include "setup/main_menu_window.h"
#include "setup/room_inventory_window.h"
#include "setup/room_list_window.h"
#include "setup/room_properties_window.h"
#include "setup/room_status_window.h"
#include "setup/shift_clerk_window.h"
#include "setup/unsold_rooms_window.h"

namespace roomwright {

Desk::Desk(Store store, Clock& clock, Dialogs& dialogs, Printer& printer)
    : services_{std::move(store), clock, dialogs, printer, *this} {}

DeskWindow* Desk::create(WindowId id) {
    switch (id) {
    case WindowId::Main:
        return new Form1(services_);
    case WindowId::CheckIn:
        return new Form6(services_);
    case WindowId::GuestFolio:
        return new Form9(services_);
    case WindowId::MainMenu:
        return new Form2(services_);
    case WindowId::RoomInventory:
        return new Form3(services_);
    case WindowId::RoomList:
        return new Form4(services_);
    case WindowId::UnsoldRooms:
        return new Form5(services_);
    case WindowId::TaxRate:
        return new Form7(services_);
    case WindowId::PetFee:
        return new Form8(services_);
    case WindowId::ShiftClerk:
        return new Form10(services_);
    case WindowId::RoomProperties:
        return new Form23(services_);
    case WindowId::RoomStatus:
        return new Form24(services_);
    case WindowId::Greetings:
        return new Form27(services_);
    case WindowId::PostMessage:
        return new Form25(services_);
    case WindowId::ReadMessage:
        return new Form26(services_);
    case WindowId::MonthlyReport:
        return new MonthlyReportWindow(services_);
    case WindowId::NightAudit:
        return new NightAuditWindow(services_);
    case WindowId::GuestHistory:
        return new GuestHistoryWindow(services_);
    case WindowId::HistoryNames:
        return new HistoryNamesWindow(services_);
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
    window->Form_Load();
    return window;
}

void Desk::close(WindowId id) {
    if (QWidget* window = find(id)) {
        window->close();
    }
}

QWidget* Desk::find(WindowId id) const {
    const auto it = open_.find(id);
    return it == open_.end() ? nullptr : it->second.data();
}

} // namespace roomwright
