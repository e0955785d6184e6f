#include "gui/clerk.h"
#include "gui/gui_fixture.h"
#include "support/records.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QColor>
#include <QComboBox>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTest>

#include <set>

namespace roomwright::testing {
namespace {

struct Built {
    WindowId id;
    const char* name;
};

// Every window this build has, by what it is and the class name it answers to.
const Built kWindows[] = {
    {WindowId::Main, "Form1"},           {WindowId::MainMenu, "Form2"},
    {WindowId::RoomInventory, "Form3"},  {WindowId::RoomList, "Form4"},
    {WindowId::UnsoldRooms, "Form5"},    {WindowId::CheckIn, "Form6"},
    {WindowId::TaxRate, "Form7"},        {WindowId::PetFee, "Form8"},
    {WindowId::GuestFolio, "Form9"},     {WindowId::ShiftClerk, "Form10"},
    {WindowId::Reservations, "Form11"},  {WindowId::ReservationEntry, "Form12"},
    {WindowId::Reservation, "Form15"},   {WindowId::RoomProperties, "Form23"},
    {WindowId::RoomStatus, "Form24"},    {WindowId::PostMessage, "Form25"},
    {WindowId::ReadMessage, "Form26"},   {WindowId::Greetings, "Form27"},
    {WindowId::MonthlyReport, "Form17"}, {WindowId::NightAudit, "Form18"},
    {WindowId::GuestHistory, "Form19"},  {WindowId::HistoryNames, "Form20"},
    {WindowId::MotelDetails, "Form30"},  {WindowId::TapeChart, "TapeChart"},
};

class EveryWindow : public DeskTest {
  protected:
    EveryWindow() { store.rooms().append(makeRoom("101", "NQ1", 45)); }
};

TEST_F(EveryWindow, OpensWithTheIconAndEveryControlNamedAndReachableByKeyboard) {
    for (const Built& built : kWindows) {
        SCOPED_TRACE(built.name);
        QWidget* window = desk.open(built.id);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->objectName(), built.name);
        EXPECT_TRUE(window->isVisible());
        EXPECT_FALSE(window->windowTitle().isEmpty());
        // The program's icon, drawn (its middle is the motel's white wall).
        const QImage icon = window->windowIcon().pixmap(32).toImage();
        ASSERT_FALSE(icon.isNull());
        EXPECT_EQ(icon.pixelColor(16, 16), QColor(Qt::white));
        EXPECT_EQ(controlsWithoutNameOrFocus(window), std::vector<QString>{});
    }
}

// A label that shows a value, in its window, with the caption a screen reader names it by.
struct ValueLabel {
    WindowId id;
    const char* name;
    const char* caption;
};
const ValueLabel kValueLabels[] = {
    {WindowId::Main, "Label1", "Today's date"},
    {WindowId::Main, "Label2", "Time"},
    {WindowId::Main, "Label3", "Motel"},
    {WindowId::TapeChart, "Label1", "Days shown"},
    {WindowId::CheckIn, "Label1", "Today's date"},
    {WindowId::CheckIn, "Label17", "Shift:"},
    {WindowId::CheckIn, "Label19", "Clerk:"},
    {WindowId::GuestFolio, "Label36", "Room"},
    {WindowId::GuestFolio, "Label35", "Folio#"},
    {WindowId::GuestFolio, "Label27", "Arrival Date"},
    {WindowId::GuestFolio, "Label38", "Arrival Time"},
    {WindowId::GuestFolio, "Label31", "Balance......"},
    {WindowId::PostMessage, "Label2", "Folio#"},
    {WindowId::PostMessage, "Label4", "Room #"},
    {WindowId::ReadMessage, "Label2", "Folio#"},
    {WindowId::ReadMessage, "Label4", "Room#"},
    {WindowId::ReadMessage, "Label6", "From"},
    {WindowId::ReadMessage, "Label8", "To"},
    {WindowId::ReadMessage, "Label10", "Date"},
    {WindowId::RoomProperties, "Label2", "Room #"},
    {WindowId::RoomStatus, "Label2", "Room #"},
    {WindowId::ReservationEntry, "Label1", "Today's date"},
    {WindowId::ReservationEntry, "Label20", "Confirmation #"},
    {WindowId::ReservationEntry, "Label22", "Shift"},
    {WindowId::ReservationEntry, "Label24", "Clerk"},
    {WindowId::Reservation, "Label16", "Confirmation #"},
    {WindowId::Reservation, "Label21", "Room"},
};

QString accessibleText(QObject* object, QAccessible::Text text) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    return face != nullptr ? face->text(text) : QStringLiteral("(no interface)");
}

