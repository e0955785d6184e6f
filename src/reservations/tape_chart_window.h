#pragma once

#include "reservations/tape_chart.h"
#include "ui/services.h"

#include <QColor>

class QLabel;
class QPushButton;
class QTableWidget;

namespace roomwright {

// The tape chart: rooms down the side, two weeks across from today, a bar over the nights of
// each in-house stay and each open reservation; bookings that share a night in one room are
// drawn in red. Opening a bar (double-click, or Enter) shows the reservation in the
// reservation window, or the stay in the guest folio window. It changes nothing.
class TapeChartWindow : public DeskWindow {
    Q_OBJECT
  public:
    explicit TapeChartWindow(Services& services);

    void load() override;

    QPushButton* previousWeekButton; // Previous Week
    QPushButton* nextWeekButton;     // Next Week
    QLabel* daysLabel;               // the days shown
    QTableWidget* chartTable;        // one line per room, more where bookings overlap
    QPushButton* exitButton;         // Exit

    // The colours of the bars.
    static constexpr QRgb kStayColour = 0xB3D4F5;
    static constexpr QRgb kReservationColour = 0xC5E1A5;
    static constexpr QRgb kOverlapColour = 0xD32F2F;
    static constexpr QRgb kOutOfOrderColour = 0xD0D0D0;

    const TapeChart& chart() const { return chart_; }

  public slots:
    void previousWeekClicked();
    void nextWeekClicked();
    void exitClicked();
    // Opens the bar drawn in the cell, if one is.
    void cellActivated(int row, int column);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The day columns share the chart's width: as many as fit at kDayWidth or wider, at
    // least a week of them (narrower where even a week does not fit), all of them where
    // there is room; the chart scrolls to the others.
    static constexpr int kDayWidth = 56;
    static constexpr int kLeastDays = 7;
    void fitDayColumns();
    void showFrom(const CivilDate& first);

    TapeChart chart_;
};

} // namespace roomwright
