#include "frontdesk/guest_folio_window.h"

#include "frontdesk/check_out.h"
#include "frontdesk/folio.h"
#include "messages/message_windows.h"
#include "messages/messages.h"
#include "store/settings.h"
#include "ui/controls.h"
#include "ui/placement.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFontDatabase>
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

QString fromStd(const std::string& text) {
    return QString::fromStdString(text);
}

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
        list.append(fromStd(entry));
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

Form9::Form9(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("View Folio"));

    // The guest.
    Combo1 = makeEditableCombo(this, "Combo1", QStringLiteral("Select Room"));
    Combo1->setMinimumWidth(260);
    auto* guestBox = new QGroupBox(this);
    Text1 = makeTextBox(guestBox, "Text1");
    Text2 = makeTextBox(guestBox, "Text2");
    Text3 = makeTextBox(guestBox, "Text3");
    Text4 = makeTextBox(guestBox, "Text4");
    Text5 = makeTextBox(guestBox, "Text5");
    Text6 = makeTextBox(guestBox, "Text6");
    Text7 = makeTextBox(guestBox, "Text7");
    Text8 = makeTextBox(guestBox, "Text8");
    Text9 = makeTextBox(guestBox, "Text9");
    Text10 = makeTextBox(guestBox, "Text10");
    Text11 = makeTextBox(guestBox, "Text11");
    Text12 = makeTextBox(guestBox, "Text12");
    Text13 = makeTextBox(guestBox, "Text13");
    Text14 = makeTextBox(guestBox, "Text14");
    auto* guestGrid = new QGridLayout(guestBox);
    addRow(guestGrid, 0, 0, "Last", Text1);
    addRow(guestGrid, 0, 2, "First", Text2);
    addRow(guestGrid, 1, 0, "Address", Text3, 3);
    addRow(guestGrid, 2, 0, "City", Text4);
    addRow(guestGrid, 2, 2, "State", Text5);
    addRow(guestGrid, 3, 0, "Zip", Text6);
    addRow(guestGrid, 3, 2, "Phone", Text7);
    addRow(guestGrid, 4, 0, "Cell", Text8);
    addRow(guestGrid, 4, 2, "Company", Text9);
    addRow(guestGrid, 5, 0, "Email", Text10, 3);
    addRow(guestGrid, 6, 0, "Drivers Lic. #", Text11);
    addRow(guestGrid, 6, 2, "Comment", Text12);
    addRow(guestGrid, 7, 0, "Adults", Text13);
    addRow(guestGrid, 7, 2, "Children", Text14);

    auto* cardBox = new QGroupBox(QStringLiteral("Credit Card Information"), this);
    Option1 = new QRadioButton(QStringLiteral("Visa"), cardBox);
    Option2 = new QRadioButton(QStringLiteral("Master Card"), cardBox);
    Option3 = new QRadioButton(QStringLiteral("Discover"), cardBox);
    Option4 = new QRadioButton(QStringLiteral("American Express"), cardBox);
    cards_ = new QButtonGroup(this);
    const std::array<QRadioButton*, 4> options = {Option1, Option2, Option3, Option4};
    for (std::size_t i = 0; i < options.size(); ++i) {
        nameControl(options[i], ("Option" + std::to_string(i + 1)).c_str(), options[i]->text());
        cards_->addButton(options[i]);
    }
    Text15 = makeTextBox(cardBox, "Text15");
    Text16 = makeTextBox(cardBox, "Text16");
    Text17 = makeTextBox(cardBox, "Text17");
    auto* cardGrid = new QGridLayout(cardBox);
    auto* optionRow = new QHBoxLayout;
    for (QRadioButton* option : options) {
        optionRow->addWidget(option);
    }
    optionRow->addStretch();
    cardGrid->addLayout(optionRow, 0, 0, 1, 6);
    addRow(cardGrid, 1, 0, "Card #", Text15);
    addRow(cardGrid, 1, 2, "Expire Month", Text16);
    addRow(cardGrid, 1, 4, "Expire Year", Text17);
    Text17->setMaximumWidth(70);

    // The stay.
    auto* stayBox = new QGroupBox(this);
    Label36 = valueLabel(stayBox, "Label36");
    Combo4 = makeEditableCombo(stayBox, "Combo4", QStringLiteral("Move to room"));
    Text21 = makeTextBox(stayBox, "Text21");
    Label35 = valueLabel(stayBox, "Label35");
    Label27 = valueLabel(stayBox, "Label27");
    Label38 = valueLabel(stayBox, "Label38");
    Text18 = makeTextBox(stayBox, "Text18");
    Command8 = makeButton(stayBox, "Command8", "+");
    Command8->setToolTip(QStringLiteral("Increase Departure Date"));
    Command8->setAccessibleName(QStringLiteral("Increase Departure Date"));
    Command9 = makeButton(stayBox, "Command9", "-");
    Command9->setToolTip(QStringLiteral("Decrease Departure Date"));
    Command9->setAccessibleName(QStringLiteral("Decrease Departure Date"));
    for (QPushButton* b : {Command8, Command9}) {
        b->setFixedWidth(32);
    }
    Combo3 = makeEditableCombo(stayBox, "Combo3", QStringLiteral("Pay Code"));
    auto* stayGrid = new QGridLayout(stayBox);
    addRow(stayGrid, 0, 0, "Room", Label36);
    stayGrid->addWidget(Combo4, 0, 2, 1, 3);
    addRow(stayGrid, 1, 0, "Rate", Text21);
    addRow(stayGrid, 2, 0, "Folio#", Label35);
    addRow(stayGrid, 3, 0, "Arrival Date", Label27);
    addRow(stayGrid, 4, 0, "Arrival Time", Label38);
    addRow(stayGrid, 5, 0, "Depart Date", Text18);
    stayGrid->addWidget(Command8, 5, 2);
    stayGrid->addWidget(Command9, 5, 3);
    addRow(stayGrid, 6, 0, "Pay Code", Combo3, 4);
    stayGrid->setColumnStretch(4, 1);
    stayGrid->setRowStretch(7, 1);

    // The folio.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    auto* columns = new QLabel(
        QStringLiteral("Room    Date                 Shift    Code        Description          "
                       "Amount        Tax           Balance"),
        this);
    columns->setFont(fixed);
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setFont(fixed);
    List1->setAccessibleName(QStringLiteral("Folio"));
    List1->setMinimumHeight(150);
    auto* balanceCaption = new QLabel(QStringLiteral("Balance......"), this);
    Label31 = valueLabel(this, "Label31");
    QFont bold = Label31->font();
    bold.setBold(true);
    Label31->setFont(bold);

    auto* postBox = new QGroupBox(QStringLiteral("Add Charges / Payments"), this);
    Combo2 = makeEditableCombo(postBox, "Combo2", QStringLiteral("Code"));
    Combo2->setMinimumWidth(190);
    Text20 = makeTextBox(postBox, "Text20");
    Command5 = makeButton(postBox, "Command5", "Do Now");
    auto* postRow = new QHBoxLayout(postBox);
    postRow->addWidget(Combo2);
    auto* amountCaption = new QLabel(QStringLiteral("Amount"), postBox);
    labelControl(amountCaption, Text20);
    postRow->addWidget(amountCaption);
    postRow->addWidget(Text20);
    postRow->addWidget(Command5);

    Command3 = makeButton(this, "Command3", "Check Out");
    Command4 = makeButton(this, "Command4", "Print Folio");
    Command7 = makeButton(this, "Command7", "Save and Exit");
    Command6 = makeButton(this, "Command6", "Post Message");
    Command10 = makeButton(this, "Command10", "Retrieve Message");
    Command10->setAutoFillBackground(true);
    Command2 = makeButton(this, "Command2", "Exit");

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(7000);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(500);

    boxes_ = {Text1,  Text2,  Text3,  Text4,  Text5,  Text6,  Text7,  Text8, Text9,
              Text10, Text11, Text12, Text13, Text14, Text15, Text16, Text17};

    auto* selectorRow = new QHBoxLayout;
    selectorRow->addWidget(Combo1);
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
    balanceRow->addWidget(Label31);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {Command3, Command4, Command7, Command6, Command10}) {
        buttons->addWidget(b);
    }
    buttons->addStretch();
    buttons->addWidget(Command2);
    auto* root = new QVBoxLayout(this);
    root->addLayout(selectorRow);
    root->addLayout(top);
    root->addWidget(columns);
    root->addWidget(List1, 1);
    root->addLayout(balanceRow);
    root->addWidget(postBox);
    root->addLayout(buttons);
    resize(900, 720);

    // Built disabled; the rest is disabled when the window opens.
    for (QWidget* control : {static_cast<QWidget*>(Command7), static_cast<QWidget*>(Command8),
                             static_cast<QWidget*>(Command9), static_cast<QWidget*>(Command6),
                             static_cast<QWidget*>(Command10)}) {
        control->setEnabled(false);
    }

    connect(Combo1, &QComboBox::activated, this, &Form9::Combo1_Click);
    connect(Combo2, &QComboBox::activated, this, &Form9::Combo2_Click);
    connect(Combo4, &QComboBox::activated, this, &Form9::Combo4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form9::Command5_Click);
    connect(Text20, &QLineEdit::returnPressed, Command5, &QPushButton::click);
    connect(Command8, &QPushButton::clicked, this, &Form9::Command8_Click);
    connect(Command9, &QPushButton::clicked, this, &Form9::Command9_Click);
    connect(Command7, &QPushButton::clicked, this, &Form9::Command7_Click);
    connect(Command4, &QPushButton::clicked, this, &Form9::Command4_Click);
    connect(Command3, &QPushButton::clicked, this, &Form9::Command3_Click);
    connect(Command6, &QPushButton::clicked, this, &Form9::Command6_Click);
    connect(Command10, &QPushButton::clicked, this, &Form9::Command10_Click);
    connect(Command2, &QPushButton::clicked, this, &Form9::Command2_Click);
    connect(Timer1, &QTimer::timeout, this, &Form9::Timer1_Timer);
    connect(Timer2, &QTimer::timeout, this, &Form9::Timer2_Timer);
}

