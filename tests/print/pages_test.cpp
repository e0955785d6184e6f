#include "print/pages.h"

#include "store/disk/file_system.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace roomwright {
namespace {

struct PageJobTest : ::testing::Test {
    testing::TempDir temp;
    DiskFileSystem files;
    DataDirectory directory{temp.path() / "Motel"};
    FixedClock clock{CivilDate{2026, 12, 8}, TimeOfDay{9, 30, 0, 0}};
    std::vector<Document> documents{Document("Folio"), Document("Housekeeping")};

    PageJob pdfJob(const Path& pdf) {
        return PageJob{documents, pdf.string(), false, directory, files, clock, {}};
    }
};

// The error of a job that failed, with the file it must name; "" when it did not fail.
std::string failureOf(const std::function<void()>& job) {
    try {
        job();
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "";
}

// A module that is missing or is no library is refused by its name, and nothing is drawn.
TEST_F(PageJobTest, AModuleThatCannotBeLoadedIsNamed) {
    const Path garbage = temp.path() / "garbage-print.so";
    testing::writeFile(garbage, "\x7f"
                                "ELF, but no library");
    const Path pdf = temp.path() / "out.pdf";
    for (const Path& module : {temp.path() / "missing-print.so", garbage}) {
        SCOPED_TRACE(module.string());
        const std::string failure = failureOf([&] { sendToPages(pdfJob(pdf), module); });
        EXPECT_NE(failure.find("The page module " + module.generic_string()), std::string::npos)
            << failure;
        EXPECT_FALSE(std::filesystem::exists(pdf));
    }
}

// Through the module beside the program: a PDF is written, and a file that cannot be
// written comes back as an error naming it rather than escaping the module.
TEST_F(PageJobTest, TheModuleBesideTheProgramWritesThePdfOrNamesTheFile) {
    const struct {
        Path pdf;
        bool written;
    } cases[] = {
        {temp.path() / "both.pdf", true},
        {temp.path() / "no such folder" / "both.pdf", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pdf.generic_string());
        const std::string failure = failureOf([&] { sendToPages(pdfJob(c.pdf)); });
        if (c.written) {
            EXPECT_EQ(failure, "");
            EXPECT_EQ(testing::readFile(c.pdf).substr(0, 5), "%PDF-");
        } else {
            EXPECT_NE(failure.find(c.pdf.generic_string()), std::string::npos) << failure;
        }
    }
}

} // namespace
} // namespace roomwright
