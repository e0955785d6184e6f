#pragma once

#include "frontdesk/guest_boxes.h"
#include "reservations/reservations.h"
#include "ui/services.h"

#include <QPointer>

#include <optional>
#include <string>

class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QDate;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace roomwright {

// The reservations menu (Form11): take a new booking or find one.
class ReservationsMenuWindow : public DeskWindow {
    Q_OBJECT
  public:
    explicit ReservationsMenuWindow(Services& services);
    void load() override;

    QPushButton* addButton;      // Command1 "Add Reservation"
    QPushButton* retrieveButton; // Command2 "Retrieve Reservation"
    QPushButton* exitButton;     // Command3 "Exit"

  public slots:
    void addClicked();
    void retrieveClicked();
};

class ReservationCalendarsWindow;

// The entry window of a new booking (Form12).
class ReservationEntryWindow : public DeskWindow {
    Q_OBJECT
  public:
    explicit ReservationEntryWindow(Services& services);
    void load() override;

    QLabel* todayLabel;          // Label1
    QLabel* confirmationLabel;   // Label20
    QLabel* shiftLabel;          // Label22
    QLabel* clerkLabel;          // Label24
    QLineEdit* arrivalBox;       // Text14 "Arriving On"
    QLineEdit* departureBox;     // Text15 "Departing On"
    QLineEdit* daysBox;          // Text21 "Days"
    QPushButton* calendarButton; // Command1 "Calendar"
    GuestBoxes guest;
    QComboBox* roomList;     // Combo4 "Select Room"
    QLineEdit* rateBox;      // Text17
    QLineEdit* taxBox;       // Text18
    QLineEdit* totalBox;     // Text19
    QLineEdit* stayTotalBox; // Text20 "Total This Stay"
    QPushButton* saveButton; // Command3
    QPushButton* exitButton; // Command4

    // The two calendars, while they are open (hidden or not).
    ReservationCalendarsWindow* calendars() const { return calendars_; }

  public slots:
    void calendarClicked();
    void roomChosen();
    void saveClicked();
    void arrivalEdited();
    void departureEdited();
    void arrivalPicked(const QDate& date);
    void departurePicked(const QDate& arrival, const QDate& departure);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // The calendars, created (and shown) when they are not open.
    ReservationCalendarsWindow* openCalendars();
    Booking booking() const;
    QWidget* control(BookingField field) const;

    QPointer<ReservationCalendarsWindow> calendars_;
    // The shift and clerk on duty as stored; the labels show them.
    std::string onDutyShift_;
    std::string onDutyClerk_;
};

// The calendars beside the entry window (Form13): the arrival and the departure day.
class ReservationCalendarsWindow : public QWidget {
    Q_OBJECT
  public:
    explicit ReservationCalendarsWindow(QWidget* owner);
    // Shows the window standing on the two days.
    void load(const CivilDate& arrival, const CivilDate& departure);

    QCalendarWidget* arrivalCalendar;   // Calendar1
    QCalendarWidget* departureCalendar; // Calendar2

  signals:
    void arrivalPicked(const QDate& date);
    void departurePicked(const QDate& arrival, const QDate& departure);

  public slots:
    void arrivalClicked(const QDate& date);
    void arrivalDoubleClicked(const QDate& date);
    void departureClicked(const QDate& date);
};

class ReservationNamesWindow;

// The reservation window (Form15): finds a booking by confirmation number or by name, shows
// it with its price, saves changes to it and checks it in.
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

    ReservationNamesWindow* names() const { return names_; }

  public slots:
    void goClicked();
    void byNameClicked();
    void roomChosen();
    void daysChanged();
    void saveClicked();
    void checkInClicked();
    // A reservation picked in the name list, by its record number.
    void namePicked(std::size_t record);
    // Shows reservation `record` when it is still open; shows nothing new otherwise.
    void showRecord(std::size_t record);

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
};

// The open reservations by name (Form16); double-clicking one shows it in the reservation
// window.
class ReservationNamesWindow : public QWidget {
    Q_OBJECT
  public:
    explicit ReservationNamesWindow(QWidget* owner);
    void load(const std::vector<NameLine>& lines);

    QListWidget* nameList; // List1

  signals:
    void picked(std::size_t record);

  public slots:
    void entryActivated(QListWidgetItem* item);
};

} // namespace roomwright
