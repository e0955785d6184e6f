#pragma once

#include "ui/services.h"

class QListWidget;
class QPushButton;

namespace roomwright {

// The unsold rooms: every vacant room.
class Form5 : public DeskWindow {
    Q_OBJECT
  public:
    explicit Form5(Services& services);

    void Form_Load() override;

    QListWidget* List1;
    QPushButton* Command1; // Exit

  public slots:
    void Command1_Click();
};

} // namespace roomwright
