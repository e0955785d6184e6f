#pragma once

#include "ui/services.h"

class QListWidget;
class QPushButton;

namespace roomwright {

// The unsold rooms: every vacant room.
class UnsoldRoomsWindow : public DeskWindow {
    Q_OBJECT
  public:
    explicit UnsoldRoomsWindow(Services& services);

    void load() override;

    QListWidget* roomsList;
    QPushButton* exitButton; // Exit

  public slots:
    void exitClicked();
};

} // namespace roomwright
