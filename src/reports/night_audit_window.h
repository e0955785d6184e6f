#pragma once

#include "ui/services.h"

class QLabel;
class QPushButton;

namespace roomwright {

// The night audit: charges tonight's room rent to every stay-over and prints the
// financial report and the guest list.
class NightAuditWindow : public DeskWindow {
    Q_OBJECT
  public:
    explicit NightAuditWindow(Services& services);

    void load() override;

    QLabel* explanationLabel;
    QPushButton* runButton;
    QPushButton* exitButton;

  public slots:
    void runClicked();
    void exitClicked();
};

} // namespace roomwright
