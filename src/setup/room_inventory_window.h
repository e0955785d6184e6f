#pragma once

#include "ui/services.h"

#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace roomwright {

// Room inventory: the clerk enters the motel's rooms one at a time.
class Form3 : public DeskWindow {
    Q_OBJECT
  public:
    explicit Form3(Services& services);

    void Form_Load() override;

    QLabel* Label1;              // "Enter Room #"
    QLineEdit* Text1;            // room number
    QComboBox* Combo1;           // room type: picked or typed
    QLabel* Label2;              // "Enter Room Rate"
    QLineEdit* Text2;            // rate
    QLabel* Label3;              // "Rooms already entered"
    QListWidget* List1;          // one line for each room record
    std::vector<QLabel*> legend; // the ten "code = meaning" labels, in the order of the codes
    QPushButton* Command1;       // Enter Room Now
    QPushButton* Command2;       // Clear Fields
    QPushButton* Command3;       // Exit

  public slots:
    void Combo1_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

  private:
    void fillList();
};

} // namespace roomwright
