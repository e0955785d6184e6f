#include "reservations/price_boxes.h"

#include <QLineEdit>

namespace roomwright {

void showPrice(const Price& price, QLineEdit* rate, QLineEdit* tax, QLineEdit* total,
               QLineEdit* stayTotal) {
    rate->setText(QString::fromStdString(price.rate));
    tax->setText(QString::fromStdString(price.tax));
    total->setText(QString::fromStdString(price.total));
    stayTotal->setText(QString::fromStdString(price.stayTotal));
}

} // namespace roomwright
