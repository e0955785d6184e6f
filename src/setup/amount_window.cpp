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

    Label1 = makeLabel(this, "Label1", QString::fromLatin1(setting.label));
    Text1 = makeTextBox(this, "Text1", Label1);
    Command1 = makeButton(this, "Command1", QStringLiteral("Enter"));
    Command2 = makeButton(this, "Command2", QStringLiteral("Exit"));
    makeDefaultButton(this, Command1);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Text1, 0, 1);
    auto* buttons = makeButtonRow({Command1, Command2});
    grid->addLayout(buttons, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    setMinimumWidth(300);

    connect(Command1, &QPushButton::clicked, this, &AmountWindow::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &AmountWindow::Command2_Click);
}

void AmountWindow::addNote(QLabel* note) {
    note->setWordWrap(true);
    static_cast<QGridLayout*>(layout())->addWidget(note, 1, 0, 1, 2);
}

void AmountWindow::Form_Load() {
    placeAt(this, setting_.topTwips, setting_.leftTwips);
    show();
    guarded(services_.dialogs, this, [&] {
        Text1->setText(QString::fromStdString(settingText(setting_.read(services_.store))));
    });
    focusField(Text1);
}

void AmountWindow::Command1_Click() {
    const std::optional<float> value = settingValue(Text1->text().toStdString());
    if (!value) {
        services_.dialogs.inform(
            this, kAttention,
            QString::fromUtf8(setting_.refused.data(),
                              static_cast<qsizetype>(setting_.refused.size())));
        focusField(Text1);
        return;
    }
    if (guarded(services_.dialogs, this, [&] { setting_.write(services_.store, *value); })) {
        close();
    }
}

void AmountWindow::Command2_Click() {
    close();
}

Form7::Form7(Services& services)
    : AmountWindow(services, {"Form7", "Enter Tax Amount", "Tax", 300, 3500, kTaxRateRefused,
                              &taxRate, &setTaxRate}) {
    Label2 = makeLabel(this, "Label2",
                       QStringLiteral("For example, if your tax is 9% then you would enter .09"));
    addNote(Label2);
}

Form8::Form8(Services& services)
    : AmountWindow(services, {"Form8", "Set Pet Fee Amount", "Fee", 500, 500, kPetFeeRefused,
                              &petFee, &setPetFee}) {}

} // namespace roomwright
