#pragma once

#include "ui/services.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace roomwright {

// The night audit: charges tonight's room rent to every stay-over and prints the
// financial report and the guest list. Then it lists tonight's no-shows (today's arrivals
// still open), if any, and the clerk marks them from that list.
class NightAuditWindow : public DeskWindow {
    Q_OBJECT
  public:
    explicit NightAuditWindow(Services& services);

    void load() override;

    QLabel* explanationLabel;
    QPushButton* runButton;
    QPushButton* exitButton;
    QLabel* noShowsLabel;      // "Tonight's no-shows", shown once the audit has run
    QListWidget* noShowsList;  // today's arrivals still open
    QPushButton* noShowButton; // Mark No-Show

  public slots:
    void runClicked();
    void exitClicked();
    void noShowClicked();
};

} // namespace roomwright
