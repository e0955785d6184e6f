#include "reservations/tape_chart_window.h"

#include "frontdesk/guest_folio_window.h"
#include "reservations/reservation_window.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/placement.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <chrono>

namespace roomwright {

namespace {

constexpr int kBarRole = Qt::UserRole;
// The first column shows each room's state today; the days follow it.
constexpr int kFirstDayColumn = 1;

QRgb stateColour(RoomState state) {
    switch (state) {
    case RoomState::VacantClean:
        return TapeChartWindow::kVacantCleanColour;
    case RoomState::VacantDirty:
        return TapeChartWindow::kVacantDirtyColour;
    case RoomState::Occupied:
        return TapeChartWindow::kOccupiedColour;
    case RoomState::OutOfOrder:
    case RoomState::NotInRoomFile:
        break;
    }
    return TapeChartWindow::kOutOfOrderColour;
}

QTableWidgetItem* stateItem(const ChartRoom& room) {
    const QString state = QString::fromStdString(roomStateText(room.state));
    auto* item = new QTableWidgetItem(state);
    const QString description = onScreen("Room " + room.number + " today: ") + state;
    item->setData(Qt::AccessibleTextRole, description);
    item->setToolTip(description);
    item->setFlags(Qt::ItemIsEnabled);
    if (room.state != RoomState::NotInRoomFile) {
        item->setBackground(QColor(stateColour(room.state)));
        item->setForeground(QColor(Qt::black));
    }
    return item;
}

// One entry of the legend: its words on its colour.
QLabel* legendEntry(QWidget* parent, const QString& text, QRgb colour) {
    auto* entry = new QLabel(text, parent);
    entry->setAutoFillBackground(true);
    QPalette palette = entry->palette();
    palette.setColor(QPalette::Window, QColor(colour));
    palette.setColor(QPalette::WindowText,
                     QColor(colour == TapeChartWindow::kOverlapColour ? Qt::white : Qt::black));
    entry->setPalette(palette);
    entry->setContentsMargins(6, 2, 6, 2);
    return entry;
}

// "Mon" and "12/7" on two lines.
QString dayCaption(const CivilDate& day) {
    static const std::array<const char*, 7> names = {"Sun", "Mon", "Tue", "Wed",
                                                     "Thu", "Fri", "Sat"};
    const std::chrono::weekday weekday{
        std::chrono::sys_days{std::chrono::year{day.year} / day.month / day.day}};
    return QStringLiteral("%1\n%2/%3")
        .arg(QString::fromLatin1(names[weekday.c_encoding()]))
        .arg(day.month)
        .arg(day.day);
}

QTableWidgetItem* barItem(const ChartBar& bar, std::size_t index) {
    auto* item = new QTableWidgetItem(onScreen(bar.guest));
    const QString description = onScreen(barDescription(bar));
    item->setData(Qt::AccessibleTextRole, description);
    item->setToolTip(description);
    item->setData(kBarRole, static_cast<qulonglong>(index));
    item->setFlags(Qt::ItemIsEnabled);
    const QRgb colour = bar.overlaps                        ? TapeChartWindow::kOverlapColour
                        : bar.kind == Occupant::Reservation ? TapeChartWindow::kReservationColour
                                                            : TapeChartWindow::kStayColour;
    item->setBackground(QColor(colour));
    item->setForeground(bar.overlaps ? QColor(Qt::white) : QColor(Qt::black));
    return item;
}

// Draws the cell with the keyboard focus framed in a thick line, over its own colour.
class FramedFocusDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem plain(option);
        plain.state &= ~QStyle::State_HasFocus;
        QStyledItemDelegate::paint(painter, plain, index);
        if (option.state & QStyle::State_HasFocus) {
            painter->save();
            painter->setPen(QPen(option.palette.color(QPalette::Text), 3));
            painter->drawRect(option.rect.adjusted(1, 1, -2, -2));
            painter->restore();
        }
    }
};

} // namespace

