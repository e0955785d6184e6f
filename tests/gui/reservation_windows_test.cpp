#include "reservations/reservation_calendars_window.h"
#include "reservations/reservation_entry_window.h"
#include "reservations/reservation_names_window.h"
#include "reservations/reservation_window.h"
#include "reservations/reservations_menu_window.h"

#include "gui/clerk.h"
#include "gui/gui_fixture.h"
#include "store/bookings.h"
#include "store/settings.h"
#include "support/records.h"

#include <QButtonGroup>
#include <QCalendarWidget>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>

namespace roomwright::testing {
namespace {

// Clicks (or double-clicks) a day of a calendar.
void clickDay(QCalendarWidget* calendar, const QDate& date, bool twice = false) {
    calendar->setSelectedDate(date);
    auto* grid = calendar->findChild<QAbstractItemView*>();
    const QPoint day = grid->visualRect(grid->currentIndex()).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, day);
    if (twice) {
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, day);
    }
}

class ReservationWindows : public DeskTest {
  protected:
    ReservationWindows() {
        store.rooms().append(makeRoom("101", "NQ1", 65));
        store.rooms().append(makeRoom("102", "K11", 80, "N", "N")); // dirty and occupied
        store.rooms().append(makeRoom("103", "DD1", 70, "Y", "Y", "X"));
        setTaxRate(store, 0.12f);
        setShiftAndClerk(store, ShiftClerkRecord{"JS", "A", {}});
    }

    ReservationEntryWindow* openEntry() {
        openForm<ReservationsMenuWindow>(WindowId::Reservations)->addButton->click();
        settle();
        return findForm<ReservationEntryWindow>(WindowId::ReservationEntry);
    }
    static void fillGuest(const GuestBoxes& guest) {
        type(guest.lastName, "Smith");
        type(guest.firstName, "Ann");
        type(guest.address, "12 Elm Street");
        type(guest.city, "Louisville");
        pick(guest.state, "Kentucky");
    }
    // A stored booking of room 101 from the 7th, with the number, name, nights and rate.
    void book(float number, const char* last, int nights = 2, float rate = 65,
              const char* cardType = nullptr) {
        ReservationRecord r;
        r.ConfirmationNumber = number;
        r.LastName = last;
        r.FirstName = "Ann";
        r.State = "Kentucky";
        r.RoomNumber = "101";
        r.ArrivalDate = clock.today().stored();
        r.DepartureDate = clock.today().plusDays(nights).stored();
        r.Days = static_cast<float>(nights);
        r.Rate = rate;
        r.CardExpireMonth = "Expire Month";
        r.CardExpireYear = "Expir";
        if (cardType != nullptr) {
            r.CardType = cardType;
        }
        store.reservations().append(r);
    }
    ReservationWindow* retrieve(const QString& number) {
        auto* form = findForm<ReservationWindow>(WindowId::Reservation);
        if (form == nullptr) {
            form = openForm<ReservationWindow>(WindowId::Reservation);
        }
        type(form->numberBox, number);
        form->goButton->click();
        return form;
    }
    QStringList messages() {
        QStringList texts;
        for (const auto& box : dialogs.shown) {
            texts << box.text;
        }
        dialogs.shown.clear();
        return texts;
    }
};

TEST_F(ReservationWindows, EveryNewEntryWindowUsesUpAConfirmationNumber) {
    ReservationEntryWindow* entry = openEntry();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(findForm<ReservationsMenuWindow>(WindowId::Reservations), nullptr);
    EXPECT_EQ(entry->confirmationLabel->text(), "1");
    EXPECT_EQ(entry->todayLabel->text(), "12/7/2026");
    EXPECT_EQ(entry->shiftLabel->text(), "A");
    EXPECT_EQ(entry->clerkLabel->text(), "JS");
    EXPECT_EQ(entry->guest.adults->text(), "1");
    // Out-of-order rooms are not offered; occupied ones are.
    ASSERT_EQ(entry->roomList->count(), 2);
    EXPECT_EQ(entry->roomList->itemText(1), "102   K11       ");
    entry->exitButton->click();
    settle();
    EXPECT_EQ(store.reservations().count(), 0u);
    EXPECT_EQ(openEntry()->confirmationLabel->text(), "2");
    findForm<ReservationEntryWindow>(WindowId::ReservationEntry)->close();
    settle();

    // A counter at the last number a Single counts to draws none: the window says so and
    // closes without a number.
    const std::string full("\0\0\x80\x4B\0\0\0\0\0\0", 10); // 16777216
    writeFile(directory.confirmation(), full);
    openEntry();
    settle();
    EXPECT_EQ(findForm<ReservationEntryWindow>(WindowId::ReservationEntry), nullptr);
    const QStringList shown = messages();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains("the last confirmation number this system can keep"));
    EXPECT_EQ(readFile(directory.confirmation()), full);
}

