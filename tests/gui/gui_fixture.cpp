#include "gui/gui_fixture.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace roomwright::testing {

DeskTest::DeskTest()
    : directory(temp.path() / "Motel"), store(directory, files),
      clock(CivilDate{2026, 12, 7}, TimeOfDay{9, 30, 0, 0}),
      desk(Store(directory, files), clock, dialogs, printer) {
    directory.ensureExists(files);
}

DeskTest::~DeskTest() {
    // A window may own another (a calendar beside its form): deleting the one deletes both.
    std::vector<QPointer<QWidget>> windows;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        windows.emplace_back(window);
    }
    for (const QPointer<QWidget>& window : windows) {
        delete window.data();
    }
}

void DeskTest::setNow(CivilDate today, TimeOfDay now) { clock.set(today, now); }

} // namespace roomwright::testing
