#include "frontdesk/check_in_window.h"

#include "frontdesk/calendar_window.h"
#include "frontdesk/check_in.h"
#include "frontdesk/folio.h"
#include "frontdesk/folio_printing.h"
#include "frontdesk/stay_dates_link.h"
#include "store/format/numbers.h"
#include "store/lookups.h"
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

} // namespace

CheckInWindow::CheckInWindow(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Check In"));

    dateLabel = makeValueLabel(this, "Label1", QStringLiteral("Today's date"));
    shiftLabel = makeValueLabel(this, "Label17");
    clerkLabel = makeValueLabel(this, "Label19");

    // Created in the order the clerk goes through them, which is the tab order.
    lastNameBox = makeTextBox(this, "Text1", nullptr, GuestRecord{}.LastName.width);
    firstNameBox = makeTextBox(this, "Text2", nullptr, GuestRecord{}.FirstName.width);
    addressBox = makeTextBox(this, "Text3", nullptr, GuestRecord{}.Address.width);
    cityBox = makeTextBox(this, "Text4", nullptr, GuestRecord{}.City.width);
    stateCombo = makePickList(this, "Combo1", QStringLiteral("Select State"));
    zipBox = makeTextBox(this, "Text5", nullptr, GuestRecord{}.Zip.width);
    phoneBox = makeTextBox(this, "Text6", nullptr, GuestRecord{}.Phone.width);
    cellBox = makeTextBox(this, "Text7", nullptr, GuestRecord{}.Cell.width);
    companyBox = makeTextBox(this, "Text8", nullptr, GuestRecord{}.Company.width);
    emailBox = makeTextBox(this, "Text9", nullptr, GuestRecord{}.Email.width);
    driversLicenseBox = makeTextBox(this, "Text10", nullptr, GuestRecord{}.DriversLicense.width);
    commentBox = makeTextBox(this, "Text12", nullptr, GuestRecord{}.Comment.width);
    adultsBox = makeTextBox(this, "Text13", nullptr, GuestRecord{}.Adults.width);
    childrenBox = makeTextBox(this, "Text14", nullptr, GuestRecord{}.Children.width);
    roomCombo = makePickList(this, "Combo4", QStringLiteral("Select Room"));
    rateBox = makeTextBox(this, "Text15");
    taxBox = makeTextBox(this, "Text16");
    nightTotalBox = makeTextBox(this, "Text17");
    daysBox = makeTextBox(this, "Text20");
    calendarButton = makeCaptioned<QPushButton>(this, "Command4", "Calendar");
    departureBox = makeTextBox(this, "Text21");
    petFeeCheck = makeCaptioned<QCheckBox>(this, "Check1", "Pet Fee");
    petFeeBox = makeTextBox(this, "Text19");
    stayTotalBox = makeTextBox(this, "Text18");
    payCodeCombo = makePickList(this, "Combo5", QStringLiteral("Select Pay Code"));
    auto* cardFrame = new QGroupBox(QStringLiteral("Credit Card Information"), this);
    visaOption = makeCaptioned<QRadioButton>(cardFrame, "Option1", "Visa");
    masterCardOption = makeCaptioned<QRadioButton>(cardFrame, "Option2", "Master Card");
    discoverOption = makeCaptioned<QRadioButton>(cardFrame, "Option3", "Discover");
    americanExpressOption = makeCaptioned<QRadioButton>(cardFrame, "Option4", "American Express");
    cardNumberBox = makeTextBox(cardFrame, "Text11", nullptr, GuestRecord{}.CardNumber.width);
    expiryMonthCombo = makePickList(cardFrame, "Combo2", QStringLiteral("Expire Month"));
    expiryYearCombo = makePickList(cardFrame, "Combo3", QStringLiteral("Expire Year"));
    printFolioCheck = makeCaptioned<QCheckBox>(this, "Check2", "Print folio upon check in");
    checkInButton = makeCaptioned<QPushButton>(this, "Command1", "Check In");
    clearButton = makeCaptioned<QPushButton>(this, "Command3", "Clear Fields");
    exitButton = makeCaptioned<QPushButton>(this, "Command2", "Exit");

    fillStates(stateCombo);
    fillMonths(expiryMonthCombo);
    fillCardYears(expiryYearCombo);
    fillList(payCodeCombo, payCodeList());

    cards_ = new QButtonGroup(this);
    for (QRadioButton* option :
         {visaOption, masterCardOption, discoverOption, americanExpressOption}) {
        cards_->addButton(option);
    }
    // Computed from the room and the tax rate; the pet fee opens with the pet option.
    for (QLineEdit* computed : {taxBox, nightTotalBox, petFeeBox}) {
        computed->setReadOnly(true);
    }
    for (QLineEdit* narrow :
         {adultsBox, childrenBox, rateBox, taxBox, nightTotalBox, petFeeBox, daysBox}) {
        narrow->setMaximumWidth(90);
    }

    auto* header = new QHBoxLayout;
    header->addWidget(dateLabel);
    header->addStretch();
    header->addWidget(makeCaption(this, QStringLiteral("Shift:"), shiftLabel));
    header->addWidget(shiftLabel);
    header->addSpacing(16);
    header->addWidget(makeCaption(this, QStringLiteral("Clerk:"), clerkLabel));
    header->addWidget(clerkLabel);

    auto* guestFrame = new QGroupBox(QStringLiteral("Guest"), this);
    auto* guest = new QGridLayout(guestFrame);
    const auto row = [&](int r, int c, const char* label, QWidget* field, int span = 1) {
        guest->addWidget(makeCaption(guestFrame, QString::fromLatin1(label), field), r, c);
        guest->addWidget(field, r, c + 1, 1, span);
    };
    row(0, 0, "Last", lastNameBox);
    row(0, 2, "First", firstNameBox);
    row(1, 0, "Address", addressBox, 3);
    row(2, 0, "City", cityBox);
    row(2, 2, "State", stateCombo);
    row(3, 0, "Zip", zipBox);
    row(4, 0, "Phone", phoneBox);
    row(4, 2, "Cell", cellBox);
    row(5, 0, "Company", companyBox);
    row(5, 2, "Email", emailBox);
    row(6, 0, "Drivers Lic. #", driversLicenseBox);
    row(7, 0, "Comment", commentBox, 3);
    row(8, 0, "Adults", adultsBox);
    row(8, 2, "Children", childrenBox);
    // The narrow count boxes stand at the left of their columns instead of narrowing them.
    guest->setAlignment(adultsBox, Qt::AlignLeft);
    guest->setAlignment(childrenBox, Qt::AlignLeft);
    guest->setRowStretch(9, 1);
    guest->setColumnStretch(1, 1);
    guest->setColumnStretch(3, 1);

    auto* stayFrame = new QGroupBox(QStringLiteral("Room and Stay"), this);
    auto* stay = new QGridLayout(stayFrame);
    const auto line = [&](int r, const char* label, QWidget* field) {
        stay->addWidget(makeCaption(stayFrame, QString::fromLatin1(label), field), r, 0);
        stay->addWidget(field, r, 1);
    };
    line(0, "Room", roomCombo);
    line(1, "Rate", rateBox);
    line(2, "Tax", taxBox);
    line(3, "Total", nightTotalBox);
    line(4, "Days", daysBox);
    stay->addWidget(calendarButton, 4, 2);
    line(5, "Departure Date", departureBox);
    stay->addWidget(petFeeCheck, 6, 0);
    stay->addWidget(petFeeBox, 6, 1);
    petFeeBox->setAccessibleName(QStringLiteral("Pet fee amount"));
    line(7, "Total This Stay", stayTotalBox);
    line(8, "Pay Code", payCodeCombo);
    stay->setColumnStretch(1, 1);

    auto* card = new QGridLayout(cardFrame);
    card->addWidget(visaOption, 0, 0);
    card->addWidget(masterCardOption, 0, 1);
    card->addWidget(discoverOption, 1, 0);
    card->addWidget(americanExpressOption, 1, 1);
    card->addWidget(makeCaption(cardFrame, QStringLiteral("Card #"), cardNumberBox), 2, 0);
    card->addWidget(cardNumberBox, 2, 1);
    card->addWidget(makeCaption(cardFrame, QStringLiteral("Expire"), expiryMonthCombo), 3, 0);
    auto* expiry = new QHBoxLayout;
    expiry->addWidget(expiryMonthCombo, 1);
    expiry->addWidget(expiryYearCombo);
    card->addLayout(expiry, 3, 1);
    expiryYearCombo->setAccessibleName(QStringLiteral("Expire Year"));

    auto* right = new QVBoxLayout;
    right->addWidget(stayFrame);
    right->addWidget(cardFrame);
    right->addStretch();

    auto* body = new QHBoxLayout;
    body->addWidget(guestFrame);
    body->addLayout(right);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(printFolioCheck);
    buttons->addStretch();
    for (QPushButton* button : {checkInButton, clearButton, exitButton}) {
        button->setMinimumWidth(100);
        buttons->addWidget(button);
    }

    auto* root = new QVBoxLayout(this);
    root->addLayout(header);
    root->addLayout(body, 1);
    root->addLayout(buttons);
    resize(sizeHint());

    // The stay arrives today.
    new StayDatesLink(
        this, [this] { return shortDate(services_.clock.today()); }, daysBox, departureBox);
    calendar_ = new CalendarWindow(this);
    connect(calendar_, &CalendarWindow::dayPicked, this, &CheckInWindow::calendarDayPicked);
    connect(roomCombo, &QComboBox::currentIndexChanged, this, &CheckInWindow::roomPicked);
    connect(petFeeCheck, &QCheckBox::toggled, this, &CheckInWindow::petFeeClicked);
    connect(daysBox, &QLineEdit::textChanged, this, &CheckInWindow::daysChanged);
    connect(checkInButton, &QPushButton::clicked, this, &CheckInWindow::checkInClicked);
    connect(exitButton, &QPushButton::clicked, this, &CheckInWindow::exitClicked);
    connect(clearButton, &QPushButton::clicked, this, &CheckInWindow::clearClicked);
    connect(calendarButton, &QPushButton::clicked, this, &CheckInWindow::calendarClicked);
}

