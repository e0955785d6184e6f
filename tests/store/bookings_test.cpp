#include "store/bookings.h"

#include <gtest/gtest.h>

#include <cstring>

namespace roomwright {
namespace {

// A reservation slot holding these bytes at the check-in mark (offset 493) and in Reserved4
// and Reserved5 (513 and 533); NUL bytes everywhere else.
Bytes slotWith(std::string_view mark, std::string_view reserved4, std::string_view reserved5) {
    Bytes slot(ReservationRecord::slotLength);
    for (const auto& [offset, text] :
         {std::pair{std::size_t{493}, mark}, std::pair{kCancelledOffset, reserved4},
          std::pair{kCancelReasonOffset, reserved5}}) {
        std::memcpy(slot.data() + offset, text.data(), text.size());
    }
    return slot;
}

TEST(BookingState, ACancellationIsTheClosedMarkWithItsDayAndNeverReadFromBadBytes) {
    const std::string blanks(19, ' ');
    const struct {
        const char* name;
        std::string mark;
        std::string reserved4;
        BookingState state;
    } cases[] = {
        {"new", "", "", BookingState::Open},
        {"checked in", "*" + blanks, "", BookingState::CheckedIn},
        {"cancelled", "*" + blanks, "Cancelled 2026-12-06", BookingState::Cancelled},
        // Whatever Reserved4 holds, a mark that is not "*" is open to every reader.
        {"mark taken off", " " + blanks, "Cancelled 2026-12-06", BookingState::Open},
        {"no such day", "*" + blanks, "Cancelled 2026-02-30", BookingState::CheckedIn},
        {"no date", "*" + blanks, "Cancelled", BookingState::CheckedIn},
        {"other words", "*" + blanks, "cancelled 2026-12-06", BookingState::CheckedIn},
        {"bad bytes", "*" + blanks, "Cancelled \xff\xfe\x80\x01\x02\x03\x04\x05\x06\x07",
         BookingState::CheckedIn},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes slot = slotWith(c.mark, c.reserved4, "No-show");
        const RecordView<ReservationRecord> view(slot);
        EXPECT_EQ(bookingState(view), c.state);
        EXPECT_EQ(cancellation(view).has_value(), c.state == BookingState::Cancelled);
    }
    const Bytes cancelled =
        slotWith("*" + blanks, "Cancelled 2026-12-06", "No-show" + std::string(13, ' '));
    EXPECT_EQ(cancellation(RecordView<ReservationRecord>(cancelled)),
              (Cancellation{{2026, 12, 6}, "No-show"}));
}

TEST(BookingState, CancellingWritesTheMarkAndTheTwoReservedFieldsAndNothingElse) {
    ReservationRecord booking;
    booking.LastName = "Smith";
    booking.RoomNumber = "12";
    booking.ConfirmationNumber = 7;
    const Bytes before = encode(booking);
    markCancelled(booking, {2026, 12, 7}, "Guest called off the whole trip");
    const Bytes after = encode(booking);

    const auto text = [&](std::size_t offset, std::size_t width) {
        return std::string(reinterpret_cast<const char*>(after.data()) + offset, width);
    };
    // What a program reading the stored layout alone sees: the booking is not open.
    EXPECT_EQ(text(493, 20), "*" + std::string(19, ' '));
    EXPECT_EQ(text(kCancelledOffset, 20), "Cancelled 2026-12-07");
    EXPECT_EQ(text(kCancelReasonOffset, 20), "Guest called off the");
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (i < 493 || i >= kCancelReasonOffset + kCancelFieldWidth) {
            ASSERT_EQ(after[i], before[i]) << "byte " << i;
        }
    }
    // And what this program reads back.
    EXPECT_EQ(cancellation(booking), (Cancellation{{2026, 12, 7}, "Guest called off the"}));
    EXPECT_EQ(cancellation(decode<ReservationRecord>(after)), cancellation(booking));
}

} // namespace
} // namespace roomwright
