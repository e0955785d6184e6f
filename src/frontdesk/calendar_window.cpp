#include "frontdesk/calendar_window.h"

#include "ui/placement.h"

#include <QCalendarWidget>
#include <QVBoxLayout>

namespace roomwright {

Form21::Form21(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("Form21"));
    setWindowTitle(QStringLiteral("Calendar"));
    Calendar1 = new QCalendarWidget(this);
    nameControl(Calendar1, "Calendar1", QStringLiteral("Calendar"));
    Calendar1->setGridVisible(true);
    Calendar1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(Calendar1);

    connect(Calendar1, &QCalendarWidget::clicked, this, &Form21::Calendar1_Click);
    // Qt reports a double-click and Enter alike; both count as picking the day.
    connect(Calendar1, &QCalendarWidget::activated, this, &Form21::Calendar1_DblClick);
}

void Form21::Form_Load(const CivilDate& date) {
    Calendar1->setSelectedDate(toQDate(date));
    if (const QWidget* owner = parentWidget()) {
        move(owner->frameGeometry().topRight() + QPoint(8, 0));
    }
    show();
}

void Form21::Calendar1_Click(const QDate& date) {
    emit dayPicked(date);
}

void Form21::Calendar1_DblClick(const QDate& date) {
    emit dayPicked(date);
    emit dayDoubleClicked(date);
}

} // namespace roomwright
