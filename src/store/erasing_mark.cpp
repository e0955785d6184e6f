#include "store/erasing_mark.h"

#include "store/format/records.h"
#include "store/format/saved_bytes.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace roomwright {

namespace {

// The saved mark, all numbers little-endian:
//   magic "RWERASED", version (u32), then for the guest file and the reservation file each:
//   slot length (u32), records covered (u64), anchor (u64), pending count (u64), the
//   pending record numbers (u64 each, ascending), the anchor's slot (none when the anchor
//   is 0); and an FNV-1a checksum (u64) of everything before it.
constexpr std::string_view kMagic = "RWERASED";
constexpr std::uint32_t kVersion = 1;
// Far beyond what any motel's pending records take; a larger file is damaged.
constexpr std::uint64_t kLargestSaved = std::uint64_t{64} << 20;

void putProgress(Bytes& out, const ErasingProgress& progress, std::size_t slotLength) {
    put(out, slotLength, 4);
    put(out, progress.covered, 8);
    put(out, progress.anchor, 8);
    put(out, progress.pending.size(), 8);
    for (const std::size_t n : progress.pending) {
        put(out, n, 8);
    }
    out.insert(out.end(), progress.anchorSlot.begin(), progress.anchorSlot.end());
}

std::optional<ErasingProgress> readProgress(SavedReader& reader, std::size_t slotLength) {
    if (reader.left() < 4 + 8 + 8 + 8 || reader.number(4) != slotLength) {
        return std::nullopt;
    }
    ErasingProgress progress;
    const std::uint64_t covered = reader.number(8);
    const std::uint64_t anchor = reader.number(8);
    const std::uint64_t count = reader.number(8);
    if (anchor > covered || count > reader.left() / 8) {
        return std::nullopt;
    }
    progress.covered = static_cast<std::size_t>(covered);
    progress.anchor = static_cast<std::size_t>(anchor);
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t n = reader.number(8);
        if (n == 0 || n > covered || n == anchor ||
            (!progress.pending.empty() && n <= progress.pending.back())) {
            return std::nullopt;
        }
        progress.pending.push_back(static_cast<std::size_t>(n));
    }
    if (anchor > 0) {
        if (reader.left() < slotLength) {
            return std::nullopt;
        }
        const auto slot = reader.take(slotLength);
        progress.anchorSlot.assign(slot.begin(), slot.end());
    }
    return progress;
}

} // namespace

ErasingMark loadErasingMark(FileSystem& files, const Path& file) {
    const std::uint64_t size = files.size(file);
    if (size < kMagic.size() + 4 + 8 || size > kLargestSaved) {
        return {};
    }
    Bytes bytes(static_cast<std::size_t>(size));
    if (files.readAt(file, 0, bytes) != bytes.size()) {
        return {};
    }
    const auto body = std::span<const std::byte>(bytes).first(bytes.size() - 8);
    SavedReader reader(body);
    if (!std::ranges::equal(reader.take(kMagic.size()), kMagic, {}, {},
                            [](char c) { return std::byte(c); }) ||
        reader.number(4) != kVersion) {
        return {};
    }
    auto stays = readProgress(reader, GuestRecord::slotLength);
    auto bookings = stays ? readProgress(reader, ReservationRecord::slotLength) : std::nullopt;
    SavedReader checksum(std::span<const std::byte>(bytes).last(8));
    if (!bookings || reader.left() != 0 || checksum.number(8) != checksumOf(body)) {
        return {};
    }
    return {std::move(*stays), std::move(*bookings)};
}

void saveErasingMark(FileSystem& files, const Path& file, const Path& temporary,
                     const ErasingMark& mark) {
    Bytes bytes;
    for (const char c : kMagic) {
        bytes.push_back(std::byte(c));
    }
    put(bytes, kVersion, 4);
    putProgress(bytes, mark.stays, GuestRecord::slotLength);
    putProgress(bytes, mark.bookings, ReservationRecord::slotLength);
    put(bytes, checksumOf(bytes), 8);
    files.replaceWhole(file, temporary, bytes);
}

} // namespace roomwright
