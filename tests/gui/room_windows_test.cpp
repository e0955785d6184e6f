// The room inventory, the room properties and status windows, the room list and the unsold
// rooms, driven like a clerk.

// The store's headers come before Qt's (see setup_windows_test.cpp).
#include "gui/gui_fixture.h"
#include "support/records.h"

#include "gui/clerk.h"

#include "setup/room_inventory_window.h"
#include "setup/room_list_window.h"
#include "setup/room_properties_window.h"
#include "setup/room_status_window.h"
#include "setup/unsold_rooms_window.h"
#include "ui/placement.h"

#include <QLabel>
#include <QListWidget>
#include <QScreen>

#include <cstring>

namespace roomwright::testing {
namespace {

class RoomWindows : public DeskTest {
  protected:
    bool isOpen(WindowId id) {
        settle();
        QWidget* window = desk.find(id);
        return window != nullptr && window->isVisible();
    }
    std::string roomFile() { return readFile(directory.room()); }
    std::string roomSlot(std::size_t n) {
        return roomFile().substr((n - 1) * RoomRecord::slotLength, RoomRecord::slotLength);
    }
    std::size_t addRoom(const std::string& number, const std::string& type, float rate,
                        const char* clean = "Y", const char* vacant = "Y", const char* order = "K",
                        const std::string& comment = {}) {
        return store.rooms().append(
            makeRoom(number, type, rate, clean, vacant, order,
                     comment.empty() ? std::nullopt : std::optional<std::string>(comment)));
    }
    static QStringList lines(const QListWidget* list) {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i) {
            texts << list->item(i)->text();
        }
        return texts;
    }
    static QStringList items(const QComboBox* combo) {
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i) {
            texts << combo->itemText(i);
        }
        return texts;
    }
    static QPoint placeOf(QWidget* window, int top, int left) {
        const QScreen* screen = window->screen();
        const double dpi = screen->logicalDotsPerInch();
        return screen->availableGeometry().topLeft() +
               QPoint(twipsToPixels(left, dpi), twipsToPixels(top, dpi));
    }
    void expectRefused(const QString& message) {
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].title, "ATTENTION!");
        EXPECT_EQ(dialogs.shown[0].text, message);
        EXPECT_FALSE(dialogs.shown[0].question);
        dialogs.shown.clear();
    }
    static std::string slot101() {
        std::string slot(RoomRecord::slotLength, '\0');
        slot.replace(0, 4, "101 ");
        slot.replace(4, 10, "NQ1       ");
        const float rate = 45.0f;
        std::memcpy(slot.data() + 14, &rate, 4);
        slot.replace(18, 3, "YYK");
        return slot;
    }

    const QStringList codes{"NQ1", "Q11",  "NDD1", "DD1",  "NK1",
                            "K11", "SNK1", "SK1",  "SNQ1", "SQ1"};
};

// --- Room inventory --------------------------------------------------------------------------

TEST_F(RoomWindows, TheInventoryOpensEmptyWithItsPromptCodesAndLegend) {
    auto* form = openForm<RoomInventoryWindow>(WindowId::RoomInventory);
    EXPECT_EQ(form->windowTitle(), "Enter Room Inventory");
    EXPECT_EQ(form->pos(), placeOf(form, 500, 500));
    EXPECT_EQ(form->roomsList->count(), 0);
    EXPECT_EQ(form->roomTypeCombo->currentText(), "Select Room Type");
    EXPECT_TRUE(form->roomTypeCombo->isEditable());
    EXPECT_EQ(items(form->roomTypeCombo), codes);
    QStringList legend;
    for (const QLabel* label : form->legend) {
        legend << label->text();
    }
    EXPECT_EQ(legend, (QStringList{"NQ1 = Non-Smoking single", "Q11  = Smoking Single",
                                   "NDD1 = Non-Smoking Double", "DD1 = Smoking Double",
                                   "NK1 = Non-Smoking King", "K11 = Smoking King",
                                   "SNK1 = Non-Smoking Suite King", "SK1 = Smoking Suite King",
                                   "SNQ1 = Non-Smoking Suite Queen", "SQ1 = Smoking Suite Queen"}));
    EXPECT_EQ(focusedControl(form), form->roomNumberBox);
    EXPECT_EQ(
        tabOrder(form, form->roomNumberBox, 7),
        (QStringList{"Text1", "Combo1", "Text2", "Command1", "Command2", "List1", "Command3"}));
}

