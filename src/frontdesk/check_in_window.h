#pragma once

#include "ui/services.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDate;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace roomwright {

class Form21;
struct WalkIn;
enum class WalkInField;

// The walk-in check-in: registers a guest who arrives without a reservation. It takes the
// main window's place while it is open and loads the main window again when it closes.
class Form6 : public DeskWindow {
    Q_OBJECT
  public:
    explicit Form6(Services& services);

    void Form_Load() override;

    QLabel* Label1;        // today's date
    QLabel* Label17;       // shift on duty
    QLabel* Label19;       // clerk on duty
    QLineEdit* Text1;      // Last
    QLineEdit* Text2;      // First
    QLineEdit* Text3;      // Address
    QLineEdit* Text4;      // City
    QComboBox* Combo1;     // state
    QLineEdit* Text5;      // Zip
    QLineEdit* Text6;      // Phone
    QLineEdit* Text7;      // Cell
    QLineEdit* Text8;      // Company
    QLineEdit* Text9;      // Email
    QLineEdit* Text10;     // Drivers Lic. #
    QLineEdit* Text12;     // Comment
    QLineEdit* Text13;     // Adults
    QLineEdit* Text14;     // Children
    QComboBox* Combo4;     // room
    QLineEdit* Text15;     // Rate
    QLineEdit* Text16;     // Tax of one night
    QLineEdit* Text17;     // Total of one night
    QLineEdit* Text20;     // Days
    QPushButton* Command4; // Calendar
    QLineEdit* Text21;     // Departure Date
    QCheckBox* Check1;     // Pet Fee
    QLineEdit* Text19;     // pet fee amount
    QLineEdit* Text18;     // Total This Stay
    QComboBox* Combo5;     // pay code
    QRadioButton* Option1; // Visa
    QRadioButton* Option2; // Master Card
    QRadioButton* Option3; // Discover
    QRadioButton* Option4; // American Express
    QLineEdit* Text11;     // Card #
    QComboBox* Combo2;     // expiry month
    QComboBox* Combo3;     // expiry year
    QCheckBox* Check2;     // Print folio upon check in
    QPushButton* Command1; // Check In
    QPushButton* Command3; // Clear Fields
    QPushButton* Command2; // Exit

    // The calendar beside the window; it lives as long as this window.
    Form21* calendar() const { return calendar_; }

  public slots:
    void Combo4_Click();
    void Check1_Click();
    void Text20_Change();
    void Form21_DayPicked(const QDate& date);
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    WalkIn registration() const;
    QWidget* control(WalkInField field) const;
    void showStayTotal();

    QButtonGroup* cards_;
    Form21* calendar_;
};

} // namespace roomwright
