#include "print/qt_printer.h"

#include "print/pdf_file.h"
#include "store/format/path_text.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string_view>

namespace roomwright {

namespace {

QFont printFont(double size) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    // Widths grow with the size exactly, as the page's columns are worked out.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setPointSizeF(size);
    return font;
}

// The width of one character of the print font at a size, in the device's pixels.
double characterWidth(QPaintDevice& device, double size) {
    return QFontMetricsF(printFont(size), &device).horizontalAdvance(QLatin1Char('M'));
}

QPageSize pageSizeOf(Paper paper) {
    return QPageSize(paper == Paper::Letter ? QPageSize::Letter : QPageSize::A4);
}

// Draws one document from the top of the painter's current page.
void drawDocument(const Document& document, QPainter& painter, QPagedPaintDevice& device) {
    const QRectF area = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const PageSetting setting = pageSetting(
        document, area.width(), [&](double size) { return characterWidth(device, size); });
    const QFont font = printFont(setting.fontSize);
    painter.resetTransform();
    painter.setFont(font);
    const QFontMetricsF metrics(font, &device);
    const double charWidth = characterWidth(device, setting.fontSize);
    const double lineHeight = metrics.lineSpacing();

    double y = metrics.ascent();
    for (const Document::Line& line : linesOnPage(document, setting.columns)) {
        if (y + metrics.descent() > area.height()) {
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

// Draws each document from the top of a page of its own; `layOut`, when given, lays the
// pages of each document out before its first page starts.
bool renderDocuments(const std::vector<Document>& documents, QPagedPaintDevice& device,
                     const std::function<void(const Document&)>& layOut = {}) {
    QPainter painter;
    if (layOut && !documents.empty()) {
        layOut(documents.front());
    }
    if (!painter.begin(&device)) {
        return false;
    }
    for (std::size_t i = 0; i < documents.size(); ++i) {
        if (i > 0) {
            if (layOut) {
                layOut(documents[i]);
            }
            device.newPage();
        }
        drawDocument(documents[i], painter, device);
    }
    return painter.end();
}

// A printout's title as part of a file name: a character no folder name may hold (the "/" of
// a date) becomes a hyphen.
std::string fileNamePart(std::string title) {
    for (char& c : title) {
        if (std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos ||
            static_cast<unsigned char>(c) < 0x20) {
            c = '-';
        }
    }
    return title;
}

} // namespace

Paper localPaper() {
    return paperOfCountry(QLocale::territoryToCode(QLocale::system().territory()).toStdString());
}

void layOutPage(const Document& document, QPagedPaintDevice& device, std::optional<Paper> paper) {
    QPageLayout layout = device.pageLayout();
    if (paper) {
        layout.setPageSize(pageSizeOf(*paper));
    }
    layout.setUnits(QPageLayout::Point);
    layout.setOrientation(QPageLayout::Portrait);
    const QMarginsF least = layout.minimumMargins();
    const double margin =
        std::max({kPageMarginPoints, least.left(), least.top(), least.right(), least.bottom()});
    layout.setMargins(QMarginsF(margin, margin, margin, margin));
    const auto inPoints = [&](double size) {
        return characterWidth(device, size) * 72 / device.logicalDpiX();
    };
    if (orientationFor(document, layout.paintRect().width(), inPoints) == Orientation::Landscape) {
        layout.setOrientation(QPageLayout::Landscape);
    }
    device.setPageLayout(layout);
}

bool renderDocument(const Document& document, QPagedPaintDevice& device) {
    return renderDocuments({document}, device);
}

void writePdf(const std::vector<Document>& documents, const Path& file,
              const DataDirectory& directory, std::optional<Paper> paper) {
    const Paper sheet = paper.value_or(localPaper());
    writePdfFile(file, directory, [&](const Path& temporary) {
        // The writer closes the file when it goes, before the file is checked.
        QPdfWriter writer(QString::fromStdU16String(temporary.u16string()));
        if (!documents.empty()) {
            writer.setTitle(QString::fromStdString(documents.front().title()));
        }
        writer.setResolution(1200);
        return renderDocuments(documents, writer, [&](const Document& document) {
            layOutPage(document, writer, sheet);
        });
    });
}

SystemPrinter::SystemPrinter(DataDirectory directory, FileSystem& files, const Clock& clock,
                             std::function<void(const std::string&)> tell,
                             std::optional<Paper> paper)
    : directory_(std::move(directory)), files_(files), clock_(clock), tell_(std::move(tell)),
      paper_(paper) {}

void SystemPrinter::print(const Document& document) {
    if (!QPrinterInfo::defaultPrinter().isNull()) {
        QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
        printer.setDocName(QString::fromStdString(document.title()));
        layOutPage(document, printer, paper_);
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
    const std::string name = stamp + fileNamePart(document.title());
    Path file = directory_.printouts() / pathFromUtf8(name + ".pdf");
    for (int copy = 2; files_.size(file) > 0; ++copy) {
        file = directory_.printouts() / pathFromUtf8(name + " (" + std::to_string(copy) + ").pdf");
    }
    writePdf({document}, file, directory_, paper_);
    tell_("No printer is set up, so the printout was saved as " + utf8Text(file));
}

} // namespace roomwright
