#include "frontdesk/calendar_window.h"
#include "frontdesk/check_in_window.h"
#include "frontdesk/main_window.h"
#include "gui/gui_fixture.h"
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

class CheckInWindow : public DeskTest {
  protected:
    CheckInWindow() {
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
    static QAbstractItemView* dayGrid(Form21* calendar, const QDate& date) {
        calendar->Calendar1->setSelectedDate(date);
        return calendar->Calendar1->findChild<QAbstractItemView*>();
    }

    void fillRegistration(Form6* form) {
        type(form->Text1, "Smith");
        type(form->Text2, "Ann");
        type(form->Text3, "12 Elm Street");
        type(form->Text4, "Louisville");
        pick(form->Combo1, "Kentucky");
        type(form->Text5, "40202");
        type(form->Text6, "502-555-0101");
        type(form->Text7, "502-555-0199");
        type(form->Text9, "ann@example.com");
        pick(form->Combo5, "C = Cash");
    }

    QStringList messages() const {
        QStringList texts;
        for (const auto& box : dialogs.shown) {
            texts << box.title + ": " + box.text;
        }
        return texts;
    }
};

TEST_F(CheckInWindow, LoadsWithItsListsTheOfferedRoomsAndTheShiftOnDuty) {
    addRoom("103", "DD1", 70, "N");
    addRoom("104", "DD1", 70, "Y", "Y", "X");
    addRoom("105", "SK1", 80, "Y", "N");
    Form6* form = openForm<Form6>(WindowId::CheckIn);
    EXPECT_EQ(form->windowTitle(), "Check In");
    EXPECT_EQ(form->Label1->text(), "12/7/2026");
    EXPECT_EQ(form->Label17->text(), "A");
    EXPECT_EQ(form->Label19->text(), "JS");
    EXPECT_EQ(form->Text13->text(), "1");
    EXPECT_EQ(form->Text20->text(), "1");
    EXPECT_EQ(form->Text18->text(), "0");
    EXPECT_EQ(entries(form->Combo4),
              QStringList({"101   NQ1       ", "102   K11       ", "105   SK1       "}));
    EXPECT_EQ(form->Combo4->currentIndex(), -1);
    EXPECT_EQ(form->Combo4->placeholderText(), "Select Room");
    EXPECT_EQ(form->Combo1->count(), 50);
    EXPECT_EQ(form->Combo1->itemText(0), "Alabama");
    EXPECT_EQ(form->Combo1->itemText(49), "Wyoming");
    EXPECT_EQ(form->Combo2->itemText(1), "Febuary");
    EXPECT_EQ(form->Combo3->itemText(0), "2015");
    EXPECT_EQ(form->Combo3->itemText(15), "2030");
    EXPECT_EQ(entries(form->Combo5),
              QStringList({"V = Visa", "M = Master Card", "D = Discover", "A = American Express",
                           "C = Cash", "K = Check", "O = Other"}));
    EXPECT_EQ(form->Text1->accessibleName(), "Last");
    EXPECT_TRUE(form->calendar()->isVisible());
    EXPECT_EQ(form->calendar()->Calendar1->selectedDate(), QDate(2026, 12, 8));
}

TEST_F(CheckInWindow, ARoomFillsRateTaxAndTotalsAndThePetFeeJoinsAndLeavesTheStayTotal) {
    Form6* form = openForm<Form6>(WindowId::CheckIn);
    pick(form->Combo4, "101");
    EXPECT_EQ(form->Text15->text(), "50");
    EXPECT_EQ(form->Text16->text(), "4.5");
    EXPECT_EQ(form->Text17->text(), "54.5");
    EXPECT_EQ(form->Text18->text(), "54.5");
    type(form->Text20, "3");
    EXPECT_EQ(form->Text18->text(), "163.5");

    EXPECT_TRUE(form->Text19->isReadOnly());
    form->Check1->click();
    EXPECT_EQ(form->Text19->text(), "10");
    EXPECT_FALSE(form->Text19->isReadOnly());
    EXPECT_EQ(form->Text18->text(), "173.5");

    type(form->Text20, "2");
    EXPECT_EQ(form->Text18->text(), "119");
    form->Check1->click();
    EXPECT_EQ(form->Text18->text(), "109");
    EXPECT_EQ(form->Text19->text(), "0");
    EXPECT_TRUE(form->Text19->isReadOnly());
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(CheckInWindow, WarnsOfOverbookingOnlyForAnArrivalToday) {
    ReservationRecord today;
    today.RoomNumber = "101";
    today.ArrivalDate = clock.today().stored();
    today.CheckInMark = "*";
    ReservationRecord tomorrow;
    tomorrow.RoomNumber = "102";
    tomorrow.ArrivalDate = clock.today().plusDays(1).stored();
    store.reservations().append(today);
    store.reservations().append(tomorrow);

    Form6* form = openForm<Form6>(WindowId::CheckIn);
    pick(form->Combo4, "102");
    EXPECT_TRUE(dialogs.shown.empty());
    pick(form->Combo4, "101");
    EXPECT_EQ(messages(), QStringList({"ATTENTION!: You are overbooking on this room. Please "
                                       "choose another room."}));
    EXPECT_EQ(form->Text15->text(), "50"); // the warning does not undo the choice
}

TEST_F(CheckInWindow, PickingADayInTheCalendarSetsTheDaysAndHidesIt) {
    Form6* form = openForm<Form6>(WindowId::CheckIn);
    Form21* calendar = form->calendar();
    pick(form->Combo4, "101");

    QAbstractItemView* grid = dayGrid(calendar, QDate(2026, 12, 8));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->currentIndex()).center());
    EXPECT_EQ(form->Text21->text(), "12/8/2026");
    EXPECT_EQ(form->Text20->text(), "1");
    EXPECT_EQ(form->Text18->text(), "54.5");
    EXPECT_FALSE(calendar->isVisible());

