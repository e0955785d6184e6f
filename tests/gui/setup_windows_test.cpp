// The main menu, the settings windows and the start-up reminder, driven like a clerk.

// The store's headers come before Qt's, whose "slots" keyword would otherwise meet the
// totals record's field of that name.
#include "gui/gui_fixture.h"

#include "gui/clerk.h"

#include "frontdesk/main_window.h"
#include "setup/amount_window.h"
#include "setup/greetings_window.h"
#include "setup/main_menu_window.h"
#include "setup/room_inventory_window.h"
#include "setup/room_list_window.h"
#include "setup/room_properties_window.h"
#include "setup/room_status_window.h"
#include "setup/settings_entry.h"
#include "setup/shift_clerk_window.h"
#include "setup/unsold_rooms_window.h"
#include "store/settings.h"
#include "ui/placement.h"

#include <QCheckBox>
#include <QLabel>
#include <QScreen>

#include <cstring>

namespace roomwright::testing {
namespace {

class SetupWindows : public DeskTest {
  protected:
    bool isOpen(WindowId id) {
        settle();
        QWidget* window = desk.find(id);
        return window != nullptr && window->isVisible();
    }
    std::string file(const Path& path) { return readFile(path); }
    static std::string single(float value) {
        std::string bytes(4, '\0');
        std::memcpy(bytes.data(), &value, 4);
        return bytes + std::string(6, '\0');
    }
    void addRoom() {
        RoomRecord room;
        room.RoomNumber = "101";
        room.RoomType = "NQ1";
        room.Rate = 45;
        store.rooms().append(room);
    }
    static QPoint placeOf(QWidget* window, int top, int left) {
        const QScreen* screen = window->screen();
        const double dpi = screen->logicalDotsPerInch();
        return screen->availableGeometry().topLeft() +
               QPoint(twipsToPixels(left, dpi), twipsToPixels(top, dpi));
    }
};

// --- The main window's buttons -------------------------------------------------------------

TEST_F(SetupWindows, TheMainWindowOpensTheMainMenuTheRoomListAndTheUnsoldRooms) {
    setReminderSwitch(store, 1);
    auto* main = openForm<Form1>(WindowId::Main);
    click(main->Command3);
    EXPECT_NE(findForm<Form2>(WindowId::MainMenu), nullptr);
    click(main->Command5);
    EXPECT_NE(findForm<Form4>(WindowId::RoomList), nullptr);
    click(main->Command6);
    EXPECT_NE(findForm<Form5>(WindowId::UnsoldRooms), nullptr);
    EXPECT_TRUE(main->isVisible());
}

// --- Main menu -------------------------------------------------------------------------------

TEST_F(SetupWindows, TheMainMenuHasItsButtonsAndStandsAtItsPlace) {
    auto* menu = openForm<Form2>(WindowId::MainMenu);
    EXPECT_EQ(menu->windowTitle(), "Main Menu");
    EXPECT_EQ(menu->pos(), placeOf(menu, 500, 4000));
    for (QPushButton* button : menu->findChildren<QPushButton*>()) {
        EXPECT_TRUE(button->isVisible()) << button->objectName().toStdString();
    }
    EXPECT_EQ(tabOrder(menu, menu->Command1, 10),
              (QStringList{"Command1", "Command2", "Command3", "Command5", "Command9", "Command10",
                           "Command6", "Command7", "Command8", "Command4"}));
}

TEST_F(SetupWindows, ThePetFeeWindowLeavesTheMenuOpen) {
    auto* menu = openForm<Form2>(WindowId::MainMenu);
    click(menu->Command3);
    EXPECT_TRUE(isOpen(WindowId::PetFee));
    EXPECT_TRUE(isOpen(WindowId::MainMenu));
}

TEST_F(SetupWindows, EveryOtherMenuButtonOpensItsWindowAndClosesTheMenu) {
    struct Case {
        QPushButton* Form2::*button;
        std::optional<WindowId> opens;
    };
    const std::vector<Case> cases = {
        {&Form2::Command1, WindowId::RoomInventory},
        {&Form2::Command2, WindowId::TaxRate},
        {&Form2::Command5, WindowId::ShiftClerk},
        {&Form2::Command9, WindowId::RoomProperties},
        {&Form2::Command10, WindowId::RoomStatus},
        {&Form2::Command6, std::nullopt},
        {&Form2::Command7, std::nullopt},
        {&Form2::Command8, std::nullopt},
        {&Form2::Command4, std::nullopt},
    };
    for (const Case& c : cases) {
        auto* menu = openForm<Form2>(WindowId::MainMenu);
        SCOPED_TRACE((menu->*c.button)->text().toStdString());
        click(menu->*c.button);
        EXPECT_FALSE(isOpen(WindowId::MainMenu));
        if (c.opens) {
            EXPECT_TRUE(isOpen(*c.opens));
            desk.close(*c.opens);
        }
        settle();
    }
}

// --- Tax rate --------------------------------------------------------------------------------

TEST_F(SetupWindows, TheTaxWindowShowsZeroOnANewInstallationThenTheStoredRate) {
    auto* tax = openForm<Form7>(WindowId::TaxRate);
    EXPECT_EQ(tax->windowTitle(), "Enter Tax Amount");
    EXPECT_EQ(tax->pos(), placeOf(tax, 300, 3500));
    EXPECT_EQ(tax->Label2->text(), "For example, if your tax is 9% then you would enter .09");
    EXPECT_EQ(tax->Text1->text(), "0");
    EXPECT_EQ(focusedControl(tax), tax->Text1);
    EXPECT_EQ(tabOrder(tax, tax->Text1, 3), (QStringList{"Text1", "Command1", "Command2"}));
    click(tax->Command2);
    settle();

    setTaxRate(store, 0.09f);
    EXPECT_EQ(openForm<Form7>(WindowId::TaxRate)->Text1->text(), "0.09");
}

TEST_F(SetupWindows, TypingNineStoresNineAndClosesWithoutAWord) {
    auto* tax = openForm<Form7>(WindowId::TaxRate);
    type(tax->Text1, "9");
    click(tax->Command1);
    EXPECT_EQ(file(directory.tax()), single(9.0f));
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_FALSE(isOpen(WindowId::TaxRate));
}

TEST_F(SetupWindows, TheTaxWindowStoresTheNumberTheTextBeginsWithAndExitStoresNothing) {
    auto* tax = openForm<Form7>(WindowId::TaxRate);
    activate(tax);
    type(tax->Text1, ".09 percent");
    QTest::keyClick(tax->Text1, Qt::Key_Return);
    EXPECT_FLOAT_EQ(taxRate(store), 0.09f);
    EXPECT_FALSE(isOpen(WindowId::TaxRate));

    settle();
    tax = openForm<Form7>(WindowId::TaxRate);
    type(tax->Text1, "-0.5");
    click(tax->Command1);
    EXPECT_FLOAT_EQ(taxRate(store), -0.5f);

    settle();
    tax = openForm<Form7>(WindowId::TaxRate);
    type(tax->Text1, "0.07");
    click(tax->Command2);
    EXPECT_FALSE(isOpen(WindowId::TaxRate));
    EXPECT_FLOAT_EQ(taxRate(store), -0.5f);
}

TEST_F(SetupWindows, TheTaxWindowRefusesTextThatBeginsWithNoNumber) {
    setTaxRate(store, 0.09f);
    const std::string before = file(directory.tax());
    auto* tax = openForm<Form7>(WindowId::TaxRate);
    for (const QString& typed : {QString("nine"), QString(""), QString("  "), QString("%9")}) {
        SCOPED_TRACE(typed.toStdString());
        dialogs.shown.clear();
        type(tax->Text1, typed);
        click(tax->Command1);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].title, "ATTENTION!");
        EXPECT_EQ(dialogs.shown[0].text, "The tax rate must be a number, for example .09 for 9%.");
        EXPECT_EQ(focusedControl(tax), tax->Text1);
        EXPECT_TRUE(isOpen(WindowId::TaxRate));
        EXPECT_EQ(file(directory.tax()), before);
    }
}

