#include "store/charges.h"

#include "store/codepage.h"
#include "store/numbers.h"
#include "store/settings.h"
#include "store/store_error.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace roomwright {

namespace {

std::string quotedField(std::string_view text) {
    // The format has no escape for a quote inside a field: a quote typed by the clerk would
    // end the field early, so it is written as an apostrophe.
    std::string body(text);
    for (char& c : body) {
        if (c == '"') {
            c = '\'';
        }
    }
    return "\"" + body + "\"";
}

std::string dateField(const CivilDate& date) {
    return "#" + isoDate(date) + "#";
}

// Splits one line into its fields. A field is "text" between quotes, #date# between number
// signs, or bare text up to the next comma. Returns nothing when a quote or number sign is
// not closed or text follows a closing one.
std::optional<std::vector<std::string>> splitFields(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t i = 0;
    while (true) {
        std::string value;
        if (i < line.size() && (line[i] == '"' || line[i] == '#')) {
            const char close = line[i];
            const std::size_t end = line.find(close, i + 1);
            if (end == std::string_view::npos) {
                return std::nullopt;
            }
            value = std::string(line.substr(i, end - i + 1));
            i = end + 1;
            if (i < line.size() && line[i] != ',') {
                return std::nullopt;
            }
        } else {
            const std::size_t end = std::min(line.find(',', i), line.size());
            value = std::string(line.substr(i, end - i));
            i = end;
        }
        fields.push_back(std::move(value));
        if (i >= line.size()) {
            return fields;
        }
        ++i; // the comma
    }
}

std::optional<std::string> textField(const std::string& field) {
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
        return fromCp1252(std::string_view(field).substr(1, field.size() - 2));
    }
    return std::nullopt;
}

std::optional<CivilDate> dateFieldValue(const std::string& field) {
    if (field.size() < 2 || field.front() != '#' || field.back() != '#') {
        return std::nullopt;
    }
    return parseIsoDate(field.substr(1, field.size() - 2));
}

std::optional<std::string> readLine(const std::vector<std::string>& fields, ChargeLine& line) {
    constexpr std::size_t kFields = 18;
    if (fields.size() != kFields) {
        return "it has " + std::to_string(fields.size()) + " fields instead of 18";
    }
    const auto room = textField(fields[0]);
    const auto shift = textField(fields[1]);
    const auto clerk = textField(fields[2]);
    const auto code = textField(fields[4]);
    const auto description = textField(fields[5]);
    if (!room || !shift || !clerk || !code || !description) {
        return "a text field is not between quotes";
    }
    const auto date = dateFieldValue(fields[3]);
    if (!date) {
        return "the date is not a date";
    }
    const auto amount = strictNumber(fields[6]);
    if (!amount) {
        return "the amount is not a number";
    }
    std::optional<double> tax;
    if (!fields[7].empty()) {
        tax = strictNumber(fields[7]);
        if (!tax) {
            return "the tax is not a number";
        }
    }
    const auto folio = strictNumber(fields[8]);
    if (!folio || *folio != std::trunc(*folio) || std::fabs(*folio) > 1e9) {
        return "the folio number is not a whole number";
    }
    line = ChargeLine{
        *room, *shift, *clerk, *date, *code, *description, *amount, tax, static_cast<long>(*folio)};
    return std::nullopt;
}

constexpr std::array<CategoryInfo, 13> kCategories = {{
    {Category::RoomRent, "E", "Room Rent", TotalsSlot::RoomRent, false},
    {Category::PetFee, "P", "Pet Fee", TotalsSlot::PetFee, false},
    {Category::Copies, "K", "Copies", TotalsSlot::Copies, false},
    {Category::Stamp, "S", "Stamp", TotalsSlot::Stamp, false},
    {Category::Fax, "F", "Fax", TotalsSlot::Fax, false},
    {Category::RollAway, "R", "Roll Away", TotalsSlot::RollAway, false},
    {Category::Visa, "V", "Visa", TotalsSlot::Visa, true},
    {Category::MasterCard, "M", "Master Card", TotalsSlot::MasterCard, true},
    {Category::Discover, "D", "Discover", TotalsSlot::Discover, true},
    {Category::AmericanExpress, "A", "American Express", TotalsSlot::AmericanExpress, true},
    {Category::Cash, "C", "Cash", TotalsSlot::Cash, true},
    {Category::Check, "K", "Check", TotalsSlot::Check, true},
    {Category::Other, "O", "Other", TotalsSlot::Other, true},
}};

} // namespace