    form->Command4->click();
    EXPECT_TRUE(calendar->isVisible());
    grid = dayGrid(calendar, QDate(2026, 12, 7));
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(form->Text20->text(), "0");
    EXPECT_EQ(form->Text18->text(), "0");
    EXPECT_FALSE(calendar->isVisible());
}

TEST_F(CheckInWindow, TheCalendarAlsoReportsADoubleClickOnADay) {
    Form6* form = openForm<Form6>(WindowId::CheckIn);
    QSignalSpy doubleClicks(form->calendar(), &Form21::dayDoubleClicked);
    QAbstractItemView* grid = dayGrid(form->calendar(), QDate(2026, 12, 24));
    const QPoint day = grid->visualRect(grid->currentIndex()).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, day);
    EXPECT_EQ(doubleClicks.count(), 0);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, day);
    ASSERT_EQ(doubleClicks.count(), 1);
    EXPECT_EQ(doubleClicks.at(0).at(0).toDate(), QDate(2026, 12, 24));
}

TEST_F(CheckInWindow, RefusesInTheOrderOfTheFormAndWritesNothing) {
    Form6* form = openForm<Form6>(WindowId::CheckIn);
    type(form->Text13, "");
    struct Step {
        QWidget* focus;
        const char* message;
        std::function<void()> mend;
    };
    const std::vector<Step> steps = {
        {form->Text1, "You did not enter a last name.", [&] { type(form->Text1, "Smith"); }},
        {form->Text2, "You did not enter a first name.", [&] { type(form->Text2, "Ann"); }},
        {form->Text3, "You did not enter an address.", [&] { type(form->Text3, " "); }},
        {form->Text4, "You did not enter a city.", [&] { type(form->Text4, "Louisville"); }},
        {form->Combo1, "You did not enter a state.", [&] { pick(form->Combo1, "Ohio"); }},
        {form->Text5, "You did not enter a zip code.", [&] { type(form->Text5, "40202"); }},
        {form->Combo5, "You did not enter a pay code.", [&] { pick(form->Combo5, "V"); }},
        {form->Text13, "You did not enter # of adults.", [&] { type(form->Text13, "2"); }},
        {form->Combo4, "You did not select a room.", [] {}},
    };
    for (const Step& step : steps) {
        dialogs.shown.clear();
        form->Command1->click();
        EXPECT_EQ(messages(), QStringList(QString("ATTENTION!: ") + step.message));
        EXPECT_EQ(form->focusWidget(), step.focus) << step.message;
        step.mend();
    }
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(store.guests().count(), 0u);
    EXPECT_EQ(lastFolioNumber(store), 0);
    EXPECT_EQ(store.rooms().read(1).CleanFlag.str(), "Y");
}

