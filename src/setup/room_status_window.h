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
class Form24 : public DeskWindow {
    Q_OBJECT
  public:
    explicit Form24(Services& services);

    void Form_Load() override;

    QComboBox* Combo1;     // the room: "Select Room" until one is picked
    QLabel* Label1;        // "Room #"
    QLabel* Label2;        // the picked room's number
    QGroupBox* Frame1;     // Clean / Dirty
    QRadioButton* Option1; // Clean
    QRadioButton* Option2; // Dirty
    QGroupBox* Frame2;     // Vacant / Non-Vacant
    QRadioButton* Option3; // Vacant
    QRadioButton* Option4; // Non-Vacant
    QGroupBox* Frame3;     // Ok, in order / Out of Order
    QRadioButton* Option5; // Ok, in order
    QRadioButton* Option6; // Out of Order
    QLabel* Label3;        // "Comment"
    QLineEdit* Text1;      // comment
    QPushButton* Command2; // Save
    QPushButton* Command1; // Exit

  public slots:
    void Combo1_Click();
    void Command2_Click();
    void Command1_Click();
};

} // namespace roomwright
