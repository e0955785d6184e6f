#include "store/clock.h"

#include "store/disk/platform.h"

#include <chrono>
#include <ctime>

namespace roomwright {

namespace {

struct LocalMoment {
    std::tm parts{};
    int millisecond = 0;
};

LocalMoment localNow() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    LocalMoment moment;
    moment.parts = platform::localTime(seconds);
    const auto sinceEpoch = now.time_since_epoch();
    moment.millisecond = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count() % 1000);
    return moment;
}

} // namespace

CivilDate SystemClock::today() const {
    const LocalMoment m = localNow();
    return {m.parts.tm_year + 1900, m.parts.tm_mon + 1, m.parts.tm_mday};
}

TimeOfDay SystemClock::now() const {
    const LocalMoment m = localNow();
    return {m.parts.tm_hour, m.parts.tm_min, m.parts.tm_sec, m.millisecond};
}

} // namespace roomwright
