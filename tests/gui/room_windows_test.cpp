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
    auto* form = openForm<Form3>(WindowId::RoomInventory);
    EXPECT_EQ(form->windowTitle(), "Enter Room Inventory");
    EXPECT_EQ(form->pos(), placeOf(form, 500, 500));
    EXPECT_EQ(form->List1->count(), 0);
    EXPECT_EQ(form->Combo1->currentText(), "Select Room Type");
    EXPECT_TRUE(form->Combo1->isEditable());
    EXPECT_EQ(items(form->Combo1), codes);
    QStringList legend;
    for (const QLabel* label : form->legend) {
        legend << label->text();
    }
    EXPECT_EQ(legend, (QStringList{"NQ1 = Non-Smoking single", "Q11  = Smoking Single",
                                   "NDD1 = Non-Smoking Double", "DD1 = Smoking Double",
                                   "NK1 = Non-Smoking King", "K11 = Smoking King",
                                   "SNK1 = Non-Smoking Suite King", "SK1 = Smoking Suite King",
                                   "SNQ1 = Non-Smoking Suite Queen", "SQ1 = Smoking Suite Queen"}));
    EXPECT_EQ(focusedControl(form), form->Text1);
    EXPECT_EQ(tabOrder(form, form->Text1, 7), (QStringList{"Text1", "Combo1", "Text2", "Command1",
                                                           "Command2", "List1", "Command3"}));
}

TEST_F(RoomWindows, TheFirstRoomBecomesRecordOneAndTheListShowsIt) {
    auto* form = openForm<Form3>(WindowId::RoomInventory);
    type(form->Text1, "101");
    pick(form->Combo1, "NQ1");
    EXPECT_EQ(focusedControl(form), form->Text2);
    QTest::keyClicks(form->Text2, "45");
    click(form->Command1);

    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(roomFile(), slot101());
    EXPECT_EQ(lines(form->List1), QStringList{"101   NQ1    45"});
    EXPECT_EQ(form->Text1->text(), "");
    EXPECT_EQ(form->Combo1->currentText(), "Select Room Type");
    EXPECT_EQ(form->Text2->text(), "");
    EXPECT_EQ(focusedControl(form), form->Text1);
}

TEST_F(RoomWindows, EnterEntersTheRoomAndATypedCodeAndRateAreKeptAsTyped) {
    auto* form = openForm<Form3>(WindowId::RoomInventory);
    activate(form);
    type(form->Text1, "102");
    type(form->Text2, "45.50");
    type(form->Combo1, "xl9");
    QTest::keyClick(form->Combo1->lineEdit(), Qt::Key_Return);
    EXPECT_TRUE(dialogs.shown.empty());
    ASSERT_EQ(store.rooms().count(), 1u);
    EXPECT_EQ(store.rooms().read(1).RoomType.str(), "xl9       ");
    EXPECT_FLOAT_EQ(store.rooms().read(1).Rate, 45.5f);
    EXPECT_EQ(lines(form->List1), QStringList{"102   xl9    45.5"});
    EXPECT_EQ(form->Combo1->count(), 10);

    type(form->Text1, "103");
    pick(form->Combo1, "SQ1");
    QTest::keyClicks(form->Text2, "60");
    QTest::keyClick(form->Text2, Qt::Key_Return);
    EXPECT_EQ(lines(form->List1), (QStringList{"102   xl9    45.5", "103   SQ1    60"}));
}

TEST_F(RoomWindows, ClearFieldsShowsItsOwnPromptAndWritesNothing) {
    auto* form = openForm<Form3>(WindowId::RoomInventory);
    type(form->Text1, "101");
    pick(form->Combo1, "SQ1");
    type(form->Text2, "45");
    click(form->Command2);
    EXPECT_EQ(form->Text1->text(), "");
    EXPECT_EQ(form->Text2->text(), "");
    EXPECT_EQ(form->Combo1->currentText(), "Select Rooom Type");
    EXPECT_EQ(focusedControl(form), form->Text1);
    EXPECT_EQ(roomFile(), "");
}

TEST_F(RoomWindows, TheInventoryListsEveryRecordAlreadyInTheFile) {
    addRoom("101", "NQ1", 45.0f);
    addRoom("101", "NQ1", 45.0f); // a file from before the check keeps working
    addRoom("7", "Select Roo", 0.0f);
    auto* form = openForm<Form3>(WindowId::RoomInventory);
    EXPECT_EQ(lines(form->List1),
              (QStringList{"101   NQ1    45", "101   NQ1    45", "7     Select Roo    0"}));
}

