#include "frontdesk/folio_list.h"

#include "print/document.h"
#include "store/format/dates.h"
#include "store/format/layout.h"
#include "store/format/numbers.h"
#include "store/settings.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace roomwright {

namespace {

// Blanks between two amount columns.
constexpr std::size_t kMoneyGap = 4;

std::string padded(std::string text, std::size_t width) {
    const auto count = static_cast<std::size_t>(characterCount(text));
    return count < width ? text + std::string(width - count, ' ') : text;
}
std::string rightAligned(const std::string& text, std::size_t width) {
    const auto count = static_cast<std::size_t>(characterCount(text));
    return count < width ? std::string(width - count, ' ') + text : text;
}

// A column of amounts: each number's whole part right-aligned and its decimal part (point
// included) left-aligned after it, the whole as wide as the widest number or the caption.
class MoneyColumn {
  public:
    explicit MoneyColumn(std::string caption) : caption_(std::move(caption)) {}

    void fit(double value) {
        const auto [whole, decimals] = split(value);
        whole_ = std::max(whole_, whole.size());
        decimals_ = std::max(decimals_, decimals.size());
    }
    std::size_t width() const { return std::max(caption_.size(), whole_ + decimals_); }
    std::string caption() const { return rightAligned(caption_, width()); }
    std::string cell(double value) const {
        const auto [whole, decimals] = split(value);
        return rightAligned(whole, width() - decimals_) + padded(decimals, decimals_);
    }

  private:
    static std::pair<std::string, std::string> split(double value) {
        const std::string text = numberText(value);
        const std::size_t point = std::min(text.find('.'), text.size());
        return {text.substr(0, point), text.substr(point)};
    }

    std::string caption_;
    std::size_t whole_ = 0;
    std::size_t decimals_ = 0;
};

// The texts of a line before its amounts, each column as wide as its widest text, with the
// blanks after it: room as stored, date, shift, code and description.
struct TextColumn {
    const char* caption;
    std::size_t width;
    std::size_t blanks;
};

std::array<std::string, 5> textsOf(const ChargeLine& line) {
    return {line.RoomNumber, shortDate(line.PostDate), line.Shift, line.Code,
            trimBlanks(line.Description)};
}

} // namespace

FolioListing listFolio(const FolioStatement& statement) {
    // A description longer than its column still leaves a blank before the amounts.
    std::array<TextColumn, 5> texts = {{{"Room", 5, 3},
                                        {"Date", 10, 11},
                                        {"Shift", 1, 8},
                                        {"Code", 1, 11},
                                        {"Description", 20, 1}}};
    MoneyColumn amount("Amount");
    MoneyColumn tax("Tax");
    MoneyColumn balance("Balance");
    for (const FolioEntry& entry : statement.entries) {
        const auto row = textsOf(entry.charge);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            texts[i].width =
                std::max(texts[i].width, static_cast<std::size_t>(characterCount(row[i])));
        }
        amount.fit(entry.charge.Amount);
        tax.fit(entry.tax);
        balance.fit(entry.balance);
    }
    const auto line = [&](const std::array<std::string, 5>& row, const std::string& amountText,
                          const std::string& taxText, const std::string& balanceText) {
        std::string shown;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            // A caption wider than its column still leaves a blank after it.
            shown += padded(row[i], std::max(texts[i].width + texts[i].blanks,
                                             std::string_view(texts[i].caption).size() + 1));
        }
        const std::string gap(kMoneyGap, ' ');
        return shown + amountText + gap + taxText + gap + balanceText;
    };

    FolioListing listing;
    std::array<std::string, 5> captions;
    std::transform(texts.begin(), texts.end(), captions.begin(),
                   [](const TextColumn& column) { return std::string(column.caption); });
    listing.header = line(captions, amount.caption(), tax.caption(), balance.caption());
    for (const FolioEntry& entry : statement.entries) {
        listing.lines.push_back(line(textsOf(entry.charge), amount.cell(entry.charge.Amount),
                                     tax.cell(entry.tax), balance.cell(entry.balance)));
    }
    listing.balance = plainNumber(statement.balance);
    listing.settled = statement.balance == 0;
    return listing;
}

FolioListing folioListing(const Store& store, long folioNumber) {
    ParsedCharges charges = readCharges(store, folioNumber);
    FolioListing listing = listFolio(folioStatement(charges.lines, taxRate(store)));
    listing.problems = std::move(charges.problems);
    return listing;
}

} // namespace roomwright
