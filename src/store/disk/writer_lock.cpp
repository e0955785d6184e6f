#include "store/disk/writer_lock.h"

#include "store/format/path_text.h"

#include <fstream>
#include <sstream>
#include <thread>

namespace roomwright {

namespace {

constexpr std::chrono::milliseconds kAskAgain(100);

std::string describeThisProcess(const std::string& program) {
    return "pid " + std::to_string(platform::processId()) + "\nhost " + platform::hostName() +
           "\nprogram " + program + "\n";
}

// What the lock file says of its holder; "" when it cannot be read (the holder may not
// have written it yet).
std::string holderOf(const Path& lockFile) {
    std::ifstream in(lockFile, std::ios::binary);
    std::string text(512, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

} // namespace

std::string busyMessage(const DataDirectory& directory, const std::string& holder) {
    std::string pid;
    std::string host;
    std::string program;
    std::istringstream lines(holder);
    for (std::string line; std::getline(lines, line);) {
        const auto blank = line.find(' ');
        const std::string key = line.substr(0, blank);
        const std::string value = blank == std::string::npos ? "" : line.substr(blank + 1);
        if (key == "pid") {
            pid = value;
        } else if (key == "host") {
            host = value;
        } else if (key == "program") {
            program = value;
        }
    }
    std::string who = "another program is using it";
    if (!pid.empty() && pid.find_first_not_of("0123456789") == std::string::npos) {
        who = "process " + pid;
        if (!program.empty() || !host.empty()) {
            who += " (" + (program.empty() ? std::string("a program") : program) +
                   (host.empty() ? "" : " on " + host) + ")";
        }
        who += " is using it";
    }
    return "Roomwright is already running on the data directory " + utf8Text(directory.root()) +
           ": " + who + ".";
}

WriterLock WriterLock::take(const DataDirectory& directory, const std::string& program,
                            std::chrono::milliseconds patience) {
    const auto giveUp = std::chrono::steady_clock::now() + patience;
    while (true) {
        platform::FileLock lock = platform::FileLock::tryTake(directory.writerLock());
        if (lock.held()) {
            lock.describe(describeThisProcess(program));
            return WriterLock(std::move(lock));
        }
        if (std::chrono::steady_clock::now() >= giveUp) {
            throw DirectoryBusy(busyMessage(directory, holderOf(directory.writerLock())));
        }
        std::this_thread::sleep_for(kAskAgain);
    }
}

} // namespace roomwright
