#include "reservations/reservation_names_window.h"

#include "ui/controls.h"
#include "ui/placement.h"

#include <QListWidget>
#include <QVBoxLayout>

namespace roomwright {

ReservationNamesWindow::ReservationNamesWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("Form16"));
    setWindowTitle(QStringLiteral("Reservation by Name"));
    nameList = makeRoomList(this, "List1", QStringLiteral("Open reservations"));
    nameList->setMinimumSize(360, 260);
    auto* column = new QVBoxLayout(this);
    column->addWidget(nameList);
    // Qt reports a double-click on an entry and Enter on it alike; a double-click beside
    // the entries picks nothing.
    connect(nameList, &QListWidget::itemActivated, this, &ReservationNamesWindow::entryActivated);
}

void ReservationNamesWindow::load(const std::vector<NameLine>& lines) {
    nameList->clear();
    for (const NameLine& line : lines) {
        auto* item = new QListWidgetItem(QString::fromStdString(line.text), nameList);
        item->setData(Qt::UserRole, QVariant::fromValue<qulonglong>(line.record));
    }
    placeAt(this, 500, 3000);
    show();
    raise();
    nameList->setFocus();
}

void ReservationNamesWindow::entryActivated(QListWidgetItem* item) {
    if (item != nullptr) {
        emit picked(static_cast<std::size_t>(item->data(Qt::UserRole).toULongLong()));
    }
}

} // namespace roomwright
