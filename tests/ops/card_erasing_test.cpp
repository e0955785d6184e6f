#include "reports/card_erasing.h"

#include "frontdesk/check_out.h"
#include "ops/ops_fixture.h"
#include "reports/night_audit.h"
#include "store/bookings.h"
#include "store/cards.h"
#include "store/erasing_mark.h"
#include "store/motel_details.h"
#include "store/settings.h"

#include <filesystem>
#include <functional>

namespace roomwright {
namespace {

using testing::makeStay;
using testing::makeStayOver;
using testing::withCard;

const CivilDate kToday{2026, 12, 7};
constexpr long kDays = 30;

// What erasing leaves of a slot made by withCard: the card's fifty bytes, nothing else.
std::string erasedSlot(std::string slot) {
    slot.replace(240, 50, "1111" + std::string(46, ' '));
    return slot;
}

class CardErasingTest : public testing::StoreTest {
  protected:
    CardErasingTest() {
        setTaxRate(store, 0.09f);
        setShiftAndClerk(store, ShiftClerkRecord{"JS", "A", {}});
    }
    void setErasing(CardErasing erasing) {
        MotelDetails motel = motelDetails(store);
        motel.cards = erasing;
        setMotelDetails(store, motel);
    }
    // The stays and bookings of every kind, each with its card; returns what each of the
    // two files holds once the cards of the ones done more than kDays days ago are erased.
    std::pair<std::string, std::string> layDownEveryKind() {
        const auto departed = [&](long daysAgo) {
            GuestRecord stay = makeStay("101", "Gone", "Al", kToday.plusDays(-daysAgo), true);
            stay.FolioNumber = static_cast<float>(store.guests().count() + 1);
            return withCard(stay);
        };
        enum class Now { Open, CheckedIn, Cancelled };
        const auto booked = [&](long arrivedDaysAgo, Now now,
                                std::optional<CivilDate> cancelled = std::nullopt) {
            ReservationRecord booking =
                testing::makeBooking("102", "Booked", 1, kToday.plusDays(-arrivedDaysAgo), 2);
            if (now == Now::CheckedIn) {
                booking.CheckInMark = "*";
            } else if (now == Now::Cancelled) {
                markCancelled(booking, *cancelled, "Changed plans");
            }
            return withCard(booking);
        };
        const struct {
            GuestRecord stay;
            bool erased;
        } stays[] = {
            {departed(kDays + 1), true},
            {departed(kDays), false}, // not more than kDays days ago
            {departed(kDays - 1), false},
            {departed(-3), false}, // left early: counted from the day it was planned to
            {withCard(
                 makeStayOver("103", "Here", 9, 50, kToday.plusDays(-400), kToday.plusDays(-100))),
             false}, // in house, however long
        };
        const struct {
            ReservationRecord booking;
            bool erased;
        } bookings[] = {
            {booked(kDays + 1, Now::Open), false},      // its card still guarantees it
            {booked(kDays + 1, Now::CheckedIn), true},  // checked in on its arrival
            {booked(kDays - 1, Now::CheckedIn), false}, // checked in lately
            {booked(-5, Now::Cancelled, CivilDate{2026, 10, 1}), true},
            {booked(kDays + 60, Now::Cancelled, CivilDate{2026, 12, 1}), false}, // lately
        };
        std::string guestFile;
        std::string reservationFile;
        for (const auto& s : stays) {
            store.guests().append(s.stay);
            const std::string slot = testing::slotOf(encode(s.stay));
            guestFile += s.erased ? erasedSlot(slot) : slot;
        }
        for (const auto& b : bookings) {
            store.reservations().append(b.booking);
            const std::string slot = testing::slotOf(encode(b.booking));
            reservationFile += b.erased ? erasedSlot(slot) : slot;
        }
        return {guestFile, reservationFile};
    }
};

TEST_F(CardErasingTest, ErasesWhatWasDoneMoreThanTheDaysAgoAndASecondRunNothing) {
    const auto [guests, reservations] = layDownEveryKind();
    const CivilDate kept = *firstDayKept(CardErasing{kDays}, kToday);

    const ErasedCards first = eraseCardsBefore(store, kept);
    EXPECT_EQ(first.stays, 1u);
    EXPECT_EQ(first.bookings, 2u);
    EXPECT_EQ(testing::readFile(directory.guest()), guests);
    EXPECT_EQ(testing::readFile(directory.reservation()), reservations);

    EXPECT_EQ(eraseCardsBefore(store, kept).records(), 0u);
    EXPECT_EQ(testing::readFile(directory.guest()), guests);
    EXPECT_EQ(testing::readFile(directory.reservation()), reservations);
}

// The nightly pass reads what was not done with at the last pass and what came since;
// records done with for good are not read again, unless the mark is no longer the file's.
TEST_F(CardErasingTest, ANightlyPassReadsOnlyWhatWasNotDoneWithAndWhatCameSince) {
    layDownEveryKind();
    eraseCardsBefore(store, *firstDayKept(CardErasing{kDays}, kToday));
    const ErasingMark mark = loadErasingMark(files, directory.erasingMark());
    EXPECT_EQ(mark.stays.covered, 5u);
    EXPECT_EQ(mark.stays.anchor, 1u);
    EXPECT_EQ(mark.stays.pending, (std::vector<std::size_t>{2, 3, 4, 5}));
    EXPECT_EQ(mark.bookings.pending, (std::vector<std::size_t>{1, 3, 5}));

    // Two days later: the stays that became due since, and a stay added since.
    store.guests().append(withCard(makeStay("104", "New", "Di", kToday.plusDays(-40), true)));
    const CivilDate twoDaysLater = *firstDayKept(CardErasing{kDays}, kToday.plusDays(2));
    EXPECT_EQ(eraseCardsBefore(store, twoDaysLater).stays, 3u);
    EXPECT_EQ(loadErasingMark(files, directory.erasingMark()).stays.anchor, 6u);

    // A card put back behind the pass's back into a stay it is done with is not seen; a pass
    // over every record finds it.
    const auto plantCard = [&] { store.guests().write(1, withCard(store.guests().read(1))); };
    plantCard();
    EXPECT_EQ(eraseCardsBefore(store, twoDaysLater).stays, 0u);
    EXPECT_TRUE(holdsCard(store.guests().read(1)));
    EXPECT_EQ(eraseCardsBefore(store, twoDaysLater, ErasingReach::EveryRecord).stays, 1u);

    const struct {
        const char* change;
        std::function<void()> make;
    } doubts[] = {
        {"a damaged mark",
         [&] {
             std::string saved = testing::readFile(directory.erasingMark());
             saved[20] ^= 1;
             testing::writeFile(directory.erasingMark(), saved);
         }},
        {"no mark", [&] { std::filesystem::remove(directory.erasingMark()); }},
        {"the anchor changed",
         [&] {
             const std::size_t anchor =
                 loadErasingMark(files, directory.erasingMark()).stays.anchor;
             GuestRecord stay = store.guests().read(anchor);
             stay.Comment = "changed";
             store.guests().write(anchor, stay);
         }},
        {"a shorter file",
         [&] {
             const std::string guests = testing::readFile(directory.guest());
             testing::writeFile(directory.guest(), guests.substr(0, guests.size() - 800));
         }},
    };
    for (const auto& doubt : doubts) {
        SCOPED_TRACE(doubt.change);
        plantCard();
        doubt.make();
        EXPECT_EQ(eraseCardsBefore(store, twoDaysLater).stays, 1u);
        EXPECT_FALSE(holdsCard(store.guests().read(1)));
    }
}

// Years of history are written back in runs, each record whole.
TEST_F(CardErasingTest, ErasesLongRunsOfHistoryInWholeRecords) {
    std::string expected;
    for (int i = 0; i < 3000; ++i) {
        const GuestRecord stay = withCard(
            makeStay("101", "Old" + std::to_string(i), "Al", kToday.plusDays(-400 + i / 10), true));
        store.guests().append(stay);
        expected += erasedSlot(testing::slotOf(encode(stay)));
    }
    EXPECT_EQ(eraseCardsBefore(store, kToday).stays, 3000u);
    EXPECT_EQ(testing::readFile(directory.guest()), expected);
}

// The night audit erases by the motel's setting (30 days unless set), never when it is
// "never"; a refused audit erases nothing either.
TEST_F(CardErasingTest, TheNightAuditErasesAsTheMotelSays) {
    const auto [guests, reservations] = layDownEveryKind();
    const std::string before = testing::readFile(directory.guest());
    const std::string bookingsBefore = testing::readFile(directory.reservation());

    setErasing(CardErasing{std::nullopt});
    EXPECT_EQ(runNightAudit(store, kToday.plusDays(-1)).outcome, AuditOutcome::Posted);
    EXPECT_EQ(testing::readFile(directory.guest()), before);
    EXPECT_EQ(testing::readFile(directory.reservation()), bookingsBefore);

    setErasing(CardErasing{});
    store.guests().append(makeStayOver("104", "Due", 20, 50, kToday.plusDays(-1), kToday));
    EXPECT_EQ(runNightAudit(store, kToday).outcome, AuditOutcome::Refused);
    EXPECT_EQ(testing::readFile(directory.reservation()), bookingsBefore);

    GuestRecord due = store.guests().read(store.guests().count());
    due.DepartureDate = kToday.plusDays(1).stored();
    store.guests().write(store.guests().count(), due);
    EXPECT_EQ(runNightAudit(store, kToday).outcome, AuditOutcome::Posted);
    EXPECT_EQ(testing::readFile(directory.guest()).substr(0, guests.size()), guests);
    EXPECT_EQ(testing::readFile(directory.reservation()), reservations);
}

// "0": the card goes with check-out itself; any other setting leaves it to the audit.
TEST_F(CardErasingTest, CheckOutErasesTheCardWhenTheMotelKeepsItNoDaysAfter) {
    for (const long days : {0L, kDays}) {
        setErasing(CardErasing{days});
        const GuestRecord stay =
            withCard(makeStayOver("101", "Avery", 1, 45, kToday.plusDays(-2), kToday));
        const std::size_t n = store.guests().append(stay);
        checkOut(store, n, stay, "11:00:00 AM");
        const GuestRecord out = store.guests().read(n);
        EXPECT_FALSE(out.inHouse());
        EXPECT_EQ(out.CardNumber.trimmed(), days == 0 ? "1111" : "4111 1111 1111 1111") << days;
        EXPECT_EQ(out.CardExpireMonth.trimmed(), days == 0 ? "" : "March") << days;
    }
}

} // namespace
} // namespace roomwright
