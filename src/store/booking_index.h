#pragma once

#include "store/format/dates.h"
#include "store/format/record_view.h"
#include "store/format/records.h"
#include "store/record_index.h"

#include <cstddef>
#include <functional>
#include <limits>

namespace roomwright {

// Where the bookings that the desk asks about sit in the reservation file (a RecordIndex),
// kept between runs in `bookings.index`: every open booking, whatever its day, and the
// bookings checked in that arrive on or after a day some weeks back (its horizon), which the
// walk-in's warning and the folio's extra night count too. The horizon follows the days those
// two ask on: when it lies more than twice its span back, it moves up and the older check-ins
// age out of the index, so that the index holds what the bookings ahead and the last weeks
// hold, not what the years hold. Until a question brings it to a day, no check-in is kept. A
// booking once closed never reopens, and one checked in never moves back before the horizon,
// so a booking outside the index can only come in by being appended or by the store's own
// write; an indexed booking cancelled behind the store's back makes the index doubtful.
class BookingIndex : public RecordIndex {
  public:
    using Visit = std::function<bool(std::size_t n, const RecordView<ReservationRecord>& booking)>;

    // How many days before the day of its use the horizon is set.
    static constexpr long kCheckedInDays = 14;

    // The index of the reservation file `reservations`; `saved` keeps it between runs, and a
    // new one is written to `temporary` first.
    BookingIndex(FileSystem& files, Path reservations, Path saved, Path temporary);

    // Visits the indexed bookings of `file` in record order; `visit` returns false to stop.
    void visit(const RecordFile& file, const Visit& visit);
    // The same once the horizon has been brought to kCheckedInDays before `today`, when it
    // lay after that day or more than twice as far back. Returns the horizon (a day serial):
    // the checked-in bookings arriving on or after it were visited, the earlier ones were not.
    long visit(const RecordFile& file, const CivilDate& today, const Visit& visit);

  private:
    Standing standing(std::span<const std::byte> slot) const override;
    std::uint64_t parameter() const override;
    bool takeParameter(std::uint64_t value) override;

    long horizon_ = kNoCheckIns;
    static constexpr long kNoCheckIns = std::numeric_limits<long>::max();
};

} // namespace roomwright
