#include "frontdesk/check_in_window.h"

#include "frontdesk/calendar_window.h"
#include "frontdesk/check_in.h"
#include "frontdesk/folio.h"
#include "frontdesk/folio_printing.h"
#include "store/lookups.h"
#include "store/numbers.h"
#include "store/settings.h"
#include "ui/controls.h"
#include "ui/placement.h"

#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QCloseEvent>
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

const char* const kPayCodes[] = {
    "V = Visa", "M = Master Card", "D = Discover", "A = American Express",
    "C = Cash", "K = Check",       "O = Other"};

double value(const QLineEdit* box) {
    return leadingNumber(box->text().toStdString());
}
void showNumber(QLineEdit* box, double number) {
    box->setText(QString::fromStdString(plainNumber(number)));
}
std::string text(const QLineEdit* box) {
    return box->text().toStdString();
}
// The chosen entry of a list, "" while it still shows its prompt.
std::string chosen(const QComboBox* list) {
    return list->currentIndex() < 0 ? std::string() : list->currentText().toStdString();
}

template <std::size_t N> void fill(QComboBox* combo, const char* const (&entries)[N]) {
    for (const char* entry : entries) {
        combo->addItem(QString::fromLatin1(entry));
    }
    combo->setCurrentIndex(-1);
}

} // namespace

