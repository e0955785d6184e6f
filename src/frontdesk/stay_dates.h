#pragma once

#include <optional>
#include <string>

namespace roomwright {

// The nights of a stay and its departure date as a window's boxes hold them, each filling the
// other as the clerk types: the walk-in, the new booking and the booking found all work so.
// Typing the nights fills a departure date that is empty, or that the nights filled before,
// with the arrival plus the nights; typing or picking a departure date fills the nights with
// the days from the arrival to it. A departure date the clerk typed or picked is never
// overwritten by typing nights: where the two then disagree, the window's save says so.
class StayDates {
  public:
    // What the boxes show after a change; nothing where a box keeps its text.
    struct Shown {
        std::optional<std::string> nights;
        std::optional<std::string> departure;
    };

    // The clerk typed the nights (or the window set them). A departure date the nights
    // fill becomes empty while the nights or the arrival are none.
    Shown nightsTyped(const std::string& arrival, const std::string& nights);
    // The clerk typed or picked a departure date; emptied, the nights fill it again.
    Shown departureTyped(const std::string& arrival, const std::string& departure);
    // The arrival changed: a departure date the nights fill moves with it; against the clerk's
    // own departure date the nights are counted afresh.
    Shown arrivalTyped(const std::string& arrival, const std::string& nights,
                       const std::string& departure);
    // A stored stay is shown: its departure date follows the nights when it agrees with them,
    // and counts as the clerk's own otherwise.
    void stayShown(const std::string& arrival, const std::string& nights,
                   const std::string& departure);

  private:
    bool departureIsTheClerks_ = false;
};

} // namespace roomwright
