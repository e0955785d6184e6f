#include "frontdesk/guest_folio_window.h"

#include "frontdesk/check_out.h"
#include "frontdesk/folio.h"
#include "frontdesk/folio_list_box.h"
#include "frontdesk/registration.h"
#include "messages/message_windows.h"
#include "messages/messages.h"
#include "store/lookups.h"
#include "store/settings.h"
#include "ui/controls.h"
#include "ui/placement.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QStringList>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace roomwright {

namespace {

std::string toStd(const QString& text) {
    return text.toStdString();
}

QLabel* valueLabel(QWidget* parent, const char* name) {
    QLabel* label = makeValueLabel(parent, name);
    label->setMinimumWidth(90);
    return label;
}

QStringList listOf(const std::vector<std::string>& entries) {
    QStringList list;
    for (const std::string& entry : entries) {
        list.append(onScreen(entry));
    }
    return list;
}

// The guest's boxes: the state and the card's expiry in boxes as stored, as the clerk may
// change them; the card number masked.
constexpr GuestBoxesForm kFolioGuestBoxes = {
    .names = {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8", "Text9",
              "Text10", "Text11", "Text12", "Text13", "Text14", "Text15", "Text16", "Text17"},
    .lists = GuestLists::Boxes,
    .fieldWidths = false,
    .guestCaption = "",
    .guestGrid = GuestGrid::Folio,
    .cardGrid = CardGrid::OneLine,
    .widths = BoxWidths::Grid,
    .maskedCard = true,
};

} // namespace

