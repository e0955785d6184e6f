#pragma once

#include "ui/services.h"

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;

namespace roomwright {

// The post window: a new message for the guest the folio window shows.
class PostMessageWindow : public DeskWindow {
    Q_OBJECT
  public:
    explicit PostMessageWindow(Services& services);

    void load() override;

    QLabel* folioNumberLabel; // folio number
    QLabel* roomNumberLabel;  // room number, as stored
    QLineEdit* fromBox;       // From
    QLineEdit* toBox;         // To
    QLineEdit* dateBox;       // Date: shown only, the message is always dated today
    QTextEdit* messageText;
    QPushButton* saveButton; // Save
    QPushButton* exitButton; // Exit

  public slots:
    void saveClicked();
    void exitClicked();

  private:
    std::optional<long> folio_; // the stay this window was opened for
};

// The reading window: the guest's first message that is not deleted.
class ReadMessageWindow : public DeskWindow {
    Q_OBJECT
  public:
    explicit ReadMessageWindow(Services& services);

    void load() override;

    QLabel* folioNumberLabel; // folio number
    QLabel* roomNumberLabel;  // room number
    QLabel* fromLabel;        // From
    QLabel* toLabel;          // To
    QLabel* dateLabel;        // date of the message
    QTextEdit* messageText;
    QPushButton* deleteButton; // Delete Message
    QPushButton* exitButton;   // Exit

  public slots:
    void deleteClicked();
    void exitClicked();

  signals:
    // The message shown has been deleted.
    void messageDeleted();

  private:
    std::optional<long> folio_;
};

} // namespace roomwright
