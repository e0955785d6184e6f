#include "cli/cli_fixture.h"

#include "reports/desk_lists.h"
#include "store/bookings.h"
#include "store/charges.h"
#include "store/disk/writer_lock.h"
#include "store/settings.h"
#include "support/records.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <utility>

namespace roomwright {
namespace {

using testing::makeStayOver;

const CivilDate kToday{2026, 12, 7};

ReservationRecord booking(const char* room, const char* last, float number, int arrival,
                          int departure, bool checkedIn = false) {
    ReservationRecord r;
    r.RoomNumber = room;
    r.LastName = last;
    r.FirstName = "Lee";
    r.ConfirmationNumber = number;
    r.Rate = 59.95f;
    r.ArrivalDate = kToday.plusDays(arrival).stored();
    r.DepartureDate = kToday.plusDays(departure).stored();
    r.CheckInMark = checkedIn ? "*" : "";
    return r;
}

// Two guests in house (one due out today), one departed; bookings arriving today, in two
// days, one already checked in and one cancelled.
class DeskLists : public testing::CliFixture {
  protected:
    DeskLists() {
        setTaxRate(store, 0.09f);
        store.guests().append(
            makeStayOver("101", "Avery", 1, 45, kToday.plusDays(-1), kToday.plusDays(2)));
        store.guests().append(makeStayOver("102", "Brook", 2, 50, kToday.plusDays(-2), kToday));
        GuestRecord gone = makeStayOver("103", "Cole", 3, 50, kToday.plusDays(-3), kToday);
        gone.CheckOutMark = "*";
        store.guests().append(gone);
        postItem(store, 1, "101  ", Category::RoomRent, 45, kToday.plusDays(-1));
        postItem(store, 1, "101  ", Category::Cash, 100, kToday.plusDays(-1));
        postItem(store, 2, "102  ", Category::RoomRent, 50, kToday.plusDays(-2));
        store.reservations().append(booking("103", "Dunn, Jr", 5, 0, 3));
        store.reservations().append(booking("101", "Eyre", 6, 2, 3));
        store.reservations().append(booking("102", "Ford", 4, 0, 1, true));
        ReservationRecord cancelled = booking("104", "Gage", 7, 0, 2);
        markCancelled(cancelled, kToday.plusDays(-1), "");
        store.reservations().append(cancelled);
    }

    // Runs `list` with the arguments on the test's day.
    int run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "list");
        return runTool(arguments, {"--today", "2026-12-07"});
    }
};

TEST_F(DeskLists, CsvIsExactForEachListAndDay) {
    const std::string arrivals = "Room,Last,First,Confirmation,Arrival,Departure,Nights,Rate\r\n";
    const std::string stays = "Room,Last,First,Folio,Arrival,Departure,Nights,Balance\r\n";
    const std::string avery = "101,Avery,Ann,1,2026-12-06,2026-12-09,3,-50.95\r\n";
    const std::string brook = "102,Brook,Ann,2,2026-12-05,2026-12-07,2,54.5\r\n";
    const struct {
        std::vector<std::string> words;
        std::string csv;
    } cases[] = {
        {{"arrivals", "--csv"},
         arrivals + "103,\"Dunn, Jr\",Lee,5,2026-12-07,2026-12-10,3,59.95\r\n"},
        {{"arrivals", "--date", "2026-12-09", "--csv"},
         arrivals + "101,Eyre,Lee,6,2026-12-09,2026-12-10,1,59.95\r\n"},
        {{"arrivals", "--csv", "--date", "2026-12-08"}, arrivals},
        {{"no-shows", "--csv"},
         arrivals + "103,\"Dunn, Jr\",Lee,5,2026-12-07,2026-12-10,3,59.95\r\n"},
        {{"departures", "--csv"}, stays + brook},
        {{"departures", "--csv", "--date", "2026-12-09"},
         stays + "101,Avery,Ann,1,2026-12-06,2026-12-09,3,-50.95\r\n"},
        {{"departures", "--csv", "--date", "2026-12-08"}, stays},
        {{"in-house", "--csv"}, stays + avery + brook},
        {{"in-house", "--csv", "--date", "2026-12-08"}, stays + avery},
        {{"in-house", "--csv", "--date", "2026-12-05"}, stays + brook},
        {{"in-house", "--csv", "--date", "2026-12-10"}, stays},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words[0] + " " + c.words[1]);
        ASSERT_EQ(run(c.words), 0) << err.str();
        EXPECT_EQ(out.str(), c.csv);
        EXPECT_EQ(err.str(), "");
    }
}

