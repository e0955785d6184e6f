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

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QTimer>
#include <QVBoxLayout>

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

// Puts "caption" and its field into a grid row, the label naming the field.
void addRow(QGridLayout* grid, int row, int column, const char* caption, QWidget* field,
            int span = 1) {
    auto* label = new QLabel(QString::fromUtf8(caption), field->parentWidget());
    grid->addWidget(label, row, column);
    grid->addWidget(field, row, column + 1, 1, span);
    labelControl(label, field);
}

} // namespace

GuestFolioWindow::GuestFolioWindow(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("View Folio"));

    // The guest.
    guestCombo = makeEditableCombo(this, "Combo1", QStringLiteral("Select Room"));
    guestCombo->setMinimumWidth(260);
    auto* guestBox = new QGroupBox(this);
    lastNameBox = makeTextBox(guestBox, "Text1");
    firstNameBox = makeTextBox(guestBox, "Text2");
    addressBox = makeTextBox(guestBox, "Text3");
    cityBox = makeTextBox(guestBox, "Text4");
    stateBox = makeTextBox(guestBox, "Text5");
    zipBox = makeTextBox(guestBox, "Text6");
    phoneBox = makeTextBox(guestBox, "Text7");
    cellBox = makeTextBox(guestBox, "Text8");
    companyBox = makeTextBox(guestBox, "Text9");
    emailBox = makeTextBox(guestBox, "Text10");
    driversLicenseBox = makeTextBox(guestBox, "Text11");
    commentBox = makeTextBox(guestBox, "Text12");
    adultsBox = makeTextBox(guestBox, "Text13");
    childrenBox = makeTextBox(guestBox, "Text14");
    auto* guestGrid = new QGridLayout(guestBox);
    addRow(guestGrid, 0, 0, "Last", lastNameBox);
    addRow(guestGrid, 0, 2, "First", firstNameBox);
    addRow(guestGrid, 1, 0, "Address", addressBox, 3);
    addRow(guestGrid, 2, 0, "City", cityBox);
    addRow(guestGrid, 2, 2, "State", stateBox);
    addRow(guestGrid, 3, 0, "Zip", zipBox);
    addRow(guestGrid, 3, 2, "Phone", phoneBox);
    addRow(guestGrid, 4, 0, "Cell", cellBox);
    addRow(guestGrid, 4, 2, "Company", companyBox);
    addRow(guestGrid, 5, 0, "Email", emailBox, 3);
    addRow(guestGrid, 6, 0, "Drivers Lic. #", driversLicenseBox);
    addRow(guestGrid, 6, 2, "Comment", commentBox);
    addRow(guestGrid, 7, 0, "Adults", adultsBox);
    addRow(guestGrid, 7, 2, "Children", childrenBox);

    auto* cardBox = new QGroupBox(QStringLiteral("Credit Card Information"), this);
    visaOption = new QRadioButton(QStringLiteral("Visa"), cardBox);
    masterCardOption = new QRadioButton(QStringLiteral("Master Card"), cardBox);
    discoverOption = new QRadioButton(QStringLiteral("Discover"), cardBox);
    americanExpressOption = new QRadioButton(QStringLiteral("American Express"), cardBox);
    cards_ = new QButtonGroup(this);
    const std::array<QRadioButton*, 4> options = {visaOption, masterCardOption, discoverOption,
                                                  americanExpressOption};
    for (std::size_t i = 0; i < options.size(); ++i) {
        nameControl(options[i], ("Option" + std::to_string(i + 1)).c_str(), options[i]->text());
        cards_->addButton(options[i]);
    }
    cardNumberBox = makeTextBox(cardBox, "Text15");
    expiryMonthBox = makeTextBox(cardBox, "Text16");
    expiryYearBox = makeTextBox(cardBox, "Text17");
    auto* cardGrid = new QGridLayout(cardBox);
    auto* optionRow = new QHBoxLayout;
    for (QRadioButton* option : options) {
        optionRow->addWidget(option);
    }
    optionRow->addStretch();
    cardGrid->addLayout(optionRow, 0, 0, 1, 6);
    addRow(cardGrid, 1, 0, "Card #", cardNumberBox);
    addRow(cardGrid, 1, 2, "Expire Month", expiryMonthBox);
    addRow(cardGrid, 1, 4, "Expire Year", expiryYearBox);
    // The card number takes the room left; the captions keep their whole width.
    cardNumberBox->setMinimumWidth(
        cardNumberBox->fontMetrics().horizontalAdvance(QStringLiteral("0000 0000 0000 0000")) + 12);
    expiryMonthBox->setMaximumWidth(90);
    expiryYearBox->setMaximumWidth(70);
    cardGrid->setColumnStretch(1, 1);

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
    addRow(stayGrid, 0, 0, "Room", roomLabel);
    stayGrid->addWidget(moveRoomCombo, 0, 2, 1, 3);
    addRow(stayGrid, 1, 0, "Rate", rateBox);
    addRow(stayGrid, 2, 0, "Folio#", folioNumberLabel);
    addRow(stayGrid, 3, 0, "Arrival Date", arrivalDateLabel);
    addRow(stayGrid, 4, 0, "Arrival Time", arrivalTimeLabel);
    addRow(stayGrid, 5, 0, "Depart Date", departureBox);
    stayGrid->addWidget(laterDepartureButton, 5, 2);
    stayGrid->addWidget(earlierDepartureButton, 5, 3);
    addRow(stayGrid, 6, 0, "Pay Code", payCodeCombo, 4);
    stayGrid->setColumnStretch(4, 1);
    stayGrid->setRowStretch(7, 1);

    // The folio.
    folioBox_ = new FolioListBox(this);
    folioList = folioBox_->list();
    folioList->setMinimumHeight(150);
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

    boxes_ = {
        lastNameBox, firstNameBox, addressBox,    cityBox,        stateBox,          zipBox,
        phoneBox,    cellBox,      companyBox,    emailBox,       driversLicenseBox, commentBox,
        adultsBox,   childrenBox,  cardNumberBox, expiryMonthBox, expiryYearBox};

    auto* selectorRow = new QHBoxLayout;
    selectorRow->addWidget(guestCombo);
    selectorRow->addStretch();
    auto* left = new QVBoxLayout;
    left->addWidget(guestBox);
    left->addWidget(cardBox);
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
    root->addLayout(top);
    root->addWidget(folioBox_, 1);
    root->addLayout(balanceRow);
    root->addWidget(postBox);
    root->addLayout(buttons);
    resize(900, 720);

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
        moveRoomCombo->addItems(listOf(roomMoveEntries(services_.store)));
        moveRoomCombo->setEditText(QStringLiteral("Select Room"));
    });
    guestCombo->setFocus();
}

