#pragma once

#include "store/lookups.h"
#include "store/refusal.h"
#include "store/store.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace roomwright {

// The message of every save that went through.
inline constexpr std::string_view kChangesMade = "Your changes have been made.";

// --- Room list and unsold rooms ----------------------------------------------------------

// A line of the room list: the room entry, then " - Occuppied" when the room is occupied and
// " - Dirty" when it is dirty ("105   K11 - Occuppied - Dirty").
std::string roomListLine(const RoomRecord& room);
// One line for each room record, in record order.
std::vector<std::string> roomListLines(const Store& store);
// The room entry of every vacant room (dirty and out-of-order ones too), in record order.
std::vector<std::string> unsoldRoomLines(const Store& store);
// Sets every dirty room clean, leaving every other field and every clean room's record as it
// is; returns how many records were written.
std::size_t makeAllRoomsClean(const Store& store);

// --- Picking a room in the property and status windows -----------------------------------

// One entry for each room record, in record order.
std::vector<RoomEntry> roomChoices(const Store& store);

// --- Room properties ---------------------------------------------------------------------

// What the properties window shows for a picked room: the last record of that number (the
// scan does not stop at the first). Nothing when no record has it.
struct RoomProperties {
    std::string number; // RoomNumber, all 4 characters
    std::string type;   // RoomType right-trimmed
    std::string rate;   // Rate in its shortest decimal form
};
std::optional<RoomProperties> roomPropertiesOf(const Store& store, std::string_view roomNumber);

// The properties window as the clerk leaves it at "Save Changes".
struct PropertiesEntry {
    bool roomPicked = false; // false while the room choice still shows "Select Room"
    std::string number;      // the room number label
    std::string type;        // the room type box
    std::string rate;        // the rate box
};
enum class PropertiesField { Room, Type, Rate };
enum class PropertiesSaved { Saved, NoRoom };
struct PropertiesOutcome {
    std::optional<Refusal<PropertiesField>> refusal;
    PropertiesSaved saved = PropertiesSaved::NoRoom;
};
// Checks the entry in this order: room, type, empty rate, then a rate that is not a number.
// Then sets type and rate of the first room whose number equals the label, and nothing else.
// When no room has that number, nothing is written and nothing is said.
PropertiesOutcome saveRoomProperties(const Store& store, const PropertiesEntry& entry);

// --- Room status -------------------------------------------------------------------------

// The state of one pair of option buttons: one of the two, or neither.
using Choice = std::optional<bool>;

// What the status window shows for a picked room: the first record of that number. A flag
// holding neither of its letters gives no choice.
struct RoomStatus {
    std::string number;  // RoomNumber right-trimmed
    Choice clean;        // CleanFlag "Y" true, "N" false
    Choice vacant;       // VacantFlag "Y" true, "N" false
    Choice inOrder;      // OrderFlag "K" true, "X" false
    std::string comment; // Comment, all 80 characters, up to the first NUL character as a
                         // text box shows it (a comment never set is all NUL)
};
std::optional<RoomStatus> roomStatusOf(const Store& store, std::string_view roomNumber);

// The status window as the clerk leaves it at "Save".
struct StatusEntry {
    std::string number; // the room number label
    Choice clean;
    Choice vacant;
    Choice inOrder;
    std::string comment;
};
// Sets the flags of the pairs that have a choice and the comment of the first room whose
// number equals the label. Returns false, having written nothing, when there is no such room.
bool saveRoomStatus(const Store& store, const StatusEntry& entry);

} // namespace roomwright
