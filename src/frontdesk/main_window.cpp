#include "frontdesk/main_window.h"

#include "frontdesk/departures.h"
#include "frontdesk/housekeeping.h"
#include "store/motel_details.h"
#include "store/settings.h"
#include "ui/controls.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace roomwright {

MainWindow::MainWindow(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Roomwright Version 7.0"));

    dateLabel = makeValueLabel(this, "Label1", QStringLiteral("Today's date"));
    clockLabel = makeValueLabel(this, "Label2", QStringLiteral("Time"));
    motelNameLabel = makeValueLabel(this, "Label3", QStringLiteral("Motel"));
    checkingOutLabel = makeLabel(this, "Label7", QStringLiteral("Checking out today"));
    nightAuditLabel = makeLabel(
        this, "Label8",
        QStringLiteral("Note, it is recommended that you do the night audit before midnight."));
    departuresList = new QListWidget(this);
    departuresList->setObjectName(QStringLiteral("List1"));
    labelControl(checkingOutLabel, departuresList);
    arrivingLabel = makeLabel(this, "Label9", QStringLiteral("Arriving today"));
    arrivalsList = new QListWidget(this);
    arrivalsList->setObjectName(QStringLiteral("List2"));
    labelControl(arrivingLabel, arrivalsList);

    QFont title = motelNameLabel->font();
    title.setPointSizeF(title.pointSizeF() * 1.6);
    title.setBold(true);
    motelNameLabel->setFont(title);
    nightAuditLabel->setWordWrap(true);

    checkInButton = makeButton(this, "Command1", "Check In");
    checkOutButton = makeButton(this, "Command2", "Check Out");
    viewFolioButton = makeButton(this, "Command7", "View Folio");
    roomListButton = makeButton(this, "Command5", "Room List");
    unsoldRoomsButton = makeButton(this, "Command6", "Unsold Rooms");
    reservationsButton = makeButton(this, "Command9", "Reservations");
    tapeChartButton = makeButton(this, "Command12", "Tape Chart");
    mainMenuButton = makeButton(this, "Command3", "Main Menu");
    housekeepingButton = makeButton(this, "Command11", "Print Housekeeping Report");
    exitButton = makeButton(this, "Command4", "Exit");
    housekeepingButton->setVisible(false);

    clockTimer = new QTimer(this);
    clockTimer->setObjectName(QStringLiteral("Timer1"));
    clockTimer->setSingleShot(true);
    clockTimer->setTimerType(Qt::PreciseTimer);

    auto* header = new QGridLayout;
    header->addWidget(motelNameLabel, 0, 0, 2, 1);
    header->addWidget(dateLabel, 0, 1, Qt::AlignRight);
    header->addWidget(clockLabel, 1, 1, Qt::AlignRight);

    auto* tasks = new QVBoxLayout;
    for (QPushButton* b :
         {checkInButton, checkOutButton, viewFolioButton, roomListButton, unsoldRoomsButton,
          reservationsButton, tapeChartButton, mainMenuButton, housekeepingButton}) {
        b->setMinimumHeight(32);
        tasks->addWidget(b);
    }
    tasks->addStretch();
    tasks->addWidget(exitButton);

    auto* lists = new QGridLayout;
    lists->addWidget(checkingOutLabel, 0, 0);
    lists->addWidget(departuresList, 1, 0);
    lists->addWidget(arrivingLabel, 0, 1);
    lists->addWidget(arrivalsList, 1, 1);
    lists->addWidget(nightAuditLabel, 2, 0, 1, 2);

    auto* body = new QHBoxLayout;
    body->addLayout(tasks);
    body->addLayout(lists, 1);

    auto* root = new QVBoxLayout(this);
    root->addLayout(header);
    root->addLayout(body, 1);
    resize(760, 460);

    connect(checkInButton, &QPushButton::clicked, this, &MainWindow::checkInClicked);
    connect(checkOutButton, &QPushButton::clicked, this, &MainWindow::checkOutClicked);
    connect(viewFolioButton, &QPushButton::clicked, this, &MainWindow::viewFolioClicked);
    connect(roomListButton, &QPushButton::clicked, this, &MainWindow::roomListClicked);
    connect(unsoldRoomsButton, &QPushButton::clicked, this, &MainWindow::unsoldRoomsClicked);
    connect(reservationsButton, &QPushButton::clicked, this, &MainWindow::reservationsClicked);
    connect(tapeChartButton, &QPushButton::clicked, this, &MainWindow::tapeChartClicked);
    connect(mainMenuButton, &QPushButton::clicked, this, &MainWindow::mainMenuClicked);
    connect(housekeepingButton, &QPushButton::clicked, this, &MainWindow::housekeepingClicked);
    connect(exitButton, &QPushButton::clicked, this, &MainWindow::exitClicked);
    connect(clockTimer, &QTimer::timeout, this, &MainWindow::clockTicked);
    connect(arrivalsList, &QListWidget::itemActivated, this, &MainWindow::arrivalActivated);
}

