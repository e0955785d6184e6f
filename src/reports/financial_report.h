#pragma once

#include "print/document.h"
#include "store/store.h"

#include <array>
#include <string>

namespace roomwright {

// "December  2026": the month's English name, two blanks, the four-digit year.
std::string monthTitle(const CivilDate& date);

// The month's running sums as the night audit and the monthly report print them: the seven
// charge categories beside the seven payment categories, the tax on the room rent, and
// the two totals (the tax is in neither).
Document financialReport(const TotalsRecord& totals, float taxRate, const CivilDate& month);
// The same report for the month of `today`, read afresh from its totals file and the tax
// rate. A month without a totals file reports every amount as 0; nothing is written.
Document financialReport(const Store& store, const CivilDate& today);

// What the monthly report window shows, each figure as a text box shows a number.
struct MonthlyFigures {
    std::string title;
    // Rent, Pet, Copies, Stamp, WiFi, Fax, Roll Away.
    std::array<std::string, 7> charges;
    // Visa, Master Card, Discover, American Express, Cash, Check, Other.
    std::array<std::string, 7> payments;
    std::string tax;
    std::string chargeTotal;
    std::string paymentTotal;
};
MonthlyFigures monthlyFigures(const Store& store, const CivilDate& today);

} // namespace roomwright