TEST_F(RoomWindows, TheFirstRoomBecomesRecordOneAndTheListShowsIt) {
    auto* form = openForm<RoomInventoryWindow>(WindowId::RoomInventory);
    type(form->roomNumberBox, "101");
    pick(form->roomTypeCombo, "NQ1");
    EXPECT_EQ(focusedControl(form), form->rateBox);
    QTest::keyClicks(form->rateBox, "45");
    click(form->enterRoomButton);

    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(roomFile(), slot101());
    EXPECT_EQ(lines(form->roomsList), QStringList{"101   NQ1    45"});
    EXPECT_EQ(form->roomNumberBox->text(), "");
    EXPECT_EQ(form->roomTypeCombo->currentText(), "Select Room Type");
    EXPECT_EQ(form->rateBox->text(), "");
    EXPECT_EQ(focusedControl(form), form->roomNumberBox);
}

TEST_F(RoomWindows, EnterEntersTheRoomAndATypedCodeAndRateAreKeptAsTyped) {
    auto* form = openForm<RoomInventoryWindow>(WindowId::RoomInventory);
    activate(form);
    type(form->roomNumberBox, "102");
    type(form->rateBox, "45.50");
    type(form->roomTypeCombo, "xl9");
    QTest::keyClick(form->roomTypeCombo->lineEdit(), Qt::Key_Return);
    EXPECT_TRUE(dialogs.shown.empty());
    ASSERT_EQ(store.rooms().count(), 1u);
    EXPECT_EQ(store.rooms().read(1).RoomType.str(), "xl9       ");
    EXPECT_FLOAT_EQ(store.rooms().read(1).Rate, 45.5f);
    EXPECT_EQ(lines(form->roomsList), QStringList{"102   xl9    45.5"});
    EXPECT_EQ(form->roomTypeCombo->count(), 10);

    type(form->roomNumberBox, "103");
    pick(form->roomTypeCombo, "SQ1");
    QTest::keyClicks(form->rateBox, "60");
    QTest::keyClick(form->rateBox, Qt::Key_Return);
    EXPECT_EQ(lines(form->roomsList), (QStringList{"102   xl9    45.5", "103   SQ1    60"}));
}

TEST_F(RoomWindows, ClearFieldsShowsItsOwnPromptAndWritesNothing) {
    auto* form = openForm<RoomInventoryWindow>(WindowId::RoomInventory);
    type(form->roomNumberBox, "101");
    pick(form->roomTypeCombo, "SQ1");
    type(form->rateBox, "45");
    click(form->clearButton);
    EXPECT_EQ(form->roomNumberBox->text(), "");
    EXPECT_EQ(form->rateBox->text(), "");
    EXPECT_EQ(form->roomTypeCombo->currentText(), "Select Rooom Type");
    EXPECT_EQ(focusedControl(form), form->roomNumberBox);
    EXPECT_EQ(roomFile(), "");
}

TEST_F(RoomWindows, TheInventoryListsEveryRecordAlreadyInTheFile) {
    addRoom("101", "NQ1", 45.0f);
    addRoom("101", "NQ1", 45.0f); // a file from before the check keeps working
    addRoom("7", "Select Roo", 0.0f);
    auto* form = openForm<RoomInventoryWindow>(WindowId::RoomInventory);
    EXPECT_EQ(lines(form->roomsList),
              (QStringList{"101   NQ1    45", "101   NQ1    45", "7     Select Roo    0"}));
}

