// On Windows, the system's lock keeps a second program off a data directory: the
// command-line tool, started as a child process, is refused while this process holds it.
#include "store/disk/platform.h"
#include "store/disk/writer_lock.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#ifdef _WIN32

namespace roomwright {
namespace {

using testing::readFile;
using testing::snapshot;
using testing::TempDir;

TEST(OneWriterOnWindows, AChildProcessWritesOnlyWhileNoOneHoldsTheDirectory) {
    TempDir temp;
    DiskFileSystem files;
    const DataDirectory directory(temp.path() / "Motel");
    directory.ensureExists(files);
    const Path tool = platform::runningProgram().parent_path() / "roomwright-cli.exe";
    const Path errors = temp.path() / "errors.txt";
    // The tool's exit code, run through cmd, which takes the whole line between its outer
    // quotes as it is.
    const auto run = [&](const std::string& command) {
        const std::string line = "\"\"" + tool.string() + "\" --data-dir \"" +
                                 directory.root().string() +
                                 "\" --today 2026-12-07 --time 23:30:00 --wait 0 " + command +
                                 " >NUL 2>\"" + errors.string() + "\"\"";
        return std::system(line.c_str());
    };

    std::optional<WriterLock> desk = WriterLock::take(directory, "roomwright");
    const auto before = snapshot(directory.root());
    EXPECT_EQ(run("night-audit"), 1);
    EXPECT_NE(readFile(errors).find(busyMessage(directory, readFile(directory.writerLock()))),
              std::string::npos)
        << readFile(errors);
    EXPECT_EQ(snapshot(directory.root()), before);
    EXPECT_EQ(run("dump guests"), 0) << readFile(errors); // readers never wait

    desk.reset();
    EXPECT_EQ(run("night-audit"), 0) << readFile(errors);
    EXPECT_NE(snapshot(directory.root()), before);
}

} // namespace
} // namespace roomwright

#endif