// --- Pet fee ---------------------------------------------------------------------------------

TEST_F(SetupWindows, ThePetFeeWindowWorksAsTheTaxWindowOnThePetFee) {
    auto* pet = openForm<Form8>(WindowId::PetFee);
    EXPECT_EQ(pet->windowTitle(), "Set Pet Fee Amount");
    EXPECT_EQ(pet->pos(), placeOf(pet, 500, 500));
    EXPECT_EQ(pet->Text1->text(), "0");
    type(pet->Text1, "12.50");
    click(pet->Command1);
    EXPECT_EQ(file(directory.pet()), single(12.5f));
    EXPECT_FALSE(isOpen(WindowId::PetFee));
    EXPECT_EQ(file(directory.tax()), "");

    settle();
    pet = openForm<Form8>(WindowId::PetFee);
    EXPECT_EQ(pet->Text1->text(), "12.5");
    type(pet->Text1, "ten");
    click(pet->Command1);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "ATTENTION!");
    EXPECT_EQ(dialogs.shown[0].text, "The pet fee must be a number, for example 10.");
    EXPECT_EQ(focusedControl(pet), pet->Text1);
    EXPECT_FLOAT_EQ(petFee(store), 12.5f);
    click(pet->Command2);
    EXPECT_FALSE(isOpen(WindowId::PetFee));
    EXPECT_FLOAT_EQ(petFee(store), 12.5f);
}

