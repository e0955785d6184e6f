#include "setup/room_properties_window.h"

#include "setup/room_inventory.h"
#include "setup/room_maintenance.h"
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

Form23::Form23(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form23"));
    setWindowTitle(QStringLiteral("Edit Room Properties"));

    Combo1 = makeRoomChoice(this, "Combo1");
    Label1 = makeLabel(this, "Label1", QStringLiteral("Room #"));
    Label2 = makeLabel(this, "Label2", QString());
    Label2->setAccessibleName(QStringLiteral("Room number"));
    Label2->setMinimumWidth(60);
    Combo2 = makeEditableCombo(this, "Combo2", QStringLiteral("Room type"));
    Combo2->setEditText(qstring(kRoomTypePrompt));
    // The type box shows only its prompt: a label beside it says what it is.
    auto* typeLabel = makeLabel(this, "TypeLabel", QStringLiteral("Room Type"));
    labelControl(typeLabel, Combo2);
    Label3 = makeLabel(this, "Label3", QStringLiteral("Room Rate"));
    Text1 = makeTextBox(this, "Text1", Label3);
    Command2 = makeButton(this, "Command2", QStringLiteral("Save Changes"));
    Command1 = makeButton(this, "Command1", QStringLiteral("Exit"));
    makeDefaultButton(this, Command2);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Combo1, 0, 0, 1, 2);
    grid->addWidget(Label1, 1, 0);
    grid->addWidget(Label2, 1, 1);
    grid->addWidget(typeLabel, 2, 0);
    grid->addWidget(Combo2, 2, 1);
    grid->addWidget(Label3, 3, 0);
    grid->addWidget(Text1, 3, 1);
    auto* buttons = makeButtonRow({Command2, Command1});
    grid->addLayout(buttons, 4, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    setMinimumWidth(320);

    connect(Combo1, &QComboBox::activated, this, &Form23::Combo1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form23::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &Form23::Command1_Click);
}

void Form23::Form_Load() {
    placeAt(this, 500, 3000);
    show();
    Combo1->clear();
    guarded(services_.dialogs, this, [&] { fillList(Combo1, roomChoices(services_.store)); });
    Combo2->clear();
    for (const RoomType& type : kRoomTypes) {
        Combo2->addItem(QString::fromLatin1(type.code));
    }
    Combo2->setCurrentIndex(-1);
    Combo2->setEditText(qstring(kRoomTypePrompt));
    Combo1->setFocus(Qt::OtherFocusReason);
}

void Form23::Combo1_Click() {
    guarded(services_.dialogs, this, [&] {
        const auto shown = roomPropertiesOf(services_.store, Combo1->currentText().toStdString());
        if (!shown) {
            return;
        }
        Label2->setText(QString::fromStdString(shown->number));
        Combo2->setEditText(QString::fromStdString(shown->type));
        Text1->setText(QString::fromStdString(shown->rate));
    });
}

void Form23::Command2_Click() {
    const PropertiesEntry entry{Combo1->currentIndex() >= 0, Label2->text().toStdString(),
                                Combo2->currentText().toStdString(), Text1->text().toStdString()};
    PropertiesOutcome outcome;
    if (!guarded(services_.dialogs, this,
                 [&] { outcome = saveRoomProperties(services_.store, entry); })) {
        return;
    }
    if (outcome.refusal) {
        services_.dialogs.inform(this, kAttention,
                                 QString::fromStdString(outcome.refusal->message));
        switch (outcome.refusal->field) {
        case PropertiesField::Room:
            Combo1->setFocus(Qt::OtherFocusReason);
            break;
        case PropertiesField::Type:
            focusField(Combo2);
            break;
        case PropertiesField::Rate:
            focusField(Text1);
            break;
        }
        return;
    }
    if (outcome.saved == PropertiesSaved::Saved) {
        services_.dialogs.inform(this, kAttention, qstring(kChangesMade));
    }
}

void Form23::Command1_Click() {
    close();
}

} // namespace roomwright
