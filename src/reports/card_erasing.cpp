#include "reports/card_erasing.h"

#include "store/cards.h"
#include "store/lookups.h"

#include <optional>
#include <string_view>

namespace roomwright {

namespace {

// Erased records are written back in runs of neighbours, one write and one journal entry
// for each run of up to this many bytes: erasing years of history at once stays a few
// hundred writes.
constexpr std::size_t kRunBytes = 1 << 20;

// A stored date as a day serial; a damaged one reads as long ago.
long daySerial(double stored) {
    return CivilDate::possible(stored) ? CivilDate::fromStored(stored).serial() : 0;
}

// The day a stay was done with, when it has checked out.
std::optional<long> stayDone(const RecordView<GuestRecord>& stay) {
    if (inHouse(stay)) {
        return std::nullopt;
    }
    return daySerial(stay.number<&GuestRecord::DepartureDate>());
}

// A cancelled booking carries its check-in mark "*" and, in its fourth reserved field,
// "Cancelled YYYY-MM-DD".
constexpr std::size_t kCancellationOffset = 513;
constexpr std::size_t kCancellationWidth = 20;
constexpr std::string_view kCancelled = "Cancelled ";
std::optional<CivilDate> cancelledOn(const RecordView<ReservationRecord>& booking) {
    const std::string_view note(reinterpret_cast<const char*>(booking.slot().data()) +
                                    kCancellationOffset,
                                kCancellationWidth);
    if (!note.starts_with(kCancelled)) {
        return std::nullopt;
    }
    return parseIsoDate(rightTrim(note.substr(kCancelled.size())));
}

// The day a booking was done with, when it has been checked in or cancelled.
std::optional<long> bookingDone(const RecordView<ReservationRecord>& booking) {
    if (booking.trimmedBytes<&ReservationRecord::CheckInMark>() != "*") {
        return std::nullopt;
    }
    if (const auto cancelled = cancelledOn(booking)) {
        return cancelled->serial();
    }
    return daySerial(booking.number<&ReservationRecord::ArrivalDate>());
}

// Erases the cards of the records of one file done before the day `kept`; returns how many
// it changed.
template <class Record, class Done>
std::size_t eraseDone(Table<Record> table, long kept, Done done) {
    std::size_t erased = 0;
    std::size_t runFirst = 0;
    Bytes run;
    const auto writeRun = [&] {
        if (!run.empty()) {
            table.writeSlots(runFirst, run);
            run.clear();
        }
    };
    // The records are written behind the scan, which has read them already.
    table.scanViews([&](std::size_t n, const RecordView<Record>& view) {
        const std::optional<long> day = done(view);
        if (!day || *day >= kept || !holdsCard(view)) {
            return true;
        }
        Record record = view.decode();
        eraseCard(record);
        if (runFirst + run.size() / Record::slotLength != n || run.size() >= kRunBytes) {
            writeRun();
            runFirst = n;
        }
        const Bytes slot = encode(record);
        run.insert(run.end(), slot.begin(), slot.end());
        ++erased;
        return true;
    });
    writeRun();
    return erased;
}

} // namespace

ErasedCards eraseCardsBefore(const Store& store, const CivilDate& firstDayKept) {
    const long kept = firstDayKept.serial();
    return asOneOperation(store, [&] {
        ErasedCards erased;
        erased.stays = eraseDone(store.guests(), kept, stayDone);
        erased.bookings = eraseDone(store.reservations(), kept, bookingDone);
        return erased;
    });
}

} // namespace roomwright
