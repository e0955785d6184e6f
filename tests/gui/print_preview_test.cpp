#include "gui/gui_fixture.h"

#include "frontdesk/folio.h"
#include "frontdesk/housekeeping.h"
#include "print/qt_printer.h"
#include "reports/desk_lists.h"
#include "support/records.h"
#include "ui/print_preview.h"

#include <QAction>
#include <QPageLayout>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>

namespace roomwright::testing {
namespace {

class PrintPages : public DeskTest {};

// The preview of a PDF printout (no printer): the country's paper, half an inch of margin,
// the folio turned to landscape, the report upright, and the page as wide as the preview.
TEST_F(PrintPages, ThePreviewOpensOnTheLaidOutPageFittedToItsWidth) {
    GuestRecord guest = makeStayOver("101", "Avery", 1, 45, clock.today(), clock.today());
    const struct {
        Document document;
        QPageLayout::Orientation orientation;
    } cases[] = {
        {folioDocument(guest, {}, FolioVariant::InHouse, {}), QPageLayout::Landscape},
        {housekeepingReport(store, clock.today()), QPageLayout::Portrait},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.document.title());
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        bool drawn = true;
        QPrintPreviewDialog* preview = makePreview(c.document, printer, nullptr, drawn);
        const QPageLayout layout = printer.pageLayout();
        EXPECT_EQ(layout.orientation(), c.orientation);
        EXPECT_EQ(layout.pageSize().id(),
                  localPaper() == Paper::Letter ? QPageSize::Letter : QPageSize::A4);
        const QMarginsF margins = layout.margins(QPageLayout::Point);
        for (const double margin : {margins.left(), margins.top(), margins.right()}) {
            EXPECT_GE(margin, 36);
        }
        preview->show();
        EXPECT_EQ(preview->findChild<QPrintPreviewWidget*>()->zoomMode(),
                  QPrintPreviewWidget::FitToWidth);
        EXPECT_TRUE(preview->findChild<QAction*>(QStringLiteral("fitWidthAction"))->isChecked());
        EXPECT_TRUE(preview->screen()->availableGeometry().contains(preview->frameGeometry()));
        EXPECT_TRUE(drawn);
        delete preview;
    }
}

// A desk list is titled with the day's short date: without a printer it is saved under a name
// whose date has hyphens, not the folders its slashes would make.
TEST_F(PrintPages, APrintoutSavedForWantOfAPrinterIsNamedWithoutItsSlashes) {
    if (!QPrinterInfo::defaultPrinter().isNull()) {
        GTEST_SKIP() << "this machine has a printer set up";
    }
    std::vector<std::string> told;
    SystemPrinter noPrinter(directory, files, clock,
                            [&](const std::string& message) { told.push_back(message); });
    noPrinter.print(
        deskListDocument(deskList(store, DeskListKind::Arrivals, clock.today(), clock.today())));
    const Path saved = directory.printouts() / "2026-12-07 093000 Arrivals for 12-7-2026.pdf";
    EXPECT_TRUE(std::filesystem::is_regular_file(saved));
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find(saved.generic_string()), std::string::npos);
}

} // namespace
} // namespace roomwright::testing
