#pragma once

#include "ui/services.h"

class QPushButton;

namespace roomwright {

// The reservations menu (Form11): take a new booking or find one.
class ReservationsMenuWindow : public DeskWindow {
    Q_OBJECT
  public:
    explicit ReservationsMenuWindow(Services& services);
    void load() override;

    QPushButton* addButton;      // Command1 "Add Reservation"
    QPushButton* retrieveButton; // Command2 "Retrieve Reservation"
    QPushButton* exitButton;     // Command3 "Exit"

  public slots:
    void addClicked();
    void retrieveClicked();
};

} // namespace roomwright