GuestFolioWindow::GuestFolioWindow(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("View Folio"));

    // The guest.
    guestCombo = makeEditableCombo(this, "Combo1", QStringLiteral("Select Room"));
    guestCombo->setMinimumWidth(260);
    guest = makeGuestBoxes(this, kFolioGuestBoxes);

    // The stay.
    auto* stayBox = new QGroupBox(this);
    roomLabel = valueLabel(stayBox, "Label36");
    moveRoomCombo = makeEditableCombo(stayBox, "Combo4", QStringLiteral("Move to room"));
    rateBox = makeTextBox(stayBox, "Text21");
    folioNumberLabel = valueLabel(stayBox, "Label35");
    arrivalDateLabel = valueLabel(stayBox, "Label27");
    arrivalTimeLabel = valueLabel(stayBox, "Label38");
    departureBox = makeTextBox(stayBox, "Text18");
    laterDepartureButton = makeButton(stayBox, "Command8", "+");
    laterDepartureButton->setToolTip(QStringLiteral("Increase Departure Date"));
    laterDepartureButton->setAccessibleName(QStringLiteral("Increase Departure Date"));
    earlierDepartureButton = makeButton(stayBox, "Command9", "-");
    earlierDepartureButton->setToolTip(QStringLiteral("Decrease Departure Date"));
    earlierDepartureButton->setAccessibleName(QStringLiteral("Decrease Departure Date"));
    for (QPushButton* b : {laterDepartureButton, earlierDepartureButton}) {
        b->setFixedWidth(32);
    }
    payCodeCombo = makeEditableCombo(stayBox, "Combo3", QStringLiteral("Pay Code"));
    auto* stayGrid = new QGridLayout(stayBox);
    addCaptioned(stayGrid, 0, 0, QStringLiteral("Room"), roomLabel);
    stayGrid->addWidget(moveRoomCombo, 0, 2, 1, 3);
    addCaptioned(stayGrid, 1, 0, QStringLiteral("Rate"), rateBox);
    addCaptioned(stayGrid, 2, 0, QStringLiteral("Folio#"), folioNumberLabel);
    addCaptioned(stayGrid, 3, 0, QStringLiteral("Arrival Date"), arrivalDateLabel);
    addCaptioned(stayGrid, 4, 0, QStringLiteral("Arrival Time"), arrivalTimeLabel);
    addCaptioned(stayGrid, 5, 0, QStringLiteral("Depart Date"), departureBox);
    stayGrid->addWidget(laterDepartureButton, 5, 2);
    stayGrid->addWidget(earlierDepartureButton, 5, 3);
    addCaptioned(stayGrid, 6, 0, QStringLiteral("Pay Code"), payCodeCombo, 4);
    stayGrid->setColumnStretch(4, 1);
    stayGrid->setRowStretch(7, 1);

    // The folio.
    folioBox_ = new FolioListBox(this);
    folioList = folioBox_->list();
    auto* balanceCaption = new QLabel(QStringLiteral("Balance......"), this);
    balanceLabel = valueLabel(this, "Label31");
    labelControl(balanceCaption, balanceLabel);
    QFont bold = balanceLabel->font();
    bold.setBold(true);
    balanceLabel->setFont(bold);

    auto* postBox = new QGroupBox(QStringLiteral("Add Charges / Payments"), this);
    codeCombo = makeEditableCombo(postBox, "Combo2", QStringLiteral("Code"));
    codeCombo->setMinimumWidth(190);
    amountBox = makeTextBox(postBox, "Text20");
    doNowButton = makeButton(postBox, "Command5", "Do Now");
    auto* postRow = new QHBoxLayout(postBox);
    postRow->addWidget(codeCombo);
    auto* amountCaption = new QLabel(QStringLiteral("Amount"), postBox);
    labelControl(amountCaption, amountBox);
    postRow->addWidget(amountCaption);
    postRow->addWidget(amountBox);
    postRow->addWidget(doNowButton);

    checkOutButton = makeButton(this, "Command3", "Check Out");
    printFolioButton = makeButton(this, "Command4", "Print Folio");
    saveAndExitButton = makeButton(this, "Command7", "Save and Exit");
    postMessageButton = makeButton(this, "Command6", "Post Message");
    retrieveMessageButton = makeButton(this, "Command10", "Retrieve Message");
    retrieveMessageButton->setAutoFillBackground(true);
    exitButton = makeButton(this, "Command2", "Exit");

    printFolioTimer = new QTimer(this);
    printFolioTimer->setObjectName(QStringLiteral("Timer1"));
    printFolioTimer->setInterval(7000);
    messageBlinkTimer = new QTimer(this);
    messageBlinkTimer->setObjectName(QStringLiteral("Timer2"));
    messageBlinkTimer->setInterval(500);

    auto* selectorRow = new QHBoxLayout;
    selectorRow->addWidget(guestCombo);
    selectorRow->addStretch();
    auto* left = new QVBoxLayout;
    left->addWidget(guest.guestFrame);
    left->addWidget(guest.cardFrame);
    auto* top = new QHBoxLayout;
    top->addLayout(left, 3);
    top->addWidget(stayBox, 2);
    auto* balanceRow = new QHBoxLayout;
    balanceRow->addStretch();
    balanceRow->addWidget(balanceCaption);
    balanceRow->addWidget(balanceLabel);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {checkOutButton, printFolioButton, saveAndExitButton, postMessageButton,
                           retrieveMessageButton}) {
        buttons->addWidget(b);
    }
    buttons->addStretch();
    buttons->addWidget(exitButton);
    auto* root = new QVBoxLayout(this);
    root->addLayout(selectorRow);
    // The folio lines take the room the guest's details leave; where there is too little for
    // both, the details scroll and the lines keep a few in view.
    root->addWidget(makeScrollingArea(this, top));
    root->addWidget(folioBox_, 1);
    root->addLayout(balanceRow);
    root->addWidget(postBox);
    root->addLayout(buttons);

    // Built disabled; the rest is disabled when the window opens.
    for (QWidget* control :
         {static_cast<QWidget*>(saveAndExitButton), static_cast<QWidget*>(laterDepartureButton),
          static_cast<QWidget*>(earlierDepartureButton), static_cast<QWidget*>(postMessageButton),
          static_cast<QWidget*>(retrieveMessageButton)}) {
        control->setEnabled(false);
    }

    connect(guestCombo, &QComboBox::activated, this, &GuestFolioWindow::guestPicked);
    connect(codeCombo, &QComboBox::activated, this, &GuestFolioWindow::codePicked);
    connect(moveRoomCombo, &QComboBox::activated, this, &GuestFolioWindow::moveRoomPicked);
    connect(doNowButton, &QPushButton::clicked, this, &GuestFolioWindow::doNowClicked);
    connect(amountBox, &QLineEdit::returnPressed, doNowButton, &QPushButton::click);
    connect(laterDepartureButton, &QPushButton::clicked, this,
            &GuestFolioWindow::laterDepartureClicked);
    connect(earlierDepartureButton, &QPushButton::clicked, this,
            &GuestFolioWindow::earlierDepartureClicked);
    connect(saveAndExitButton, &QPushButton::clicked, this, &GuestFolioWindow::saveAndExitClicked);
    connect(printFolioButton, &QPushButton::clicked, this, &GuestFolioWindow::printFolioClicked);
    connect(checkOutButton, &QPushButton::clicked, this, &GuestFolioWindow::checkOutClicked);
    connect(postMessageButton, &QPushButton::clicked, this, &GuestFolioWindow::postMessageClicked);
    connect(retrieveMessageButton, &QPushButton::clicked, this,
            &GuestFolioWindow::retrieveMessageClicked);
    connect(exitButton, &QPushButton::clicked, this, &GuestFolioWindow::exitClicked);
    connect(printFolioTimer, &QTimer::timeout, this, &GuestFolioWindow::printFolioTimerFired);
    connect(messageBlinkTimer, &QTimer::timeout, this, &GuestFolioWindow::messageBlinkTimerFired);
}

