#include "frontdesk/stay_dates.h"

#include <gtest/gtest.h>

#include <vector>

namespace roomwright {
namespace {

// The three boxes of a window, changed in turn as the clerk does and filled as the rule says.
struct Boxes {
    std::string arrival = "12/7/2026";
    std::string nights;
    std::string departure;
    StayDates dates;

    void show(const StayDates::Shown& shown) {
        nights = shown.nights.value_or(nights);
        departure = shown.departure.value_or(departure);
    }
};

enum class Typed { Arrival, Nights, Departure, Shown };
struct Step {
    Typed box;
    const char* text;
    const char* nights; // as the boxes then show them
    const char* departure;
};

void run(const std::vector<Step>& steps) {
    Boxes boxes;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.text);
        switch (step.box) {
        case Typed::Arrival:
            boxes.arrival = step.text;
            boxes.show(boxes.dates.arrivalTyped(boxes.arrival, boxes.nights, boxes.departure));
            break;
        case Typed::Nights:
            boxes.nights = step.text;
            boxes.show(boxes.dates.nightsTyped(boxes.arrival, boxes.nights));
            break;
        case Typed::Departure:
            boxes.departure = step.text;
            boxes.show(boxes.dates.departureTyped(boxes.arrival, boxes.departure));
            break;
        case Typed::Shown: // a stored stay of these nights to that departure
            boxes.nights = step.nights;
            boxes.departure = step.departure;
            boxes.dates.stayShown(boxes.arrival, boxes.nights, boxes.departure);
            break;
        }
        EXPECT_EQ(boxes.nights, step.nights);
        EXPECT_EQ(boxes.departure, step.departure);
    }
}

TEST(StayDates, NightsFillTheDepartureTheyFilledOrAnEmptyOne) {
    run({{Typed::Nights, "3", "3", "12/10/2026"},
         {Typed::Nights, "31", "31", "1/7/2027"},
         {Typed::Nights, "", "", ""},
         {Typed::Nights, "x", "x", ""},
         {Typed::Nights, "2", "2", "12/9/2026"},
         {Typed::Arrival, "12/20/2026", "2", "12/22/2026"},
         {Typed::Arrival, "12/2", "2", ""}});
}

TEST(StayDates, ADepartureTypedFillsTheNightsAndIsNeverOverwrittenByThem) {
    run({{Typed::Departure, "12/1", "", "12/1"},
         {Typed::Departure, "12/12/2026", "5", "12/12/2026"},
         {Typed::Nights, "4", "4", "12/12/2026"}, // disagrees: the save refuses it
         {Typed::Arrival, "12/10/2026", "2", "12/12/2026"},
         {Typed::Departure, "12/9/2026", "-1", "12/9/2026"},
         {Typed::Departure, "", "-1", ""},
         {Typed::Nights, "3", "3", "12/13/2026"}});
}

TEST(StayDates, AStoredStayFollowsItsNightsOnlyWhenTheyAgree) {
    run({{Typed::Shown, "", "3", "12/10/2026"},
         {Typed::Nights, "4", "4", "12/11/2026"},
         {Typed::Shown, "", "3", "12/31/2026"},
         {Typed::Nights, "4", "4", "12/31/2026"},
         {Typed::Shown, "", "3", ""},
         {Typed::Nights, "4", "4", "12/11/2026"}});
}

} // namespace
} // namespace roomwright
