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

RoomPropertiesWindow::RoomPropertiesWindow(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form23"));
    setWindowTitle(QStringLiteral("Edit Room Properties"));

    roomCombo = makeRoomChoice(this, "Combo1");
    roomNumberCaption = makeLabel(this, "Label1", QStringLiteral("Room #"));
    roomNumberLabel = makeValueLabel(this, "Label2");
    labelControl(roomNumberCaption, roomNumberLabel);
    roomNumberLabel->setMinimumWidth(60);
    roomTypeCombo = makeEditableCombo(this, "Combo2", QStringLiteral("Room type"));
    roomTypeCombo->setEditText(qstring(kRoomTypePrompt));
    // The type box shows only its prompt: a label beside it says what it is.
    auto* typeLabel = makeLabel(this, "TypeLabel", QStringLiteral("Room Type"));
    labelControl(typeLabel, roomTypeCombo);
    rateCaption = makeLabel(this, "Label3", QStringLiteral("Room Rate"));
    rateBox = makeTextBox(this, "Text1", rateCaption);
    saveButton = makeButton(this, "Command2", QStringLiteral("Save Changes"));
    exitButton = makeButton(this, "Command1", QStringLiteral("Exit"));
    makeDefaultButton(this, saveButton);

    auto* grid = new QGridLayout(this);
    grid->addWidget(roomCombo, 0, 0, 1, 2);
    grid->addWidget(roomNumberCaption, 1, 0);
    grid->addWidget(roomNumberLabel, 1, 1);
    grid->addWidget(typeLabel, 2, 0);
    grid->addWidget(roomTypeCombo, 2, 1);
    grid->addWidget(rateCaption, 3, 0);
    grid->addWidget(rateBox, 3, 1);
    auto* buttons = makeButtonRow({saveButton, exitButton});
    grid->addLayout(buttons, 4, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    setMinimumWidth(320);

    connect(roomCombo, &QComboBox::activated, this, &RoomPropertiesWindow::roomPicked);
    connect(saveButton, &QPushButton::clicked, this, &RoomPropertiesWindow::saveClicked);
    connect(exitButton, &QPushButton::clicked, this, &RoomPropertiesWindow::exitClicked);
}

void RoomPropertiesWindow::load() {
    placeAt(this, 500, 3000);
    show();
    roomCombo->clear();
    guarded(services_.dialogs, this, [&] { fillList(roomCombo, roomChoices(services_.store)); });
    roomTypeCombo->clear();
    for (const RoomType& type : kRoomTypes) {
        roomTypeCombo->addItem(QString::fromLatin1(type.code));
    }
    roomTypeCombo->setCurrentIndex(-1);
    roomTypeCombo->setEditText(qstring(kRoomTypePrompt));
    roomCombo->setFocus(Qt::OtherFocusReason);
}

void RoomPropertiesWindow::roomPicked() {
    guarded(services_.dialogs, this, [&] {
        const auto room = chosenRoom(roomCombo);
        const auto shown = room ? roomPropertiesOf(services_.store, *room) : std::nullopt;
        if (!shown) {
            return;
        }
        roomNumberLabel->setText(QString::fromStdString(shown->number));
        roomTypeCombo->setEditText(QString::fromStdString(shown->type));
        rateBox->setText(QString::fromStdString(shown->rate));
    });
}

void RoomPropertiesWindow::saveClicked() {
    const PropertiesEntry entry{
        roomCombo->currentIndex() >= 0, roomNumberLabel->text().toStdString(),
        roomTypeCombo->currentText().toStdString(), rateBox->text().toStdString()};
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
            roomCombo->setFocus(Qt::OtherFocusReason);
            break;
        case PropertiesField::Type:
            focusField(roomTypeCombo);
            break;
        case PropertiesField::Rate:
            focusField(rateBox);
            break;
        }
        return;
    }
    if (outcome.saved == PropertiesSaved::Saved) {
        services_.dialogs.inform(this, kAttention, qstring(kChangesMade));
    }
}

void RoomPropertiesWindow::exitClicked() {
    close();
}

} // namespace roomwright
