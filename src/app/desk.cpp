#include "app/desk.h"

#include "frontdesk/check_in_window.h"
#include "frontdesk/guest_folio_window.h"
#include "frontdesk/main_window.h"
#include "messages/message_windows.h"
#include "setup/greetings_window.h"

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
    case WindowId::Greetings:
        return new Form27(services_);
    case WindowId::PostMessage:
        return new Form25(services_);
    case WindowId::ReadMessage:
        return new Form26(services_);
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
