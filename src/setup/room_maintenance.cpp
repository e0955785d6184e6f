#include "setup/room_maintenance.h"

#include "setup/room_inventory.h"
#include "setup/settings_entry.h"
#include "store/format/numbers.h"
#include "store/lookups.h"

namespace roomwright {

namespace {

bool numbered(const RoomRecord& room, std::string_view roomNumber) {
    return room.RoomNumber.trimmed() == roomNumber;
}

Choice choiceOf(const Text<1>& flag, std::string_view yes, std::string_view no) {
    if (flag.str() == yes) {
        return true;
    }
    if (flag.str() == no) {
        return false;
    }
    return std::nullopt;
}

template <std::size_t W>
void setFlag(Text<W>& flag, Choice choice, const char* yes, const char* no) {
    if (choice) {
        flag = *choice ? yes : no;
    }
}

} // namespace

std::string roomListLine(const RoomRecord& room) {
    std::string line = roomListEntry(room);
    if (room.VacantFlag.str() == "N") {
        line += " - Occuppied";
    }
    if (room.CleanFlag.str() == "N") {
        line += " - Dirty";
    }
    return line;
}

std::vector<std::string> roomListLines(const Store& store) {
    std::vector<std::string> lines;
    store.rooms().scan([&](std::size_t, const RoomRecord& room) {
        lines.push_back(roomListLine(room));
        return true;
    });
    return lines;
}

std::vector<std::string> unsoldRoomLines(const Store& store) {
    std::vector<std::string> lines;
    store.rooms().scan([&](std::size_t, const RoomRecord& room) {
        if (room.VacantFlag.str() == "Y") {
            lines.push_back(roomListEntry(room));
        }
        return true;
    });
    return lines;
}

std::size_t makeAllRoomsClean(const Store& store) {
    Operation operation(store);
    Table<RoomRecord> rooms = store.rooms();
    std::vector<std::pair<std::size_t, RoomRecord>> dirty;
    rooms.scan([&](std::size_t n, RoomRecord room) {
        if (room.CleanFlag.str() == "N") {
            dirty.emplace_back(n, std::move(room));
        }
        return true;
    });
    for (auto& [n, room] : dirty) {
        room.CleanFlag = "Y";
        rooms.write(n, room);
    }
    operation.commit();
    return dirty.size();
}

std::vector<RoomEntry> roomChoices(const Store& store) {
    return roomEntries(store, roomChoiceEntry);
}

std::optional<RoomProperties> roomPropertiesOf(const Store& store, std::string_view roomNumber) {
    std::optional<RoomProperties> shown;
    store.rooms().scan([&](std::size_t, const RoomRecord& room) {
        if (numbered(room, roomNumber)) {
            shown = RoomProperties{room.RoomNumber.str(), room.RoomType.trimmed(),
                                   plainNumber(room.Rate)};
        }
        return true;
    });
    return shown;
}

PropertiesOutcome saveRoomProperties(const Store& store, const PropertiesEntry& entry) {
    using Refused = Refusal<PropertiesField>;
    if (!entry.roomPicked) {
        return {Refused{PropertiesField::Room, "You did not select a room."}};
    }
    if (isNoRoomType(entry.type)) {
        return {Refused{PropertiesField::Type, "You did not select a room type."}};
    }
    if (entry.rate.empty()) {
        return {Refused{PropertiesField::Rate, "You did not select a room rate."}};
    }
    if (auto fault = rateFault(entry.rate)) {
        return {Refused{PropertiesField::Rate, std::move(*fault)}};
    }
    auto found = findRoom(store, rightTrim(entry.number));
    if (!found) {
        return {std::nullopt, PropertiesSaved::NoRoom};
    }
    auto& [n, room] = *found;
    room.RoomType = entry.type;
    room.Rate = roomRate(entry.rate);
    asOneOperation(store, [&] { store.rooms().write(n, room); });
    return {std::nullopt, PropertiesSaved::Saved};
}

std::optional<RoomStatus> roomStatusOf(const Store& store, std::string_view roomNumber) {
    const auto found = findRoom(store, roomNumber);
    if (!found) {
        return std::nullopt;
    }
    const RoomRecord& room = found->second;
    return RoomStatus{room.RoomNumber.trimmed(), choiceOf(room.CleanFlag, "Y", "N"),
                      choiceOf(room.VacantFlag, "Y", "N"), choiceOf(room.OrderFlag, "K", "X"),
                      shownText(room.Comment.str())};
}

bool saveRoomStatus(const Store& store, const StatusEntry& entry) {
    // With no room picked there is nothing to save; an old file's room with a blank number
    // must not take the clerk's choices instead.
    if (rightTrim(entry.number).empty()) {
        return false;
    }
    auto found = findRoom(store, rightTrim(entry.number));
    if (!found) {
        return false;
    }
    auto& [n, room] = *found;
    setFlag(room.CleanFlag, entry.clean, "Y", "N");
    setFlag(room.VacantFlag, entry.vacant, "Y", "N");
    setFlag(room.OrderFlag, entry.inOrder, "K", "X");
    room.Comment = entry.comment;
    asOneOperation(store, [&] { store.rooms().write(n, room); });
    return true;
}

} // namespace roomwright
