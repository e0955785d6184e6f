#include "frontdesk/main_window.h"

#include "frontdesk/departures.h"
#include "frontdesk/housekeeping.h"
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

Form1::Form1(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Roomwright Version 7.0"));

    Label1 = makeLabel(this, "Label1", QString());
    Label2 = makeLabel(this, "Label2", QString());
    Label3 = makeLabel(this, "Label3", QStringLiteral("1234567 Motel Inc."));
    Label7 = makeLabel(this, "Label7", QStringLiteral("Checking out today"));
    Label8 = makeLabel(
        this, "Label8",
        QStringLiteral("Note, it is recommended that you do the night audit before midnight."));
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    labelControl(Label7, List1);
    Label1->setAccessibleName(QStringLiteral("Today's date"));
    Label2->setAccessibleName(QStringLiteral("Time"));

    QFont title = Label3->font();
    title.setPointSizeF(title.pointSizeF() * 1.6);
    title.setBold(true);
    Label3->setFont(title);
    Label8->setWordWrap(true);

    Command1 = makeButton(this, "Command1", "Check In");
    Command2 = makeButton(this, "Command2", "Check Out");
    Command7 = makeButton(this, "Command7", "View Folio");
    Command5 = makeButton(this, "Command5", "Room List");
    Command6 = makeButton(this, "Command6", "Unsold Rooms");
    Command9 = makeButton(this, "Command9", "Reservations");
    Command3 = makeButton(this, "Command3", "Main Menu");
    Command11 = makeButton(this, "Command11", "Print Housekeeping Report");
    Command4 = makeButton(this, "Command4", "Exit");
    Command11->setVisible(false);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setTimerType(Qt::PreciseTimer);

    auto* header = new QGridLayout;
    header->addWidget(Label3, 0, 0, 2, 1);
    header->addWidget(Label1, 0, 1, Qt::AlignRight);
    header->addWidget(Label2, 1, 1, Qt::AlignRight);

    auto* tasks = new QVBoxLayout;
    for (QPushButton* b :
         {Command1, Command2, Command7, Command5, Command6, Command9, Command3, Command11}) {
        b->setMinimumHeight(32);
        tasks->addWidget(b);
    }
    tasks->addStretch();
    tasks->addWidget(Command4);

    auto* departures = new QVBoxLayout;
    departures->addWidget(Label7);
    departures->addWidget(List1);
    departures->addWidget(Label8);

    auto* body = new QHBoxLayout;
    body->addLayout(tasks);
    body->addLayout(departures, 1);

    auto* root = new QVBoxLayout(this);
    root->addLayout(header);
    root->addLayout(body, 1);
    resize(640, 420);

    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command7, &QPushButton::clicked, this, &Form1::Command7_Click);
    connect(Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Form1::Command6_Click);
    connect(Command9, &QPushButton::clicked, this, &Form1::Command9_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Command11, &QPushButton::clicked, this, &Form1::Command11_Click);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
}

void Form1::Form_Load() {
    show();
    Label1->setText(QString::fromStdString(shortDate(services_.clock.today())));
    Timer1_Timer();
    const bool morning = isMorning(longTime(services_.clock.now()));
    Command11->setVisible(morning);
    List1->clear();
    guarded(services_.dialogs, this, [&] {
        if (morning) {
            for (const std::string& line :
                 departuresToday(services_.store, services_.clock.today())) {
                List1->addItem(QString::fromStdString(line));
            }
        }
        if (reminderWanted(services_.store)) {
            services_.windows.open(WindowId::Greetings);
        }
    });
}

void Form1::Timer1_Timer() {
    Label2->setText(QString::fromStdString(longTime(services_.clock.now())));
    scheduleClock();
}

// The label shows whole seconds, so it is refreshed just after each second begins.
void Form1::scheduleClock() {
    const int intoSecond = services_.clock.now().millisecond;
    Timer1->start(1000 - intoSecond + 5);
}

// The check-in window takes this window's place and loads it again when it closes. It
// opens before this one closes, so that the program never stands without a window.
void Form1::Command1_Click() {
    if (services_.windows.open(WindowId::CheckIn) != nullptr) {
        close();
    }
}

void Form1::Command2_Click() {
    services_.windows.open(WindowId::GuestFolio);
}
void Form1::Command7_Click() {
    services_.windows.open(WindowId::GuestFolio);
}
void Form1::Command5_Click() {
    services_.windows.open(WindowId::RoomList);
}
void Form1::Command6_Click() {
    services_.windows.open(WindowId::UnsoldRooms);
}
void Form1::Command9_Click() {
    services_.windows.open(WindowId::Reservations);
}
void Form1::Command3_Click() {
    services_.windows.open(WindowId::MainMenu);
}

void Form1::Command11_Click() {
    guarded(services_.dialogs, this, [&] {
        services_.printer.print(housekeepingReport(services_.store, services_.clock.today()));
    });
}

void Form1::Command4_Click() {
    services_.windows.close(WindowId::MainMenu);
    services_.windows.close(WindowId::RoomInventory);
    close();
}

} // namespace roomwright
