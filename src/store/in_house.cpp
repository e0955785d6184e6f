#include "store/in_house.h"

namespace roomwright {

bool inHouse(const RecordView<GuestRecord>& guest) {
    return guest.trimmedBytes<&GuestRecord::CheckOutMark>() != "*";
}

InHouseIndex::InHouseIndex(FileSystem& files, Path guest, Path saved, Path temporary)
    : RecordIndex(files, std::move(guest), std::move(saved), std::move(temporary), "RWINHOUS",
                  GuestRecord::slotLength) {}

void InHouseIndex::visit(const RecordFile& file, const Visit& visit) {
    visitChecked(file, [&](std::size_t n, std::span<const std::byte> slot) {
        return visit(n, RecordView<GuestRecord>(slot));
    });
}

RecordIndex::Standing InHouseIndex::standing(std::span<const std::byte> slot) const {
    return inHouse(RecordView<GuestRecord>(slot)) ? Standing::Belongs : Standing::Doubtful;
}

} // namespace roomwright
