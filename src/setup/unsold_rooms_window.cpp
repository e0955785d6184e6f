#include "setup/unsold_rooms_window.h"

#include "setup/room_maintenance.h"
#include "ui/controls.h"
#include "ui/default_button.h"
#include "ui/placement.h"

#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace roomwright {

UnsoldRoomsWindow::UnsoldRoomsWindow(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Unsold Rooms"));

    roomsList = makeRoomList(this, "List1", QStringLiteral("Unsold rooms"));
    exitButton = makeButton(this, "Command1", QStringLiteral("Exit"));
    makeDefaultButton(this, exitButton);

    auto* buttons = makeButtonRow({exitButton});
    auto* root = new QVBoxLayout(this);
    root->addWidget(roomsList, 1);
    root->addLayout(buttons);
    resize(300, 460);

    connect(exitButton, &QPushButton::clicked, this, &UnsoldRoomsWindow::exitClicked);
}

void UnsoldRoomsWindow::load() {
    placeAt(this, 300, 300);
    show();
    roomsList->clear();
    guarded(services_.dialogs, this, [&] {
        for (const std::string& line : unsoldRoomLines(services_.store)) {
            roomsList->addItem(QString::fromStdString(line));
        }
    });
    roomsList->setFocus(Qt::OtherFocusReason);
}

void UnsoldRoomsWindow::exitClicked() {
    close();
}

} // namespace roomwright