void Form9::Form_Load() {
    show();
    Combo2->clear();
    Combo2->addItems(listOf(codeList()));
    Combo2->setEditText(QStringLiteral("Select Code"));
    Combo3->clear();
    Combo3->addItems(listOf(payCodeList()));
    Combo3->setEditText(QString());
    Combo4->clear();
    Combo4->setEditText(QStringLiteral("Select Room"));
    setGuestChosen(false);
    Timer1->start();
    guarded(services_.dialogs, this, [&] {
        fillSelector();
        Combo4->addItems(listOf(roomMoveEntries(services_.store)));
        Combo4->setEditText(QStringLiteral("Select Room"));
    });
    Combo1->setFocus();
}

void Form9::fillSelector() {
    Combo1->clear();
    Combo1->addItems(listOf(guestSelectorEntries(services_.store)));
    Combo1->setEditText(QStringLiteral("Select Room"));
}

void Form9::clearGuest() {
    List1->clear();
    stopMessageBlink();
    for (QLineEdit* b : boxes_) {
        b->clear();
    }
    Text18->clear();
    Text21->clear();
    cards_->setExclusive(false);
    for (QAbstractButton* option : cards_->buttons()) {
        option->setChecked(false);
    }
    cards_->setExclusive(true);
    for (QLabel* label : {Label27, Label35, Label36, Label38, Label31}) {
        label->clear();
    }
    Combo3->setEditText(QString());
}