void CheckInWindow::load() {
    placeAt(this, 300, 300);
    show();
    const CivilDate today = services_.clock.today();
    dateLabel->setText(QString::fromStdString(shortDate(today)));
    daysBox->setText(QStringLiteral("1"));
    adultsBox->setText(QStringLiteral("1"));
    guarded(services_.dialogs, this, [&] {
        const QSignalBlocker quiet(roomCombo);
        fillList(roomCombo, roomsForCheckIn(services_.store));
        const ShiftClerkRecord onDuty = shiftAndClerk(services_.store);
        onDutyShift_ = onDuty.Shift.str();
        onDutyClerk_ = onDuty.ClerkInitials.str();
        shiftLabel->setText(onScreen(onDutyShift_));
        clerkLabel->setText(onScreen(onDutyClerk_));
    });
    calendar_->load(today.plusDays(1));
}

void CheckInWindow::showStayTotal() {
    showNumber(stayTotalBox, value(nightTotalBox) * value(daysBox) + value(petFeeBox));
}

void CheckInWindow::roomPicked() {
    if (roomCombo->currentIndex() < 0) {
        return;
    }
    const std::string room = roomOfEntry(roomCombo->currentText().toStdString());
    guarded(services_.dialogs, this, [&] {
        if (reservationArrivesToday(services_.store, room, services_.clock.today())) {
            services_.dialogs.inform(
                this, kAttention,
                QStringLiteral("You are overbooking on this room. Please choose another room."));
        }
        if (const auto rate = rateOfRoom(services_.store, room)) {
            rateBox->setText(QString::fromStdString(plainNumber(*rate)));
        }
        showNumber(taxBox, roomRentTax(value(rateBox), taxRate(services_.store)));
        showNumber(nightTotalBox, value(rateBox) + value(taxBox));
        showStayTotal();
    });
}