TEST_F(EveryWindow, AScreenReaderReadsEachValueLabelByItsCaptionWithItsValue) {
    for (const ValueLabel& value : kValueLabels) {
        QWidget* window = desk.open(value.id);
        ASSERT_NE(window, nullptr);
        SCOPED_TRACE((window->objectName() + " " + value.name).toStdString());
        auto* label = window->findChild<QLabel*>(QString::fromLatin1(value.name));
        ASSERT_NE(label, nullptr);
        label->setText(QStringLiteral("12/7/2026"));
        EXPECT_EQ(accessibleText(label, QAccessible::Name), value.caption);
        EXPECT_EQ(accessibleText(label, QAccessible::Value), "12/7/2026");
        EXPECT_EQ(accessibleText(label, QAccessible::Description), "12/7/2026");
    }
}

TEST_F(EveryWindow, AnEditableListKeepsItsCaptionAsItsNameWhateverItShows) {
    for (const Built& built : kWindows) {
        QWidget* window = desk.open(built.id);
        ASSERT_NE(window, nullptr);
        for (QComboBox* combo : window->findChildren<QComboBox*>()) {
            if (!combo->isEditable()) {
                continue;
            }
            SCOPED_TRACE((window->objectName() + " " + combo->objectName()).toStdString());
            const QString caption = combo->accessibleName();
            EXPECT_FALSE(caption.trimmed().isEmpty());
            for (const QString& shown : {QStringLiteral(" "), QStringLiteral("B")}) {
                combo->setEditText(shown);
                EXPECT_EQ(accessibleText(combo, QAccessible::Name), caption);
                EXPECT_EQ(accessibleText(combo, QAccessible::Value), shown);
                EXPECT_EQ(accessibleText(combo->lineEdit(), QAccessible::Name), caption);
            }
        }
    }
}

// The smallest screen a front desk has: 1366 x 768 at 125 %, or 1920 x 1080 at 175 %, less
// a taskbar, in logical pixels.
constexpr QSize kSmallScreen(1092, 576);

// The controls of the window that lie outside it, or outside the part of its scroll area
// that scrolling brings into view, as they stand now.
std::vector<QString> controlsOutOfReach(QWidget* window) {
    std::vector<QString> out;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (control->window() != window || !control->isVisibleTo(window) || !isControl(control)) {
            continue;
        }
        // Where the control scrolls, its scroll area must stand in the window.
        QWidget* area = window;
        QWidget* inWindow = control;
        for (QWidget* up = control->parentWidget(); up != window; up = up->parentWidget()) {
            if (auto* scroll = qobject_cast<QScrollArea*>(up)) {
                area = scroll->widget();
                inWindow = scroll;
                break;
            }
        }
        const auto inside = [](QWidget* part, QWidget* whole) {
            return whole->rect().contains(QRect(part->mapTo(whole, QPoint(0, 0)), part->size()));
        };
        if (control->width() <= 0 || control->height() <= 0 || !inside(control, area) ||
            !inside(inWindow, window)) {
            out.push_back(control->objectName());
        }
    }
    return out;
}

