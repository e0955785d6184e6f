#include "frontdesk/stay_dates_link.h"

#include <QLineEdit>

namespace roomwright {

namespace {

std::string text(const QLineEdit* box) {
    return box->text().toStdString();
}

} // namespace

StayDatesLink::StayDatesLink(QObject* parent, std::function<std::string()> arrival,
                             QLineEdit* nights, QLineEdit* departure, QLineEdit* arrivalBox)
    : QObject(parent), arrival_(std::move(arrival)), nights_(nights), departure_(departure),
      arrivalBox_(arrivalBox) {
    connect(nights_, &QLineEdit::textChanged, this, &StayDatesLink::nightsChanged);
    connect(departure_, &QLineEdit::textChanged, this, &StayDatesLink::departureChanged);
    if (arrivalBox != nullptr) {
        connect(arrivalBox, &QLineEdit::textChanged, this, &StayDatesLink::arrivalChanged);
    }
}

void StayDatesLink::showStay(const QString& arrival, const QString& nights,
                             const QString& departure) {
    showing_ = true;
    if (arrivalBox_ != nullptr) {
        arrivalBox_->setText(arrival);
    }
    nights_->setText(nights);
    departure_->setText(departure);
    showing_ = false;
    dates_.stayShown(arrival_(), text(nights_), text(departure_));
}

void StayDatesLink::nightsChanged() {
    if (!showing_) {
        show(dates_.nightsTyped(arrival_(), text(nights_)));
    }
}

void StayDatesLink::departureChanged() {
    if (!showing_) {
        show(dates_.departureTyped(arrival_(), text(departure_)));
    }
}

void StayDatesLink::arrivalChanged() {
    if (!showing_) {
        show(dates_.arrivalTyped(arrival_(), text(nights_), text(departure_)));
    }
}

void StayDatesLink::show(const StayDates::Shown& shown) {
    showing_ = true;
    if (shown.nights) {
        nights_->setText(QString::fromStdString(*shown.nights));
    }
    if (shown.departure) {
        departure_->setText(QString::fromStdString(*shown.departure));
    }
    showing_ = false;
}

} // namespace roomwright
