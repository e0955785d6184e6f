#include "frontdesk/folio_list.h"

#include "frontdesk/folio.h"
#include "store/format/dates.h"
#include "store/format/layout.h"
#include "store/format/numbers.h"
#include "store/settings.h"

namespace roomwright {

std::string folioListLine(const ChargeLine& line, double tax, double balance, FolioGap gap) {
    const std::string blanks(static_cast<std::size_t>(gap), ' ');
    std::string description = trimBlanks(line.Description);
    // A description longer than its column still leaves a blank before the amount.
    description.resize(std::max<std::size_t>(21, description.size() + 1), ' ');
    return line.RoomNumber + "   " + shortDate(line.PostDate) + std::string(11, ' ') + line.Shift +
           std::string(8, ' ') + line.Code + std::string(11, ' ') + description +
           numberText(line.Amount) + blanks + numberText(tax) + blanks + numberText(balance);
}

std::string folioListHeader(FolioGap gap) {
    const auto column = [](std::string caption, std::size_t width) {
        caption.resize(std::max(width, caption.size() + 1), ' ');
        return caption;
    };
    const auto blanks = static_cast<std::size_t>(gap);
    return column("Room", 5 + 3) + column("Date", 10 + 11) + column("Shift", 1 + 8) +
           column("Code", 1 + 11) + column("Description", 21) + column("Amount", 4 + blanks) +
           column("Tax", 5 + blanks) + "Balance";
}

FolioListing folioListing(const Store& store, long folioNumber, FolioGap gap) {
    ParsedCharges charges = readCharges(store, folioNumber);
    const FolioStatement statement = folioStatement(charges.lines, taxRate(store));
    FolioListing listing;
    for (const FolioEntry& entry : statement.entries) {
        listing.lines.push_back(folioListLine(entry.charge, entry.tax, entry.balance, gap));
    }
    listing.balance = plainNumber(statement.balance);
    listing.problems = std::move(charges.problems);
    return listing;
}

} // namespace roomwright