TEST_F(ReservationWindows, ARoomIsCheckedForTheDaysTheBoxesShowAndPriced) {
    book(1, "Jones", 3); // room 101, the 7th to the 10th
    ReservationEntryWindow* entry = openEntry();

    // Chosen before any date: the calendars open on today, which room 101 is taken for.
    pick(entry->roomList, "101   NQ1       ");
    EXPECT_EQ(entry->arrivalBox->text(), "12/7/2026");
    ASSERT_NE(entry->calendars(), nullptr);
    EXPECT_TRUE(entry->calendars()->isVisible());
    EXPECT_EQ(messages(), QStringList{"Overbooking on this room. Please choose another room."});
    EXPECT_EQ(entry->rateBox->text(), "");

    // A stay that arrives inside the booked one is turned down too.
    type(entry->arrivalBox, "12/8/2026");
    EXPECT_EQ(entry->calendars()->arrivalCalendar->selectedDate(), QDate(2026, 12, 8));
    pick(entry->roomList, "101   NQ1       ");
    EXPECT_EQ(messages().size(), 1);

    // From the day it leaves, for 3 days picked on the calendars.
    clickDay(entry->calendars()->arrivalCalendar, QDate(2026, 12, 10));
    EXPECT_EQ(entry->arrivalBox->text(), "12/10/2026");
    clickDay(entry->calendars()->departureCalendar, QDate(2026, 12, 13));
    EXPECT_EQ(entry->daysBox->text(), "3");
    EXPECT_EQ(entry->departureBox->text(), "12/13/2026");
    EXPECT_FALSE(entry->calendars()->isVisible());
    pick(entry->roomList, "101   NQ1       ");
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ((QStringList{entry->rateBox->text(), entry->taxBox->text(), entry->totalBox->text(),
                           entry->stayTotalBox->text()}),
              (QStringList{"65", "7.8", "72.8", "218.4"}));

    // "Calendar" brings the hidden calendars back with both days; a double-click on an
    // arrival day closes them.
    entry->calendarButton->click();
    ReservationCalendarsWindow* calendars = entry->calendars();
    EXPECT_TRUE(calendars->isVisible());
    EXPECT_EQ(calendars->departureCalendar->selectedDate(), QDate(2026, 12, 13));
    clickDay(calendars->arrivalCalendar, QDate(2026, 12, 11), true);
    settle();
    EXPECT_EQ(entry->calendars(), nullptr);
    EXPECT_EQ(entry->arrivalBox->text(), "12/11/2026");
}

TEST_F(ReservationWindows, ABookingIsPricedAndSavedForTheRoomChosenLastWhateverItsNumber) {
    setTaxRate(store, 0.09f);
    store.rooms().append(makeRoom("107", "NQ1", 100));
    for (const RoomNumberCase& room : kRoomNumbers) {
        store.rooms().append(makeRoom(room.number, "SNQ1", room.rate));
    }
    std::size_t saved = 0;
    for (const RoomNumberCase& room : kRoomNumbers) {
        SCOPED_TRACE(room.number);
        ReservationEntryWindow* entry = openEntry();
        fillGuest(entry->guest);
        type(entry->arrivalBox, "12/20/2026");
        type(entry->departureBox, "12/21/2026");
        pick(entry->roomList, "107   NQ1       ");
        EXPECT_EQ(entry->rateBox->text(), "100");
        pick(entry->roomList,
             entry->roomList->itemText(entry->roomList->findData(QString(room.number))));
        EXPECT_EQ(
            (QStringList{entry->rateBox->text(), entry->taxBox->text(), entry->totalBox->text()}),
            (QStringList{room.rateText, room.tax, room.total}));
        entry->saveButton->click();
        EXPECT_EQ(messages(), QStringList{"Your reservation was created successfully."});
        settle();
        const ReservationRecord booked = store.reservations().read(++saved);
        EXPECT_EQ(booked.RoomNumber.trimmed(), room.number);
        EXPECT_EQ(booked.Rate, room.rate);
    }
}

