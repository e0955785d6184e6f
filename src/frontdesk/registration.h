#pragma once

#include "store/charges.h"
#include "store/dates.h"
#include "store/store.h"

#include <optional>

namespace roomwright {

// What a new stay posts to its folio: the first night's room rent, the pet fee when there is
// one, and the payment for the whole stay when the pay code names one.
struct StayPostings {
    double roomRent = 0;
    std::optional<double> petFee;
    std::optional<Category> payment;
    double paid = 0;
};

// The registration step of every check-in, walk-in or reserved: issues the folio number,
// appends the guest with it and with today as arrival, posts the stay's items and marks the
// guest's room occupied and dirty. When a file cannot be written, what was already written
// of the stay is taken back (the folio number stays used) and the failure is thrown.
// Returns the guest record as saved.
GuestRecord registerStay(const Store& store, GuestRecord guest, const StayPostings& postings,
                         const CivilDate& today);

} // namespace roomwright
