#include "frontdesk/check_in_window.h"

#include "frontdesk/calendar_window.h"
#include "frontdesk/check_in.h"
#include "frontdesk/folio.h"
#include "frontdesk/folio_printing.h"
#include "frontdesk/stay_dates_link.h"
#include "store/bookings.h"
#include "store/format/numbers.h"
#include "store/lookups.h"
#include "store/settings.h"
#include "ui/controls.h"
#include "ui/placement.h"

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
#include <QScrollArea>
#include <QVBoxLayout>

namespace roomwright {

namespace {

double value(const QLineEdit* box) {
    return leadingNumber(box->text().toStdString());
}
void showNumber(QLineEdit* box, double number) {
    box->setText(QString::fromStdString(plainNumber(number)));
}

// The guest's boxes: lists to pick from, of which one with nothing picked reads "".
constexpr GuestBoxesForm kWalkInGuestBoxes = {
    .names = {"Text1", "Text2", "Text3", "Text4", "Combo1", "Text5", "Text6", "Text7", "Text8",
              "Text9", "Text10", "Text12", "Text13", "Text14", "Text11", "Combo2", "Combo3"},
    .lists = GuestLists::PickedOrEmpty,
    .widths = BoxWidths::NarrowCounts,
};

} // namespace

CheckInWindow::CheckInWindow(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Check In"));

    dateLabel = makeValueLabel(this, "Label1", QStringLiteral("Today's date"));
    shiftLabel = makeValueLabel(this, "Label17");
    clerkLabel = makeValueLabel(this, "Label19");

    // Created in the order the clerk goes through them, which is the tab order; the card's
    // details, made with the guest's, come after the pay code.
    guest = makeGuestBoxes(this, kWalkInGuestBoxes);
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
    printFolioCheck = makeCaptioned<QCheckBox>(this, "Check2", "Print folio upon check in");
    checkInButton = makeCaptioned<QPushButton>(this, "Command1", "Check In");
    clearButton = makeCaptioned<QPushButton>(this, "Command3", "Clear Fields");
    exitButton = makeCaptioned<QPushButton>(this, "Command2", "Exit");

    fillList(payCodeCombo, payCodeList());
    chainTabOrder({payCodeCombo, guest.visa, guest.masterCard, guest.discover,
                   guest.americanExpress, guest.cardNumber, guest.expireMonth, guest.expireYear});
    // Computed from the room and the tax rate; the pet fee opens with the pet option.
    for (QLineEdit* computed : {taxBox, nightTotalBox, petFeeBox}) {
        computed->setReadOnly(true);
    }
    for (QLineEdit* narrow : {rateBox, taxBox, nightTotalBox, petFeeBox, daysBox}) {
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

    auto* stayFrame = new QGroupBox(QStringLiteral("Room and Stay"), this);
    auto* stay = new QGridLayout(stayFrame);
    addCaptioned(stay, 0, 0, QStringLiteral("Room"), roomCombo);
    addCaptioned(stay, 1, 0, QStringLiteral("Rate"), rateBox);
    addCaptioned(stay, 2, 0, QStringLiteral("Tax"), taxBox);
    addCaptioned(stay, 3, 0, QStringLiteral("Total"), nightTotalBox);
    addCaptioned(stay, 4, 0, QStringLiteral("Days"), daysBox);
    stay->addWidget(calendarButton, 4, 2);
    addCaptioned(stay, 5, 0, QStringLiteral("Departure Date"), departureBox);
    stay->addWidget(petFeeCheck, 6, 0);
    stay->addWidget(petFeeBox, 6, 1);
    petFeeBox->setAccessibleName(QStringLiteral("Pet fee amount"));
    addCaptioned(stay, 7, 0, QStringLiteral("Total This Stay"), stayTotalBox);
    addCaptioned(stay, 8, 0, QStringLiteral("Pay Code"), payCodeCombo);
    stay->setColumnStretch(1, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(stayFrame);
    right->addWidget(guest.cardFrame);
    right->addStretch();

    auto* body = new QHBoxLayout;
    body->addWidget(guest.guestFrame);
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
    root->addWidget(makeScrollingArea(this, body), 1);
    root->addLayout(buttons);

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
    guest.adults->setText(QStringLiteral("1"));
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
    const auto room = chosenRoom(roomCombo);
    if (!room) {
        return;
    }
    guarded(services_.dialogs, this, [&] {
        const CivilDate today = services_.clock.today();
        if (bookingArrivesOn(services_.store, *room, today, today)) {
            services_.dialogs.inform(
                this, kAttention,
                QStringLiteral("You are overbooking on this room. Please choose another room."));
        }
        // A room gone from the file since the list was filled leaves no rate to take.
        const auto rate = rateOfRoom(services_.store, *room);
        rateBox->setText(rate ? QString::fromStdString(plainNumber(*rate)) : QString());
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
    walkIn.guest = guest.details();
    walkIn.room = chosenRoom(roomCombo);
    walkIn.payCode = chosenText(payCodeCombo);
    walkIn.rate = textOf(rateBox);
    walkIn.days = textOf(daysBox);
    walkIn.departure = textOf(departureBox);
    walkIn.pet = petFeeCheck->isChecked();
    walkIn.petFee = textOf(petFeeBox);
    walkIn.stayTotal = textOf(stayTotalBox);
    walkIn.shift = onDutyShift_;
    walkIn.clerk = onDutyClerk_;
    return walkIn;
}

QWidget* CheckInWindow::control(WalkInField field) const {
    switch (field) {
    case WalkInField::LastName:
        return guest.lastName;
    case WalkInField::FirstName:
        return guest.firstName;
    case WalkInField::Address:
        return guest.address;
    case WalkInField::City:
        return guest.city;
    case WalkInField::State:
        return guest.state;
    case WalkInField::Zip:
        return guest.zip;
    case WalkInField::PayCode:
        return payCodeCombo;
    case WalkInField::Adults:
        return guest.adults;
    case WalkInField::Room:
        return roomCombo;
    case WalkInField::Days:
        return daysBox;
    }
    return guest.lastName;
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
    guest.clear();
    for (QLineEdit* field : {rateBox, taxBox, nightTotalBox, stayTotalBox, petFeeBox}) {
        field->clear();
    }
    for (QComboBox* list : {roomCombo, payCodeCombo}) {
        list->setCurrentIndex(-1);
    }
    petFeeCheck->setChecked(false);
    printFolioCheck->setChecked(false);
    guest.adults->setText(QStringLiteral("1"));
    daysBox->setText(QStringLiteral("1"));
    daysChanged(); // also when the days already read 1
    guest.lastName->setFocus();
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
