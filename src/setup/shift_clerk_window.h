#pragma once

#include "ui/services.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace roomwright {

// The shift and the clerk on duty.
class Form10 : public DeskWindow {
    Q_OBJECT
  public:
    explicit Form10(Services& services);

    void Form_Load() override;

    QComboBox* Combo1;     // the shift: "A", "B", "C", or as typed
    QLabel* Label1;        // "Clerk Initials"
    QLineEdit* Text1;      // the clerk's initials
    QPushButton* Command1; // Enter Now
    QPushButton* Command2; // Exit

  public slots:
    void Combo1_Click();
    void Command1_Click();
    void Command2_Click();
};

} // namespace roomwright
