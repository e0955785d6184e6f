#pragma once

#include "ui/services.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace roomwright {

// Room status: clean or dirty, vacant or non-vacant, in order or out of order, and the
// comment that the housekeeping report prints.
class RoomStatusWindow : public DeskWindow {
    Q_OBJECT
  public:
    explicit RoomStatusWindow(Services& services);

    void load() override;

    QComboBox* roomCombo;           // the room: "Select Room" until one is picked
    QLabel* roomNumberCaption;      // "Room #"
    QLabel* roomNumberLabel;        // the picked room's number
    QGroupBox* cleanFrame;          // Clean / Dirty
    QRadioButton* cleanOption;      // Clean
    QRadioButton* dirtyOption;      // Dirty
    QGroupBox* vacancyFrame;        // Vacant / Non-Vacant
    QRadioButton* vacantOption;     // Vacant
    QRadioButton* nonVacantOption;  // Non-Vacant
    QGroupBox* orderFrame;          // Ok, in order / Out of Order
    QRadioButton* inOrderOption;    // Ok, in order
    QRadioButton* outOfOrderOption; // Out of Order
    QLabel* commentCaption;         // "Comment"
    QLineEdit* commentBox;          // comment
    QPushButton* saveButton;        // Save
    QPushButton* exitButton;        // Exit

  public slots:
    void roomPicked();
    void saveClicked();
    void exitClicked();
};

} // namespace roomwright
