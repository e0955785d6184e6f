#include "reservations/reservation_entry_window.h"

#include "frontdesk/calendar_window.h"
#include "frontdesk/stay_dates_link.h"
#include "reservations/price_boxes.h"
#include "store/format/numbers.h"
#include "store/settings.h"
#include "ui/controls.h"
#include "ui/placement.h"

#include <QCalendarWidget>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace roomwright {

namespace {

// The guest's boxes: lists to pick from, of which one with nothing picked reads as its
// prompt.
constexpr GuestBoxesForm kEntryGuestBoxes = {
    .names = {"Text1", "Text2", "Text3", "Text4", "Combo1", "Text5", "Text6", "Text7", "Text8",
              "Text9", "Text10", "Text11", "Text12", "Text13", "Text16", "Combo2", "Combo3"},
    .lists = GuestLists::PickedOrPrompt,
};

} // namespace

ReservationEntryWindow::ReservationEntryWindow(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form12"));
    setWindowTitle(QStringLiteral("Add Reservation"));

    todayLabel = makeValueLabel(this, "Label1");
    todayLabel->setAccessibleName(QStringLiteral("Today's date"));
    confirmationLabel = makeValueLabel(this, "Label20");
    shiftLabel = makeValueLabel(this, "Label22");
    clerkLabel = makeValueLabel(this, "Label24");

    // Created in the order the clerk goes through them, which is the tab order.
    auto* stayFrame = new QGroupBox(QStringLiteral("Stay"), this);
    arrivalBox = makeTextBox(stayFrame, "Text14");
    departureBox = makeTextBox(stayFrame, "Text15");
    daysBox = makeTextBox(stayFrame, "Text21");
    calendarButton = makeButton(stayFrame, "Command1", QStringLiteral("Calendar"));
    guest = makeGuestBoxes(this, kEntryGuestBoxes);
    auto* roomFrame = new QGroupBox(QStringLiteral("Room"), this);
    roomList = makeRoomChoice(roomFrame, "Combo4");
    rateBox = makeTextBox(roomFrame, "Text17");
    taxBox = makeTextBox(roomFrame, "Text18");
    totalBox = makeTextBox(roomFrame, "Text19");
    stayTotalBox = makeTextBox(roomFrame, "Text20");
    saveButton = makeButton(this, "Command3", QStringLiteral("Save"));
    exitButton = makeButton(this, "Command4", QStringLiteral("Exit"));
    for (QLineEdit* computed : {taxBox, totalBox, stayTotalBox}) {
        computed->setReadOnly(true);
    }

    auto* header = new QHBoxLayout;
    header->addWidget(todayLabel);
    header->addStretch();
    header->addWidget(makeCaption(this, QStringLiteral("Confirmation #"), confirmationLabel));
    header->addWidget(confirmationLabel);
    header->addSpacing(16);
    header->addWidget(makeCaption(this, QStringLiteral("Shift"), shiftLabel));
    header->addWidget(shiftLabel);
    header->addSpacing(16);
    header->addWidget(makeCaption(this, QStringLiteral("Clerk"), clerkLabel));
    header->addWidget(clerkLabel);

    auto* stay = new QGridLayout(stayFrame);
    addCaptioned(stay, 0, 0, QStringLiteral("Arriving On"), arrivalBox);
    addCaptioned(stay, 1, 0, QStringLiteral("Departing On"), departureBox);
    addCaptioned(stay, 2, 0, QStringLiteral("Days"), daysBox);
    stay->addWidget(calendarButton, 2, 2);
    auto* room = new QGridLayout(roomFrame);
    addCaptioned(room, 0, 0, QStringLiteral("Room"), roomList);
    addCaptioned(room, 1, 0, QStringLiteral("Rate"), rateBox);
    addCaptioned(room, 2, 0, QStringLiteral("Tax"), taxBox);
    addCaptioned(room, 3, 0, QStringLiteral("Total"), totalBox);
    addCaptioned(room, 4, 0, QStringLiteral("Total This Stay"), stayTotalBox);

    auto* right = new QVBoxLayout;
    right->addWidget(stayFrame);
    right->addWidget(roomFrame);
    right->addWidget(guest.cardFrame);
    right->addStretch();
    auto* body = new QHBoxLayout;
    body->addWidget(guest.guestFrame, 3);
    body->addLayout(right, 2);
    auto* root = new QVBoxLayout(this);
    root->addLayout(header);
    root->addWidget(makeScrollingArea(this, body), 1);
    root->addLayout(makeButtonRow({saveButton, exitButton}));

    connect(calendarButton, &QPushButton::clicked, this, &ReservationEntryWindow::calendarClicked);
    connect(roomList, &QComboBox::activated, this, &ReservationEntryWindow::roomChosen);
    connect(saveButton, &QPushButton::clicked, this, &ReservationEntryWindow::saveClicked);
    connect(exitButton, &QPushButton::clicked, this, &QWidget::close);
    connect(arrivalBox, &QLineEdit::textEdited, this, &ReservationEntryWindow::arrivalEdited);
    // The days and the departure date fill each other.
    new StayDatesLink(
        this, [this] { return textOf(arrivalBox); }, daysBox, departureBox, arrivalBox);
    connect(departureBox, &QLineEdit::textEdited, this, &ReservationEntryWindow::departureEdited);
}

