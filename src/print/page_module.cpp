// The page module: draws a PageJob's documents with Qt. The command-line tool loads it only
// when a command asks for a PDF file or the printer.
#include "print/pages.h"
#include "print/qt_printer.h"
#include "store/format/path_text.h"

#include <QGuiApplication>
#include <QString>

#include <exception>
#include <type_traits>

#ifdef _WIN32
#define ROOMWRIGHT_EXPORT __declspec(dllexport)
#else
#define ROOMWRIGHT_EXPORT __attribute__((visibility("default")))
#endif

namespace {

// Drawing a page needs a Qt application. The command line never shows a window, so it draws
// offscreen and needs no display.
template <class Work> void withQtApplication(Work work) {
    if (QCoreApplication::instance() != nullptr) {
        work();
        return;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef _WIN32
    // Offscreen, Qt on Windows reads its fonts from a folder, by default one inside Qt's own
    // installation that an installed program lacks (its pages would have no text): Windows'.
    if (!qEnvironmentVariableIsSet("QT_QPA_FONTDIR")) {
        qputenv("QT_QPA_FONTDIR", qgetenv("WINDIR") + "\\Fonts");
    }
#endif
    int argc = 1;
    char name[] = "roomwright-cli";
    char* argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);
    work();
}

} // namespace

extern "C" ROOMWRIGHT_EXPORT int roomwright_send_to_pages_v2(const roomwright::PageJob* job,
                                                             std::string* failure) {
    using namespace roomwright;
    // Nothing thrown here may cross into the program, which holds its own copy of the
    // error classes.
    try {
        withQtApplication([&] {
            if (job->pdf) {
                writePdf(job->documents, pathFromUtf8(*job->pdf), job->directory, job->paper);
            }
            if (job->printer) {
                SystemPrinter system(job->directory, job->files, job->clock, job->tell, job->paper);
                for (const Document& document : job->documents) {
                    system.print(document);
                }
            }
        });
        return 0;
    } catch (const std::exception& error) {
        *failure = error.what();
    } catch (...) {
        *failure = "The pages could not be drawn.";
    }
    return 1;
}

// The loader calls the entry point through this type; its name is kPageEntryPoint.
static_assert(std::is_same_v<decltype(&roomwright_send_to_pages_v2), roomwright::PageEntryPoint>);
