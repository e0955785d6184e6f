#include "reservations/reservations_menu_window.h"

#include "ui/controls.h"
#include "ui/placement.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace roomwright {

ReservationsMenuWindow::ReservationsMenuWindow(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form11"));
    setWindowTitle(QStringLiteral("Reservations"));
    addButton = makeButton(this, "Command1", QStringLiteral("Add Reservation"));
    retrieveButton = makeButton(this, "Command2", QStringLiteral("Retrieve Reservation"));
    exitButton = makeButton(this, "Command3", QStringLiteral("Exit"));
    auto* column = new QVBoxLayout(this);
    for (QPushButton* button : {addButton, retrieveButton, exitButton}) {
        button->setMinimumWidth(220);
        column->addWidget(button);
    }
    connect(addButton, &QPushButton::clicked, this, &ReservationsMenuWindow::addClicked);
    connect(retrieveButton, &QPushButton::clicked, this, &ReservationsMenuWindow::retrieveClicked);
    connect(exitButton, &QPushButton::clicked, this, &QWidget::close);
}

void ReservationsMenuWindow::load() {
    placeAt(this, 500, 4000);
    show();
    addButton->setFocus();
}

void ReservationsMenuWindow::addClicked() {
    services_.windows.open(WindowId::ReservationEntry);
    close();
}

void ReservationsMenuWindow::retrieveClicked() {
    services_.windows.open(WindowId::Reservation);
    close();
}

} // namespace roomwright
