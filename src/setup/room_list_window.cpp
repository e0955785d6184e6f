#include "setup/room_list_window.h"

#include "setup/room_maintenance.h"
#include "ui/controls.h"
#include "ui/default_button.h"
#include "ui/placement.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace roomwright {

RoomListWindow::RoomListWindow(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Room List"));

    roomsList = makeRoomList(this, "List1", QStringLiteral("Rooms"));
    makeAllCleanButton = makeButton(this, "Command2", QStringLiteral("Make All Rooms Clean"));
    exitButton = makeButton(this, "Command1", QStringLiteral("Exit"));
    makeDefaultButton(this, exitButton);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(makeAllCleanButton);
    buttons->addStretch();
    buttons->addWidget(exitButton);
    auto* root = new QVBoxLayout(this);
    root->addWidget(roomsList, 1);
    root->addLayout(buttons);
    resize(380, 460);

    connect(makeAllCleanButton, &QPushButton::clicked, this, &RoomListWindow::makeAllCleanClicked);
    connect(exitButton, &QPushButton::clicked, this, &RoomListWindow::exitClicked);
}

void RoomListWindow::load() {
    placeAt(this, 300, 300);
    show();
    fillList();
    roomsList->setFocus(Qt::OtherFocusReason);
}

void RoomListWindow::fillList() {
    roomsList->clear();
    guarded(services_.dialogs, this, [&] {
        for (const std::string& line : roomListLines(services_.store)) {
            roomsList->addItem(QString::fromStdString(line));
        }
    });
}

void RoomListWindow::makeAllCleanClicked() {
    guarded(services_.dialogs, this, [&] { makeAllRoomsClean(services_.store); });
    fillList();
}

void RoomListWindow::exitClicked() {
    close();
}

} // namespace roomwright
