#include "setup/room_status_window.h"

#include "setup/room_maintenance.h"
#include "store/format/layout.h"
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

RoomStatusWindow::RoomStatusWindow(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form24"));
    setWindowTitle(QStringLiteral("Set Room Status"));

    roomCombo = makeRoomChoice(this, "Combo1");
    roomNumberCaption = makeLabel(this, "Label1", QStringLiteral("Room #"));
    roomNumberLabel = makeValueLabel(this, "Label2");
    labelControl(roomNumberCaption, roomNumberLabel);
    roomNumberLabel->setMinimumWidth(60);
    cleanFrame = frame(this, "Frame1", cleanOption, "Option1", QStringLiteral("Clean"), dirtyOption,
                       "Option2", QStringLiteral("Dirty"));
    vacancyFrame = frame(this, "Frame2", vacantOption, "Option3", QStringLiteral("Vacant"),
                         nonVacantOption, "Option4", QStringLiteral("Non-Vacant"));
    orderFrame = frame(this, "Frame3", inOrderOption, "Option5", QStringLiteral("Ok, in order"),
                       outOfOrderOption, "Option6", QStringLiteral("Out of Order"));
    commentCaption = makeLabel(this, "Label3", QStringLiteral("Comment"));
    commentBox = makeTextBox(this, "Text1", commentCaption);
    commentBox->setMinimumWidth(420);
    saveButton = makeButton(this, "Command2", QStringLiteral("Save"));
    exitButton = makeButton(this, "Command1", QStringLiteral("Exit"));
    makeDefaultButton(this, saveButton);

    auto* room = new QHBoxLayout;
    room->addWidget(roomCombo);
    room->addSpacing(16);
    room->addWidget(roomNumberCaption);
    room->addWidget(roomNumberLabel);
    room->addStretch();

    auto* frames = new QHBoxLayout;
    frames->addWidget(cleanFrame);
    frames->addWidget(vacancyFrame);
    frames->addWidget(orderFrame);

    auto* comment = new QHBoxLayout;
    comment->addWidget(commentCaption);
    comment->addWidget(commentBox, 1);

    auto* buttons = makeButtonRow({saveButton, exitButton});

    auto* root = new QVBoxLayout(this);
    root->addLayout(room);
    root->addLayout(frames);
    root->addLayout(comment);
    root->addLayout(buttons);

    connect(roomCombo, &QComboBox::activated, this, &RoomStatusWindow::roomPicked);
    connect(saveButton, &QPushButton::clicked, this, &RoomStatusWindow::saveClicked);
    connect(exitButton, &QPushButton::clicked, this, &RoomStatusWindow::exitClicked);
}

void RoomStatusWindow::load() {
    placeAt(this, 500, 3000);
    show();
    roomCombo->clear();
    guarded(services_.dialogs, this, [&] { fillList(roomCombo, roomChoices(services_.store)); });
    roomCombo->setFocus(Qt::OtherFocusReason);
}

void RoomStatusWindow::roomPicked() {
    guarded(services_.dialogs, this, [&] {
        const auto room = chosenRoom(roomCombo);
        const auto status = room ? roomStatusOf(services_.store, *room) : std::nullopt;
        if (!status) {
            return;
        }
        roomNumberLabel->setText(QString::fromStdString(status->number));
        showChoice(status->clean, cleanOption, dirtyOption);
        showChoice(status->vacant, vacantOption, nonVacantOption);
        showChoice(status->inOrder, inOrderOption, outOfOrderOption);
        commentBox->setText(QString::fromStdString(status->comment));
        // The comment fills its 80 characters with blanks: typing goes on after its text.
        commentBox->setCursorPosition(
            static_cast<int>(QString::fromStdString(rightTrim(status->comment)).size()));
    });
}

void RoomStatusWindow::saveClicked() {
    const StatusEntry entry{roomNumberLabel->text().toStdString(), chosen(cleanOption, dirtyOption),
                            chosen(vacantOption, nonVacantOption),
                            chosen(inOrderOption, outOfOrderOption),
                            commentBox->text().toStdString()};
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

void RoomStatusWindow::exitClicked() {
    close();
}

} // namespace roomwright
