// The POSIX half of the platform seam (Linux, the BSDs, macOS).
#include "store/disk/platform.h"

#include "store/format/path_text.h"
#include "store/format/store_error.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <utility>
#include <vector>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace roomwright::platform {

namespace {

constexpr mode_t ownerOnlyFile = S_IRUSR | S_IWUSR;
constexpr mode_t ownerOnlyDirectory = S_IRWXU;

std::string reason(int error) {
    return std::strerror(error);
}

// Closes `fd` when it goes, unless released.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

  private:
    int fd_;
};

} // namespace

Path defaultDataDirectory(const std::optional<std::string>& xdgDataHome,
                          const std::optional<std::string>& home) {
    const Path base = xdgDataHome ? pathFromUtf8(*xdgDataHome)
                                  : pathFromUtf8(home.value_or(".")) / ".local" / "share";
    return base / "roomwright" / "Motel";
}

std::tm localTime(std::time_t moment) {
    std::tm parts{};
    localtime_r(&moment, &parts);
    return parts;
}

void createOwnerOnlyDirectory(const Path& directory) {
    if (::mkdir(directory.c_str(), ownerOnlyDirectory) == 0) {
        // The umask may have taken bits away; it never adds any, but say it exactly.
        if (::chmod(directory.c_str(), ownerOnlyDirectory) != 0) {
            throw StoreError(directory, "create", reason(errno), "folder");
        }
        return;
    }
    const int error = errno;
    struct stat status {};
    if (error == EEXIST && ::stat(directory.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) {
        return;
    }
    throw StoreError(directory, "create", reason(error == EEXIST ? ENOTDIR : error), "folder");
}

void createOwnerOnlyFile(const Path& file) {
    const Descriptor fd(
        ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, ownerOnlyFile));
    if (fd.get() < 0) {
        if (errno == EEXIST) {
            return;
        }
        throw StoreError(file, "create", reason(errno));
    }
    if (::fchmod(fd.get(), ownerOnlyFile) != 0) {
        throw StoreError(file, "create", reason(errno));
    }
}

void makeOwnerOnly(const Path& file) {
    if (::chmod(file.c_str(), ownerOnlyFile) != 0) {
        throw StoreError(file, "protect", reason(errno));
    }
}

std::uint64_t processId() {
    return static_cast<std::uint64_t>(::getpid());
}

std::string hostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0) {
        return "this computer";
    }
    return name;
}

FileLock FileLock::tryTake(const Path& file) {
    createOwnerOnlyFile(file);
    // Never through a link (the holder's description would be written where it leads), and
    // never a FIFO, a device or a folder in the file's place.
    Descriptor fd(::open(file.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    if (fd.get() < 0) {
        throw StoreError(file, "open", errno == ELOOP ? "it is a symbolic link" : reason(errno));
    }
    struct stat status {};
    if (::fstat(fd.get(), &status) != 0) {
        throw StoreError(file, "open", reason(errno));
    }
    if (!S_ISREG(status.st_mode)) {
        throw StoreError(file, "open", "it is not a regular file");
    }
    // flock, not fcntl: an fcntl lock would vanish when this process closes any other
    // descriptor of the file, and would not keep out a second lock taken in this process.
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) {
            return FileLock();
        }
        throw StoreError(file, "lock", reason(errno));
    }
    return FileLock(file, fd.release());
}

void FileLock::describe(const std::string& text) {
    const int fd = static_cast<int>(handle_);
    if (::ftruncate(fd, 0) != 0) {
        throw StoreError(file_, "write", reason(errno));
    }
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t put =
            ::pwrite(fd, text.data() + done, text.size() - done, static_cast<off_t>(done));
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            throw StoreError(file_, "write", reason(put < 0 ? errno : ENOSPC));
        }
        done += static_cast<std::size_t>(put);
    }
}

void FileLock::release() noexcept {
    if (held()) {
        // Closing the last descriptor lets go of the lock.
        ::close(static_cast<int>(handle_));
        handle_ = closed;
    }
}

std::FILE* openFile(const Path& file, const char* mode) {
    return std::fopen(file.c_str(), mode);
}

bool seekFile(std::FILE* file, std::uint64_t offset) {
    if (offset > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) {
        errno = EFBIG;
        return false;
    }
    return ::fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
}

std::optional<std::string> environmentVariable(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return std::string(value);
}

std::vector<std::string> programArguments(int argc, char* argv[]) {
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
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
    if (::dladdr(reinterpret_cast<void*>(&runningProgram), &info) == 0 ||
        info.dli_fname == nullptr) {
        throw std::runtime_error("The running program's file name is unknown.");
    }
    return std::filesystem::absolute(info.dli_fname);
}

void* loadSymbol(const Path& library, const char* symbol, std::string& reason) {
    void* handle = ::dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        reason = ::dlerror();
        return nullptr;
    }
    void* address = ::dlsym(handle, symbol);
    if (address == nullptr) {
        reason = std::string("it has no entry point ") + symbol;
    }
    return address;
}

// ---- Making writes durable -----------------------------------------------------------

namespace {

void syncPath(const Path& path, bool missingIsFine, const char* noun) {
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT && missingIsFine) {
            return;
        }
        throw StoreError(path, "sync", reason(errno), noun);
    }
    if (::fsync(fd.get()) != 0) {
        throw StoreError(path, "sync", reason(errno), noun);
    }
}

} // namespace

void syncFile(const Path& file) {
    syncPath(file, true, "file");
}

void syncDirectory(const Path& directory) {
    syncPath(directory, false, "folder");
}

void syncTogether(std::span<const Path> files, std::span<const Path> directories) {
    const auto oneByOne = [&] {
        for (const Path& file : files) {
            syncFile(file);
        }
        for (const Path& directory : directories) {
            syncDirectory(directory);
        }
    };
#ifdef __linux__
    // syncfs waits for every file and name of the file system at once: the cost of one
    // fsync, however many files an operation changed.
    std::vector<dev_t> synced;
    const auto syncSystemOf = [&](const Path& path, bool missingIsFine) {
        const Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
        struct stat status {};
        if (fd.get() < 0 || ::fstat(fd.get(), &status) != 0) {
            return errno == ENOENT && missingIsFine;
        }
        if (std::ranges::find(synced, status.st_dev) == synced.end()) {
            if (::syncfs(fd.get()) != 0) {
                return false;
            }
            synced.push_back(status.st_dev);
        }
        return true;
    };
    const bool allSynced =
        std::ranges::all_of(files, [&](const Path& file) { return syncSystemOf(file, true); }) &&
        std::ranges::all_of(directories,
                            [&](const Path& directory) { return syncSystemOf(directory, false); });
    if (allSynced) {
        return;
    }
    // One by one, each failure names its file.
    const int failure = errno;
    oneByOne();
    throw StoreError(files.empty() ? directories.front() : files.front(), "sync", reason(failure));
#else
    oneByOne();
#endif
}

} // namespace roomwright::platform
