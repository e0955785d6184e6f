#pragma once

#include "ui/services.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace roomwright {

// The motel's own name, street, town and phone line, as the folio's letterhead prints them
// and the main window shows the name, and after how many days guests' cards are erased. A
// box left empty brings back the standard line.
class MotelDetailsWindow : public DeskWindow {
    Q_OBJECT
  public:
    explicit MotelDetailsWindow(Services& services);

    void load() override;

    QLineEdit* nameBox;       // the motel's name
    QLineEdit* streetBox;     // street line
    QLineEdit* townBox;       // town line
    QLineEdit* phoneBox;      // phone line, fax included
    QLineEdit* cardDaysBox;   // days after which cards are erased, or "never"
    QPushButton* enterButton; // Enter
    QPushButton* exitButton;  // Exit

  signals:
    // The details were saved: the main window shows the name anew.
    void detailsSaved();

  public slots:
    void enterClicked();
    void exitClicked();
};

} // namespace roomwright
