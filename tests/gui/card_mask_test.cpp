// The windows that show a stored card number show it masked: "Show" reveals it until the
// window shows another guest, typing replaces it, and a save never writes the mask.

#include "frontdesk/guest_folio_window.h"
#include "gui/clerk.h"
#include "gui/gui_fixture.h"
#include "reports/history_windows.h"
#include "reservations/reservation_window.h"
#include "setup/main_menu_window.h"
#include "store/settings.h"
#include "support/records.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QListWidget>

namespace roomwright::testing {
namespace {

using namespace std::string_literals;

// Padded as an older program may have left it: NULs where a save would write blanks.
const std::string kStored = "4111 1111 1111 1111"s + std::string(11, '\0');
const QString kWhole = QStringLiteral("4111 1111 1111 1111");
const QString kMask = QStringLiteral("•••• •••• •••• 1111");

template <class Record> Record withCard(Record record) {
    record = testing::withCard(record);
    record.CardNumber.load(kStored);
    return record;
}

template <class Record> std::string storedCard(const Record& record) {
    return slotOf(encode(record)).substr(240, 30);
}

class CardMask : public DeskTest {
  protected:
    CardMask() {
        setTaxRate(store, 0.09f);
        setShiftAndClerk(store, ShiftClerkRecord{"JS", "A", {}});
        store.rooms().append(makeRoom("101", "NQ1", 65, "Y", "N"));
    }
    // The boxes show the mask, read it aloud, and offer "Show".
    static void expectMasked(const GuestBoxes& guest) {
        EXPECT_EQ(guest.cardNumber->text(), kMask);
        QAccessibleInterface* box = QAccessible::queryAccessibleInterface(guest.cardNumber);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(QAccessible::Value), kMask);
        EXPECT_TRUE(guest.showCardButton->isEnabled());
        EXPECT_EQ(guest.showCardButton->text(), "Show");
    }
    static void expectRevealedByShow(const GuestBoxes& guest) {
        click(guest.showCardButton);
        EXPECT_EQ(guest.cardNumber->text(), kWhole);
        EXPECT_FALSE(guest.showCardButton->isEnabled());
    }
    GuestFolioWindow* folioOfSmith() {
        auto* form = openForm<GuestFolioWindow>(WindowId::GuestFolio);
        pick(form->guestCombo, "101  Smith, Ann");
        return form;
    }
    ReservationWindow* bookingOne() {
        auto* form = openForm<ReservationWindow>(WindowId::Reservation);
        type(form->numberBox, "1");
        click(form->goButton);
        return form;
    }
    void saveBooking(ReservationWindow* form) {
        pick(form->payCodeList, "C - Cash");
        click(form->saveButton);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown.back().text, "Your changes were saved successfuly.");
        dialogs.shown.clear();
        settle();
    }
};

TEST_F(CardMask, TheFolioShowsTheCardMaskedRevealsItAndNeverSavesTheMask) {
    store.guests().append(
        withCard(makeStayOver("101", "Smith", 1, 65, clock.today(), clock.today().plusDays(2))));
    GuestFolioWindow* form = folioOfSmith();
    expectMasked(form->guest);
    expectRevealedByShow(form->guest);
    pick(form->guestCombo, "101  Smith, Ann"); // the guest anew: masked again
    expectMasked(form->guest);

    click(form->saveAndExitButton);
    settle();
    EXPECT_EQ(storedCard(store.guests().read(1)), kStored);

    // A key typed at the end of the mask starts a new number.
    form = folioOfSmith();
    QTest::keyClick(form->guest.cardNumber, Qt::Key_End);
    QTest::keyClicks(form->guest.cardNumber, "55");
    EXPECT_EQ(form->guest.cardNumber->text(), "55");
    EXPECT_FALSE(form->guest.showCardButton->isEnabled());
    QTest::keyClicks(form->guest.cardNumber, "00000000000004");
    click(form->saveAndExitButton);
    settle();
    EXPECT_EQ(store.guests().read(1).CardNumber.str(), "5500000000000004" + std::string(14, ' '));
}

TEST_F(CardMask, TheReservationWindowShowsTheCardMaskedAndSavesTheStoredOrTheTypedNumber) {
    ReservationRecord booking = makeBooking("101", "Jones", 1, clock.today(), 2);
    booking.Days = 2;
    store.reservations().append(withCard(booking));

    ReservationWindow* form = bookingOne();
    expectMasked(form->guest);
    saveBooking(form);
    EXPECT_EQ(storedCard(store.reservations().read(1)), kStored);

    form = bookingOne();
    expectRevealedByShow(form->guest);
    form = bookingOne();
    expectMasked(form->guest);
    type(form->guest.cardNumber, "378282246310005");
    saveBooking(form);
    EXPECT_EQ(store.reservations().read(1).CardNumber.trimmed(), "378282246310005");
}

TEST_F(CardMask, TheHistoryShowsEachStaysCardMaskedUntilShown) {
    GuestRecord stay =
        withCard(makeStayOver("101", "Stone", 12, 45, clock.today().plusDays(-2), clock.today()));
    stay.CheckOutMark = "*";
    store.guests().append(stay);
    auto* menu = openForm<MainMenuWindow>(WindowId::MainMenu);
    click(menu->findGuestButton);
    settle();
    auto* history = findForm<GuestHistoryWindow>(WindowId::GuestHistory);
    const auto lookUpStone = [&] {
        auto* names = findForm<HistoryNamesWindow>(WindowId::HistoryNames);
        pick(names->letterCombo, "S");
        QListWidgetItem* item = names->namesList->item(0);
        QTest::mouseClick(names->namesList->viewport(), Qt::LeftButton, {},
                          names->namesList->visualItemRect(item).center());
        settle();
    };
    lookUpStone();
    expectMasked(history->guest);
    expectRevealedByShow(history->guest);
    click(history->checkAgainButton);
    lookUpStone();
    expectMasked(history->guest);
}

} // namespace
} // namespace roomwright::testing
