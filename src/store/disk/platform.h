#pragma once

// Everything that differs between Windows and the other systems, in one place:
// platform_windows.cpp on Windows, platform_posix.cpp elsewhere. No other file of the store
// includes a system header of its own.

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace roomwright::platform {

using Path = std::filesystem::path;

// ---- Where the data lives ------------------------------------------------------------

// The data directory when neither the --data-dir option nor ROOMWRIGHT_DATA_DIR names one:
// c:/Motel/ on Windows; elsewhere $XDG_DATA_HOME/roomwright/Motel/, by default
// ~/.local/share/roomwright/Motel/ (HOME, else the working directory).
Path defaultDataDirectory(const std::optional<std::string>& xdgDataHome,
                          const std::optional<std::string>& home);

// ---- The local time ------------------------------------------------------------------

std::tm localTime(std::time_t moment);

// ---- Owner-only files ----------------------------------------------------------------
// The guest file holds card numbers and driver's licences: what the store creates is for
// the account that runs the program only (directories 0700, files 0600, whatever the
// umask). On Windows the user's profile and the folder's NTFS permissions protect them;
// these calls create with the inherited permissions there and change nothing.

// Creates `directory` when it is missing, for its owner only. Its parent must exist.
// Throws StoreError naming it when it cannot.
void createOwnerOnlyDirectory(const Path& directory);
// Creates `file` empty and for its owner only when it is missing; an existing file is left
// as it is. Throws StoreError naming it when it cannot.
void createOwnerOnlyFile(const Path& file);
// Makes an existing file readable and writable by its owner only (a file another library
// created, such as a PDF). Throws StoreError naming it when it cannot.
void makeOwnerOnly(const Path& file);

// ---- The one-writer lock -------------------------------------------------------------

// This process, as another process is told who holds a lock.
std::uint64_t processId();
std::string hostName();

// An exclusive advisory lock on a file, taken through the system (flock on POSIX,
// LockFileEx on Windows). The system lets go of it when the holder closes it or dies, so a
// crashed program never blocks the next one. Two FileLocks on one file conflict also
// within one process.
class FileLock {
  public:
    // Opens `file`, creating it for its owner only when missing, and takes the lock without
    // waiting. The result holds nothing when someone else has the lock. Throws StoreError
    // naming the file when it cannot be opened or the system refuses for another reason.
    static FileLock tryTake(const Path& file);

    FileLock() = default;
    FileLock(FileLock&& other) noexcept
        : file_(std::move(other.file_)), handle_(std::exchange(other.handle_, closed)) {}
    FileLock& operator=(FileLock&& other) noexcept {
        if (this != &other) {
            release();
            file_ = std::move(other.file_);
            handle_ = std::exchange(other.handle_, closed);
        }
        return *this;
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock() { release(); }

    bool held() const { return handle_ != closed; }
    // Replaces the locked file's content by `text` (who holds it). Throws StoreError.
    void describe(const std::string& text);

  private:
    static constexpr std::intptr_t closed = -1;
    FileLock(Path file, std::intptr_t handle) : file_(std::move(file)), handle_(handle) {}
    void release() noexcept;

    Path file_;
    std::intptr_t handle_ = closed;
};

// ---- Files, names and text the system hands over ----------------------------------------

// Opens `file` as std::fopen does (the store uses binary modes only, so no line end is ever
// translated), handing the system the whole name whatever characters it holds: the wide
// name on Windows. Sets errno and returns nullptr when it cannot.
std::FILE* openFile(const Path& file, const char* mode);
// Moves `file` to `offset` bytes from its start, also past 2 GiB (a long has 32 bits on
// Windows). Sets errno and returns false when it cannot.
bool seekFile(std::FILE* file, std::uint64_t offset);
// The value of an environment variable as UTF-8; nothing when it is unset or empty.
std::optional<std::string> environmentVariable(const char* name);
// The program's arguments after its name, as UTF-8 (Windows hands `argv` over in the ANSI
// code page; its wide command line has every character).
std::vector<std::string> programArguments(int argc, char* argv[]);

// ---- Loading a library while running ---------------------------------------------------

// The file of the running program.
Path runningProgram();
// Loads `library` (it stays loaded for the life of the program) and returns the address of
// `symbol` in it; nullptr with `reason` set when either cannot be had.
void* loadSymbol(const Path& library, const char* symbol, std::string& reason);

// ---- Making writes durable -----------------------------------------------------------
// A write reaches the system's cache at once and the disk some time later: these wait
// until it is on the disk, where a power cut cannot take it.

// Syncs what was written to `file`; a missing file is no error. Throws StoreError naming
// the file when the system cannot.
void syncFile(const Path& file);
// Syncs the names in `directory`: files created in it, renamed into it or deleted from it.
// Throws StoreError naming the directory when the system cannot. Windows keeps a name on
// the disk with its file, so that there it does nothing.
void syncDirectory(const Path& directory);
// Syncs `files` (a missing one is no error) and the names in `directories` together: on
// Linux with one syncfs for each file system they lie on, elsewhere one by one. Throws
// StoreError naming a file or folder that could not be synced.
void syncTogether(std::span<const Path> files, std::span<const Path> directories);

} // namespace roomwright::platform
