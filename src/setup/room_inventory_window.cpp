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

Form3::Form3(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Enter Room Inventory"));

    Label1 = makeLabel(this, "Label1", QStringLiteral("Enter Room #"));
    Text1 = makeTextBox(this, "Text1", Label1);
    Combo1 = makeEditableCombo(this, "Combo1", QStringLiteral("Room type"));
    Combo1->setEditText(qstring(kRoomTypePrompt));
    // The type box shows only its prompt: a label beside it says what it is.
    auto* typeLabel = makeLabel(this, "TypeLabel", QStringLiteral("Room Type"));
    labelControl(typeLabel, Combo1);
    Label2 = makeLabel(this, "Label2", QStringLiteral("Enter Room Rate"));
    Text2 = makeTextBox(this, "Text2", Label2);
    Command1 = makeButton(this, "Command1", QStringLiteral("Enter Room Now"));
    Command2 = makeButton(this, "Command2", QStringLiteral("Clear Fields"));
    Label3 = makeLabel(this, "Label3", QStringLiteral("Rooms already entered"));
    List1 = makeRoomList(this, "List1", Label3->text());
    Label3->setBuddy(List1);
    Command3 = makeButton(this, "Command3", QStringLiteral("Exit"));
    makeDefaultButton(this, Command1);

    auto* entry = new QGridLayout;
    entry->addWidget(Label1, 0, 0);
    entry->addWidget(Text1, 0, 1);
    entry->addWidget(typeLabel, 1, 0);
    entry->addWidget(Combo1, 1, 1);
    entry->addWidget(Label2, 2, 0);
    entry->addWidget(Text2, 2, 1);
    entry->setColumnStretch(1, 1);

    auto* entryButtons = new QHBoxLayout;
    entryButtons->addWidget(Command1);
    entryButtons->addWidget(Command2);
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
    right->addWidget(Label3);
    right->addWidget(List1, 1);

    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addLayout(right, 1);

    auto* exitRow = new QHBoxLayout;
    exitRow->addStretch();
    exitRow->addWidget(Command3);

    auto* root = new QVBoxLayout(this);
    root->addLayout(body, 1);
    root->addLayout(exitRow);
    resize(760, 420);

    connect(Combo1, &QComboBox::activated, this, &Form3::Combo1_Click);
    connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form3::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form3::Command3_Click);
}

void Form3::Form_Load() {
    placeAt(this, 500, 500);
    show();
    Combo1->clear();
    for (const RoomType& type : kRoomTypes) {
        Combo1->addItem(QString::fromLatin1(type.code));
    }
    Combo1->setCurrentIndex(-1);
    Combo1->setEditText(qstring(kRoomTypePrompt));
    fillList();
    focusField(Text1);
}

void Form3::fillList() {
    List1->clear();
    guarded(services_.dialogs, this, [&] {
        for (const std::string& line : inventoryLines(services_.store)) {
            List1->addItem(QString::fromStdString(line));
        }
    });
    List1->scrollToBottom();
}

void Form3::Combo1_Click() {
    focusField(Text2);
}

void Form3::Command1_Click() {
    const NewRoom room{Text1->text().toStdString(), Combo1->currentText().toStdString(),
                       Text2->text().toStdString()};
    EnteredRoom entered;
    if (!guarded(services_.dialogs, this, [&] { entered = enterRoom(services_.store, room); })) {
        return;
    }
    if (entered.refusal) {
        services_.dialogs.inform(this, kAttention,
                                 QString::fromStdString(entered.refusal->message));
        switch (entered.refusal->field) {
        case NewRoomField::Number:
            focusField(Text1);
            break;
        case NewRoomField::Type:
            focusField(Combo1);
            break;
        case NewRoomField::Rate:
            focusField(Text2);
            break;
        }
        return;
    }
    fillList();
    Text1->clear();
    Combo1->setCurrentIndex(-1);
    Combo1->setEditText(qstring(kRoomTypePrompt));
    Text2->clear();
    focusField(Text1);
}

void Form3::Command2_Click() {
    Text1->clear();
    Text2->clear();
    Combo1->setCurrentIndex(-1);
    Combo1->setEditText(qstring(kClearedRoomTypePrompt));
    focusField(Text1);
}

void Form3::Command3_Click() {
    close();
}

} // namespace roomwright