void GuestFolioWindow::showStay(long folioNumber) {
    guarded(services_.dialogs, this, [&] {
        for (int i = 0; i < guestCombo->count(); ++i) {
            const auto guest = guestOfSelectorText(services_.store, toStd(guestCombo->itemText(i)));
            if (guest && static_cast<double>(guest->second.FolioNumber) ==
                             static_cast<double>(folioNumber)) {
                guestCombo->setCurrentIndex(i);
                guestPicked();
                return;
            }
        }
    });
}

void GuestFolioWindow::fillSelector() {
    guestCombo->clear();
    guestCombo->addItems(listOf(guestSelectorEntries(services_.store)));
    guestCombo->setEditText(QStringLiteral("Select Room"));
}

void GuestFolioWindow::clearGuest() {
    folioBox_->clear();
    stopMessageBlink();
    for (QLineEdit* b : boxes_) {
        b->clear();
    }
    departureBox->clear();
    rateBox->clear();
    cards_->setExclusive(false);
    for (QAbstractButton* option : cards_->buttons()) {
        option->setChecked(false);
    }
    cards_->setExclusive(true);
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
    auto guest = shownGuest(services_.store, toStd(guestCombo->currentText()),
                            toStd(folioNumberLabel->text()));
    if (!guest) {
        services_.dialogs.inform(this, kAttention, QString::fromUtf8(kPickAGuest));
        guestCombo->setFocus();
    }
    return guest;
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
        const auto found = guestOfSelectorText(services_.store, toStd(guestCombo->currentText()));
        if (!found) {
            services_.dialogs.inform(this, kAttention, QString::fromUtf8(kPickAGuest));
            return;
        }
        const GuestView view = guestView(found->second);
        for (std::size_t i = 0; i < boxes_.size(); ++i) {
            boxes_[i]->setText(onScreen(view.boxes[i]));
        }
        const std::array<const char*, 4> cardCodes = {"V", "M", "D", "A"};
        const std::array<QRadioButton*, 4> options = {visaOption, masterCardOption, discoverOption,
                                                      americanExpressOption};
        for (std::size_t i = 0; i < cardCodes.size(); ++i) {
            options[i]->setChecked(view.cardType == cardCodes[i]);
        }
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
    roomLabel->setText(onScreen(roomOfEntry(toStd(moveRoomCombo->currentText()))));
}

void GuestFolioWindow::doNowClicked() {
    guarded(services_.dialogs, this, [&] {
        if (amountBox->text().isEmpty()) {
            refuse({FolioField::Amount, "You did not enter an amount."});
            return;
        }
        const auto guest = guestOnScreen();
        if (!guest) {
            return;
        }
        const auto refusal =
            postToFolio(services_.store, guest->second, toStd(codeCombo->currentText()),
                        toStd(amountBox->text()), services_.clock.today());
        if (refusal) {
            refuse(*refusal);
            return;
        }
        showFolio(folioNumberOf(services_.store, guest->second));
        amountBox->clear();
        codeCombo->setEditText(QStringLiteral("Select Code"));
        codeCombo->setFocus();
    });
}

void GuestFolioWindow::laterDepartureClicked() {
    guarded(services_.dialogs, this, [&] {
        const DepartureChange change =
            oneMoreNight(services_.store, toStd(departureBox->text()), toStd(roomLabel->text()));
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
        const auto guest = guestOnScreen();
        if (!guest) {
            return;
        }
        FolioChanges changes;
        for (std::size_t i = 0; i < boxes_.size(); ++i) {
            changes.boxes[i] = toStd(boxes_[i]->text());
        }
        changes.payCode = toStd(payCodeCombo->currentText());
        changes.room = toStd(roomLabel->text());
        changes.rate = toStd(rateBox->text());
        changes.departure = toStd(departureBox->text());
        const auto refusal =
            saveFolioChanges(services_.store, guest->first, guest->second, changes);
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
        const auto guest = guestOnScreen();
        if (!guest) {
            return;
        }
        const PrintedFolio folio =
            printedFolio(services_.store, guest->second, FolioVariant::InHouse);
        services_.printer.print(folio.document);
    });
}

// A guest who still owes money, or is owed it, is checked out only when the clerk says so
// twice, No being the answer Enter gives to the first question.
void GuestFolioWindow::checkOutClicked() {
    guarded(services_.dialogs, this, [&] {
        const auto guest = guestOnScreen();
        if (!guest) {
            return;
        }
        const QString title = QStringLiteral("Check Out");
        // The balance as it stands now, shown as the window shows it.
        const FolioListing folio = showFolio(folioNumberOf(services_.store, guest->second));
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
        checkOut(services_.store, guest->first, guest->second, longTime(services_.clock.now()));
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
