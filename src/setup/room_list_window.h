#pragma once

#include "ui/services.h"

class QListWidget;
class QPushButton;

namespace roomwright {

// The room list: every room with its occupied and dirty marks.
class Form4 : public DeskWindow {
    Q_OBJECT
  public:
    explicit Form4(Services& services);

    void Form_Load() override;

    QListWidget* List1;
    QPushButton* Command2; // Make All Rooms Clean
    QPushButton* Command1; // Exit

  public slots:
    void Command2_Click();
    void Command1_Click();

  private:
    void fillList();
};

} // namespace roomwright
