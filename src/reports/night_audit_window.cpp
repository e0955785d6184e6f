#include "reports/night_audit_window.h"

#include "frontdesk/departures.h"
#include "reports/night_audit.h"
#include "reservations/reservations.h"
#include "ui/controls.h"
#include "ui/default_button.h"
#include "ui/placement.h"

#include <QLabel>
#include <QListWidget>
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
    noShowsLabel = makeLabel(this, "Label2", QStringLiteral("Tonight's no-shows"));
    noShowsList = makeRoomList(this, "List1", QString());
    labelControl(noShowsLabel, noShowsList);
    noShowButton = makeButton(this, "Command3", QStringLiteral("Mark No-Show"));
    makeDefaultButton(this, runButton);
    for (QWidget* noShows :
         std::initializer_list<QWidget*>{noShowsLabel, noShowsList, noShowButton}) {
        noShows->setVisible(false);
    }

    auto* root = new QVBoxLayout(this);
    root->addWidget(explanationLabel, 1);
    root->addWidget(noShowsLabel);
    root->addWidget(noShowsList, 2);
    root->addLayout(makeButtonRow({noShowButton, runButton, exitButton}));
    resize(420, 170);

    connect(runButton, &QPushButton::clicked, this, &NightAuditWindow::runClicked);
    connect(exitButton, &QPushButton::clicked, this, &NightAuditWindow::exitClicked);
    connect(noShowButton, &QPushButton::clicked, this, &NightAuditWindow::noShowClicked);
}

void NightAuditWindow::load() {
    placeAt(this, 500, 2500);
    show();
    runButton->setFocus(Qt::OtherFocusReason);
}

void NightAuditWindow::runClicked() {
    std::vector<ArrivalLine> noShows;
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
        noShows = arrivalsOn(services_.store, services_.clock.today());
    });
    if (!done) {
        return;
    }
    if (noShows.empty()) {
        close();
        return;
    }
    // The clerk stays to mark the guests who never came.
    noShowsList->clear();
    for (const ArrivalLine& line : noShows) {
        auto* item = new QListWidgetItem(onScreen(line.text), noShowsList);
        item->setData(Qt::UserRole, static_cast<qulonglong>(line.record));
    }
    for (QWidget* shown :
         std::initializer_list<QWidget*>{noShowsLabel, noShowsList, noShowButton}) {
        shown->setVisible(true);
    }
    resize(width(), 360);
    noShowsList->setCurrentRow(0);
    noShowsList->setFocus(Qt::OtherFocusReason);
    makeDefaultButton(this, noShowButton);
}

void NightAuditWindow::noShowClicked() {
    QListWidgetItem* item = noShowsList->currentItem();
    if (item == nullptr) {
        services_.dialogs.inform(this, kAttention,
                                 QStringLiteral("Please pick a booking from the list."));
        noShowsList->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!services_.dialogs.ask(this, QStringLiteral("Mark No-Show"),
                               QStringLiteral("Are you sure you want to mark this booking a "
                                              "no-show? It is cancelled.\n\n") +
                                   item->text(),
                               Answer::No)) {
        return;
    }
    const auto record = static_cast<std::size_t>(item->data(Qt::UserRole).toULongLong());
    if (guarded(services_.dialogs, this,
                [&] { markNoShow(services_.store, record, services_.clock.today()); })) {
        delete item;
        noShowsList->setFocus(Qt::OtherFocusReason);
    }
}

void NightAuditWindow::exitClicked() {
    close();
}

} // namespace roomwright
