#pragma once

#include "store/format/bytes.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace roomwright {

// The program's own files (the saved in-house index, the operation journal) store numbers
// little-endian and guard their content with an FNV-1a checksum.

inline std::uint64_t checksumOf(std::span<const std::byte> bytes) {
    std::uint64_t hash = 0xcbf29ce484222325;
    for (const std::byte b : bytes) {
        hash = (hash ^ std::to_integer<std::uint64_t>(b)) * 0x100000001b3;
    }
    return hash;
}

inline void put(Bytes& out, std::uint64_t value, int width) {
    for (int i = 0; i < width; ++i) {
        out.push_back(static_cast<std::byte>(value >> (8 * i)));
    }
}

// Reads such a file from a bounded byte span; the caller checks left() before each read.
class SavedReader {
  public:
    explicit SavedReader(std::span<const std::byte> bytes) : bytes_(bytes) {}
    std::size_t left() const { return bytes_.size() - at_; }
    std::uint64_t number(int width) {
        std::uint64_t value = 0;
        for (int i = 0; i < width; ++i) {
            value |= std::to_integer<std::uint64_t>(bytes_[at_++]) << (8 * i);
        }
        return value;
    }
    std::span<const std::byte> take(std::size_t n) {
        const auto taken = bytes_.subspan(at_, n);
        at_ += n;
        return taken;
    }

  private:
    std::span<const std::byte> bytes_;
    std::size_t at_ = 0;
};

} // namespace roomwright
