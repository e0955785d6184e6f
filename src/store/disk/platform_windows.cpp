// The Windows half of the platform seam, on the Win32 API.
#include "store/disk/platform.h"

#include "store/format/store_error.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <stdexcept>
#include <utility>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

namespace roomwright::platform {

namespace {

// Windows locks byte ranges, and a locked range cannot be read by anyone else. The lock
// takes one byte far past anything the file holds, so that the holder's description stays
// readable to the process that was refused (the same place SQLite uses, which also works on
// FAT volumes).
constexpr DWORD lockOffset = 0x40000000;

std::string utf8(const wchar_t* text, int length) {
    if (length <= 0) {
        return {};
    }
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) {
        return {};
    }
    std::string result(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, length, result.data(), size, nullptr, nullptr);
    return result;
}

// The system's message for `error`, without the line end it comes with.
std::string reason(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text = buffer != nullptr ? utf8(buffer, static_cast<int>(length)) : std::string();
    if (buffer != nullptr) {
        ::LocalFree(buffer);
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' ||
                             text.back() == '.')) {
        text.pop_back();
    }
    return text.empty() ? "system error " + std::to_string(error) : text;
}

HANDLE openShared(const Path& file, DWORD disposition) {
    // Every sharing mode, so that readers and the refused process can open it too.
    return ::CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

HANDLE toHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

} // namespace

Path defaultDataDirectory(const std::optional<std::string>&, const std::optional<std::string>&) {
    return Path("c:/Motel/");
}

std::tm localTime(std::time_t moment) {
    std::tm parts{};
    localtime_s(&parts, &moment);
    return parts;
}

void createOwnerOnlyDirectory(const Path& directory) {
    if (::CreateDirectoryW(directory.c_str(), nullptr)) {
        return;
    }
    const DWORD error = ::GetLastError();
    if (error == ERROR_ALREADY_EXISTS) {
        const DWORD attributes = ::GetFileAttributesW(directory.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            return;
        }
    }
    throw StoreError(directory, "create", reason(error), "folder");
}

void createOwnerOnlyFile(const Path& file) {
    const HANDLE handle = openShared(file, CREATE_NEW);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) {
            return;
        }
        throw StoreError(file, "create", reason(error));
    }
    ::CloseHandle(handle);
}

void makeOwnerOnly(const Path&) {}

std::uint64_t processId() {
    return ::GetCurrentProcessId();
}

std::string hostName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    if (!::GetComputerNameW(name, &length)) {
        return "this computer";
    }
    return utf8(name, static_cast<int>(length));
}

FileLock FileLock::tryTake(const Path& file) {
    // Never through a link or another reparse point, and never a folder in the file's place.
    const DWORD attributes = ::GetFileAttributesW(file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        throw StoreError(file, "open",
                         (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0
                             ? "it is a symbolic link"
                             : "it is not a regular file");
    }
    const HANDLE handle = openShared(file, OPEN_ALWAYS);
    if (handle == INVALID_HANDLE_VALUE) {
        throw StoreError(file, "open", reason(::GetLastError()));
    }
    if (::GetFileType(handle) != FILE_TYPE_DISK) {
        ::CloseHandle(handle);
        throw StoreError(file, "open", "it is not a regular file");
    }
    OVERLAPPED where{};
    where.Offset = lockOffset;
    if (!::LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                      &where)) {
        const DWORD error = ::GetLastError();
        ::CloseHandle(handle);
        if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING) {
            return FileLock();
        }
        throw StoreError(file, "lock", reason(error));
    }
    return FileLock(file, reinterpret_cast<std::intptr_t>(handle));
}

void FileLock::describe(const std::string& text) {
    const HANDLE handle = toHandle(handle_);
    LARGE_INTEGER start{};
    if (!::SetFilePointerEx(handle, start, nullptr, FILE_BEGIN) || !::SetEndOfFile(handle)) {
        throw StoreError(file_, "write", reason(::GetLastError()));
    }
    DWORD put = 0;
    if (!::WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &put, nullptr) ||
        put != text.size()) {
        throw StoreError(file_, "write", reason(::GetLastError()));
    }
}

void FileLock::release() noexcept {
    if (held()) {
        const HANDLE handle = toHandle(handle_);
        OVERLAPPED where{};
        where.Offset = lockOffset;
        // Unlock before closing: the system lets go of a closed handle's locks only later.
        ::UnlockFileEx(handle, 0, 1, 0, &where);
        ::CloseHandle(handle);
        handle_ = closed;
    }
}

namespace {

std::wstring wide(const char* text) {
    const int size = ::MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (size <= 0) {
        return {};
    }
    std::wstring result(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text, -1, result.data(), size);
    result.pop_back(); // the terminating NUL
    return result;
}

} // namespace

std::FILE* openFile(const Path& file, const char* mode) {
    return ::_wfopen(file.c_str(), wide(mode).c_str());
}

bool seekFile(std::FILE* file, std::uint64_t offset) {
    if (offset > static_cast<std::uint64_t>(INT64_MAX)) {
        errno = EFBIG;
        return false;
    }
    return ::_fseeki64(file, static_cast<__int64>(offset), SEEK_SET) == 0;
}

std::optional<std::string> environmentVariable(const char* name) {
    const wchar_t* value = ::_wgetenv(wide(name).c_str());
    if (value == nullptr || *value == L'\0') {
        return std::nullopt;
    }
    return utf8(value, static_cast<int>(std::wcslen(value)));
}

std::vector<std::string> programArguments(int argc, char* argv[]) {
    int count = 0;
    wchar_t** words = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (words == nullptr) {
        // Out of memory: the arguments as the runtime passed them, ASCII intact.
        return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
    }
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) {
        arguments.push_back(utf8(words[i], static_cast<int>(std::wcslen(words[i]))));
    }
    ::LocalFree(words);
    return arguments;
}

Path runningProgram() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) {
            throw std::runtime_error("The running program's file name is unknown (" +
                                     reason(::GetLastError()) + ").");
        }
        if (length < name.size()) {
            name.resize(length);
            return Path(name);
        }
        name.resize(name.size() * 2);
    }
}

void* loadSymbol(const Path& library, const char* symbol, std::string& why) {
    const HMODULE handle = ::LoadLibraryW(library.c_str());
    if (handle == nullptr) {
        why = reason(::GetLastError());
        return nullptr;
    }
    const FARPROC address = ::GetProcAddress(handle, symbol);
    if (address == nullptr) {
        why = std::string("it has no entry point ") + symbol;
        return nullptr;
    }
    return reinterpret_cast<void*>(address);
}

// ---- Making writes durable -----------------------------------------------------------

void syncFile(const Path& file) {
    const HANDLE handle = openShared(file, OPEN_EXISTING);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            return;
        }
        throw StoreError(file, "sync", reason(error));
    }
    const BOOL flushed = ::FlushFileBuffers(handle);
    const DWORD error = ::GetLastError();
    ::CloseHandle(handle);
    if (!flushed) {
        throw StoreError(file, "sync", reason(error));
    }
}

void syncDirectory(const Path&) {
    // NTFS writes a file's name to the disk with the file itself.
}

void syncTogether(std::span<const Path> files, std::span<const Path>) {
    // Windows flushes a volume only for an administrator: each file is flushed on its own.
    for (const Path& file : files) {
        syncFile(file);
    }
}

} // namespace roomwright::platform
