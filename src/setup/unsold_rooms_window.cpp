#include "setup/unsold_rooms_window.h"

#include "setup/room_maintenance.h"
#include "ui/controls.h"
#include "ui/default_button.h"
#include "ui/placement.h"

#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace roomwright {

Form5::Form5(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Unsold Rooms"));

    List1 = makeRoomList(this, "List1", QStringLiteral("Unsold rooms"));
    Command1 = makeButton(this, "Command1", QStringLiteral("Exit"));
    makeDefaultButton(this, Command1);

    auto* buttons = makeButtonRow({Command1});
    auto* root = new QVBoxLayout(this);
    root->addWidget(List1, 1);
    root->addLayout(buttons);
    resize(300, 460);

    connect(Command1, &QPushButton::clicked, this, &Form5::Command1_Click);
}

void Form5::Form_Load() {
    placeAt(this, 300, 300);
    show();
    List1->clear();
    guarded(services_.dialogs, this, [&] {
        for (const std::string& line : unsoldRoomLines(services_.store)) {
            List1->addItem(QString::fromStdString(line));
        }
    });
    List1->setFocus(Qt::OtherFocusReason);
}

void Form5::Command1_Click() {
    close();
}

} // namespace roomwright
