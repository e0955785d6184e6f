#pragma once

#include "reservations/reservations.h"

#include <QWidget>

#include <cstddef>
#include <vector>

class QListWidget;
class QListWidgetItem;

namespace roomwright {

// The open reservations by name (Form16); double-clicking one shows it in the reservation
// window.
class ReservationNamesWindow : public QWidget {
    Q_OBJECT
  public:
    explicit ReservationNamesWindow(QWidget* owner);
    void load(const std::vector<NameLine>& lines);

    QListWidget* nameList; // List1

  signals:
    void picked(std::size_t record);

  public slots:
    void entryActivated(QListWidgetItem* item);
};

} // namespace roomwright
