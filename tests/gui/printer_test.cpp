#include "gui/gui_fixture.h"
#include "print/qt_printer.h"
#include "store/format/store_error.h"

#include <QPrinterInfo>

namespace roomwright::testing {
namespace {

Document sample() {
    Document page("Folio 17");
    page.text(std::string(57, ' ') + "Temporary Motel Inc.").endLine();
    page.text(std::string(140, '-')).endLine();
    for (int i = 0; i < 120; ++i) { // more than one page
        page.text("101").tab(85).number(72.8).endLine();
    }
    return page;
}

TEST(PdfPrintout, IsWrittenAsAPdfFile) {
    TempDir temp;
    const Path file = temp.path() / "folio.pdf";
    writePdf({sample()}, file, DataDirectory(temp.path() / "Motel"));
    const std::string bytes = readFile(file);
    ASSERT_GT(bytes.size(), 500u);
    EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
}

TEST(PdfPrintout, AFileThatCannotBeWrittenIsReported) {
    TempDir temp;
    writeFile(temp.path() / "blocker", "x");
    const Path file = temp.path() / "blocker" / "folio.pdf";
    EXPECT_THROW(writePdf({sample()}, file, DataDirectory(temp.path() / "Motel")), StoreError);
}

TEST(SystemPrinter, WithoutAPrinterThePrintoutIsSavedAndTheClerkToldWhere) {
    if (!QPrinterInfo::defaultPrinter().isNull()) {
        GTEST_SKIP() << "this machine has a printer set up";
    }
    TempDir temp;
    DiskFileSystem files;
    const DataDirectory directory(temp.path() / "Motel");
    FixedClock clock({2026, 12, 7}, {15, 42, 10, 0});
    std::vector<std::string> told;
    SystemPrinter printer(directory, files, clock,
                          [&](const std::string& message) { told.push_back(message); });
    printer.print(sample());
    const Path expected = directory.printouts() / "2026-12-07 154210 Folio 17.pdf";
    EXPECT_TRUE(std::filesystem::exists(expected));
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find(expected.generic_string()), std::string::npos);
#ifndef _WIN32
    EXPECT_EQ(std::filesystem::status(expected).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(std::filesystem::status(directory.printouts()).permissions(),
              std::filesystem::perms::owner_all);
#endif

    // A printout that cannot take its name (a folder is in the way) is an error naming it,
    // and the clerk is never told it was saved.
    told.clear();
    FixedClock later({2026, 12, 7}, {15, 42, 11, 0});
    SystemPrinter second(directory, files, later,
                         [&](const std::string& message) { told.push_back(message); });
    const Path blocked = directory.printouts() / "2026-12-07 154211 Folio 17.pdf";
    std::filesystem::create_directories(blocked);
    try {
        second.print(sample());
        ADD_FAILURE() << "no error";
    } catch (const StoreError& error) {
        EXPECT_NE(std::string(error.what()).find(blocked.generic_string()), std::string::npos);
    }
    EXPECT_TRUE(told.empty());
}

} // namespace
} // namespace roomwright::testing
