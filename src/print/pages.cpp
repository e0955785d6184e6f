#include "print/pages.h"

#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace roomwright {

namespace {

// The platform's half of loading the module: its entry point, or the reason there is none.
#ifdef _WIN32
PageEntryPoint loadEntryPoint(const Path& module, std::string& reason) {
    HMODULE library = LoadLibraryW(module.wstring().c_str());
    if (library == nullptr) {
        reason = "Windows error " + std::to_string(GetLastError());
        return nullptr;
    }
    // The module stays loaded for the life of the program: Qt does not unload cleanly.
    const FARPROC entry = GetProcAddress(library, kPageEntryPoint);
    if (entry == nullptr) {
        reason = std::string("it has no entry point ") + kPageEntryPoint;
        return nullptr;
    }
    return reinterpret_cast<PageEntryPoint>(reinterpret_cast<void*>(entry));
}

Path runningProgram() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) {
            throw std::runtime_error("The running program's file name is unknown (Windows error " +
                                     std::to_string(GetLastError()) + ").");
        }
        if (length < name.size()) {
            name.resize(length);
            return Path(name);
        }
        name.resize(name.size() * 2);
    }
}
#else
PageEntryPoint loadEntryPoint(const Path& module, std::string& reason) {
    // The module stays loaded for the life of the program: Qt does not unload cleanly.
    void* library = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        reason = dlerror();
        return nullptr;
    }
    void* entry = dlsym(library, kPageEntryPoint);
    if (entry == nullptr) {
        reason = std::string("it has no entry point ") + kPageEntryPoint;
        return nullptr;
    }
    return reinterpret_cast<PageEntryPoint>(entry);
}

Path runningProgram() {
#ifdef __linux__
    std::error_code failure;
    const Path program = std::filesystem::read_symlink("/proc/self/exe", failure);
    if (!failure) {
        return program;
    }
#endif
    // Elsewhere, the file that holds this very function.
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&runningProgram), &info) == 0 || info.dli_fname == nullptr) {
        throw std::runtime_error("The running program's file name is unknown.");
    }
    return std::filesystem::absolute(info.dli_fname);
}
#endif

} // namespace

Path pageModulePath() {
    return runningProgram().parent_path() / ROOMWRIGHT_PAGE_MODULE;
}

void sendToPages(const PageJob& job) {
    sendToPages(job, pageModulePath());
}

void sendToPages(const PageJob& job, const Path& module) {
    std::string reason;
    const PageEntryPoint entry = loadEntryPoint(module, reason);
    if (entry == nullptr) {
        throw std::runtime_error("The page module " + module.generic_string() +
                                 " could not be loaded, so nothing was drawn as pages: " + reason);
    }
    std::string failure;
    if (entry(&job, &failure) != 0) {
        throw std::runtime_error(failure);
    }
}

} // namespace roomwright