TEST_F(ReservationWindows, ARetrievalShowsAndKeepsARoomWhateverItsNumber) {
    for (const RoomNumberCase& room : kRoomNumbers) {
        store.rooms().append(makeRoom(room.number, "SNQ1", room.rate));
        book(static_cast<float>(store.reservations().count() + 1), "Stone");
        ReservationRecord r = store.reservations().read(store.reservations().count());
        r.RoomNumber = room.number;
        store.reservations().write(store.reservations().count(), r);
    }
    for (std::size_t i = 0; i < std::size(kRoomNumbers); ++i) {
        const QString number = kRoomNumbers[i].number;
        SCOPED_TRACE(number.toStdString());
        ReservationWindow* form = retrieve(QString::number(i + 1));
        EXPECT_EQ(form->roomLabel->text(), number);
        EXPECT_EQ(form->roomList->currentData().toString(), number);
        EXPECT_EQ(form->rateBox->text(), kRoomNumbers[i].rateText);
        pick(form->roomList, "102   K11       ");
        pick(form->roomList, form->roomList->itemText(form->roomList->findData(number)));
        EXPECT_EQ(form->roomLabel->text(), number);
    }
}

TEST_F(ReservationWindows, SaveRefusesWhatTheBoxesDoNotHoldAndRepeatsTheOverbookingCheck) {
    book(1, "Jones", 3);
    ReservationEntryWindow* entry = openEntry();
    fillGuest(entry->guest);
    type(entry->arrivalBox, "12/10/2026");
    type(entry->departureBox, "12/12/2026");
    pick(entry->roomList, "101   NQ1       ");
    ASSERT_TRUE(messages().isEmpty());
    const std::string before = readFile(directory.reservation());

    const struct {
        QLineEdit* box;
        const char* text;
        const char* message;
    } cases[] = {
        {entry->arrivalBox, "12/40/2026",
         "The text in \"Arriving On\" is not a date. Type it as month/day/year."},
        {entry->departureBox, "soon",
         "The text in \"Departing On\" is not a date. Type it as month/day/year."},
        {entry->daysBox, "-1", "\"Days\" must be a whole number of 0 or more."},
        // The room stays chosen after the warning, but Save does not take the double booking.
        {entry->arrivalBox, "12/9/2026", "Overbooking on this room. Please choose another room."},
    };
    for (const auto& c : cases) {
        const QString kept = c.box->text();
        type(c.box, c.text);
        entry->saveButton->click();
        EXPECT_EQ(messages(), QStringList{c.message});
        EXPECT_EQ(focusedControl(entry),
                  c.message[0] == 'O' ? static_cast<QWidget*>(entry->roomList) : c.box);
        type(c.box, kept);
    }
    EXPECT_EQ(readFile(directory.reservation()), before);

    entry->saveButton->click();
    EXPECT_EQ(messages(), QStringList{"Your reservation was created successfully."});
    settle();
    EXPECT_EQ(findForm<ReservationEntryWindow>(WindowId::ReservationEntry), nullptr);
    const ReservationRecord saved = store.reservations().read(2);
    EXPECT_EQ(saved.ArrivalDate, (CivilDate{2026, 12, 10}).stored());
    EXPECT_EQ(saved.ConfirmationNumber, 1.0f);
    EXPECT_EQ(saved.CardExpireYear.str(), "Expir");
}

