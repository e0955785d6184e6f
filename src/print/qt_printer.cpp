#include "print/qt_printer.h"

#include "print/pdf_file.h"
#include "store/format/path_text.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace roomwright {

namespace {

// Draws one document from the top of the painter's current page.
void drawDocument(const Document& document, QPainter& painter, QPagedPaintDevice& device) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSize(document.fontSize());

    const std::vector<Document::Line> lines = document.lines();
    int widest = 1;
    for (const Document::Line& line : lines) {
        for (const Document::Piece& piece : line) {
            widest =
                std::max(widest, piece.column - 1 +
                                     static_cast<int>(QString::fromStdString(piece.text).size()));
        }
    }

    painter.resetTransform();
    painter.setFont(font);
    const QFontMetricsF metrics(font, &device);
    const double charWidth = metrics.horizontalAdvance(QLatin1Char('M'));
    const double lineHeight = metrics.lineSpacing();
    const QRectF page = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const double scale = std::min(1.0, page.width() / (widest * charWidth));
    painter.scale(scale, scale);
    const double pageHeight = page.height() / scale;

    double y = metrics.ascent();
    for (const Document::Line& line : lines) {
        if (y + metrics.descent() > pageHeight) {
            device.newPage();
            y = metrics.ascent();
        }
        for (const Document::Piece& piece : line) {
            painter.drawText(QPointF((piece.column - 1) * charWidth, y),
                             QString::fromStdString(piece.text));
        }
        y += lineHeight;
    }
}

bool renderDocuments(const std::vector<Document>& documents, QPagedPaintDevice& device) {
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    for (std::size_t i = 0; i < documents.size(); ++i) {
        if (i > 0) {
            device.newPage();
        }
        drawDocument(documents[i], painter, device);
    }
    return painter.end();
}

} // namespace

bool renderDocument(const Document& document, QPagedPaintDevice& device) {
    return renderDocuments({document}, device);
}

void writePdf(const std::vector<Document>& documents, const Path& file,
              const DataDirectory& directory) {
    writePdfFile(file, directory, [&](const Path& temporary) {
        // The writer closes the file when it goes, before the file is checked.
        QPdfWriter writer(QString::fromStdU16String(temporary.u16string()));
        if (!documents.empty()) {
            writer.setTitle(QString::fromStdString(documents.front().title()));
        }
        writer.setResolution(300);
        return renderDocuments(documents, writer);
    });
}

SystemPrinter::SystemPrinter(DataDirectory directory, FileSystem& files, const Clock& clock,
                             std::function<void(const std::string&)> tell)
    : directory_(std::move(directory)), files_(files), clock_(clock), tell_(std::move(tell)) {}

void SystemPrinter::print(const Document& document) {
    if (!QPrinterInfo::defaultPrinter().isNull()) {
        QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
        printer.setDocName(QString::fromStdString(document.title()));
        if (!renderDocument(document, printer)) {
            throw std::runtime_error("The printer " + printer.printerName().toStdString() +
                                     " did not take the printout \"" + document.title() + "\".");
        }
        return;
    }
    files_.createDirectories(directory_.printouts());
    const CivilDate today = clock_.today();
    const TimeOfDay now = clock_.now();
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d%02d%02d ", today.year, today.month,
                  today.day, now.hour, now.minute, now.second);
    // A second printout of the same name in the same second gets a number of its own
    // rather than replacing the first.
    Path file = directory_.printouts() / pathFromUtf8(stamp + document.title() + ".pdf");
    for (int copy = 2; files_.size(file) > 0; ++copy) {
        file = directory_.printouts() /
               pathFromUtf8(stamp + document.title() + " (" + std::to_string(copy) + ").pdf");
    }
    writePdf({document}, file, directory_);
    tell_("No printer is set up, so the printout was saved as " + utf8Text(file));
}

} // namespace roomwright
