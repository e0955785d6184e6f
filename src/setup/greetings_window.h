#pragma once

#include "ui/services.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace roomwright {

// The start-up reminder: tells a new motel what is still to be set up.
class GreetingsWindow : public DeskWindow {
    Q_OBJECT
  public:
    explicit GreetingsWindow(Services& services);

    void load() override;

    QLabel* roomInventoryLabel;       // the room inventory line
    QPushButton* roomInventoryButton; // "click here": room inventory
    QLabel* taxRateLabel;             // the tax line
    QPushButton* taxRateButton;       // "click here": tax rate
    QCheckBox* dontShowAgainCheck;    // "Don't show this screen again"
    QPushButton* exitButton;          // Exit

  public slots:
    void roomInventoryClicked();
    void taxRateClicked();
    void dontShowAgainClicked();
    void exitClicked();
};

} // namespace roomwright
