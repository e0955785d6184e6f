// The main menu, the settings windows and the start-up reminder, driven like a clerk.

// The store's headers come before Qt's, whose "slots" keyword would otherwise meet the
// totals record's field of that name.
#include "gui/gui_fixture.h"

#include "gui/clerk.h"

#include "backup/backup.h"
#include "frontdesk/main_window.h"
#include "setup/amount_window.h"
#include "setup/greetings_window.h"
#include "setup/main_menu_window.h"
#include "setup/motel_details_window.h"
#include "setup/room_inventory_window.h"
#include "setup/room_list_window.h"
#include "setup/room_properties_window.h"
#include "setup/room_status_window.h"
#include "setup/settings_entry.h"
#include "setup/shift_clerk_window.h"
#include "setup/unsold_rooms_window.h"
#include "store/motel_details.h"
#include "store/settings.h"
#include "ui/placement.h"

#include <QCheckBox>
#include <QDir>
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
    auto* main = openForm<MainWindow>(WindowId::Main);
    click(main->mainMenuButton);
    EXPECT_NE(findForm<MainMenuWindow>(WindowId::MainMenu), nullptr);
    click(main->roomListButton);
    EXPECT_NE(findForm<RoomListWindow>(WindowId::RoomList), nullptr);
    click(main->unsoldRoomsButton);
    EXPECT_NE(findForm<UnsoldRoomsWindow>(WindowId::UnsoldRooms), nullptr);
    EXPECT_TRUE(main->isVisible());
}

// --- Main menu -------------------------------------------------------------------------------

TEST_F(SetupWindows, TheMainMenuHasItsButtonsAndStandsAtItsPlace) {
    auto* menu = openForm<MainMenuWindow>(WindowId::MainMenu);
    EXPECT_EQ(menu->windowTitle(), "Main Menu");
    EXPECT_EQ(menu->pos(), placeOf(menu, 500, 4000));
    for (QPushButton* button : menu->findChildren<QPushButton*>()) {
        EXPECT_TRUE(button->isVisible()) << button->objectName().toStdString();
    }
    EXPECT_EQ(tabOrder(menu, menu->roomInventoryButton, 16),
              (QStringList{"Command1", "Command2", "Command3", "Command5", "Command9", "Command10",
                           "Command15", "Command6", "Command7", "Command8", "Command21",
                           "Command22", "Command23", "Command16", "Command17", "Command4"}));
}

TEST_F(SetupWindows, ThePetFeeWindowLeavesTheMenuOpen) {
    auto* menu = openForm<MainMenuWindow>(WindowId::MainMenu);
    click(menu->petFeeButton);
    EXPECT_TRUE(isOpen(WindowId::PetFee));
    EXPECT_TRUE(isOpen(WindowId::MainMenu));
}

