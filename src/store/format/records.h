#pragma once

#include "store/format/layout.h"

#include <array>
#include <cstdint>

namespace roomwright {

// One room of the inventory and its live state.
struct RoomRecord {
    static constexpr std::size_t slotLength = 237;

    Text<4> RoomNumber;
    Text<10> RoomType;
    float Rate = 0;
    Text<1> CleanFlag;  // "Y" clean, "N" dirty
    Text<1> VacantFlag; // "Y" vacant, "N" occupied
    Text<1> OrderFlag;  // "K" in order, "X" out of order
    Text<80> Comment;
    Bytes stored;

    template <class V, class R> static void layout(V& v, R& r) {
        v.text("RoomNumber", 0, r.RoomNumber);
        v.text("RoomType", 4, r.RoomType);
        v.single("Rate", 14, r.Rate);
        v.text("CleanFlag", 18, r.CleanFlag);
        v.text("VacantFlag", 19, r.VacantFlag);
        v.text("OrderFlag", 20, r.OrderFlag);
        v.text("Comment", 21, r.Comment);
    }
};

// The fields a stay and a reservation share, at the same offsets (0 to 468).
struct PersonFields {
    Text<30> LastName;
    Text<20> FirstName;
    Text<40> Address;
    Text<30> City;
    Text<30> State;
    Text<10> Zip;
    Text<20> DriversLicense;
    Text<40> Comment;
    Text<20> Company;
    Text<30> CardNumber;
    Text<15> CardExpireMonth;
    Text<5> CardExpireYear;
    Text<2> Adults;
    Text<2> Children;
    Text<15> Phone;
    Text<2> Clerk;
    Text<1> Shift;
    Text<5> RoomNumber;
    float Days = 0;
    Text<1> PayCode;
    Text<20> ArrivalTime;
    double ArrivalDate = 0;
    Text<20> DepartureTime;
    double DepartureDate = 0;
    float Rate = 0;
    float FolioNumber = 0;
    Text<40> Email;
    Text<15> Cell;

    template <class V, class R> static void personLayout(V& v, R& r) {
        v.text("LastName", 0, r.LastName);
        v.text("FirstName", 30, r.FirstName);
        v.text("Address", 50, r.Address);
        v.text("City", 90, r.City);
        v.text("State", 120, r.State);
        v.text("Zip", 150, r.Zip);
        v.text("DriversLicense", 160, r.DriversLicense);
        v.text("Comment", 180, r.Comment);
        v.text("Company", 220, r.Company);
        v.text("CardNumber", 240, r.CardNumber);
        v.text("CardExpireMonth", 270, r.CardExpireMonth);
        v.text("CardExpireYear", 285, r.CardExpireYear);
        v.text("Adults", 290, r.Adults);
        v.text("Children", 292, r.Children);
        v.text("Phone", 294, r.Phone);
        v.text("Clerk", 309, r.Clerk);
        v.text("Shift", 311, r.Shift);
        v.text("RoomNumber", 312, r.RoomNumber);
        v.single("Days", 317, r.Days);
        v.text("PayCode", 325, r.PayCode);
        v.text("ArrivalTime", 326, r.ArrivalTime);
        v.date("ArrivalDate", 346, r.ArrivalDate);
        v.text("DepartureTime", 354, r.DepartureTime);
        v.date("DepartureDate", 374, r.DepartureDate);
        v.single("Rate", 382, r.Rate);
        v.single("FolioNumber", 410, r.FolioNumber);
        v.text("Email", 414, r.Email);
        v.text("Cell", 454, r.Cell);
    }
};

// One stay, in house or departed.
struct GuestRecord : PersonFields {
    static constexpr std::size_t slotLength = 800;

    Text<20> CardType;
    Text<20> CheckOutMark; // "*" once checked out
    Bytes stored;

    template <class V, class R> static void layout(V& v, R& r) {
        personLayout(v, r);
        v.text("CardType", 469, r.CardType);
        v.text("CheckOutMark", 489, r.CheckOutMark);
    }

