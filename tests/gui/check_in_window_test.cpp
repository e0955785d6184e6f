#include "frontdesk/calendar_window.h"
#include "frontdesk/check_in_window.h"
#include "frontdesk/main_window.h"
#include "gui/clerk.h"
#include "gui/gui_fixture.h"
#include "gui/walk_in_guest.h"
#include "store/charges.h"
#include "store/settings.h"
#include "support/folio_page.h"
#include "support/records.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>

namespace roomwright::testing {
namespace {

// Counts the moments at which no window of the program is left on screen: the moments at
// which Qt would end the program.
class QuitWatch : public QObject {
  public:
    QuitWatch() { qApp->installEventFilter(this); }
    ~QuitWatch() override { qApp->removeEventFilter(this); }
    int quits = 0;

  protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(object);
        if (event->type() == QEvent::Hide && widget != nullptr && widget->isWindow()) {
            const QWidgetList windows = QApplication::topLevelWidgets();
            const bool anyLeft = std::any_of(windows.begin(), windows.end(), [](QWidget* w) {
                return w->isVisible() && w->parentWidget() == nullptr;
            });
            quits += anyLeft ? 0 : 1;
        }
        return false;
    }
};

class CheckInWindowTest : public DeskTest {
  protected:
    CheckInWindowTest() {
        setReminderSwitch(store, 1);
        setTaxRate(store, 0.09f);
        setPetFee(store, 10);
        setShiftAndClerk(store, ShiftClerkRecord{"JS", "A", {}});
        addRoom("101", "NQ1", 50);
        addRoom("102", "K11", 65);
    }

    void addRoom(const char* number, const char* type, float rate, const char* clean = "Y",
                 const char* vacant = "Y", const char* order = "K") {
        store.rooms().append(makeRoom(number, type, rate, clean, vacant, order));
    }

    static void pick(QComboBox* list, const QString& startingWith) {
        for (int i = 0; i < list->count(); ++i) {
            if (list->itemText(i).startsWith(startingWith)) {
                list->setCurrentIndex(i);
                return;
            }
        }
        ADD_FAILURE() << "no entry starts with " << startingWith.toStdString();
    }

    static void type(QLineEdit* box, const QString& text) {
        box->clear();
        QTest::keyClicks(box, text);
    }

    static QStringList entries(const QComboBox* list) {
        QStringList all;
        for (int i = 0; i < list->count(); ++i) {
            all << list->itemText(i);
        }
        return all;
    }

    // The calendar's day grid, standing on `date`.
    static QAbstractItemView* dayGrid(CalendarWindow* calendar, const QDate& date) {
        calendar->monthView->setSelectedDate(date);
        return calendar->monthView->findChild<QAbstractItemView*>();
    }

