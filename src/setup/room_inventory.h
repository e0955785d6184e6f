#pragma once

#include "store/refusal.h"
#include "store/store.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace roomwright {

// The room types, always offered in this order, with the legend the inventory window shows.
struct RoomType {
    const char* code;
    const char* legend;
};
inline constexpr std::array<RoomType, 10> kRoomTypes = {{
    {"NQ1", "NQ1 = Non-Smoking single"},
    {"Q11", "Q11  = Smoking Single"},
    {"NDD1", "NDD1 = Non-Smoking Double"},
    {"DD1", "DD1 = Smoking Double"},
    {"NK1", "NK1 = Non-Smoking King"},
    {"K11", "K11 = Smoking King"},
    {"SNK1", "SNK1 = Non-Smoking Suite King"},
    {"SK1", "SK1 = Smoking Suite King"},
    {"SNQ1", "SNQ1 = Non-Smoking Suite Queen"},
    {"SQ1", "SQ1 = Smoking Suite Queen"},
}};

// What the room type box shows before a type is picked: at load and after "Enter Room Now",
// and, spelt so, after "Clear Fields".
inline constexpr std::string_view kRoomTypePrompt = "Select Room Type";
inline constexpr std::string_view kClearedRoomTypePrompt = "Select Rooom Type";

// True when the room type box holds no type: only blanks, or one of its prompts. A typed
// type that is not one of the ten is a type.
bool isNoRoomType(std::string_view type);
// Why a typed room rate cannot be stored: not a number a Single can keep, or below 0;
// nothing when it can.
std::optional<std::string> rateFault(std::string_view rate);
// The rate of a text that `rateFault` lets through.
float roomRate(std::string_view rate);

// A line of "Rooms already entered": the room entry, three blanks, the rate in the
// number-to-text form ("101   NQ1    45").
std::string inventoryLine(const RoomRecord& room);
// One line for each room record, in record order.
std::vector<std::string> inventoryLines(const Store& store);

// A room as the clerk typed it.
struct NewRoom {
    std::string number;
    std::string type;
    std::string rate;
};
enum class NewRoomField { Number, Type, Rate };

// Checks the typed room: a room number of exactly three characters that is not in the room
// file yet, a type that is not the prompt, a rate that is a number.
std::optional<Refusal<NewRoomField>> checkNewRoom(const Store& store, const NewRoom& room);
// The record a checked room is stored as: clean, vacant and in order, every field it does
// not set zero bytes.
RoomRecord newRoomRecord(const NewRoom& room);
// Appends the room when the check passes and returns its record number; otherwise writes
// nothing and returns the refusal.
struct EnteredRoom {
    std::optional<Refusal<NewRoomField>> refusal;
    std::size_t recordNumber = 0;
};
EnteredRoom enterRoom(const Store& store, const NewRoom& room);

} // namespace roomwright
