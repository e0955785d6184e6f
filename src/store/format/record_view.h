#pragma once

#include "store/format/layout.h"

#include <cstddef>
#include <limits>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>

namespace roomwright {

// A record seen straight in its slot, without decoding it. Each accessor decodes only the
// field it names, so a scan over years of stays pays for the few fields it tests and
// decodes in full only the records it keeps. Fields are named by member pointer:
//
//     view.trimmedBytes<&GuestRecord::CheckOutMark>() == "*"
//     view.number<&GuestRecord::FolioNumber>() == 17.0f
//
// Their offsets come from the record's layout, the one list of its fields. The view borrows
// the slot: it lives no longer than the block it was read from.

namespace detail {

template <class T> struct TextWidth;
template <std::size_t W> struct TextWidth<Text<W>> { static constexpr std::size_t value = W; };

template <class Member> struct MemberOf;
template <class T, class Owner> struct MemberOf<T Owner::*> { using type = T; };

// Walks a record's layout to find the offset of the field at `target`.
class OffsetFinder {
  public:
    explicit OffsetFinder(const void* target) : target_(target) {}
    template <class T> void text(const char*, std::size_t offset, const T& value) {
        note(&value, offset);
    }
    void single(const char*, std::size_t offset, const float& value) { note(&value, offset); }
    void date(const char*, std::size_t offset, const double& value) { note(&value, offset); }

    static constexpr std::size_t none = std::numeric_limits<std::size_t>::max();
    std::size_t offset = none;

  private:
    void note(const void* field, std::size_t at) {
        if (field == target_) {
            offset = at;
        }
    }
    const void* target_;
};

// The file offset of a field, looked up in the layout once per field.
template <class Record, auto Field> std::size_t offsetOf() {
    static const std::size_t offset = [] {
        const Record probe{};
        OffsetFinder finder(&(probe.*Field));
        Record::layout(finder, probe);
        if (finder.offset == OffsetFinder::none) {
            throw std::logic_error("a field that is not in its record's layout");
        }
        return finder.offset;
    }();
    return offset;
}

} // namespace detail

template <class Record> class RecordView {
  public:
    explicit RecordView(std::span<const std::byte> slot) : slot_(slot) {}

    // A text field's bytes as stored (Windows-1252), full width.
    template <auto Field> std::string_view bytes() const {
        using T = typename detail::MemberOf<decltype(Field)>::type;
        constexpr std::size_t width = detail::TextWidth<T>::value;
        return {reinterpret_cast<const char*>(slot_.data() + detail::offsetOf<Record, Field>()),
                width};
    }
    // The same with trailing blanks removed: compared with `storedForm` of a UTF-8 text,
    // it gives what comparing the decoded field's `trimmed()` gives.
    template <auto Field> std::string_view trimmedBytes() const {
        const std::string_view all = bytes<Field>();
        const auto end = all.find_last_not_of(' ');
        return end == std::string_view::npos ? std::string_view() : all.substr(0, end + 1);
    }
    // A text field as UTF-8, trailing blanks removed: the decoded field's `trimmed()`.
    template <auto Field> std::string trimmed() const { return fromCp1252(trimmedBytes<Field>()); }
    // A Single or Date field.
    template <auto Field> auto number() const {
        using T = typename detail::MemberOf<decltype(Field)>::type;
        const std::size_t offset = detail::offsetOf<Record, Field>();
        if constexpr (std::is_same_v<T, float>) {
            return field::getSingle(slot_, offset);
        } else {
            static_assert(std::is_same_v<T, double>, "a field that is neither Single nor Date");
            return field::getDate(slot_, offset);
        }
    }

    // The whole record, every field decoded.
    Record decode() const { return roomwright::decode<Record>(slot_); }
    std::span<const std::byte> slot() const { return slot_; }

  private:
    std::span<const std::byte> slot_;
};

} // namespace roomwright
