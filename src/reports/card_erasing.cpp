#include "reports/card_erasing.h"

#include "store/bookings.h"
#include "store/cards.h"
#include "store/erasing_mark.h"
#include "store/lookups.h"

#include <algorithm>
#include <optional>

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

// The day a booking was done with, when it has been checked in or cancelled.
std::optional<long> bookingDone(const RecordView<ReservationRecord>& booking) {
    if (bookingState(booking) == BookingState::Open) {
        return std::nullopt;
    }
    if (const auto cancelled = cancellation(booking)) {
        return cancelled->date.serial();
    }
    return daySerial(booking.number<&ReservationRecord::ArrivalDate>());
}

// Whether the progress noted for the file is still the file's: it reaches as far, and its
// anchor, done with for good, is as the last pass saw it.
template <class Record> bool stillOf(const Table<Record>& table, const ErasingProgress& progress) {
    if (progress.covered > table.count()) {
        return false;
    }
    if (progress.anchor == 0) {
        return true;
    }
    bool same = false;
    table.visitViews({progress.anchor}, [&](std::size_t, const RecordView<Record>& anchor) {
        same = std::ranges::equal(anchor.slot(), progress.anchorSlot);
    });
    return same;
}

// Erases the cards of one file's records done before the day `kept`: the pending ones of
// `progress` and those past it, or every one when `progress` is not the file's. Notes in
// `progress` how far it came; returns how many records it changed.
template <class Record, class Done>
std::size_t eraseDone(Table<Record> table, ErasingProgress& progress, long kept, Done done) {
    if (!stillOf(table, progress)) {
        progress = {};
    }
    ErasingProgress next{table.count(), progress.anchor, progress.anchorSlot, {}};
    std::size_t erased = 0;
    std::size_t runFirst = 0;
    Bytes run;
    const auto writeRun = [&] {
        if (!run.empty()) {
            table.writeSlots(runFirst, run);
            run.clear();
        }
    };
    // Records are visited in ascending order and written back behind the reads.
    const auto look = [&](std::size_t n, const RecordView<Record>& view) {
        const std::optional<long> day = done(view);
        if (!day) {
            next.pending.push_back(n);
        } else if (!holdsCard(view)) {
            next.anchor = n;
            next.anchorSlot.assign(view.slot().begin(), view.slot().end());
        } else if (*day >= kept) {
            next.pending.push_back(n);
        } else {
            Record record = view.decode();
            eraseCard(record);
            next.anchor = n;
            next.anchorSlot = encode(record);
            if (runFirst + run.size() / Record::slotLength != n || run.size() >= kRunBytes) {
                writeRun();
                runFirst = n;
            }
            run.insert(run.end(), next.anchorSlot.begin(), next.anchorSlot.end());
            ++erased;
        }
        return true;
    };
    table.visitViews(progress.pending, look);
    table.scanViews(look, progress.covered + 1);
    writeRun();
    progress = std::move(next);
    return erased;
}

} // namespace

ErasedCards eraseCardsBefore(const Store& store, const CivilDate& firstDayKept,
                             ErasingReach reach) {
    const long kept = firstDayKept.serial();
    const DataDirectory& directory = store.directory();
    return asOneOperation(store, [&] {
        const ErasingMark saved = loadErasingMark(store.files(), directory.erasingMark());
        ErasingMark mark = reach == ErasingReach::SinceLastPass ? saved : ErasingMark{};
        ErasedCards erased;
        erased.stays = eraseDone(store.guests(), mark.stays, kept, stayDone);
        erased.bookings = eraseDone(store.reservations(), mark.bookings, kept, bookingDone);
        if (mark != saved) {
            saveErasingMark(store.files(), directory.erasingMark(),
                            directory.erasingMarkTemporary(), mark);
        }
        return erased;
    });
}

} // namespace roomwright