void GuestFolioWindow::load() {
    show();
    codeCombo->clear();
    codeCombo->addItems(listOf(codeList()));
    codeCombo->setEditText(QStringLiteral("Select Code"));
    payCodeCombo->clear();
    payCodeCombo->addItems(listOf(payCodeList()));
    payCodeCombo->setEditText(QString());
    moveRoomCombo->clear();
    moveRoomCombo->setEditText(QStringLiteral("Select Room"));
    setGuestChosen(false);
    printFolioTimer->start();
    guarded(services_.dialogs, this, [&] {
        fillSelector();
        fillList(moveRoomCombo, roomMoveEntries(services_.store));
        moveRoomCombo->setEditText(QStringLiteral("Select Room"));
    });
    guestCombo->setFocus();
}

void GuestFolioWindow::showStay(std::size_t record) {
    const auto entry = std::ranges::find(selector_, record, &SelectorEntry::record);
    if (entry == selector_.end()) {
        services_.dialogs.inform(this, kAttention, QString::fromUtf8(kNoLongerInHouse));
        return;
    }
    guestCombo->setCurrentIndex(static_cast<int>(entry - selector_.begin()));
    guestPicked();
}

void GuestFolioWindow::fillSelector() {
    selector_.clear();
    guestCombo->clear();
    selector_ = guestSelectorEntries(services_.store);
    for (const SelectorEntry& entry : selector_) {
        guestCombo->addItem(onScreen(entry.text));
    }
    guestCombo->setEditText(QStringLiteral("Select Room"));
}

std::optional<SelectorEntry> GuestFolioWindow::selectedEntry() const {
    // The entry picked, even where two stays read alike; else the one a typed text names.
    const int picked = guestCombo->currentIndex();
    if (picked >= 0 && static_cast<std::size_t>(picked) < selector_.size() &&
        guestCombo->itemText(picked) == guestCombo->currentText()) {
        return selector_[static_cast<std::size_t>(picked)];
    }
    return entryNamed(selector_, toStd(guestCombo->currentText()));
}

void GuestFolioWindow::clearGuest() {
    folioBox_->clear();
    stopMessageBlink();
    guest.clear();
    departureBox->clear();
    rateBox->clear();
    for (QLabel* label :
         {arrivalDateLabel, folioNumberLabel, roomLabel, arrivalTimeLabel, balanceLabel}) {
        label->clear();
    }
    payCodeCombo->setEditText(QString());
}