TEST_F(RoomWindows, EnterRoomNowRefusesWhatNoWindowCouldPickAndWritesNothing) {
    addRoom("101", "NQ1", 45.0f);
    const std::string before = roomFile();
    auto* form = openForm<Form3>(WindowId::RoomInventory);
    struct Case {
        QString number, type, rate;
        QWidget* focus;
        QString message;
    };
    const QString length = "A room number must be exactly three characters long, for example 101.";
    const QString notANumber = "The room rate must be a number, for example 45 or 45.50.";
    const std::vector<Case> cases = {
        {"", "NQ1", "45", form->Text1, "You did not enter a room number."},
        {"10", "NQ1", "45", form->Text1, length},
        {"1011", "NQ1", "45", form->Text1, length},
        {"101", "SQ1", "60", form->Text1,
         "Room 101 has already been entered. Its type and rate are changed in Edit Room "
         "Properties."},
        {"102", "Select Room Type", "45", form->Combo1, "You did not select a room type."},
        {"102", "Select Rooom Type", "45", form->Combo1, "You did not select a room type."},
        {"102", "NQ1", "", form->Text2, "You did not enter a room rate."},
        {"102", "NQ1", "abc", form->Text2, notANumber},
        {"102", "NQ1", "12abc", form->Text2, notANumber},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.number + " / " + c.type + " / " + c.rate).toStdString());
        type(form->Text1, c.number);
        type(form->Combo1, c.type);
        type(form->Text2, c.rate);
        click(form->Command1);
        expectRefused(c.message);
        EXPECT_EQ(focusedControl(form), c.focus);
        EXPECT_EQ(roomFile(), before);
        EXPECT_EQ(lines(form->List1), QStringList{"101   NQ1    45"});
        // The fields stay as typed, to be mended.
        EXPECT_EQ(form->Text1->text(), c.number);
        EXPECT_EQ(form->Text2->text(), c.rate);
    }
}

// --- Room list -------------------------------------------------------------------------------

TEST_F(RoomWindows, TheRoomListMarksOccupiedAndDirtyRooms) {
    addRoom("101", "NQ1", 45.0f);
    addRoom("105", "K11", 60.0f, "N", "N", "K");
    addRoom("106", "SQ1", 60.0f, "Y", "N", "X");
    addRoom("107", "DD1", 60.0f, "N", "Y", "X");
    addRoom("12", "NK1", 60.0f, "?", "", "K");
    auto* form = openForm<Form4>(WindowId::RoomList);
    EXPECT_EQ(form->windowTitle(), "Room List");
    EXPECT_EQ(form->pos(), placeOf(form, 300, 300));
    EXPECT_EQ(lines(form->List1),
              (QStringList{"101   NQ1", "105   K11 - Occuppied - Dirty", "106   SQ1 - Occuppied",
                           "107   DD1 - Dirty", "12    NK1"}));
}