TEST_F(RoomWindows, EnterRoomNowRefusesWhatNoWindowCouldPickAndWritesNothing) {
    addRoom("101", "NQ1", 45.0f);
    const std::string before = roomFile();
    auto* form = openForm<RoomInventoryWindow>(WindowId::RoomInventory);
    struct Case {
        QString number, type, rate;
        QWidget* focus;
        QString message;
    };
    const QString length = "A room number must be exactly three characters long, for example 101.";
    const QString notANumber = "The room rate must be a number, for example 45 or 45.50.";
    const std::vector<Case> cases = {
        {"", "NQ1", "45", form->roomNumberBox, "You did not enter a room number."},
        {"10", "NQ1", "45", form->roomNumberBox, length},
        {"1011", "NQ1", "45", form->roomNumberBox, length},
        {"101", "SQ1", "60", form->roomNumberBox,
         "Room 101 has already been entered. Its type and rate are changed in Edit Room "
         "Properties."},
        {"102", "Select Room Type", "45", form->roomTypeCombo, "You did not select a room type."},
        {"102", "Select Rooom Type", "45", form->roomTypeCombo, "You did not select a room type."},
        {"102", "", "55.5", form->roomTypeCombo, "You did not select a room type."},
        {"102", "   ", "55.5", form->roomTypeCombo, "You did not select a room type."},
        {"102", "NQ1", "", form->rateBox, "You did not enter a room rate."},
        {"102", "NQ1", "abc", form->rateBox, notANumber},
        {"102", "NQ1", "12abc", form->rateBox, notANumber},
        {"102", "NQ1", "-5", form->rateBox, "The room rate cannot be less than 0."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.number + " / " + c.type + " / " + c.rate).toStdString());
        type(form->roomNumberBox, c.number);
        type(form->roomTypeCombo, c.type);
        type(form->rateBox, c.rate);
        click(form->enterRoomButton);
        expectRefused(c.message);
        EXPECT_EQ(focusedControl(form), c.focus);
        EXPECT_EQ(roomFile(), before);
        EXPECT_EQ(lines(form->roomsList), QStringList{"101   NQ1    45"});
        // The fields stay as typed, to be mended.
        EXPECT_EQ(form->roomNumberBox->text(), c.number);
        EXPECT_EQ(form->rateBox->text(), c.rate);
    }
}

// --- Room list -------------------------------------------------------------------------------

TEST_F(RoomWindows, TheRoomListMarksOccupiedAndDirtyRooms) {
    addRoom("101", "NQ1", 45.0f);
    addRoom("105", "K11", 60.0f, "N", "N", "K");
    addRoom("106", "SQ1", 60.0f, "Y", "N", "X");
    addRoom("107", "DD1", 60.0f, "N", "Y", "X");
    addRoom("12", "NK1", 60.0f, "?", "", "K");
    auto* form = openForm<RoomListWindow>(WindowId::RoomList);
    EXPECT_EQ(form->windowTitle(), "Room List");
    EXPECT_EQ(form->pos(), placeOf(form, 300, 300));
    EXPECT_EQ(lines(form->roomsList),
              (QStringList{"101   NQ1", "105   K11 - Occuppied - Dirty", "106   SQ1 - Occuppied",
                           "107   DD1 - Dirty", "12    NK1"}));
}