    QStringList messages() const {
        QStringList texts;
        for (const auto& box : dialogs.shown) {
            texts << box.title + ": " + box.text;
        }
        return texts;
    }
};

TEST_F(CheckInWindowTest, LoadsWithItsListsTheOfferedRoomsAndTheShiftOnDuty) {
    addRoom("103", "DD1", 70, "N");
    addRoom("104", "DD1", 70, "Y", "Y", "X");
    addRoom("105", "SK1", 80, "Y", "N");
    CheckInWindow* form = openForm<CheckInWindow>(WindowId::CheckIn);
    EXPECT_EQ(form->windowTitle(), "Check In");
    EXPECT_EQ(form->dateLabel->text(), "12/7/2026");
    EXPECT_EQ(form->shiftLabel->text(), "A");
    EXPECT_EQ(form->clerkLabel->text(), "JS");
    EXPECT_EQ(form->adultsBox->text(), "1");
    EXPECT_EQ(form->daysBox->text(), "1");
    EXPECT_EQ(form->stayTotalBox->text(), "0");
    EXPECT_EQ(entries(form->roomCombo),
              QStringList({"101   NQ1       ", "102   K11       ", "105   SK1       "}));
    EXPECT_EQ(form->roomCombo->currentIndex(), -1);
    EXPECT_EQ(form->roomCombo->placeholderText(), "Select Room");
    EXPECT_EQ(form->stateCombo->count(), 50);
    EXPECT_EQ(form->stateCombo->itemText(0), "Alabama");
    EXPECT_EQ(form->stateCombo->itemText(49), "Wyoming");
    EXPECT_EQ(form->expiryMonthCombo->itemText(1), "Febuary");
    EXPECT_EQ(form->expiryYearCombo->itemText(0), "2015");
    EXPECT_EQ(form->expiryYearCombo->itemText(15), "2030");
    EXPECT_EQ(entries(form->payCodeCombo),
              QStringList({"V = Visa", "M = Master Card", "D = Discover", "A = American Express",
                           "C = Cash", "K = Check", "O = Other"}));
    EXPECT_EQ(form->lastNameBox->accessibleName(), "Last");
    EXPECT_TRUE(form->calendar()->isVisible());
    EXPECT_EQ(form->calendar()->monthView->selectedDate(), QDate(2026, 12, 8));
}

TEST_F(CheckInWindowTest, ARoomFillsRateTaxAndTotalsAndThePetFeeJoinsAndLeavesTheStayTotal) {
    CheckInWindow* form = openForm<CheckInWindow>(WindowId::CheckIn);
    pick(form->roomCombo, "101");
    EXPECT_EQ(form->rateBox->text(), "50");
    EXPECT_EQ(form->taxBox->text(), "4.5");
    EXPECT_EQ(form->nightTotalBox->text(), "54.5");
    EXPECT_EQ(form->stayTotalBox->text(), "54.5");
    type(form->daysBox, "3");
    EXPECT_EQ(form->stayTotalBox->text(), "163.5");

    EXPECT_TRUE(form->petFeeBox->isReadOnly());
    form->petFeeCheck->click();
    EXPECT_EQ(form->petFeeBox->text(), "10");
    EXPECT_FALSE(form->petFeeBox->isReadOnly());
    EXPECT_EQ(form->stayTotalBox->text(), "173.5");

    type(form->daysBox, "2");
    EXPECT_EQ(form->stayTotalBox->text(), "119");
    form->petFeeCheck->click();
    EXPECT_EQ(form->stayTotalBox->text(), "109");
    EXPECT_EQ(form->petFeeBox->text(), "0");
    EXPECT_TRUE(form->petFeeBox->isReadOnly());
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(CheckInWindowTest, ARoomOfAnyNumberLengthIsPricedAndRegistered) {
    for (const RoomNumberCase& room : kRoomNumbers) {
        addRoom(room.number, "SNQ1", room.rate);
    }
    for (const RoomNumberCase& room : kRoomNumbers) {
        SCOPED_TRACE(room.number);
        CheckInWindow* form = openForm<CheckInWindow>(WindowId::CheckIn);
        ASSERT_NE(form, nullptr);
        pick(form->roomCombo, "102"); // another room's rate first
        typeWalkInGuest(form);
        form->roomCombo->setCurrentIndex(form->roomCombo->findData(QString(room.number)));
        EXPECT_EQ(
            (QStringList{form->rateBox->text(), form->taxBox->text(), form->nightTotalBox->text()}),
            (QStringList{room.rateText, room.tax, room.total}));
        form->checkInButton->click();
        EXPECT_TRUE(dialogs.shown.empty()) << messages().join("\n").toStdString();
        settle();
        const GuestRecord stay = store.guests().read(store.guests().count());
        EXPECT_EQ(stay.RoomNumber.trimmed(), room.number);
        EXPECT_EQ(stay.Rate, room.rate);
    }
}

TEST_F(CheckInWindowTest, WarnsOfOverbookingOnlyForAnArrivalToday) {
    ReservationRecord today;
    today.RoomNumber = "101";
    today.ArrivalDate = clock.today().stored();
    today.CheckInMark = "*";
    ReservationRecord tomorrow;
    tomorrow.RoomNumber = "102";
    tomorrow.ArrivalDate = clock.today().plusDays(1).stored();
    store.reservations().append(today);
    store.reservations().append(tomorrow);

    CheckInWindow* form = openForm<CheckInWindow>(WindowId::CheckIn);
    pick(form->roomCombo, "102");
    EXPECT_TRUE(dialogs.shown.empty());
    pick(form->roomCombo, "101");
    EXPECT_EQ(messages(), QStringList({"ATTENTION!: You are overbooking on this room. Please "
                                       "choose another room."}));
    EXPECT_EQ(form->rateBox->text(), "50"); // the warning does not undo the choice
}

TEST_F(CheckInWindowTest, PickingADayInTheCalendarSetsTheDaysAndHidesIt) {
    CheckInWindow* form = openForm<CheckInWindow>(WindowId::CheckIn);
    CalendarWindow* calendar = form->calendar();
    pick(form->roomCombo, "101");

    QAbstractItemView* grid = dayGrid(calendar, QDate(2026, 12, 8));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->currentIndex()).center());
    EXPECT_EQ(form->departureBox->text(), "12/8/2026");
    EXPECT_EQ(form->daysBox->text(), "1");
    EXPECT_EQ(form->stayTotalBox->text(), "54.5");
    EXPECT_FALSE(calendar->isVisible());

