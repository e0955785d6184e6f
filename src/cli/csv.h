#pragma once

#include "store/format/layout.h"
#include "store/format/record_view.h"

#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace roomwright {

// A CSV field, quoted only when it holds a comma, a double quote or a line break.
std::string csvField(const std::string& value);
// Rows end in `lineEnd`: the dumps end them in a line feed, RFC 4180 in CR LF.
void writeCsvRow(std::ostream& out, const std::vector<std::string>& fields,
                 std::string_view lineEnd = "\n");

// Text as the dump shows it: trailing blanks and NUL characters removed.
std::string dumpText(const std::string& text);
// Dates as YYYY-MM-DD; kDamaged for a stored date that is no possible day.
std::string dumpDate(double stored);

// How a dump shows card numbers: masked (maskedCardNumber), unless the whole numbers are
// asked for.
enum class CardNumbers { Masked, Whole };

// A card number as a dump's cell: the mask as it is, any other text as a formula giving the
// text (="4111111111111111"), which a spreadsheet keeps whole instead of reading a number
// that loses its last digits; nothing for an empty field.
std::string cardCell(std::string_view number, CardNumbers shown);

// One named field of a record type, as a dump column.
struct CsvColumn {
    enum class Kind { Text, Single, Date, CardNumber };
    Kind kind;
    const char* name;
    std::size_t offset;
    std::size_t width; // of a text field
};

// Collects a record's named fields, in layout order.
class CsvColumnList {
  public:
    template <std::size_t W> void text(const char* name, std::size_t offset, const Text<W>&) {
        columns.push_back({CsvColumn::Kind::Text, name, offset, W});
    }
    void single(const char* name, std::size_t offset, float) {
        columns.push_back({CsvColumn::Kind::Single, name, offset, 4});
    }
    void date(const char* name, std::size_t offset, double) {
        columns.push_back({CsvColumn::Kind::Date, name, offset, 8});
    }

    std::vector<CsvColumn> columns;
};

// Formats dump rows straight from record slots into a buffer that goes to the stream in
// large blocks: a dump writes out every field of years of records. A row is written in
// place, into room the buffer keeps for the longest row its columns can make.
class CsvDump {
  public:
    // The rows are of records in slots of `slotLength` bytes; their card numbers show as
    // `cards` says.
    CsvDump(std::ostream& out, std::vector<CsvColumn> columns, std::size_t slotLength,
            CardNumbers cards = CardNumbers::Masked);
    // The header row: Record, then the field names.
    void header();
    // Record n's row: its number, then each field as dumpText, plainNumber or dumpDate
    // gives it (kDamaged for a number that is not finite or an impossible date).
    void row(std::size_t n, std::span<const std::byte> slot);
    // Hands what is left to the stream.
    void finish();
    // The values shown as kDamaged so far.
    std::size_t damaged() const { return damaged_; }

  private:
    // Writes at `at` a text that needs UTF-8 or quotes, a field's text as a CSV cell; returns
    // where it ends.
    char* putConverted(char* at, std::string_view bytes);
    char* putCell(char* at, std::string_view text);

    // A column as a row writes it: where its bytes are, and whether the slot holds the whole
    // chunks a text of its width is copied in.
    struct Step {
        CsvColumn::Kind kind;
        bool chunked;
        std::uint32_t offset;
        std::uint32_t width;
    };

    std::ostream& out_;
    std::vector<CsvColumn> columns_;
    CardNumbers cards_;
    std::vector<Step> steps_;
    std::size_t longestRow_ = 0;
    std::string buffer_; // its whole size is used, up to `used_`
    std::size_t used_ = 0;
    std::string converted_; // a text field that needs UTF-8 or quotes
    // The texts of the numbers and dates met last, by their stored bits: a motel's rates,
    // amounts and days repeat from record to record. `make` gives the text of the bits, at
    // most kLongest characters (a number or a date is); each is kept in a whole chunk.
    class Remembered {
      public:
        static constexpr std::size_t kLongest = 15;
        struct Kept {
            std::uint64_t bits = 0;
            std::size_t length = 0; // 0 until one is kept
            std::array<char, kLongest + 1> text{};
        };
        using Make = std::string (*)(std::uint64_t bits);
        explicit Remembered(Make make) : make_(make) {}
        const Kept& text(std::uint64_t bits) {
            Kept& kept = kept_[(bits * 0x9E3779B97F4A7C15ull) >> 56];
            if (kept.bits != bits || kept.length == 0) {
                remember(kept, bits);
            }
            return kept;
        }

      private:
        void remember(Kept& kept, std::uint64_t bits) const;
        Make make_;
        std::array<Kept, 256> kept_;
    };
    Remembered singles_;
    Remembered dates_;
    std::size_t damaged_ = 0;
};

struct DumpedDamage {
    std::size_t values = 0; // shown as kDamaged
};

// Writes every record of a table: a header row and one row per record, in record order.
// The card number of a record that keeps one shows as `cards` says.
template <class Table>
DumpedDamage dumpTable(std::ostream& out, const Table& table,
                       CardNumbers cards = CardNumbers::Masked) {
    using Record = std::decay_t<decltype(table.read(1))>;
    CsvColumnList list;
    const Record blank{};
    Record::layout(list, blank);
    if constexpr (requires { &Record::CardNumber; }) {
        for (CsvColumn& column : list.columns) {
            if (column.offset == detail::offsetOf<Record, &Record::CardNumber>()) {
                column.kind = CsvColumn::Kind::CardNumber;
            }
        }
    }
    CsvDump dump(out, std::move(list.columns), Record::slotLength, cards);
    dump.header();
    table.scanViews([&](std::size_t n, const auto& view) {
        dump.row(n, view.slot());
        return true;
    });
    dump.finish();
    return {dump.damaged()};
}

} // namespace roomwright
