#pragma once

#include "ui/services.h"

#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace roomwright {

// Room inventory: the clerk enters the motel's rooms one at a time.
class RoomInventoryWindow : public DeskWindow {
    Q_OBJECT
  public:
    explicit RoomInventoryWindow(Services& services);

    void load() override;

    QLabel* roomNumberCaption;    // "Enter Room #"
    QLineEdit* roomNumberBox;     // room number
    QComboBox* roomTypeCombo;     // room type: picked or typed
    QLabel* rateCaption;          // "Enter Room Rate"
    QLineEdit* rateBox;           // rate
    QLabel* roomsCaption;         // "Rooms already entered"
    QListWidget* roomsList;       // one line for each room record
    std::vector<QLabel*> legend;  // the ten "code = meaning" labels, in the order of the codes
    QPushButton* enterRoomButton; // Enter Room Now
    QPushButton* clearButton;     // Clear Fields
    QPushButton* exitButton;      // Exit

  public slots:
    void roomTypePicked();
    void enterRoomClicked();
    void clearClicked();
    void exitClicked();

  private:
    void fillList();
};

} // namespace roomwright
