#include "store/booking_index.h"

#include "store/bookings.h"

namespace roomwright {

BookingIndex::BookingIndex(FileSystem& files, Path reservations, Path saved, Path temporary)
    : RecordIndex(files, std::move(reservations), std::move(saved), std::move(temporary),
                  "RWBOOKNG", ReservationRecord::slotLength) {}

void BookingIndex::visit(const RecordFile& file, const Visit& visit) {
    visitChecked(file, [&](std::size_t n, std::span<const std::byte> slot) {
        return visit(n, RecordView<ReservationRecord>(slot));
    });
}

long BookingIndex::visit(const RecordFile& file, const CivilDate& today, const Visit& visit) {
    takeSavedOnce();
    const long wanted = today.serial() - kCheckedInDays;
    if (horizon_ > wanted) {
        // The check-ins from that day on are not all indexed: read them by one scan.
        horizon_ = wanted;
        rebuildNext();
    } else if (wanted - horizon_ > kCheckedInDays) {
        // The older check-ins age out as the index is read.
        horizon_ = wanted;
        changed();
    }
    this->visit(file, visit);
    return horizon_;
}

RecordIndex::Standing BookingIndex::standing(std::span<const std::byte> slot) const {
    const RecordView<ReservationRecord> booking(slot);
    switch (bookingState(booking)) {
    case BookingState::Open:
        return Standing::Belongs;
    case BookingState::CheckedIn:
        return CivilDate::fromStored(booking.number<&ReservationRecord::ArrivalDate>()).serial() >=
                       horizon_
                   ? Standing::Belongs
                   : Standing::Aged;
    case BookingState::Cancelled:
        break;
    }
    return Standing::Doubtful;
}

std::uint64_t BookingIndex::parameter() const {
    return static_cast<std::uint64_t>(static_cast<std::int64_t>(horizon_));
}

bool BookingIndex::takeParameter(std::uint64_t value) {
    horizon_ = static_cast<long>(static_cast<std::int64_t>(value));
    return true;
}

} // namespace roomwright