Form6::Form6(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Check In"));

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAccessibleName(QStringLiteral("Today's date"));
    Label17 = new QLabel(this);
    Label17->setObjectName(QStringLiteral("Label17"));
    Label19 = new QLabel(this);
    Label19->setObjectName(QStringLiteral("Label19"));

    // Created in the order the clerk goes through them, which is the tab order.
    Text1 = makeTextBox(this, "Text1", nullptr, GuestRecord{}.LastName.width);
    Text2 = makeTextBox(this, "Text2", nullptr, GuestRecord{}.FirstName.width);
    Text3 = makeTextBox(this, "Text3", nullptr, GuestRecord{}.Address.width);
    Text4 = makeTextBox(this, "Text4", nullptr, GuestRecord{}.City.width);
    Combo1 = makePickList(this, "Combo1", QStringLiteral("Select State"));
    Text5 = makeTextBox(this, "Text5", nullptr, GuestRecord{}.Zip.width);
    Text6 = makeTextBox(this, "Text6", nullptr, GuestRecord{}.Phone.width);
    Text7 = makeTextBox(this, "Text7", nullptr, GuestRecord{}.Cell.width);
    Text8 = makeTextBox(this, "Text8", nullptr, GuestRecord{}.Company.width);
    Text9 = makeTextBox(this, "Text9", nullptr, GuestRecord{}.Email.width);
    Text10 = makeTextBox(this, "Text10", nullptr, GuestRecord{}.DriversLicense.width);
    Text12 = makeTextBox(this, "Text12", nullptr, GuestRecord{}.Comment.width);
    Text13 = makeTextBox(this, "Text13", nullptr, GuestRecord{}.Adults.width);
    Text14 = makeTextBox(this, "Text14", nullptr, GuestRecord{}.Children.width);
    Combo4 = makePickList(this, "Combo4", QStringLiteral("Select Room"));
    Text15 = makeTextBox(this, "Text15");
    Text16 = makeTextBox(this, "Text16");
    Text17 = makeTextBox(this, "Text17");
    Text20 = makeTextBox(this, "Text20");
    Command4 = makeCaptioned<QPushButton>(this, "Command4", "Calendar");
    Text21 = makeTextBox(this, "Text21");
    Check1 = makeCaptioned<QCheckBox>(this, "Check1", "Pet Fee");
    Text19 = makeTextBox(this, "Text19");
    Text18 = makeTextBox(this, "Text18");
    Combo5 = makePickList(this, "Combo5", QStringLiteral("Select Pay Code"));
    auto* cardFrame = new QGroupBox(QStringLiteral("Credit Card Information"), this);
    Option1 = makeCaptioned<QRadioButton>(cardFrame, "Option1", "Visa");
    Option2 = makeCaptioned<QRadioButton>(cardFrame, "Option2", "Master Card");
    Option3 = makeCaptioned<QRadioButton>(cardFrame, "Option3", "Discover");
    Option4 = makeCaptioned<QRadioButton>(cardFrame, "Option4", "American Express");
    Text11 = makeTextBox(cardFrame, "Text11", nullptr, GuestRecord{}.CardNumber.width);
    Combo2 = makePickList(cardFrame, "Combo2", QStringLiteral("Expire Month"));
    Combo3 = makePickList(cardFrame, "Combo3", QStringLiteral("Expire Year"));
    Check2 = makeCaptioned<QCheckBox>(this, "Check2", "Print folio upon check in");
    Command1 = makeCaptioned<QPushButton>(this, "Command1", "Check In");
    Command3 = makeCaptioned<QPushButton>(this, "Command3", "Clear Fields");
    Command2 = makeCaptioned<QPushButton>(this, "Command2", "Exit");

    fillStates(Combo1);
    fillMonths(Combo2);
    fillCardYears(Combo3);
    fill(Combo5, kPayCodes);

    cards_ = new QButtonGroup(this);
    for (QRadioButton* option : {Option1, Option2, Option3, Option4}) {
        cards_->addButton(option);
    }
    // Computed from the room and the tax rate; the pet fee opens with the pet option.
    for (QLineEdit* computed : {Text16, Text17, Text19, Text21}) {
        computed->setReadOnly(true);
    }
    for (QLineEdit* narrow : {Text13, Text14, Text15, Text16, Text17, Text19, Text20}) {
        narrow->setMaximumWidth(90);
    }

    auto* header = new QHBoxLayout;
    header->addWidget(Label1);
    header->addStretch();
    header->addWidget(makeCaption(this, QStringLiteral("Shift:"), Label17));
    header->addWidget(Label17);
    header->addSpacing(16);
    header->addWidget(makeCaption(this, QStringLiteral("Clerk:"), Label19));
    header->addWidget(Label19);

    auto* guestFrame = new QGroupBox(QStringLiteral("Guest"), this);
    auto* guest = new QGridLayout(guestFrame);
    const auto row = [&](int r, int c, const char* label, QWidget* field, int span = 1) {
        guest->addWidget(makeCaption(guestFrame, QString::fromLatin1(label), field), r, c);
        guest->addWidget(field, r, c + 1, 1, span);
    };
    row(0, 0, "Last", Text1);
    row(0, 2, "First", Text2);
    row(1, 0, "Address", Text3, 3);
    row(2, 0, "City", Text4);
    row(2, 2, "State", Combo1);
    row(3, 0, "Zip", Text5);
    row(4, 0, "Phone", Text6);
    row(4, 2, "Cell", Text7);
    row(5, 0, "Company", Text8);
    row(5, 2, "Email", Text9);
    row(6, 0, "Drivers Lic. #", Text10);
    row(7, 0, "Comment", Text12, 3);
    row(8, 0, "Adults", Text13);
    row(8, 2, "Children", Text14);
    guest->setRowStretch(9, 1);
    guest->setColumnStretch(1, 1);
    guest->setColumnStretch(3, 1);

    auto* stayFrame = new QGroupBox(QStringLiteral("Room and Stay"), this);
    auto* stay = new QGridLayout(stayFrame);
    const auto line = [&](int r, const char* label, QWidget* field) {
        stay->addWidget(makeCaption(stayFrame, QString::fromLatin1(label), field), r, 0);
        stay->addWidget(field, r, 1);
    };
    line(0, "Room", Combo4);
    line(1, "Rate", Text15);
    line(2, "Tax", Text16);
    line(3, "Total", Text17);
    line(4, "Days", Text20);
    stay->addWidget(Command4, 4, 2);
    line(5, "Departure Date", Text21);
    stay->addWidget(Check1, 6, 0);
    stay->addWidget(Text19, 6, 1);
    Text19->setAccessibleName(QStringLiteral("Pet fee amount"));
    line(7, "Total This Stay", Text18);
    line(8, "Pay Code", Combo5);
    stay->setColumnStretch(1, 1);

    auto* card = new QGridLayout(cardFrame);
    card->addWidget(Option1, 0, 0);
    card->addWidget(Option2, 0, 1);
    card->addWidget(Option3, 1, 0);
    card->addWidget(Option4, 1, 1);
    card->addWidget(makeCaption(cardFrame, QStringLiteral("Card #"), Text11), 2, 0);
    card->addWidget(Text11, 2, 1);
    card->addWidget(makeCaption(cardFrame, QStringLiteral("Expire"), Combo2), 3, 0);
    auto* expiry = new QHBoxLayout;
    expiry->addWidget(Combo2, 1);
    expiry->addWidget(Combo3);
    card->addLayout(expiry, 3, 1);
    Combo3->setAccessibleName(QStringLiteral("Expire Year"));

    auto* right = new QVBoxLayout;
    right->addWidget(stayFrame);
    right->addWidget(cardFrame);
    right->addStretch();

    auto* body = new QHBoxLayout;
    body->addWidget(guestFrame, 3);
    body->addLayout(right, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Check2);
    buttons->addStretch();
    for (QPushButton* button : {Command1, Command3, Command2}) {
        button->setMinimumWidth(100);
        buttons->addWidget(button);
    }

    auto* root = new QVBoxLayout(this);
    root->addLayout(header);
    root->addLayout(body, 1);
    root->addLayout(buttons);

    calendar_ = new Form21(this);
    connect(calendar_, &Form21::dayPicked, this, &Form6::Form21_DayPicked);
    connect(Combo4, &QComboBox::currentIndexChanged, this, &Form6::Combo4_Click);
    connect(Check1, &QCheckBox::toggled, this, &Form6::Check1_Click);
    connect(Text20, &QLineEdit::textChanged, this, &Form6::Text20_Change);
    connect(Command1, &QPushButton::clicked, this, &Form6::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form6::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form6::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form6::Command4_Click);
}

