#include "reservations/reservation_calendars_window.h"

#include "frontdesk/calendar_window.h"
#include "ui/controls.h"
#include "ui/placement.h"

#include <QCalendarWidget>
#include <QGridLayout>
#include <QLabel>

namespace roomwright {

ReservationCalendarsWindow::ReservationCalendarsWindow(QWidget* owner)
    : QWidget(owner, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("Form13"));
    setWindowTitle(QStringLiteral("Arriving On"));
    arrivalCalendar = new QCalendarWidget(this);
    arrivalCalendar->setObjectName(QStringLiteral("Calendar1"));
    departureCalendar = new QCalendarWidget(this);
    departureCalendar->setObjectName(QStringLiteral("Calendar2"));
    auto* grid = new QGridLayout(this);
    const std::pair<const char*, QCalendarWidget*> columns[] = {{"Arriving", arrivalCalendar},
                                                                {"Departing", departureCalendar}};
    int column = 0;
    for (const auto& [caption, calendar] : columns) {
        calendar->setGridVisible(true);
        calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        grid->addWidget(makeCaption(this, QString::fromLatin1(caption), calendar), 0, column);
        grid->addWidget(calendar, 1, column++);
    }
    connect(arrivalCalendar, &QCalendarWidget::clicked, this,
            &ReservationCalendarsWindow::arrivalClicked);
    // Qt reports a double-click and Enter on a day alike.
    connect(arrivalCalendar, &QCalendarWidget::activated, this,
            &ReservationCalendarsWindow::arrivalDoubleClicked);
    connect(departureCalendar, &QCalendarWidget::clicked, this,
            &ReservationCalendarsWindow::departureClicked);
    connect(departureCalendar, &QCalendarWidget::activated, this,
            &ReservationCalendarsWindow::departureClicked);
}

void ReservationCalendarsWindow::load(const CivilDate& arrival, const CivilDate& departure) {
    arrivalCalendar->setSelectedDate(toQDate(arrival));
    departureCalendar->setSelectedDate(toQDate(departure));
    placeAt(this, 500, 2000);
    show();
}

void ReservationCalendarsWindow::arrivalClicked(const QDate& date) {
    emit arrivalPicked(date);
}

void ReservationCalendarsWindow::arrivalDoubleClicked(const QDate& date) {
    emit arrivalPicked(date);
    close();
}

void ReservationCalendarsWindow::departureClicked(const QDate& date) {
    emit departurePicked(arrivalCalendar->selectedDate(), date);
}

} // namespace roomwright
