#include "setup/greetings_window.h"

#include "setup/greetings.h"
#include "store/settings.h"
#include "ui/controls.h"
#include "ui/default_button.h"
#include "ui/placement.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace roomwright {

Form27::Form27(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form27"));
    setWindowTitle(QStringLiteral("Greetings"));

    Label1 = makeLabel(
        this, "Label1",
        QStringLiteral("I'm showing that you haven't entered room inventory yet. To do that, "));
    Command1 = new QPushButton(QStringLiteral("click here"), this);
    nameControl(Command1, "Command1", QStringLiteral("click here: room inventory"));
    Label2 = makeLabel(
        this, "Label2",
        QStringLiteral("I'm showing that you haven't entered you tax amount. To do that, "));
    Command2 = new QPushButton(QStringLiteral("click here"), this);
    nameControl(Command2, "Command2", QStringLiteral("click here: tax amount"));
    Check1 =
        makeCaptioned<QCheckBox>(this, "Check1", QStringLiteral("Don't show this screen again"));
    Command3 = makeButton(this, "Command3", QStringLiteral("Exit"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Command1, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(Command2, 1, 1);
    grid->addWidget(Check1, 2, 0, 1, 2);
    grid->addWidget(Command3, 3, 1);
    grid->setColumnStretch(0, 1);
    makeDefaultButton(this, Command3);

    connect(Command1, &QPushButton::clicked, this, &Form27::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form27::Command2_Click);
    connect(Check1, &QCheckBox::clicked, this, &Form27::Check1_Click);
    connect(Command3, &QPushButton::clicked, this, &Form27::Command3_Click);
}

void Form27::Form_Load() {
    placeAt(this, 300, 4000);
    show();
    guarded(services_.dialogs, this, [&] {
        const SetupProgress progress = setupProgress(services_.store);
        if (progress.roomsEntered) {
            Command1->hide();
            Label1->setText(QStringLiteral("Your room inventory has been entered."));
        }
        if (progress.taxEntered) {
            Command2->hide();
            Label2->setText(QStringLiteral("Your tax amount has been entered."));
        }
    });
}

void Form27::Command1_Click() {
    services_.windows.open(WindowId::RoomInventory);
    close();
}

void Form27::Command2_Click() {
    services_.windows.open(WindowId::TaxRate);
    close();
}

void Form27::Check1_Click() {
    const bool ticked = Check1->isChecked();
    guarded(services_.dialogs, this,
            [&] { setReminderSwitch(services_.store, ticked ? 1.0f : 0.0f); });
}

void Form27::Command3_Click() {
    close();
}

} // namespace roomwright