TEST_F(SetupWindows, EveryOtherMenuButtonOpensItsWindowAndClosesTheMenu) {
    struct Case {
        QPushButton* MainMenuWindow::*button;
        std::optional<WindowId> opens;
    };
    const std::vector<Case> cases = {
        {&MainMenuWindow::roomInventoryButton, WindowId::RoomInventory},
        {&MainMenuWindow::taxRateButton, WindowId::TaxRate},
        {&MainMenuWindow::shiftClerkButton, WindowId::ShiftClerk},
        {&MainMenuWindow::roomPropertiesButton, WindowId::RoomProperties},
        {&MainMenuWindow::roomStatusButton, WindowId::RoomStatus},
        {&MainMenuWindow::motelDetailsButton, WindowId::MotelDetails},
        {&MainMenuWindow::monthlyReportButton, std::nullopt},
        {&MainMenuWindow::nightAuditButton, std::nullopt},
        {&MainMenuWindow::findGuestButton, std::nullopt},
        {&MainMenuWindow::exitButton, std::nullopt},
    };
    for (const Case& c : cases) {
        auto* menu = openForm<MainMenuWindow>(WindowId::MainMenu);
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

// --- Motel details and backup ----------------------------------------------------------------

TEST_F(SetupWindows, TheMotelsOwnNameGoesOnTheMainWindowAndAnEmptyBoxBringsBackTheStandard) {
    setReminderSwitch(store, 1);
    auto* main = openForm<MainWindow>(WindowId::Main);
    EXPECT_EQ(main->motelNameLabel->text(), "1234567 Motel Inc.");
    auto* details = openForm<MotelDetailsWindow>(WindowId::MotelDetails);
    EXPECT_EQ(details->windowTitle(), "Motel Details");
    EXPECT_EQ(details->nameBox->accessibleName(), "Motel Name");
    EXPECT_EQ(details->phoneBox->accessibleName(), "Phone Line");
    type(details->nameBox, "<b>Blue Heron</b> Inn");
    type(details->townBox, "Tahoe, CA");
    QTest::keyClick(details->townBox, Qt::Key_Return);
    EXPECT_FALSE(isOpen(WindowId::MotelDetails));
    EXPECT_EQ(motelDetails(store),
              (MotelDetails{"<b>Blue Heron</b> Inn", "", "Tahoe, CA", "", {}}));
    EXPECT_EQ(main->motelNameLabel->text(), "<b>Blue Heron</b> Inn"); // shown as typed
    EXPECT_EQ(main->motelNameLabel->textFormat(), Qt::PlainText);

    details = openForm<MotelDetailsWindow>(WindowId::MotelDetails);
    EXPECT_EQ(details->townBox->text(), "Tahoe, CA");
    type(details->nameBox, "");
    click(details->enterButton);
    EXPECT_EQ(main->motelNameLabel->text(), "1234567 Motel Inc.");
}

// How long cards are kept: the days or "never", anything else refused before anything is
// saved.
TEST_F(SetupWindows, TheMotelDetailsSayAfterHowManyDaysCardsAreErased) {
    const struct {
        const char* typed;
        std::optional<CardErasing> saved; // nothing: refused
    } cases[] = {
        {"0", CardErasing{0}}, {" 90 ", CardErasing{90}}, {"Never", CardErasing{{}}},
        {"", std::nullopt},    {"thirty", std::nullopt},  {"-1", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        setMotelDetails(store, MotelDetails{"Blue Heron Inn", "", "", "", {}});
        auto* details = openForm<MotelDetailsWindow>(WindowId::MotelDetails);
        EXPECT_EQ(details->cardDaysBox->text(), "30");
        EXPECT_EQ(details->cardDaysBox->accessibleName(), "Erase Cards After");
        dialogs.shown.clear();
        type(details->cardDaysBox, c.typed);
        click(details->enterButton);
        if (c.saved) {
            EXPECT_TRUE(dialogs.shown.empty());
            EXPECT_FALSE(isOpen(WindowId::MotelDetails));
            EXPECT_EQ(motelDetails(store), (MotelDetails{"Blue Heron Inn", "", "", "", *c.saved}));
        } else {
            ASSERT_EQ(dialogs.shown.size(), 1u);
            EXPECT_EQ(dialogs.shown[0].text,
                      "\"Erase Cards After\" takes a whole number of days from 0 to 36500, or "
                      "never.");
            EXPECT_EQ(details->focusWidget(), details->cardDaysBox);
            EXPECT_EQ(motelDetails(store).cards, CardErasing{});
            desk.close(WindowId::MotelDetails);
            settle();
        }
    }
}

TEST_F(SetupWindows, BackUpDataWritesIntoThePickedFolderAndTellsWhereOrWhyNot) {
    auto* menu = openForm<MainMenuWindow>(WindowId::MainMenu);
    click(menu->backupButton); // the clerk cancels the picker
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_FALSE(QDir(QString::fromStdString(temp.path().string())).exists("usb"));

    const Path usb = temp.path() / "usb";
    dialogs.folders = {QString::fromStdString(usb.string()),
                       QString::fromStdString(directory.root().string())};
    click(menu->backupButton);
    ASSERT_EQ(dialogs.shown.size(), 3u);
    const Path made = usb / "roomwright-2026-12-07-093000.tar";
    EXPECT_EQ(dialogs.shown[2].title, "Back Up Data");
    EXPECT_TRUE(dialogs.shown[2].text.endsWith(QString::fromStdString(made.generic_string())));
    EXPECT_TRUE(std::filesystem::is_regular_file(made));

    click(menu->backupButton); // into the data directory itself
    ASSERT_EQ(dialogs.shown.size(), 5u);
    EXPECT_EQ(dialogs.shown[4].title, kAttention);
    EXPECT_TRUE(isOpen(WindowId::MainMenu));
}

// The clerk picks a backup and is asked first, No the default; a program that holds the
// directory keeps it; then the backup takes the directory's place, the other windows close and
// the desk works on the restored data.
TEST_F(SetupWindows, RestoreDataAsksThenPutsTheBackupInPlaceOrTellsWhyNot) {
    setTaxRate(store, 0.05f);
    const Path archive = backUp(store, temp.path() / "usb", clock).file;
    setTaxRate(store, 0.1f);
    const auto changed = snapshot(directory.root());
    auto* menu = openForm<MainMenuWindow>(WindowId::MainMenu);
    desk.open(WindowId::RoomList);
    click(menu->restoreButton); // the clerk cancels the picker, then answers No
    dialogs.pickedFiles = {QString::fromStdString(archive.string())};
    click(menu->restoreButton);
    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_TRUE(dialogs.shown[2].question);
    EXPECT_EQ(dialogs.shown[2].byDefault, Answer::No);
    EXPECT_TRUE(dialogs.shown[2].text.startsWith("Restore the motel's data from " +
                                                 QString::fromStdString(archive.string())));
    EXPECT_EQ(snapshot(directory.root()), changed);
    {
        const WriterLock command = WriterLock::take(directory, "roomwright-cli");
        dialogs.pickedFiles = {QString::fromStdString(archive.string())};
        dialogs.answers = {true};
        click(menu->restoreButton);
        ASSERT_EQ(dialogs.shown.size(), 6u);
        EXPECT_EQ(dialogs.shown[5].title, kAttention);
        EXPECT_TRUE(dialogs.shown[5].text.contains("is already running"))
            << dialogs.shown[5].text.toStdString();
    }
    EXPECT_EQ(taxRate(desk.services().store), 0.1f);
    settle();
    desk.open(WindowId::RoomList);

    dialogs.pickedFiles = {QString::fromStdString(archive.string())};
    dialogs.answers = {true};
    click(menu->restoreButton);
    ASSERT_EQ(dialogs.shown.size(), 9u);
    EXPECT_EQ(dialogs.shown[8].title, "Restore Data");
    EXPECT_TRUE(dialogs.shown[8].text.endsWith("Motel.before-restore-2026-12-07-093000"))
        << dialogs.shown[8].text.toStdString();
    EXPECT_EQ(taxRate(desk.services().store), 0.05f);
    settle();
    EXPECT_FALSE(isOpen(WindowId::RoomList));
    EXPECT_TRUE(isOpen(WindowId::MainMenu));
}

// --- Tax rate --------------------------------------------------------------------------------

TEST_F(SetupWindows, TheTaxWindowShowsZeroOnANewInstallationThenTheStoredRate) {
    auto* tax = openForm<TaxRateWindow>(WindowId::TaxRate);
    EXPECT_EQ(tax->windowTitle(), "Enter Tax Amount");
    EXPECT_EQ(tax->pos(), placeOf(tax, 300, 3500));
    EXPECT_EQ(tax->exampleLabel->text(), "For example, if your tax is 9% then you would enter .09");
    EXPECT_EQ(tax->amountBox->text(), "0");
    EXPECT_EQ(focusedControl(tax), tax->amountBox);
    EXPECT_EQ(tabOrder(tax, tax->amountBox, 3), (QStringList{"Text1", "Command1", "Command2"}));
    click(tax->exitButton);
    settle();

    setTaxRate(store, 0.09f);
    EXPECT_EQ(openForm<TaxRateWindow>(WindowId::TaxRate)->amountBox->text(), "0.09");
}

TEST_F(SetupWindows, TypingNineStoresNineAndClosesWithoutAWord) {
    auto* tax = openForm<TaxRateWindow>(WindowId::TaxRate);
    type(tax->amountBox, "9");
    click(tax->enterButton);
    EXPECT_EQ(file(directory.tax()), single(9.0f));
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_FALSE(isOpen(WindowId::TaxRate));
}

TEST_F(SetupWindows, TheTaxWindowStoresTheNumberTheTextBeginsWithAndExitStoresNothing) {
    auto* tax = openForm<TaxRateWindow>(WindowId::TaxRate);
    activate(tax);
    type(tax->amountBox, ".09 percent");
    QTest::keyClick(tax->amountBox, Qt::Key_Return);
    EXPECT_FLOAT_EQ(taxRate(store), 0.09f);
    EXPECT_FALSE(isOpen(WindowId::TaxRate));

    settle();
    tax = openForm<TaxRateWindow>(WindowId::TaxRate);
    type(tax->amountBox, "-0.5");
    click(tax->enterButton);
    EXPECT_FLOAT_EQ(taxRate(store), -0.5f);

    settle();
    tax = openForm<TaxRateWindow>(WindowId::TaxRate);
    type(tax->amountBox, "0.07");
    click(tax->exitButton);
    EXPECT_FALSE(isOpen(WindowId::TaxRate));
    EXPECT_FLOAT_EQ(taxRate(store), -0.5f);
}

TEST_F(SetupWindows, TheTaxWindowRefusesTextThatBeginsWithNoNumber) {
    setTaxRate(store, 0.09f);
    const std::string before = file(directory.tax());
    auto* tax = openForm<TaxRateWindow>(WindowId::TaxRate);
    for (const QString& typed : {QString("nine"), QString(""), QString("  "), QString("%9")}) {
        SCOPED_TRACE(typed.toStdString());
        dialogs.shown.clear();
        type(tax->amountBox, typed);
        click(tax->enterButton);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].title, "ATTENTION!");
        EXPECT_EQ(dialogs.shown[0].text, "The tax rate must be a number, for example .09 for 9%.");
        EXPECT_EQ(focusedControl(tax), tax->amountBox);
        EXPECT_TRUE(isOpen(WindowId::TaxRate));
        EXPECT_EQ(file(directory.tax()), before);
    }
}

// --- Pet fee ---------------------------------------------------------------------------------

TEST_F(SetupWindows, ThePetFeeWindowWorksAsTheTaxWindowOnThePetFee) {
    auto* pet = openForm<PetFeeWindow>(WindowId::PetFee);
    EXPECT_EQ(pet->windowTitle(), "Set Pet Fee Amount");
    EXPECT_EQ(pet->pos(), placeOf(pet, 500, 500));
    EXPECT_EQ(pet->amountBox->text(), "0");
    type(pet->amountBox, "12.50");
    click(pet->enterButton);
    EXPECT_EQ(file(directory.pet()), single(12.5f));
    EXPECT_FALSE(isOpen(WindowId::PetFee));
    EXPECT_EQ(file(directory.tax()), "");

    settle();
    pet = openForm<PetFeeWindow>(WindowId::PetFee);
    EXPECT_EQ(pet->amountBox->text(), "12.5");
    type(pet->amountBox, "ten");
    click(pet->enterButton);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "ATTENTION!");
    EXPECT_EQ(dialogs.shown[0].text, "The pet fee must be a number, for example 10.");
    EXPECT_EQ(focusedControl(pet), pet->amountBox);
    EXPECT_FLOAT_EQ(petFee(store), 12.5f);
    click(pet->exitButton);
    EXPECT_FALSE(isOpen(WindowId::PetFee));
    EXPECT_FLOAT_EQ(petFee(store), 12.5f);
}

