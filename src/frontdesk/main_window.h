#pragma once

#include "ui/services.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTimer;

namespace roomwright {

// The main window: the clerk's home screen.
class Form1 : public DeskWindow {
    Q_OBJECT
  public:
    explicit Form1(Services& services);

    void Form_Load() override;

    QLabel* Label1; // today's date
    QLabel* Label2; // the running clock
    QLabel* Label3; // the motel name line
    QLabel* Label7; // "Checking out today"
    QLabel* Label8; // the night audit note
    QListWidget* List1;
    QTimer* Timer1;
    QPushButton* Command1;  // Check In
    QPushButton* Command2;  // Check Out
    QPushButton* Command7;  // View Folio
    QPushButton* Command5;  // Room List
    QPushButton* Command6;  // Unsold Rooms
    QPushButton* Command9;  // Reservations
    QPushButton* Command3;  // Main Menu
    QPushButton* Command11; // Print Housekeeping Report
    QPushButton* Command4;  // Exit

  public slots:
    void Command1_Click();
    void Command2_Click();
    void Command7_Click();
    void Command5_Click();
    void Command6_Click();
    void Command9_Click();
    void Command3_Click();
    void Command11_Click();
    void Command4_Click();
    void Timer1_Timer();

  private:
    void scheduleClock();
};

} // namespace roomwright
