#include "gui/gui_fixture.h"
#include "support/records.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QColor>
#include <QComboBox>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>

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

TEST_F(EveryWindow, AWindowAlreadyOpenIsBroughtForwardNotOpenedTwice) {
    QWidget* first = desk.open(WindowId::RoomList);
    EXPECT_EQ(desk.open(WindowId::RoomList), first);
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(desk.find(WindowId::RoomList), nullptr);
}

} // namespace
} // namespace roomwright::testing