// --- Shift and clerk -------------------------------------------------------------------------

TEST_F(SetupWindows, TheShiftWindowOffersABCAndShowsWhatIsStored) {
    auto* shift = openForm<ShiftClerkWindow>(WindowId::ShiftClerk);
    EXPECT_EQ(shift->windowTitle(), "Set Shift and Clerk");
    EXPECT_EQ(shift->pos(), placeOf(shift, 500, 3600));
    ASSERT_EQ(shift->shiftCombo->count(), 3);
    EXPECT_EQ(shift->shiftCombo->itemText(0), "A");
    EXPECT_EQ(shift->shiftCombo->itemText(1), "B");
    EXPECT_EQ(shift->shiftCombo->itemText(2), "C");
    // Nothing stored yet: the box is empty and shows its prompt.
    EXPECT_EQ(shift->shiftCombo->currentText(), "");
    EXPECT_EQ(shift->shiftCombo->lineEdit()->placeholderText(), "Select Shift");
    EXPECT_EQ(shift->initialsBox->text(), "");
    EXPECT_EQ(tabOrder(shift, shift->shiftCombo, 4),
              (QStringList{"Combo1", "Text1", "Command1", "Command2"}));
    click(shift->exitButton);
    settle();

    setShiftAndClerk(store, shiftClerkRecord("B", "JD"));
    settle();
    shift = openForm<ShiftClerkWindow>(WindowId::ShiftClerk);
    EXPECT_EQ(shift->shiftCombo->currentText(), "B");
    EXPECT_EQ(shift->initialsBox->text(), "JD");
}