// "Print Folio" is left to Timer1, which enables it whether or not a guest is chosen.
void Form9::setGuestChosen(bool chosen) {
    for (QWidget* control : {static_cast<QWidget*>(Command3), static_cast<QWidget*>(Command5),
                             static_cast<QWidget*>(Combo2), static_cast<QWidget*>(Command7),
                             static_cast<QWidget*>(Command8), static_cast<QWidget*>(Command9),
                             static_cast<QWidget*>(Command6)}) {
        control->setEnabled(chosen);
    }
    if (!chosen) {
        Command4->setEnabled(false);
        stopMessageBlink();
    } else {
        Command4->setEnabled(true);
    }
}

void Form9::stopMessageBlink() {
    Timer2->stop();
    Command10->setEnabled(false);
    Command10->setPalette(QPalette());
    blinkOn_ = false;
}

void Form9::showFolio(long folioNumber, FolioGap gap) {
    const FolioListing listing = folioListing(services_.store, folioNumber, gap);
    List1->clear();
    List1->addItems(listOf(listing.lines));
    Label31->setText(fromStd(listing.balance));
    if (!listing.problems.empty()) {
        QStringList problems = listOf(listing.problems);
        services_.dialogs.inform(this, kAttention, problems.join(QLatin1Char('\n')));
    }
}

Found<GuestRecord> Form9::guestOnScreen() {
    auto guest = shownGuest(services_.store, toStd(Combo1->currentText()), toStd(Label35->text()));
    if (!guest) {
        services_.dialogs.inform(this, kAttention, QString::fromUtf8(kPickAGuest));
        Combo1->setFocus();
    }
    return guest;
}

void Form9::refuse(const Refusal& refusal) {
    services_.dialogs.inform(this, kAttention, fromStd(refusal.message));
    QWidget* field = Combo1;
    switch (refusal.field) {
    case FolioField::Selector:
        field = Combo1;
        break;
    case FolioField::Code:
        field = Combo2;
        break;
    case FolioField::Amount:
        field = Text20;
        break;
    case FolioField::Rate:
        field = Text21;
        break;
    case FolioField::Departure:
        field = Text18;
        break;
    }
    field->setFocus();
}

