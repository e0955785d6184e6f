#pragma once

#include "ui/services.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace roomwright {

// Room properties: a room's type and nightly rate.
class RoomPropertiesWindow : public DeskWindow {
    Q_OBJECT
  public:
    explicit RoomPropertiesWindow(Services& services);

    void load() override;

    QComboBox* roomCombo;      // the room: "Select Room" until one is picked
    QLabel* roomNumberCaption; // "Room #"
    QLabel* roomNumberLabel;   // the picked room's number
    QComboBox* roomTypeCombo;  // room type: picked or typed
    QLabel* rateCaption;       // "Room Rate"
    QLineEdit* rateBox;        // rate
    QPushButton* saveButton;   // Save Changes
    QPushButton* exitButton;   // Exit

  public slots:
    void roomPicked();
    void saveClicked();
    void exitClicked();
};

} // namespace roomwright