// "Print Folio" is left to printFolioTimer, which enables it whether or not a guest is chosen.
void GuestFolioWindow::setGuestChosen(bool chosen) {
    for (QWidget* control :
         {static_cast<QWidget*>(checkOutButton), static_cast<QWidget*>(doNowButton),
          static_cast<QWidget*>(codeCombo), static_cast<QWidget*>(saveAndExitButton),
          static_cast<QWidget*>(laterDepartureButton),
          static_cast<QWidget*>(earlierDepartureButton),
          static_cast<QWidget*>(postMessageButton)}) {
        control->setEnabled(chosen);
    }
    if (!chosen) {
        printFolioButton->setEnabled(false);
        stopMessageBlink();
    } else {
        printFolioButton->setEnabled(true);
    }
}

void GuestFolioWindow::stopMessageBlink() {
    messageBlinkTimer->stop();
    retrieveMessageButton->setEnabled(false);
    retrieveMessageButton->setPalette(QPalette());
    blinkOn_ = false;
}

FolioListing GuestFolioWindow::showFolio(long folioNumber) {
    FolioListing listing = folioListing(services_.store, folioNumber);
    balanceLabel->setText(onScreen(listing.balance));
    folioBox_->showListing(listing, services_.dialogs);
    return listing;
}

Found<GuestRecord> GuestFolioWindow::guestOnScreen() {
    auto stay = shownGuest(services_.store, selectedEntry(), toStd(folioNumberLabel->text()));
    if (!stay) {
        services_.dialogs.inform(this, kAttention, QString::fromUtf8(kPickAGuest));
        guestCombo->setFocus();
    }
    return stay;
}

void GuestFolioWindow::refuse(const Refusal<FolioField>& refusal) {
    services_.dialogs.inform(this, kAttention, onScreen(refusal.message));
    QWidget* field = guestCombo;
    switch (refusal.field) {
    case FolioField::Selector:
        field = guestCombo;
        break;
    case FolioField::Code:
        field = codeCombo;
        break;
    case FolioField::Amount:
        field = amountBox;
        break;
    case FolioField::Rate:
        field = rateBox;
        break;
    case FolioField::Departure:
        field = departureBox;
        break;
    }
    field->setFocus();
}

void GuestFolioWindow::guestPicked() {
    clearGuest();
    setGuestChosen(false);
    guarded(services_.dialogs, this, [&] {
        const auto entry = selectedEntry();
        const auto found = entry ? guestOfEntry(services_.store, *entry) : std::nullopt;
        if (!found) {
            services_.dialogs.inform(this, kAttention, QString::fromUtf8(kPickAGuest));
            return;
        }
        const GuestView view = guestView(found->second);
        guest.show(view.boxes, view.cardType);
        arrivalDateLabel->setText(onScreen(view.arrivalDate));
        departureBox->setText(onScreen(view.departureDate));
        roomLabel->setText(onScreen(view.room));
        rateBox->setText(onScreen(view.rate));
        folioNumberLabel->setText(onScreen(view.folio));
        arrivalTimeLabel->setText(onScreen(view.arrivalTime));
        payCodeCombo->setEditText(onScreen(view.payCode));
        const long folio = folioNumberOf(services_.store, found->second);
        showFolio(folio);
        setGuestChosen(true);
        if (hasLiveMessage(services_.store, folio)) {
            retrieveMessageButton->setEnabled(true);
            messageBlinkTimer->start();
        }
    });
}

void GuestFolioWindow::codePicked() {
    guarded(services_.dialogs, this, [&] {
        const auto amount = amountForCode(toStd(codeCombo->currentText()), toStd(rateBox->text()),
                                          petFee(services_.store));
        if (amount) {
            amountBox->setText(onScreen(*amount));
        }
    });
    amountBox->setFocus();
}

void GuestFolioWindow::moveRoomPicked() {
    if (const auto room = chosenRoom(moveRoomCombo)) {
        roomLabel->setText(onScreen(*room));
    }
}

void GuestFolioWindow::doNowClicked() {
    guarded(services_.dialogs, this, [&] {
        if (amountBox->text().isEmpty()) {
            refuse({FolioField::Amount, "You did not enter an amount."});
            return;
        }
        const auto stay = guestOnScreen();
        if (!stay) {
            return;
        }
        const auto refusal =
            postToFolio(services_.store, stay->second, toStd(codeCombo->currentText()),
                        toStd(amountBox->text()), services_.clock.today());
        if (refusal) {
            refuse(*refusal);
            return;
        }
        showFolio(folioNumberOf(services_.store, stay->second));
        amountBox->clear();
        codeCombo->setEditText(QStringLiteral("Select Code"));
        codeCombo->setFocus();
    });
}

