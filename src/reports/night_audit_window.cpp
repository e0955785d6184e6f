#include "reports/night_audit_window.h"

#include "reports/night_audit.h"
#include "ui/controls.h"
#include "ui/default_button.h"
#include "ui/placement.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace roomwright {

NightAuditWindow::NightAuditWindow(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form18"));
    setWindowTitle(QStringLiteral("Night Audit Report"));

    explanationLabel =
        makeLabel(this, "Label1",
                  QStringLiteral("The reason for running the Night Audit Report is to "
                                 "charge room and tax for stayovers and to run a "
                                 "financial report."));
    explanationLabel->setWordWrap(true);
    runButton = makeButton(this, "Command1", QStringLiteral("Run Report"));
    exitButton = makeButton(this, "Command2", QStringLiteral("Exit"));
    makeDefaultButton(this, runButton);

    auto* root = new QVBoxLayout(this);
    root->addWidget(explanationLabel, 1);
    root->addLayout(makeButtonRow({runButton, exitButton}));
    resize(420, 170);

    connect(runButton, &QPushButton::clicked, this, &NightAuditWindow::runClicked);
    connect(exitButton, &QPushButton::clicked, this, &NightAuditWindow::exitClicked);
}

void NightAuditWindow::load() {
    placeAt(this, 500, 2500);
    show();
    runButton->setFocus(Qt::OtherFocusReason);
}

void NightAuditWindow::runClicked() {
    bool done = false;
    guarded(services_.dialogs, this, [&] {
        const NightAudit audit = runNightAudit(services_.store, services_.clock.today());
        if (audit.outcome == AuditOutcome::Refused) {
            services_.dialogs.inform(this, kAttention, QString::fromUtf8(kDueOutToday));
            return;
        }
        printNightReports([&] {
            for (const Document& document : audit.documents) {
                services_.printer.print(document);
            }
        });
        services_.dialogs.inform(this, kAttention,
                                 QString::fromUtf8(audit.outcome == AuditOutcome::AlreadyPosted
                                                       ? kChargesAlreadyPosted
                                                       : kNightReportsRun));
        done = true;
    });
    if (done) {
        close();
    }
}

void NightAuditWindow::exitClicked() {
    close();
}

} // namespace roomwright
