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

Form4::Form4(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Room List"));

    List1 = makeRoomList(this, "List1", QStringLiteral("Rooms"));
    Command2 = makeButton(this, "Command2", QStringLiteral("Make All Rooms Clean"));
    Command1 = makeButton(this, "Command1", QStringLiteral("Exit"));
    makeDefaultButton(this, Command1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command2);
    buttons->addStretch();
    buttons->addWidget(Command1);
    auto* root = new QVBoxLayout(this);
    root->addWidget(List1, 1);
    root->addLayout(buttons);
    resize(380, 460);

    connect(Command2, &QPushButton::clicked, this, &Form4::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &Form4::Command1_Click);
}

void Form4::Form_Load() {
    placeAt(this, 300, 300);
    show();
    fillList();
    List1->setFocus(Qt::OtherFocusReason);
}

void Form4::fillList() {
    List1->clear();
    guarded(services_.dialogs, this, [&] {
        for (const std::string& line : roomListLines(services_.store)) {
            List1->addItem(QString::fromStdString(line));
        }
    });
}

void Form4::Command2_Click() {
    guarded(services_.dialogs, this, [&] { makeAllRoomsClean(services_.store); });
    fillList();
}

void Form4::Command1_Click() {
    close();
}

} // namespace roomwright