void Form6::Form_Load() {
    placeAt(this, 300, 300);
    show();
    const CivilDate today = services_.clock.today();
    Label1->setText(QString::fromStdString(shortDate(today)));
    Text20->setText(QStringLiteral("1"));
    Text13->setText(QStringLiteral("1"));
    guarded(services_.dialogs, this, [&] {
        const QSignalBlocker quiet(Combo4);
        Combo4->clear();
        for (const std::string& entry : roomsForCheckIn(services_.store)) {
            Combo4->addItem(QString::fromStdString(entry));
        }
        Combo4->setCurrentIndex(-1);
        const ShiftClerkRecord onDuty = shiftAndClerk(services_.store);
        Label17->setText(QString::fromStdString(onDuty.Shift.str()));
        Label19->setText(QString::fromStdString(onDuty.ClerkInitials.str()));
    });
    calendar_->Form_Load(today.plusDays(1));
}

void Form6::showStayTotal() {
    showNumber(Text18, value(Text17) * value(Text20) + value(Text19));
}

void Form6::Combo4_Click() {
    if (Combo4->currentIndex() < 0) {
        return;
    }
    const std::string room = roomOfEntry(Combo4->currentText().toStdString());
    guarded(services_.dialogs, this, [&] {
        if (reservationArrivesToday(services_.store, room, services_.clock.today())) {
            services_.dialogs.inform(
                this, kAttention,
                QStringLiteral("You are overbooking on this room. Please choose another room."));
        }
        if (const auto rate = rateOfRoom(services_.store, room)) {
            Text15->setText(QString::fromStdString(plainNumber(*rate)));
        }
        showNumber(Text16, roomRentTax(value(Text15), taxRate(services_.store)));
        showNumber(Text17, value(Text15) + value(Text16));
        showStayTotal();
    });
}

void Form6::Check1_Click() {
    guarded(services_.dialogs, this, [&] {
        // The fee as the clerk set it, without the float's binary tail.
        const double fee = leadingNumber(plainNumber(petFee(services_.store)));
        if (Check1->isChecked()) {
            Text19->setReadOnly(false);
            showNumber(Text19, fee);
            showNumber(Text18, value(Text18) + value(Text19));
        } else {
            showNumber(Text18, value(Text18) - fee);
            Text19->setText(QStringLiteral("0"));
            Text19->setReadOnly(true);
        }
    });
}

void Form6::Text20_Change() {
    showStayTotal();
}

