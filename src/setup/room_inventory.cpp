#include "setup/room_inventory.h"

#include "store/format/codepage.h"
#include "store/lookups.h"
#include "store/format/numbers.h"

namespace roomwright {

namespace {

// The rate the text holds, when it is a number a Single can keep.
std::optional<float> rateOf(std::string_view text) {
    const std::optional<double> number = strictNumber(text);
    if (!number || !postableAmount(*number)) {
        return std::nullopt;
    }
    return static_cast<float>(*number);
}

// The typed room number as the room file will hold it, right-trimmed: the form every
// look-up compares.
std::string storedNumber(std::string_view typed) {
    std::string bytes = toCp1252(typed);
    bytes.resize(4, ' ');
    return rightTrim(fromCp1252(bytes));
}

// Characters, not bytes: every character of the code page is one byte on disk.
std::size_t characters(std::string_view text) {
    return toCp1252(text).size();
}

} // namespace

bool isNoRoomType(std::string_view type) {
    const std::string shown = trimBlanks(type);
    return shown.empty() || shown == kRoomTypePrompt || shown == kClearedRoomTypePrompt;
}

std::optional<std::string> rateFault(std::string_view rate) {
    const std::optional<float> value = rateOf(rate);
    if (!value) {
        return "The room rate must be a number, for example 45 or 45.50.";
    }
    if (*value < 0) {
        return "The room rate cannot be less than 0.";
    }
    return std::nullopt;
}

float roomRate(std::string_view rate) {
    return rateOf(rate).value_or(0.0f);
}

std::string inventoryLine(const RoomRecord& room) {
    return roomListEntry(room) + "   " + numberText(room.Rate);
}

std::vector<std::string> inventoryLines(const Store& store) {
    std::vector<std::string> lines;
    store.rooms().scan([&](std::size_t, const RoomRecord& room) {
        lines.push_back(inventoryLine(room));
        return true;
    });
    return lines;
}

std::optional<Refusal<NewRoomField>> checkNewRoom(const Store& store, const NewRoom& room) {
    const std::string typed = rightTrim(room.number);
    if (typed.empty()) {
        return Refusal<NewRoomField>{NewRoomField::Number, "You did not enter a room number."};
    }
    if (characters(typed) != 3) {
        return Refusal<NewRoomField>{
            NewRoomField::Number,
            "A room number must be exactly three characters long, for example 101."};
    }
    const std::string number = storedNumber(typed);
    if (findRoom(store, number)) {
        return Refusal<NewRoomField>{NewRoomField::Number,
                                     "Room " + number +
                                         " has already been entered. Its type and rate are "
                                         "changed in Edit Room Properties."};
    }
    if (isNoRoomType(room.type)) {
        return Refusal<NewRoomField>{NewRoomField::Type, "You did not select a room type."};
    }
    if (trimBlanks(room.rate).empty()) {
        return Refusal<NewRoomField>{NewRoomField::Rate, "You did not enter a room rate."};
    }
    if (auto fault = rateFault(room.rate)) {
        return Refusal<NewRoomField>{NewRoomField::Rate, std::move(*fault)};
    }
    return std::nullopt;
}

RoomRecord newRoomRecord(const NewRoom& room) {
    RoomRecord record;
    record.RoomNumber = room.number;
    record.RoomType = room.type;
    record.Rate = roomRate(room.rate);
    record.CleanFlag = "Y";
    record.VacantFlag = "Y";
    record.OrderFlag = "K";
    return record;
}

EnteredRoom enterRoom(const Store& store, const NewRoom& room) {
    if (auto refusal = checkNewRoom(store, room)) {
        return {std::move(refusal), 0};
    }
    return {std::nullopt,
            asOneOperation(store, [&] { return store.rooms().append(newRoomRecord(room)); })};
}

} // namespace roomwright
