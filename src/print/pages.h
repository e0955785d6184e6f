#pragma once

#include "print/document.h"
#include "print/page_layout.h"
#include "store/clock.h"
#include "store/disk/data_directory.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace roomwright {

// Documents to be drawn as pages: into one PDF file, on the workstation's printer, or both.
struct PageJob {
    const std::vector<Document>& documents;
    std::optional<std::string> pdf; // the PDF file to write, when asked for
    bool printer = false;           // send each document to the printer
    // What the printer needs when none is set up and it saves the printout as a PDF in the
    // data directory; `tell` gives the clerk the file's name.
    const DataDirectory& directory;
    FileSystem& files;
    const Clock& clock;
    std::function<void(const std::string&)> tell;
    // The paper of the PDF and of the printer; the printer's own, and for a PDF the local
    // paper, when none is given.
    std::optional<Paper> paper = std::nullopt;
};

// Drawing pages needs Qt, which the command-line tool does not link: it lives in the page
// module (roomwright-print), built next to the programs and loaded on the first job, so
// that the commands that write text start without loading Qt at all.
//
// Sends the job through the page module beside the running program. Throws
// std::runtime_error naming the module when it cannot be loaded, and the drawing's own
// error (the file that could not be written, the printer that refused) when it fails.
void sendToPages(const PageJob& job);
// The same through the module at `module`.
void sendToPages(const PageJob& job, const Path& module);

// Where sendToPages(job) looks for the page module: beside the running program.
Path pageModulePath();

// The module's one entry point, looked up by this name. Its version is part of the name, so
// that a module from another build of PageJob is refused rather than misread. It returns 0
// when the job is done, else non-zero with the reason in `failure`; it throws nothing.
inline constexpr const char* kPageEntryPoint = "roomwright_send_to_pages_v2";
extern "C" {
using PageEntryPoint = int (*)(const PageJob* job, std::string* failure);
}

} // namespace roomwright
