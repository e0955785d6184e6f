#pragma once

#include "ui/services.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace roomwright {

// Room properties: a room's type and nightly rate.
class Form23 : public DeskWindow {
    Q_OBJECT
  public:
    explicit Form23(Services& services);

    void Form_Load() override;

    QComboBox* Combo1;     // the room: "Select Room" until one is picked
    QLabel* Label1;        // "Room #"
    QLabel* Label2;        // the picked room's number
    QComboBox* Combo2;     // room type: picked or typed
    QLabel* Label3;        // "Room Rate"
    QLineEdit* Text1;      // rate
    QPushButton* Command2; // Save Changes
    QPushButton* Command1; // Exit

  public slots:
    void Combo1_Click();
    void Command2_Click();
    void Command1_Click();
};

} // namespace roomwright
