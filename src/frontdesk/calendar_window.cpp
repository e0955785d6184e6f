#include "frontdesk/calendar_window.h"

#include "ui/placement.h"

#include <QCalendarWidget>
#include <QScreen>
#include <QVBoxLayout>

namespace roomwright {

CalendarWindow::CalendarWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    // Shown beside its owner, it leaves the keyboard there until the clerk turns to it.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setObjectName(QStringLiteral("Form21"));
    setWindowTitle(QStringLiteral("Calendar"));
    monthView = new QCalendarWidget(this);
    nameControl(monthView, "Calendar1", QStringLiteral("Calendar"));
    monthView->setGridVisible(true);
    monthView->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(monthView);

    connect(monthView, &QCalendarWidget::clicked, this, &CalendarWindow::dayClicked);
    // Qt reports a double-click and Enter alike; both count as picking the day.
    connect(monthView, &QCalendarWidget::activated, this, &CalendarWindow::dayActivated);
}

void CalendarWindow::load(const CivilDate& date) {
    monthView->setSelectedDate(toQDate(date));
    // To the right of its owner, or else to its left, and on the screen in any case.
    if (const QWidget* owner = parentWidget()) {
        const QRect beside = owner->frameGeometry();
        const QRect screen = owner->screen()->availableGeometry();
        const int width = frameGeometry().width();
        const bool right = beside.right() + 8 + width <= screen.right();
        move(right ? beside.right() + 8 : beside.left() - 8 - width, beside.top());
    }
    keepOnScreen(this);
    show();
}

void CalendarWindow::dayClicked(const QDate& date) {
    emit dayPicked(date);
}

void CalendarWindow::dayActivated(const QDate& date) {
    emit dayPicked(date);
    emit dayDoubleClicked(date);
}

} // namespace roomwright