void Form9::Combo1_Click() {
    clearGuest();
    setGuestChosen(false);
    guarded(services_.dialogs, this, [&] {
        const auto found = guestOfSelectorText(services_.store, toStd(Combo1->currentText()));
        if (!found) {
            services_.dialogs.inform(this, kAttention, QString::fromUtf8(kPickAGuest));
            return;
        }
        const GuestView view = guestView(found->second);
        for (std::size_t i = 0; i < boxes_.size(); ++i) {
            boxes_[i]->setText(fromStd(view.boxes[i]));
        }
        const std::array<const char*, 4> cardCodes = {"V", "M", "D", "A"};
        const std::array<QRadioButton*, 4> options = {Option1, Option2, Option3, Option4};
        for (std::size_t i = 0; i < cardCodes.size(); ++i) {
            options[i]->setChecked(view.cardType == cardCodes[i]);
        }
        Label27->setText(fromStd(view.arrivalDate));
        Text18->setText(fromStd(view.departureDate));
        Label36->setText(fromStd(view.room));
        Text21->setText(fromStd(view.rate));
        Label35->setText(fromStd(view.folio));
        Label38->setText(fromStd(view.arrivalTime));
        Combo3->setEditText(fromStd(view.payCode));
        const long folio = static_cast<long>(found->second.FolioNumber);
        showFolio(folio, FolioGap::Chosen);
        setGuestChosen(true);
        if (hasLiveMessage(services_.store, folio)) {
            Command10->setEnabled(true);
            Timer2->start();
        }
    });
}

void Form9::Combo2_Click() {
    guarded(services_.dialogs, this, [&] {
        const auto amount = amountForCode(toStd(Combo2->currentText()), toStd(Text21->text()),
                                          petFee(services_.store));
        if (amount) {
            Text20->setText(fromStd(*amount));
        }
    });
    Text20->setFocus();
}

void Form9::Combo4_Click() {
    Label36->setText(fromStd(roomOfEntry(toStd(Combo4->currentText()))));
}

void Form9::Command5_Click() {
    guarded(services_.dialogs, this, [&] {
        if (Text20->text().isEmpty()) {
            refuse({FolioField::Amount, "You did not enter an amount."});
            return;
        }
        const auto guest = guestOnScreen();
        if (!guest) {
            return;
        }
        const auto refusal =
            postToFolio(services_.store, guest->second, toStd(Combo2->currentText()),
                        toStd(Text20->text()), services_.clock.today());
        if (refusal) {
            refuse(*refusal);
            return;
        }
        showFolio(static_cast<long>(guest->second.FolioNumber), FolioGap::Posted);
        Text20->clear();
        Combo2->setEditText(QStringLiteral("Select Code"));
        Combo2->setFocus();
    });
}

void Form9::Command8_Click() {
    guarded(services_.dialogs, this, [&] {
        const DepartureChange change =
            oneMoreNight(services_.store, toStd(Text18->text()), toStd(Label36->text()));
        Text18->setText(fromStd(change.departure));
        if (change.refusal) {
            refuse(*change.refusal);
        }
    });
}

void Form9::Command9_Click() {
    const DepartureChange change = oneNightLess(toStd(Text18->text()), toStd(Label27->text()));
    Text18->setText(fromStd(change.departure));
    if (change.refusal) {
        refuse(*change.refusal);
    }
}

void Form9::Command7_Click() {
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
        changes.payCode = toStd(Combo3->currentText());
        changes.room = toStd(Label36->text());
        changes.rate = toStd(Text21->text());
        changes.departure = toStd(Text18->text());
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

void Form9::Command4_Click() {
    Command4->setEnabled(false);
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

void Form9::Command3_Click() {
    guarded(services_.dialogs, this, [&] {
        const auto guest = guestOnScreen();
        if (!guest || !services_.dialogs.ask(this, QStringLiteral("Check Out"),
                                             QStringLiteral("Are you sure you want to check "
                                                            "this guest out?"))) {
            return;
        }
        checkOut(services_.store, guest->first, guest->second, longTime(services_.clock.now()));
        clearGuest();
        setGuestChosen(false);
        fillSelector();
        Combo1->setFocus();
    });
}

void Form9::Command6_Click() {
    services_.windows.open(WindowId::PostMessage);
}

void Form9::Command10_Click() {
    if (auto* reading = qobject_cast<Form26*>(services_.windows.open(WindowId::ReadMessage))) {
        connect(reading, &Form26::messageDeleted, this, &Form9::messageDeleted,
                Qt::UniqueConnection);
    }
}

void Form9::Command2_Click() {
    close();
}

void Form9::Timer1_Timer() {
    Command4->setEnabled(true);
}

void Form9::Timer2_Timer() {
    blinkOn_ = !blinkOn_;
    QPalette palette;
    if (blinkOn_) {
        palette.setColor(QPalette::Button, QColor(kMessageColour));
    }
    Command10->setPalette(palette);
}

void Form9::messageDeleted() {
    stopMessageBlink();
}

} // namespace roomwright
