#include "print/pages.h"

#include "store/format/path_text.h"
#include "store/disk/platform.h"

#include <stdexcept>

namespace roomwright {

namespace {

// The module's entry point, or the reason there is none. The module stays loaded for the
// life of the program: Qt does not unload cleanly.
PageEntryPoint loadEntryPoint(const Path& module, std::string& reason) {
    return reinterpret_cast<PageEntryPoint>(platform::loadSymbol(module, kPageEntryPoint, reason));
}

} // namespace

Path pageModulePath() {
    return platform::runningProgram().parent_path() / ROOMWRIGHT_PAGE_MODULE;
}

void sendToPages(const PageJob& job) {
    sendToPages(job, pageModulePath());
}

void sendToPages(const PageJob& job, const Path& module) {
    std::string reason;
    const PageEntryPoint entry = loadEntryPoint(module, reason);
    if (entry == nullptr) {
        throw std::runtime_error("The page module " + utf8Text(module) +
                                 " could not be loaded, so nothing was drawn as pages: " + reason);
    }
    std::string failure;
    if (entry(&job, &failure) != 0) {
        throw std::runtime_error(failure);
    }
}

} // namespace roomwright
