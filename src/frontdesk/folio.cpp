#include "frontdesk/folio.h"

#include "store/layout.h"
#include "store/lookups.h"
#include "store/numbers.h"
#include "store/settings.h"

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

const std::string kRule(140, '-');

void letterhead(Document& page) {
    page.text(std::string(57, ' ') + "Temporary Motel Inc.").endLine().endLine();
    page.text(std::string(55, ' ') + "123456 N. Meadows Road").endLine().endLine();
    page.text(std::string(57, ' ') + "Fernbrook, KY  40000").endLine().endLine();
    page.text(std::string(38, ' ') + "Phone: 270-123-4567           Fax: 270-234-5678").endLine();
    page.text(kRule).endLine();
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
    page.text(inHouse ? kRule : kRule + "-").endLine();
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
                       FolioVariant variant) {
    Document page("Folio " + plainNumber(guest.FolioNumber), 12);
    letterhead(page);
    guestBlock(page, guest, variant);

    page.text("Room#").tab(10).text("Date").tab(25).text("Shift").tab(32).text("Code");
    page.tab(40).text("Description").tab(64).text("Amount").tab(75).text("Tax");
    page.tab(85).text("Balance").endLine();
    page.text(kRule).endLine();

    for (const FolioEntry& entry : statement.entries) {
        const ChargeLine& line = entry.charge;
        page.text(onPaper(line.RoomNumber)).tab(10).text(shortDate(line.PostDate));
        page.tab(25).text(onPaper(line.Shift)).tab(35).text(onPaper(line.Code));
        page.tab(40).text(trimBlanks(onPaper(line.Description)));
        page.tab(65).number(line.Amount).tab(75).number(entry.tax).tab(85).number(entry.balance);
        page.endLine();
    }

    page.text(kRule).endLine();
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
    return {folioDocument(guest, statement, variant), charges.problems};
}

} // namespace roomwright
