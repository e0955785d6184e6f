#pragma once

#include "store/format/record_view.h"
#include "store/format/records.h"
#include "store/record_index.h"

#include <cstddef>
#include <functional>

namespace roomwright {

// A stay whose check-out mark, right-trimmed, is not "*".
bool inHouse(const RecordView<GuestRecord>& guest);

// Where the in-house guests sit in the guest file (a RecordIndex), kept between runs in
// `inhouse.index`. Stays are never taken back into house once checked out, so a stay outside
// the index can only come into house by being appended or by the store's own write; an
// indexed stay checked out behind the store's back makes the index doubtful.
class InHouseIndex : public RecordIndex {
  public:
    using Visit = std::function<bool(std::size_t n, const RecordView<GuestRecord>& guest)>;

    // The index of the guest file `guest`; `saved` keeps it between runs, and a new one is
    // written to `temporary` first.
    InHouseIndex(FileSystem& files, Path guest, Path saved, Path temporary);

    // Visits the in-house guests of `file` in record order; `visit` returns false to stop.
    void visit(const RecordFile& file, const Visit& visit);

  private:
    Standing standing(std::span<const std::byte> slot) const override;
};

} // namespace roomwright
