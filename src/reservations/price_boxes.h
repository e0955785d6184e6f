#pragma once

#include "reservations/reservations.h"

class QLineEdit;

namespace roomwright {

// Shows the price in the price boxes of a booking window.
void showPrice(const Price& price, QLineEdit* rate, QLineEdit* tax, QLineEdit* total,
               QLineEdit* stayTotal);

} // namespace roomwright
