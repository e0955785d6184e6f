#pragma once

#include "print/document.h"
#include "store/charges.h"
#include "store/motel_details.h"
#include "store/store.h"

#include <string>
#include <vector>

namespace roomwright {

// How a line of a stay's charge file moves the folio's balance.
enum class Effect {
    Payment,  // minus the amount
    RoomRent, // plus the amount and its tax at the current rate
    Charge,   // plus the amount
    None,     // shown, but the balance stays
};
// Payments are "V", "M", "D", "A", "C" and "O"; "E" is room rent; "P", "R", "F", "S", "W"
// and "X" are charges. "K" is both a pay code and a charge code, so its description tells:
// "Check" is a payment, "Copies" a charge.
Effect effectOf(const ChargeLine& line);

// The tax of a room-rent amount at the tax rate (a Single): rounded to cents, halves to the
// even digit.
double roomRentTax(double amount, float taxRate);

// One line of a folio as the clerk sees it on screen or on paper.
struct FolioEntry {
    ChargeLine charge;
    double tax = 0;     // computed for room rent, the line's own tax field otherwise
    double balance = 0; // the running balance after this line
};
struct FolioStatement {
    std::vector<FolioEntry> entries;
    double balance = 0;
};
// Applies the balance rule to a stay's charge lines, in file order, at the current rate.
FolioStatement folioStatement(const std::vector<ChargeLine>& lines, float taxRate);

// The in-house folio shows the stay's folio number under the arrival; the history folio
// of a departed guest shows the departure there as well.
enum class FolioVariant { InHouse, History };

// The guest's printed folio: letterhead (the motel's own lines where they are set), guest
// block, one line per charge line with its running balance, the closing balance and the
// signature line.
Document folioDocument(const GuestRecord& guest, const FolioStatement& statement,
                       FolioVariant variant, const MotelDetails& motel = {});

struct PrintedFolio {
    Document document;
    // Lines of the charge file that could not be read: they are left off the folio.
    std::vector<std::string> problems;
};
// Reads the stay's charge file and the current tax rate and builds the guest's folio. A
// missing or empty charge file gives a folio with a balance of 0.
PrintedFolio printedFolio(const Store& store, const GuestRecord& guest, FolioVariant variant);

} // namespace roomwright
