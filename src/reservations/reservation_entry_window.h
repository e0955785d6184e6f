#pragma once

#include "frontdesk/guest_boxes.h"
#include "reservations/reservation_calendars_window.h"
#include "reservations/reservations.h"
#include "ui/services.h"

#include <QPointer>

#include <string>

class QComboBox;
class QDate;
class QLabel;
class QLineEdit;
class QPushButton;

namespace roomwright {

// The entry window of a new booking (Form12).
class ReservationEntryWindow : public DeskWindow {
    Q_OBJECT
  public:
    explicit ReservationEntryWindow(Services& services);
    void load() override;

    QLabel* todayLabel;          // Label1
    QLabel* confirmationLabel;   // Label20
    QLabel* shiftLabel;          // Label22
    QLabel* clerkLabel;          // Label24
    QLineEdit* arrivalBox;       // Text14 "Arriving On"
    QLineEdit* departureBox;     // Text15 "Departing On"
    QLineEdit* daysBox;          // Text21 "Days"
    QPushButton* calendarButton; // Command1 "Calendar"
    GuestBoxes guest;
    QComboBox* roomList;     // Combo4 "Select Room"
    QLineEdit* rateBox;      // Text17
    QLineEdit* taxBox;       // Text18
    QLineEdit* totalBox;     // Text19
    QLineEdit* stayTotalBox; // Text20 "Total This Stay"
    QPushButton* saveButton; // Command3
    QPushButton* exitButton; // Command4

    // The two calendars, while they are open (hidden or not).
    ReservationCalendarsWindow* calendars() const { return calendars_; }

  public slots:
    void calendarClicked();
    void roomChosen();
    void saveClicked();
    void arrivalEdited();
    void departureEdited();
    void arrivalPicked(const QDate& date);
    void departurePicked(const QDate& arrival, const QDate& departure);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // The calendars, created (and shown) when they are not open.
    ReservationCalendarsWindow* openCalendars();
    Booking booking() const;
    QWidget* control(BookingField field) const;

    QPointer<ReservationCalendarsWindow> calendars_;
    // The shift and clerk on duty as stored; the labels show them.
    std::string onDutyShift_;
    std::string onDutyClerk_;
};

} // namespace roomwright
