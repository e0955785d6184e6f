#include "ui/print_preview.h"

#include "ui/placement.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSettings>

#include <stdexcept>

namespace roomwright {

namespace {

// The printer picked last belongs to the workstation, not to the motel's data: it is kept
// in the user's settings, so a data directory copied elsewhere does not carry it along.
const QString kLastPrinter = QStringLiteral("print/lastPrinter");

QPrinterInfo offeredPrinter() {
    const QString last = QSettings().value(kLastPrinter).toString();
    const QPrinterInfo remembered = QPrinterInfo::printerInfo(last);
    return !last.isEmpty() && !remembered.isNull() ? remembered : QPrinterInfo::defaultPrinter();
}

} // namespace

QPrintPreviewDialog* makePreview(const Document& document, QPrinter& printer, QWidget* parent,
                                 bool& drawn) {
    printer.setDocName(QString::fromStdString(document.title()));
    // A printer prints on its own paper; a PDF on the paper of the country.
    layOutPage(document, printer,
               printer.printerName().isEmpty() ? std::optional(localPaper()) : std::nullopt);
    auto* preview = new QPrintPreviewDialog(&printer, parent);
    preview->setObjectName(QStringLiteral("PrintPreview"));
    preview->setWindowTitle(QStringLiteral("Print Preview: ") +
                            QString::fromStdString(document.title()));
    QObject::connect(
        preview, &QPrintPreviewDialog::paintRequested, preview,
        [&document, &drawn](QPrinter* target) { drawn = renderDocument(document, *target); });
    // The page as wide as the preview, so that its lines can be read; the clerk zooms out
    // from there.
    if (auto* fitWidth = preview->findChild<QAction*>(QStringLiteral("fitWidthAction"))) {
        fitWidth->trigger();
    }
    // As large as the screen allows, for the page to be read.
    preview->resize(roomOnScreen(preview));
    keepOnScreen(preview);
    return preview;
}

void PreviewPrinter::print(const Document& document) {
    const QPrinterInfo offered = offeredPrinter();
    if (offered.isNull()) {
        noPrinter_.print(document);
        return;
    }
    QPrinter printer(offered, QPrinter::HighResolution);
    bool drawn = true;
    // On the heap, as every box is: a window that goes while it is up takes it along.
    const QPointer<QPrintPreviewDialog> preview =
        makePreview(document, printer, QApplication::activeWindow(), drawn);
    const bool printed = preview->exec() == QDialog::Accepted;
    delete preview.data();
    if (!printed) {
        return;
    }
    if (!drawn) {
        throw std::runtime_error("The printer " + printer.printerName().toStdString() +
                                 " did not take the printout \"" + document.title() + "\".");
    }
    if (printer.outputFormat() == QPrinter::NativeFormat) {
        QSettings().setValue(kLastPrinter, printer.printerName());
    }
}

} // namespace roomwright
