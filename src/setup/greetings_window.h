#pragma once

#include "ui/services.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace roomwright {

// The start-up reminder: tells a new motel what is still to be set up.
class Form27 : public DeskWindow {
    Q_OBJECT
  public:
    explicit Form27(Services& services);

    void Form_Load() override;

    QLabel* Label1;        // the room inventory line
    QPushButton* Command1; // "click here": room inventory
    QLabel* Label2;        // the tax line
    QPushButton* Command2; // "click here": tax rate
    QCheckBox* Check1;     // "Don't show this screen again"
    QPushButton* Command3; // Exit

  public slots:
    void Command1_Click();
    void Command2_Click();
    void Check1_Click();
    void Command3_Click();
};

} // namespace roomwright
