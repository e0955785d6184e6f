#pragma once

#include "frontdesk/check_in_window.h"
#include "gui/clerk.h"

#include <QComboBox>
#include <QLineEdit>

namespace roomwright::testing {

// The tests' walk-in guest, Ann Smith of 12 Elm Street, Louisville, Kentucky, paying cash,
// typed into the check-in window as a clerk does.
inline void typeWalkInGuest(CheckInWindow* form) {
    type(form->lastNameBox, "Smith");
    type(form->firstNameBox, "Ann");
    type(form->addressBox, "12 Elm Street");
    type(form->cityBox, "Louisville");
    pick(form->stateCombo, "Kentucky");
    type(form->zipBox, "40202");
    type(form->phoneBox, "502-555-0101");
    type(form->cellBox, "502-555-0199");
    type(form->emailBox, "ann@example.com");
    pick(form->payCodeCombo, "C = Cash");
}

} // namespace roomwright::testing
