#pragma once

#include "store/charges.h"
#include "store/format/dates.h"
#include "store/store.h"

#include <array>
#include <cstddef>
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
// The guest's boxes in box order, the order every window shows them in: last name to
// children, then the card number and its expiry month and year.
inline constexpr std::size_t kGuestBoxCount = 17;
inline constexpr std::size_t kCardNumberBox = 14;
using GuestBoxTexts = std::array<std::string, kGuestBoxCount>;
// Visits the fields of a guest or a reservation that the boxes show, with each one's place
// in box order.
template <class Person, class Visit> void forEachBox(Person& person, Visit visit) {
    visit(0, person.LastName);
    visit(1, person.FirstName);
    visit(2, person.Address);
    visit(3, person.City);
    visit(4, person.State);
    visit(5, person.Zip);
    visit(6, person.Phone);
    visit(7, person.Cell);
    visit(8, person.Company);
    visit(9, person.Email);
    visit(10, person.DriversLicense);
    visit(11, person.Comment);
    visit(12, person.Adults);
    visit(13, person.Children);
    visit(14, person.CardNumber);
    visit(15, person.CardExpireMonth);
    visit(16, person.CardExpireYear);
}

// What the state and card expiry lists show while nothing is picked.
inline const std::string kStatePrompt = "Select State";
inline const std::string kExpireMonthPrompt = "Expire Month";
inline const std::string kExpireYearPrompt = "Expire Year";

// The pay codes a stay is registered or kept with, in the order the windows offer them.
const std::vector<std::string>& payCodeList();

// Puts the details into a guest's or a reservation's fields, all but the card type, which
// each record keeps apart; a card number that is the mask of the stored one keeps it
// (putCardNumber).
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
