#include "store/format/charge_line.h"

#include "store/format/codepage.h"
#include "store/format/numbers.h"

#include <array>
#include <cmath>

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

// No charge line comes near this; a longer one is damage, skipped without being kept whole.
constexpr std::size_t kLongestLine = 1 << 16;

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

void ChargeLineReader::feed(std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        if (end == std::string_view::npos) {
            keep(bytes);
            return;
        }
        if (skipping_) {
            skipping_ = false;
        } else if (pending_.empty()) {
            parse(bytes.substr(0, end));
        } else {
            pending_.append(bytes.substr(0, end));
            parse(pending_);
            pending_.clear();
        }
        bytes.remove_prefix(end + 1);
    }
}

void ChargeLineReader::finish() {
    if (!skipping_ && !pending_.empty()) {
        parse(pending_);
    }
    pending_.clear();
}

void ChargeLineReader::keep(std::string_view start) {
    if (skipping_) {
        return;
    }
    if (pending_.size() + start.size() > kLongestLine) {
        ++number_;
        tooLong();
        pending_.clear();
        skipping_ = true;
        return;
    }
    pending_.append(start);
}

void ChargeLineReader::tooLong() {
    report("it is longer than " + std::to_string(kLongestLine) + " bytes");
}

void ChargeLineReader::parse(std::string_view text) {
    ++number_;
    if (text.size() > kLongestLine) {
        tooLong();
        return;
    }
    if (!text.empty() && text.back() == '\r') {
        text.remove_suffix(1);
    }
    if (text.empty()) {
        return;
    }
    ChargeLine line;
    const auto fields = splitFields(text);
    const auto problem = fields
                             ? readLine(*fields, line)
                             : std::optional<std::string>("a quote or number sign is not closed");
    if (problem) {
        report(*problem);
    } else {
        line_(line);
    }
}

void ChargeLineReader::report(const std::string& problem) {
    problem_(fileName_ + ", line " + std::to_string(number_) + ": " + problem +
             "; the line was skipped.");
}

ParsedCharges parseChargeFile(std::string_view bytes, const std::string& fileName) {
    ParsedCharges parsed;
    const std::function<void(const ChargeLine&)> line = [&](const ChargeLine& read) {
        parsed.lines.push_back(read);
    };
    const std::function<void(const std::string&)> problem = [&](const std::string& text) {
        parsed.problems.push_back(text);
    };
    ChargeLineReader reader(fileName, line, problem);
    reader.feed(bytes);
    reader.finish();
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

std::optional<Category> lineCategory(const ChargeLine& line) {
    for (const CategoryInfo& info : kCategories) {
        if (line.Code == info.code && rightTrim(line.Description) == info.description) {
            return info.category;
        }
    }
    return std::nullopt;
}

} // namespace roomwright
