#include "store/lookups.h"

#include "store/codepage.h"
#include "store/record_file.h"

namespace roomwright {

namespace {

// A text field as the file holds it: `width` characters, cut or padded with blanks. Widths
// count characters, not the bytes of their UTF-8 form.
template <std::size_t W> std::string asStored(const Text<W>& text) {
    std::string bytes = toCp1252(text.str());
    bytes.resize(W, ' ');
    return fromCp1252(bytes);
}

} // namespace

std::string roomEntry(const RoomRecord& room) {
    return asStored(room.RoomNumber) + "  " + asStored(room.RoomType);
}

std::string roomListEntry(const RoomRecord& room) {
    return asStored(room.RoomNumber) + "  " + rightTrim(asStored(room.RoomType));
}

std::string roomChoiceEntry(const RoomRecord& room) {
    return rightTrim(asStored(room.RoomNumber)) + "  " + asStored(room.RoomType);
}

std::string roomMoveEntry(const RoomRecord& room) {
    return asStored(room.RoomNumber) + " " + asStored(room.RoomType);
}

std::string roomOfEntry(std::string_view entry) {
    std::string bytes = toCp1252(entry);
    if (bytes.size() > 3) {
        bytes.resize(3);
    }
    return fromCp1252(bytes);
}

Found<RoomRecord> findRoom(const Store& store, std::string_view roomNumber) {
    return store.rooms().findFirst(
        [&](const RoomRecord& room) { return room.RoomNumber.trimmed() == roomNumber; });
}

Found<GuestRecord> inHouseGuestOfRoom(const Store& store, std::string_view roomNumber) {
    return store.guests().findFirst([&](const GuestRecord& guest) {
        return guest.inHouse() && guest.RoomNumber.trimmed() == roomNumber;
    });
}

Found<GuestRecord> inHouseGuestByFolio(const Store& store, long folioNumber) {
    return store.guests().findFirst([&](const GuestRecord& guest) {
        return guest.inHouse() && guest.FolioNumber == static_cast<float>(folioNumber);
    });
}

Found<GuestRecord> guestByFolio(const Store& store, long folioNumber) {
    return store.guests().findFirst([&](const GuestRecord& guest) {
        return guest.FolioNumber == static_cast<float>(folioNumber);
    });
}

bool departedSlot(std::span<const std::byte> slot) {
    constexpr std::size_t offset = 489; // CheckOutMark, 20 characters
    constexpr std::size_t width = 20;
    if (slot.size() < offset + width || slot[offset] != std::byte{'*'}) {
        return false;
    }
    for (std::size_t i = offset + 1; i < offset + width; ++i) {
        if (slot[i] != std::byte{' '}) {
            return false;
        }
    }
    return true;
}

void scanGuests(const Store& store, const std::function<bool(std::span<const std::byte>)>& keep,
                const std::function<bool(std::size_t, const GuestRecord&)>& visit) {
    GuestRecord guest;
    RecordFile(store.files(), store.directory().guest(), GuestRecord::slotLength)
        .scan([&](std::size_t n, std::span<const std::byte> slot) {
            if (!keep(slot)) {
                return true;
            }
            decodeInto(slot, guest);
            return visit(n, std::as_const(guest));
        });
}

} // namespace roomwright
