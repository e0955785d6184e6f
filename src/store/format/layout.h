#pragma once

#include "store/format/bytes.h"
#include "store/format/codepage.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace roomwright {

// Right trim of blanks only, as every reader of a text field does.
std::string rightTrim(std::string_view text);
// Blanks removed on both sides.
std::string trimBlanks(std::string_view text);

// A fixed-width text field of W characters. It holds UTF-8 in memory; on disk it is W bytes
// of Windows-1252, cut or padded on the right with blanks. A field never assigned holds W NUL
// characters, which is how a record built from scratch stores it.
template <std::size_t W> class Text {
  public:
    static constexpr std::size_t width = W;

    Text() : value_(W, '\0') {}
    Text(std::string_view value) : value_(value) {}
    Text(const char* value) : value_(value) {}
    Text(const std::string& value) : value_(value) {}

    // The text as held: full width with its blanks once read from a file.
    const std::string& str() const { return value_; }
    // Takes the field's stored bytes, reusing this text's storage.
    void load(std::string_view storedBytes) { fromCp1252(storedBytes, value_); }
    // Trailing blanks removed (NUL characters stay): the form that is shown and compared.
    std::string trimmed() const { return rightTrim(value_); }

    friend bool operator==(const Text&, const Text&) = default;

  private:
    std::string value_;
};

// Little-endian field access on a slot.
namespace field {
void putText(std::span<std::byte> slot, std::size_t offset, std::size_t width,
             std::string_view utf8);
void putSingle(std::span<std::byte> slot, std::size_t offset, float value);
float getSingle(std::span<const std::byte> slot, std::size_t offset);
void putInteger(std::span<std::byte> slot, std::size_t offset, std::int16_t value);
std::int16_t getInteger(std::span<const std::byte> slot, std::size_t offset);
void putLong(std::span<std::byte> slot, std::size_t offset, std::int32_t value);
std::int32_t getLong(std::span<const std::byte> slot, std::size_t offset);
void putDate(std::span<std::byte> slot, std::size_t offset, double value);
double getDate(std::span<const std::byte> slot, std::size_t offset);
} // namespace field

// Every record type lists its fields once, in a static `layout(visitor, record)` that calls
// visitor.text / single / date with each field's name and file offset. Encoding,
// decoding and the command-line dump all walk that one list. Bytes a layout does not name
// (reserved fields, the unused tail of the slot) are carried in `stored` unchanged.

class SlotWriter {
  public:
    explicit SlotWriter(Bytes& slot) : slot_(slot) {}
    template <std::size_t W> void text(const char*, std::size_t offset, const Text<W>& value) {
        field::putText(slot_, offset, W, value.str());
    }
    void single(const char*, std::size_t offset, float value) {
        field::putSingle(slot_, offset, value);
    }
    void date(const char*, std::size_t offset, double value) {
        field::putDate(slot_, offset, value);
    }

  private:
    Bytes& slot_;
};

class SlotReader {
  public:
    explicit SlotReader(std::span<const std::byte> slot) : slot_(slot) {}
    template <std::size_t W> void text(const char*, std::size_t offset, Text<W>& value) {
        value.load(std::string_view(reinterpret_cast<const char*>(slot_.data() + offset), W));
    }
    void single(const char*, std::size_t offset, float& value) {
        value = field::getSingle(slot_, offset);
    }
    void date(const char*, std::size_t offset, double& value) {
        value = field::getDate(slot_, offset);
    }

  private:
    std::span<const std::byte> slot_;
};

template <class Record> Bytes encode(const Record& record) {
    Bytes slot =
        record.stored.size() == Record::slotLength ? record.stored : Bytes(Record::slotLength);
    SlotWriter writer(slot);
    Record::layout(writer, record);
    return slot;
}

// Decodes into an existing record, reusing its storage.
template <class Record> void decodeInto(std::span<const std::byte> slot, Record& record) {
    record.stored.assign(slot.begin(), slot.end());
    record.stored.resize(Record::slotLength);
    SlotReader reader(record.stored);
    Record::layout(reader, record);
}

template <class Record> Record decode(std::span<const std::byte> slot) {
    Record record;
    decodeInto(slot, record);
    return record;
}

} // namespace roomwright