    form->calendarButton->click();
    EXPECT_TRUE(calendar->isVisible());
    grid = dayGrid(calendar, QDate(2026, 12, 7));
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(form->daysBox->text(), "0");
    EXPECT_EQ(form->stayTotalBox->text(), "0");
    EXPECT_FALSE(calendar->isVisible());
}

TEST_F(CheckInWindowTest, TheCalendarAlsoReportsADoubleClickOnADay) {
    CheckInWindow* form = openForm<CheckInWindow>(WindowId::CheckIn);
    QSignalSpy doubleClicks(form->calendar(), &CalendarWindow::dayDoubleClicked);
    QAbstractItemView* grid = dayGrid(form->calendar(), QDate(2026, 12, 24));
    const QPoint day = grid->visualRect(grid->currentIndex()).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, day);
    EXPECT_EQ(doubleClicks.count(), 0);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, day);
    ASSERT_EQ(doubleClicks.count(), 1);
    EXPECT_EQ(doubleClicks.at(0).at(0).toDate(), QDate(2026, 12, 24));
}

TEST_F(CheckInWindowTest, RefusesInTheOrderOfTheFormAndWritesNothing) {
    CheckInWindow* form = openForm<CheckInWindow>(WindowId::CheckIn);
    type(form->adultsBox, "");
    struct Step {
        QWidget* focus;
        const char* message;
        std::function<void()> mend;
    };
    const std::vector<Step> steps = {
        {form->lastNameBox, "You did not enter a last name.",
         [&] { type(form->lastNameBox, "Smith"); }},
        {form->firstNameBox, "You did not enter a first name.",
         [&] { type(form->firstNameBox, "Ann"); }},
        {form->addressBox, "You did not enter an address.", [&] { type(form->addressBox, " "); }},
        {form->cityBox, "You did not enter a city.", [&] { type(form->cityBox, "Louisville"); }},
        {form->stateCombo, "You did not enter a state.", [&] { pick(form->stateCombo, "Ohio"); }},
        {form->zipBox, "You did not enter a zip code.", [&] { type(form->zipBox, "40202"); }},
        {form->payCodeCombo, "You did not enter a pay code.",
         [&] { pick(form->payCodeCombo, "V"); }},
        {form->adultsBox, "You did not enter # of adults.", [&] { type(form->adultsBox, "2"); }},
        {form->roomCombo, "You did not select a room.", [] {}},
    };
    for (const Step& step : steps) {
        dialogs.shown.clear();
        form->checkInButton->click();
        EXPECT_EQ(messages(), QStringList(QString("ATTENTION!: ") + step.message));
        EXPECT_EQ(form->focusWidget(), step.focus) << step.message;
        step.mend();
    }
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(store.guests().count(), 0u);
    EXPECT_EQ(lastFolioNumber(store), 0);
    EXPECT_EQ(store.rooms().read(1).CleanFlag.str(), "Y");
}

