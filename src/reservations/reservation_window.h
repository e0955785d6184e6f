#pragma once

#include "frontdesk/guest_boxes.h"
#include "reservations/reservation_names_window.h"
#include "reservations/reservations.h"
#include "ui/services.h"

#include <QPointer>

#include <cstddef>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace roomwright {

class StayDatesLink;

// The reservation window (Form15): finds a booking by confirmation number or by name, shows
// it with its price, saves changes to it, checks it in or cancels it.
class ReservationWindow : public DeskWindow {
    Q_OBJECT
  public:
    explicit ReservationWindow(Services& services);
    void load() override;

    QLineEdit* numberBox;      // Text1 "By Confirmation#"
    QPushButton* goButton;     // Command1
    QPushButton* byNameButton; // Command2
    QLabel* confirmationLabel; // Label16
    QComboBox* roomList;       // Combo5
    QLabel* roomLabel;         // Label21
    QLineEdit* arrivalBox;     // Text15 "Arrival Date"
    QLineEdit* departureBox;   // Text16 "Depart Date"
    GuestBoxes guest;
    QComboBox* payCodeList;     // Combo4
    QLineEdit* daysBox;         // Text19
    QLineEdit* rateBox;         // Text18
    QLineEdit* taxBox;          // Text20
    QLineEdit* totalBox;        // Text21
    QLineEdit* stayTotalBox;    // Text22 "Total Stay"
    QCheckBox* printCheck;      // Check1 "Print folio upon check in"
    QPushButton* exitButton;    // Command3
    QPushButton* saveButton;    // Command4 "Save and Exit"
    QPushButton* checkInButton; // Command5 "Check In"
    QPushButton* cancelButton;  // Command6 "Cancel Reservation"

    ReservationNamesWindow* names() const { return names_; }

  public slots:
    void goClicked();
    void byNameClicked();
    void roomChosen();
    void daysChanged();
    void saveClicked();
    void checkInClicked();
    void cancelClicked();
    // A reservation picked in the name list, by its record number.
    void namePicked(std::size_t record);
    // Shows reservation `record`, ready to check in, when it is still open; tells the clerk
    // when it is not.
    void showRecord(std::size_t record);

  signals:
    // The shown booking was checked in or cancelled: it is no longer open.
    void bookingClosed();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void display(const Shown& shown);
    ReservationChanges changes() const;
    // Shows the refusal, and puts the focus on its box.
    void refuse(const ChangeRefusal& refusal);
    bool nothingShown();

    std::optional<Shown> shown_;
    QPointer<ReservationNamesWindow> names_;
    StayDatesLink* stayDates_; // the days and the departure date fill each other
};

} // namespace roomwright