void GuestFolioWindow::laterDepartureClicked() {
    guarded(services_.dialogs, this, [&] {
        const DepartureChange change =
            oneMoreNight(services_.store, services_.clock.today(), toStd(departureBox->text()),
                         toStd(roomLabel->text()));
        departureBox->setText(onScreen(change.departure));
        if (change.refusal) {
            refuse(*change.refusal);
        }
    });
}

void GuestFolioWindow::earlierDepartureClicked() {
    const DepartureChange change =
        oneNightLess(toStd(departureBox->text()), toStd(arrivalDateLabel->text()));
    departureBox->setText(onScreen(change.departure));
    if (change.refusal) {
        refuse(*change.refusal);
    }
}

void GuestFolioWindow::saveAndExitClicked() {
    bool saved = false;
    guarded(services_.dialogs, this, [&] {
        const auto stay = guestOnScreen();
        if (!stay) {
            return;
        }
        FolioChanges changes;
        changes.boxes = guest.texts();
        changes.payCode = toStd(payCodeCombo->currentText());
        changes.room = toStd(roomLabel->text());
        changes.rate = toStd(rateBox->text());
        changes.departure = toStd(departureBox->text());
        const auto refusal = saveFolioChanges(services_.store, stay->first, stay->second, changes);
        if (refusal) {
            refuse(*refusal);
            return;
        }
        saved = true;
    });
    if (saved) {
        close();
    }
}

void GuestFolioWindow::printFolioClicked() {
    printFolioButton->setEnabled(false);
    guarded(services_.dialogs, this, [&] {
        const auto stay = guestOnScreen();
        if (!stay) {
            return;
        }
        const PrintedFolio folio =
            printedFolio(services_.store, stay->second, FolioVariant::InHouse);
        services_.printer.print(folio.document);
    });
}

// A guest who still owes money, or is owed it, is checked out only when the clerk says so
// twice, No being the answer Enter gives to the first question.
void GuestFolioWindow::checkOutClicked() {
    guarded(services_.dialogs, this, [&] {
        const auto stay = guestOnScreen();
        if (!stay) {
            return;
        }
        const QString title = QStringLiteral("Check Out");
        // The balance as it stands now, shown as the window shows it.
        const FolioListing folio = showFolio(folioNumberOf(services_.store, stay->second));
        if (!folio.settled &&
            !services_.dialogs.ask(
                this, title,
                QStringLiteral("The balance is %1. Check out anyway?").arg(balanceLabel->text()),
                Answer::No)) {
            return;
        }
        if (!services_.dialogs.ask(
                this, title, QStringLiteral("Are you sure you want to check this guest out?"))) {
            return;
        }
        checkOut(services_.store, stay->first, stay->second, longTime(services_.clock.now()));
        clearGuest();
        setGuestChosen(false);
        fillSelector();
        guestCombo->setFocus();
    });
}

void GuestFolioWindow::postMessageClicked() {
    services_.windows.open(WindowId::PostMessage);
}

void GuestFolioWindow::retrieveMessageClicked() {
    if (auto* reading =
            qobject_cast<ReadMessageWindow*>(services_.windows.open(WindowId::ReadMessage))) {
        connect(reading, &ReadMessageWindow::messageDeleted, this,
                &GuestFolioWindow::messageDeleted, Qt::UniqueConnection);
    }
}

void GuestFolioWindow::exitClicked() {
    close();
}

void GuestFolioWindow::printFolioTimerFired() {
    printFolioButton->setEnabled(true);
}

void GuestFolioWindow::messageBlinkTimerFired() {
    blinkOn_ = !blinkOn_;
    QPalette palette;
    if (blinkOn_) {
        palette.setColor(QPalette::Button, QColor(kMessageColour));
    }
    retrieveMessageButton->setPalette(palette);
}

void GuestFolioWindow::messageDeleted() {
    stopMessageBlink();
}

} // namespace roomwright
