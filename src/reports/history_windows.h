#pragma once

#include "frontdesk/guest_boxes.h"
#include "ui/services.h"

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace roomwright {

class FolioListBox;

// A checked-out guest's stay: registration, folio lines, and the folio reprinted. The stay
// is picked in the name look-up window, which this window opens on top of itself.
class GuestHistoryWindow : public DeskWindow {
    Q_OBJECT
  public:
    explicit GuestHistoryWindow(Services& services);

    void load() override;

    QLabel* folioLabel;
    GuestBoxes guest;
    // The guest's boxes in box order, and the card options.
    std::array<QLineEdit*, kGuestBoxCount> guestBoxes;
    std::array<QRadioButton*, 4> cardOptions; // Visa, Master Card, Discover, American Express
    QLabel* arrivalDateLabel;
    QLabel* departureDateLabel;
    QLabel* arrivalTimeLabel;
    QLabel* departureTimeLabel;
    QLabel* rateLabel;
    QLabel* roomLabel;
    QListWidget* folioList;
    QPushButton* printFolioButton;
    QPushButton* exitButton;
    QPushButton* checkAgainButton;

  public slots:
    // Shows the checked-out stay a look-up entry names; stays empty when there is none.
    void entryPicked(const QString& entry);
    void printFolioClicked();
    void exitClicked();
    void checkAgainClicked();

  private:
    void clearStay();
    void openLookUp();

    FolioListBox* folioBox_; // the folio lines under their captions
};

// The look-up of checked-out guests by the first letter of their last name.
class HistoryNamesWindow : public DeskWindow {
    Q_OBJECT
  public:
    explicit HistoryNamesWindow(Services& services);

    void load() override;

    QComboBox* letterCombo;
    QListWidget* namesList;
    QPushButton* exitButton;

  signals:
    void entryPicked(const QString& entry);

  public slots:
    void letterPicked();
    void namePicked();
    void exitClicked();
};

} // namespace roomwright
