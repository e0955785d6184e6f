#include "frontdesk/folio.h"

#include "store/format/layout.h"
#include "store/format/numbers.h"
#include "store/lookups.h"
#include "store/motel_details.h"
#include "store/settings.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace roomwright {

namespace {

bool oneOf(std::string_view code, std::initializer_list<std::string_view> codes) {
    for (const std::string_view candidate : codes) {
        if (code == candidate) {
            return true;
        }
    }
    return false;
}

// Sums of decimal amounts in binary floating point leave dust (0.1 + 0.2 - 0.3 is not 0);
// amounts carry at most a Single's seven digits, so the balance is kept to a millionth.
double tidy(double balance) {
    return std::round(balance * 1e6) / 1e6;
}

std::string trimmedField(const auto& field) {
    return rightTrim(onPaper(field.str()));
}
std::string fullField(const auto& field) {
    return onPaper(field.str());
}

std::string dateText(double stored) {
    return shortDate(CivilDate::fromStored(stored));
}

// The rule across the page: 140 hyphens (141 under the history variant's guest block).
constexpr int kRule = 140;

// The letterhead's standard lines, each with the blanks that centre it, and the setting
// that replaces it. A set line is centred on the column its standard line is centred on
// (half its characters to the left of it), so the same texts set give the same page.
struct LetterheadLine {
    int blanks;
    std::string_view standard;
    std::string MotelDetails::*setting;
};
constexpr LetterheadLine kLetterhead[] = {
    {57, "Temporary Motel Inc.", &MotelDetails::name},
    {55, "123456 N. Meadows Road", &MotelDetails::street},
    {57, "Fernbrook, KY  40000", &MotelDetails::town},
    {38, "Phone: 270-123-4567           Fax: 270-234-5678", &MotelDetails::phone},
};

std::string letterheadText(const LetterheadLine& line, const MotelDetails& motel) {
    const std::string& set = motel.*line.setting;
    if (set.empty()) {
        return std::string(static_cast<std::size_t>(line.blanks), ' ') + std::string(line.standard);
    }
    // A text wider than the page's rule is cut to it; one too wide to centre starts at the
    // first column.
    const std::string_view text = firstCharacters(set, kRule);
    const int centre = line.blanks + characterCount(line.standard) / 2;
    const int blanks = std::max(0, centre - characterCount(text) / 2);
    return std::string(static_cast<std::size_t>(blanks), ' ') + std::string(text);
}

void letterhead(Document& page, const MotelDetails& motel) {
    // An empty line after each but the phone line, which the rule follows.
    for (std::size_t i = 0; i < std::size(kLetterhead); ++i) {
        page.text(letterheadText(kLetterhead[i], motel)).endLine();
        if (i + 1 < std::size(kLetterhead)) {
            page.endLine();
        }
    }
    page.rule('-', kRule).endLine();
}

void guestBlock(Document& page, const GuestRecord& guest, FolioVariant variant) {
    const bool inHouse = variant == FolioVariant::InHouse;
    const std::string name = trimmedField(guest.LastName) + ", " + trimmedField(guest.FirstName);
    const std::string town =
        trimmedField(guest.City) + ", " + trimmedField(guest.State) + "  " + fullField(guest.Zip);
    const std::string folio = numberText(guest.FolioNumber);
    const std::string arrival = dateText(guest.ArrivalDate);

    page.text(name).tab(65).text("Arrival Date: ").text(inHouse ? " " + arrival : arrival);
    page.endLine();
    page.text(trimmedField(guest.Address))
        .tab(65)
        .text("Arrival Time:  " + fullField(guest.ArrivalTime))
        .endLine();
    page.text(town).tab(65);
    page.text(inHouse ? "Folio:  " + folio : "Depart Date:  " + dateText(guest.DepartureDate));
    page.endLine();
    page.text("Phone:  " + trimmedField(guest.Phone));
    if (!inHouse) {
        page.tab(65).text("Depart time:  " + fullField(guest.DepartureTime));
    }
    page.endLine();
    page.text("Cell: " + trimmedField(guest.Cell));
    if (!inHouse) {
        page.tab(65).text("Folio: " + folio);
    }
    page.endLine();
    page.text("Email:  " + trimmedField(guest.Email)).endLine();
    page.rule('-', inHouse ? kRule : kRule + 1).endLine();
}

} // namespace

Effect effectOf(const ChargeLine& line) {
    const std::string& code = line.Code;
    if (code == "K") {
        const std::string description = trimBlanks(line.Description);
        if (description == "Check") {
            return Effect::Payment;
        }
        return description == "Copies" ? Effect::Charge : Effect::None;
    }
    if (oneOf(code, {"V", "M", "D", "A", "C", "O"})) {
        return Effect::Payment;
    }
    if (code == "E") {
        return Effect::RoomRent;
    }
    if (oneOf(code, {"P", "R", "F", "S", "W", "X"})) {
        return Effect::Charge;
    }
    return Effect::None;
}

double roomRentTax(double amount, float taxRate) {
    return roundToCents(amount * static_cast<double>(taxRate));
}

FolioStatement folioStatement(const std::vector<ChargeLine>& lines, float taxRate) {
    FolioStatement statement;
    double balance = 0;
    for (const ChargeLine& line : lines) {
        FolioEntry entry{line, line.Tax.value_or(0.0), 0};
        switch (effectOf(line)) {
        case Effect::Payment:
            balance -= line.Amount;
            break;
        case Effect::RoomRent:
            entry.tax = roomRentTax(line.Amount, taxRate);
            balance += line.Amount + entry.tax;
            break;
        case Effect::Charge:
            balance += line.Amount;
            break;
        case Effect::None:
            break;
        }
        balance = tidy(balance);
        entry.balance = balance;
        statement.entries.push_back(std::move(entry));
    }
    statement.balance = balance;
    return statement;
}

Document folioDocument(const GuestRecord& guest, const FolioStatement& statement,
                       FolioVariant variant, const MotelDetails& motel) {
    Document page("Folio " + plainNumber(guest.FolioNumber), 12);
    letterhead(page, motel);
    guestBlock(page, guest, variant);

    page.text("Room#").tab(10).text("Date").tab(25).text("Shift").tab(32).text("Code");
    page.tab(40).text("Description").tab(64).text("Amount").tab(75).text("Tax");
    page.tab(85).text("Balance").endLine();
    page.rule('-', kRule).endLine();

    for (const FolioEntry& entry : statement.entries) {
        const ChargeLine& line = entry.charge;
        page.text(onPaper(line.RoomNumber)).tab(10).text(shortDate(line.PostDate));
        page.tab(25).text(onPaper(line.Shift)).tab(35).text(onPaper(line.Code));
        page.tab(40).text(trimBlanks(onPaper(line.Description)));
        page.tab(65).number(line.Amount).tab(75).number(entry.tax).tab(85).number(entry.balance);
        page.endLine();
    }

    page.rule('-', kRule).endLine();
    page.tab(73).text("Balance.....").number(statement.balance).endLine();
    for (int i = 0; i < 6; ++i) {
        page.endLine();
    }
    page.tab(25).text(std::string(71, '-')).endLine();
    page.tab(35).text(std::string(13, ' ') + "Guest Signature").endLine();
    return page;
}

PrintedFolio printedFolio(const Store& store, const GuestRecord& guest, FolioVariant variant) {
    const ParsedCharges charges = readCharges(store, folioNumberOf(store, guest));
    const FolioStatement statement = folioStatement(charges.lines, taxRate(store));
    return {folioDocument(guest, statement, variant, motelDetails(store)), charges.problems};
}

} // namespace roomwright
