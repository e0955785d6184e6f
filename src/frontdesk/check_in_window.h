#pragma once

#include "frontdesk/guest_boxes.h"
#include "ui/services.h"

#include <string>

class QCheckBox;
class QComboBox;
class QDate;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace roomwright {

class CalendarWindow;
struct WalkIn;
enum class WalkInField;

// The walk-in check-in: registers a guest who arrives without a reservation. It takes the
// main window's place while it is open and loads the main window again when it closes.
class CheckInWindow : public DeskWindow {
    Q_OBJECT
  public:
    explicit CheckInWindow(Services& services);

    void load() override;

    QLabel* dateLabel;  // today's date
    QLabel* shiftLabel; // shift on duty
    QLabel* clerkLabel; // clerk on duty
    GuestBoxes guest;
    // Shortcuts into the guest's boxes.
    QLineEdit* const& lastNameBox = guest.lastName;
    QLineEdit* const& firstNameBox = guest.firstName;
    QLineEdit* const& addressBox = guest.address;
    QLineEdit* const& cityBox = guest.city;
    QComboBox* const& stateCombo = guest.state;
    QLineEdit* const& zipBox = guest.zip;
    QLineEdit* const& phoneBox = guest.phone;
    QLineEdit* const& cellBox = guest.cell;
    QLineEdit* const& emailBox = guest.email;
    QLineEdit* const& adultsBox = guest.adults;
    QRadioButton* const& masterCardOption = guest.masterCard;
    QComboBox* const& expiryMonthCombo = guest.expireMonth;
    QComboBox* const& expiryYearCombo = guest.expireYear;
    QComboBox* roomCombo;        // room
    QLineEdit* rateBox;          // Rate
    QLineEdit* taxBox;           // Tax of one night
    QLineEdit* nightTotalBox;    // Total of one night
    QLineEdit* daysBox;          // Days
    QPushButton* calendarButton; // Calendar
    QLineEdit* departureBox;     // Departure Date
    QCheckBox* petFeeCheck;      // Pet Fee
    QLineEdit* petFeeBox;        // pet fee amount
    QLineEdit* stayTotalBox;     // Total This Stay
    QComboBox* payCodeCombo;     // pay code
    QCheckBox* printFolioCheck;  // Print folio upon check in
    QPushButton* checkInButton;  // Check In
    QPushButton* clearButton;    // Clear Fields
    QPushButton* exitButton;     // Exit

    // The calendar beside the window; it lives as long as this window.
    CalendarWindow* calendar() const { return calendar_; }

  public slots:
    void roomPicked();
    void petFeeClicked();
    void daysChanged();
    void calendarDayPicked(const QDate& date);
    void checkInClicked();
    void exitClicked();
    void clearClicked();
    void calendarClicked();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    WalkIn registration() const;
    QWidget* control(WalkInField field) const;
    void showStayTotal();

    CalendarWindow* calendar_;
    // The shift and clerk on duty as stored; the labels show them.
    std::string onDutyShift_;
    std::string onDutyClerk_;
};

} // namespace roomwright
