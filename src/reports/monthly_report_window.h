#pragma once

#include "ui/services.h"

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace roomwright {

// The month's running sums so far, and the financial report printed from them.
class MonthlyReportWindow : public DeskWindow {
    Q_OBJECT
  public:
    explicit MonthlyReportWindow(Services& services);

    void load() override;

    QLabel* monthTitleLabel;
    // Rent, Pet, Copies, Stamp, WiFi, Fax, Roll Away.
    std::array<QLineEdit*, 7> chargeBoxes;
    QLineEdit* taxBox;
    QLineEdit* chargeTotalBox;
    // Visa, Master Card, Discover, American Express, Cash, Check, Other.
    std::array<QLineEdit*, 7> paymentBoxes;
    QLineEdit* paymentTotalBox;
    QPushButton* printButton;
    QPushButton* exitButton;

  public slots:
    void printClicked();
    void exitClicked();
};

} // namespace roomwright
