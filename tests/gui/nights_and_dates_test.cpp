#include "gui/clerk.h"
#include "gui/gui_fixture.h"

#include "support/records.h"

#include <QLineEdit>

namespace roomwright::testing {
namespace {

// The nights box and the departure date box of the walk-in, the new booking and the booking
// found, as the clerk types into them (today is 12/7/2026).
struct StayBoxes {
    WindowId id;
    const char* arrival; // the arrival date box; none where the stay arrives today
    const char* nights;
    const char* departure;
};
const StayBoxes kWindows[] = {
    {WindowId::CheckIn, nullptr, "Text20", "Text21"},
    {WindowId::ReservationEntry, "Text14", "Text21", "Text15"},
    {WindowId::Reservation, "Text15", "Text19", "Text16"},
};

class NightsAndDates : public DeskTest {
  protected:
    NightsAndDates() { store.rooms().append(makeRoom("101", "NQ1", 45)); }
};

TEST_F(NightsAndDates, TypingEitherFillsTheOtherButNeverOverwritesATypedDeparture) {
    for (const StayBoxes& boxes : kWindows) {
        QWidget* window = desk.open(boxes.id);
        ASSERT_NE(window, nullptr);
        SCOPED_TRACE(window->objectName().toStdString());
        const auto box = [&](const char* name) {
            return window->findChild<QLineEdit*>(QString::fromLatin1(name));
        };
        QLineEdit* nights = box(boxes.nights);
        QLineEdit* departure = box(boxes.departure);
        if (boxes.arrival != nullptr) {
            type(box(boxes.arrival), "12/7/2026");
        }
        type(nights, "3");
        EXPECT_EQ(departure->text(), "12/10/2026");
        type(nights, "31");
        EXPECT_EQ(departure->text(), "1/7/2027");
        type(departure, "12/12/2026");
        EXPECT_EQ(nights->text(), "5");
        type(nights, "2");
        EXPECT_EQ(departure->text(), "12/12/2026");
        if (boxes.arrival != nullptr) {
            type(box(boxes.arrival), "12/10/2026");
            EXPECT_EQ(nights->text(), "2");
        }
        window->close();
        settle();
    }
}

} // namespace
} // namespace roomwright::testing
