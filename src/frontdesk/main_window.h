#pragma once

#include "ui/services.h"

#include <cstddef>

class QLabel;
class QListWidget;
class QListWidgetItem;
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
    // Lists the open bookings arriving today.
    void showArrivals();

    QLabel* dateLabel;        // today's date
    QLabel* clockLabel;       // the running clock
    QLabel* motelNameLabel;   // the motel's name
    QLabel* checkingOutLabel; // "Checking out today"
    QLabel* nightAuditLabel;  // the night audit note
    QListWidget* departuresList;
    QLabel* arrivingLabel; // "Arriving today"
    QListWidget* arrivalsList;
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
    // An arrival opened by Enter or a double-click.
    void arrivalActivated(QListWidgetItem* item);

  signals:
    // The clerk opened the booking at this record of the reservation file, to check it in.
    void arrivalOpened(std::size_t record);

  private:
    void scheduleClock();
};

} // namespace roomwright