TEST_F(CheckInWindow, ClearFieldsEmptiesTheFormAndTakesThePetFeeBackOut) {
    Form6* form = openForm<Form6>(WindowId::CheckIn);
    fillRegistration(form);
    pick(form->Combo4, "101");
    form->Option2->click();
    form->Check1->click();
    form->Check2->click();
    form->calendar()->hide();
    type(form->Text21, "kept");

    form->Command3->click();
    for (QLineEdit* box :
         {form->Text1, form->Text4, form->Text9, form->Text15, form->Text16, form->Text17}) {
        EXPECT_EQ(box->text(), "") << box->objectName().toStdString();
    }
    EXPECT_EQ(form->Text18->text(), "0");
    EXPECT_EQ(form->Text19->text(), "0");
    EXPECT_TRUE(form->Text19->isReadOnly());
    EXPECT_EQ(form->Text13->text(), "1");
    EXPECT_EQ(form->Text20->text(), "1");
    for (QComboBox* list : {form->Combo1, form->Combo4, form->Combo5}) {
        EXPECT_EQ(list->currentIndex(), -1);
    }
    EXPECT_FALSE(form->Option2->isChecked());
    EXPECT_FALSE(form->Check1->isChecked());
    EXPECT_FALSE(form->Check2->isChecked());
    EXPECT_EQ(form->Label17->text(), "A");
    EXPECT_EQ(form->focusWidget(), form->Text1);
}

TEST_F(CheckInWindow, CheckInFromTheMainWindowHandsBackToAFreshMainWindowWithoutQuitting) {
    const QuitWatch watch;
    Form1* main = openForm<Form1>(WindowId::Main);
    main->Command1->click();
    Form6* form = findForm<Form6>(WindowId::CheckIn);
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(main->isVisible());

    form->Command2->click(); // Exit, before the old main window is even gone
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->calendar()->isVisible());
    Form1* again = findForm<Form1>(WindowId::Main);
    ASSERT_NE(again, nullptr);
    EXPECT_NE(again, main);
    EXPECT_TRUE(again->isVisible());
    EXPECT_EQ(again->Label1->text(), "12/7/2026");
    EXPECT_EQ(watch.quits, 0);
}

TEST_F(CheckInWindow, RegistersAGuestPrintsTheFolioAndReturnsToTheMainWindow) {
    const QuitWatch watch;
    openForm<Form1>(WindowId::Main)->Command1->click();
    Form6* form = findForm<Form6>(WindowId::CheckIn);
    ASSERT_NE(form, nullptr);
    fillRegistration(form);
    pick(form->Combo4, "101");
    type(form->Text20, "3");
    form->Check1->click();
    form->Check2->click();
    EXPECT_EQ(form->Text18->text(), "173.5");
    form->Command1->click();

    EXPECT_TRUE(dialogs.shown.empty()) << messages().join("\n").toStdString();
    EXPECT_FALSE(form->isVisible());
    Form1* main = findForm<Form1>(WindowId::Main);
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

    main->Command1->click();
    Form6* next = findForm<Form6>(WindowId::CheckIn);
    ASSERT_NE(next, nullptr);
    EXPECT_NE(next, form);
    EXPECT_EQ(entries(next->Combo4), QStringList({"102   K11       "}));
}

} // namespace
} // namespace roomwright::testing
