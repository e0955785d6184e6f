#pragma once

#include "store/format/dates.h"

namespace roomwright {

// Today's date and the time of day. Windows and operations ask this seam, never the system
// clock, so that tests and scheduled runs can stand at any moment.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual CivilDate today() const = 0;
    virtual TimeOfDay now() const = 0;
};

// The workstation's own clock, in local time.
class SystemClock : public Clock {
  public:
    CivilDate today() const override;
    TimeOfDay now() const override;
};

// A clock that stands where it is set: for tests, and for command-line runs that say which
// day and time they act at.
class FixedClock : public Clock {
  public:
    FixedClock(CivilDate today, TimeOfDay now) : today_(today), now_(now) {}
    CivilDate today() const override { return today_; }
    TimeOfDay now() const override { return now_; }
    void set(CivilDate today, TimeOfDay now) {
        today_ = today;
        now_ = now;
    }

  private:
    CivilDate today_;
    TimeOfDay now_;
};

} // namespace roomwright