// --- Shift and clerk -------------------------------------------------------------------------

TEST_F(SetupWindows, TheShiftWindowOffersABCAndShowsWhatIsStored) {
    auto* shift = openForm<Form10>(WindowId::ShiftClerk);
    EXPECT_EQ(shift->windowTitle(), "Set Shift and Clerk");
    EXPECT_EQ(shift->pos(), placeOf(shift, 500, 3600));
    ASSERT_EQ(shift->Combo1->count(), 3);
    EXPECT_EQ(shift->Combo1->itemText(0), "A");
    EXPECT_EQ(shift->Combo1->itemText(1), "B");
    EXPECT_EQ(shift->Combo1->itemText(2), "C");
    // Nothing stored yet: the box is empty and shows its prompt.
    EXPECT_EQ(shift->Combo1->currentText(), "");
    EXPECT_EQ(shift->Combo1->lineEdit()->placeholderText(), "Select Shift");
    EXPECT_EQ(shift->Text1->text(), "");
    EXPECT_EQ(tabOrder(shift, shift->Combo1, 4),
              (QStringList{"Combo1", "Text1", "Command1", "Command2"}));
    click(shift->Command2);
    settle();

    setShiftAndClerk(store, shiftClerkRecord("B", "JD"));
    settle();
    shift = openForm<Form10>(WindowId::ShiftClerk);
    EXPECT_EQ(shift->Combo1->currentText(), "B");
    EXPECT_EQ(shift->Text1->text(), "JD");
}

TEST_F(SetupWindows, PickingAShiftMovesToTheInitialsAndEnterNowStoresBoth) {
    auto* shift = openForm<Form10>(WindowId::ShiftClerk);
    pick(shift->Combo1, "C");
    EXPECT_EQ(focusedControl(shift), shift->Text1);
    QTest::keyClicks(shift->Text1, "mkx");
    EXPECT_EQ(shift->Text1->text(), "mk");
    click(shift->Command1);
    EXPECT_EQ(file(directory.shiftClerk()), "mkC");
    EXPECT_FALSE(isOpen(WindowId::ShiftClerk));
}

TEST_F(SetupWindows, ATypedShiftIsStoredAsTypedEmptyInitialsAsBlanksAndExitStoresNothing) {
    auto* shift = openForm<Form10>(WindowId::ShiftClerk);
    type(shift->Combo1, "Night");
    type(shift->Text1, "");
    click(shift->Command1);
    EXPECT_EQ(file(directory.shiftClerk()), "  N");

    settle();
    shift = openForm<Form10>(WindowId::ShiftClerk);
    type(shift->Combo1, "");
    type(shift->Text1, "JD");
    click(shift->Command1);
    EXPECT_EQ(file(directory.shiftClerk()), "JD ");

    settle();
    shift = openForm<Form10>(WindowId::ShiftClerk);
    pick(shift->Combo1, "B");
    type(shift->Text1, "XY");
    click(shift->Command2);
    EXPECT_FALSE(isOpen(WindowId::ShiftClerk));
    EXPECT_EQ(file(directory.shiftClerk()), "JD ");
}

