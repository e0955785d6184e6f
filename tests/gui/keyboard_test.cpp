#include "gui/clerk.h"
#include "gui/gui_fixture.h"
#include "store/settings.h"
#include "support/records.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

#include <memory>

namespace roomwright::testing {
namespace {

// The windows as a clerk meets them: rooms to pick and a guest in house.
class Keyboard : public DeskTest {
  protected:
    Keyboard() {
        setShiftAndClerk(store, ShiftClerkRecord{"JS", "A", {}});
        store.rooms().append(makeRoom("101", "NQ1", 45));
        store.rooms().append(makeRoom("102", "K11", 65));
        GuestRecord guest = makeStay("101", "Smith", "Ann", clock.today().plusDays(1));
        guest.FolioNumber = 7;
        guest.ArrivalDate = clock.today().stored();
        store.guests().append(guest);
    }

    template <class Control> static Control* control(QWidget* window, const char* name) {
        auto* found = window->findChild<Control*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // Picks the first entry of a list, as a click on it does.
    static void pickFirst(QComboBox* combo) {
        combo->setCurrentIndex(0);
        emit combo->activated(0);
    }
};

// What brings up a box in a window: an optional first pick, text typed into a box, a button.
struct BoxCase {
    WindowId id;
    const char* pick;
    const char* box;
    const char* text;
    const char* button;
};

const BoxCase kBoxes[] = {
    {WindowId::PetFee, nullptr, "Text1", "x", "Command1"},               // not a number
    {WindowId::TaxRate, nullptr, "Text1", "x", "Command1"},              // not a number
    {WindowId::RoomInventory, nullptr, nullptr, nullptr, "Command1"},    // no room number
    {WindowId::RoomProperties, nullptr, nullptr, nullptr, "Command2"},   // no room
    {WindowId::RoomProperties, "Combo1", nullptr, nullptr, "Command2"},  // changes made
    {WindowId::RoomStatus, "Combo1", nullptr, nullptr, "Command2"},      // changes made
    {WindowId::CheckIn, nullptr, nullptr, nullptr, "Command1"},          // no last name
    {WindowId::GuestFolio, "Combo1", nullptr, nullptr, "Command5"},      // no amount
    {WindowId::GuestFolio, "Combo1", nullptr, nullptr, "Command3"},      // check out? (a question)
    {WindowId::ReservationEntry, nullptr, nullptr, nullptr, "Command3"}, // nothing typed
    {WindowId::Reservation, nullptr, "Text1", "x", "Command1"},          // no such booking
};

TEST_F(Keyboard, AWindowClosedUnderItsOwnBoxGoesOnlyOnceTheBoxIsGone) {
    for (const BoxCase& c : kBoxes) {
        SCOPED_TRACE(std::string(c.button) + " of window " + std::to_string(int(c.id)));
        QPointer<QWidget> window = desk.open(c.id);
        ASSERT_TRUE(window);
        if (c.pick != nullptr) {
            pickFirst(control<QComboBox>(window, c.pick));
        }
        if (c.box != nullptr) {
            type(control<QLineEdit>(window, c.box), QString::fromLatin1(c.text));
        }
        dialogs.shown.clear();
        bool keptUnderTheBox = false;
        dialogs.whileUp = [&] {
            if (window && window->isVisible()) {
                window->close();
                settle();
                keptUnderTheBox = !window.isNull();
            }
        };
        click(control<QPushButton>(window, c.button));
        dialogs.whileUp = nullptr;
        EXPECT_FALSE(dialogs.shown.empty());
        EXPECT_TRUE(keptUnderTheBox);
        settle();
        EXPECT_TRUE(window.isNull());
        EXPECT_EQ(desk.find(c.id), nullptr);
    }
}

// The real boxes: while one is up its window is closed, then the clerk answers the box.
TEST_F(Keyboard, ARealBoxOutlivesTheWindowClosedUnderItAndWarnsWithTheWarningIcon) {
    MessageBoxDialogs real;
    Desk realDesk(Store(directory, files), clock, real, printer);
    for (const BoxCase& c : {kBoxes[0], kBoxes[3], kBoxes[8]}) {
        SCOPED_TRACE(c.button);
        QPointer<QWidget> window = realDesk.open(c.id);
        ASSERT_TRUE(window);
        if (c.pick != nullptr) {
            pickFirst(control<QComboBox>(window, c.pick));
        }
        if (c.box != nullptr) {
            type(control<QLineEdit>(window, c.box), QString::fromLatin1(c.text));
        }
        std::optional<QMessageBox::Icon> icon;
        bool keptUnderTheBox = false;
        QTimer answer;
        answer.setInterval(5);
        QObject::connect(&answer, &QTimer::timeout, [&] {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(top);
                if (box == nullptr || !box->isVisible()) {
                    continue;
                }
                answer.stop();
                icon = box->icon();
                window->close();
                settle();
                keptUnderTheBox = !window.isNull();
                box->done(QMessageBox::Yes);
                return;
            }
        });
        answer.start();
        click(control<QPushButton>(window, c.button));
        answer.stop();
        ASSERT_TRUE(icon.has_value());
        EXPECT_EQ(*icon, c.button == std::string("Command3") ? QMessageBox::Question
                                                             : QMessageBox::Warning);
        EXPECT_TRUE(keptUnderTheBox);
        settle();
        EXPECT_TRUE(window.isNull());
    }
}

// Every window with lists to pick from, opened afresh for each list.
const WindowId kWindowsWithLists[] = {
    WindowId::RoomInventory, WindowId::RoomProperties,   WindowId::RoomStatus,
    WindowId::ShiftClerk,    WindowId::CheckIn,          WindowId::GuestFolio,
    WindowId::Reservations,  WindowId::ReservationEntry, WindowId::Reservation,
    WindowId::MonthlyReport, WindowId::NightAudit,       WindowId::HistoryNames,
};

TEST_F(Keyboard, ReturnInAnOpenListOnlyPicksTheEntry) {
    for (const WindowId id : kWindowsWithLists) {
        QWidget* window = desk.open(id);
        ASSERT_NE(window, nullptr);
        for (QComboBox* combo : window->findChildren<QComboBox*>()) {
            if (!combo->isVisible() || !combo->isEnabled() || combo->count() < 2) {
                continue;
            }
            SCOPED_TRACE((window->objectName() + " " + combo->objectName()).toStdString());
            std::vector<std::unique_ptr<QSignalSpy>> presses;
            for (QPushButton* button : window->findChildren<QPushButton*>()) {
                presses.push_back(std::make_unique<QSignalSpy>(button, &QPushButton::clicked));
            }
            activate(window);
            combo->setFocus();
            QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
            ASSERT_TRUE(combo->view()->isVisible());
            const int row = combo->view()->currentIndex().row();
            const int next = row < 0 ? 0 : row + 1;
            if (row >= 0) {
                QTest::keyClick(combo->view(), Qt::Key_Down);
            } else {
                combo->view()->setCurrentIndex(combo->model()->index(0, 0));
            }
            QTest::keyClick(combo->view(), Qt::Key_Return);
            EXPECT_FALSE(combo->view()->isVisible());
            EXPECT_EQ(combo->currentIndex(), next);
            for (const auto& spy : presses) {
                EXPECT_EQ(spy->count(), 0) << spy->signal().toStdString();
            }
            EXPECT_TRUE(window->isVisible());
        }
        window->close();
        settle();
    }
}

// Every window with its buttons; the main window's Exit ends the program and is left out.
const WindowId kWindowsWithButtons[] = {
    WindowId::Main,          WindowId::MainMenu,         WindowId::RoomInventory,
    WindowId::RoomList,      WindowId::UnsoldRooms,      WindowId::CheckIn,
    WindowId::TaxRate,       WindowId::PetFee,           WindowId::GuestFolio,
    WindowId::ShiftClerk,    WindowId::RoomProperties,   WindowId::RoomStatus,
    WindowId::Greetings,     WindowId::PostMessage,      WindowId::ReadMessage,
    WindowId::Reservations,  WindowId::ReservationEntry, WindowId::Reservation,
    WindowId::MonthlyReport, WindowId::NightAudit,       WindowId::GuestHistory,
    WindowId::HistoryNames,
};

TEST_F(Keyboard, ReturnPressesTheFocusedButtonAndNoOther) {
    for (const WindowId id : kWindowsWithButtons) {
        QStringList names;
        QWidget* first = desk.open(id);
        ASSERT_NE(first, nullptr);
        for (const QPushButton* button : first->findChildren<QPushButton*>()) {
            const bool quits = id == WindowId::Main && button->objectName() == "Command4";
            if (button->isVisible() && button->isEnabled() && !quits) {
                names << button->objectName();
            }
        }
        for (const QString& name : names) {
            settle();
            QWidget* window = desk.open(id);
            SCOPED_TRACE((window->objectName() + " " + name).toStdString());
            auto* button = window->findChild<QPushButton*>(name);
            ASSERT_NE(button, nullptr);
            std::vector<std::unique_ptr<QSignalSpy>> others;
            for (QPushButton* other : window->findChildren<QPushButton*>()) {
                if (other != button) {
                    others.push_back(std::make_unique<QSignalSpy>(other, &QPushButton::clicked));
                }
            }
            QSignalSpy pressed(button, &QPushButton::clicked);
            button->setFocus();
            QTest::keyClick(button, Qt::Key_Return);
            EXPECT_EQ(pressed.count(), 1);
            for (const auto& spy : others) {
                EXPECT_EQ(spy->count(), 0);
            }
        }
        settle();
        if (QWidget* window = desk.find(id)) {
            window->close();
        }
        settle();
    }
}

} // namespace
} // namespace roomwright::testing
