#include "reservations/reservation_window.h"

#include "frontdesk/folio_printing.h"
#include "frontdesk/stay_dates_link.h"
#include "reservations/price_boxes.h"
#include "store/format/numbers.h"
#include "store/settings.h"
#include "ui/controls.h"
#include "ui/placement.h"

#include <QCheckBox>
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

// The guest's boxes: lists that also show whatever a stored reservation holds; the card
// number masked.
constexpr GuestBoxesForm kReservationGuestBoxes = {
    .names = {"Text2", "Text3", "Text4", "Text5", "Combo1", "Text6", "Text7", "Text8", "Text9",
              "Text10", "Text11", "Text12", "Text13", "Text14", "Text17", "Combo2", "Combo3"},
    .lists = GuestLists::Typed,
    .maskedCard = true,
};

// A stored text field as a box shows it: without the blanks that pad it, and without the
// NUL bytes of a field never written.
template <std::size_t W> std::string boxText(const Text<W>& field) {
    std::string value = field.str();
    std::erase(value, '\0');
    return rightTrim(value);
}

} // namespace

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
    cancelButton = makeButton(this, "Command6", QStringLiteral("Cancel Reservation"));
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
    addCaptioned(stay, 0, 0, QStringLiteral("Select Room"), roomList);
    addCaptioned(stay, 1, 0, QStringLiteral("Room"), roomLabel);
    addCaptioned(stay, 2, 0, QStringLiteral("Arrival Date"), arrivalBox);
    addCaptioned(stay, 3, 0, QStringLiteral("Depart Date"), departureBox);
    addCaptioned(stay, 4, 0, QStringLiteral("Days"), daysBox);
    addCaptioned(stay, 5, 0, QStringLiteral("Rate"), rateBox);
    addCaptioned(stay, 6, 0, QStringLiteral("Tax"), taxBox);
    addCaptioned(stay, 7, 0, QStringLiteral("Total"), totalBox);
    addCaptioned(stay, 8, 0, QStringLiteral("Total Stay"), stayTotalBox);
    addCaptioned(stay, 9, 0, QStringLiteral("Pay Code"), payCodeList);
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
    buttons->insertWidget(1, cancelButton);
    auto* root = new QVBoxLayout(this);
    root->addLayout(finder);
    root->addWidget(makeScrollingArea(this, body), 1);
    root->addLayout(buttons);

    connect(goButton, &QPushButton::clicked, this, &ReservationWindow::goClicked);
    connect(numberBox, &QLineEdit::returnPressed, this, &ReservationWindow::goClicked);
    connect(byNameButton, &QPushButton::clicked, this, &ReservationWindow::byNameClicked);
    connect(roomList, &QComboBox::activated, this, &ReservationWindow::roomChosen);
    connect(daysBox, &QLineEdit::textChanged, this, &ReservationWindow::daysChanged);
    stayDates_ = new StayDatesLink(
        this, [this] { return textOf(arrivalBox); }, daysBox, departureBox, arrivalBox);
    connect(exitButton, &QPushButton::clicked, this, &QWidget::close);
    connect(saveButton, &QPushButton::clicked, this, &ReservationWindow::saveClicked);
    connect(checkInButton, &QPushButton::clicked, this, &ReservationWindow::checkInClicked);
    connect(cancelButton, &QPushButton::clicked, this, &ReservationWindow::cancelClicked);
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
    const auto number = strictNumber(textOf(numberBox));
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
        const auto found = openReservationAt(services_.store, record);
        if (!found) {
            services_.dialogs.inform(this, kAttention,
                                     QStringLiteral("This reservation is no longer open: it has "
                                                    "been checked in or cancelled."));
            return;
        }
        display(*found);
        focusField(payCodeList);
    });
}

// Every box shows what this reservation holds, and nothing of the one shown before it.
void ReservationWindow::display(const Shown& shown) {
    const ReservationRecord& r = shown.reservation;
    shown_ = shown;
    confirmationLabel->setText(QString::fromStdString(plainNumber(r.ConfirmationNumber)));
    const QString room = QString::fromStdString(boxText(r.RoomNumber));
    roomLabel->setText(room);
    roomList->setCurrentIndex(roomList->findData(room));
    stayDates_->showStay(QString::fromStdString(shortDate(CivilDate::fromStored(r.ArrivalDate))),
                         QString::fromStdString(plainNumber(r.Days)),
                         QString::fromStdString(shortDate(CivilDate::fromStored(r.DepartureDate))));
    GuestBoxTexts texts;
    forEachBox(r, [&](std::size_t box, const auto& field) { texts[box] = boxText(field); });
    guest.show(texts, r.CardType.trimmed());
    payCodeList->setCurrentIndex(-1);
    payCodeList->setEditText(QString());
    showPrice(retrievedPrice(services_.store, r), rateBox, taxBox, totalBox, stayTotalBox);
}

void ReservationWindow::roomChosen() {
    if (const auto room = chosenRoom(roomList)) {
        roomLabel->setText(QString::fromStdString(*room));
    }
}

void ReservationWindow::daysChanged() {
    guarded(services_.dialogs, this, [&] {
        const Price price =
            recomputedPrice(textOf(rateBox), textOf(daysBox), taxRate(services_.store));
        showPrice(price, rateBox, taxBox, totalBox, stayTotalBox);
    });
}

ReservationChanges ReservationWindow::changes() const {
    ReservationChanges c;
    c.payCode = shownText(payCodeList);
    c.arrival = textOf(arrivalBox);
    c.departure = textOf(departureBox);
    c.days = textOf(daysBox);
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
    if (!guarded(services_.dialogs, this, [&] {
            refusal = saveReservationChanges(services_.store, *shown_, changes(),
                                             services_.clock.today());
        })) {
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
                                  {textOf(rateBox), textOf(stayTotalBox), boxes.payCode},
                                  services_.clock.today(), longTime(services_.clock.now()));
    });
    if (!checkedIn) {
        return;
    }
    emit bookingClosed();
    services_.dialogs.inform(this, kAttention,
                             QStringLiteral("Your reservation was checked in successfuly."));
    if (printCheck->isChecked()) {
        printCheckInFolio(services_, this, stay);
    }
    close();
}

void ReservationWindow::cancelClicked() {
    if (nothingShown()) {
        return;
    }
    const ReservationRecord& r = shown_->reservation;
    const QString question =
        onScreen("Are you sure you want to cancel reservation " +
                 plainNumber(r.ConfirmationNumber) + " of " + r.LastName.trimmed() + ", " +
                 r.FirstName.trimmed() + " for room " + r.RoomNumber.trimmed() + "?");
    if (!services_.dialogs.ask(this, QStringLiteral("Cancel Reservation"), question, Answer::No)) {
        return;
    }
    if (!guarded(services_.dialogs, this, [&] {
            cancelReservation(services_.store, *shown_, "", services_.clock.today());
        })) {
        return;
    }
    emit bookingClosed();
    services_.dialogs.inform(this, kAttention, QStringLiteral("The reservation was cancelled."));
    close();
}

void ReservationWindow::closeEvent(QCloseEvent* event) {
    if (names_ != nullptr) {
        names_->close();
    }
    event->accept();
}

} // namespace roomwright
