#include "gui/gui_fixture.h"
#include "support/records.h"

#include <QApplication>

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
};

class EveryWindow : public DeskTest {
  protected:
    EveryWindow() { store.rooms().append(makeRoom("101", "NQ1", 45)); }
};

TEST_F(EveryWindow, OpensWithEveryControlNamedAndReachableByKeyboard) {
    for (const Built& built : kWindows) {
        SCOPED_TRACE(built.name);
        QWidget* window = desk.open(built.id);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->objectName(), built.name);
        EXPECT_TRUE(window->isVisible());
        EXPECT_FALSE(window->windowTitle().isEmpty());
        EXPECT_EQ(controlsWithoutNameOrFocus(window), std::vector<QString>{});
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
