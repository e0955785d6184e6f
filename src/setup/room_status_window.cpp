#include "setup/room_status_window.h"

#include "setup/room_maintenance.h"
#include "store/layout.h"
#include "ui/controls.h"
#include "ui/default_button.h"
#include "ui/placement.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace roomwright {

namespace {

QRadioButton* option(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QRadioButton(caption, parent);
    nameControl(button, name, caption);
    return button;
}

// A frame of two option buttons, one above the other.
QGroupBox* frame(QWidget* parent, const char* name, QRadioButton*& first, const char* firstName,
                 const QString& firstCaption, QRadioButton*& second, const char* secondName,
                 const QString& secondCaption) {
    auto* box = new QGroupBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    first = option(box, firstName, firstCaption);
    second = option(box, secondName, secondCaption);
    auto* column = new QVBoxLayout(box);
    column->addWidget(first);
    column->addWidget(second);
    // The two buttons of a frame exclude each other, and neither is chosen until a room is.
    auto* group = new QButtonGroup(box);
    group->addButton(first);
    group->addButton(second);
    return box;
}

// Chooses one button of a pair; no choice leaves the pair as it is.
void showChoice(Choice choice, QRadioButton* yes, QRadioButton* no) {
    if (choice) {
        (*choice ? yes : no)->setChecked(true);
    }
}

Choice chosen(const QRadioButton* yes, const QRadioButton* no) {
    if (yes->isChecked()) {
        return true;
    }
    if (no->isChecked()) {
        return false;
    }
    return std::nullopt;
}

} // namespace

Form24::Form24(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form24"));
    setWindowTitle(QStringLiteral("Set Room Status"));

    Combo1 = makeRoomChoice(this, "Combo1");
    Label1 = makeLabel(this, "Label1", QStringLiteral("Room #"));
    Label2 = makeLabel(this, "Label2", QString());
    Label2->setAccessibleName(QStringLiteral("Room number"));
    Label2->setMinimumWidth(60);
    Frame1 = frame(this, "Frame1", Option1, "Option1", QStringLiteral("Clean"), Option2, "Option2",
                   QStringLiteral("Dirty"));
    Frame2 = frame(this, "Frame2", Option3, "Option3", QStringLiteral("Vacant"), Option4, "Option4",
                   QStringLiteral("Non-Vacant"));
    Frame3 = frame(this, "Frame3", Option5, "Option5", QStringLiteral("Ok, in order"), Option6,
                   "Option6", QStringLiteral("Out of Order"));
    Label3 = makeLabel(this, "Label3", QStringLiteral("Comment"));
    Text1 = makeTextBox(this, "Text1", Label3);
    Text1->setMinimumWidth(420);
    Command2 = makeButton(this, "Command2", QStringLiteral("Save"));
    Command1 = makeButton(this, "Command1", QStringLiteral("Exit"));
    makeDefaultButton(this, Command2);

    auto* room = new QHBoxLayout;
    room->addWidget(Combo1);
    room->addSpacing(16);
    room->addWidget(Label1);
    room->addWidget(Label2);
    room->addStretch();

    auto* frames = new QHBoxLayout;
    frames->addWidget(Frame1);
    frames->addWidget(Frame2);
    frames->addWidget(Frame3);

    auto* comment = new QHBoxLayout;
    comment->addWidget(Label3);
    comment->addWidget(Text1, 1);

    auto* buttons = makeButtonRow({Command2, Command1});

    auto* root = new QVBoxLayout(this);
    root->addLayout(room);
    root->addLayout(frames);
    root->addLayout(comment);
    root->addLayout(buttons);

    connect(Combo1, &QComboBox::activated, this, &Form24::Combo1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form24::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &Form24::Command1_Click);
}

void Form24::Form_Load() {
    placeAt(this, 500, 3000);
    show();
    Combo1->clear();
    guarded(services_.dialogs, this, [&] { fillList(Combo1, roomChoices(services_.store)); });
    Combo1->setFocus(Qt::OtherFocusReason);
}

void Form24::Combo1_Click() {
    guarded(services_.dialogs, this, [&] {
        const auto status = roomStatusOf(services_.store, Combo1->currentText().toStdString());
        if (!status) {
            return;
        }
        Label2->setText(QString::fromStdString(status->number));
        showChoice(status->clean, Option1, Option2);
        showChoice(status->vacant, Option3, Option4);
        showChoice(status->inOrder, Option5, Option6);
        Text1->setText(QString::fromStdString(status->comment));
        // The comment fills its 80 characters with blanks: typing goes on after its text.
        Text1->setCursorPosition(
            static_cast<int>(QString::fromStdString(rightTrim(status->comment)).size()));
    });
}

void Form24::Command2_Click() {
    const StatusEntry entry{Label2->text().toStdString(), chosen(Option1, Option2),
                            chosen(Option3, Option4), chosen(Option5, Option6),
                            Text1->text().toStdString()};
    bool saved = false;
    if (!guarded(services_.dialogs, this,
                 [&] { saved = saveRoomStatus(services_.store, entry); })) {
        return;
    }
    if (saved) {
        services_.dialogs.inform(
            this, kAttention,
            QString::fromUtf8(kChangesMade.data(), static_cast<qsizetype>(kChangesMade.size())));
    }
}

void Form24::Command1_Click() {
    close();
}

} // namespace roomwright