void CheckInWindow::petFeeClicked() {
    guarded(services_.dialogs, this, [&] {
        // The fee as the clerk set it, without the float's binary tail.
        const double fee = leadingNumber(plainNumber(petFee(services_.store)));
        if (petFeeCheck->isChecked()) {
            petFeeBox->setReadOnly(false);
            showNumber(petFeeBox, fee);
            showNumber(stayTotalBox, value(stayTotalBox) + value(petFeeBox));
        } else {
            showNumber(stayTotalBox, value(stayTotalBox) - fee);
            petFeeBox->setText(QStringLiteral("0"));
            petFeeBox->setReadOnly(true);
        }
    });
}

void CheckInWindow::daysChanged() {
    showStayTotal();
}

// The departure date fills the days.
void CheckInWindow::calendarDayPicked(const QDate& date) {
    departureBox->setText(QString::fromStdString(shortDate(toCivilDate(date))));
    calendar_->hide();
}

WalkIn CheckInWindow::registration() const {
    WalkIn walkIn;
    walkIn.guest.lastName = text(lastNameBox);
    walkIn.guest.firstName = text(firstNameBox);
    walkIn.guest.address = text(addressBox);
    walkIn.guest.city = text(cityBox);
    walkIn.guest.state = chosen(stateCombo);
    walkIn.guest.zip = text(zipBox);
    walkIn.guest.phone = text(phoneBox);
    walkIn.guest.cell = text(cellBox);
    walkIn.guest.company = text(companyBox);
    walkIn.guest.email = text(emailBox);
    walkIn.guest.driversLicense = text(driversLicenseBox);
    walkIn.guest.comment = text(commentBox);
    walkIn.guest.adults = text(adultsBox);
    walkIn.guest.children = text(childrenBox);
    const std::pair<QRadioButton*, const char*> cards[] = {{visaOption, "V"},
                                                           {masterCardOption, "M"},
                                                           {discoverOption, "D"},
                                                           {americanExpressOption, "A"}};
    for (const auto& [option, letter] : cards) {
        if (option->isChecked()) {
            walkIn.guest.cardType = letter;
        }
    }
    walkIn.guest.cardNumber = text(cardNumberBox);
    walkIn.guest.cardExpireMonth = chosen(expiryMonthCombo);
    walkIn.guest.cardExpireYear = chosen(expiryYearCombo);
    walkIn.roomEntry = chosen(roomCombo);
    walkIn.payCode = chosen(payCodeCombo);
    walkIn.rate = text(rateBox);
    walkIn.days = text(daysBox);
    walkIn.departure = text(departureBox);
    walkIn.pet = petFeeCheck->isChecked();
    walkIn.petFee = text(petFeeBox);
    walkIn.stayTotal = text(stayTotalBox);
    walkIn.shift = onDutyShift_;
    walkIn.clerk = onDutyClerk_;
    return walkIn;
}

