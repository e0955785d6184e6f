#include "reservations/tape_chart.h"

#include "ops/ops_fixture.h"
#include "store/bookings.h"

#include <algorithm>

namespace roomwright {
namespace {

using namespace roomwright::testing;

const CivilDate kToday{2026, 12, 7};

// A booking or stay as a case lists it: days counted from today.
struct Entry {
    Occupant kind;
    const char* room;
    const char* last;
    long arrival;
    long departure;
    bool closed = false; // checked in, or checked out
    bool cancelled = false;
};

struct ChartCase {
    const char* name;
    std::vector<Entry> entries;
    std::vector<std::string> bars; // "room last firstDay-lastDay", then " red" and " laneN"
    long first = 0;                // the chart's first day, from today
};

class TapeChartTest : public StoreTest {
  protected:
    TapeChartTest() {
        addRoom(room("101", "NQ1", 59.95f));
        addRoom(room("102", "K11", 69.95f, "Y", "Y", "X"));
        addRoom(room("103", "NQ1", 59.95f));
    }

    void add(const Entry& e) { add(store, e); }
    void add(const Store& into, const Entry& e) {
        if (e.kind == Occupant::Stay) {
            GuestRecord guest =
                makeStayOver(e.room, e.last, ++folio_, 59.95f, kToday.plusDays(e.arrival),
                             kToday.plusDays(e.departure));
            guest.CheckOutMark = e.closed ? "*" : "";
            into.guests().append(guest);
        } else {
            ReservationRecord r;
            r.RoomNumber = e.room;
            r.LastName = e.last;
            r.FirstName = "Ann";
            r.ArrivalDate = kToday.plusDays(e.arrival).stored();
            r.DepartureDate = kToday.plusDays(e.departure).stored();
            r.CheckInMark = e.closed ? "*" : "";
            if (e.cancelled) {
                markCancelled(r, kToday, "");
            }
            into.reservations().append(r);
        }
    }

    static std::vector<std::string> drawn(const TapeChart& chart) {
        std::vector<std::string> lines;
        for (const ChartBar& bar : chart.bars) {
            std::string line = bar.room + " " + bar.guest.substr(0, bar.guest.find(',')) + " " +
                               std::to_string(bar.firstDay) + "-" + std::to_string(bar.lastDay);
            line += bar.overlaps ? " red" : "";
            line += bar.lane > 0 ? " lane" + std::to_string(bar.lane) : "";
            lines.push_back(line);
        }
        std::ranges::sort(lines);
        return lines;
    }