// A stay past its departure day and not checked out is in house every day from its arrival
// up to tonight.
TEST_F(DeskLists, AStayPastItsDepartureIsInHouseUpToTonight) {
    store.guests().append(
        makeStayOver("104", "Dunn", 4, 40, kToday.plusDays(-5), kToday.plusDays(-2)));
    for (const auto& [date, listed] :
         {std::pair{"2026-12-01", false}, std::pair{"2026-12-03", true},
          std::pair{"2026-12-06", true}, std::pair{"2026-12-07", true},
          std::pair{"2026-12-08", false}}) {
        ASSERT_EQ(run({"in-house", "--csv", "--date", date}), 0) << err.str();
        EXPECT_EQ(out.str().find("104,Dunn,Ann,4,2026-12-02,2026-12-05,") != std::string::npos,
                  listed)
            << date << "\n"
            << out.str();
    }
}

TEST_F(DeskLists, TableIsThePrintoutWithoutItsFormFeed) {
    ASSERT_EQ(run({"in-house"}), 0) << err.str();
    const std::string rule(120, '-');
    EXPECT_EQ(out.str(),
              "In House for 12/7/2026\n" + rule +
                  "\n"
                  "Room  Last                            First                 Folio         "
                  "Arrival      Departure    Nights  Balance\n" +
                  rule +
                  "\n"
                  "101   Avery                           Ann                    1            "
                  "12/6/2026    12/9/2026     3      -50.95\n"
                  "102   Brook                           Ann                    2            "
                  "12/5/2026    12/7/2026     2       54.5\n");
    const DeskList list = deskList(store, DeskListKind::InHouse, kToday, kToday);
    EXPECT_EQ(plainText(deskListDocument(list)), out.str() + "\f\n");

    ASSERT_EQ(run({"departures", "--date", "2026-12-08"}), 0);
    EXPECT_EQ(out.str().substr(out.str().rfind(rule) + rule.size()), "\nNo departures.\n");
    ASSERT_EQ(run({"arrivals", "--date", "2026-12-08"}), 0);
    EXPECT_TRUE(out.str().ends_with(rule + "\nNo arrivals.\n"));
    ASSERT_EQ(run({"no-shows", "--date", "2026-12-08"}), 0);
    EXPECT_TRUE(out.str().starts_with("No-shows for 12/8/2026\n"));
    EXPECT_TRUE(out.str().ends_with(rule + "\nNo no-shows.\n"));
}

TEST_F(DeskLists, CancelReservationClosesTheOneOpenBookingItNamesUnderTheWriterLock) {
    store.reservations().append(booking("101", "Hale", 6, 3, 4)); // a second number 6
    const auto cancel = [&](std::vector<std::string> words) {
        words.insert(words.begin(), "cancel-reservation");
        return runTool(words, {"--today", "2026-12-07", "--wait", "0"});
    };
    const std::string before = testing::readFile(directory.reservation());
    const struct {
        std::vector<std::string> words;
        int status;
        std::string said;
    } refused[] = {
        {{"99"}, 1, "No open reservation in " + directory.reservation().generic_string()},
        {{"4"}, 1, "No open reservation in"}, // checked in
        {{"7"}, 1, "No open reservation in"}, // cancelled already
        {{"5", "--record", "2"}, 1, "confirmation number 5 at record 2"},
        {{"6"}, 1, "have confirmation number 6 (records 2, 5); name one with --record N"},
        {{}, 2, "usage: roomwright-cli cancel-reservation"},
        {{"five"}, 2, "CONFIRMATION must be a whole number"},
        {{"5", "--record"}, 2, "usage: roomwright-cli cancel-reservation"},
        {{"5", "--color", "red"}, 2, "usage: roomwright-cli cancel-reservation"},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.said);
        EXPECT_EQ(cancel(c.words), c.status);
        EXPECT_NE(err.str().find(c.said), std::string::npos) << err.str();
        EXPECT_EQ(out.str(), "");
    }
    {
        const WriterLock program = WriterLock::take(directory, "roomwright");
        EXPECT_EQ(cancel({"5"}), 1);
        EXPECT_NE(err.str().find("is using it"), std::string::npos) << err.str();
    }
    EXPECT_EQ(testing::readFile(directory.reservation()), before);

    ASSERT_EQ(cancel({"5", "--reason", "Flight cancelled"}), 0) << err.str();
    EXPECT_EQ(out.str(),
              "Reservation 5 of Dunn, Jr, Lee for room 103, arriving 12/7/2026, is cancelled.\n");
    EXPECT_EQ(cancellation(store.reservations().read(1)),
              (Cancellation{kToday, "Flight cancelled"}));
    ASSERT_EQ(cancel({"6", "--record", "5"}), 0) << err.str();
    EXPECT_TRUE(store.reservations().read(2).open()); // the other number 6
    ASSERT_EQ(run({"arrivals", "--csv"}), 0);
    EXPECT_EQ(out.str(), "Room,Last,First,Confirmation,Arrival,Departure,Nights,Rate\r\n");
}

