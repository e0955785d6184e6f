#include "frontdesk/folio_printing.h"

#include "frontdesk/folio.h"

namespace roomwright {

void printCheckInFolio(Services& services, QWidget* window, const GuestRecord& guest) {
    guarded(services.dialogs, window, [&] {
        const PrintedFolio folio = printedFolio(services.store, guest, FolioVariant::InHouse);
        for (const std::string& problem : folio.problems) {
            services.dialogs.inform(window, kAttention, QString::fromStdString(problem));
        }
        services.printer.print(folio.document);
    });
}

} // namespace roomwright