TEST_F(SetupWindows, PickingAShiftMovesToTheInitialsAndEnterNowStoresBoth) {
    auto* shift = openForm<ShiftClerkWindow>(WindowId::ShiftClerk);
    pick(shift->shiftCombo, "C");
    EXPECT_EQ(focusedControl(shift), shift->initialsBox);
    QTest::keyClicks(shift->initialsBox, "mkx");
    EXPECT_EQ(shift->initialsBox->text(), "mk");
    click(shift->enterButton);
    EXPECT_EQ(file(directory.shiftClerk()), "mkC");
    EXPECT_FALSE(isOpen(WindowId::ShiftClerk));
}

TEST_F(SetupWindows, ATypedShiftIsStoredAsTypedEmptyInitialsAsBlanksAndExitStoresNothing) {
    auto* shift = openForm<ShiftClerkWindow>(WindowId::ShiftClerk);
    type(shift->shiftCombo, "Night");
    type(shift->initialsBox, "");
    click(shift->enterButton);
    EXPECT_EQ(file(directory.shiftClerk()), "  N");

    settle();
    shift = openForm<ShiftClerkWindow>(WindowId::ShiftClerk);
    type(shift->shiftCombo, "");
    type(shift->initialsBox, "JD");
    click(shift->enterButton);
    EXPECT_EQ(file(directory.shiftClerk()), "JD ");

    settle();
    shift = openForm<ShiftClerkWindow>(WindowId::ShiftClerk);
    pick(shift->shiftCombo, "B");
    type(shift->initialsBox, "XY");
    click(shift->exitButton);
    EXPECT_FALSE(isOpen(WindowId::ShiftClerk));
    EXPECT_EQ(file(directory.shiftClerk()), "JD ");
}