void ReservationEntryWindow::load() {
    placeAt(this, 300, 300);
    show();
    todayLabel->setText(QString::fromStdString(shortDate(services_.clock.today())));
    guest.adults->setText(QStringLiteral("1"));
    // The number is used up here, whether or not the booking is saved.
    const bool numbered = guarded(services_.dialogs, this, [&] {
        confirmationLabel->setText(
            QString::fromStdString(plainNumber(issueConfirmationNumber(services_.store))));
    });
    if (!numbered) {
        close();
        return;
    }
    guarded(services_.dialogs, this, [&] {
        const ShiftClerkRecord onDuty = shiftAndClerk(services_.store);
        onDutyShift_ = onDuty.Shift.str();
        onDutyClerk_ = onDuty.ClerkInitials.str();
        shiftLabel->setText(onScreen(onDutyShift_));
        clerkLabel->setText(onScreen(onDutyClerk_));
        fillList(roomList, roomsForBooking(services_.store));
    });
    arrivalBox->setFocus();
}

ReservationCalendarsWindow* ReservationEntryWindow::openCalendars() {
    if (calendars_ == nullptr) {
        calendars_ = new ReservationCalendarsWindow(this);
        connect(calendars_, &ReservationCalendarsWindow::arrivalPicked, this,
                &ReservationEntryWindow::arrivalPicked);
        connect(calendars_, &ReservationCalendarsWindow::departurePicked, this,
                &ReservationEntryWindow::departurePicked);
        // The calendars stand on the days the boxes hold, today and tomorrow when they hold
        // none, and the arrival box shows the arrival they stand on.
        const CivilDate arrival =
            parseShortDate(textOf(arrivalBox)).value_or(services_.clock.today());
        const CivilDate departure =
            parseShortDate(textOf(departureBox)).value_or(arrival.plusDays(1));
        calendars_->load(arrival, departure);
        arrivalPicked(toQDate(arrival));
    }
    return calendars_;
}

void ReservationEntryWindow::calendarClicked() {
    ReservationCalendarsWindow* calendars = openCalendars();
    calendars->show();
    calendars->raise();
    calendars->activateWindow();
    calendars->arrivalCalendar->setFocus();
}

// A date typed into a box moves its calendar, so that the calendars and the boxes agree.
void ReservationEntryWindow::arrivalEdited() {
    if (const auto date = parseShortDate(textOf(arrivalBox)); date && calendars_ != nullptr) {
        calendars_->arrivalCalendar->setSelectedDate(toQDate(*date));
    }
}

void ReservationEntryWindow::departureEdited() {
    if (const auto date = parseShortDate(textOf(departureBox)); date && calendars_ != nullptr) {
        calendars_->departureCalendar->setSelectedDate(toQDate(*date));
    }
}

