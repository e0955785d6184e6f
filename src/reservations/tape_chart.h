#pragma once

#include "store/format/dates.h"
#include "store/store.h"

#include <cstddef>
#include <string>
#include <vector>

namespace roomwright {

// The tape chart: the rooms down the side, a run of days across, and each in-house stay and
// each open reservation as a bar over its nights in its room.

inline constexpr int kChartDays = 14;

enum class Occupant { Stay, Reservation };

struct ChartBar {
    Occupant kind = Occupant::Stay;
    std::size_t record = 0; // in the guest file (a stay) or the reservation file
    std::string guest;      // "Smith, Ann"
    std::string room;       // the room number, right-trimmed
    CivilDate arrival;
    CivilDate departure; // as booked or registered
    // A stay still in house after its departure day: it holds the room up to tonight.
    bool overdue = false;
    int firstDay = 0; // its first night on the chart, counted from the chart's first day
    int lastDay = 0;  // its last night on the chart
    // Another bar of the same room shares one of its nights on the chart.
    bool overlaps = false;
    int lane = 0; // the line of its room it is drawn on: overlapping bars take one each
};

// A room's state today, as the room file's flags give it: out of order before all, then
// occupied, then vacant and dirty or clean. A room that only bookings name has none.
enum class RoomState { VacantClean, VacantDirty, Occupied, OutOfOrder, NotInRoomFile };
RoomState roomState(const RoomRecord& room);
// "Vacant clean", "Vacant dirty", "Occupied", "Out of order", "Not in the room file".
std::string roomStateText(RoomState state);

struct ChartRoom {
    std::string number; // right-trimmed
    std::string type;   // right-trimmed
    RoomState state = RoomState::NotInRoomFile;
    int lanes = 1;
    std::vector<std::size_t> bars; // into TapeChart::bars, by first night
};

struct TapeChart {
    CivilDate first;
    int days = kChartDays;
    std::vector<ChartRoom> rooms; // room file order, then rooms only bookings name
    std::vector<ChartBar> bars;

    // The bars of room `room` over the night of day `day` (0 is the first day); more than
    // one means the room is booked twice that night.
    std::vector<std::size_t> occupants(std::size_t room, int day) const;
};

// The chart of `days` days from `first`. The in-house stays come from the in-house guests; an
// open booking is decoded only when it holds a night on the chart (`scanOpenBookings`: a
// no-show only its arrival night), so the decades of checked-in and cancelled bookings cost
// one pass over the reservation file testing a few fields each. A stay still in house after
// its departure day (before `today`) holds its room up to tonight; one due out today holds it
// no longer.
TapeChart tapeChart(const Store& store, const CivilDate& first, const CivilDate& today,
                    int days = kChartDays);

// What a screen reader says of a bar: "Smith, Ann, room 101, reservation, 12/7/2026 to
// 12/9/2026", with ", overdue" and ", overlaps another booking" when they apply.
std::string barDescription(const ChartBar& bar);

} // namespace roomwright
