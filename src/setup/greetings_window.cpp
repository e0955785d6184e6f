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

GreetingsWindow::GreetingsWindow(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form27"));
    setWindowTitle(QStringLiteral("Greetings"));

    roomInventoryLabel = makeLabel(
        this, "Label1",
        QStringLiteral("I'm showing that you haven't entered room inventory yet. To do that, "));
    roomInventoryButton = new QPushButton(QStringLiteral("click here"), this);
    nameControl(roomInventoryButton, "Command1", QStringLiteral("click here: room inventory"));
    taxRateLabel = makeLabel(
        this, "Label2",
        QStringLiteral("I'm showing that you haven't entered you tax amount. To do that, "));
    taxRateButton = new QPushButton(QStringLiteral("click here"), this);
    nameControl(taxRateButton, "Command2", QStringLiteral("click here: tax amount"));
    dontShowAgainCheck =
        makeCaptioned<QCheckBox>(this, "Check1", QStringLiteral("Don't show this screen again"));
    exitButton = makeButton(this, "Command3", QStringLiteral("Exit"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(roomInventoryLabel, 0, 0);
    grid->addWidget(roomInventoryButton, 0, 1);
    grid->addWidget(taxRateLabel, 1, 0);
    grid->addWidget(taxRateButton, 1, 1);
    grid->addWidget(dontShowAgainCheck, 2, 0, 1, 2);
    grid->addWidget(exitButton, 3, 1);
    grid->setColumnStretch(0, 1);
    makeDefaultButton(this, exitButton);

    connect(roomInventoryButton, &QPushButton::clicked, this,
            &GreetingsWindow::roomInventoryClicked);
    connect(taxRateButton, &QPushButton::clicked, this, &GreetingsWindow::taxRateClicked);
    connect(dontShowAgainCheck, &QCheckBox::clicked, this, &GreetingsWindow::dontShowAgainClicked);
    connect(exitButton, &QPushButton::clicked, this, &GreetingsWindow::exitClicked);
}

void GreetingsWindow::load() {
    placeAt(this, 300, 4000);
    show();
    guarded(services_.dialogs, this, [&] {
        const SetupProgress progress = setupProgress(services_.store);
        if (progress.roomsEntered) {
            roomInventoryButton->hide();
            roomInventoryLabel->setText(QStringLiteral("Your room inventory has been entered."));
        }
        if (progress.taxEntered) {
            taxRateButton->hide();
            taxRateLabel->setText(QStringLiteral("Your tax amount has been entered."));
        }
    });
}

void GreetingsWindow::roomInventoryClicked() {
    services_.windows.open(WindowId::RoomInventory);
    close();
}

void GreetingsWindow::taxRateClicked() {
    services_.windows.open(WindowId::TaxRate);
    close();
}

void GreetingsWindow::dontShowAgainClicked() {
    const bool ticked = dontShowAgainCheck->isChecked();
    guarded(services_.dialogs, this,
            [&] { setReminderSwitch(services_.store, ticked ? 1.0f : 0.0f); });
}

void GreetingsWindow::exitClicked() {
    close();
}

} // namespace roomwright
