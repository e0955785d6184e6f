#include "reservations/reservation_windows.h"

#include "frontdesk/calendar_window.h"
#include "frontdesk/folio_printing.h"
#include "store/format/numbers.h"
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
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace roomwright {

namespace {

// The guest's boxes of the two booking windows: lists to pick from in a new booking, lists
// that also show whatever a stored reservation holds in the reservation window.
constexpr GuestBoxesForm kEntryGuestBoxes = {
    .names = {"Text1", "Text2", "Text3", "Text4", "Combo1", "Text5", "Text6", "Text7", "Text8",
              "Text9", "Text10", "Text11", "Text12", "Text13", "Text16", "Combo2", "Combo3"},
    .lists = GuestLists::PickedOrPrompt,
    .readOnly = false,
    .fieldWidths = true,
    .guestCaption = "Guest",
    .cardCaption = "Credit Card Information",
    .driversLicenseCaption = "Drivers Lic. #",
    .guestGrid = GuestGrid::Registration,
    .cardGrid = CardGrid::Stacked,
    .widths = BoxWidths::ForTyping,
};
constexpr GuestBoxesForm kReservationGuestBoxes = {
    .names = {"Text2", "Text3", "Text4", "Text5", "Combo1", "Text6", "Text7", "Text8", "Text9",
              "Text10", "Text11", "Text12", "Text13", "Text14", "Text17", "Combo2", "Combo3"},
    .lists = GuestLists::Typed,
    .readOnly = false,
    .fieldWidths = true,
    .guestCaption = "Guest",
    .cardCaption = "Credit Card Information",
    .driversLicenseCaption = "Drivers Lic. #",
    .guestGrid = GuestGrid::Registration,
    .cardGrid = CardGrid::Stacked,
    .widths = BoxWidths::ForTyping,
};

std::string text(const QLineEdit* box) {
    return box->text().toStdString();
}
// A stored text field as a box shows it: without the blanks that pad it, and without the
// NUL bytes of a field never written.
template <std::size_t W> std::string boxText(const Text<W>& field) {
    std::string value = field.str();
    std::erase(value, '\0');
    return rightTrim(value);
}
void showPrice(const Price& price, QLineEdit* rate, QLineEdit* tax, QLineEdit* total,
               QLineEdit* stayTotal) {
    rate->setText(QString::fromStdString(price.rate));
    tax->setText(QString::fromStdString(price.tax));
    total->setText(QString::fromStdString(price.total));
    stayTotal->setText(QString::fromStdString(price.stayTotal));
}
// The caption and its control, as one line of a grid.
void addLine(QGridLayout* grid, int row, const char* caption, QWidget* control) {
    grid->addWidget(makeCaption(control->parentWidget(), QString::fromLatin1(caption), control),
                    row, 0);
    grid->addWidget(control, row, 1);
}

} // namespace

// The reservations menu.

ReservationsMenuWindow::ReservationsMenuWindow(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form11"));
    setWindowTitle(QStringLiteral("Reservations"));
    addButton = makeButton(this, "Command1", QStringLiteral("Add Reservation"));
    retrieveButton = makeButton(this, "Command2", QStringLiteral("Retrieve Reservation"));
    exitButton = makeButton(this, "Command3", QStringLiteral("Exit"));
    auto* column = new QVBoxLayout(this);
    for (QPushButton* button : {addButton, retrieveButton, exitButton}) {
        button->setMinimumWidth(220);
        column->addWidget(button);
    }
    connect(addButton, &QPushButton::clicked, this, &ReservationsMenuWindow::addClicked);
    connect(retrieveButton, &QPushButton::clicked, this, &ReservationsMenuWindow::retrieveClicked);
    connect(exitButton, &QPushButton::clicked, this, &QWidget::close);
}

void ReservationsMenuWindow::load() {
    placeAt(this, 500, 4000);
    show();
    addButton->setFocus();
}

void ReservationsMenuWindow::addClicked() {
    services_.windows.open(WindowId::ReservationEntry);
    close();
}

void ReservationsMenuWindow::retrieveClicked() {
    services_.windows.open(WindowId::Reservation);
    close();
}

// The entry window.

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
    addLine(stay, 0, "Arriving On", arrivalBox);
    addLine(stay, 1, "Departing On", departureBox);
    addLine(stay, 2, "Days", daysBox);
    stay->addWidget(calendarButton, 2, 2);
    auto* room = new QGridLayout(roomFrame);
    addLine(room, 0, "Room", roomList);
    addLine(room, 1, "Rate", rateBox);
    addLine(room, 2, "Tax", taxBox);
    addLine(room, 3, "Total", totalBox);
    addLine(room, 4, "Total This Stay", stayTotalBox);

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
    root->addLayout(body, 1);
    root->addLayout(makeButtonRow({saveButton, exitButton}));

    connect(calendarButton, &QPushButton::clicked, this, &ReservationEntryWindow::calendarClicked);
    connect(roomList, &QComboBox::activated, this, &ReservationEntryWindow::roomChosen);
    connect(saveButton, &QPushButton::clicked, this, &ReservationEntryWindow::saveClicked);
    connect(exitButton, &QPushButton::clicked, this, &QWidget::close);
    connect(arrivalBox, &QLineEdit::textEdited, this, &ReservationEntryWindow::arrivalEdited);
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
            parseShortDate(text(arrivalBox)).value_or(services_.clock.today());
        const CivilDate departure =
            parseShortDate(text(departureBox)).value_or(arrival.plusDays(1));
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
    if (const auto date = parseShortDate(text(arrivalBox)); date && calendars_ != nullptr) {
        calendars_->arrivalCalendar->setSelectedDate(toQDate(*date));
    }
}

