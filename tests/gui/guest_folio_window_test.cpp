#include "frontdesk/guest_folio_window.h"
#include "gui/clerk.h"
#include "gui/gui_fixture.h"
#include "messages/message_windows.h"
#include "store/charges.h"
#include "store/format/numbers.h"
#include "store/settings.h"
#include "support/records.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

namespace roomwright::testing {
namespace {

class FolioWindowTest : public DeskTest {
  protected:
    FolioWindowTest() {
        setTaxRate(store, 0.12f);
        setShiftAndClerk(store, ShiftClerkRecord{"JS", "A", {}});
    }
    void addRoom(const char* number, const char* clean = "Y", const char* order = "K") {
        store.rooms().append(makeRoom(number, "NQ1", 65, clean, "N", order, ""));
    }
    // A stay checked in today with its first night posted.
    void addGuest(const char* room, const char* last, long folio, bool departed = false,
                  bool firstNight = true) {
        GuestRecord guest;
        guest.RoomNumber = room;
        guest.LastName = last;
        guest.FirstName = "Ann";
        guest.FolioNumber = static_cast<float>(folio);
        guest.ArrivalDate = today.stored();
        guest.ArrivalTime = "9:15:00 AM";
        guest.DepartureDate = today.plusDays(1).stored();
        guest.Rate = 65;
        guest.PayCode = "K";
        guest.CardType = "M";
        if (departed) {
            guest.CheckOutMark = "*";
        }
        store.guests().append(guest);
        if (firstNight) {
            postItem(store, folio, std::string(room) + "  ", Category::RoomRent, 65, today);
        }
    }
    GuestFolioWindow* openFolio() {
        auto* form = openForm<GuestFolioWindow>(WindowId::GuestFolio);
        return form;
    }
    static void pick(QComboBox* combo, const QString& entry) {
        const int index = combo->findText(entry);
        ASSERT_GE(index, 0) << entry.toStdString();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    static QStringList items(const QComboBox* combo) {
        QStringList list;
        for (int i = 0; i < combo->count(); ++i) {
            list.append(combo->itemText(i));
        }
        return list;
    }
    static QStringList lines(const QListWidget* list) {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i) {
            texts.append(list->item(i)->text());
        }
        return texts;
    }
    void post(GuestFolioWindow* form, const QString& code, const QString& amount) {
        pick(form->codeCombo, code);
        form->amountBox->clear();
        QTest::keyClicks(form->amountBox, amount);
        QTest::mouseClick(form->doNowButton, Qt::LeftButton);
    }
    std::vector<QString> messages() const {
        std::vector<QString> texts;
        for (const auto& shown : dialogs.shown) {
            texts.push_back(shown.text);
        }
        return texts;
    }
    std::string fileBytes(const Path& file) { return readFile(file); }

