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

Form10::Form10(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form10"));
    setWindowTitle(QStringLiteral("Set Shift and Clerk"));

    Combo1 = makeEditableCombo(this, "Combo1", QStringLiteral("Shift"));
    Combo1->lineEdit()->setPlaceholderText(qstring(kShiftPrompt));
    Combo1->setEditText(qstring(kShiftPrompt));
    // The shift box shows only its prompt: a label beside it says what it is.
    auto* shiftLabel = makeLabel(this, "ShiftLabel", QStringLiteral("Shift"));
    labelControl(shiftLabel, Combo1);
    Label1 = makeLabel(this, "Label1", QStringLiteral("Clerk Initials"));
    Text1 = makeTextBox(this, "Text1", Label1);
    // Only two characters are stored; the box takes no more than it keeps.
    Text1->setMaxLength(2);
    Command1 = makeButton(this, "Command1", QStringLiteral("Enter Now"));
    Command2 = makeButton(this, "Command2", QStringLiteral("Exit"));
    makeDefaultButton(this, Command1);

    auto* grid = new QGridLayout(this);
    grid->addWidget(shiftLabel, 0, 0);
    grid->addWidget(Combo1, 0, 1);
    grid->addWidget(Label1, 1, 0);
    grid->addWidget(Text1, 1, 1);
    auto* buttons = makeButtonRow({Command1, Command2});
    grid->addLayout(buttons, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    setMinimumWidth(300);

    connect(Combo1, &QComboBox::activated, this, &Form10::Combo1_Click);
    connect(Command1, &QPushButton::clicked, this, &Form10::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form10::Command2_Click);
}

void Form10::Form_Load() {
    placeAt(this, 500, 3600);
    show();
    Combo1->clear();
    for (std::string_view shift : kShifts) {
        Combo1->addItem(qstring(shift));
    }
    Combo1->setCurrentIndex(-1);
    Combo1->setEditText(qstring(kShiftPrompt));
    guarded(services_.dialogs, this, [&] {
        const ShiftClerkRecord record = shiftAndClerk(services_.store);
        Combo1->setEditText(QString::fromStdString(shownText(record.Shift.str())));
        Text1->setText(QString::fromStdString(shownText(record.ClerkInitials.str())));
    });
    focusField(Combo1);
}

void Form10::Combo1_Click() {
    focusField(Text1);
}

void Form10::Command1_Click() {
    const ShiftClerkRecord record =
        shiftClerkRecord(Combo1->currentText().toStdString(), Text1->text().toStdString());
    if (guarded(services_.dialogs, this, [&] { setShiftAndClerk(services_.store, record); })) {
        close();
    }
}

void Form10::Command2_Click() {
    close();
}

} // namespace roomwright
