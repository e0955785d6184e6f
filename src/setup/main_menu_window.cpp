#include "setup/main_menu_window.h"

#include "backup/backup.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/placement.h"

#include "store/format/path_text.h"

#include <QGridLayout>
#include <QPushButton>
#include <QStringList>

#include <algorithm>

namespace roomwright {

MainMenuWindow::MainMenuWindow(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Main Menu"));

    roomInventoryButton = makeButton(this, "Command1", QStringLiteral("Enter Room Inventory"));
    taxRateButton = makeButton(this, "Command2", QStringLiteral("Enter Tax Amount"));
    petFeeButton = makeButton(this, "Command3", QStringLiteral("Set Pet Fee Amount"));
    shiftClerkButton = makeButton(this, "Command5", QStringLiteral("Set Shift and Clerk"));
    roomPropertiesButton = makeButton(this, "Command9", QStringLiteral("Edit Room Properties"));
    roomStatusButton = makeButton(this, "Command10", QStringLiteral("Set Room Status"));
    motelDetailsButton = makeButton(this, "Command15", QStringLiteral("Motel Details"));
    monthlyReportButton = makeButton(this, "Command6", QStringLiteral("Monthly Report"));
    nightAuditButton = makeButton(this, "Command7", QStringLiteral("Night Audit Report"));
    findGuestButton = makeButton(this, "Command8", QStringLiteral("Find Checked Out Guest"));
    arrivalsButton = makeButton(this, "Command21", QStringLiteral("Print Arrivals"));
    departuresButton = makeButton(this, "Command22", QStringLiteral("Print Departures"));
    inHouseButton = makeButton(this, "Command23", QStringLiteral("Print In-House List"));
    backupButton = makeButton(this, "Command16", QStringLiteral("Back Up Data"));
    restoreButton = makeButton(this, "Command17", QStringLiteral("Restore Data"));
    exitButton = makeButton(this, "Command4", QStringLiteral("Exit"));

    // The setup windows in one column, the reports beside them, then Exit: the order they are
    // created in is also the tab order.
    auto* columns = new QGridLayout(this);
    const std::initializer_list<QPushButton*> setup = {
        roomInventoryButton,  taxRateButton,    petFeeButton,      shiftClerkButton,
        roomPropertiesButton, roomStatusButton, motelDetailsButton};
    const std::initializer_list<QPushButton*> reports = {
        monthlyReportButton, nightAuditButton, findGuestButton, arrivalsButton,
        departuresButton,    inHouseButton,    backupButton,    restoreButton};
    for (const auto& [column, buttons] : {std::pair(0, setup), std::pair(1, reports)}) {
        int row = 0;
        for (QPushButton* button : buttons) {
            button->setMinimumSize(220, 32);
            columns->addWidget(button, row++, column);
        }
    }
    exitButton->setMinimumHeight(32);
    const int rows = static_cast<int>(std::max(setup.size(), reports.size()));
    columns->setRowMinimumHeight(rows, 12);
    columns->addWidget(exitButton, rows + 1, 1);

    connect(roomInventoryButton, &QPushButton::clicked, this,
            &MainMenuWindow::roomInventoryClicked);
    connect(taxRateButton, &QPushButton::clicked, this, &MainMenuWindow::taxRateClicked);
    connect(petFeeButton, &QPushButton::clicked, this, &MainMenuWindow::petFeeClicked);
    connect(shiftClerkButton, &QPushButton::clicked, this, &MainMenuWindow::shiftClerkClicked);
    connect(monthlyReportButton, &QPushButton::clicked, this,
            &MainMenuWindow::monthlyReportClicked);
    connect(nightAuditButton, &QPushButton::clicked, this, &MainMenuWindow::nightAuditClicked);
    connect(findGuestButton, &QPushButton::clicked, this, &MainMenuWindow::findGuestClicked);
    connect(arrivalsButton, &QPushButton::clicked, this, &MainMenuWindow::arrivalsClicked);
    connect(departuresButton, &QPushButton::clicked, this, &MainMenuWindow::departuresClicked);
    connect(inHouseButton, &QPushButton::clicked, this, &MainMenuWindow::inHouseClicked);
    connect(roomPropertiesButton, &QPushButton::clicked, this,
            &MainMenuWindow::roomPropertiesClicked);
    connect(roomStatusButton, &QPushButton::clicked, this, &MainMenuWindow::roomStatusClicked);
    connect(motelDetailsButton, &QPushButton::clicked, this, &MainMenuWindow::motelDetailsClicked);
    connect(backupButton, &QPushButton::clicked, this, &MainMenuWindow::backupClicked);
    connect(restoreButton, &QPushButton::clicked, this, &MainMenuWindow::restoreClicked);
    connect(exitButton, &QPushButton::clicked, this, &MainMenuWindow::exitClicked);
}

void MainMenuWindow::load() {
    placeAt(this, 500, 4000);
    show();
}

void MainMenuWindow::openInstead(WindowId id) {
    services_.windows.open(id);
    close();
}

void MainMenuWindow::roomInventoryClicked() {
    openInstead(WindowId::RoomInventory);
}
void MainMenuWindow::taxRateClicked() {
    openInstead(WindowId::TaxRate);
}
// The pet fee window alone leaves the menu open behind it.
void MainMenuWindow::petFeeClicked() {
    services_.windows.open(WindowId::PetFee);
}
void MainMenuWindow::shiftClerkClicked() {
    openInstead(WindowId::ShiftClerk);
}
void MainMenuWindow::monthlyReportClicked() {
    openInstead(WindowId::MonthlyReport);
}
void MainMenuWindow::nightAuditClicked() {
    openInstead(WindowId::NightAudit);
}
void MainMenuWindow::findGuestClicked() {
    openInstead(WindowId::GuestHistory);
}
void MainMenuWindow::arrivalsClicked() {
    printList(DeskListKind::Arrivals);
}
void MainMenuWindow::departuresClicked() {
    printList(DeskListKind::Departures);
}
void MainMenuWindow::inHouseClicked() {
    printList(DeskListKind::InHouse);
}

void MainMenuWindow::printList(DeskListKind kind) {
    guarded(services_.dialogs, this, [&] {
        const CivilDate today = services_.clock.today();
        const DeskList list = deskList(services_.store, kind, today, today);
        services_.printer.print(deskListDocument(list));
        if (!list.problems.empty()) {
            QStringList problems;
            for (const std::string& problem : list.problems) {
                problems << QString::fromStdString(problem);
            }
            services_.dialogs.inform(this, kAttention, problems.join(QLatin1Char('\n')));
        }
    });
}

void MainMenuWindow::roomPropertiesClicked() {
    openInstead(WindowId::RoomProperties);
}
void MainMenuWindow::roomStatusClicked() {
    openInstead(WindowId::RoomStatus);
}
void MainMenuWindow::motelDetailsClicked() {
    openInstead(WindowId::MotelDetails);
}
// The copy goes to a folder the clerk picks; the menu stays open to tell where it went.
void MainMenuWindow::backupClicked() {
    const QString folder =
        services_.dialogs.chooseFolder(this, QStringLiteral("Back up the motel's data to"));
    if (folder.isEmpty()) {
        return;
    }
    Backup backup;
    if (guarded(services_.dialogs, this,
                [&] { backup = backUp(services_.store, folder.toStdString(), services_.clock); })) {
        services_.dialogs.inform(
            this, QStringLiteral("Back Up Data"),
            QStringLiteral("The motel's data was copied and checked, %1 files, into %2")
                .arg(backup.files)
                .arg(QString::fromStdString(backup.file.generic_string())));
    }
}
// The clerk picks a backup and answers a question whose default is No; the data in use is
// kept beside the data directory, and the menu stays open to tell where.
void MainMenuWindow::restoreClicked() {
    const QString file =
        services_.dialogs.chooseFile(this, QStringLiteral("Restore the motel's data from"),
                                     QStringLiteral("Roomwright backups (roomwright-*.tar)"));
    if (file.isEmpty()) {
        return;
    }
    const QString root =
        QString::fromStdString(services_.store.directory().root().generic_string());
    if (!services_.dialogs.ask(
            this, QStringLiteral("Restore Data"),
            QStringLiteral("Restore the motel's data from %1? The data now in use is kept in a "
                           "folder beside it, %2.before-restore- and the date and time, and "
                           "every other window closes.")
                .arg(file, root),
            Answer::No)) {
        return;
    }
    Restored restored;
    if (guarded(services_.dialogs, this, [&] {
            restored = services_.data.restore(pathFromUtf8(file.toStdString()), this);
        })) {
        services_.dialogs.inform(
            this, QStringLiteral("Restore Data"),
            QStringLiteral("The motel's data was restored from %1, %2 files. The data in use "
                           "before is kept in %3")
                .arg(file)
                .arg(restored.files)
                .arg(QString::fromStdString(restored.previous.generic_string())));
    }
}
void MainMenuWindow::exitClicked() {
    close();
}

} // namespace roomwright
