#include "reports/monthly_report_window.h"

#include "reports/financial_report.h"
#include "ui/controls.h"
#include "ui/default_button.h"
#include "ui/placement.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace roomwright {

namespace {

struct Field {
    const char* name;
    const char* caption;
};
constexpr std::array<Field, 7> kChargeFields = {{{"Text1", "Rent"},
                                                 {"Text2", "Pet"},
                                                 {"Text3", "Copies"},
                                                 {"Text4", "Stamp"},
                                                 {"Text5", "WiFi"},
                                                 {"Text6", "Fax"},
                                                 {"Text15", "Roll Away"}}};
constexpr std::array<Field, 7> kPaymentFields = {{{"Text7", "Visa"},
                                                  {"Text8", "Master Card"},
                                                  {"Text9", "Discover"},
                                                  {"Text10", "American Express"},
                                                  {"Text11", "Cash"},
                                                  {"Text12", "Check"},
                                                  {"Text16", "Other"}}};

// A box the window fills: it can be read and copied, not changed.
QLineEdit* figureBox(QWidget* parent, QFormLayout* form, const Field& field) {
    auto* caption = new QLabel(QString::fromUtf8(field.caption), parent);
    QLineEdit* box = makeTextBox(parent, field.name, caption);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignRight);
    // Wide enough for a month's takings at any scale.
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("9999999.99")) + 16);
    form->addRow(caption, box);
    return box;
}

// A column of figures with its total in a frame below it.
QVBoxLayout* figureColumn(QWidget* parent, const std::array<Field, 7>& fields,
                          std::array<QLineEdit*, 7>& boxes, const Field* extra,
                          QLineEdit** extraBox, const char* totalName, QLineEdit** totalBox) {
    auto* form = new QFormLayout;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        boxes[i] = figureBox(parent, form, fields[i]);
    }
    if (extra != nullptr) {
        *extraBox = figureBox(parent, form, *extra);
    }
    auto* frame = new QGroupBox(parent);
    auto* totalForm = new QFormLayout(frame);
    *totalBox = figureBox(frame, totalForm, {totalName, "Total"});
    auto* column = new QVBoxLayout;
    column->addLayout(form);
    column->addStretch();
    column->addWidget(frame);
    return column;
}

} // namespace

MonthlyReportWindow::MonthlyReportWindow(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form17"));
    setWindowTitle(QStringLiteral("Monthly Report"));

    monthTitleLabel = makeValueLabel(this, "Label15");
    monthTitleLabel->setAlignment(Qt::AlignCenter);
    monthTitleLabel->setAccessibleName(QStringLiteral("Month"));
    QFont bold = monthTitleLabel->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    monthTitleLabel->setFont(bold);

    const Field tax{"Text17", "Tax"};
    auto* charges =
        figureColumn(this, kChargeFields, chargeBoxes, &tax, &taxBox, "Text13", &chargeTotalBox);
    auto* payments = figureColumn(this, kPaymentFields, paymentBoxes, nullptr, nullptr, "Text14",
                                  &paymentTotalBox);
    printButton = makeButton(this, "Command2", QStringLiteral("Print Report"));
    exitButton = makeButton(this, "Command1", QStringLiteral("Exit"));
    makeDefaultButton(this, exitButton);

    auto* columns = new QHBoxLayout;
    columns->addLayout(charges);
    columns->addSpacing(24);
    columns->addLayout(payments);
    auto* root = new QVBoxLayout(this);
    root->addWidget(monthTitleLabel);
    root->addLayout(columns, 1);
    root->addLayout(makeButtonRow({printButton, exitButton}));

    connect(printButton, &QPushButton::clicked, this, &MonthlyReportWindow::printClicked);
    connect(exitButton, &QPushButton::clicked, this, &MonthlyReportWindow::exitClicked);
}

void MonthlyReportWindow::load() {
    show();
    guarded(services_.dialogs, this, [&] {
        const MonthlyFigures figures = monthlyFigures(services_.store, services_.clock.today());
        monthTitleLabel->setText(QString::fromStdString(figures.title));
        for (std::size_t i = 0; i < chargeBoxes.size(); ++i) {
            chargeBoxes[i]->setText(QString::fromStdString(figures.charges[i]));
            paymentBoxes[i]->setText(QString::fromStdString(figures.payments[i]));
        }
        taxBox->setText(QString::fromStdString(figures.tax));
        chargeTotalBox->setText(QString::fromStdString(figures.chargeTotal));
        paymentTotalBox->setText(QString::fromStdString(figures.paymentTotal));
    });
    printButton->setFocus(Qt::OtherFocusReason);
}

void MonthlyReportWindow::printClicked() {
    guarded(services_.dialogs, this, [&] {
        services_.printer.print(financialReport(services_.store, services_.clock.today()));
    });
}

void MonthlyReportWindow::exitClicked() {
    close();
}

} // namespace roomwright
