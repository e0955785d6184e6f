#pragma once

#include "ui/services.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace roomwright {

// The shift and the clerk on duty.
class ShiftClerkWindow : public DeskWindow {
    Q_OBJECT
  public:
    explicit ShiftClerkWindow(Services& services);

    void load() override;

    QComboBox* shiftCombo;    // the shift: "A", "B", "C", or as typed
    QLabel* initialsCaption;  // "Clerk Initials"
    QLineEdit* initialsBox;   // the clerk's initials
    QPushButton* enterButton; // Enter Now
    QPushButton* exitButton;  // Exit

  public slots:
    void shiftPicked();
    void enterClicked();
    void exitClicked();
};

} // namespace roomwright
