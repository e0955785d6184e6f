#include "frontdesk/check_in_window.h"
#include "frontdesk/guest_folio_window.h"
#include "frontdesk/main_window.h"
#include "gui/gui_fixture.h"
#include "messages/message_windows.h"
#include "store/settings.h"
#include "support/records.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

namespace roomwright::testing {
namespace {

class StayEndToEnd : public DeskTest {
  protected:
    static void pick(QComboBox* combo, const QString& startingWith) {
        for (int i = 0; i < combo->count(); ++i) {
            if (combo->itemText(i).startsWith(startingWith)) {
                combo->setCurrentIndex(i);
                emit combo->activated(i);
                return;
            }
        }
        ADD_FAILURE() << "no entry starts with " << startingWith.toStdString();
    }
    static void type(QLineEdit* box, const QString& text) {
        box->clear();
        QTest::keyClicks(box, text);
    }
    void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

// A walk-in stays one night: checked in through the check-in window, charged a roll-away,
// settles by Visa, gets a message that is read and deleted, and checks out.
TEST_F(StayEndToEnd, AStayFromCheckInToCheckOutThroughTheWindows) {
    setReminderSwitch(store, 1);
    setTaxRate(store, 0.09f);
    setShiftAndClerk(store, ShiftClerkRecord{"JS", "A", {}});
    store.rooms().append(makeRoom("101", "NQ1", 50, "Y", "Y", "K", "Corner room"));
    const std::string roomBefore = readFile(directory.room());
    setNow({2026, 12, 7}, {15, 42, 10, 0});

    // Check-in.
    openForm<MainWindow>(WindowId::Main)->checkInButton->click();
    auto* checkIn = findForm<CheckInWindow>(WindowId::CheckIn);
    ASSERT_NE(checkIn, nullptr);
    type(checkIn->lastNameBox, "Smith");
    type(checkIn->firstNameBox, "Ann");
    type(checkIn->addressBox, "12 Elm Street");
    type(checkIn->cityBox, "Louisville");
    pick(checkIn->stateCombo, "Kentucky");
    type(checkIn->zipBox, "40202");
    type(checkIn->phoneBox, "502-555-0101");
    type(checkIn->cellBox, "502-555-0199");
    type(checkIn->emailBox, "ann@example.com");
    pick(checkIn->payCodeCombo, "C = Cash");
    pick(checkIn->roomCombo, "101");
    checkIn->checkInButton->click();
    settle();
    ASSERT_TRUE(dialogs.shown.empty()) << dialogs.texts().join("\n").toStdString();

    // A charge and the payment that settles the bill.
    setNow({2026, 12, 7}, {20, 5, 0, 0});
    findForm<MainWindow>(WindowId::Main)->viewFolioButton->click(); // "View Folio"
    auto* folio = findForm<GuestFolioWindow>(WindowId::GuestFolio);
    ASSERT_NE(folio, nullptr);
    pick(folio->guestCombo, "101  Smith, Ann");
    EXPECT_EQ(folio->balanceLabel->text(), "0"); // the stay was paid in advance
    pick(folio->codeCombo, "R - Roll Away");
    type(folio->amountBox, "10");
    QTest::keyClick(folio->amountBox, Qt::Key_Return);
    EXPECT_EQ(folio->balanceLabel->text(), "10");
    pick(folio->codeCombo, "V - Visa");
    type(folio->amountBox, "10");
    folio->doNowButton->click();
    EXPECT_EQ(folio->balanceLabel->text(), "0");
    EXPECT_EQ(folio->folioList->count(), 4);

    // A message, posted, read and deleted.
    folio->postMessageButton->click();
    auto* post = findForm<PostMessageWindow>(WindowId::PostMessage);
    ASSERT_NE(post, nullptr);
    type(post->fromBox, "Front desk");
    type(post->toBox, "Ann Smith");
    QTest::keyClicks(post->messageText, "Your taxi comes at 7.");
    post->saveButton->click();
    settle();
    pick(folio->guestCombo, "101  Smith, Ann");
    EXPECT_TRUE(folio->retrieveMessageButton->isEnabled());
    folio->retrieveMessageButton->click();
    auto* reading = findForm<ReadMessageWindow>(WindowId::ReadMessage);
    ASSERT_NE(reading, nullptr);
    EXPECT_EQ(reading->messageText->toPlainText().trimmed(), "Your taxi comes at 7.");
    reading->deleteButton->click();
    settle();
    EXPECT_FALSE(folio->retrieveMessageButton->isEnabled());
    folio->exitButton->click(); // "Exit"
    settle();

    // Check-out the next morning, from the main window's "Check Out".
    setNow({2026, 12, 8}, {10, 58, 3, 0});
    findForm<MainWindow>(WindowId::Main)->checkOutButton->click();
    folio = findForm<GuestFolioWindow>(WindowId::GuestFolio);
    ASSERT_NE(folio, nullptr);
    pick(folio->guestCombo, "101  Smith, Ann");
    dialogs.answers.push_back(true);
    folio->checkOutButton->click();
    EXPECT_EQ(folio->guestCombo->count(), 0);
    EXPECT_EQ(dialogs.texts(), (QStringList{"Your message was saved.", "Your message was deleted.",
                                            "Are you sure you want to check this guest out?"}));

    EXPECT_EQ(readFile(directory.chargeFile(1)),
              "\"101  \",\"A\",\"JS\",#2026-12-07#,\"E\",\"Room Rent\",50,,1,,\"-----\",\"-----\","
              ",,,,,\r\n"
              "\"101  \",\"A\",\"JS\",#2026-12-07#,\"C\",\"Cash\",54.5,,1,,\"-----\",\"-----\","
              ",,,,,\r\n"
              "\"101  \",\"A\",\"JS\",#2026-12-07#,\"R\",\"Roll Away\",10,,1,,\"-----\",\"-----\","
              ",,,,,\r\n"
              "\"101  \",\"A\",\"JS\",#2026-12-07#,\"V\",\"Visa\",10,,1,,\"-----\",\"-----\","
              ",,,,,\r\n");

    ASSERT_EQ(store.guests().count(), 1u);
    const GuestRecord guest = store.guests().read(1);
    EXPECT_EQ(guest.LastName.trimmed(), "Smith");
    EXPECT_EQ(guest.State.trimmed(), "Kentucky");
    EXPECT_EQ(guest.RoomNumber.str(), "101  ");
    EXPECT_EQ(guest.PayCode.str(), "C");
    EXPECT_EQ(guest.Rate, 50.0f);
    EXPECT_EQ(guest.FolioNumber, 1.0f);
    EXPECT_EQ(guest.ArrivalDate, (CivilDate{2026, 12, 7}).stored());
    EXPECT_EQ(guest.ArrivalTime.trimmed(), "3:42:10 PM");
    EXPECT_EQ(guest.DepartureDate, (CivilDate{2026, 12, 8}).stored());
    EXPECT_EQ(guest.DepartureTime.str(), "10:58:03 AM" + std::string(9, ' '));
    EXPECT_EQ(guest.CheckOutMark.str(), "*" + std::string(19, ' '));

    // The room: vacant and dirty, everything else as entered.
    std::string roomAfter = roomBefore;
    roomAfter[18] = 'N';
    roomAfter[19] = 'Y';
    EXPECT_EQ(readFile(directory.room()), roomAfter);

    const TotalsRecord totals = store.totals({2026, 12, 7}).read(1);
    EXPECT_FLOAT_EQ(totals[TotalsSlot::RoomRent], 50.0f);
    EXPECT_FLOAT_EQ(totals[TotalsSlot::Cash], 54.5f);
    EXPECT_FLOAT_EQ(totals[TotalsSlot::RollAway], 10.0f);
    EXPECT_FLOAT_EQ(totals[TotalsSlot::Visa], 10.0f);
    const auto messages = store.messages(1).all();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].DeletedFlag, 1.0f);
}

} // namespace
} // namespace roomwright::testing
