#pragma once

#include "ui/services.h"

class QListWidget;
class QPushButton;

namespace roomwright {

// The room list: every room with its occupied and dirty marks.
class RoomListWindow : public DeskWindow {
    Q_OBJECT
  public:
    explicit RoomListWindow(Services& services);

    void load() override;

    QListWidget* roomsList;
    QPushButton* makeAllCleanButton; // Make All Rooms Clean
    QPushButton* exitButton;         // Exit

  public slots:
    void makeAllCleanClicked();
    void exitClicked();

  private:
    void fillList();
};

} // namespace roomwright