TapeChartWindow::TapeChartWindow(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("TapeChart"));
    setWindowTitle(QStringLiteral("Tape Chart"));

    previousWeekButton = makeButton(this, "Command1", QStringLiteral("Previous Week"));
    daysLabel = makeValueLabel(this, "Label1", QStringLiteral("Days shown"));
    nextWeekButton = makeButton(this, "Command2", QStringLiteral("Next Week"));
    chartTable = new QTableWidget(this);
    nameControl(chartTable, "Grid1", QStringLiteral("Rooms and nights"));
    chartTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The cell the keys stand on is framed rather than highlighted, so that a bar keeps the
    // colour that tells what it is.
    chartTable->setSelectionMode(QAbstractItemView::NoSelection);
    chartTable->setItemDelegate(new FramedFocusDelegate(chartTable));
    // Tab leaves the chart; the arrow keys move over it.
    chartTable->setTabKeyNavigation(false);
    chartTable->setWordWrap(false);
    // The days share the width the chart gets (fitDayColumns).
    chartTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    chartTable->horizontalHeader()->setMinimumSectionSize(1);
    chartTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    chartTable->viewport()->installEventFilter(this);
    exitButton = makeButton(this, "Command3", QStringLiteral("Exit"));

    auto* legend = new QHBoxLayout;
    legend->addWidget(new QLabel(QStringLiteral("Today:"), this));
    for (const RoomState state : {RoomState::VacantClean, RoomState::VacantDirty,
                                  RoomState::Occupied, RoomState::OutOfOrder}) {
        legend->addWidget(
            legendEntry(this, QString::fromStdString(roomStateText(state)), stateColour(state)));
    }
    legend->addSpacing(24);
    legend->addWidget(new QLabel(QStringLiteral("Bars:"), this));
    legend->addWidget(legendEntry(this, QStringLiteral("In house"), kStayColour));
    legend->addWidget(legendEntry(this, QStringLiteral("Reservation"), kReservationColour));
    legend->addWidget(
        legendEntry(this, QStringLiteral("Two bookings on one night"), kOverlapColour));
    legend->addStretch();

    auto* weeks = new QHBoxLayout;
    weeks->addWidget(previousWeekButton);
    weeks->addWidget(daysLabel, 1, Qt::AlignCenter);
    weeks->addWidget(nextWeekButton);
    auto* root = new QVBoxLayout(this);
    root->addLayout(weeks);
    root->addWidget(chartTable, 1);
    root->addLayout(legend);
    root->addLayout(makeButtonRow({exitButton}));
    // Two weeks wide where the screen has room for them.
    resize(1180, 520);

    connect(previousWeekButton, &QPushButton::clicked, this, &TapeChartWindow::previousWeekClicked);
    connect(nextWeekButton, &QPushButton::clicked, this, &TapeChartWindow::nextWeekClicked);
    connect(exitButton, &QPushButton::clicked, this, &TapeChartWindow::exitClicked);
    connect(chartTable, &QTableWidget::cellActivated, this, &TapeChartWindow::cellActivated);
}

void TapeChartWindow::load() {
    placeAt(this, 600, 300);
    show();
    showFrom(services_.clock.today());
    chartTable->setFocus(Qt::OtherFocusReason);
}

