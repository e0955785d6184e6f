#pragma once

// A data directory in a temporary folder, and the command-line tool run on it.

#include "cli/commands.h"
#include "store/format/path_text.h"
#include "store/store.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace roomwright::testing {

class CliFixture : public ::testing::Test {
  protected:
    CliFixture() { directory.ensureExists(files); }

    // Runs the tool on the fixture's data directory with `options` (`--today`, ...) before
    // `words`; returns its exit code, with what it printed in `out` and `err`.
    int runTool(const std::vector<std::string>& words,
                const std::vector<std::string>& options = {}) {
        std::vector<std::string> arguments = {"--data-dir", utf8Text(directory.root())};
        arguments.insert(arguments.end(), options.begin(), options.end());
        arguments.insert(arguments.end(), words.begin(), words.end());
        out.str("");
        err.str("");
        return runCli(arguments, out, err);
    }

    TempDir temp;
    DataDirectory directory{temp.path() / "Motel"};
    DiskFileSystem files;
    Store store{directory, files};
    std::ostringstream out;
    std::ostringstream err;
};

} // namespace roomwright::testing
