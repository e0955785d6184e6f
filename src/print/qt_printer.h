#pragma once

#include "print/page_layout.h"
#include "print/printer.h"
#include "store/clock.h"
#include "store/disk/data_directory.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QPagedPaintDevice;

namespace roomwright {

// The paper of a PDF no printer decides on: the one the system's locale country uses.
Paper localPaper();

// Lays the device's page out for the document: margins of at least half an inch (more where
// the printer needs them), and landscape when the document's longest line does not fit
// across a portrait page at the document's size. `paper`, when given, replaces the device's
// own paper.
void layOutPage(const Document& document, QPagedPaintDevice& device,
                std::optional<Paper> paper = std::nullopt);
// Draws a document on a page device (a printer or a PDF writer) as its page is laid out, in
// a fixed-pitch font, each piece at its exact character column, each rule across the text
// area. The font is the document's size unless its longest line needs a smaller one (never
// below 10 points); a line too long even then goes on at the start of the next. Returns false
// when the device would not take the drawing.
bool renderDocument(const Document& document, QPagedPaintDevice& device);
// Writes the documents into one PDF file, each laid out for itself and starting on a page of
// its own, on `paper` (the local paper when none is given), all or nothing
// (print/pdf_file.h): a file in the data directory outside printouts/ is refused, and a PDF
// that could not be completed never replaces `file`. Throws StoreError naming `file` when it
// cannot be written.
void writePdf(const std::vector<Document>& documents, const Path& file,
              const DataDirectory& directory, std::optional<Paper> paper = std::nullopt);

// The workstation's default printer, on its own paper. When no printer is set up, the
// document is saved as a PDF under printouts/ in the data directory, on the local paper, and
// `tell` gives the clerk the file's name: nothing printed is silently lost. `paper`, when
// given, replaces either paper.
class SystemPrinter : public Printer {
  public:
    SystemPrinter(DataDirectory directory, FileSystem& files, const Clock& clock,
                  std::function<void(const std::string&)> tell,
                  std::optional<Paper> paper = std::nullopt);
    void print(const Document& document) override;

  private:
    DataDirectory directory_;
    FileSystem& files_;
    const Clock& clock_;
    std::function<void(const std::string&)> tell_;
    std::optional<Paper> paper_;
};

} // namespace roomwright
