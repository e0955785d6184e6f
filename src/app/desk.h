#pragma once

#include "store/disk/writer_lock.h"
#include "ui/services.h"

#include <QPointer>

#include <map>

namespace roomwright {

// Builds and keeps the program's windows: at most one of each, as the front desk works; and
// keeps the program's claim on the data directory (app/start_up.h), when it has one.
class Desk : public Navigator, public DataHolder {
  public:
    Desk(Store store, Clock& clock, Dialogs& dialogs, Printer& printer,
         std::optional<WriterLock> claim = std::nullopt);

    QWidget* open(WindowId id) override;
    void close(WindowId id) override;
    QWidget* find(WindowId id) const override;
    Restored restore(const Path& archive, QWidget* keep) override;

    Services& services() { return services_; }

  private:
    DeskWindow* create(WindowId id);

    // The store anew on the data directory, claimed again when `claim` (as the program's
    // start claims it), and the main window loaded again.
    void reopen(bool claim);

    Services services_;
    std::map<WindowId, QPointer<DeskWindow>> open_;
    std::optional<WriterLock> claim_;
};

} // namespace roomwright