void Form6::Form21_DayPicked(const QDate& date) {
    const CivilDate picked = toCivilDate(date);
    Text21->setText(QString::fromStdString(shortDate(picked)));
    Text20->setText(QString::number(picked.serial() - services_.clock.today().serial()));
    calendar_->hide();
}

WalkIn Form6::registration() const {
    WalkIn walkIn;
    walkIn.lastName = text(Text1);
    walkIn.firstName = text(Text2);
    walkIn.address = text(Text3);
    walkIn.city = text(Text4);
    walkIn.state = chosen(Combo1);
    walkIn.zip = text(Text5);
    walkIn.phone = text(Text6);
    walkIn.cell = text(Text7);
    walkIn.company = text(Text8);
    walkIn.email = text(Text9);
    walkIn.driversLicense = text(Text10);
    walkIn.comment = text(Text12);
    walkIn.adults = text(Text13);
    walkIn.children = text(Text14);
    const std::pair<QRadioButton*, const char*> cards[] = {
        {Option1, "V"}, {Option2, "M"}, {Option3, "D"}, {Option4, "A"}};
    for (const auto& [option, letter] : cards) {
        if (option->isChecked()) {
            walkIn.cardType = letter;
        }
    }
    walkIn.cardNumber = text(Text11);
    walkIn.cardExpireMonth = chosen(Combo2);
    walkIn.cardExpireYear = chosen(Combo3);
    walkIn.roomEntry = chosen(Combo4);
    walkIn.payCode = chosen(Combo5);
    walkIn.rate = text(Text15);
    walkIn.days = text(Text20);
    walkIn.pet = Check1->isChecked();
    walkIn.petFee = text(Text19);
    walkIn.stayTotal = text(Text18);
    walkIn.shift = Label17->text().toStdString();
    walkIn.clerk = Label19->text().toStdString();
    return walkIn;
}

QWidget* Form6::control(WalkInField field) const {
    switch (field) {
    case WalkInField::LastName:
        return Text1;
    case WalkInField::FirstName:
        return Text2;
    case WalkInField::Address:
        return Text3;
    case WalkInField::City:
        return Text4;
    case WalkInField::State:
        return Combo1;
    case WalkInField::Zip:
        return Text5;
    case WalkInField::PayCode:
        return Combo5;
    case WalkInField::Adults:
        return Text13;
    case WalkInField::Room:
        return Combo4;
    }
    return Text1;
}

void Form6::Command1_Click() {
    const WalkIn walkIn = registration();
    if (const auto refusal = checkWalkIn(walkIn)) {
        services_.dialogs.inform(this, kAttention, QString::fromStdString(refusal->message));
        control(refusal->field)->setFocus();
        return;
    }
    GuestRecord guest;
    const bool saved = guarded(services_.dialogs, this, [&] {
        guest = registerWalkIn(services_.store, walkIn, services_.clock.today(),
                               longTime(services_.clock.now()));
    });
    if (!saved) {
        return;
    }
    if (Check2->isChecked()) {
        printCheckInFolio(services_, this, guest);
    }
    close();
}

void Form6::Command2_Click() {
    close();
}

void Form6::Command3_Click() {
    for (QLineEdit* field : {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9, Text10,
                             Text11, Text12, Text14, Text15, Text16, Text17, Text18, Text19}) {
        field->clear();
    }
    for (QComboBox* list : {Combo1, Combo2, Combo3, Combo4, Combo5}) {
        list->setCurrentIndex(-1);
    }
    cards_->setExclusive(false);
    for (QAbstractButton* option : cards_->buttons()) {
        option->setChecked(false);
    }
    cards_->setExclusive(true);
    Check1->setChecked(false);
    Check2->setChecked(false);
    Text13->setText(QStringLiteral("1"));
    Text20->setText(QStringLiteral("1"));
    Text20_Change(); // also when the days already read 1
    Text1->setFocus();
}

void Form6::Command4_Click() {
    calendar_->show();
    calendar_->raise();
    calendar_->activateWindow();
    calendar_->Calendar1->setFocus();
}

// However the window closes, the main window comes back, loaded afresh. It opens before
// this one has gone, so the program never stands without a window.
void Form6::closeEvent(QCloseEvent* event) {
    calendar_->close();
    services_.windows.open(WindowId::Main);
    event->accept();
}

} // namespace roomwright