TEST_F(RoomWindows, MakeAllRoomsCleanKeepsEveryOtherField) {
    addRoom("101", "NQ1", 45.0f, "N", "N", "X", "broken lamp");
    addRoom("102", "Q11", 50.5f, "Y", "N", "K", "quiet");
    addRoom("103", "SK1", 70.0f, "N", "Y", "K");
    const std::string before = roomFile();
    auto* form = openForm<RoomListWindow>(WindowId::RoomList);
    click(form->makeAllCleanButton);
    std::string expected = before;
    expected[18] = 'Y';
    expected[2 * RoomRecord::slotLength + 18] = 'Y';
    EXPECT_EQ(roomFile(), expected);
    EXPECT_EQ(lines(form->roomsList),
              (QStringList{"101   NQ1 - Occuppied", "102   Q11 - Occuppied", "103   SK1"}));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(RoomWindows, AnEmptyRoomFileGivesEmptyListsAndCleaningWritesNothing) {
    auto* list = openForm<RoomListWindow>(WindowId::RoomList);
    EXPECT_EQ(list->roomsList->count(), 0);
    click(list->makeAllCleanButton);
    EXPECT_EQ(roomFile(), "");
    EXPECT_EQ(openForm<UnsoldRoomsWindow>(WindowId::UnsoldRooms)->roomsList->count(), 0);
    EXPECT_EQ(openForm<RoomPropertiesWindow>(WindowId::RoomProperties)->roomCombo->count(), 0);
    EXPECT_EQ(openForm<RoomStatusWindow>(WindowId::RoomStatus)->roomCombo->count(), 0);
}

// --- Unsold rooms ----------------------------------------------------------------------------

TEST_F(RoomWindows, UnsoldRoomsListVacantOutOfOrderRoomsAndNotOccupiedCleanOnes) {
    addRoom("101", "NQ1", 45.0f, "Y", "Y", "X");
    addRoom("102", "NQ1", 45.0f, "Y", "N", "K");
    addRoom("103", "SNQ1", 45.0f, "N", "Y", "K");
    addRoom("104", "SNQ1", 45.0f, "Y", "?", "K");
    auto* form = openForm<UnsoldRoomsWindow>(WindowId::UnsoldRooms);
    EXPECT_EQ(form->windowTitle(), "Unsold Rooms");
    EXPECT_EQ(form->pos(), placeOf(form, 300, 300));
    EXPECT_EQ(lines(form->roomsList), (QStringList{"101   NQ1", "103   SNQ1"}));
    click(form->exitButton);
    EXPECT_FALSE(isOpen(WindowId::UnsoldRooms));
}

// --- Room properties -------------------------------------------------------------------------

TEST_F(RoomWindows, PropertiesOfferEveryRoomAndTheTenTypes) {
    addRoom("101", "NQ1", 45.0f);
    addRoom("12", "SNQ1", 45.0f);
    auto* form = openForm<RoomPropertiesWindow>(WindowId::RoomProperties);
    EXPECT_EQ(form->windowTitle(), "Edit Room Properties");
    EXPECT_EQ(form->pos(), placeOf(form, 500, 3000));
    EXPECT_EQ(items(form->roomCombo), (QStringList{"101  NQ1       ", "12  SNQ1      "}));
    EXPECT_EQ(form->roomCombo->currentIndex(), -1);
    EXPECT_EQ(form->roomCombo->placeholderText(), "Select Room");
    EXPECT_EQ(items(form->roomTypeCombo), codes);
    EXPECT_EQ(form->roomTypeCombo->currentText(), "Select Room Type");
    EXPECT_EQ(tabOrder(form, form->roomCombo, 5),
              (QStringList{"Combo1", "Combo2", "Text1", "Command2", "Command1"}));

    // A room of any stored length is found from its entry.
    pick(form->roomCombo, "12  SNQ1      ");
    EXPECT_EQ(form->roomNumberLabel->text(), "12  ");
    EXPECT_EQ(form->roomTypeCombo->currentText(), "SNQ1");
    EXPECT_EQ(form->rateBox->text(), "45");
}

TEST_F(RoomWindows, PropertiesShowTheLastOfTwoSameNumberedRoomsAndSaveIntoTheFirst) {
    addRoom("101", "NQ1", 45.0f);
    addRoom("101", "SQ1", 49.5f);
    const std::string second = roomSlot(2);
    auto* form = openForm<RoomPropertiesWindow>(WindowId::RoomProperties);
    pick(form->roomCombo, "101  NQ1       ");
    EXPECT_EQ(form->roomNumberLabel->text(), "101 ");
    EXPECT_EQ(form->roomTypeCombo->currentText(), "SQ1");
    EXPECT_EQ(form->rateBox->text(), "49.5");

    pick(form->roomTypeCombo, "K11");
    type(form->rateBox, "65.25");
    click(form->saveButton);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "ATTENTION!");
    EXPECT_EQ(dialogs.shown[0].text, "Your changes have been made.");
    std::string expected = slot101();
    expected.replace(4, 10, "K11       ");
    const float rate = 65.25f;
    std::memcpy(expected.data() + 14, &rate, 4);
    EXPECT_EQ(roomSlot(1), expected);
    EXPECT_EQ(roomSlot(2), second);
}

