#include "cli/csv.h"

#include "store/cards.h"
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
#include <stdexcept>

namespace roomwright {

namespace {

constexpr std::size_t kBlockBytes = 1 << 17;
// A text is copied into a row in chunks of this many bytes.
constexpr std::size_t kChunk = 16;
// The most a row's number or date takes.
constexpr std::size_t kNumberRoom = 32;

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

// The length of a stored text without its trailing blanks and NUL characters: the bytes
// whose only bit can be the blank's. Read eight at a time, every word of the text, so that
// no branch waits on where the text ends; in a word, the highest byte the mask leaves nonzero
// is the last one kept. `before` bytes ahead of the text may be read too, so that a tail
// shorter than a word is read as the end of one.
inline std::size_t keptLength(const char* text, std::size_t width, std::size_t before) {
    static_assert(std::endian::native == std::endian::little, "words are read little-endian");
    constexpr std::uint64_t kNotBlankOrNul = 0xDFDFDFDFDFDFDFDFull;
    const auto masked = [](const char* at) {
        std::uint64_t word = 0;
        std::memcpy(&word, at, sizeof word);
        return word & kNotBlankOrNul;
    };
    std::size_t kept = 0;
    std::size_t i = 0;
    for (; i + 8 <= width; i += 8) {
        const std::uint64_t word = masked(text + i);
        kept = word != 0 ? i + 8 - static_cast<std::size_t>(std::countl_zero(word)) / 8 : kept;
    }
    const std::size_t tail = width - i;
    if (tail > 0 && (width >= 8 || before >= 8 - tail)) {
        const std::uint64_t word = masked(text + width - 8) & (~std::uint64_t{0} << 8 * (8 - tail));
        kept = word != 0 ? width - static_cast<std::size_t>(std::countl_zero(word)) / 8 : kept;
    } else {
        for (; i < width; ++i) {
            kept = (text[i] & 0xDF) != 0 ? i + 1 : kept;
        }
    }
    return kept;
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
constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
bool holds(std::uint64_t word, unsigned char c) {
    const std::uint64_t x = word ^ (kOnes * c);
    return ((x - kOnes) & ~x & kHighBits) != 0;
}
inline unsigned needsOf(std::string_view bytes) {
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
    return text.substr(0, keptLength(text.data(), text.size(), 0));
}

std::string dumpDate(double stored) {
    return isoDate(CivilDate::fromStored(stored));
}

CsvDump::CsvDump(std::ostream& out, std::vector<CsvColumn> columns, std::size_t slotLength,
                 CardNumbers cards)
    : out_(out), columns_(std::move(columns)), cards_(cards), singles_([](std::uint64_t bits) {
          return plainNumber(std::bit_cast<float>(static_cast<std::uint32_t>(bits)));
      }),
      dates_([](std::uint64_t bits) { return dumpDate(std::bit_cast<double>(bits)); }) {
    // The record number and the line end, then each field after its comma: a text's every
    // byte can take three in UTF-8, in quotes; a card number's, as a formula in quotes, four;
    // a number or date at most kNumberRoom; and the room a text copied in whole chunks may
    // write past its end.
    longestRow_ = kNumberRoom + 1 + kChunk;
    for (const CsvColumn& column : columns_) {
        longestRow_ += 1 + (column.kind == CsvColumn::Kind::Text         ? 3 * column.width + 2
                            : column.kind == CsvColumn::Kind::CardNumber ? 4 * column.width + 8
                                                                         : kNumberRoom);
        const std::size_t chunks = (column.width + kChunk - 1) / kChunk * kChunk;
        steps_.push_back({column.kind, column.offset + chunks <= slotLength,
                          static_cast<std::uint32_t>(column.offset),
                          static_cast<std::uint32_t>(column.width)});
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
    for (const Step& column : steps_) {
        *at++ = ',';
        const Remembered::Kept* remembered = nullptr;
        switch (column.kind) {
        case CsvColumn::Kind::Text: {
            const std::string_view text(
                bytes + column.offset,
                keptLength(bytes + column.offset, column.width, column.offset));
            if (text.empty()) {
                break; // a field never written, or blanks only
            }
            if (needsOf(text) != kAsIs) {
                at = putConverted(at, text);
            } else if (column.chunked) {
                // Whole chunks, which the slot holds: what lands past the text is written
                // over by what follows it.
                for (std::size_t i = 0; i < text.size(); i += kChunk) {
                    std::memcpy(at + i, text.data() + i, kChunk);
                }
                at += text.size();
            } else {
                std::memcpy(at, text.data(), text.size());
                at += text.size();
            }
            break;
        }
        case CsvColumn::Kind::CardNumber: {
            const std::string_view number(
                bytes + column.offset,
                keptLength(bytes + column.offset, column.width, column.offset));
            if (cards_ == CardNumbers::Masked && holdsDigit(number)) {
                // The mask and the last four digits, as maskedCardNumber makes them: nothing in
                // them is quoted or converted.
                std::memcpy(at, kCardMask.data(), kCardMask.size());
                at += kCardMask.size();
                const std::string digits = lastFourDigits(number);
                std::memcpy(at, digits.data(), digits.size());
                at += digits.size();
            } else if (!number.empty()) {
                at = putCell(at, cardCell(fromCp1252(number), cards_));
            }
            break;
        }
        case CsvColumn::Kind::Single: {
            const float value = field::getSingle(slot, column.offset);
            damaged_ += std::isfinite(value) ? 0 : 1;
            if (const auto whole = writtenWhole(value)) {
                at = std::to_chars(at, at + kNumberRoom, *whole).ptr; // counters, folio numbers
            } else {
                remembered = &singles_.text(std::bit_cast<std::uint32_t>(value));
            }
            break;
        }
        case CsvColumn::Kind::Date: {
            const double stored = field::getDate(slot, column.offset);
            damaged_ += CivilDate::possible(stored) ? 0 : 1;
            remembered = &dates_.text(std::bit_cast<std::uint64_t>(stored));
            break;
        }
        }
        if (remembered != nullptr) {
            std::memcpy(at, remembered->text.data(), remembered->text.size());
            at += remembered->length;
        }
    }
    *at++ = '\n';
    used_ = static_cast<std::size_t>(at - buffer_.data());
}

char* CsvDump::putConverted(char* at, std::string_view bytes) {
    if ((needsOf(bytes) & kQuotes) != 0) {
        return putCell(at, fromCp1252(bytes));
    }
    converted_.clear();
    appendCp1252(bytes, converted_);
    std::memcpy(at, converted_.data(), converted_.size());
    return at + converted_.size();
}

char* CsvDump::putCell(char* at, std::string_view text) {
    converted_.clear();
    appendField(converted_, text);
    std::memcpy(at, converted_.data(), converted_.size());
    return at + converted_.size();
}

void CsvDump::Remembered::remember(Kept& kept, std::uint64_t bits) const {
    const std::string text = make_(bits);
    if (text.empty() || text.size() > kLongest) {
        throw std::logic_error("a number's text \"" + text + "\" does not fit the dump's memory");
    }
    kept.bits = bits;
    kept.length = text.size();
    std::ranges::copy(text, kept.text.begin());
}

void CsvDump::finish() {
    out_.write(buffer_.data(), static_cast<std::streamsize>(used_));
    used_ = 0;
}

} // namespace roomwright