TEST_F(ReservationWindows, NothingIsSavedOrCheckedInBeforeAReservationIsShown) {
    auto* form = openForm<ReservationWindow>(WindowId::Reservation);
    type(form->numberBox, "abc");
    form->goButton->click();
    EXPECT_EQ(messages(), QStringList{"\"By Confirmation#\" does not hold a confirmation number."});
    for (QPushButton* button : {form->saveButton, form->checkInButton, form->cancelButton}) {
        button->click();
        EXPECT_EQ(messages(), QStringList{"No reservation is shown. Find one with \"Go\" or "
                                          "\"By Name\" first."});
    }
    EXPECT_EQ(lastFolioNumber(store), 0);
    EXPECT_EQ(store.reservations().count(), 0u);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(ReservationWindows, ARetrievalShowsTheRoomsRateNowAndOnlyWhatItsRecordHolds) {
    setTaxRate(store, 0.1f);
    book(1, "Smith", 2, 60, "M");
    book(2, "Jones", 2, 60);
    ReservationWindow* form = retrieve("1");
    EXPECT_EQ(form->confirmationLabel->text(), "1");
    EXPECT_EQ(form->roomLabel->text(), "101");
    EXPECT_EQ(form->arrivalBox->text(), "12/7/2026");
    EXPECT_EQ(form->guest.state->currentText(), "Kentucky");
    EXPECT_EQ(form->guest.expireMonth->currentText(), "Expire Month");
    EXPECT_EQ(form->guest.expireYear->currentText(), "Expir");
    EXPECT_TRUE(form->guest.masterCard->isChecked());
    const auto price = [&] {
        return QStringList{form->rateBox->text(), form->taxBox->text(), form->totalBox->text(),
                           form->stayTotalBox->text()};
    };
    EXPECT_EQ(price(), (QStringList{"65", "6", "71", "142"}));
    type(form->daysBox, "3");
    EXPECT_EQ(price(), (QStringList{"65", "6.5", "71.5", "214.5"}));

    retrieve("2");
    EXPECT_EQ(form->guest.lastName->text(), "Jones");
    EXPECT_EQ(form->guest.cards->checkedButton(), nullptr);
    EXPECT_EQ(form->daysBox->text(), "2");
    EXPECT_EQ(price(), (QStringList{"65", "6", "71", "142"}));
    retrieve("9"); // no such booking: the window stays as it was
    EXPECT_EQ(form->guest.lastName->text(), "Jones");
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ReservationWindows, SaveAndExitWritesTheShownRecordOfTwoWithOneNumber) {
    book(1, "Smith");
    ReservationRecord twin = store.reservations().read(1); // as an older file may hold
    twin.LastName = "Brown";
    store.reservations().append(twin);
    ReservationWindow* form = retrieve("1");
    ASSERT_EQ(form->guest.lastName->text(), "Brown"); // the later one is shown

    form->saveButton->click();
    EXPECT_EQ(messages(), QStringList{"You did not enter a pay code."});
    EXPECT_EQ(focusedControl(form), form->payCodeList);

    pick(form->roomList, "102   K11       ");
    EXPECT_EQ(form->roomLabel->text(), "102");
    type(form->guest.comment, "Late arrival");
    click(form->guest.visa);
    pick(form->payCodeList, "C - Cash");
    form->saveButton->click();
    EXPECT_EQ(messages(), QStringList{"Your changes were saved successfuly."});
    settle();
    EXPECT_EQ(findForm<ReservationWindow>(WindowId::Reservation), nullptr);
    const ReservationRecord first = store.reservations().read(1);
    const ReservationRecord second = store.reservations().read(2);
    EXPECT_EQ(first.Comment.str(), std::string(40, '\0'));
    EXPECT_EQ(second.Comment.trimmed(), "Late arrival");
    EXPECT_EQ(second.RoomNumber.str(), "102  ");
    EXPECT_EQ(second.Rate, 65.0f);
    EXPECT_EQ(second.CardType.trimmed(), "V");
    EXPECT_EQ(second.PayCode.str(), "C");
    EXPECT_EQ(retrieve("1")->guest.comment->text(), "Late arrival");
}

TEST_F(ReservationWindows, CancelAsksWithNoAsItsDefaultAndClosesTheShownBookingForGood) {
    book(1, "Smith");
    book(2, "Jones");
    const ReservationRecord smith = store.reservations().read(1);
    ReservationWindow* form = retrieve("1");
    const QString question =
        "Are you sure you want to cancel reservation 1 of Smith, Ann for room 101?";
    const std::string before = readFile(directory.reservation());
    form->cancelButton->click(); // answered No
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].question);
    EXPECT_EQ(dialogs.shown[0].title, "Cancel Reservation");
    EXPECT_EQ(dialogs.shown[0].byDefault, Answer::No);
    EXPECT_EQ(messages(), QStringList{question});
    EXPECT_EQ(readFile(directory.reservation()), before);
    EXPECT_TRUE(form->isVisible());

    // Checked in meanwhile: the cancel is refused and writes nothing.
    ReservationRecord checkedIn = smith;
    checkedIn.CheckInMark = "*";
    store.reservations().write(1, checkedIn);
    const std::string closed = readFile(directory.reservation());
    dialogs.answers.push_back(true);
    form->cancelButton->click();
    const QStringList refused = messages();
    ASSERT_EQ(refused.size(), 2);
    EXPECT_TRUE(refused[1].contains("is no longer open")) << refused[1].toStdString();
    EXPECT_EQ(readFile(directory.reservation()), closed);
    store.reservations().write(1, smith);

    dialogs.answers.push_back(true);
    form->cancelButton->click();
    EXPECT_EQ(messages(), (QStringList{question, "The reservation was cancelled."}));
    settle();
    EXPECT_EQ(findForm<ReservationWindow>(WindowId::Reservation), nullptr);
    EXPECT_EQ(cancellation(store.reservations().read(1)), (Cancellation{clock.today(), ""}));
    EXPECT_TRUE(retrieve("1")->confirmationLabel->text().isEmpty()); // found no more
}