TEST_F(RoomWindows, MakeAllRoomsCleanKeepsEveryOtherField) {
    addRoom("101", "NQ1", 45.0f, "N", "N", "X", "broken lamp");
    addRoom("102", "Q11", 50.5f, "Y", "N", "K", "quiet");
    addRoom("103", "SK1", 70.0f, "N", "Y", "K");
    const std::string before = roomFile();
    auto* form = openForm<Form4>(WindowId::RoomList);
    click(form->Command2);
    std::string expected = before;
    expected[18] = 'Y';
    expected[2 * RoomRecord::slotLength + 18] = 'Y';
    EXPECT_EQ(roomFile(), expected);
    EXPECT_EQ(lines(form->List1),
              (QStringList{"101   NQ1 - Occuppied", "102   Q11 - Occuppied", "103   SK1"}));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(RoomWindows, AnEmptyRoomFileGivesEmptyListsAndCleaningWritesNothing) {
    auto* list = openForm<Form4>(WindowId::RoomList);
    EXPECT_EQ(list->List1->count(), 0);
    click(list->Command2);
    EXPECT_EQ(roomFile(), "");
    EXPECT_EQ(openForm<Form5>(WindowId::UnsoldRooms)->List1->count(), 0);
    EXPECT_EQ(openForm<Form23>(WindowId::RoomProperties)->Combo1->count(), 0);
    EXPECT_EQ(openForm<Form24>(WindowId::RoomStatus)->Combo1->count(), 0);
}

// --- Unsold rooms ----------------------------------------------------------------------------

TEST_F(RoomWindows, UnsoldRoomsListVacantOutOfOrderRoomsAndNotOccupiedCleanOnes) {
    addRoom("101", "NQ1", 45.0f, "Y", "Y", "X");
    addRoom("102", "NQ1", 45.0f, "Y", "N", "K");
    addRoom("103", "SNQ1", 45.0f, "N", "Y", "K");
    addRoom("104", "SNQ1", 45.0f, "Y", "?", "K");
    auto* form = openForm<Form5>(WindowId::UnsoldRooms);
    EXPECT_EQ(form->windowTitle(), "Unsold Rooms");
    EXPECT_EQ(form->pos(), placeOf(form, 300, 300));
    EXPECT_EQ(lines(form->List1), (QStringList{"101   NQ1", "103   SNQ1"}));
    click(form->Command1);
    EXPECT_FALSE(isOpen(WindowId::UnsoldRooms));
}

// --- Room properties -------------------------------------------------------------------------

TEST_F(RoomWindows, PropertiesOfferEveryRoomAndTheTenTypes) {
    addRoom("101", "NQ1", 45.0f);
    addRoom("12", "SNQ1", 45.0f);
    auto* form = openForm<Form23>(WindowId::RoomProperties);
    EXPECT_EQ(form->windowTitle(), "Edit Room Properties");
    EXPECT_EQ(form->pos(), placeOf(form, 500, 3000));
    EXPECT_EQ(items(form->Combo1), (QStringList{"101  NQ1       ", "12  SNQ1      "}));
    EXPECT_EQ(form->Combo1->currentIndex(), -1);
    EXPECT_EQ(form->Combo1->placeholderText(), "Select Room");
    EXPECT_EQ(items(form->Combo2), codes);
    EXPECT_EQ(form->Combo2->currentText(), "Select Room Type");
    EXPECT_EQ(tabOrder(form, form->Combo1, 5),
              (QStringList{"Combo1", "Combo2", "Text1", "Command2", "Command1"}));

    // A room whose number is not three characters long can be chosen but fills nothing.
    pick(form->Combo1, "12  SNQ1      ");
    EXPECT_EQ(form->Label2->text(), "");
    EXPECT_EQ(form->Combo2->currentText(), "Select Room Type");
    EXPECT_EQ(form->Text1->text(), "");
}

TEST_F(RoomWindows, PropertiesShowTheLastOfTwoSameNumberedRoomsAndSaveIntoTheFirst) {
    addRoom("101", "NQ1", 45.0f);
    addRoom("101", "SQ1", 49.5f);
    const std::string second = roomSlot(2);
    auto* form = openForm<Form23>(WindowId::RoomProperties);
    pick(form->Combo1, "101  NQ1       ");
    EXPECT_EQ(form->Label2->text(), "101 ");
    EXPECT_EQ(form->Combo2->currentText(), "SQ1");
    EXPECT_EQ(form->Text1->text(), "49.5");

    pick(form->Combo2, "K11");
    type(form->Text1, "65.25");
    click(form->Command2);
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
    auto* form = openForm<Form23>(WindowId::RoomProperties);

    click(form->Command2);
    expectRefused("You did not select a room.");
    EXPECT_EQ(focusedControl(form), form->Combo1);

    pick(form->Combo1, "101  NQ1       ");
    type(form->Combo2, "Select Room Type");
    type(form->Text1, "");
    click(form->Command2);
    expectRefused("You did not select a room type.");
    EXPECT_EQ(focusedControl(form), form->Combo2);

    pick(form->Combo2, "DD1");
    click(form->Command2);
    expectRefused("You did not select a room rate.");
    EXPECT_EQ(focusedControl(form), form->Text1);

    type(form->Text1, "fifty");
    click(form->Command2);
    expectRefused("The room rate must be a number, for example 45 or 45.50.");
    EXPECT_EQ(focusedControl(form), form->Text1);

    EXPECT_EQ(roomFile(), before);
}

TEST_F(RoomWindows, EnterSavesThePropertiesAndATypedCodeIsKept) {
    addRoom("101", "NQ1", 45.0f);
    auto* form = openForm<Form23>(WindowId::RoomProperties);
    activate(form);
    pick(form->Combo1, "101  NQ1       ");
    type(form->Combo2, "Z9");
    type(form->Text1, "55");
    QTest::keyClick(form->Text1, Qt::Key_Enter);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Your changes have been made.");
    EXPECT_EQ(store.rooms().read(1).RoomType.str(), "Z9        ");
    EXPECT_FLOAT_EQ(store.rooms().read(1).Rate, 55.0f);
    click(form->Command1);
    EXPECT_FALSE(isOpen(WindowId::RoomProperties));
}

// --- Room status -----------------------------------------------------------------------------

TEST_F(RoomWindows, StatusShowsTheFirstMatchingRoom) {
    addRoom("101", "NQ1", 45.0f, "N", "Y", "X", "leaking tap");
    addRoom("101", "SQ1", 45.0f, "Y", "N", "K", "other");
    auto* form = openForm<Form24>(WindowId::RoomStatus);
    EXPECT_EQ(form->windowTitle(), "Set Room Status");
    EXPECT_EQ(form->pos(), placeOf(form, 500, 3000));
    EXPECT_EQ(items(form->Combo1), (QStringList{"101  NQ1       ", "101  SQ1       "}));
    for (QRadioButton* option : {form->Option1, form->Option2, form->Option3, form->Option4,
                                 form->Option5, form->Option6}) {
        EXPECT_FALSE(option->isChecked());
    }

    pick(form->Combo1, "101  SQ1       ");
    EXPECT_EQ(form->Label2->text(), "101");
    EXPECT_TRUE(form->Option2->isChecked());
    EXPECT_TRUE(form->Option3->isChecked());
    EXPECT_TRUE(form->Option6->isChecked());
    EXPECT_EQ(form->Text1->text(), QString("leaking tap") + QString(69, ' '));
}

TEST_F(RoomWindows, StatusDirtyVacantOutOfOrderWritesNYXAndTheListShowsDirtyAlone) {
    addRoom("101", "NQ1", 45.0f, "Y", "N", "K");
    auto* form = openForm<Form24>(WindowId::RoomStatus);
    pick(form->Combo1, "101  NQ1       ");
    EXPECT_EQ(form->Text1->text(), "");
    click(form->Option2);
    click(form->Option3);
    click(form->Option6);
    type(form->Text1, "new carpet");
    click(form->Command2);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "ATTENTION!");
    EXPECT_EQ(dialogs.shown[0].text, "Your changes have been made.");
    std::string expected = slot101();
    expected.replace(18, 3, "NYX");
    expected.replace(21, 80, "new carpet" + std::string(70, ' '));
    EXPECT_EQ(roomSlot(1), expected);

    click(form->Command1);
    EXPECT_FALSE(isOpen(WindowId::RoomStatus));
    EXPECT_EQ(lines(openForm<Form4>(WindowId::RoomList)->List1), QStringList{"101   NQ1 - Dirty"});
}

