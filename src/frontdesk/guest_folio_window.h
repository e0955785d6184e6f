#pragma once

#include "frontdesk/folio_list.h"
#include "frontdesk/guest_folio.h"
#include "ui/services.h"

#include <QColor>

#include <array>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTimer;

namespace roomwright {

// The guest folio window: one in-house guest's registration, folio and balance; postings,
// stay changes, the printed folio, check-out and the guest's messages.
class Form9 : public DeskWindow {
    Q_OBJECT
  public:
    explicit Form9(Services& services);

    void Form_Load() override;

    QComboBox* Combo1;      // the guest selector
    QLineEdit* Text1;       // Last
    QLineEdit* Text2;       // First
    QLineEdit* Text3;       // Address
    QLineEdit* Text4;       // City
    QLineEdit* Text5;       // State
    QLineEdit* Text6;       // Zip
    QLineEdit* Text7;       // Phone
    QLineEdit* Text8;       // Cell
    QLineEdit* Text9;       // Company
    QLineEdit* Text10;      // Email
    QLineEdit* Text11;      // Drivers Lic. #
    QLineEdit* Text12;      // Comment
    QLineEdit* Text13;      // Adults
    QLineEdit* Text14;      // Children
    QRadioButton* Option1;  // Visa
    QRadioButton* Option2;  // Master Card
    QRadioButton* Option3;  // Discover
    QRadioButton* Option4;  // American Express
    QLineEdit* Text15;      // Card #
    QLineEdit* Text16;      // Expire Month
    QLineEdit* Text17;      // Expire Year
    QLabel* Label36;        // the guest's room
    QComboBox* Combo4;      // rooms to move to
    QLineEdit* Text21;      // Rate
    QLabel* Label35;        // folio number
    QLabel* Label27;        // arrival date
    QLabel* Label38;        // arrival time
    QLineEdit* Text18;      // Depart Date
    QPushButton* Command8;  // +
    QPushButton* Command9;  // -
    QComboBox* Combo3;      // Pay Code
    QListWidget* List1;     // the folio lines
    QLabel* Label31;        // the balance
    QComboBox* Combo2;      // charge or payment code
    QLineEdit* Text20;      // Amount
    QPushButton* Command5;  // Do Now
    QPushButton* Command3;  // Check Out
    QPushButton* Command4;  // Print Folio
    QPushButton* Command7;  // Save and Exit
    QPushButton* Command6;  // Post Message
    QPushButton* Command10; // Retrieve Message
    QPushButton* Command2;  // Exit
    QTimer* Timer1;         // re-enables "Print Folio"
    QTimer* Timer2;         // makes "Retrieve Message" blink

    // The colour "Retrieve Message" blinks in.
    static constexpr QRgb kMessageColour = 0xFF8080; // red 255, green 128, blue 128

  public slots:
    void Combo1_Click();
    void Combo2_Click();
    void Combo4_Click();
    void Command5_Click();
    void Command8_Click();
    void Command9_Click();
    void Command7_Click();
    void Command4_Click();
    void Command3_Click();
    void Command6_Click();
    void Command10_Click();
    void Command2_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    // The guest's message has been read and deleted: "Retrieve Message" stops blinking.
    void messageDeleted();

  private:
    void fillSelector();
    void clearGuest();
    void setGuestChosen(bool chosen);
    void stopMessageBlink();
    // Lists the stay's charge lines with their running balance and shows the balance.
    void showFolio(long folioNumber, FolioGap gap);
    // The guest on screen, or nothing after telling the clerk to pick one.
    Found<GuestRecord> guestOnScreen();
    void refuse(const Refusal& refusal);

    std::array<QLineEdit*, 17> boxes_;
    QButtonGroup* cards_;
    bool blinkOn_ = false;
};

} // namespace roomwright