void MainWindow::load() {
    show();
    dateLabel->setText(QString::fromStdString(shortDate(services_.clock.today())));
    clockTicked();
    showMotelName();
    const bool morning = isMorning(longTime(services_.clock.now()));
    housekeepingButton->setVisible(morning);
    departuresList->clear();
    guarded(services_.dialogs, this, [&] {
        if (morning) {
            for (const std::string& line :
                 departuresToday(services_.store, services_.clock.today())) {
                departuresList->addItem(QString::fromStdString(line));
            }
        }
        showArrivals();
        if (reminderWanted(services_.store)) {
            services_.windows.open(WindowId::Greetings);
        }
    });
}

void MainWindow::showMotelName() {
    motelNameLabel->setText(QStringLiteral("1234567 Motel Inc."));
    guarded(services_.dialogs, this, [&] {
        const std::string name = motelDetails(services_.store).name;
        if (!name.empty()) {
            motelNameLabel->setText(QString::fromStdString(name));
        }
    });
}

void MainWindow::showArrivals() {
    arrivalsList->clear();
    guarded(services_.dialogs, this, [&] {
        for (const ArrivalLine& line : arrivalsOn(services_.store, services_.clock.today())) {
            auto* item = new QListWidgetItem(onScreen(line.text), arrivalsList);
            item->setData(Qt::UserRole, static_cast<qulonglong>(line.record));
        }
    });
}

void MainWindow::arrivalActivated(QListWidgetItem* item) {
    emit arrivalOpened(static_cast<std::size_t>(item->data(Qt::UserRole).toULongLong()));
}

void MainWindow::clockTicked() {
    clockLabel->setText(QString::fromStdString(longTime(services_.clock.now())));
    scheduleClock();
}

// The label shows whole seconds, so it is refreshed just after each second begins.
void MainWindow::scheduleClock() {
    const int intoSecond = services_.clock.now().millisecond;
    clockTimer->start(1000 - intoSecond + 5);
}

// The check-in window takes this window's place and loads it again when it closes. It
// opens before this one closes, so that the program never stands without a window.
void MainWindow::checkInClicked() {
    if (services_.windows.open(WindowId::CheckIn) != nullptr) {
        close();
    }
}

void MainWindow::checkOutClicked() {
    services_.windows.open(WindowId::GuestFolio);
}
void MainWindow::viewFolioClicked() {
    services_.windows.open(WindowId::GuestFolio);
}
void MainWindow::roomListClicked() {
    services_.windows.open(WindowId::RoomList);
}
void MainWindow::unsoldRoomsClicked() {
    services_.windows.open(WindowId::UnsoldRooms);
}
void MainWindow::reservationsClicked() {
    services_.windows.open(WindowId::Reservations);
}
void MainWindow::tapeChartClicked() {
    services_.windows.open(WindowId::TapeChart);
}
void MainWindow::mainMenuClicked() {
    services_.windows.open(WindowId::MainMenu);
}

void MainWindow::housekeepingClicked() {
    guarded(services_.dialogs, this, [&] {
        services_.printer.print(housekeepingReport(services_.store, services_.clock.today()));
    });
}

void MainWindow::exitClicked() {
    services_.windows.close(WindowId::MainMenu);
    services_.windows.close(WindowId::RoomInventory);
    close();
}

} // namespace roomwright