// Reading commands and refused operations write nothing into the data directory, with no
// saved index and with one the files have moved on from: every file stays byte for byte and
// none is added. (The writing commands hold the lock file, which names the last holder.)
TEST_F(DeskLists, ReadingCommandsAndRefusalsWriteNothing) {
    const std::vector<std::vector<std::string>> commands = {
        {"list", "arrivals"},
        {"list", "departures", "--csv"},
        {"list", "in-house"},
        {"list", "no-shows", "--date", "2026-12-06"},
        {"print", "housekeeping"},
        {"print", "guest-list"},
        {"print", "folio", "1"},
        {"print", "financial"},
        {"dump", "guests"},
        {"dump", "reservations"},
        {"dump", "settings"},
        {"verify"},
        {"night-audit"},              // refused: Brook is due out today
        {"cancel-reservation", "99"}, // refused: no such booking
        {"cancel-reservation", "4"},  // refused: checked in
    };
    for (const bool stale : {false, true}) {
        SCOPED_TRACE(stale ? "a saved index the files moved on from" : "no saved index");
        if (stale) {
            // As the program saves them at its start.
            store.scanInHouseGuests([](std::size_t, const auto&) { return true; });
            store.scanIndexedBookings(kToday, [](std::size_t, const auto&) { return true; });
            store.saveIndexes();
            const Store other(directory, files);
            GuestRecord avery = other.guests().read(1);
            avery.CheckOutMark = "*";
            other.guests().write(1, avery);
            ReservationRecord dunn = other.reservations().read(1);
            markCancelled(dunn, kToday, "");
            other.reservations().write(1, dunn);
            ASSERT_TRUE(std::filesystem::exists(directory.inHouseIndex()));
            ASSERT_TRUE(std::filesystem::exists(directory.bookingIndex()));
        }
        auto before = testing::snapshot(directory.root());
        before.erase("roomwright.lock");
        for (const auto& words : commands) {
            SCOPED_TRACE(words[0] + " " + (words.size() > 1 ? words[1] : ""));
            runTool(words, {"--today", "2026-12-07", "--wait", "0"});
            auto after = testing::snapshot(directory.root());
            after.erase("roomwright.lock");
            EXPECT_EQ(after, before);
        }
    }
}

TEST_F(DeskLists, WrongWordsAreUsageErrors) {
    for (const std::vector<std::string>& words : {std::vector<std::string>{},
                                                  {"everyone"},
                                                  {"arrivals", "--date"},
                                                  {"arrivals", "--date", "12/7/2026"},
                                                  {"arrivals", "--date", "2026-02-30"},
                                                  {"in-house", "--pdf"}}) {
        EXPECT_EQ(run(words), 2);
        EXPECT_EQ(out.str(), "");
        EXPECT_TRUE(err.str().starts_with("roomwright-cli: ")) << err.str();
    }
}

} // namespace
} // namespace roomwright