void ReservationEntryWindow::departureEdited() {
    if (const auto date = parseShortDate(text(departureBox)); date && calendars_ != nullptr) {
        calendars_->departureCalendar->setSelectedDate(toQDate(*date));
    }
}

void ReservationEntryWindow::arrivalPicked(const QDate& date) {
    arrivalBox->setText(QString::fromStdString(shortDate(toCivilDate(date))));
}

void ReservationEntryWindow::departurePicked(const QDate& arrival, const QDate& departure) {
    const CivilDate leaving = toCivilDate(departure);
    daysBox->setText(QString::number(leaving.serial() - toCivilDate(arrival).serial()));
    departureBox->setText(QString::fromStdString(shortDate(leaving)));
    calendars_->hide();
}

// The room is checked against the open reservations for the dates the boxes show (a room
// chosen before any date takes today), then priced.
void ReservationEntryWindow::roomChosen() {
    if (roomList->currentIndex() < 0) {
        return;
    }
    const std::string room = roomOfEntry(shownText(roomList));
    guarded(services_.dialogs, this, [&] {
        if (arrivalBox->text().isEmpty()) {
            arrivalPicked(openCalendars()->arrivalCalendar->selectedDate());
        }
        const auto arrival = parseShortDate(text(arrivalBox));
        if (!arrival) {
            services_.dialogs.inform(this, kAttention,
                                     QString::fromStdString(notADate("Arriving On")));
            focusField(arrivalBox);
            return;
        }
        if (overbooked(services_.store, room, {*arrival, parseShortDate(text(departureBox))})) {
            services_.dialogs.inform(this, kAttention, QString::fromStdString(kOverbooking));
            return;
        }
        if (calendars_ != nullptr) {
            calendars_->hide();
        }
        const auto found = findRoom(services_.store, room);
        const auto rate =
            found ? found->second.Rate : static_cast<float>(leadingNumber(text(rateBox)));
        showPrice(bookingPrice(rate, rate, taxRate(services_.store), text(daysBox)), rateBox,
                  taxBox, totalBox, stayTotalBox);
    });
}