// --- Greetings -------------------------------------------------------------------------------

TEST_F(SetupWindows, OnAFirstStartTheGreetingsShowBothRemindersWithTheirButtons) {
    auto* main = openForm<Form1>(WindowId::Main);
    ASSERT_NE(main, nullptr);
    auto* greetings = findForm<Form27>(WindowId::Greetings);
    ASSERT_NE(greetings, nullptr);
    EXPECT_EQ(greetings->pos(), placeOf(greetings, 300, 4000));
    EXPECT_EQ(greetings->Label1->text(),
              "I'm showing that you haven't entered room inventory yet. To do that, ");
    EXPECT_EQ(greetings->Label2->text(),
              "I'm showing that you haven't entered you tax amount. To do that, ");
    EXPECT_TRUE(greetings->Command1->isVisible());
    EXPECT_TRUE(greetings->Command2->isVisible());
}

TEST_F(SetupWindows, OnceARoomAndTheTaxAreInTheGreetingsSaySo) {
    addRoom();
    setTaxRate(store, 0.09f);
    auto* greetings = openForm<Form27>(WindowId::Greetings);
    EXPECT_EQ(greetings->Label1->text(), "Your room inventory has been entered.");
    EXPECT_EQ(greetings->Label2->text(), "Your tax amount has been entered.");
    EXPECT_FALSE(greetings->Command1->isVisible());
    EXPECT_FALSE(greetings->Command2->isVisible());
}

TEST_F(SetupWindows, ATaxRateOfZeroOrLessStillCountsAsNotEntered) {
    for (const float rate : {0.0f, -0.09f}) {
        setTaxRate(store, rate);
        auto* greetings = openForm<Form27>(WindowId::Greetings);
        EXPECT_EQ(greetings->Label2->text(),
                  "I'm showing that you haven't entered you tax amount. To do that, ");
        EXPECT_TRUE(greetings->Command2->isVisible());
        click(greetings->Command3);
        settle();
    }
}

TEST_F(SetupWindows, TheFirstClickHereOpensTheRoomInventoryAndClosesTheGreetings) {
    auto* greetings = openForm<Form27>(WindowId::Greetings);
    click(greetings->Command1);
    EXPECT_TRUE(isOpen(WindowId::RoomInventory));
    EXPECT_FALSE(isOpen(WindowId::Greetings));
}

TEST_F(SetupWindows, TheSecondClickHereOpensTheTaxWindowAndClosesTheGreetings) {
    auto* greetings = openForm<Form27>(WindowId::Greetings);
    click(greetings->Command2);
    EXPECT_TRUE(isOpen(WindowId::TaxRate));
    EXPECT_FALSE(isOpen(WindowId::Greetings));
}

TEST_F(SetupWindows, TheReminderSwitchIsStoredAtOnceOnTickAndUntick) {
    auto* greetings = openForm<Form27>(WindowId::Greetings);
    click(greetings->Check1);
    EXPECT_EQ(file(directory.greeting()), single(1.0f));
    click(greetings->Check1);
    EXPECT_EQ(file(directory.greeting()), single(0.0f));
    click(greetings->Check1);
    EXPECT_EQ(file(directory.greeting()), single(1.0f));
    click(greetings->Command3);
    EXPECT_FALSE(isOpen(WindowId::Greetings));

    // Switched off, the next start shows no Greetings.
    openForm<Form1>(WindowId::Main);
    EXPECT_FALSE(isOpen(WindowId::Greetings));
}

TEST_F(SetupWindows, EnterOnTheGreetingsPressesExit) {
    auto* greetings = openForm<Form27>(WindowId::Greetings);
    activate(greetings);
    QTest::keyClick(greetings->Check1, Qt::Key_Return);
    EXPECT_FALSE(isOpen(WindowId::Greetings));
}

} // namespace
} // namespace roomwright::testing