void ReservationEntryWindow::arrivalPicked(const QDate& date) {
    arrivalBox->setText(QString::fromStdString(shortDate(toCivilDate(date))));
}

// The days count from the arrival calendar's day, whatever the arrival box holds.
void ReservationEntryWindow::departurePicked(const QDate& arrival, const QDate& departure) {
    const CivilDate leaving = toCivilDate(departure);
    departureBox->setText(QString::fromStdString(shortDate(leaving)));
    daysBox->setText(QString::number(leaving.serial() - toCivilDate(arrival).serial()));
    calendars_->hide();
}

// The room is checked against the open reservations for the dates the boxes show (a room
// chosen before any date takes today), then priced.
void ReservationEntryWindow::roomChosen() {
    const auto room = chosenRoom(roomList);
    if (!room) {
        return;
    }
    guarded(services_.dialogs, this, [&] {
        if (arrivalBox->text().isEmpty()) {
            arrivalPicked(openCalendars()->arrivalCalendar->selectedDate());
        }
        const auto arrival = parseShortDate(textOf(arrivalBox));
        if (!arrival) {
            services_.dialogs.inform(this, kAttention,
                                     QString::fromStdString(notADate("Arriving On")));
            focusField(arrivalBox);
            return;
        }
        const CivilDate today = services_.clock.today();
        if (overbooked(services_.store, *room, {*arrival, parseShortDate(textOf(departureBox))},
                       today)) {
            services_.dialogs.inform(this, kAttention, QString::fromStdString(kOverbooking));
            return;
        }
        if (calendars_ != nullptr) {
            calendars_->hide();
        }
        // The price is the room's chosen last, never one left from a room chosen before.
        const auto found = findRoom(services_.store, *room);
        if (!found) {
            showPrice({}, rateBox, taxBox, totalBox, stayTotalBox);
            services_.dialogs.inform(
                this, kAttention,
                QString::fromStdString("Room " + *room + " is no longer in the room file."));
            return;
        }
        const float rate = found->second.Rate;
        showPrice(bookingPrice(rate, rate, taxRate(services_.store), textOf(daysBox)), rateBox,
                  taxBox, totalBox, stayTotalBox);
    });
}

Booking ReservationEntryWindow::booking() const {
    Booking b;
    b.arrival = textOf(arrivalBox);
    b.departure = textOf(departureBox);
    b.days = textOf(daysBox);
    b.guest = guest.details();
    b.room = chosenRoom(roomList);
    b.rate = textOf(rateBox);
    b.confirmationNumber = confirmationLabel->text().toStdString();
    b.shift = onDutyShift_;
    b.clerk = onDutyClerk_;
    return b;
}

QWidget* ReservationEntryWindow::control(BookingField field) const {
    switch (field) {
    case BookingField::Arrival:
        return arrivalBox;
    case BookingField::Departure:
        return departureBox;
    case BookingField::Days:
        return daysBox;
    case BookingField::LastName:
        return guest.lastName;
    case BookingField::FirstName:
        return guest.firstName;
    case BookingField::Address:
        return guest.address;
    case BookingField::City:
        return guest.city;
    case BookingField::State:
        return guest.state;
    case BookingField::Room:
        return roomList;
    }
    return arrivalBox;
}

void ReservationEntryWindow::saveClicked() {
    std::optional<BookingRefusal> refusal;
    if (!guarded(services_.dialogs, this, [&] {
            refusal = saveBooking(services_.store, booking(), services_.clock.today());
        })) {
        return;
    }
    if (refusal) {
        services_.dialogs.inform(this, kAttention, QString::fromStdString(refusal->message));
        focusField(control(refusal->field));
        return;
    }
    services_.dialogs.inform(this, kAttention,
                             QStringLiteral("Your reservation was created successfully."));
    close();
}

void ReservationEntryWindow::closeEvent(QCloseEvent* event) {
    if (calendars_ != nullptr) {
        calendars_->close();
    }
    event->accept();
}

} // namespace roomwright