// --- Greetings -------------------------------------------------------------------------------

TEST_F(SetupWindows, OnAFirstStartTheGreetingsShowBothRemindersWithTheirButtons) {
    auto* main = openForm<MainWindow>(WindowId::Main);
    ASSERT_NE(main, nullptr);
    auto* greetings = findForm<GreetingsWindow>(WindowId::Greetings);
    ASSERT_NE(greetings, nullptr);
    EXPECT_EQ(greetings->pos(), placeOf(greetings, 300, 4000));
    EXPECT_EQ(greetings->roomInventoryLabel->text(),
              "I'm showing that you haven't entered room inventory yet. To do that, ");
    EXPECT_EQ(greetings->taxRateLabel->text(),
              "I'm showing that you haven't entered you tax amount. To do that, ");
    EXPECT_TRUE(greetings->roomInventoryButton->isVisible());
    EXPECT_TRUE(greetings->taxRateButton->isVisible());
}

TEST_F(SetupWindows, OnceARoomAndTheTaxAreInTheGreetingsSaySo) {
    addRoom();
    setTaxRate(store, 0.09f);
    auto* greetings = openForm<GreetingsWindow>(WindowId::Greetings);
    EXPECT_EQ(greetings->roomInventoryLabel->text(), "Your room inventory has been entered.");
    EXPECT_EQ(greetings->taxRateLabel->text(), "Your tax amount has been entered.");
    EXPECT_FALSE(greetings->roomInventoryButton->isVisible());
    EXPECT_FALSE(greetings->taxRateButton->isVisible());
}

