#pragma once

#include "ui/services.h"

#include <string>

class QButtonGroup;
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

    QLabel* dateLabel;                   // today's date
    QLabel* shiftLabel;                  // shift on duty
    QLabel* clerkLabel;                  // clerk on duty
    QLineEdit* lastNameBox;              // Last
    QLineEdit* firstNameBox;             // First
    QLineEdit* addressBox;               // Address
    QLineEdit* cityBox;                  // City
    QComboBox* stateCombo;               // state
    QLineEdit* zipBox;                   // Zip
    QLineEdit* phoneBox;                 // Phone
    QLineEdit* cellBox;                  // Cell
    QLineEdit* companyBox;               // Company
    QLineEdit* emailBox;                 // Email
    QLineEdit* driversLicenseBox;        // Drivers Lic. #
    QLineEdit* commentBox;               // Comment
    QLineEdit* adultsBox;                // Adults
    QLineEdit* childrenBox;              // Children
    QComboBox* roomCombo;                // room
    QLineEdit* rateBox;                  // Rate
    QLineEdit* taxBox;                   // Tax of one night
    QLineEdit* nightTotalBox;            // Total of one night
    QLineEdit* daysBox;                  // Days
    QPushButton* calendarButton;         // Calendar
    QLineEdit* departureBox;             // Departure Date
    QCheckBox* petFeeCheck;              // Pet Fee
    QLineEdit* petFeeBox;                // pet fee amount
    QLineEdit* stayTotalBox;             // Total This Stay
    QComboBox* payCodeCombo;             // pay code
    QRadioButton* visaOption;            // Visa
    QRadioButton* masterCardOption;      // Master Card
    QRadioButton* discoverOption;        // Discover
    QRadioButton* americanExpressOption; // American Express
    QLineEdit* cardNumberBox;            // Card #
    QComboBox* expiryMonthCombo;         // expiry month
    QComboBox* expiryYearCombo;          // expiry year
    QCheckBox* printFolioCheck;          // Print folio upon check in
    QPushButton* checkInButton;          // Check In
    QPushButton* clearButton;            // Clear Fields
    QPushButton* exitButton;             // Exit

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

    QButtonGroup* cards_;
    CalendarWindow* calendar_;
    // The shift and clerk on duty as stored; the labels show them.
    std::string onDutyShift_;
    std::string onDutyClerk_;
};

} // namespace roomwright
