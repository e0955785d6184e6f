#pragma once

#include "ui/services.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTimer;

namespace roomwright {

// The main window: the clerk's home screen.
class MainWindow : public DeskWindow {
    Q_OBJECT
  public:
    explicit MainWindow(Services& services);

    void load() override;
    // The motel's own name where it is set, else the standard one.
    void showMotelName();

    QLabel* dateLabel;        // today's date
    QLabel* clockLabel;       // the running clock
    QLabel* motelNameLabel;   // the motel's name
    QLabel* checkingOutLabel; // "Checking out today"
    QLabel* nightAuditLabel;  // the night audit note
    QListWidget* departuresList;
    QTimer* clockTimer;
    QPushButton* checkInButton;      // Check In
    QPushButton* checkOutButton;     // Check Out
    QPushButton* viewFolioButton;    // View Folio
    QPushButton* roomListButton;     // Room List
    QPushButton* unsoldRoomsButton;  // Unsold Rooms
    QPushButton* reservationsButton; // Reservations
    QPushButton* tapeChartButton;    // Tape Chart
    QPushButton* mainMenuButton;     // Main Menu
    QPushButton* housekeepingButton; // Print Housekeeping Report
    QPushButton* exitButton;         // Exit

  public slots:
    void checkInClicked();
    void checkOutClicked();
    void viewFolioClicked();
    void roomListClicked();
    void unsoldRoomsClicked();
    void reservationsClicked();
    void tapeChartClicked();
    void mainMenuClicked();
    void housekeepingClicked();
    void exitClicked();
    void clockTicked();

  private:
    void scheduleClock();
};

} // namespace roomwright