TEST_F(SetupWindows, ATaxRateOfZeroOrLessStillCountsAsNotEntered) {
    for (const float rate : {0.0f, -0.09f}) {
        setTaxRate(store, rate);
        auto* greetings = openForm<GreetingsWindow>(WindowId::Greetings);
        EXPECT_EQ(greetings->taxRateLabel->text(),
                  "I'm showing that you haven't entered you tax amount. To do that, ");
        EXPECT_TRUE(greetings->taxRateButton->isVisible());
        click(greetings->exitButton);
        settle();
    }
}

TEST_F(SetupWindows, TheFirstClickHereOpensTheRoomInventoryAndClosesTheGreetings) {
    auto* greetings = openForm<GreetingsWindow>(WindowId::Greetings);
    click(greetings->roomInventoryButton);
    EXPECT_TRUE(isOpen(WindowId::RoomInventory));
    EXPECT_FALSE(isOpen(WindowId::Greetings));
}

TEST_F(SetupWindows, TheSecondClickHereOpensTheTaxWindowAndClosesTheGreetings) {
    auto* greetings = openForm<GreetingsWindow>(WindowId::Greetings);
    click(greetings->taxRateButton);
    EXPECT_TRUE(isOpen(WindowId::TaxRate));
    EXPECT_FALSE(isOpen(WindowId::Greetings));
}

TEST_F(SetupWindows, TheReminderSwitchIsStoredAtOnceOnTickAndUntick) {
    auto* greetings = openForm<GreetingsWindow>(WindowId::Greetings);
    click(greetings->dontShowAgainCheck);
    EXPECT_EQ(file(directory.greeting()), single(1.0f));
    click(greetings->dontShowAgainCheck);
    EXPECT_EQ(file(directory.greeting()), single(0.0f));
    click(greetings->dontShowAgainCheck);
    EXPECT_EQ(file(directory.greeting()), single(1.0f));
    click(greetings->exitButton);
    EXPECT_FALSE(isOpen(WindowId::Greetings));

    // Switched off, the next start shows no Greetings.
    openForm<MainWindow>(WindowId::Main);
    EXPECT_FALSE(isOpen(WindowId::Greetings));
}

TEST_F(SetupWindows, EnterOnTheGreetingsPressesExit) {
    auto* greetings = openForm<GreetingsWindow>(WindowId::Greetings);
    activate(greetings);
    QTest::keyClick(greetings->dontShowAgainCheck, Qt::Key_Return);
    EXPECT_FALSE(isOpen(WindowId::Greetings));
}

} // namespace
} // namespace roomwright::testing