void TapeChartWindow::showFrom(const CivilDate& first) {
    chartTable->clear();
    chartTable->setRowCount(0);
    chart_ = TapeChart{};
    chart_.first = first;
    guarded(services_.dialogs, this,
            [&] { chart_ = tapeChart(services_.store, first, services_.clock.today()); });
    daysLabel->setText(QString::fromStdString(shortDate(first) + " to " +
                                              shortDate(first.plusDays(chart_.days - 1))));

    chartTable->setColumnCount(kFirstDayColumn + chart_.days);
    chartTable->setHorizontalHeaderItem(0, new QTableWidgetItem(QStringLiteral("State\ntoday")));
    // The state's words are read whole; the days share the width that is left.
    chartTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    for (int day = 0; day < chart_.days; ++day) {
        chartTable->setHorizontalHeaderItem(kFirstDayColumn + day,
                                            new QTableWidgetItem(dayCaption(first.plusDays(day))));
    }
    int rows = 0;
    for (const ChartRoom& room : chart_.rooms) {
        rows += room.lanes;
    }
    chartTable->setRowCount(rows);
    int top = 0;
    for (const ChartRoom& room : chart_.rooms) {
        const bool outOfOrder = room.state == RoomState::OutOfOrder;
        QString caption = onScreen(room.number + "  " + room.type);
        if (outOfOrder) {
            caption += QStringLiteral(" (out of order)");
        } else if (room.state == RoomState::NotInRoomFile) {
            caption += QStringLiteral("(not in the room file)");
        }
        for (int lane = 0; lane < room.lanes; ++lane) {
            auto* header = new QTableWidgetItem(lane == 0 ? caption : QString());
            header->setData(Qt::AccessibleTextRole, caption);
            if (outOfOrder || room.state == RoomState::NotInRoomFile) {
                header->setForeground(QColor(Qt::darkGray));
            }
            chartTable->setVerticalHeaderItem(top + lane, header);
            if (outOfOrder) {
                for (int day = 0; day < chart_.days; ++day) {
                    auto* grey = new QTableWidgetItem;
                    grey->setBackground(QColor(kOutOfOrderColour));
                    grey->setData(Qt::AccessibleTextRole, caption);
                    grey->setFlags(Qt::ItemIsEnabled);
                    chartTable->setItem(top + lane, kFirstDayColumn + day, grey);
                }
            }
        }
        chartTable->setItem(top, 0, stateItem(room));
        if (room.lanes > 1) {
            chartTable->setSpan(top, 0, room.lanes, 1);
        }
        for (const std::size_t index : room.bars) {
            const ChartBar& bar = chart_.bars[index];
            const int row = top + bar.lane;
            const int column = kFirstDayColumn + bar.firstDay;
            chartTable->setItem(row, column, barItem(bar, index));
            if (bar.lastDay > bar.firstDay) {
                chartTable->setSpan(row, column, 1, bar.lastDay - bar.firstDay + 1);
            }
        }
        top += room.lanes;
    }
    fitDayColumns();
    if (rows > 0) {
        chartTable->setCurrentCell(0, kFirstDayColumn);
    }
}

bool TapeChartWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == chartTable->viewport() && event->type() == QEvent::Resize) {
        fitDayColumns();
    }
    return DeskWindow::eventFilter(watched, event);
}

void TapeChartWindow::fitDayColumns() {
    const int days = chartTable->columnCount() - kFirstDayColumn;
    if (days <= 0) {
        return;
    }
    // What the state column takes, as its contents ask.
    chartTable->resizeColumnToContents(0);
    const int width = std::max(1, chartTable->viewport()->width() - chartTable->columnWidth(0));
    const int shown = std::clamp(width / kDayWidth, std::min(kLeastDays, days), days);
    for (int day = 0; day < days; ++day) {
        chartTable->setColumnWidth(kFirstDayColumn + day, std::max(1, width / shown));
    }
}

void TapeChartWindow::previousWeekClicked() {
    showFrom(chart_.first.plusDays(-7));
}

void TapeChartWindow::nextWeekClicked() {
    showFrom(chart_.first.plusDays(7));
}

void TapeChartWindow::exitClicked() {
    close();
}

void TapeChartWindow::cellActivated(int row, int column) {
    const QTableWidgetItem* item = chartTable->item(row, column);
    if (item == nullptr || !item->data(kBarRole).isValid()) {
        return;
    }
    const ChartBar bar = chart_.bars.at(item->data(kBarRole).toULongLong());
    if (bar.kind == Occupant::Reservation) {
        if (auto* window =
                qobject_cast<ReservationWindow*>(services_.windows.open(WindowId::Reservation))) {
            window->showRecord(bar.record);
        }
    } else if (auto* window =
                   qobject_cast<GuestFolioWindow*>(services_.windows.open(WindowId::GuestFolio))) {
        window->showStay(bar.record);
    }
}

} // namespace roomwright
