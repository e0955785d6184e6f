#pragma once

#include "store/format/dates.h"

#include <QWidget>

class QCalendarWidget;
class QDate;

namespace roomwright {

// The calendars beside the entry window (Form13): the arrival and the departure day.
class ReservationCalendarsWindow : public QWidget {
    Q_OBJECT
  public:
    explicit ReservationCalendarsWindow(QWidget* owner);
    // Shows the window standing on the two days.
    void load(const CivilDate& arrival, const CivilDate& departure);

    QCalendarWidget* arrivalCalendar;   // Calendar1
    QCalendarWidget* departureCalendar; // Calendar2

  signals:
    void arrivalPicked(const QDate& date);
    void departurePicked(const QDate& arrival, const QDate& departure);

  public slots:
    void arrivalClicked(const QDate& date);
    void arrivalDoubleClicked(const QDate& date);
    void departureClicked(const QDate& date);
};

} // namespace roomwright
