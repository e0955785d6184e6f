#include "store/format/layout.h"

#include "store/format/codepage.h"

#include <bit>
#include <cstring>

namespace roomwright {

std::string rightTrim(std::string_view text) {
    const auto end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string() : std::string(text.substr(0, end + 1));
}

std::string trimBlanks(std::string_view text) {
    const auto begin = text.find_first_not_of(' ');
    if (begin == std::string_view::npos) {
        return {};
    }
    return rightTrim(text.substr(begin));
}

namespace field {

namespace {

template <class T> void putLittle(std::span<std::byte> slot, std::size_t offset, T value) {
    static_assert(std::endian::native == std::endian::little ||
                  std::endian::native == std::endian::big);
    std::byte bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        slot[offset + i] =
            std::endian::native == std::endian::little ? bytes[i] : bytes[sizeof(T) - 1 - i];
    }
}

template <class T> T getLittle(std::span<const std::byte> slot, std::size_t offset) {
    std::byte bytes[sizeof(T)];
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        bytes[i] = std::endian::native == std::endian::little ? slot[offset + i]
                                                              : slot[offset + sizeof(T) - 1 - i];
    }
    T value;
    std::memcpy(&value, bytes, sizeof(T));
    return value;
}

} // namespace

void putText(std::span<std::byte> slot, std::size_t offset, std::size_t width,
             std::string_view utf8) {
    std::string bytes = toCp1252(utf8);
    bytes.resize(width, ' ');
    std::memcpy(slot.data() + offset, bytes.data(), width);
}

void putSingle(std::span<std::byte> slot, std::size_t offset, float value) {
    putLittle(slot, offset, value);
}
float getSingle(std::span<const std::byte> slot, std::size_t offset) {
    return getLittle<float>(slot, offset);
}
void putInteger(std::span<std::byte> slot, std::size_t offset, std::int16_t value) {
    putLittle(slot, offset, value);
}
std::int16_t getInteger(std::span<const std::byte> slot, std::size_t offset) {
    return getLittle<std::int16_t>(slot, offset);
}
void putLong(std::span<std::byte> slot, std::size_t offset, std::int32_t value) {
    putLittle(slot, offset, value);
}
std::int32_t getLong(std::span<const std::byte> slot, std::size_t offset) {
    return getLittle<std::int32_t>(slot, offset);
}
void putDate(std::span<std::byte> slot, std::size_t offset, double value) {
    putLittle(slot, offset, value);
}
double getDate(std::span<const std::byte> slot, std::size_t offset) {
    return getLittle<double>(slot, offset);
}

} // namespace field

} // namespace roomwright