TEST_F(RoomWindows, PropertiesRefuseRoomTypeAndRateInThatOrderAndLeaveTheRoomAsItIs) {
    addRoom("101", "NQ1", 45.0f);
    const std::string before = roomFile();
    auto* form = openForm<RoomPropertiesWindow>(WindowId::RoomProperties);

    click(form->saveButton);
    expectRefused("You did not select a room.");
    EXPECT_EQ(focusedControl(form), form->roomCombo);

    pick(form->roomCombo, "101  NQ1       ");
    type(form->roomTypeCombo, "Select Room Type");
    type(form->rateBox, "");
    click(form->saveButton);
    expectRefused("You did not select a room type.");
    EXPECT_EQ(focusedControl(form), form->roomTypeCombo);

    pick(form->roomTypeCombo, "DD1");
    click(form->saveButton);
    expectRefused("You did not select a room rate.");
    EXPECT_EQ(focusedControl(form), form->rateBox);

    type(form->rateBox, "fifty");
    click(form->saveButton);
    expectRefused("The room rate must be a number, for example 45 or 45.50.");
    EXPECT_EQ(focusedControl(form), form->rateBox);

    type(form->rateBox, "-5");
    click(form->saveButton);
    expectRefused("The room rate cannot be less than 0.");
    EXPECT_EQ(focusedControl(form), form->rateBox);

    type(form->roomTypeCombo, " ");
    type(form->rateBox, "55.5");
    click(form->saveButton);
    expectRefused("You did not select a room type.");
    EXPECT_EQ(focusedControl(form), form->roomTypeCombo);

    EXPECT_EQ(roomFile(), before);
}

TEST_F(RoomWindows, EnterSavesThePropertiesAndATypedCodeIsKept) {
    addRoom("101", "NQ1", 45.0f);
    auto* form = openForm<RoomPropertiesWindow>(WindowId::RoomProperties);
    activate(form);
    pick(form->roomCombo, "101  NQ1       ");
    type(form->roomTypeCombo, "Z9");
    type(form->rateBox, "55");
    QTest::keyClick(form->rateBox, Qt::Key_Enter);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Your changes have been made.");
    EXPECT_EQ(store.rooms().read(1).RoomType.str(), "Z9        ");
    EXPECT_FLOAT_EQ(store.rooms().read(1).Rate, 55.0f);
    click(form->exitButton);
    EXPECT_FALSE(isOpen(WindowId::RoomProperties));
}

// --- Room status -----------------------------------------------------------------------------

TEST_F(RoomWindows, PropertiesAndStatusFindAndSaveARoomWhateverTheLengthOfItsNumber) {
    addRoom("107", "NQ1", 100);
    for (const RoomNumberCase& room : kRoomNumbers) {
        addRoom(room.number, "SNQ1", room.rate);
    }
    auto* properties = openForm<RoomPropertiesWindow>(WindowId::RoomProperties);
    auto* status = openForm<RoomStatusWindow>(WindowId::RoomStatus);
    std::size_t record = 1;
    for (const RoomNumberCase& room : kRoomNumbers) {
        SCOPED_TRACE(room.number);
        ++record;
        const QString number = room.number;
        const auto entryOf = [&](QComboBox* list) {
            return list->itemText(list->findData(number));
        };
        pick(properties->roomCombo, entryOf(properties->roomCombo));
        EXPECT_EQ(properties->roomNumberLabel->text(), number.leftJustified(4));
        EXPECT_EQ(properties->roomTypeCombo->currentText(), "SNQ1");
        EXPECT_EQ(properties->rateBox->text(), room.rateText);
        properties->rateBox->setText("99.5");
        click(properties->saveButton);
        expectRefused("Your changes have been made.");
        EXPECT_EQ(store.rooms().read(record).Rate, 99.5f);

        pick(status->roomCombo, entryOf(status->roomCombo));
        EXPECT_EQ(status->roomNumberLabel->text(), number);
        EXPECT_TRUE(status->cleanOption->isChecked());
        click(status->dirtyOption);
        click(status->saveButton);
        expectRefused("Your changes have been made.");
        EXPECT_EQ(store.rooms().read(record).CleanFlag.str(), "N");
    }
    EXPECT_EQ(store.rooms().read(1).Rate, 100.0f); // room 107 as it was
}

