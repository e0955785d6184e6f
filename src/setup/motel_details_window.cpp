#include "setup/motel_details_window.h"

#include "store/format/numbers.h"
#include "store/motel_details.h"
#include "ui/controls.h"
#include "ui/default_button.h"
#include "ui/placement.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace roomwright {

namespace {

// What is typed is kept as one line: the letterhead is a line printer page.
constexpr int kLongestLine = 140;

const QString kCardDaysCaption = QStringLiteral("Erase Cards After");

} // namespace

MotelDetailsWindow::MotelDetailsWindow(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form30"));
    setWindowTitle(QStringLiteral("Motel Details"));

    auto* grid = new QGridLayout(this);
    int row = 0;
    const auto addBox = [&](const char* captionName, const char* boxName, const QString& caption,
                            const QString& hint) {
        QLabel* label = makeLabel(this, captionName, caption);
        QLineEdit* box = makeTextBox(this, boxName, label, kLongestLine);
        box->setPlaceholderText(hint);
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1);
        ++row;
        return box;
    };
    nameBox = addBox("Label1", "Text1", QStringLiteral("Motel Name"),
                     QStringLiteral("Temporary Motel Inc."));
    streetBox = addBox("Label2", "Text2", QStringLiteral("Street"),
                       QStringLiteral("123456 N. Meadows Road"));
    townBox =
        addBox("Label3", "Text3", QStringLiteral("Town"), QStringLiteral("Fernbrook, KY  40000"));
    phoneBox = addBox("Label4", "Text4", QStringLiteral("Phone Line"),
                      QStringLiteral("Phone: 270-123-4567           Fax: 270-234-5678"));
    auto* hint = makeLabel(this, "Label5",
                           QStringLiteral("These lines head every folio. A box left empty "
                                          "prints the line shown in grey."));
    hint->setWordWrap(true);
    grid->addWidget(hint, row++, 0, 1, 2);

    QLabel* cardDaysCaption = makeLabel(this, "Label6", kCardDaysCaption);
    cardDaysBox = makeTextBox(this, "Text5", cardDaysCaption, 6);
    cardDaysBox->setMaximumWidth(
        cardDaysBox->fontMetrics().horizontalAdvance(QStringLiteral("never")) + 24);
    auto* cardDaysHint =
        makeLabel(this, "Label7",
                  QStringLiteral("days once a stay has checked out or a booking was checked in "
                                 "or cancelled (0: at check-out; never: kept). The last four "
                                 "digits stay."));
    cardDaysHint->setWordWrap(true);
    cardDaysBox->setAccessibleDescription(cardDaysHint->text());
    auto* cardDaysRow = new QHBoxLayout;
    cardDaysRow->addWidget(cardDaysBox);
    cardDaysRow->addWidget(cardDaysHint, 1);
    grid->addWidget(cardDaysCaption, row, 0);
    grid->addLayout(cardDaysRow, row++, 1);

    enterButton = makeButton(this, "Command1", QStringLiteral("Enter"));
    exitButton = makeButton(this, "Command2", QStringLiteral("Exit"));
    makeDefaultButton(this, enterButton);
    grid->addLayout(makeButtonRow({enterButton, exitButton}), row, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    setMinimumWidth(520);

    connect(enterButton, &QPushButton::clicked, this, &MotelDetailsWindow::enterClicked);
    connect(exitButton, &QPushButton::clicked, this, &MotelDetailsWindow::exitClicked);
}

void MotelDetailsWindow::load() {
    placeAt(this, 500, 3600);
    show();
    guarded(services_.dialogs, this, [&] {
        const MotelDetails motel = motelDetails(services_.store);
        nameBox->setText(QString::fromStdString(motel.name));
        streetBox->setText(QString::fromStdString(motel.street));
        townBox->setText(QString::fromStdString(motel.town));
        phoneBox->setText(QString::fromStdString(motel.phone));
        cardDaysBox->setText(QString::fromStdString(erasingText(motel.cards)));
    });
    focusField(nameBox);
}

void MotelDetailsWindow::enterClicked() {
    const auto cards = erasingOfText(textOf(cardDaysBox));
    if (!cards) {
        services_.dialogs.inform(this, kAttention,
                                 "\"" + kCardDaysCaption +
                                     "\" takes a whole number of days from 0 to " +
                                     QString::number(kLongestStay) + ", or never.");
        focusField(cardDaysBox);
        return;
    }
    const MotelDetails motel{textOf(nameBox), textOf(streetBox), textOf(townBox), textOf(phoneBox),
                             *cards};
    if (guarded(services_.dialogs, this, [&] { setMotelDetails(services_.store, motel); })) {
        emit detailsSaved();
        close();
    }
}

void MotelDetailsWindow::exitClicked() {
    close();
}

} // namespace roomwright
