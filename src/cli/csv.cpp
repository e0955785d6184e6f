#include "cli/csv.h"

#include "store/cards.h"
#include "store/format/codepage.h"
#include "store/format/dates.h"
#include "store/format/numbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace roomwright {

namespace {

constexpr std::size_t kBlockBytes = 1 << 20;

bool needsQuotes(std::string_view value) {
    return std::ranges::any_of(
        value, [](char c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; });
}

// What a byte asks of a dump field: nothing, conversion to UTF-8, or quotes.
enum ByteNeeds : unsigned char { kAsIs = 0, kConversion = 1, kQuotes = 2 };
constexpr std::array<unsigned char, 256> kByteNeeds = [] {
    std::array<unsigned char, 256> needs{};
    for (std::size_t byte = 0x80; byte < needs.size(); ++byte) {
        needs[byte] = kConversion;
    }
    for (const unsigned char c : {',', '"', '\r', '\n'}) {
        needs[c] = kQuotes;
    }
    return needs;
}();

// Trailing blanks and NUL characters removed.
std::string_view dumpTrimmed(std::string_view text) {
    std::size_t end = text.size();
    // Eight bytes at a time while they are all blanks or NULs: the bytes whose only bit
    // can be the blank's.
    constexpr std::uint64_t kNotBlankOrNul = 0xDFDFDFDFDFDFDFDFull;
    std::uint64_t word = 0;
    while (end >= sizeof word && (std::memcpy(&word, text.data() + end - sizeof word, sizeof word),
                                  (word & kNotBlankOrNul) == 0)) {
        end -= sizeof word;
    }
    while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\0')) {
        --end;
    }
    return text.substr(0, end);
}

void appendField(std::string& out, std::string_view value) {
    if (!needsQuotes(value)) {
        out += value;
        return;
    }
    out += '"';
    for (const char c : value) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    out += '"';
}

// A number that is not negative, zero-padded to at least `digits` digits.
void appendPadded(std::string& out, int value, int digits) {
    char text[16];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    out.append(static_cast<std::size_t>(std::max<std::ptrdiff_t>(0, digits - (end - text))), '0');
    out.append(text, end);
}

} // namespace

std::string csvField(const std::string& value) {
    std::string field;
    appendField(field, value);
    return field;
}

void writeCsvRow(std::ostream& out, const std::vector<std::string>& fields,
                 std::string_view lineEnd) {
    std::string row;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            row += ',';
        }
        appendField(row, fields[i]);
    }
    row += lineEnd;
    out << row;
}

std::string cardCell(std::string_view number, CardNumbers shown) {
    const std::string text =
        shown == CardNumbers::Masked ? maskedCardNumber(number) : std::string(number);
    if (text.empty() || text.starts_with(kCardMask)) {
        return text;
    }
    std::string formula = "=\"";
    for (const char c : text) {
        formula += c;
        if (c == '"') {
            formula += '"';
        }
    }
    return formula + '"';
}

std::string dumpText(const std::string& text) {
    return std::string(dumpTrimmed(text));
}

std::string dumpDate(double stored) {
    return isoDate(CivilDate::fromStored(stored));
}

CsvDump::CsvDump(std::ostream& out, std::vector<CsvColumn> columns, CardNumbers cards)
    : out_(out), columns_(std::move(columns)), cards_(cards) {
    buffer_.reserve(kBlockBytes + 4096);
}

void CsvDump::header() {
    buffer_ += "Record";
    for (const CsvColumn& column : columns_) {
        buffer_ += ',';
        appendField(buffer_, column.name);
    }
    buffer_ += '\n';
}

void CsvDump::row(std::size_t n, std::span<const std::byte> slot) {
    char number[24];
    buffer_.append(number, std::to_chars(number, number + sizeof number, n).ptr);
    for (const CsvColumn& column : columns_) {
        buffer_ += ',';
        const auto textBytes = [&] {
            return dumpTrimmed(std::string_view(
                reinterpret_cast<const char*>(slot.data() + column.offset), column.width));
        };
        switch (column.kind) {
        case CsvColumn::Kind::CardNumber:
            appendField(buffer_, cardCell(fromCp1252(textBytes()), cards_));
            break;
        case CsvColumn::Kind::Text: {
            const std::string_view bytes = textBytes();
            unsigned needs = kAsIs;
            for (const char c : bytes) {
                needs |= kByteNeeds[static_cast<unsigned char>(c)];
            }
            if (needs == kAsIs) {
                buffer_ += bytes;
            } else if ((needs & kQuotes) != 0) {
                appendField(buffer_, fromCp1252(bytes));
            } else {
                appendCp1252(bytes, buffer_);
            }
            break;
        }
        case CsvColumn::Kind::Single: {
            const float value = field::getSingle(slot, column.offset);
            damaged_ += std::isfinite(value) ? 0 : 1;
            buffer_ += plainNumber(value);
            break;
        }
        case CsvColumn::Kind::Date: {
            // As dumpDate writes it.
            const double stored = field::getDate(slot, column.offset);
            if (!CivilDate::possible(stored)) {
                ++damaged_;
                buffer_ += kDamaged;
                break;
            }
            const CivilDate date = CivilDate::fromStored(stored);
            appendPadded(buffer_, date.year, 4);
            buffer_ += '-';
            appendPadded(buffer_, date.month, 2);
            buffer_ += '-';
            appendPadded(buffer_, date.day, 2);
            break;
        }
        }
    }
    buffer_ += '\n';
    flushWhenFull();
}

void CsvDump::flushWhenFull() {
    if (buffer_.size() >= kBlockBytes) {
        finish();
    }
}

void CsvDump::finish() {
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
}

} // namespace roomwright