TEST_F(CheckInWindowTest, RefusesDaysThatAreNoWholeNumberOfNightsOrDisagreeWithTheDeparture) {
    const QDate today = toQDate(clock.today());
    struct Case {
        const char* days;      // typed after any pick
        int pickedDaysFromNow; // 0: no pick in the calendar
    };
    const Case cases[] = {{"-1", 0}, {"abc", 0}, {"2.5", 0}, {"", 0}, {nullptr, -1}, {"2", 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.days ? c.days : "picked");
        CheckInWindow* form = openForm<CheckInWindow>(WindowId::CheckIn);
        typeWalkInGuest(form);
        pick(form->roomCombo, "101");
        if (c.pickedDaysFromNow != 0) {
            QAbstractItemView* grid = dayGrid(form->calendar(), today.addDays(c.pickedDaysFromNow));
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                              grid->visualRect(grid->currentIndex()).center());
        }
        if (c.days != nullptr) {
            type(form->daysBox, c.days);
        }
        dialogs.shown.clear();
        form->checkInButton->click();
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_TRUE(dialogs.shown[0].text.contains("Days")) << dialogs.shown[0].text.toStdString();
        EXPECT_EQ(form->focusWidget(), form->daysBox);
        EXPECT_TRUE(form->isVisible());
        form->close();
        settle();
    }
    EXPECT_EQ(store.guests().count(), 0u);
    EXPECT_EQ(lastFolioNumber(store), 0);
}

TEST_F(CheckInWindowTest, OpensWithTheKeyboardInItsFirstBoxNotInTheCalendar) {
    MainWindow* main = openForm<MainWindow>(WindowId::Main);
    activate(main);
    click(main->checkInButton);
    settle();
    auto* form = findForm<CheckInWindow>(WindowId::CheckIn);
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->calendar()->isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(form));
    EXPECT_EQ(QApplication::activeWindow(), form);
    EXPECT_EQ(form->focusWidget(), form->lastNameBox);
    QTest::keyClicks(QApplication::focusWidget(), "Smith");
    EXPECT_EQ(form->lastNameBox->text(), "Smith");
}

TEST_F(CheckInWindowTest, ClearFieldsEmptiesTheFormAndTakesThePetFeeBackOut) {
    CheckInWindow* form = openForm<CheckInWindow>(WindowId::CheckIn);
    typeWalkInGuest(form);
    pick(form->roomCombo, "101");
    form->masterCardOption->click();
    form->petFeeCheck->click();
    form->printFolioCheck->click();
    form->calendar()->hide();
    type(form->departureBox, "kept");

    form->clearButton->click();
    for (QLineEdit* box : {form->lastNameBox, form->cityBox, form->emailBox, form->rateBox,
                           form->taxBox, form->nightTotalBox}) {
        EXPECT_EQ(box->text(), "") << box->objectName().toStdString();
    }
    EXPECT_EQ(form->stayTotalBox->text(), "0");
    EXPECT_EQ(form->petFeeBox->text(), "0");
    EXPECT_TRUE(form->petFeeBox->isReadOnly());
    EXPECT_EQ(form->adultsBox->text(), "1");
    EXPECT_EQ(form->daysBox->text(), "1");
    for (QComboBox* list : {form->stateCombo, form->roomCombo, form->payCodeCombo}) {
        EXPECT_EQ(list->currentIndex(), -1);
    }
    EXPECT_FALSE(form->masterCardOption->isChecked());
    EXPECT_FALSE(form->petFeeCheck->isChecked());
    EXPECT_FALSE(form->printFolioCheck->isChecked());
    EXPECT_EQ(form->shiftLabel->text(), "A");
    EXPECT_EQ(form->focusWidget(), form->lastNameBox);
}

