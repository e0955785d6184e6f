#pragma once

#include "frontdesk/stay_dates.h"

#include <QObject>

#include <functional>
#include <string>

class QLineEdit;

namespace roomwright {

// Keeps a window's nights box and departure date box filling each other (StayDates) as the
// clerk types into them, picks a departure date, or the window sets them.
class StayDatesLink : public QObject {
  public:
    // `arrival` gives the arrival date as a date box shows it; when it stands in a box,
    // `arrivalBox` names it, and a changed arrival moves the departure or the nights.
    StayDatesLink(QObject* parent, std::function<std::string()> arrival, QLineEdit* nights,
                  QLineEdit* departure, QLineEdit* arrivalBox = nullptr);

    // Shows a stored stay's arrival (in the arrival box), nights and departure date.
    void showStay(const QString& arrival, const QString& nights, const QString& departure);

  private:
    void nightsChanged();
    void departureChanged();
    void arrivalChanged();
    void show(const StayDates::Shown& shown);

    std::function<std::string()> arrival_;
    QLineEdit* nights_;
    QLineEdit* departure_;
    QLineEdit* arrivalBox_;
    StayDates dates_;
    bool showing_ = false; // while the link itself fills a box
};

} // namespace roomwright
