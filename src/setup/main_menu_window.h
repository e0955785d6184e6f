#pragma once

#include "reports/desk_lists.h"
#include "ui/services.h"

class QPushButton;

namespace roomwright {

// The main menu: the switchboard to the setup windows and the reports.
class MainMenuWindow : public DeskWindow {
    Q_OBJECT
  public:
    explicit MainMenuWindow(Services& services);

    void load() override;

    QPushButton* roomInventoryButton;  // Enter Room Inventory
    QPushButton* taxRateButton;        // Enter Tax Amount
    QPushButton* petFeeButton;         // Set Pet Fee Amount
    QPushButton* shiftClerkButton;     // Set Shift and Clerk
    QPushButton* monthlyReportButton;  // Monthly Report
    QPushButton* nightAuditButton;     // Night Audit Report
    QPushButton* findGuestButton;      // Find Checked Out Guest
    QPushButton* arrivalsButton;       // Print Arrivals
    QPushButton* departuresButton;     // Print Departures
    QPushButton* inHouseButton;        // Print In-House List
    QPushButton* roomPropertiesButton; // Edit Room Properties
    QPushButton* roomStatusButton;     // Set Room Status
    QPushButton* motelDetailsButton;   // Motel Details
    QPushButton* backupButton;         // Back Up Data
    QPushButton* restoreButton;        // Restore Data
    QPushButton* exitButton;           // Exit

  public slots:
    void roomInventoryClicked();
    void taxRateClicked();
    void petFeeClicked();
    void shiftClerkClicked();
    void monthlyReportClicked();
    void nightAuditClicked();
    void findGuestClicked();
    void arrivalsClicked();
    void departuresClicked();
    void inHouseClicked();
    void roomPropertiesClicked();
    void roomStatusClicked();
    void motelDetailsClicked();
    void backupClicked();
    void restoreClicked();
    void exitClicked();

  private:
    // Opens the window and closes the menu, as every button but "Set Pet Fee Amount" does.
    void openInstead(WindowId id);
    // Prints today's list of that kind; the menu stays open.
    void printList(DeskListKind kind);
};

} // namespace roomwright