TEST_F(CheckInWindowTest, CheckInFromTheMainWindowHandsBackToAFreshMainWindowWithoutQuitting) {
    const QuitWatch watch;
    MainWindow* main = openForm<MainWindow>(WindowId::Main);
    main->checkInButton->click();
    CheckInWindow* form = findForm<CheckInWindow>(WindowId::CheckIn);
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(main->isVisible());

    form->exitButton->click(); // Exit, before the old main window is even gone
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->calendar()->isVisible());
    MainWindow* again = findForm<MainWindow>(WindowId::Main);
    ASSERT_NE(again, nullptr);
    EXPECT_NE(again, main);
    EXPECT_TRUE(again->isVisible());
    EXPECT_EQ(again->dateLabel->text(), "12/7/2026");
    EXPECT_EQ(watch.quits, 0);
}

TEST_F(CheckInWindowTest, RegistersAGuestPrintsTheFolioAndReturnsToTheMainWindow) {
    const QuitWatch watch;
    openForm<MainWindow>(WindowId::Main)->checkInButton->click();
    CheckInWindow* form = findForm<CheckInWindow>(WindowId::CheckIn);
    ASSERT_NE(form, nullptr);
    typeWalkInGuest(form);
    pick(form->roomCombo, "101");
    type(form->daysBox, "3");
    form->petFeeCheck->click();
    form->printFolioCheck->click();
    EXPECT_EQ(form->stayTotalBox->text(), "173.5");
    form->checkInButton->click();

    EXPECT_TRUE(dialogs.shown.empty()) << messages().join("\n").toStdString();
    EXPECT_FALSE(form->isVisible());
    MainWindow* main = findForm<MainWindow>(WindowId::Main);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(watch.quits, 0);

    ASSERT_EQ(printer.documents.size(), 1u);
    const std::string expected =
        expectedSmithFolio("9:30:00 AM", "1",
                           "101      12/7/2026      A         E    Room Rent                 50    "
                           "    4.5       54.5\n"
                           "101      12/7/2026      A         P    Pet Fee                   10    "
                           "    0         64.5\n"
                           "101      12/7/2026      A         C    Cash                      173.5 "
                           "    0        -109\n",
                           "-109");
    EXPECT_EQ(plainText(printer.documents[0]), expected);

    const TotalsRecord totals = store.totals(clock.today()).read(1);
    EXPECT_EQ(totals[TotalsSlot::RoomRent], 50.0f);
    EXPECT_EQ(totals[TotalsSlot::PetFee], 10.0f);
    EXPECT_EQ(totals[TotalsSlot::Cash], 173.5f);
    const RoomRecord room = store.rooms().read(1);
    EXPECT_EQ(room.CleanFlag.str(), "N");
    EXPECT_EQ(room.VacantFlag.str(), "N");

    main->checkInButton->click();
    CheckInWindow* next = findForm<CheckInWindow>(WindowId::CheckIn);
    ASSERT_NE(next, nullptr);
    EXPECT_NE(next, form);
    EXPECT_EQ(entries(next->roomCombo), QStringList({"102   K11       "}));
}

TEST_F(CheckInWindowTest, AShiftAndClerkNeverWrittenShowAsBlanksAndAreStoredAsTheyWere) {
    setShiftAndClerk(store, ShiftClerkRecord{});
    auto* form = openForm<CheckInWindow>(WindowId::CheckIn);
    EXPECT_EQ(form->shiftLabel->text(), " ");
    EXPECT_EQ(form->clerkLabel->text(), "  ");
    typeWalkInGuest(form);
    pick(form->roomCombo, "101");
    type(form->daysBox, "1");
    form->checkInButton->click();

    ASSERT_EQ(store.guests().count(), 1u) << messages().join("\n").toStdString();
    const GuestRecord guest = store.guests().read(1);
    EXPECT_EQ(guest.Shift.str(), std::string(1, '\0'));
    EXPECT_EQ(guest.Clerk.str(), std::string(2, '\0'));
}

} // namespace
} // namespace roomwright::testing
