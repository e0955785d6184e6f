#include "setup/amount_window.h"

#include "setup/settings_entry.h"
#include "store/settings.h"
#include "ui/controls.h"
#include "ui/default_button.h"
#include "ui/placement.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace roomwright {

AmountWindow::AmountWindow(Services& services, const Setting& setting)
    : DeskWindow(services), setting_(setting) {
    setObjectName(QString::fromLatin1(setting.formName));
    setWindowTitle(QString::fromLatin1(setting.caption));

    amountCaption = makeLabel(this, "Label1", QString::fromLatin1(setting.label));
    amountBox = makeTextBox(this, "Text1", amountCaption);
    enterButton = makeButton(this, "Command1", QStringLiteral("Enter"));
    exitButton = makeButton(this, "Command2", QStringLiteral("Exit"));
    makeDefaultButton(this, enterButton);

    auto* grid = new QGridLayout(this);
    grid->addWidget(amountCaption, 0, 0);
    grid->addWidget(amountBox, 0, 1);
    auto* buttons = makeButtonRow({enterButton, exitButton});
    grid->addLayout(buttons, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    setMinimumWidth(300);

    connect(enterButton, &QPushButton::clicked, this, &AmountWindow::enterClicked);
    connect(exitButton, &QPushButton::clicked, this, &AmountWindow::exitClicked);
}

void AmountWindow::addNote(QLabel* note) {
    note->setWordWrap(true);
    static_cast<QGridLayout*>(layout())->addWidget(note, 1, 0, 1, 2);
}

void AmountWindow::load() {
    placeAt(this, setting_.topTwips, setting_.leftTwips);
    show();
    guarded(services_.dialogs, this, [&] {
        amountBox->setText(QString::fromStdString(settingText(setting_.read(services_.store))));
    });
    focusField(amountBox);
}

void AmountWindow::enterClicked() {
    const std::optional<float> value = settingValue(amountBox->text().toStdString());
    if (!value) {
        services_.dialogs.inform(
            this, kAttention,
            QString::fromUtf8(setting_.refused.data(),
                              static_cast<qsizetype>(setting_.refused.size())));
        focusField(amountBox);
        return;
    }
    if (guarded(services_.dialogs, this, [&] { setting_.write(services_.store, *value); })) {
        close();
    }
}

void AmountWindow::exitClicked() {
    close();
}

TaxRateWindow::TaxRateWindow(Services& services)
    : AmountWindow(services, {"Form7", "Enter Tax Amount", "Tax", 300, 3500, kTaxRateRefused,
                              &taxRate, &setTaxRate}) {
    exampleLabel = makeLabel(
        this, "Label2", QStringLiteral("For example, if your tax is 9% then you would enter .09"));
    addNote(exampleLabel);
}

PetFeeWindow::PetFeeWindow(Services& services)
    : AmountWindow(services, {"Form8", "Set Pet Fee Amount", "Fee", 500, 500, kPetFeeRefused,
                              &petFee, &setPetFee}) {}

} // namespace roomwright
