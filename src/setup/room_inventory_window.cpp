#include "setup/room_inventory_window.h"

#include "setup/room_inventory.h"
#include "ui/controls.h"
#include "ui/default_button.h"
#include "ui/placement.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace roomwright {

namespace {

QString qstring(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

RoomInventoryWindow::RoomInventoryWindow(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Enter Room Inventory"));

    roomNumberCaption = makeLabel(this, "Label1", QStringLiteral("Enter Room #"));
    roomNumberBox = makeTextBox(this, "Text1", roomNumberCaption);
    roomTypeCombo = makeEditableCombo(this, "Combo1", QStringLiteral("Room type"));
    roomTypeCombo->setEditText(qstring(kRoomTypePrompt));
    // The type box shows only its prompt: a label beside it says what it is.
    auto* typeLabel = makeLabel(this, "TypeLabel", QStringLiteral("Room Type"));
    labelControl(typeLabel, roomTypeCombo);
    rateCaption = makeLabel(this, "Label2", QStringLiteral("Enter Room Rate"));
    rateBox = makeTextBox(this, "Text2", rateCaption);
    enterRoomButton = makeButton(this, "Command1", QStringLiteral("Enter Room Now"));
    clearButton = makeButton(this, "Command2", QStringLiteral("Clear Fields"));
    roomsCaption = makeLabel(this, "Label3", QStringLiteral("Rooms already entered"));
    roomsList = makeRoomList(this, "List1", roomsCaption->text());
    roomsCaption->setBuddy(roomsList);
    exitButton = makeButton(this, "Command3", QStringLiteral("Exit"));
    makeDefaultButton(this, enterRoomButton);

    auto* entry = new QGridLayout;
    entry->addWidget(roomNumberCaption, 0, 0);
    entry->addWidget(roomNumberBox, 0, 1);
    entry->addWidget(typeLabel, 1, 0);
    entry->addWidget(roomTypeCombo, 1, 1);
    entry->addWidget(rateCaption, 2, 0);
    entry->addWidget(rateBox, 2, 1);
    entry->setColumnStretch(1, 1);

    auto* entryButtons = new QHBoxLayout;
    entryButtons->addWidget(enterRoomButton);
    entryButtons->addWidget(clearButton);
    entryButtons->addStretch();

    auto* legendBox = new QGroupBox(QStringLiteral("Room types"), this);
    auto* legendGrid = new QGridLayout(legendBox);
    for (std::size_t i = 0; i < kRoomTypes.size(); ++i) {
        const QString name = QStringLiteral("Legend%1").arg(i + 1);
        auto* label =
            makeLabel(legendBox, name.toLatin1().constData(), qstring(kRoomTypes[i].legend));
        legend.push_back(label);
        legendGrid->addWidget(label, static_cast<int>(i / 2), static_cast<int>(i % 2));
    }

    auto* left = new QVBoxLayout;
    left->addLayout(entry);
    left->addLayout(entryButtons);
    left->addWidget(legendBox);
    left->addStretch();

    auto* right = new QVBoxLayout;
    right->addWidget(roomsCaption);
    right->addWidget(roomsList, 1);

    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addLayout(right, 1);

    auto* exitRow = new QHBoxLayout;
    exitRow->addStretch();
    exitRow->addWidget(exitButton);

    auto* root = new QVBoxLayout(this);
    root->addLayout(body, 1);
    root->addLayout(exitRow);
    resize(760, 420);

    connect(roomTypeCombo, &QComboBox::activated, this, &RoomInventoryWindow::roomTypePicked);
    connect(enterRoomButton, &QPushButton::clicked, this, &RoomInventoryWindow::enterRoomClicked);
    connect(clearButton, &QPushButton::clicked, this, &RoomInventoryWindow::clearClicked);
    connect(exitButton, &QPushButton::clicked, this, &RoomInventoryWindow::exitClicked);
}

void RoomInventoryWindow::load() {
    placeAt(this, 500, 500);
    show();
    roomTypeCombo->clear();
    for (const RoomType& type : kRoomTypes) {
        roomTypeCombo->addItem(QString::fromLatin1(type.code));
    }
    roomTypeCombo->setCurrentIndex(-1);
    roomTypeCombo->setEditText(qstring(kRoomTypePrompt));
    fillList();
    focusField(roomNumberBox);
}

void RoomInventoryWindow::fillList() {
    roomsList->clear();
    guarded(services_.dialogs, this, [&] {
        for (const std::string& line : inventoryLines(services_.store)) {
            roomsList->addItem(QString::fromStdString(line));
        }
    });
    roomsList->scrollToBottom();
}

void RoomInventoryWindow::roomTypePicked() {
    focusField(rateBox);
}

void RoomInventoryWindow::enterRoomClicked() {
    const NewRoom room{roomNumberBox->text().toStdString(),
                       roomTypeCombo->currentText().toStdString(), rateBox->text().toStdString()};
    EnteredRoom entered;
    if (!guarded(services_.dialogs, this, [&] { entered = enterRoom(services_.store, room); })) {
        return;
    }
    if (entered.refusal) {
        services_.dialogs.inform(this, kAttention,
                                 QString::fromStdString(entered.refusal->message));
        switch (entered.refusal->field) {
        case NewRoomField::Number:
            focusField(roomNumberBox);
            break;
        case NewRoomField::Type:
            focusField(roomTypeCombo);
            break;
        case NewRoomField::Rate:
            focusField(rateBox);
            break;
        }
        return;
    }
    fillList();
    roomNumberBox->clear();
    roomTypeCombo->setCurrentIndex(-1);
    roomTypeCombo->setEditText(qstring(kRoomTypePrompt));
    rateBox->clear();
    focusField(roomNumberBox);
}

void RoomInventoryWindow::clearClicked() {
    roomNumberBox->clear();
    rateBox->clear();
    roomTypeCombo->setCurrentIndex(-1);
    roomTypeCombo->setEditText(qstring(kClearedRoomTypePrompt));
    focusField(roomNumberBox);
}

void RoomInventoryWindow::exitClicked() {
    close();
}

} // namespace roomwright
