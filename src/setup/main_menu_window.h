#pragma once

#include "ui/services.h"

class QPushButton;

namespace roomwright {

// The main menu: the switchboard to the setup windows and the reports.
class Form2 : public DeskWindow {
    Q_OBJECT
  public:
    explicit Form2(Services& services);

    void Form_Load() override;

    QPushButton* Command1;  // Enter Room Inventory
    QPushButton* Command2;  // Enter Tax Amount
    QPushButton* Command3;  // Set Pet Fee Amount
    QPushButton* Command5;  // Set Shift and Clerk
    QPushButton* Command6;  // Monthly Report
    QPushButton* Command7;  // Night Audit Report
    QPushButton* Command8;  // Find Checked Out Guest
    QPushButton* Command9;  // Edit Room Properties
    QPushButton* Command10; // Set Room Status
    QPushButton* Command4;  // Exit

  public slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    void Command10_Click();
    void Command4_Click();

  private:
    // Opens the window and closes the menu, as every button but "Set Pet Fee Amount" does.
    void openInstead(WindowId id);
};

} // namespace roomwright