std::string formatChargeLine(const ChargeLine& line) {
    std::string text;
    text += quotedField(toCp1252(line.RoomNumber)) + ",";
    text += quotedField(toCp1252(line.Shift)) + ",";
    text += quotedField(toCp1252(line.Clerk)) + ",";
    text += dateField(line.PostDate) + ",";
    text += quotedField(toCp1252(line.Code)) + ",";
    text += quotedField(toCp1252(line.Description)) + ",";
    // Amounts are Singles in this system's files: seven significant digits.
    text += plainNumber(static_cast<float>(line.Amount)) + ",";
    text += (line.Tax ? plainNumber(static_cast<float>(*line.Tax)) : std::string()) + ",";
    text += plainNumber(static_cast<double>(line.FolioNumber)) + ",";
    text += ",\"-----\",\"-----\",,,,,,";
    return text;
}

ParsedCharges parseChargeFile(std::string_view bytes, const std::string& fileName) {
    ParsedCharges parsed;
    std::size_t lineNumber = 0;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        end = end == std::string_view::npos ? bytes.size() : end;
        std::string_view text = bytes.substr(start, end - start);
        if (!text.empty() && text.back() == '\r') {
            text.remove_suffix(1);
        }
        start = next;
        ++lineNumber;
        if (text.empty()) {
            continue;
        }
        ChargeLine line;
        const auto fields = splitFields(text);
        const auto problem =
            fields ? readLine(*fields, line)
                   : std::optional<std::string>("a quote or number sign is not closed");
        if (problem) {
            parsed.problems.push_back(fileName + ", line " + std::to_string(lineNumber) + ": " +
                                      *problem + "; the line was skipped.");
        } else {
            parsed.lines.push_back(std::move(line));
        }
    }
    return parsed;
}

const CategoryInfo& categoryInfo(Category category) {
    for (const CategoryInfo& info : kCategories) {
        if (info.category == category) {
            return info;
        }
    }
    return kCategories.front();
}

std::optional<Category> paymentCategory(std::string_view payCode) {
    for (const CategoryInfo& info : kCategories) {
        if (info.payment && payCode == info.code) {
            return info.category;
        }
    }
    return std::nullopt;
}

void postItem(const Store& store, long folioNumber, const std::string& roomNumber,
              Category category, double amount, const CivilDate& today) {
    Operation operation(store);
    const CategoryInfo& info = categoryInfo(category);
    const ShiftClerkRecord onDuty = shiftAndClerk(store);
    ChargeLine line;
    line.RoomNumber = roomNumber;
    line.Shift = onDuty.Shift.str();
    line.Clerk = onDuty.ClerkInitials.str();
    line.PostDate = today;
    line.Code = info.code;
    line.Description = info.description;
    line.Amount = amount;
    line.FolioNumber = folioNumber;
    const std::string text = formatChargeLine(line) + "\r\n";

    const Path chargeFile = store.directory().chargeFile(folioNumber);
    FileSystem& files = store.files();
    const auto* first = reinterpret_cast<const std::byte*>(text.data());
    files.write(chargeFile, files.size(chargeFile), std::span<const std::byte>(first, text.size()));
    Table<TotalsRecord> totals = store.totals(today);
    TotalsRecord record = totals.read(1);
    record[info.slot] += static_cast<float>(amount);
    totals.write(1, record);
    operation.commit();
}

ParsedCharges readCharges(const Store& store, long folioNumber) {
    const Path chargeFile = store.directory().chargeFile(folioNumber);
    return parseChargeFile(readWholeFile(store.files(), chargeFile), chargeFile.generic_string());
}

} // namespace roomwright
