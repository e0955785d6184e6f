#include "setup/main_menu_window.h"

#include "ui/controls.h"
#include "ui/placement.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace roomwright {

Form2::Form2(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Main Menu"));

    Command1 = makeButton(this, "Command1", QStringLiteral("Enter Room Inventory"));
    Command2 = makeButton(this, "Command2", QStringLiteral("Enter Tax Amount"));
    Command3 = makeButton(this, "Command3", QStringLiteral("Set Pet Fee Amount"));
    Command5 = makeButton(this, "Command5", QStringLiteral("Set Shift and Clerk"));
    Command9 = makeButton(this, "Command9", QStringLiteral("Edit Room Properties"));
    Command10 = makeButton(this, "Command10", QStringLiteral("Set Room Status"));
    Command6 = makeButton(this, "Command6", QStringLiteral("Monthly Report"));
    Command7 = makeButton(this, "Command7", QStringLiteral("Night Audit Report"));
    Command8 = makeButton(this, "Command8", QStringLiteral("Find Checked Out Guest"));
    Command4 = makeButton(this, "Command4", QStringLiteral("Exit"));

    // The setup windows first, then the reports, then Exit: the order they are created in is
    // also the tab order.
    auto* column = new QVBoxLayout(this);
    for (QPushButton* button : {Command1, Command2, Command3, Command5, Command9, Command10}) {
        button->setMinimumHeight(32);
        column->addWidget(button);
    }
    column->addSpacing(12);
    for (QPushButton* button : {Command6, Command7, Command8}) {
        button->setMinimumHeight(32);
        column->addWidget(button);
    }
    column->addSpacing(12);
    Command4->setMinimumHeight(32);
    column->addWidget(Command4);
    setMinimumWidth(260);

    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form2::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form2::Command3_Click);
    connect(Command5, &QPushButton::clicked, this, &Form2::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Form2::Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &Form2::Command7_Click);
    connect(Command8, &QPushButton::clicked, this, &Form2::Command8_Click);
    connect(Command9, &QPushButton::clicked, this, &Form2::Command9_Click);
    connect(Command10, &QPushButton::clicked, this, &Form2::Command10_Click);
    connect(Command4, &QPushButton::clicked, this, &Form2::Command4_Click);
}

void Form2::Form_Load() {
    placeAt(this, 500, 4000);
    show();
}

void Form2::openInstead(WindowId id) {
    services_.windows.open(id);
    close();
}

void Form2::Command1_Click() {
    openInstead(WindowId::RoomInventory);
}
void Form2::Command2_Click() {
    openInstead(WindowId::TaxRate);
}
// The pet fee window alone leaves the menu open behind it.
void Form2::Command3_Click() {
    services_.windows.open(WindowId::PetFee);
}
void Form2::Command5_Click() {
    openInstead(WindowId::ShiftClerk);
}
void Form2::Command6_Click() {
    openInstead(WindowId::MonthlyReport);
}
void Form2::Command7_Click() {
    openInstead(WindowId::NightAudit);
}
void Form2::Command8_Click() {
    openInstead(WindowId::GuestHistory);
}
void Form2::Command9_Click() {
    openInstead(WindowId::RoomProperties);
}
void Form2::Command10_Click() {
    openInstead(WindowId::RoomStatus);
}
void Form2::Command4_Click() {
    close();
}

} // namespace roomwright
