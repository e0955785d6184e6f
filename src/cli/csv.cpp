#include "cli/csv.h"

#include "store/format/codepage.h"
#include "store/format/dates.h"
#include "store/format/numbers.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace roomwright {

namespace {

constexpr std::size_t kBlockBytes = 1 << 20;
// A text is copied into a row in chunks of this many bytes.
constexpr std::size_t kChunk = 16;

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
    // can be the blank's. In the first word that is not, the last byte the mask leaves
    // nonzero is the last one kept: the highest of the word on a little-endian machine.
    constexpr std::uint64_t kNotBlankOrNul = 0xDFDFDFDFDFDFDFDFull;
    while (end >= 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + end - 8, sizeof word);
        if (const std::uint64_t kept = word & kNotBlankOrNul; kept != 0) {
            const int after = std::endian::native == std::endian::little ? std::countl_zero(kept)
                                                                         : std::countr_zero(kept);
            return text.substr(0, end - static_cast<std::size_t>(after / 8));
        }
        end -= 8;
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

// What the bytes of a text ask for, eight at a time: a byte with its high bit set is one to
// convert, and a zero byte in `word` XOR a byte repeated marks that byte.
unsigned needsOf(std::string_view bytes) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
    const auto holds = [&](std::uint64_t word, unsigned char c) {
        const std::uint64_t x = word ^ (kOnes * c);
        return ((x - kOnes) & ~x & kHighBits) != 0;
    };
    unsigned needs = kAsIs;
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + i, sizeof word);
        needs |= (word & kHighBits) != 0 ? kConversion : kAsIs;
        needs |= holds(word, ',') || holds(word, '"') || holds(word, '\r') || holds(word, '\n')
                     ? kQuotes
                     : kAsIs;
    }
    for (; i < bytes.size(); ++i) {
        needs |= kByteNeeds[static_cast<unsigned char>(bytes[i])];
    }
    return needs;
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

std::string dumpText(const std::string& text) {
    return std::string(dumpTrimmed(text));
}

std::string dumpDate(double stored) {
    return isoDate(CivilDate::fromStored(stored));
}

CsvDump::CsvDump(std::ostream& out, std::vector<CsvColumn> columns)
    : out_(out), columns_(std::move(columns)) {
    // The record number and the line end, then each field after its comma: a text's every
    // byte can take three in UTF-8, in quotes; a number or date at most kNumberRoom; and the
    // room a text copied in whole chunks may write past its end.
    constexpr std::size_t kNumberRoom = 32;
    longestRow_ = kNumberRoom + 1 + kChunk;
    for (const CsvColumn& column : columns_) {
        longestRow_ +=
            1 + (column.kind == CsvColumn::Kind::Text ? 3 * column.width + 2 : kNumberRoom);
    }
    buffer_.resize(kBlockBytes + longestRow_);
}

void CsvDump::header() {
    std::string line = "Record";
    for (const CsvColumn& column : columns_) {
        line += ',';
        appendField(line, column.name);
    }
    line += '\n';
    finish();
    out_.write(line.data(), static_cast<std::streamsize>(line.size()));
}

void CsvDump::row(std::size_t n, std::span<const std::byte> slot) {
    if (used_ + longestRow_ > buffer_.size()) {
        finish();
    }
    char* at = buffer_.data() + used_;
    at = std::to_chars(at, at + 24, n).ptr;
    const char* bytes = reinterpret_cast<const char*>(slot.data());
    for (const CsvColumn& column : columns_) {
        *at++ = ',';
        switch (column.kind) {
        case CsvColumn::Kind::Text:
            at = putText(at, std::string_view(bytes + column.offset, column.width),
                         slot.size() - column.offset);
            break;
        case CsvColumn::Kind::Single:
            at = putSingle(at, field::getSingle(slot, column.offset));
            break;
        case CsvColumn::Kind::Date:
            at = putDate(at, field::getDate(slot, column.offset));
            break;
        }
    }
    *at++ = '\n';
    used_ = static_cast<std::size_t>(at - buffer_.data());
}

char* CsvDump::putText(char* at, std::string_view stored, std::size_t readable) {
    const std::string_view bytes = dumpTrimmed(stored);
    const unsigned needs = needsOf(bytes);
    if (needs == kAsIs) {
        // Whole chunks where the slot has the bytes: what lands past the text is written over
        // by what follows it.
        if (const std::size_t whole = (bytes.size() + kChunk - 1) / kChunk * kChunk;
            whole <= readable) {
            for (std::size_t i = 0; i < whole; i += kChunk) {
                std::memcpy(at + i, bytes.data() + i, kChunk);
            }
        } else {
            std::memcpy(at, bytes.data(), bytes.size());
        }
        return at + bytes.size();
    }
    converted_.clear();
    if ((needs & kQuotes) != 0) {
        appendField(converted_, fromCp1252(bytes));
    } else {
        appendCp1252(bytes, converted_);
    }
    std::memcpy(at, converted_.data(), converted_.size());
    return at + converted_.size();
}

char* CsvDump::putSingle(char* at, float value) {
    damaged_ += std::isfinite(value) ? 0 : 1;
    const std::string& text =
        singles_.text(std::bit_cast<std::uint32_t>(value), [&] { return plainNumber(value); });
    std::memcpy(at, text.data(), text.size());
    return at + text.size();
}

char* CsvDump::putDate(char* at, double stored) {
    damaged_ += CivilDate::possible(stored) ? 0 : 1;
    const std::string& text =
        dates_.text(std::bit_cast<std::uint64_t>(stored), [&] { return dumpDate(stored); });
    std::memcpy(at, text.data(), text.size());
    return at + text.size();
}

void CsvDump::finish() {
    out_.write(buffer_.data(), static_cast<std::streamsize>(used_));
    used_ = 0;
}

} // namespace roomwright
