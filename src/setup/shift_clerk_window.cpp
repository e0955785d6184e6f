#include "setup/shift_clerk_window.h"

#include "setup/settings_entry.h"
#include "store/settings.h"
#include "ui/controls.h"
#include "ui/default_button.h"
#include "ui/placement.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace roomwright {

namespace {

QString qstring(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

ShiftClerkWindow::ShiftClerkWindow(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form10"));
    setWindowTitle(QStringLiteral("Set Shift and Clerk"));

    shiftCombo = makeEditableCombo(this, "Combo1", QStringLiteral("Shift"));
    shiftCombo->lineEdit()->setPlaceholderText(qstring(kShiftPrompt));
    shiftCombo->setEditText(qstring(kShiftPrompt));
    // The shift box shows only its prompt: a label beside it says what it is.
    auto* shiftLabel = makeLabel(this, "ShiftLabel", QStringLiteral("Shift"));
    labelControl(shiftLabel, shiftCombo);
    initialsCaption = makeLabel(this, "Label1", QStringLiteral("Clerk Initials"));
    initialsBox = makeTextBox(this, "Text1", initialsCaption);
    // Only two characters are stored; the box takes no more than it keeps.
    initialsBox->setMaxLength(2);
    enterButton = makeButton(this, "Command1", QStringLiteral("Enter Now"));
    exitButton = makeButton(this, "Command2", QStringLiteral("Exit"));
    makeDefaultButton(this, enterButton);

    auto* grid = new QGridLayout(this);
    grid->addWidget(shiftLabel, 0, 0);
    grid->addWidget(shiftCombo, 0, 1);
    grid->addWidget(initialsCaption, 1, 0);
    grid->addWidget(initialsBox, 1, 1);
    auto* buttons = makeButtonRow({enterButton, exitButton});
    grid->addLayout(buttons, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    setMinimumWidth(300);

    connect(shiftCombo, &QComboBox::activated, this, &ShiftClerkWindow::shiftPicked);
    connect(enterButton, &QPushButton::clicked, this, &ShiftClerkWindow::enterClicked);
    connect(exitButton, &QPushButton::clicked, this, &ShiftClerkWindow::exitClicked);
}

void ShiftClerkWindow::load() {
    placeAt(this, 500, 3600);
    show();
    shiftCombo->clear();
    for (std::string_view shift : kShifts) {
        shiftCombo->addItem(qstring(shift));
    }
    shiftCombo->setCurrentIndex(-1);
    shiftCombo->setEditText(qstring(kShiftPrompt));
    guarded(services_.dialogs, this, [&] {
        const ShiftClerkRecord record = shiftAndClerk(services_.store);
        shiftCombo->setEditText(QString::fromStdString(shownText(record.Shift.str())));
        initialsBox->setText(QString::fromStdString(shownText(record.ClerkInitials.str())));
    });
    focusField(shiftCombo);
}

void ShiftClerkWindow::shiftPicked() {
    focusField(initialsBox);
}

void ShiftClerkWindow::enterClicked() {
    const ShiftClerkRecord record = shiftClerkRecord(shiftCombo->currentText().toStdString(),
                                                     initialsBox->text().toStdString());
    if (guarded(services_.dialogs, this, [&] { setShiftAndClerk(services_.store, record); })) {
        close();
    }
}

void ShiftClerkWindow::exitClicked() {
    close();
}

} // namespace roomwright
