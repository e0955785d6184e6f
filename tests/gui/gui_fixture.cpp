#include "gui/gui_fixture.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QTextEdit>
#include <QWidget>

namespace roomwright::testing {

DeskTest::DeskTest()
    : directory(temp.path() / "Motel"), store(directory, files),
      clock(CivilDate{2026, 12, 7}, TimeOfDay{9, 30, 0, 0}),
      desk(Store(directory, files), clock, dialogs, printer) {
    directory.ensureExists(files);
}

// Top-level widgets include the pop-up lists of combo boxes, which go with their window: only
// windows without a parent are deleted, and each only while it still exists.
DeskTest::~DeskTest() {
    QList<QPointer<QWidget>> windows;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        windows.append(window);
    }
    for (const QPointer<QWidget>& window : windows) {
        if (window && window->parentWidget() == nullptr) {
            delete window.data();
        }
    }
}

bool isControl(QWidget* widget) {
    const bool interactive =
        qobject_cast<QAbstractButton*>(widget) || qobject_cast<QComboBox*>(widget) ||
        (qobject_cast<QLineEdit*>(widget) && !qobject_cast<QComboBox*>(widget->parent())) ||
        qobject_cast<QTextEdit*>(widget) || qobject_cast<QAbstractItemView*>(widget);
    // A combo box's drop-down list is a window of its own, named through its box; a
    // calendar's month and year buttons are the calendar's, which its keys work.
    const auto inCalendar = [&] {
        for (QWidget* up = widget->parentWidget(); up != nullptr; up = up->parentWidget()) {
            if (qobject_cast<QCalendarWidget*>(up) != nullptr) {
                return true;
            }
        }
        return false;
    };
    return interactive && !qobject_cast<QAbstractItemView*>(widget->parent()) &&
           !qobject_cast<QComboBox*>(widget->parentWidget()) &&
           !(qobject_cast<QAbstractButton*>(widget) && inCalendar());
}

std::vector<QString> controlsWithoutNameOrFocus(QWidget* window) {
    std::vector<QString> faults;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (!isControl(control) || control->window() != window) {
            continue;
        }
        if (control->accessibleName().isEmpty() || control->focusPolicy() == Qt::NoFocus) {
            faults.push_back(control->objectName());
        }
    }
    return faults;
}

void DeskTest::setNow(CivilDate today, TimeOfDay now) {
    clock.set(today, now);
}

} // namespace roomwright::testing
