#pragma once

#include "store/charges.h"
#include "store/format/dates.h"
#include "store/store.h"

#include <optional>
#include <string>
#include <vector>

namespace roomwright {

// The guest's details as the windows hold them: the texts of their boxes and lists.
struct GuestDetails {
    std::string lastName;
    std::string firstName;
    std::string address;
    std::string city;
    std::string state;
    std::string zip;
    std::string phone;
    std::string cell;
    std::string company;
    std::string email;
    std::string driversLicense;
    std::string comment;
    std::string adults;
    std::string children;
    std::string cardType; // "V", "M", "D", "A", or "" when no card was chosen
    std::string cardNumber;
    std::string cardExpireMonth;
    std::string cardExpireYear;
};
// The pay codes a stay is registered or kept with, in the order the windows offer them.
const std::vector<std::string>& payCodeList();

// Puts the details into a guest's or a reservation's fields, all but the card type, which
// each record keeps apart.
void putDetails(const GuestDetails& details, PersonFields& fields);

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
// guest's room occupied and dirty, as one operation. Damage the postings would meet and
// amounts that are not postableAmount are refused before anything is written; when a file
// cannot be written, all of it is undone (the folio counter too) and the failure is thrown.
// Returns the guest record as saved.
GuestRecord registerStay(const Store& store, GuestRecord guest, const StayPostings& postings,
                         const CivilDate& today);

} // namespace roomwright
