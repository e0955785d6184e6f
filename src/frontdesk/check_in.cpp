#include "frontdesk/check_in.h"

#include "frontdesk/registration.h"
#include "store/charges.h"
#include "store/format/codepage.h"
#include "store/format/dates.h"
#include "store/format/layout.h"
#include "store/format/numbers.h"
#include "store/format/store_error.h"
#include "store/lookups.h"

namespace roomwright {

std::vector<RoomEntry> roomsForCheckIn(const Store& store) {
    return roomEntries(store, roomEntry, readyToLet);
}

std::optional<float> rateOfRoom(const Store& store, std::string_view roomNumber) {
    std::optional<float> rate;
    store.rooms().scan([&](std::size_t, const RoomRecord& room) {
        if (room.RoomNumber.trimmed() == roomNumber) {
            rate = room.Rate;
        }
        return true;
    });
    return rate;
}

std::optional<Refusal<WalkInField>> checkWalkIn(const WalkIn& walkIn, const CivilDate& today) {
    const std::pair<const std::string*, Refusal<WalkInField>> required[] = {
        {&walkIn.guest.lastName, {WalkInField::LastName, "You did not enter a last name."}},
        {&walkIn.guest.firstName, {WalkInField::FirstName, "You did not enter a first name."}},
        {&walkIn.guest.address, {WalkInField::Address, "You did not enter an address."}},
        {&walkIn.guest.city, {WalkInField::City, "You did not enter a city."}},
        {&walkIn.guest.state, {WalkInField::State, "You did not enter a state."}},
        {&walkIn.guest.zip, {WalkInField::Zip, "You did not enter a zip code."}},
        {&walkIn.payCode, {WalkInField::PayCode, "You did not enter a pay code."}},
        {&walkIn.guest.adults, {WalkInField::Adults, "You did not enter # of adults."}},
    };
    for (const auto& [text, refusal] : required) {
        if (text->empty()) {
            return refusal;
        }
    }
    // The rate comes only from a chosen room and is taken strictly: without both there is
    // no stay to save.
    if (!walkIn.room || !strictNumber(walkIn.rate)) {
        return Refusal<WalkInField>{WalkInField::Room, "You did not select a room."};
    }
    const std::optional<long> days = wholeDayCount(walkIn.days);
    if (!days) {
        return Refusal<WalkInField>{WalkInField::Days,
                                    "Days must be a whole number of nights, 0 or more (at most " +
                                        std::to_string(kLongestStay) + ")."};
    }
    if (!trimBlanks(walkIn.departure).empty()) {
        const std::optional<CivilDate> departure = parseShortDate(trimBlanks(walkIn.departure));
        if (!departure || departure->serial() - today.serial() != *days) {
            return Refusal<WalkInField>{
                WalkInField::Days, "Days do not agree with the Departure Date. Correct the Days or "
                                   "pick the departure date again."};
        }
    }
    return std::nullopt;
}

GuestRecord registerWalkIn(const Store& store, const WalkIn& walkIn, const CivilDate& today,
                           const std::string& timeText) {
    const std::optional<double> rate = strictNumber(walkIn.rate);
    const std::optional<Category> payment = paymentCategory(walkIn.payCode.substr(0, 1));
    if (!walkIn.room || !rate || !payment) {
        throw DataError("The registration has no room, rate or pay code; nothing was saved.");
    }
    const std::optional<long> days = wholeDayCount(walkIn.days);
    if (!days) {
        throw DataError("\"" + walkIn.days +
                        "\" is not a number of days this system can keep; nothing was saved.");
    }

    GuestRecord guest;
    putDetails(walkIn.guest, guest);
    // The shift and clerk of the stay are those the window showed the clerk.
    guest.Shift = walkIn.shift;
    guest.Clerk = walkIn.clerk;
    guest.RoomNumber = *walkIn.room;
    guest.PayCode = walkIn.payCode.substr(0, 1);
    if (!walkIn.guest.cardType.empty()) {
        guest.CardType = walkIn.guest.cardType;
    }
    guest.ArrivalTime = timeText;
    guest.DepartureDate = today.plusDays(*days).stored();
    guest.Rate = static_cast<float>(*rate);

    StayPostings postings;
    postings.roomRent = *rate;
    if (walkIn.pet) {
        postings.petFee = leadingNumber(walkIn.petFee);
    }
    postings.payment = payment;
    postings.paid = leadingNumber(walkIn.stayTotal);
    return registerStay(store, guest, postings, today);
}

} // namespace roomwright