TEST_F(RoomWindows, StatusShowsTheFirstMatchingRoom) {
    addRoom("101", "NQ1", 45.0f, "N", "Y", "X", "leaking tap");
    addRoom("101", "SQ1", 45.0f, "Y", "N", "K", "other");
    auto* form = openForm<RoomStatusWindow>(WindowId::RoomStatus);
    EXPECT_EQ(form->windowTitle(), "Set Room Status");
    EXPECT_EQ(form->pos(), placeOf(form, 500, 3000));
    EXPECT_EQ(items(form->roomCombo), (QStringList{"101  NQ1       ", "101  SQ1       "}));
    for (QRadioButton* option :
         {form->cleanOption, form->dirtyOption, form->vacantOption, form->nonVacantOption,
          form->inOrderOption, form->outOfOrderOption}) {
        EXPECT_FALSE(option->isChecked());
    }

    pick(form->roomCombo, "101  SQ1       ");
    EXPECT_EQ(form->roomNumberLabel->text(), "101");
    EXPECT_TRUE(form->dirtyOption->isChecked());
    EXPECT_TRUE(form->vacantOption->isChecked());
    EXPECT_TRUE(form->outOfOrderOption->isChecked());
    EXPECT_EQ(form->commentBox->text(), QString("leaking tap") + QString(69, ' '));
}

TEST_F(RoomWindows, StatusDirtyVacantOutOfOrderWritesNYXAndTheListShowsDirtyAlone) {
    addRoom("101", "NQ1", 45.0f, "Y", "N", "K");
    auto* form = openForm<RoomStatusWindow>(WindowId::RoomStatus);
    pick(form->roomCombo, "101  NQ1       ");
    EXPECT_EQ(form->commentBox->text(), "");
    click(form->dirtyOption);
    click(form->vacantOption);
    click(form->outOfOrderOption);
    type(form->commentBox, "new carpet");
    click(form->saveButton);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "ATTENTION!");
    EXPECT_EQ(dialogs.shown[0].text, "Your changes have been made.");
    std::string expected = slot101();
    expected.replace(18, 3, "NYX");
    expected.replace(21, 80, "new carpet" + std::string(70, ' '));
    EXPECT_EQ(roomSlot(1), expected);

    click(form->exitButton);
    EXPECT_FALSE(isOpen(WindowId::RoomStatus));
    EXPECT_EQ(lines(openForm<RoomListWindow>(WindowId::RoomList)->roomsList),
              QStringList{"101   NQ1 - Dirty"});
}

TEST_F(RoomWindows, AFlagWithAnotherLetterLeavesItsPairAndIsKeptOnSave) {
    addRoom("101", "NQ1", 45.0f, "?", "Y", "Z");
    auto* form = openForm<RoomStatusWindow>(WindowId::RoomStatus);
    pick(form->roomCombo, "101  NQ1       ");
    EXPECT_FALSE(form->cleanOption->isChecked());
    EXPECT_FALSE(form->dirtyOption->isChecked());
    EXPECT_TRUE(form->vacantOption->isChecked());
    EXPECT_FALSE(form->inOrderOption->isChecked());
    EXPECT_FALSE(form->outOfOrderOption->isChecked());
    activate(form);
    QTest::keyClick(form->commentBox, Qt::Key_Return);
    EXPECT_EQ(roomSlot(1).substr(18, 3), "?YZ");
    EXPECT_EQ(roomSlot(1).substr(21, 80), std::string(80, ' '));
}

TEST_F(RoomWindows, SavingStatusWithoutARoomWritesNothingAndSaysNothing) {
    addRoom("101", "NQ1", 45.0f);
    const std::string before = roomFile();
    auto* form = openForm<RoomStatusWindow>(WindowId::RoomStatus);
    click(form->dirtyOption);
    click(form->saveButton);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(roomFile(), before);
}

} // namespace
} // namespace roomwright::testing
