#pragma once

#include "store/format/dates.h"

#include <QDate>
#include <QWidget>

class QCalendarWidget;

namespace roomwright {

inline QDate toQDate(const CivilDate& date) {
    return QDate(date.year, date.month, date.day);
}
inline CivilDate toCivilDate(const QDate& date) {
    return {date.year(), date.month(), date.day()};
}

// A small month calendar beside the window that owns it. It lives as long as its owner and
// is only hidden between uses.
class CalendarWindow : public QWidget {
    Q_OBJECT
  public:
    explicit CalendarWindow(QWidget* owner);

    // Shows the calendar next to its owner, standing on `date`.
    void load(const CivilDate& date);

    QCalendarWidget* monthView;

  signals:
    // The clerk picked a day: a click, or Enter on the day the keyboard stands on.
    void dayPicked(const QDate& date);
    // The clerk double-clicked a day (or pressed Enter on it).
    void dayDoubleClicked(const QDate& date);

  public slots:
    void dayClicked(const QDate& date);
    void dayActivated(const QDate& date);
};

} // namespace roomwright