// What Tab, pressed over and over from the window's first control, reaches: the enabled
// buttons it never reaches, and the places it stops at that have no name a screen reader
// could read. Of a group of option buttons Tab reaches one, and the arrow keys the others.
struct TabWalk {
    std::vector<QString> buttonsMissed;
    std::vector<QString> stopsWithoutName;
};
TabWalk walkWithTab(QWidget* window) {
    TabWalk walk;
    std::set<QWidget*> reached;
    const int controls = static_cast<int>(window->findChildren<QWidget*>().size());
    for (int i = 0; i < controls && window->focusWidget() != nullptr; ++i) {
        QWidget* stop = window->focusWidget();
        if (reached.insert(stop).second && stop->accessibleName().isEmpty()) {
            walk.stopsWithoutName.push_back(stop->objectName());
        }
        if (auto* option = qobject_cast<QRadioButton*>(stop)) {
            for (QRadioButton* other : option->parentWidget()->findChildren<QRadioButton*>()) {
                reached.insert(other);
            }
        }
        QTest::keyClick(stop, Qt::Key_Tab);
    }
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (button->window() == window && button->isVisibleTo(window) && button->isEnabled() &&
            isControl(button) && !reached.contains(button)) {
            walk.buttonsMissed.push_back(button->objectName());
        }
    }
    return walk;
}

// A window (or one beside it) fits the screen, as it opens and at its smallest, with every
// control in view or in its scroll area, every button reachable with Tab and every place Tab
// stops at named.
void expectFitsWithEveryControlInReach(QWidget* window) {
    SCOPED_TRACE(window->objectName().toStdString());
    for (const QSize size :
         {window->sizeHint(), window->minimumSizeHint(), window->minimumSize(), window->size()}) {
        EXPECT_LE(size.width(), kSmallScreen.width());
        EXPECT_LE(size.height(), kSmallScreen.height());
    }
    const QRect frame = window->frameGeometry();
    EXPECT_TRUE(window->screen()->availableGeometry().contains(frame))
        << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
    for (const QSize size : {window->size(), window->minimumSize()}) {
        SCOPED_TRACE(std::to_string(size.width()) + "x" + std::to_string(size.height()));
        window->resize(size);
        window->layout()->activate();
        EXPECT_EQ(controlsOutOfReach(window), std::vector<QString>{});
    }
    const TabWalk walk = walkWithTab(window);
    EXPECT_EQ(walk.buttonsMissed, std::vector<QString>{});
    EXPECT_EQ(walk.stopsWithoutName, std::vector<QString>{});
}

// The windows that open beside another: the walk-in's calendar (open with it), the booking's
// calendars and the reservation window's name list (opened by a button).
const std::pair<WindowId, const char*> kBesideButtons[] = {
    {WindowId::ReservationEntry, "Command1"},
    {WindowId::Reservation, "Command2"},
};

TEST_F(EveryWindow, FitsTheSmallestScreenWithEveryControlInReach) {
    const QFont deskFont = QApplication::font();
    // At the desk's own font, and at the 11 points a GNOME desktop sets.
    for (const double points : {deskFont.pointSizeF(), 11.0}) {
        SCOPED_TRACE(points);
        QFont font = deskFont;
        font.setPointSizeF(points);
        QApplication::setFont(font);
        for (const Built& built : kWindows) {
            QWidget* window = desk.open(built.id);
            ASSERT_NE(window, nullptr);
            for (const auto& [id, button] : kBesideButtons) {
                if (id == built.id) {
                    window->findChild<QPushButton*>(QString::fromLatin1(button))->click();
                }
            }
            QApplication::processEvents();
            expectFitsWithEveryControlInReach(window);
            for (QWidget* beside : window->findChildren<QWidget*>()) {
                if (beside->isWindow() && beside->isVisible() && beside->layout() != nullptr) {
                    expectFitsWithEveryControlInReach(beside);
                }
            }
            window->close();
            settle();
        }
    }
    QApplication::setFont(deskFont);
}

TEST_F(EveryWindow, AWindowAlreadyOpenIsBroughtForwardNotOpenedTwice) {
    QWidget* first = desk.open(WindowId::RoomList);
    EXPECT_EQ(desk.open(WindowId::RoomList), first);
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(desk.find(WindowId::RoomList), nullptr);
}

} // namespace
} // namespace roomwright::testing
