#pragma once

#include "store/dates.h"
#include "store/records.h"
#include "store/store.h"

#include <optional>
#include <string>
#include <vector>

namespace roomwright {

// One posting of a stay, as a line of its charge file.
struct ChargeLine {
    std::string RoomNumber; // the guest's room number as stored, 5 characters
    std::string Shift;
    std::string Clerk;
    CivilDate PostDate;
    std::string Code;
    std::string Description;
    double Amount = 0;         // read back as the decimal text it was written as
    std::optional<double> Tax; // never written; a reader computes the tax of room rent
    long FolioNumber = 0;
};

// The line as it is written, without its CR LF:
// "101  ","A","JS",#2026-12-07#,"E","Room Rent",59.95,,17,,"-----","-----",,,,,,
std::string formatChargeLine(const ChargeLine& line);

struct ParsedCharges {
    std::vector<ChargeLine> lines;
    // One entry per line that could not be read: the file, the line number and why.
    std::vector<std::string> problems;
};
// Parses the text of a charge file (Windows-1252). Never fails: a malformed line is skipped
// and reported.
ParsedCharges parseChargeFile(std::string_view bytes, const std::string& fileName);

// What can be posted to a stay: a code, its description and the month's totals slot.
enum class Category {
    RoomRent,
    PetFee,
    Copies,
    Stamp,
    Fax,
    RollAway,
    Visa,
    MasterCard,
    Discover,
    AmericanExpress,
    Cash,
    Check,
    Other,
};
struct CategoryInfo {
    Category category;
    const char* code;
    const char* description;
    TotalsSlot slot;
    bool payment;
};
const CategoryInfo& categoryInfo(Category category);
// The payment category of a pay code ("V", "M", "D", "A", "C", "K", "O").
std::optional<Category> paymentCategory(std::string_view payCode);

// Posts an item: appends its line to the stay's charge file and adds the amount to the
// month's totals, as one operation: both happen or neither.
void postItem(const Store& store, long folioNumber, const std::string& roomNumber,
              Category category, double amount, const CivilDate& today);

// Every line of a stay's charge file; a missing file has none.
ParsedCharges readCharges(const Store& store, long folioNumber);

} // namespace roomwright
