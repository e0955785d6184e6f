#pragma once

#include "store/store.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace roomwright {

template <class Record> using Found = std::optional<std::pair<std::size_t, Record>>;

// The room entry that every room list shows: the room number as stored (4 characters), two
// blanks, the room type as stored (10 characters).
std::string roomEntry(const RoomRecord& room);
// The entry of the room lists (room inventory, room list, unsold rooms): the room
// number as stored (4 characters), two blanks, the room type right-trimmed.
std::string roomListEntry(const RoomRecord& room);
// The entry of the room property and status windows' room choice: the room number
// right-trimmed, two blanks, the room type as stored (10 characters).
std::string roomChoiceEntry(const RoomRecord& room);
// The entry of the folio window's room-move list: the room number as stored (4 characters),
// one blank, the room type as stored (10 characters).
std::string roomMoveEntry(const RoomRecord& room);

// An entry of a room list as the clerk sees it, and the room it was made from: the room is
// taken from the entry picked, never read back from its text, so that a room numbered "12"
// or "1234" is found like "101".
struct RoomEntry {
    std::string text;
    std::string room; // the room number, right-trimmed
    friend bool operator==(const RoomEntry&, const RoomEntry&) = default;
};
// The rooms that `offered` takes (every room when it is none), in file order, each as the
// entry `text` makes of it.
std::vector<RoomEntry> roomEntries(const Store& store, std::string (*text)(const RoomRecord&),
                                   bool (*offered)(const RoomRecord&) = nullptr);
// A room neither dirty nor out of order: one a guest can be given.
bool readyToLet(const RoomRecord& room);

// The first room whose number, right-trimmed, equals `roomNumber`.
Found<RoomRecord> findRoom(const Store& store, std::string_view roomNumber);

// True when a stored folio number is one: a whole number from 1 to kLastFolioNumber.
bool isFolioNumber(float stored);
// The folio number a stay holds. Anything that is not isFolioNumber (not finite, fractional,
// out of range) is damage: DamageError naming the guest file.
long folioNumberOf(const Store& store, const GuestRecord& guest);

// The first in-house guest, in record order, whose view satisfies `match`.
Found<GuestRecord>
firstInHouseGuest(const Store& store,
                  const std::function<bool(const RecordView<GuestRecord>&)>& match);
// The in-house guest of a room: the first record in house whose room number, right-trimmed,
// equals `roomNumber`. A departed guest of the same room is never taken.
Found<GuestRecord> inHouseGuestOfRoom(const Store& store, std::string_view roomNumber);
// The in-house guest whose folio number is `folioNumber`.
Found<GuestRecord> inHouseGuestByFolio(const Store& store, long folioNumber);
// The stay whose folio number is `folioNumber`, in house or departed.
Found<GuestRecord> guestByFolio(const Store& store, long folioNumber);

} // namespace roomwright