TEST_F(ReservationWindows, TheNameListShowsOpenBookingsAndADoubleClickRetrievesOne) {
    book(12, "Smith");
    book(13, "Jones");
    ReservationRecord done = store.reservations().read(2);
    done.CheckInMark = "*";
    store.reservations().write(2, done);
    book(14, "Brown");
    auto* form = openForm<ReservationWindow>(WindowId::Reservation);
    form->byNameButton->click();
    ReservationNamesWindow* names = form->names();
    ASSERT_NE(names, nullptr);
    ASSERT_EQ(names->nameList->count(), 2);
    EXPECT_EQ(names->nameList->item(0)->text(), " 12         Smith, Ann");
    EXPECT_EQ(names->nameList->item(1)->text(), " 14         Brown, Ann");

    QWidget* viewport = names->nameList->viewport();
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, QPoint(5, viewport->height() - 5));
    EXPECT_TRUE(names->isVisible()); // beside the entries: nothing picked
    EXPECT_TRUE(form->confirmationLabel->text().isEmpty());

    const QRect second = names->nameList->visualItemRect(names->nameList->item(1));
    QTest::mouseClick(viewport, Qt::LeftButton, {}, second.center());
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, second.center());
    settle();
    EXPECT_EQ(form->names(), nullptr);
    EXPECT_EQ(form->confirmationLabel->text(), "14");
    EXPECT_EQ(form->guest.lastName->text(), "Brown");
}

TEST_F(ReservationWindows, CheckInRefusesAMissingPayCodeAndWritesNothing) {
    book(1, "Smith");
    ReservationWindow* form = retrieve("1");
    const std::string reservations = readFile(directory.reservation());
    form->checkInButton->click();
    EXPECT_EQ(messages(), QStringList{"You did not enter a pay code."});
    type(form->payCodeList, "V - Visa");
    type(form->arrivalBox, "12/7/26x");
    form->checkInButton->click();
    EXPECT_EQ(messages(), QStringList{"The text in \"Arrival Date\" is not a date. Type it as "
                                      "month/day/year."});
    EXPECT_EQ(focusedControl(form), form->arrivalBox);
    EXPECT_EQ(lastFolioNumber(store), 0);
    EXPECT_EQ(store.guests().count(), 0u);
    EXPECT_EQ(readFile(directory.reservation()), reservations);
}

TEST_F(ReservationWindows, TheCalendarsAndTheNameListAreNamedAndReachableByKeyboard) {
    ReservationEntryWindow* entry = openEntry();
    entry->calendarButton->click();
    EXPECT_EQ(entry->calendars()->objectName(), "Form13");
    // The calendars' own month and year buttons are Qt's; the calendars carry the captions.
    EXPECT_EQ(entry->calendars()->arrivalCalendar->accessibleName(), "Arriving");
    EXPECT_EQ(entry->calendars()->departureCalendar->accessibleName(), "Departing");
    auto* form = openForm<ReservationWindow>(WindowId::Reservation);
    form->byNameButton->click();
    EXPECT_EQ(form->names()->objectName(), "Form16");
    EXPECT_EQ(controlsWithoutNameOrFocus(form->names()), std::vector<QString>{});
}

} // namespace
} // namespace roomwright::testing
