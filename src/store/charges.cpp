#include "store/charges.h"

#include "store/codepage.h"
#include "store/numbers.h"
#include "store/path_text.h"
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

namespace {

constexpr std::size_t kBlockBytes = 1 << 20;
// No charge line comes near this; a longer one is damage, skipped without being kept whole.
constexpr std::size_t kLongestLine = 1 << 16;

// Splits the bytes of a charge file, fed in blocks of any size, into lines and parses each.
class ChargeLineSplitter {
  public:
    ChargeLineSplitter(const std::string& fileName,
                       const std::function<void(const ChargeLine&)>& line,
                       const std::function<void(const std::string&)>& problem)
        : fileName_(fileName), line_(line), problem_(problem) {}

    void feed(std::string_view bytes) {
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

    // The last line, when the file does not end with a line end.
    void finish() {
        if (!skipping_ && !pending_.empty()) {
            parse(pending_);
        }
        pending_.clear();
    }

  private:
    void keep(std::string_view start) {
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

    void tooLong() { report("it is longer than " + std::to_string(kLongestLine) + " bytes"); }

    void parse(std::string_view text) {
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
        const auto problem =
            fields ? readLine(*fields, line)
                   : std::optional<std::string>("a quote or number sign is not closed");
        if (problem) {
            report(*problem);
        } else {
            line_(line);
        }
    }

    void report(const std::string& problem) {
        problem_(fileName_ + ", line " + std::to_string(number_) + ": " + problem +
                 "; the line was skipped.");
    }

    const std::string& fileName_;
    const std::function<void(const ChargeLine&)>& line_;
    const std::function<void(const std::string&)>& problem_;
    std::string pending_;
    std::size_t number_ = 0;
    bool skipping_ = false;
};

} // namespace

ParsedCharges parseChargeFile(std::string_view bytes, const std::string& fileName) {
    ParsedCharges parsed;
    const std::function<void(const ChargeLine&)> line = [&](const ChargeLine& read) {
        parsed.lines.push_back(read);
    };
    const std::function<void(const std::string&)> problem = [&](const std::string& text) {
        parsed.problems.push_back(text);
    };
    ChargeLineSplitter splitter(fileName, line, problem);
    splitter.feed(bytes);
    splitter.finish();
    return parsed;
}

void scanChargeFile(FileSystem& files, const Path& chargeFile,
                    const std::function<void(const ChargeLine&)>& line,
                    const std::function<void(const std::string&)>& problem) {
    auto reader = files.openForReading(chargeFile);
    if (!reader) {
        return;
    }
    const std::string fileName = utf8Text(chargeFile);
    ChargeLineSplitter splitter(fileName, line, problem);
    std::vector<std::byte> block(kBlockBytes);
    while (true) {
        const std::size_t got = reader->read(block);
        splitter.feed(std::string_view(reinterpret_cast<const char*>(block.data()), got));
        if (got < block.size()) {
            break;
        }
    }
    splitter.finish();
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

std::string StoredTotals::damageSummary() const {
    std::string summary;
    for (std::size_t i = 0; i < damage.size(); ++i) {
        if (!damage[i].empty()) {
            summary += (summary.empty() ? "" : ", ") + std::string(TotalsRecord::fieldNames[i]) +
                       " is " + damage[i];
        }
    }
    return summary;
}

StoredTotals storedTotals(const Store& store, const CivilDate& month) {
    const Path file = store.directory().totalsFile(month);
    Bytes slot(TotalsRecord::slotLength);
    const std::size_t held = store.files().readAt(file, 0, slot);
    StoredTotals totals{decode<TotalsRecord>(slot), {}};
    for (std::size_t i = 0; i < totals.record.sums.size(); ++i) {
        if (held > 0 && held < (i + 1) * 4) {
            totals.damage[i] = "cut short";
        } else if (!std::isfinite(totals.record.sums[i])) {
            totals.damage[i] = "not a finite number";
        }
    }
    return totals;
}

TotalsRecord monthTotals(const Store& store, const CivilDate& month) {
    StoredTotals totals = storedTotals(store, month);
    const std::string damage = totals.damageSummary();
    if (!damage.empty()) {
        throw DamageError(store.directory().totalsFile(month), damage);
    }
    return std::move(totals.record);
}

void postItem(const Store& store, long folioNumber, const std::string& roomNumber,
              Category category, double amount, const CivilDate& today) {
    if (!postableAmount(amount)) {
        throw DataError(std::string(kAmountOutOfRange) + " Nothing was posted.");
    }
    Operation operation(store);
    const CategoryInfo& info = categoryInfo(category);
    const ShiftClerkRecord onDuty = shiftAndClerk(store);
    TotalsRecord totals = monthTotals(store, today);
    ChargeLine line;
    line.RoomNumber = roomNumber;
    line.Shift = onDuty.Shift.str();
    line.Clerk = onDuty.ClerkInitials.str();
    line.PostDate = today;
    line.Code = info.code;
    line.Description = info.description;
    line.Amount = amount;
    line.FolioNumber = folioNumber;
    std::string text = formatChargeLine(line) + "\r\n";

    const Path chargeFile = store.directory().chargeFile(folioNumber);
    FileSystem& files = store.files();
    const std::uint64_t lengthBefore = files.size(chargeFile);
    // A last line without its line end (a torn append, another tool) would swallow this one.
    std::byte last{'\n'};
    if (lengthBefore > 0 && files.readAt(chargeFile, lengthBefore - 1, {&last, 1}) == 1 &&
        last != std::byte{'\n'}) {
        text.insert(0, "\r\n");
    }
    const auto* first = reinterpret_cast<const std::byte*>(text.data());
    files.write(chargeFile, lengthBefore, std::span<const std::byte>(first, text.size()));
    totals[info.slot] += static_cast<float>(amount);
    store.totals(today).write(1, totals);
    operation.commit();
}

ParsedCharges readCharges(const Store& store, long folioNumber) {
    ParsedCharges parsed;
    scanChargeFile(
        store.files(), store.directory().chargeFile(folioNumber),
        [&](const ChargeLine& line) { parsed.lines.push_back(line); },
        [&](const std::string& problem) { parsed.problems.push_back(problem); });
    return parsed;
}

} // namespace roomwright
