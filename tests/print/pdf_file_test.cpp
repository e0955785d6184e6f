#include "print/pdf_file.h"

#include "store/format/store_error.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace roomwright {
namespace {

using testing::readFile;
using testing::snapshot;
using testing::TempDir;
using testing::writeFile;

class PdfFile : public ::testing::Test {
  protected:
    PdfFile() {
        writeFile(directory.guest(), "guests");
        std::filesystem::create_directories(directory.printouts());
    }

    // Writes `target` with a drawing that lays down `bytes`; the error's text, or "".
    std::string write(const Path& target, const std::string& bytes, bool drawn = true) {
        try {
            writePdfFile(target, directory, [&](const Path& temporary) {
                writeFile(temporary, bytes);
                return drawn;
            });
            return "";
        } catch (const StoreError& error) {
            return error.what();
        }
    }

    TempDir temp;
    DataDirectory directory{temp.path() / "Motel"};
};

TEST_F(PdfFile, AMotelFileOrTheDirectoryItselfIsNeverATarget) {
    std::vector<Path> targets{directory.guest(),
                              directory.root(),
                              directory.root() / "",
                              directory.printouts() / ".." / "guest",
                              directory.root() / "new.pdf",
                              directory.totals() / "122026"};
#ifndef _WIN32 // Wine makes no symbolic links
    std::filesystem::create_symlink(directory.guest(), temp.path() / "link.pdf");
    std::filesystem::create_directory_symlink(directory.root(), temp.path() / "alias");
    targets.insert(targets.end(), {temp.path() / "alias" / "guest", temp.path() / "link.pdf"});
#endif
    const auto before = snapshot(temp.path());
    for (const Path& target : targets) {
        const std::string error = write(target, "%PDF-1.7 x %%EOF\n");
        EXPECT_NE(error.find(target.generic_string()), std::string::npos) << target;
        EXPECT_NE(error.find("data directory"), std::string::npos) << error;
    }
    EXPECT_EQ(snapshot(temp.path()), before);
    EXPECT_EQ(write(directory.printouts() / "a.pdf", "%PDF-1.7 x %%EOF\n"), "");
}

// Only a regular file is replaced, or a new one made; and with printouts/ a link (here to
// the data directory itself), nothing in the data directory is a target.
TEST_F(PdfFile, ATargetThatIsNoRegularFileIsRefused) {
    std::filesystem::create_directories(temp.path() / "folder.pdf");
    std::vector<std::pair<Path, const char*>> targets = {
        {temp.path() / "folder.pdf", "not a regular file"}};
#ifndef _WIN32 // Wine makes no symbolic links, and has no /dev/null
    writeFile(temp.path() / "other.pdf", "other");
    std::filesystem::create_symlink(temp.path() / "other.pdf", temp.path() / "link.pdf");
    std::filesystem::remove(directory.printouts());
    std::filesystem::create_directory_symlink(directory.root(), directory.printouts());
    targets.insert(targets.end(), {{temp.path() / "link.pdf", "symbolic link"},
                                   {"/dev/null", "not a regular file"},
                                   {directory.printouts() / "guest", "data directory"},
                                   {directory.printouts() / "new.pdf", "data directory"}});
#endif
    const auto before = snapshot(temp.path());
    for (const auto& [target, refusal] : targets) {
        const std::string error = write(target, "%PDF-1.7 x %%EOF\n");
        EXPECT_NE(error.find(target.generic_string()), std::string::npos) << target;
        EXPECT_NE(error.find(refusal), std::string::npos) << error;
    }
    EXPECT_EQ(snapshot(temp.path()), before);
}

TEST_F(PdfFile, OnlyACompleteDocumentReplacesTheTarget) {
    const Path target = temp.path() / "folio.pdf";
    struct Case {
        const char* bytes;
        bool drawn;
        const char* failure;
    };
    for (const Case& c : {Case{"%PDF-1.7 x %%EOF\n", false, "could not be drawn"},
                          Case{"", true, "incomplete"}, Case{"%PDF-1.7 x %%EO", true, "incomplete"},
                          Case{"%PDF-1.7 x %%EOF trailer", true, "incomplete"}}) {
        writeFile(target, "old pages");
        const std::string error = write(target, c.bytes, c.drawn);
        EXPECT_NE(error.find(target.generic_string()), std::string::npos) << c.bytes;
        EXPECT_NE(error.find(c.failure), std::string::npos) << error;
        EXPECT_EQ(readFile(target), "old pages");
        EXPECT_EQ(snapshot(temp.path()).size(), 2u) << "a temporary file was left behind";
    }
    for (const char* complete : {"%PDF-1.7 x %%EOF", "%PDF-1.7 x %%EOF\r\n"}) {
        EXPECT_EQ(write(target, complete), "");
        EXPECT_EQ(readFile(target), complete);
    }
#ifndef _WIN32
    EXPECT_EQ(std::filesystem::status(target).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
#endif
}

} // namespace
} // namespace roomwright