    long folio_ = 0;
};

const Occupant S = Occupant::Stay;
const Occupant R = Occupant::Reservation;

const ChartCase kCases[] = {
    {"two bookings sharing a night",
     {{R, "101", "Ames", 1, 4}, {R, "101", "Berg", 3, 5}},
     {"101 Ames 1-3 red", "101 Berg 3-4 red lane1"}},
    {"a stay and a booking on one night",
     {{S, "103", "Cole", -2, 2}, {R, "103", "Dunn", 1, 3}},
     {"103 Cole 0-1 red", "103 Dunn 1-2 red lane1"}},
    {"back to back, in one lane",
     {{S, "101", "Cole", -1, 2}, {R, "101", "Dunn", 2, 4}, {R, "101", "Eyre", 4, 5}},
     {"101 Cole 0-1", "101 Dunn 2-3", "101 Eyre 4-4"}},
    {"a booking past the last day is cut at it",
     {{R, "103", "Ford", 10, 30}, {R, "103", "Gray", 14, 16}},
     {"103 Ford 10-13"}},
    {"an old stay never checked out holds its room tonight",
     {{S, "101", "Hale", -3000, -2990}, {R, "101", "Ives", 0, 2}},
     {"101 Hale 0-0 red", "101 Ives 0-1 red lane1"}},
    {"a stay due out today holds no night",
     {{S, "101", "Hale", -2, 0}, {R, "101", "Ives", 0, 2}},
     {"101 Ives 0-1"}},
    {"checked-in bookings, departed stays and past bookings are not drawn",
     {{R, "101", "Jude", 0, 2, true},
      {S, "103", "Kent", -1, 3, true},
      {R, "103", "Lowe", -5, -2},
      {R, "101", "Moss", 0, 0}},
     {"101 Moss 0-0"}},
    {"a cancelled booking is not drawn, a no-show only on its arrival night",
     {{R, "101", "Pace", 0, 3, false, true}, {R, "103", "Quin", -2, 3}, {R, "103", "Rudd", 0, 2}},
     {"103 Quin 1-1", "103 Rudd 3-4"},
     -3},
    {"a later chart shows only the nights it covers",
     {{S, "101", "Nash", -1, 9}, {R, "103", "Orr", 3, 5}},
     {"101 Nash 0-1"},
     7},
};

TEST_F(TapeChartTest, DrawsEachBookingOverItsNights) {
    for (const ChartCase& c : kCases) {
        SCOPED_TRACE(c.name);
        TempDir fresh;
        const DataDirectory dir(fresh.path() / "Motel");
        dir.ensureExists(files);
        const Store motel(dir, files);
        for (const char* number : {"101", "102", "103"}) {
            motel.rooms().append(room(number, "NQ1", 59.95f));
        }
        for (const Entry& e : c.entries) {
            add(motel, e);
        }
        const TapeChart chart = tapeChart(motel, kToday.plusDays(c.first), kToday);
        EXPECT_EQ(drawn(chart), c.bars);
        EXPECT_EQ(chart.first, kToday.plusDays(c.first));
    }
}

TEST_F(TapeChartTest, RoomsFollowTheRoomFileAndBookingsOfUnknownRoomsFollowThem) {
    add({R, "103", "Ames", 0, 2});
    add({R, "101", "Berg", 0, 1});
    add({R, "101", "Cole", 0, 3});
    add({R, "999", "Dunn", 1, 2});
    const TapeChart chart = tapeChart(store, kToday, kToday);
    ASSERT_EQ(chart.rooms.size(), 4u);
    const auto row = [&](std::size_t i) {
        const ChartRoom& r = chart.rooms[i];
        return r.number + " " + r.type + " " + roomStateText(r.state) + " lanes " +
               std::to_string(r.lanes) + " bars " + std::to_string(r.bars.size());
    };
    EXPECT_EQ(row(0), "101 NQ1 Vacant clean lanes 2 bars 2");
    EXPECT_EQ(row(1), "102 K11 Out of order lanes 1 bars 0");
    EXPECT_EQ(row(2), "103 NQ1 Vacant clean lanes 1 bars 1");
    EXPECT_EQ(row(3), "999  Not in the room file lanes 1 bars 1");
    EXPECT_EQ(chart.occupants(0, 0).size(), 2u);
    EXPECT_EQ(chart.occupants(0, 1).size(), 1u);
    EXPECT_TRUE(chart.occupants(1, 0).empty());

    const ChartBar& cole = chart.bars[chart.occupants(0, 2).at(0)];
    EXPECT_EQ(cole.record, 3u);
    EXPECT_EQ(barDescription(cole),
              "Cole, Ann, room 101, reservation, 12/7/2026 to 12/10/2026, overlaps another "
              "booking");
}

TEST(RoomStateToday, OutOfOrderFirstThenOccupiedThenDirtyOrClean) {
    const struct {
        const char* clean;
        const char* vacant;
        const char* order;
        RoomState state;
    } cases[] = {
        {"Y", "Y", "K", RoomState::VacantClean}, {"N", "Y", "K", RoomState::VacantDirty},
        {"N", "N", "K", RoomState::Occupied},    {"Y", "N", "K", RoomState::Occupied},
        {"Y", "N", "X", RoomState::OutOfOrder},  {"N", "Y", "X", RoomState::OutOfOrder},
        {"", "", "", RoomState::VacantClean}, // a room never given its flags
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.clean) + c.vacant + c.order);
        EXPECT_EQ(roomState(makeRoom("101", "NQ1", 50, c.clean, c.vacant, c.order)), c.state);
    }
}

TEST_F(TapeChartTest, AStayCarriesItsRecordNumber) {
    add({S, "101", "Ames", -3000, -2990, true});
    add({S, "103", "Berg", -4, -1});
    const TapeChart chart = tapeChart(store, kToday, kToday);
    ASSERT_EQ(chart.bars.size(), 1u);
    const ChartBar& bar = chart.bars[0];
    EXPECT_EQ(bar.kind, Occupant::Stay);
    EXPECT_EQ(bar.record, 2u);
    EXPECT_TRUE(bar.overdue);
    EXPECT_EQ(barDescription(bar),
              "Berg, Ann, room 103, in house, 12/3/2026 to 12/6/2026, overdue");
}

} // namespace
} // namespace roomwright