    const CivilDate today{2026, 12, 7};
};

TEST_F(FolioWindowTest, OpensWithTheListsFilledAndNoGuestChosen) {
    addRoom("101");
    addRoom("102", "N");
    addRoom("103", "Y", "X");
    addRoom("104");
    addGuest("102", "Zeta", 2);
    addGuest("101", "Gone", 1, true);
    addGuest("101", "Smith", 3);
    auto* form = openFolio();
    EXPECT_EQ(form->windowTitle(), "View Folio");
    EXPECT_EQ(items(form->guestCombo), (QStringList{"102  Zeta, Ann", "101  Smith, Ann"}));
    EXPECT_EQ(form->guestCombo->currentText(), "Select Room");
    EXPECT_EQ(items(form->codeCombo).size(), 11);
    EXPECT_EQ(form->codeCombo->currentText(), "Select Code");
    EXPECT_EQ(items(form->payCodeCombo).at(5), "K = Check");
    EXPECT_EQ(items(form->moveRoomCombo), (QStringList{"101  NQ1       ", "104  NQ1       "}));
    for (QWidget* off : std::initializer_list<QWidget*>{
             form->checkOutButton, form->printFolioButton, form->doNowButton, form->codeCombo,
             form->saveAndExitButton, form->laterDepartureButton, form->earlierDepartureButton,
             form->postMessageButton, form->retrieveMessageButton}) {
        EXPECT_FALSE(off->isEnabled()) << off->objectName().toStdString();
    }
    EXPECT_TRUE(form->exitButton->isEnabled());
    EXPECT_TRUE(form->guestCombo->isEnabled());
    EXPECT_TRUE(form->printFolioTimer->isActive());
    EXPECT_EQ(form->printFolioTimer->interval(), 7000);
    EXPECT_FALSE(form->messageBlinkTimer->isActive());
    form->printFolioTimerFired();
    EXPECT_TRUE(form->printFolioButton->isEnabled());

    // Printing before a guest is chosen prints nothing and says why.
    QTest::mouseClick(form->printFolioButton, Qt::LeftButton);
    EXPECT_TRUE(printer.documents.empty());
    EXPECT_EQ(messages(), std::vector<QString>{"Please pick a guest from the list."});
    EXPECT_FALSE(form->printFolioButton->isEnabled());
}

TEST_F(FolioWindowTest, ChoosingRoom101ShowsItsInHouseGuestNeverTheDepartedOne) {
    addGuest("101", "Gone", 1, true);
    addGuest("102", "Zeta", 2);
    addGuest("101", "Smith", 3);
    auto* form = openFolio();
    pick(form->guestCombo, "101  Smith, Ann");
    EXPECT_EQ(form->lastNameBox->text(), "Smith");
    EXPECT_EQ(form->folioNumberLabel->text(), "3");
    EXPECT_EQ(form->roomLabel->text(), "101");
    EXPECT_EQ(form->arrivalDateLabel->text(), "12/7/2026");
    EXPECT_EQ(form->arrivalTimeLabel->text(), "9:15:00 AM");
    EXPECT_EQ(form->departureBox->text(), "12/8/2026");
    EXPECT_EQ(form->rateBox->text(), "65");
    EXPECT_EQ(form->payCodeCombo->currentText(), "K - Check");
    EXPECT_TRUE(form->masterCardOption->isChecked());
    EXPECT_EQ(
        lines(form->folioList),
        QStringList{"101     12/7/2026            A        E           Room Rent                "
                    "65     7.8       72.8"});
    EXPECT_EQ(form->balanceLabel->text(), "72.8");
    for (QWidget* on : std::initializer_list<QWidget*>{
             form->checkOutButton, form->printFolioButton, form->doNowButton, form->codeCombo,
             form->saveAndExitButton, form->laterDepartureButton, form->earlierDepartureButton,
             form->postMessageButton}) {
        EXPECT_TRUE(on->isEnabled()) << on->objectName().toStdString();
    }
    EXPECT_FALSE(form->retrieveMessageButton->isEnabled()); // no message
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(FolioWindowTest, AGuestInARoomOfAnyNumberLengthIsServedMovedAndCheckedOut) {
    addRoom("107");
    long folio = 0;
    for (const RoomNumberCase& room : kRoomNumbers) {
        addRoom(room.number);
        addGuest(room.number, "Stone", ++folio);
    }
    auto* form = openFolio();
    folio = 0;
    for (const RoomNumberCase& room : kRoomNumbers) {
        SCOPED_TRACE(room.number);
        ++folio;
        pick(form->guestCombo, QString(room.number) + "  Stone, Ann");
        EXPECT_EQ(form->lastNameBox->text(), "Stone");
        EXPECT_EQ(form->roomLabel->text(), room.number);
        EXPECT_EQ(form->folioNumberLabel->text(), QString::number(folio));
        post(form, "C - Cash", "10");
        EXPECT_EQ(readCharges(store, folio).lines.size(), 2u);

        pick(form->moveRoomCombo, "107  NQ1       ");
        EXPECT_EQ(form->roomLabel->text(), "107");
        pick(form->moveRoomCombo,
             form->moveRoomCombo->itemText(form->moveRoomCombo->findData(QString(room.number))));
        EXPECT_EQ(form->roomLabel->text(), room.number);

        dialogs.answers = {true, true}; // the open balance, and sure
        QTest::mouseClick(form->checkOutButton, Qt::LeftButton);
        EXPECT_FALSE(store.guests().read(static_cast<std::size_t>(folio)).inHouse());
        EXPECT_EQ(store.rooms().read(static_cast<std::size_t>(folio) + 1).VacantFlag.str(), "Y");
    }
    // The check-out's two questions only.
    EXPECT_EQ(messages().size(), 2 * std::size(kRoomNumbers));
}

TEST_F(FolioWindowTest, OfTwoStaysThatReadAlikeTheOnePickedIsShown) {
    addGuest("101", "Smith", 3);
    addGuest("101", "Smith", 4); // a second check-in into the room, under the same name
    auto* form = openFolio();
    form->guestCombo->setCurrentIndex(1);
    emit form->guestCombo->activated(1);
    EXPECT_EQ(form->folioNumberLabel->text(), "4");
    post(form, "C - Cash", "10");
    EXPECT_EQ(readCharges(store, 4).lines.size(), 2u);
    EXPECT_EQ(readCharges(store, 3).lines.size(), 1u);
}

TEST_F(FolioWindowTest, PickingACodeFillsTheRateOrThePetFeeOrKeepsTheAmount) {
    setPetFee(store, 15.5f);
    addGuest("101", "Smith", 3);
    auto* form = openFolio();
    pick(form->guestCombo, "101  Smith, Ann");
    form->rateBox->setText("59.95");
    pick(form->codeCombo, "E - Room Rent");
    EXPECT_EQ(form->amountBox->text(), "59.95");
    pick(form->codeCombo, "P - Pet Fee");
    EXPECT_EQ(form->amountBox->text(), "15.5");
    form->amountBox->setText("12");
    pick(form->codeCombo, "C - Cash");
    EXPECT_EQ(form->amountBox->text(), "12");
}

TEST_F(FolioWindowTest, PostingCashShowsTheNewBalanceWithTheAmountsInLine) {
    addGuest("101", "Smith", 3);
    auto* form = openFolio();
    pick(form->guestCombo, "101  Smith, Ann");
    post(form, "C - Cash", "100");
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(form->balanceLabel->text(), "-27.2");
    const QStringList shown = lines(form->folioList);
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown[0].endsWith("Room Rent                65     7.8       72.8"))
        << shown[0].toStdString();
    EXPECT_TRUE(shown[1].endsWith("Cash                    100     0        -27.2"))
        << shown[1].toStdString();
    EXPECT_EQ(form->amountBox->text(), "");
    EXPECT_EQ(form->codeCombo->currentText(), "Select Code");
    EXPECT_FLOAT_EQ(store.totals(today).read(1)[TotalsSlot::Cash], 100.0f);
    EXPECT_FLOAT_EQ(store.totals(today).read(1)[TotalsSlot::RoomRent], 65.0f);
    EXPECT_EQ(readCharges(store, 3).lines.at(1).RoomNumber, "101  ");
}

TEST_F(FolioWindowTest, UnclearPostingsAreRefusedAndNothingIsPosted) {
    addGuest("101", "Smith", 3);
    auto* form = openFolio();
    pick(form->guestCombo, "101  Smith, Ann");
    const std::string charges = fileBytes(directory.chargeFile(3));
    const std::string totals = fileBytes(directory.totalsFile(today));

    QTest::mouseClick(form->doNowButton, Qt::LeftButton); // "Select Code", no amount
    post(form, "C - Cash", "ten");
    form->codeCombo->setEditText("Select Code");
    form->amountBox->setText("5");
    QTest::mouseClick(form->doNowButton, Qt::LeftButton);
    post(form, "C - Cash", "1e39");
    post(form, "C - Cash", "99999999999999999999999999999999999999999");
    const QString outOfRange = kAmountOutOfRange;
    EXPECT_EQ(messages(),
              (std::vector<QString>{"You did not enter an amount.", "The amount is not a number.",
                                    "Please select a code.", outOfRange, outOfRange}));
    for (const auto& shown : dialogs.shown) {
        EXPECT_EQ(shown.title, "ATTENTION!");
    }
    EXPECT_EQ(fileBytes(directory.chargeFile(3)), charges);
    EXPECT_EQ(fileBytes(directory.totalsFile(today)), totals);
    EXPECT_EQ(form->balanceLabel->text(), "72.8");
}

TEST_F(FolioWindowTest, ADamagedTaxRateIsToldNamingItsFileNeverShownAsABalance) {
    addGuest("101", "Smith", 3);
    writeFile(directory.tax(), std::string(10, '\xFF')); // NaN
    auto* form = openFolio();
    pick(form->guestCombo, "101  Smith, Ann");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "ATTENTION!");
    EXPECT_TRUE(dialogs.shown[0].text.contains(QString::fromStdString(
        directory.tax().generic_string() + " is damaged: the tax rate is not a finite number")))
        << dialogs.shown[0].text.toStdString();
    EXPECT_EQ(form->balanceLabel->text(), "");
    EXPECT_EQ(fileBytes(directory.tax()), std::string(10, '\xFF'));
}

TEST_F(FolioWindowTest, TheDepartureButtonsKeepToTheArrivalAndTheReservations) {
    addGuest("101", "Smith", 3);
    auto* form = openFolio();
    pick(form->guestCombo, "101  Smith, Ann");
    QTest::mouseClick(form->earlierDepartureButton, Qt::LeftButton);
    EXPECT_EQ(form->departureBox->text(), "12/8/2026"); // the day after arrival stays
    QTest::mouseClick(form->laterDepartureButton, Qt::LeftButton);
    EXPECT_EQ(form->departureBox->text(), "12/9/2026");

    ReservationRecord booked;
    booked.RoomNumber = "101";
    booked.ArrivalDate = CivilDate{2026, 12, 9}.stored();
    booked.CheckInMark = "*";
    store.reservations().append(booked);
    QTest::mouseClick(form->laterDepartureButton, Qt::LeftButton);
    EXPECT_EQ(form->departureBox->text(), "12/9/2026");
    EXPECT_EQ(messages(), std::vector<QString>{"Can't Increase departure date. Overbooking."});
    QTest::mouseClick(form->earlierDepartureButton, Qt::LeftButton);
    EXPECT_EQ(form->departureBox->text(), "12/8/2026");
    // Only "Save and Exit" writes the date.
    EXPECT_EQ(store.guests().read(1).DepartureDate, today.plusDays(1).stored());
}

TEST_F(FolioWindowTest, SaveAndExitKeepsPayCodeKAndMovesOnlyTheRoom) {
    addRoom("101");
    addRoom("104");
    addGuest("101", "Smith", 3);
    auto* form = openFolio();
    pick(form->guestCombo, "101  Smith, Ann");
    pick(form->moveRoomCombo, "104  NQ1       ");
    EXPECT_EQ(form->roomLabel->text(), "104");
    form->phoneBox->setText("555-0100");
    QTest::mouseClick(form->saveAndExitButton, Qt::LeftButton);
    EXPECT_TRUE(dialogs.shown.empty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(desk.find(WindowId::GuestFolio), nullptr);

    const GuestRecord saved = store.guests().read(1);
    EXPECT_EQ(saved.PayCode.str(), "K");
    EXPECT_EQ(saved.RoomNumber.str(), "104  ");
    EXPECT_EQ(saved.Phone.trimmed(), "555-0100");
    EXPECT_EQ(saved.CardType.trimmed(), "M");
    EXPECT_EQ(store.rooms().read(1).RoomNumber.trimmed(), "101"); // rooms are not touched
    EXPECT_EQ(store.rooms().read(1).VacantFlag.str(), "N");
    EXPECT_EQ(readCharges(store, 3).lines.at(0).RoomNumber, "101  "); // the lines keep theirs

    // The guest is found under the new room; the next posting carries it.
    form = openFolio();
    pick(form->guestCombo, "104  Smith, Ann");
    post(form, "K - Copies", "2");
    const auto charges = readCharges(store, 3).lines;
    ASSERT_EQ(charges.size(), 2u);
    EXPECT_EQ(charges[1].RoomNumber, "104  ");
    EXPECT_EQ(charges[1].Description, "Copies");
    EXPECT_EQ(form->balanceLabel->text(), "74.8");
}

TEST_F(FolioWindowTest, ARateOrDateThatIsNotOneIsRefusedAndTheWindowStays) {
    addGuest("101", "Smith", 3);
    auto* form = openFolio();
    pick(form->guestCombo, "101  Smith, Ann");
    const std::string before = fileBytes(directory.guest());
    form->rateBox->setText("sixty");
    form->lastNameBox->setText("Changed");
    QTest::mouseClick(form->saveAndExitButton, Qt::LeftButton);
    form->rateBox->setText("60");
    form->departureBox->setText("12/32/2026");
    QTest::mouseClick(form->saveAndExitButton, Qt::LeftButton);
    QTest::mouseClick(form->laterDepartureButton, Qt::LeftButton);
    EXPECT_EQ(form->departureBox->text(), "12/32/2026");
    EXPECT_EQ(messages(), (std::vector<QString>{"The rate is not a number.",
                                                "The departure date is not a date.",
                                                "The departure date is not a date."}));
    EXPECT_EQ(fileBytes(directory.guest()), before);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(FolioWindowTest, ATypedSelectorTextActsOnNobody) {
    addGuest("101", "Smith", 3);
    addGuest("102", "Zeta", 4);
    auto* form = openFolio();
    pick(form->guestCombo, "101  Smith, Ann");
    form->guestCombo->setEditText("102"); // typed over the chosen guest
    const std::string guests = fileBytes(directory.guest());
    const std::string rooms = fileBytes(directory.room());
    const std::string charges = fileBytes(directory.chargeFile(4));
    dialogs.answers.push_back(true);
    form->amountBox->setText("5");
    form->codeCombo->setEditText("C - Cash");
    QTest::mouseClick(form->doNowButton, Qt::LeftButton);
    QTest::mouseClick(form->printFolioButton, Qt::LeftButton);
    QTest::mouseClick(form->checkOutButton, Qt::LeftButton);
    QTest::mouseClick(form->saveAndExitButton, Qt::LeftButton);
    EXPECT_EQ(messages(), std::vector<QString>(4, "Please pick a guest from the list."));
    EXPECT_TRUE(printer.documents.empty());
    EXPECT_EQ(fileBytes(directory.guest()), guests);
    EXPECT_EQ(fileBytes(directory.room()), rooms);
    EXPECT_EQ(fileBytes(directory.chargeFile(4)), charges);
    EXPECT_EQ(readCharges(store, 3).lines.size(), 1u);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(FolioWindowTest, PrintFolioPrintsTheInHouseFolioThenWaitsForTheTimer) {
    addGuest("101", "Smith", 3);
    auto* form = openFolio();
    pick(form->guestCombo, "101  Smith, Ann");
    QTest::mouseClick(form->printFolioButton, Qt::LeftButton);
    ASSERT_EQ(printer.documents.size(), 1u);
    const std::string page = plainText(printer.documents[0]);
    EXPECT_NE(page.find("Folio:   3"), std::string::npos) << page;
    EXPECT_NE(page.find("Balance..... 72.8"), std::string::npos) << page;
    EXPECT_FALSE(form->printFolioButton->isEnabled());
    form->printFolioTimerFired();
    EXPECT_TRUE(form->printFolioButton->isEnabled());
}

TEST_F(FolioWindowTest, AStayWithoutChargeLinesShowsAnEmptyFolio) {
    addGuest("101", "Smith", 3, false, false);
    auto* form = openFolio();
    pick(form->guestCombo, "101  Smith, Ann");
    EXPECT_EQ(form->folioList->count(), 0);
    EXPECT_EQ(form->balanceLabel->text(), "0");
    EXPECT_TRUE(dialogs.shown.empty());
}

// A balance that is not 0 is asked about first, No being the answer Enter gives; either No
// keeps the guest in house and writes nothing.
TEST_F(FolioWindowTest, CheckOutAsksAboutAnOpenBalanceThenWhetherTheClerkIsSure) {
    const QString owing = "The balance is 72.8. Check out anyway?";
    const QString sure = "Are you sure you want to check this guest out?";
    const struct {
        bool paid;
        std::deque<bool> answers;
        QStringList questions;
        bool checkedOut;
    } cases[] = {
        {false, {false}, {owing}, false},
        {false, {true, false}, {owing, sure}, false},
        {false, {true, true}, {owing, sure}, true},
        {true, {false}, {sure}, false},
        {true, {true}, {sure}, true},
    };
    long folio = 3;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.questions.join(" / ").toStdString());
        const std::string room = std::to_string(100 + folio);
        addRoom(room.c_str());
        addGuest(room.c_str(), "Smith", folio);
        if (c.paid) {
            postItem(store, folio, room, Category::Cash, 72.8, today);
        }
        ++folio;
        auto* form = openFolio();
        pick(form->guestCombo, QString::fromStdString(room) + "  Smith, Ann");
        const std::string guests = fileBytes(directory.guest());
        const std::string rooms = fileBytes(directory.room());
        dialogs.shown.clear();
        dialogs.answers = c.answers;
        QTest::mouseClick(form->checkOutButton, Qt::LeftButton);
        QStringList asked;
        for (const auto& box : dialogs.shown) {
            EXPECT_TRUE(box.question);
            EXPECT_EQ(box.title, "Check Out");
            EXPECT_EQ(box.byDefault, box.text == owing ? Answer::No : Answer::Yes);
            asked << box.text;
        }
        EXPECT_EQ(asked, c.questions);
        EXPECT_EQ(fileBytes(directory.guest()) == guests, !c.checkedOut);
        EXPECT_EQ(fileBytes(directory.room()) == rooms, !c.checkedOut);
        EXPECT_EQ(form->lastNameBox->text(), c.checkedOut ? "" : "Smith");
        form->close();
        settle();
    }
}

TEST_F(FolioWindowTest, CheckOutWithAnOpenBalanceKeepsTheFutureDepartureAndRefillsTheSelector) {
    addRoom("101");
    addGuest("102", "Zeta", 2);
    addGuest("101", "Smith", 3);
    addGuest("103", "Brown", 4);
    setNow(today, {10, 45, 30, 0});
    auto* form = openFolio();
    pick(form->guestCombo, "101  Smith, Ann");
    dialogs.answers = {true, true}; // the open balance, and sure
    QTest::mouseClick(form->checkOutButton, Qt::LeftButton);

    const GuestRecord gone = store.guests().read(2);
    EXPECT_FALSE(gone.inHouse());
    EXPECT_EQ(gone.DepartureTime.trimmed(), "10:45:30 AM");
    EXPECT_EQ(gone.DepartureDate, today.plusDays(1).stored());
    EXPECT_EQ(store.rooms().read(1).CleanFlag.str(), "N");
    EXPECT_EQ(store.rooms().read(1).VacantFlag.str(), "Y");
    EXPECT_EQ(readCharges(store, 3).lines.size(), 1u); // the open balance stays

    EXPECT_EQ(items(form->guestCombo), (QStringList{"102  Zeta, Ann", "103  Brown, Ann"}));
    EXPECT_EQ(form->guestCombo->currentText(), "Select Room");
    EXPECT_EQ(form->lastNameBox->text(), "");
    EXPECT_EQ(form->folioNumberLabel->text(), "");
    EXPECT_EQ(form->folioList->count(), 0);
    for (QWidget* off : std::initializer_list<QWidget*>{
             form->checkOutButton, form->printFolioButton, form->doNowButton, form->codeCombo,
             form->saveAndExitButton, form->laterDepartureButton, form->earlierDepartureButton,
             form->postMessageButton, form->retrieveMessageButton}) {
        EXPECT_FALSE(off->isEnabled()) << off->objectName().toStdString();
    }
    EXPECT_TRUE(form->isVisible());
}

TEST_F(FolioWindowTest, RetrieveMessageBlinksWhileTheGuestHasAMessage) {
    addGuest("101", "Smith", 3);
    addGuest("102", "Zeta", 4);
    MessageRecord message;
    message.FolioNumber = 3;
    store.messages(3).append(message);
    auto* form = openFolio();
    const QColor face = form->retrieveMessageButton->palette().color(QPalette::Button);
    pick(form->guestCombo, "101  Smith, Ann");
    EXPECT_TRUE(form->retrieveMessageButton->isEnabled());
    EXPECT_TRUE(form->messageBlinkTimer->isActive());
    EXPECT_EQ(form->messageBlinkTimer->interval(), 500);
    form->messageBlinkTimerFired();
    EXPECT_EQ(form->retrieveMessageButton->palette().color(QPalette::Button),
              QColor(255, 128, 128));
    form->messageBlinkTimerFired();
    EXPECT_EQ(form->retrieveMessageButton->palette().color(QPalette::Button), face);
    form->messageBlinkTimerFired();

    pick(form->guestCombo, "102  Zeta, Ann");
    EXPECT_FALSE(form->retrieveMessageButton->isEnabled());
    EXPECT_FALSE(form->messageBlinkTimer->isActive());
    EXPECT_EQ(form->retrieveMessageButton->palette().color(QPalette::Button), face);
}

TEST_F(FolioWindowTest, EveryControlHasANameAndTakesTheKeyboard) {
    addGuest("101", "Smith", 3);
    auto* form = openFolio();
    EXPECT_EQ(controlsWithoutNameOrFocus(form), std::vector<QString>{});
    EXPECT_EQ(form->driversLicenseBox->accessibleName(), "Drivers Lic. #");
    EXPECT_EQ(form->laterDepartureButton->toolTip(), "Increase Departure Date");
    EXPECT_EQ(form->earlierDepartureButton->toolTip(), "Decrease Departure Date");
    pick(form->guestCombo, "101  Smith, Ann");
    QTest::mouseClick(form->postMessageButton, Qt::LeftButton);
    EXPECT_TRUE(
        controlsWithoutNameOrFocus(findForm<PostMessageWindow>(WindowId::PostMessage)).empty());
}

} // namespace
} // namespace roomwright::testing
