#pragma once

#include "ui/services.h"

#include <string_view>

class QLabel;
class QLineEdit;
class QPushButton;

namespace roomwright {

// A window that keeps one number of the settings (the tax rate, the pet fee): a text box, an
// "Enter" that stores the number the text begins with and closes, an "Exit" that closes.
class AmountWindow : public DeskWindow {
    Q_OBJECT
  public:
    void load() override;

    QLabel* amountCaption; // the text box's label
    QLineEdit* amountBox;
    QPushButton* enterButton; // Enter
    QPushButton* exitButton;  // Exit

  public slots:
    void enterClicked();
    void exitClicked();

  protected:
    struct Setting {
        const char* formName;
        const char* caption;
        const char* label;
        int topTwips;
        int leftTwips;
        std::string_view refused;                 // what a text with no number is told
        float (*read)(const Store&);              // the stored value
        void (*write)(const Store&, float value); // stores a new one
    };
    AmountWindow(Services& services, const Setting& setting);

    // Where the window puts extra lines below the text box (the tax rate's hint).
    void addNote(QLabel* note);

  private:
    Setting setting_;
};

// The tax rate.
class TaxRateWindow : public AmountWindow {
    Q_OBJECT
  public:
    explicit TaxRateWindow(Services& services);

    QLabel* exampleLabel; // "For example, if your tax is 9% then you would enter .09"
};

// The pet fee.
class PetFeeWindow : public AmountWindow {
    Q_OBJECT
  public:
    explicit PetFeeWindow(Services& services);
};

} // namespace roomwright