Booking ReservationEntryWindow::booking() const {
    Booking b;
    b.arrival = text(arrivalBox);
    b.departure = text(departureBox);
    b.days = text(daysBox);
    b.guest = guest.details();
    b.roomEntry = shownText(roomList);
    b.rate = text(rateBox);
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
    if (!guarded(services_.dialogs, this,
                 [&] { refusal = saveBooking(services_.store, booking()); })) {
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

// The calendars.

ReservationCalendarsWindow::ReservationCalendarsWindow(QWidget* owner)
    : QWidget(owner, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("Form13"));
    setWindowTitle(QStringLiteral("Arriving On"));
    arrivalCalendar = new QCalendarWidget(this);
    arrivalCalendar->setObjectName(QStringLiteral("Calendar1"));
    departureCalendar = new QCalendarWidget(this);
    departureCalendar->setObjectName(QStringLiteral("Calendar2"));
    auto* grid = new QGridLayout(this);
    const std::pair<const char*, QCalendarWidget*> columns[] = {{"Arriving", arrivalCalendar},
                                                                {"Departing", departureCalendar}};
    int column = 0;
    for (const auto& [caption, calendar] : columns) {
        calendar->setGridVisible(true);
        calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        grid->addWidget(makeCaption(this, QString::fromLatin1(caption), calendar), 0, column);
        grid->addWidget(calendar, 1, column++);
    }
    connect(arrivalCalendar, &QCalendarWidget::clicked, this,
            &ReservationCalendarsWindow::arrivalClicked);
    // Qt reports a double-click and Enter on a day alike.
    connect(arrivalCalendar, &QCalendarWidget::activated, this,
            &ReservationCalendarsWindow::arrivalDoubleClicked);
    connect(departureCalendar, &QCalendarWidget::clicked, this,
            &ReservationCalendarsWindow::departureClicked);
    connect(departureCalendar, &QCalendarWidget::activated, this,
            &ReservationCalendarsWindow::departureClicked);
}

void ReservationCalendarsWindow::load(const CivilDate& arrival, const CivilDate& departure) {
    arrivalCalendar->setSelectedDate(toQDate(arrival));
    departureCalendar->setSelectedDate(toQDate(departure));
    placeAt(this, 500, 2000);
    show();
}

void ReservationCalendarsWindow::arrivalClicked(const QDate& date) {
    emit arrivalPicked(date);
}

void ReservationCalendarsWindow::arrivalDoubleClicked(const QDate& date) {
    emit arrivalPicked(date);
    close();
}

void ReservationCalendarsWindow::departureClicked(const QDate& date) {
    emit departurePicked(arrivalCalendar->selectedDate(), date);
}

// The reservation window.

ReservationWindow::ReservationWindow(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form15"));
    setWindowTitle(QStringLiteral("Reservation"));

    // Created in the order the clerk goes through them, which is the tab order.
    numberBox = makeTextBox(this, "Text1");
    goButton = makeButton(this, "Command1", QStringLiteral("Go"));
    byNameButton = makeButton(this, "Command2", QStringLiteral("By Name"));
    confirmationLabel = makeValueLabel(this, "Label16");
    auto* stayFrame = new QGroupBox(QStringLiteral("Stay"), this);
    roomList = makeRoomChoice(stayFrame, "Combo5");
    roomLabel = makeValueLabel(stayFrame, "Label21");
    arrivalBox = makeTextBox(stayFrame, "Text15");
    departureBox = makeTextBox(stayFrame, "Text16");
    daysBox = makeTextBox(stayFrame, "Text19");
    rateBox = makeTextBox(stayFrame, "Text18");
    taxBox = makeTextBox(stayFrame, "Text20");
    totalBox = makeTextBox(stayFrame, "Text21");
    stayTotalBox = makeTextBox(stayFrame, "Text22");
    payCodeList = makeTypedList(stayFrame, "Combo4", QString::fromStdString(kSelectPayCode));
    guest = makeGuestBoxes(this, kReservationGuestBoxes);
    printCheck = makeCaptioned<QCheckBox>(this, "Check1", "Print folio upon check in");
    exitButton = makeButton(this, "Command3", QStringLiteral("Exit"));
    saveButton = makeButton(this, "Command4", QStringLiteral("Save and Exit"));
    checkInButton = makeButton(this, "Command5", QStringLiteral("Check In"));
    for (QLineEdit* computed : {taxBox, totalBox, stayTotalBox}) {
        computed->setReadOnly(true);
    }
    for (const std::string& code : reservationPayCodes()) {
        payCodeList->addItem(QString::fromStdString(code));
    }

    auto* finder = new QHBoxLayout;
    finder->addWidget(makeCaption(this, QStringLiteral("By Confirmation#"), numberBox));
    finder->addWidget(numberBox);
    finder->addWidget(goButton);
    finder->addWidget(byNameButton);
    finder->addStretch();
    finder->addWidget(makeCaption(this, QStringLiteral("Confirmation #"), confirmationLabel));
    finder->addWidget(confirmationLabel);
    confirmationLabel->setMinimumWidth(60);

    auto* stay = new QGridLayout(stayFrame);
    addLine(stay, 0, "Select Room", roomList);
    addLine(stay, 1, "Room", roomLabel);
    addLine(stay, 2, "Arrival Date", arrivalBox);
    addLine(stay, 3, "Depart Date", departureBox);
    addLine(stay, 4, "Days", daysBox);
    addLine(stay, 5, "Rate", rateBox);
    addLine(stay, 6, "Tax", taxBox);
    addLine(stay, 7, "Total", totalBox);
    addLine(stay, 8, "Total Stay", stayTotalBox);
    addLine(stay, 9, "Pay Code", payCodeList);
    // The room list has the caption of its prompt; the label shows the room that is saved.
    roomList->setAccessibleName(QStringLiteral("Select Room"));

    auto* right = new QVBoxLayout;
    right->addWidget(stayFrame);
    right->addWidget(guest.cardFrame);
    right->addStretch();
    auto* body = new QHBoxLayout;
    body->addWidget(guest.guestFrame, 3);
    body->addLayout(right, 2);
    auto* buttons = makeButtonRow({exitButton, saveButton, checkInButton});
    buttons->insertWidget(0, printCheck);
    auto* root = new QVBoxLayout(this);
    root->addLayout(finder);
    root->addLayout(body, 1);
    root->addLayout(buttons);

    connect(goButton, &QPushButton::clicked, this, &ReservationWindow::goClicked);
    connect(numberBox, &QLineEdit::returnPressed, this, &ReservationWindow::goClicked);
    connect(byNameButton, &QPushButton::clicked, this, &ReservationWindow::byNameClicked);
    connect(roomList, &QComboBox::activated, this, &ReservationWindow::roomChosen);
    connect(daysBox, &QLineEdit::textChanged, this, &ReservationWindow::daysChanged);
    connect(exitButton, &QPushButton::clicked, this, &QWidget::close);
    connect(saveButton, &QPushButton::clicked, this, &ReservationWindow::saveClicked);
    connect(checkInButton, &QPushButton::clicked, this, &ReservationWindow::checkInClicked);
}

void ReservationWindow::load() {
    placeAt(this, 300, 300);
    show();
    payCodeList->setCurrentIndex(-1);
    for (QComboBox* list : {payCodeList, guest.state, guest.expireMonth, guest.expireYear}) {
        list->setEditText(QString());
    }
    guarded(services_.dialogs, this, [&] { fillList(roomList, everyRoomEntry(services_.store)); });
    numberBox->setFocus();
}

void ReservationWindow::goClicked() {
    const auto number = strictNumber(text(numberBox));
    if (!number) {
        services_.dialogs.inform(
            this, kAttention,
            QStringLiteral("\"By Confirmation#\" does not hold a confirmation number."));
        focusField(numberBox);
        return;
    }
    guarded(services_.dialogs, this, [&] {
        if (const auto found = openReservationByNumber(services_.store, *number)) {
            display(*found);
        }
    });
}

void ReservationWindow::byNameClicked() {
    if (names_ == nullptr) {
        names_ = new ReservationNamesWindow(this);
        connect(names_, &ReservationNamesWindow::picked, this, &ReservationWindow::namePicked);
    }
    guarded(services_.dialogs, this, [&] { names_->load(openReservationNames(services_.store)); });
}

void ReservationWindow::namePicked(std::size_t record) {
    showRecord(record);
    if (names_) {
        names_->close();
    }
}

void ReservationWindow::showRecord(std::size_t record) {
    guarded(services_.dialogs, this, [&] {
        if (const auto found = openReservationAt(services_.store, record)) {
            display(*found);
        }
    });
}

// Every box shows what this reservation holds, and nothing of the one shown before it.
void ReservationWindow::display(const Shown& shown) {
    const ReservationRecord& r = shown.reservation;
    shown_ = shown;
    confirmationLabel->setText(QString::fromStdString(plainNumber(r.ConfirmationNumber)));
    const QString room = QString::fromStdString(boxText(r.RoomNumber));
    roomLabel->setText(room);
    roomList->setCurrentIndex(-1);
    for (int i = 0; i < roomList->count(); ++i) {
        if (QString::fromStdString(rightTrim(roomOfEntry(roomList->itemText(i).toStdString()))) ==
            room) {
            roomList->setCurrentIndex(i);
            break;
        }
    }
    arrivalBox->setText(QString::fromStdString(shortDate(CivilDate::fromStored(r.ArrivalDate))));
    departureBox->setText(
        QString::fromStdString(shortDate(CivilDate::fromStored(r.DepartureDate))));
    GuestBoxTexts texts;
    forEachBox(r, [&](std::size_t box, const auto& field) { texts[box] = boxText(field); });
    guest.show(texts, r.CardType.trimmed());
    payCodeList->setCurrentIndex(-1);
    payCodeList->setEditText(QString());
    daysBox->setText(QString::fromStdString(plainNumber(r.Days)));
    showPrice(retrievedPrice(services_.store, r), rateBox, taxBox, totalBox, stayTotalBox);
}

void ReservationWindow::roomChosen() {
    if (roomList->currentIndex() >= 0) {
        roomLabel->setText(QString::fromStdString(roomOfEntry(shownText(roomList))));
    }
}

void ReservationWindow::daysChanged() {
    guarded(services_.dialogs, this, [&] {
        const Price price = recomputedPrice(text(rateBox), text(daysBox), taxRate(services_.store));
        showPrice(price, rateBox, taxBox, totalBox, stayTotalBox);
    });
}

ReservationChanges ReservationWindow::changes() const {
    ReservationChanges c;
    c.payCode = shownText(payCodeList);
    c.arrival = text(arrivalBox);
    c.departure = text(departureBox);
    c.days = text(daysBox);
    c.roomNumber = roomLabel->text().toStdString();
    c.guest = guest.details();
    return c;
}

void ReservationWindow::refuse(const ChangeRefusal& refusal) {
    services_.dialogs.inform(this, kAttention, QString::fromStdString(refusal.message));
    QWidget* field = roomList;
    switch (refusal.field) {
    case ChangeField::PayCode:
        field = payCodeList;
        break;
    case ChangeField::Arrival:
        field = arrivalBox;
        break;
    case ChangeField::Departure:
        field = departureBox;
        break;
    case ChangeField::Days:
        field = daysBox;
        break;
    case ChangeField::Room:
        field = roomList;
        break;
    }
    focusField(field);
}

bool ReservationWindow::nothingShown() {
    if (shown_) {
        return false;
    }
    services_.dialogs.inform(
        this, kAttention,
        QStringLiteral("No reservation is shown. Find one with \"Go\" or \"By Name\" first."));
    focusField(numberBox);
    return true;
}

void ReservationWindow::saveClicked() {
    if (nothingShown()) {
        return;
    }
    std::optional<ChangeRefusal> refusal;
    if (!guarded(services_.dialogs, this,
                 [&] { refusal = saveReservationChanges(services_.store, *shown_, changes()); })) {
        return;
    }
    if (refusal) {
        refuse(*refusal);
        return;
    }
    services_.dialogs.inform(this, kAttention,
                             QStringLiteral("Your changes were saved successfuly."));
    close();
}

void ReservationWindow::checkInClicked() {
    if (nothingShown()) {
        return;
    }
    const ReservationChanges boxes = changes();
    if (const auto refusal = checkShownBoxes(boxes)) {
        refuse(*refusal);
        return;
    }
    GuestRecord stay;
    const bool checkedIn = guarded(services_.dialogs, this, [&] {
        stay = checkInReservation(services_.store, *shown_,
                                  {text(rateBox), text(stayTotalBox), boxes.payCode},
                                  services_.clock.today(), longTime(services_.clock.now()));
    });
    if (!checkedIn) {
        return;
    }
    services_.dialogs.inform(this, kAttention,
                             QStringLiteral("Your reservation was checked in successfuly."));
    if (printCheck->isChecked()) {
        printCheckInFolio(services_, this, stay);
    }
    close();
}

void ReservationWindow::closeEvent(QCloseEvent* event) {
    if (names_ != nullptr) {
        names_->close();
    }
    event->accept();
}

// The name list.

ReservationNamesWindow::ReservationNamesWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("Form16"));
    setWindowTitle(QStringLiteral("Reservation by Name"));
    nameList = makeRoomList(this, "List1", QStringLiteral("Open reservations"));
    nameList->setMinimumSize(360, 260);
    auto* column = new QVBoxLayout(this);
    column->addWidget(nameList);
    // Qt reports a double-click on an entry and Enter on it alike; a double-click beside
    // the entries picks nothing.
    connect(nameList, &QListWidget::itemActivated, this, &ReservationNamesWindow::entryActivated);
}

void ReservationNamesWindow::load(const std::vector<NameLine>& lines) {
    nameList->clear();
    for (const NameLine& line : lines) {
        auto* item = new QListWidgetItem(QString::fromStdString(line.text), nameList);
        item->setData(Qt::UserRole, QVariant::fromValue<qulonglong>(line.record));
    }
    placeAt(this, 500, 3000);
    show();
    raise();
    nameList->setFocus();
}

void ReservationNamesWindow::entryActivated(QListWidgetItem* item) {
    if (item != nullptr) {
        emit picked(static_cast<std::size_t>(item->data(Qt::UserRole).toULongLong()));
    }
}

} // namespace roomwright