TEST_F(RoomWindows, AFlagWithAnotherLetterLeavesItsPairAndIsKeptOnSave) {
    addRoom("101", "NQ1", 45.0f, "?", "Y", "Z");
    auto* form = openForm<Form24>(WindowId::RoomStatus);
    pick(form->Combo1, "101  NQ1       ");
    EXPECT_FALSE(form->Option1->isChecked());
    EXPECT_FALSE(form->Option2->isChecked());
    EXPECT_TRUE(form->Option3->isChecked());
    EXPECT_FALSE(form->Option5->isChecked());
    EXPECT_FALSE(form->Option6->isChecked());
    activate(form);
    QTest::keyClick(form->Text1, Qt::Key_Return);
    EXPECT_EQ(roomSlot(1).substr(18, 3), "?YZ");
    EXPECT_EQ(roomSlot(1).substr(21, 80), std::string(80, ' '));
}

TEST_F(RoomWindows, SavingStatusWithoutARoomWritesNothingAndSaysNothing) {
    addRoom("101", "NQ1", 45.0f);
    const std::string before = roomFile();
    auto* form = openForm<Form24>(WindowId::RoomStatus);
    click(form->Option2);
    click(form->Command2);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(roomFile(), before);
}

} // namespace
} // namespace roomwright::testing
