#include "store/format/records.h"

#include "store/format/codepage.h"
#include "store/format/dates.h"

#include <gtest/gtest.h>

#include <cstring>

namespace roomwright {
namespace {

std::string bytesAt(const Bytes& slot, std::size_t offset, std::size_t width) {
    return std::string(reinterpret_cast<const char*>(slot.data()) + offset, width);
}

float singleAt(const Bytes& slot, std::size_t offset) {
    float value;
    std::memcpy(&value, slot.data() + offset, 4);
    return value;
}

double dateAt(const Bytes& slot, std::size_t offset) {
    double value;
    std::memcpy(&value, slot.data() + offset, 8);
    return value;
}

bool zeroFrom(const Bytes& slot, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) {
        if (slot[i] != std::byte{0}) {
            return false;
        }
    }
    return true;
}

TEST(RoomRecordLayout, FieldsStandAtTheirOffsets) {
    RoomRecord room;
    room.RoomNumber = "101";
    room.RoomType = "NQ1";
    room.Rate = 45.5f;
    room.CleanFlag = "Y";
    room.VacantFlag = "N";
    room.OrderFlag = "K";
    room.Comment = "Leaky faucet";
    const Bytes slot = encode(room);
    ASSERT_EQ(slot.size(), 237u);
    EXPECT_EQ(bytesAt(slot, 0, 4), "101 ");
    EXPECT_EQ(bytesAt(slot, 4, 10), "NQ1       ");
    EXPECT_EQ(singleAt(slot, 14), 45.5f);
    EXPECT_EQ(bytesAt(slot, 18, 3), "YNK");
    EXPECT_EQ(bytesAt(slot, 21, 80), "Leaky faucet" + std::string(68, ' '));
    EXPECT_TRUE(zeroFrom(slot, 101, 237)); // reserved fields and the slot's tail
}

TEST(GuestRecordLayout, FieldsStandAtTheirOffsets) {
    GuestRecord guest;
    guest.LastName = "Smith";
    guest.FirstName = "Ann";
    guest.Zip = "40000";
    guest.Phone = "555-0100";
    guest.Clerk = "JS";
    guest.Shift = "A";
    guest.RoomNumber = "101";
    guest.Days = 3;
    guest.PayCode = "C";
    guest.ArrivalTime = "3:42:10 PM";
    guest.ArrivalDate = CivilDate{2026, 12, 7}.stored();
    guest.DepartureDate = CivilDate{2026, 12, 10}.stored();
    guest.Rate = 65;
    guest.FolioNumber = 17;
    guest.Email = "ann@example.com";
    guest.Cell = "555-0199";
    guest.CardType = "V";
    guest.CheckOutMark = "*";
    const Bytes slot = encode(guest);
    ASSERT_EQ(slot.size(), 800u);
    EXPECT_EQ(bytesAt(slot, 0, 30), "Smith" + std::string(25, ' '));
    EXPECT_EQ(bytesAt(slot, 30, 3), "Ann");
    EXPECT_EQ(bytesAt(slot, 150, 5), "40000");
    EXPECT_EQ(bytesAt(slot, 294, 8), "555-0100");
    EXPECT_EQ(bytesAt(slot, 309, 3), "JSA");
    EXPECT_EQ(bytesAt(slot, 312, 5), "101  ");
    EXPECT_EQ(singleAt(slot, 317), 3.0f);
    EXPECT_TRUE(zeroFrom(slot, 321, 325)); // Reserved1
    EXPECT_EQ(bytesAt(slot, 325, 1), "C");
    EXPECT_EQ(bytesAt(slot, 326, 20), "3:42:10 PM          ");
    EXPECT_EQ(dateAt(slot, 346), 46363.0);
    EXPECT_EQ(bytesAt(slot, 354, 20), std::string(20, '\0')); // DepartureTime never assigned
    EXPECT_EQ(dateAt(slot, 374), 46366.0);
    EXPECT_EQ(singleAt(slot, 382), 65.0f);
    EXPECT_TRUE(zeroFrom(slot, 386, 410)); // Reserved2, Reserved3
    EXPECT_EQ(singleAt(slot, 410), 17.0f);
    EXPECT_EQ(bytesAt(slot, 414, 15), "ann@example.com");
    EXPECT_EQ(bytesAt(slot, 454, 8), "555-0199");
    EXPECT_EQ(bytesAt(slot, 469, 2), "V ");
    EXPECT_EQ(bytesAt(slot, 489, 2), "* ");
    EXPECT_TRUE(zeroFrom(slot, 509, 800));
}

TEST(GuestRecordLayout, EveryTextFieldOfTheSharedPartStandsAtItsOffset) {
    GuestRecord guest;
    guest.Address = "A";
    guest.City = "B";
    guest.State = "C";
    guest.DriversLicense = "D";
    guest.Comment = "E";
    guest.Company = "F";
    guest.CardNumber = "G";
    guest.CardExpireMonth = "H";
    guest.CardExpireYear = "I";
    guest.Adults = "J";
    guest.Children = "K";
    guest.DepartureTime = "L";
    const Bytes slot = encode(guest);
    const std::pair<std::size_t, char> expected[] = {
        {50, 'A'},  {90, 'B'},  {120, 'C'}, {160, 'D'}, {180, 'E'}, {220, 'F'},
        {240, 'G'}, {270, 'H'}, {285, 'I'}, {290, 'J'}, {292, 'K'}, {354, 'L'}};
    for (const auto& [offset, letter] : expected) {
        EXPECT_EQ(static_cast<char>(slot[offset]), letter) << "at offset " << offset;
        EXPECT_EQ(static_cast<char>(slot[offset + 1]), ' ') << "after offset " << offset;
    }
}

TEST(ReservationRecordLayout, ConfirmationNumberIsInsertedBeforeTheCardType) {
    ReservationRecord reservation;
    reservation.LastName = "Smith";
    reservation.Cell = "555";
    reservation.ConfirmationNumber = 1001;
    reservation.CardType = "M";
    reservation.CheckInMark = "*";
    const Bytes slot = encode(reservation);
    ASSERT_EQ(slot.size(), 645u);
    EXPECT_EQ(bytesAt(slot, 454, 3), "555");
    EXPECT_EQ(singleAt(slot, 469), 1001.0f);
    EXPECT_EQ(bytesAt(slot, 473, 2), "M ");
    EXPECT_EQ(bytesAt(slot, 493, 2), "* ");
    EXPECT_TRUE(zeroFrom(slot, 513, 645));
}

TEST(MessageRecordLayout, FieldsStandAtTheirOffsets) {
    MessageRecord message;
    message.FolioNumber = 17;
    message.RoomNumber = "101";
    message.From = "Desk";
    message.To = "Ann";
    message.MessageDate = 46363;
    message.MessageText = "Call home";
    message.DeletedFlag = 1;
    const Bytes slot = encode(message);
    ASSERT_EQ(slot.size(), 265u);
    EXPECT_EQ(singleAt(slot, 0), 17.0f);
    EXPECT_EQ(bytesAt(slot, 4, 5), "101  ");
    EXPECT_EQ(bytesAt(slot, 9, 5), "Desk ");
    EXPECT_EQ(bytesAt(slot, 29, 4), "Ann ");
    EXPECT_EQ(dateAt(slot, 49), 46363.0);
    EXPECT_EQ(bytesAt(slot, 57, 10), "Call home ");
    EXPECT_TRUE(zeroFrom(slot, 157, 167));
    EXPECT_EQ(singleAt(slot, 167), 1.0f);
    EXPECT_TRUE(zeroFrom(slot, 171, 265));
}

TEST(TotalsAndShiftClerkLayout, FieldsStandAtTheirOffsets) {
    TotalsRecord totals;
    totals[TotalsSlot::RoomRent] = 50;
    totals[TotalsSlot::Cash] = 173.5f;
    totals[TotalsSlot::Other] = 2;
    const Bytes slot = encode(totals);
    ASSERT_EQ(slot.size(), 180u);
    EXPECT_EQ(singleAt(slot, 0), 50.0f);
    EXPECT_EQ(singleAt(slot, 44), 173.5f);
    EXPECT_EQ(singleAt(slot, 56), 2.0f);
    EXPECT_TRUE(zeroFrom(slot, 72, 180));
    EXPECT_STREQ(TotalsRecord::fieldNames[12], "Check");
    // The days the night audit charged, in the tail; the sums stay as they were.
    TotalsRecord audited = decode<TotalsRecord>(slot);
    audited.markAudited(1);
    audited.markAudited(31);
    const Bytes marked = encode(audited);
    EXPECT_EQ(bytesAt(marked, 72, 4), std::string("\x01\x00\x00\x40", 4));
    EXPECT_TRUE(zeroFrom(marked, 76, 180));
    EXPECT_EQ(bytesAt(marked, 0, 72), bytesAt(slot, 0, 72));
    const TotalsRecord back = decode<TotalsRecord>(marked);
    EXPECT_TRUE(back.audited(1) && back.audited(31));
    EXPECT_FALSE(back.audited(2) || TotalsRecord{}.audited(1));

    ShiftClerkRecord onDuty;
    onDuty.ClerkInitials = "J";
    onDuty.Shift = "B";
    EXPECT_EQ(bytesAt(encode(onDuty), 0, 3), "J B");
}

TEST(RecordCodec, ARecordBuiltFromScratchIsZeroBytesWhereNothingWasAssigned) {
    for (const Bytes& slot :
         {encode(RoomRecord{}), encode(GuestRecord{}), encode(ReservationRecord{}),
          encode(MessageRecord{}), encode(TotalsRecord{})}) {
        EXPECT_TRUE(zeroFrom(slot, 0, slot.size()));
    }
}

TEST(RecordCodec, TextIsCutOrPaddedToItsWidth) {
    GuestRecord guest;
    guest.LastName = std::string(35, 'x');
    guest.FirstName = "";
    const GuestRecord back = decode<GuestRecord>(encode(guest));
    EXPECT_EQ(back.LastName.str(), std::string(30, 'x'));
    EXPECT_EQ(back.FirstName.str(), std::string(20, ' '));
    EXPECT_EQ(back.FirstName.trimmed(), "");
}

TEST(RecordCodec, NulCharactersAreNotTrimmedAndNeverCompareAsEmptyOrAsAMark) {
    const GuestRecord walkIn = decode<GuestRecord>(encode(GuestRecord{}));
    EXPECT_EQ(walkIn.CheckOutMark.trimmed(), std::string(20, '\0'));
    EXPECT_NE(walkIn.CheckOutMark.trimmed(), "");
    EXPECT_TRUE(walkIn.inHouse());
    GuestRecord departed;
    departed.CheckOutMark = "*";
    EXPECT_FALSE(decode<GuestRecord>(encode(departed)).inHouse());
}

TEST(RecordCodec, ReservedBytesAndTheSlotTailSurviveARoundTrip) {
    Bytes slot(GuestRecord::slotLength);
    for (std::size_t i = 0; i < slot.size(); ++i) {
        slot[i] = static_cast<std::byte>((i * 7 + 3) % 256);
    }
    GuestRecord guest = decode<GuestRecord>(slot);
    EXPECT_EQ(encode(guest), slot); // every byte, including undefined code page bytes

    guest.LastName = "Jones";
    const Bytes changed = encode(guest);
    EXPECT_EQ(bytesAt(changed, 0, 30), "Jones" + std::string(25, ' '));
    EXPECT_TRUE(std::equal(slot.begin() + 30, slot.end(), changed.begin() + 30));
}

TEST(RecordCodec, TextIsStoredInWindows1252) {
    RoomRecord room;
    room.Comment = "Café – 5€ ✓";
    const Bytes slot = encode(room);
    EXPECT_EQ(bytesAt(slot, 21, 11), "Caf\xE9 \x96 5\x80 ?");
    EXPECT_EQ(decode<RoomRecord>(slot).Comment.trimmed(), "Café – 5€ ?");
}

TEST(Codepage, MalformedUtf8BecomesQuestionMarksAndEveryByteDecodes) {
    EXPECT_EQ(toCp1252("a\xFF"
                       "b\xC3"),
              "a?b?");
    EXPECT_EQ(toCp1252("\xE2\x82"), "?");
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    EXPECT_EQ(toCp1252(fromCp1252(all)), all);
}

} // namespace
} // namespace roomwright
