#include "store/format/record_view.h"

#include "store/format/codepage.h"
#include "store/format/records.h"

#include <gtest/gtest.h>

namespace roomwright {
namespace {

// A view reads each field as decoding the whole record would, from wherever the layout puts
// it: the shared person fields, the fields of one record type, text with code-page bytes,
// trailing blanks and NUL characters, numbers and dates.
TEST(RecordView, ReadsEveryKindOfFieldAsTheDecodedRecord) {
    GuestRecord guest;
    guest.LastName = "Müller  ";
    guest.RoomNumber = "1€1";
    guest.FolioNumber = 4711;
    guest.DepartureDate = 46000;
    guest.CheckOutMark = "*";
    const Bytes slot = encode(guest);
    const RecordView<GuestRecord> view(slot);
    const GuestRecord decoded = decode<GuestRecord>(slot);

    EXPECT_EQ(view.trimmed<&GuestRecord::LastName>(), decoded.LastName.trimmed());
    EXPECT_EQ(view.trimmed<&GuestRecord::LastName>(), "Müller");
    EXPECT_EQ(view.trimmedBytes<&GuestRecord::RoomNumber>(), "1\x80"
                                                             "1");
    EXPECT_EQ(view.bytes<&GuestRecord::RoomNumber>(), "1\x80"
                                                      "1  ");
    EXPECT_EQ(view.trimmedBytes<&GuestRecord::CheckOutMark>(), "*");
    // A field never assigned holds NUL characters, which trimming keeps.
    EXPECT_EQ(view.trimmedBytes<&GuestRecord::FirstName>(), std::string(20, '\0'));
    EXPECT_EQ(view.number<&GuestRecord::FolioNumber>(), 4711.0f);
    EXPECT_EQ(view.number<&GuestRecord::DepartureDate>(), 46000.0);
    EXPECT_EQ(view.decode().stored, slot);

    ReservationRecord reservation;
    reservation.ConfirmationNumber = 12;
    reservation.CheckInMark = "*";
    const Bytes booked = encode(reservation);
    const RecordView<ReservationRecord> bookedView(booked);
    EXPECT_EQ(bookedView.number<&ReservationRecord::ConfirmationNumber>(), 12.0f);
    EXPECT_EQ(bookedView.trimmedBytes<&ReservationRecord::CheckInMark>(), "*");
}

TEST(StoredForm, IsTheFieldBytesOrNothingWhenTheCodePageCannotHoldTheText) {
    const struct {
        std::string utf8;
        std::optional<std::string> stored;
    } cases[] = {
        {"101", "101"},
        {"", ""},
        {"1€1", "1\x80"
                "1"},
        {"Müller", "M\xFCller"},
        {"ā", std::nullopt},    // not in the code page: no field can equal it
        {"\xC3", std::nullopt}, // malformed UTF-8
    };
    for (const auto& c : cases) {
        EXPECT_EQ(storedForm(c.utf8), c.stored) << c.utf8;
    }
}

} // namespace
} // namespace roomwright
