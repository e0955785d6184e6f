#include "reservations/tape_chart.h"

#include "reservations/reservations.h"

#include <algorithm>
#include <map>

namespace roomwright {

namespace {

long daySerial(double stored) {
    return CivilDate::fromStored(stored).serial();
}

std::string guestName(const PersonFields& person) {
    return person.LastName.trimmed() + ", " + person.FirstName.trimmed();
}

// Collects the bars and files each under its room.
class ChartBuilder {
  public:
    ChartBuilder(TapeChart& chart, long first) : chart_(chart), first_(first) {}

    void addRoom(const RoomRecord& room) {
        const std::string number = room.RoomNumber.trimmed();
        if (rowOf_.contains(number)) {
            return; // a room entered twice: its bookings go to its first line
        }
        rowOf_[number] = chart_.rooms.size();
        chart_.rooms.push_back({number, room.RoomType.trimmed(), roomState(room), 1, {}});
    }

    // Adds the bar when one of the nights from `arrival` up to `end` is on the chart.
    void addBar(ChartBar bar, long arrival, long end) {
        const long from = std::max(arrival, first_);
        const long to = std::min(end, first_ + chart_.days);
        if (from >= to) {
            return;
        }
        bar.firstDay = static_cast<int>(from - first_);
        bar.lastDay = static_cast<int>(to - 1 - first_);
        auto [row, added] = rowOf_.try_emplace(bar.room, chart_.rooms.size());
        if (added) {
            chart_.rooms.push_back({bar.room, "", RoomState::NotInRoomFile, 1, {}});
        }
        chart_.rooms[row->second].bars.push_back(chart_.bars.size());
        chart_.bars.push_back(std::move(bar));
    }

    // Orders each room's bars by first night and gives overlapping ones lanes of their own.
    void finish() {
        for (ChartRoom& room : chart_.rooms) {
            std::ranges::stable_sort(room.bars, [&](std::size_t a, std::size_t b) {
                return chart_.bars[a].firstDay < chart_.bars[b].firstDay;
            });
            std::vector<int> laneEnds; // the last day taken in each lane
            for (std::size_t i = 0; i < room.bars.size(); ++i) {
                ChartBar& bar = chart_.bars[room.bars[i]];
                for (std::size_t j = 0; j < i; ++j) {
                    ChartBar& earlier = chart_.bars[room.bars[j]];
                    if (earlier.lastDay >= bar.firstDay) {
                        earlier.overlaps = bar.overlaps = true;
                    }
                }
                const auto free = std::ranges::find_if(
                    laneEnds, [&](int lastDay) { return lastDay < bar.firstDay; });
                bar.lane = static_cast<int>(free - laneEnds.begin());
                if (free == laneEnds.end()) {
                    laneEnds.push_back(bar.lastDay);
                } else {
                    *free = bar.lastDay;
                }
            }
            room.lanes = std::max<int>(1, static_cast<int>(laneEnds.size()));
        }
    }

  private:
    TapeChart& chart_;
    long first_;
    std::map<std::string, std::size_t> rowOf_;
};

} // namespace

RoomState roomState(const RoomRecord& room) {
    if (room.OrderFlag.str() == "X") {
        return RoomState::OutOfOrder;
    }
    if (room.VacantFlag.str() == "N") {
        return RoomState::Occupied;
    }
    return room.CleanFlag.str() == "N" ? RoomState::VacantDirty : RoomState::VacantClean;
}

std::string roomStateText(RoomState state) {
    switch (state) {
    case RoomState::VacantClean:
        return "Vacant clean";
    case RoomState::VacantDirty:
        return "Vacant dirty";
    case RoomState::Occupied:
        return "Occupied";
    case RoomState::OutOfOrder:
        return "Out of order";
    case RoomState::NotInRoomFile:
        break;
    }
    return "Not in the room file";
}

std::vector<std::size_t> TapeChart::occupants(std::size_t room, int day) const {
    std::vector<std::size_t> found;
    for (const std::size_t bar : rooms.at(room).bars) {
        if (bars[bar].firstDay <= day && day <= bars[bar].lastDay) {
            found.push_back(bar);
        }
    }
    return found;
}

TapeChart tapeChart(const Store& store, const CivilDate& first, const CivilDate& today, int days) {
    TapeChart chart;
    chart.first = first;
    chart.days = days;
    const long start = first.serial();
    const long end = start + days;
    const long tonight = today.serial();
    ChartBuilder builder(chart, start);
    store.rooms().scan([&](std::size_t, const RoomRecord& room) {
        builder.addRoom(room);
        return true;
    });
    store.scanInHouseGuests([&](std::size_t n, const RecordView<GuestRecord>& view) {
        const GuestRecord guest = view.decode();
        const long arrival = daySerial(guest.ArrivalDate);
        const long departure = daySerial(guest.DepartureDate);
        const long booked = endOfStay(arrival, departure);
        ChartBar bar{.kind = Occupant::Stay,
                     .record = n,
                     .guest = guestName(guest),
                     .room = guest.RoomNumber.trimmed(),
                     .arrival = CivilDate::fromSerial(arrival),
                     .departure = CivilDate::fromSerial(departure),
                     .overdue = booked < tonight};
        const long held = bar.overdue ? tonight + 1 : booked;
        builder.addBar(std::move(bar), arrival, held);
        return true;
    });
    scanOpenBookings(
        store, {start, end, std::nullopt}, today,
        [&](std::size_t n, const RecordView<ReservationRecord>& view, const HeldNights& held) {
            const ReservationRecord reservation = view.decode();
            ChartBar bar{.kind = Occupant::Reservation,
                         .record = n,
                         .guest = guestName(reservation),
                         .room = reservation.RoomNumber.trimmed(),
                         .arrival = CivilDate::fromStored(reservation.ArrivalDate),
                         .departure = CivilDate::fromStored(reservation.DepartureDate)};
            builder.addBar(std::move(bar), held.first, held.end);
            return true;
        });
    builder.finish();
    return chart;
}

std::string barDescription(const ChartBar& bar) {
    std::string text = bar.guest + ", room " + bar.room + ", " +
                       (bar.kind == Occupant::Stay ? "in house" : "reservation") + ", " +
                       shortDate(bar.arrival) + " to " + shortDate(bar.departure);
    if (bar.overdue) {
        text += ", overdue";
    }
    if (bar.overlaps) {
        text += ", overlaps another booking";
    }
    return text;
}

} // namespace roomwright