    bool inHouse() const { return CheckOutMark.trimmed() != "*"; }
};

// One reservation, open or checked in.
struct ReservationRecord : PersonFields {
    static constexpr std::size_t slotLength = 645;

    float ConfirmationNumber = 0;
    Text<20> CardType;
    Text<20> CheckInMark; // "*" once checked in
    Bytes stored;

    template <class V, class R> static void layout(V& v, R& r) {
        personLayout(v, r);
        v.single("ConfirmationNumber", 469, r.ConfirmationNumber);
        v.text("CardType", 473, r.CardType);
        v.text("CheckInMark", 493, r.CheckInMark);
    }

    bool open() const { return CheckInMark.trimmed() != "*"; }
};

// One message left for a guest.
struct MessageRecord {
    static constexpr std::size_t slotLength = 265;

    float FolioNumber = 0;
    Text<5> RoomNumber;
    Text<20> From;
    Text<20> To;
    double MessageDate = 0;
    Text<100> MessageText;
    float DeletedFlag = 0; // 1 once deleted
    Bytes stored;

    template <class V, class R> static void layout(V& v, R& r) {
        v.single("FolioNumber", 0, r.FolioNumber);
        v.text("RoomNumber", 4, r.RoomNumber);
        v.text("From", 9, r.From);
        v.text("To", 29, r.To);
        v.date("MessageDate", 49, r.MessageDate);
        v.text("MessageText", 57, r.MessageText);
        v.single("DeletedFlag", 167, r.DeletedFlag);
    }
};

// Categories of the month's running sums, by slot.
enum class TotalsSlot : std::size_t {
    RoomRent = 0,
    PetFee = 2,
    Copies = 3,
    Stamp = 4,
    WiFi = 5,
    Fax = 6,
    Visa = 7,
    MasterCard = 8,
    Discover = 9,
    AmericanExpress = 10,
    Cash = 11,
    Check = 12,
    RollAway = 13,
    Other = 14,
};

// The eighteen running sums of one month, one Single each. After them, in the slot's tail
// that the older program leaves to zero bytes, this program keeps the days of the month
// whose night audit charged into it (bit d - 1 of the little-endian 32-bit number at byte
// 72 for day d), so that no day is charged twice.
struct TotalsRecord {
    static constexpr std::size_t slotLength = 180;
    static constexpr std::array<const char*, 18> fieldNames = {
        "RoomRent", "Reserved1", "PetFee",     "Copies",    "Stamp",           "WiFi",
        "Fax",      "Visa",      "MasterCard", "Discover",  "AmericanExpress", "Cash",
        "Check",    "RollAway",  "Other",      "Reserved2", "Reserved3",       "Reserved4"};

    std::array<float, 18> sums{};
    Bytes stored;

    float& operator[](TotalsSlot slot) { return sums[static_cast<std::size_t>(slot)]; }
    float operator[](TotalsSlot slot) const { return sums[static_cast<std::size_t>(slot)]; }

    // Whether the night audit of `day` (1 to 31) charged into this month.
    bool audited(int day) const {
        return stored.size() == slotLength &&
               ((static_cast<std::uint32_t>(field::getLong(stored, kAuditedDays)) >> (day - 1)) &
                1) != 0;
    }
    void markAudited(int day) {
        stored.resize(slotLength);
        const auto days = static_cast<std::uint32_t>(field::getLong(stored, kAuditedDays));
        field::putLong(stored, kAuditedDays, static_cast<std::int32_t>(days | (1U << (day - 1))));
    }
    static constexpr std::size_t kAuditedDays = 72;

    template <class V, class R> static void layout(V& v, R& r) {
        for (std::size_t i = 0; i < r.sums.size(); ++i) {
            v.single(fieldNames[i], i * 4, r.sums[i]);
        }
    }
};

// The shift and clerk on duty.
struct ShiftClerkRecord {
    static constexpr std::size_t slotLength = 3;

    Text<2> ClerkInitials;
    Text<1> Shift;
    Bytes stored;

    template <class V, class R> static void layout(V& v, R& r) {
        v.text("ClerkInitials", 0, r.ClerkInitials);
        v.text("Shift", 2, r.Shift);
    }
};

} // namespace roomwright
