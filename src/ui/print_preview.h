#pragma once

#include "print/qt_printer.h"

class QPrinter;
class QPrintPreviewDialog;
class QWidget;

namespace roomwright {

// The printer of the windows. Every printout is first shown in a preview, from which the
// clerk prints it (the printer picked last is offered first; the print dialog also saves
// it as a PDF) or closes it unprinted. On a workstation with no printer set up, it goes
// where the system printer seam sends it then: a PDF under printouts/, named to the clerk.
class PreviewPrinter : public Printer {
  public:
    explicit PreviewPrinter(SystemPrinter& noPrinter) : noPrinter_(noPrinter) {}
    void print(const Document& document) override;

  private:
    SystemPrinter& noPrinter_;
};

// The preview of `document` on `printer`, over `parent`, not yet shown: it draws the pages
// whenever it (or the print it starts) asks. `drawn` is set false when a drawing fails.
QPrintPreviewDialog* makePreview(const Document& document, QPrinter& printer, QWidget* parent,
                                 bool& drawn);

} // namespace roomwright
