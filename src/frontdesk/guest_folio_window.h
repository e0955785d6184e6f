#pragma once

#include "frontdesk/guest_boxes.h"
#include "frontdesk/guest_folio.h"
#include "ui/services.h"

#include <QColor>

#include <array>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTimer;

namespace roomwright {

class FolioListBox;
struct FolioListing;

// The guest folio window: one in-house guest's registration, folio and balance; postings,
// stay changes, the printed folio, check-out and the guest's messages.
class GuestFolioWindow : public DeskWindow {
    Q_OBJECT
  public:
    explicit GuestFolioWindow(Services& services);

    void load() override;

    QComboBox* guestCombo; // the guest selector
    GuestBoxes guest;
    // Shortcuts into the guest's boxes.
    QLineEdit* const& lastNameBox = guest.lastName;
    QLineEdit* const& phoneBox = guest.phone;
    QLineEdit* const& driversLicenseBox = guest.driversLicense;
    QRadioButton* const& masterCardOption = guest.masterCard;
    QLabel* roomLabel;                   // the guest's room
    QComboBox* moveRoomCombo;            // rooms to move to
    QLineEdit* rateBox;                  // Rate
    QLabel* folioNumberLabel;            // folio number
    QLabel* arrivalDateLabel;            // arrival date
    QLabel* arrivalTimeLabel;            // arrival time
    QLineEdit* departureBox;             // Depart Date
    QPushButton* laterDepartureButton;   // +
    QPushButton* earlierDepartureButton; // -
    QComboBox* payCodeCombo;             // Pay Code
    QListWidget* folioList;              // the folio lines
    QLabel* balanceLabel;                // the balance
    QComboBox* codeCombo;                // charge or payment code
    QLineEdit* amountBox;                // Amount
    QPushButton* doNowButton;            // Do Now
    QPushButton* checkOutButton;         // Check Out
    QPushButton* printFolioButton;       // Print Folio
    QPushButton* saveAndExitButton;      // Save and Exit
    QPushButton* postMessageButton;      // Post Message
    QPushButton* retrieveMessageButton;  // Retrieve Message
    QPushButton* exitButton;             // Exit
    QTimer* printFolioTimer;             // re-enables "Print Folio"
    QTimer* messageBlinkTimer;           // makes "Retrieve Message" blink

    // The colour "Retrieve Message" blinks in.
    static constexpr QRgb kMessageColour = 0xFF8080; // red 255, green 128, blue 128

  public slots:
    void guestPicked();
    void codePicked();
    void moveRoomPicked();
    void doNowClicked();
    void laterDepartureClicked();
    void earlierDepartureClicked();
    void saveAndExitClicked();
    void printFolioClicked();
    void checkOutClicked();
    void postMessageClicked();
    void retrieveMessageClicked();
    void exitClicked();
    void printFolioTimerFired();
    void messageBlinkTimerFired();
    // The guest's message has been read and deleted: "Retrieve Message" stops blinking.
    void messageDeleted();
    // Picks the stay at this record of the guest file, as the clerk would in the selector;
    // tells the clerk when it is no longer in house.
    void showStay(std::size_t record);

  private:
    void fillSelector();
    // The selector's entry that its text names, if any.
    std::optional<SelectorEntry> selectedEntry() const;
    void clearGuest();
    void setGuestChosen(bool chosen);
    void stopMessageBlink();
    // Lists the stay's charge lines with their running balance and shows the balance; returns
    // what it listed.
    FolioListing showFolio(long folioNumber);
    // The guest on screen, or nothing after telling the clerk to pick one.
    Found<GuestRecord> guestOnScreen();
    void refuse(const Refusal<FolioField>& refusal);

    std::vector<SelectorEntry> selector_; // the selector's entries, in its order
    FolioListBox* folioBox_;              // the folio lines under their captions
    bool blinkOn_ = false;
};

} // namespace roomwright
