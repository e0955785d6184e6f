#pragma once

#include "store/format/dates.h"
#include "store/format/records.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
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
// Splits the bytes of a charge file, fed in blocks of any size, into lines and parses each:
// `line` hears each line read, `problem` each line that could not be (as in
// ParsedCharges::problems). The name and both listeners must outlive the reader.
class ChargeLineReader {
  public:
    ChargeLineReader(const std::string& fileName,
                     const std::function<void(const ChargeLine&)>& line,
                     const std::function<void(const std::string&)>& problem)
        : fileName_(fileName), line_(line), problem_(problem) {}

    void feed(std::string_view bytes);
    // The last line, when the file does not end with a line end.
    void finish();

  private:
    void keep(std::string_view start);
    void tooLong();
    void parse(std::string_view text);
    void report(const std::string& problem);

    const std::string& fileName_;
    const std::function<void(const ChargeLine&)>& line_;
    const std::function<void(const std::string&)>& problem_;
    std::string pending_;
    std::size_t number_ = 0;
    bool skipping_ = false;
};

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

// The category a charge line counts in, by its code and description ("K" is both Copies and
// Check); nothing for a line no posting writes.
std::optional<Category> lineCategory(const ChargeLine& line);

} // namespace roomwright
