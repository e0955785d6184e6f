#pragma once

#include "ui/services.h"

#include <QPointer>

#include <map>

namespace roomwright {

// Builds and keeps the program's windows: at most one of each, as the front desk works.
class Desk : public Navigator {
  public:
    Desk(Store store, Clock& clock, Dialogs& dialogs, Printer& printer);

    QWidget* open(WindowId id) override;
    void close(WindowId id) override;
    QWidget* find(WindowId id) const override;

    Services& services() { return services_; }

  private:
    DeskWindow* create(WindowId id);

    Services services_;
    std::map<WindowId, QPointer<DeskWindow>> open_;
};

} // namespace roomwright
