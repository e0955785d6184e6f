#pragma once

#include "ui/services.h"

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;

namespace roomwright {

// The post window: a new message for the guest the folio window shows.
class Form25 : public DeskWindow {
    Q_OBJECT
  public:
    explicit Form25(Services& services);

    void Form_Load() override;

    QLabel* Label2;   // folio number
    QLabel* Label4;   // room number, as stored
    QLineEdit* Text1; // From
    QLineEdit* Text2; // To
    QLineEdit* Text3; // Date: shown only, the message is always dated today
    QTextEdit* RichTextBox1;
    QPushButton* Command2; // Save
    QPushButton* Command1; // Exit

  public slots:
    void Command2_Click();
    void Command1_Click();

  private:
    std::optional<long> folio_; // the stay this window was opened for
};

// The reading window: the guest's first message that is not deleted.
class Form26 : public DeskWindow {
    Q_OBJECT
  public:
    explicit Form26(Services& services);

    void Form_Load() override;

    QLabel* Label2;  // folio number
    QLabel* Label4;  // room number
    QLabel* Label6;  // From
    QLabel* Label8;  // To
    QLabel* Label10; // date of the message
    QTextEdit* RichTextBox1;
    QPushButton* Command2; // Delete Message
    QPushButton* Command1; // Exit

  public slots:
    void Command2_Click();
    void Command1_Click();

  signals:
    // The message shown has been deleted.
    void messageDeleted();

  private:
    std::optional<long> folio_;
};

} // namespace roomwright
