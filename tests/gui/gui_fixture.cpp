#include "gui/gui_fixture.h"

#include <QApplication>
#include <QWidget>

namespace roomwright::testing {

DeskTest::DeskTest()
    : directory(temp.path() / "Motel"), store(directory, files),
      clock(CivilDate{2026, 12, 7}, TimeOfDay{9, 30, 0, 0}),
      desk(Store(directory, files), clock, dialogs, printer) {
    directory.ensureExists(files);
}

DeskTest::~DeskTest() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        delete window;
    }
}

void DeskTest::setNow(CivilDate today, TimeOfDay now) { clock.set(today, now); }

} // namespace roomwright::testing
