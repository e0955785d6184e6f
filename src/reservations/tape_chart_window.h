#pragma once

#include "reservations/tape_chart.h"
#include "ui/services.h"

#include <QColor>

class QLabel;
class QPushButton;
class QTableWidget;

namespace roomwright {

// The tape chart: rooms down the side with their state today (vacant clean, vacant dirty,
// occupied, out of order, in words and colour), two weeks across from today, a bar over the
// nights of each in-house stay and each open reservation; bookings that share a night in one
// room are drawn in red. A legend under the chart tells the colours. Opening a bar (double-click,
// or Enter) shows the reservation in the reservation window, or the stay in the guest folio window.
// It changes nothing.
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
    // The colours of the rooms' states today.
    static constexpr QRgb kVacantCleanColour = 0xC8E6C9;
    static constexpr QRgb kVacantDirtyColour = 0xFFCC80;
    static constexpr QRgb kOccupiedColour = 0x90CAF9;

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
