#pragma once

#include "print/printer.h"
#include "store/clock.h"
#include "store/disk/data_directory.h"

#include <functional>
#include <string>
#include <vector>

class QPagedPaintDevice;

namespace roomwright {

// Draws a document on a page device (a printer or a PDF writer) in a fixed-pitch font at
// the document's size, each piece at its exact character column. A line wider than the
// page is drawn smaller as a whole, so that no column is lost. Returns false when the device
// would not take the drawing.
bool renderDocument(const Document& document, QPagedPaintDevice& device);
// Writes the documents into one PDF file, each starting on a page of its own, all or
// nothing (print/pdf_file.h): a file in the data directory outside printouts/ is refused,
// and a PDF that could not be completed never replaces `file`. Throws StoreError naming
// `file` when it cannot be written.
void writePdf(const std::vector<Document>& documents, const Path& file,
              const DataDirectory& directory);

// The workstation's default printer. When no printer is set up, the document is saved as a
// PDF under printouts/ in the data directory, and `tell` gives the clerk the file's name:
// nothing printed is silently lost.
class SystemPrinter : public Printer {
  public:
    SystemPrinter(DataDirectory directory, FileSystem& files, const Clock& clock,
                  std::function<void(const std::string&)> tell);
    void print(const Document& document) override;

  private:
    DataDirectory directory_;
    FileSystem& files_;
    const Clock& clock_;
    std::function<void(const std::string&)> tell_;
};

} // namespace roomwright
