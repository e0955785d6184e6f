#include "store/lookups.h"

#include "store/format/codepage.h"
#include "store/format/numbers.h"
#include "store/format/store_error.h"
#include "store/settings.h"

#include <cmath>

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

std::vector<RoomEntry> roomEntries(const Store& store, std::string (*text)(const RoomRecord&),
                                   bool (*offered)(const RoomRecord&)) {
    std::vector<RoomEntry> entries;
    store.rooms().scan([&](std::size_t, const RoomRecord& room) {
        if (offered == nullptr || offered(room)) {
            entries.push_back({text(room), room.RoomNumber.trimmed()});
        }
        return true;
    });
    return entries;
}

bool readyToLet(const RoomRecord& room) {
    return room.CleanFlag.str() != "N" && room.OrderFlag.str() != "X";
}

Found<RoomRecord> findRoom(const Store& store, std::string_view roomNumber) {
    return store.rooms().findFirst(
        [&](const RoomRecord& room) { return room.RoomNumber.trimmed() == roomNumber; });
}

Found<GuestRecord>
firstInHouseGuest(const Store& store,
                  const std::function<bool(const RecordView<GuestRecord>&)>& match) {
    Found<GuestRecord> found;
    store.scanInHouseGuests([&](std::size_t n, const RecordView<GuestRecord>& guest) {
        if (match(guest)) {
            found.emplace(n, guest.decode());
            return false;
        }
        return true;
    });
    return found;
}

Found<GuestRecord> inHouseGuestOfRoom(const Store& store, std::string_view roomNumber) {
    const auto room = storedForm(roomNumber);
    if (!room) {
        return std::nullopt;
    }
    return firstInHouseGuest(store, [&](const RecordView<GuestRecord>& guest) {
        return guest.trimmedBytes<&GuestRecord::RoomNumber>() == *room;
    });
}

bool isFolioNumber(float stored) {
    // The comparisons fail for NaN; within the range the conversion is exact.
    return stored >= 1.0f && stored <= static_cast<float>(kLastFolioNumber) &&
           stored == std::trunc(stored);
}

long folioNumberOf(const Store& store, const GuestRecord& guest) {
    const float folio = guest.FolioNumber;
    if (!isFolioNumber(folio)) {
        throw DamageError(store.directory().guest(),
                          "the stay of " + guest.LastName.trimmed() + " in room " +
                              guest.RoomNumber.trimmed() + " has the folio number " +
                              plainNumber(folio) + ", which is no folio number");
    }
    return static_cast<long>(folio);
}

Found<GuestRecord> inHouseGuestByFolio(const Store& store, long folioNumber) {
    const auto folio = static_cast<float>(folioNumber);
    return firstInHouseGuest(store, [&](const RecordView<GuestRecord>& guest) {
        return guest.number<&GuestRecord::FolioNumber>() == folio;
    });
}

Found<GuestRecord> guestByFolio(const Store& store, long folioNumber) {
    const auto folio = static_cast<float>(folioNumber);
    return store.guests().findFirstWhere([&](const RecordView<GuestRecord>& guest) {
        return guest.number<&GuestRecord::FolioNumber>() == folio;
    });
}

} // namespace roomwright