QWidget* CheckInWindow::control(WalkInField field) const {
    switch (field) {
    case WalkInField::LastName:
        return lastNameBox;
    case WalkInField::FirstName:
        return firstNameBox;
    case WalkInField::Address:
        return addressBox;
    case WalkInField::City:
        return cityBox;
    case WalkInField::State:
        return stateCombo;
    case WalkInField::Zip:
        return zipBox;
    case WalkInField::PayCode:
        return payCodeCombo;
    case WalkInField::Adults:
        return adultsBox;
    case WalkInField::Room:
        return roomCombo;
    case WalkInField::Days:
        return daysBox;
    }
    return lastNameBox;
}

void CheckInWindow::checkInClicked() {
    const WalkIn walkIn = registration();
    if (const auto refusal = checkWalkIn(walkIn, services_.clock.today())) {
        services_.dialogs.inform(this, kAttention, QString::fromStdString(refusal->message));
        focusField(control(refusal->field));
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
    if (printFolioCheck->isChecked()) {
        printCheckInFolio(services_, this, guest);
    }
    close();
}

void CheckInWindow::exitClicked() {
    close();
}

void CheckInWindow::clearClicked() {
    for (QLineEdit* field :
         {lastNameBox, firstNameBox, addressBox, cityBox, zipBox, phoneBox, cellBox, companyBox,
          emailBox, driversLicenseBox, cardNumberBox, commentBox, childrenBox, rateBox, taxBox,
          nightTotalBox, stayTotalBox, petFeeBox}) {
        field->clear();
    }
    for (QComboBox* list :
         {stateCombo, expiryMonthCombo, expiryYearCombo, roomCombo, payCodeCombo}) {
        list->setCurrentIndex(-1);
    }
    cards_->setExclusive(false);
    for (QAbstractButton* option : cards_->buttons()) {
        option->setChecked(false);
    }
    cards_->setExclusive(true);
    petFeeCheck->setChecked(false);
    printFolioCheck->setChecked(false);
    adultsBox->setText(QStringLiteral("1"));
    daysBox->setText(QStringLiteral("1"));
    daysChanged(); // also when the days already read 1
    lastNameBox->setFocus();
}

void CheckInWindow::calendarClicked() {
    calendar_->show();
    calendar_->raise();
    calendar_->activateWindow();
    calendar_->monthView->setFocus();
}

// However the window closes, the main window comes back, loaded afresh. It opens before
// this one has gone, so the program never stands without a window.
void CheckInWindow::closeEvent(QCloseEvent* event) {
    calendar_->close();
    services_.windows.open(WindowId::Main);
    event->accept();
}

} // namespace roomwright
