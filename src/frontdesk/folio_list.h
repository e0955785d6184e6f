#pragma once

#include "frontdesk/folio.h"
#include "store/store.h"

#include <string>
#include <vector>

namespace roomwright {

// A stay's folio as the folio and history windows list it, in a fixed-pitch font: one line
// per charge line (room as stored, post date, shift, code, description, amount, tax and
// running balance), under a line of captions. Every column starts at one place on every line;
// amount, tax and balance stand right-aligned under their captions, each number in its
// number-to-text form with its decimal point above the others'. (A printed folio keeps its
// own tab columns.)
struct FolioListing {
    std::string header;
    std::vector<std::string> lines;
    std::string balance; // the final balance, without a leading blank
    bool settled = true; // the final balance is 0
    // Lines of the charge file that could not be read: they are left off the list.
    std::vector<std::string> problems;
};
FolioListing listFolio(const FolioStatement& statement);
// The stay's charge file listed, balanced by the folio balance rule at the current tax rate.
FolioListing folioListing(const Store& store, long folioNumber);

} // namespace roomwright
