// What must hold the same on Windows and elsewhere: the names under c:/Motel/, the bytes of
// a charge file, and names beyond ASCII.
#include "store/charges.h"
#include "store/disk/data_directory.h"
#include "store/format/path_text.h"
#include "store/settings.h"
#include "store/format/store_error.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace roomwright {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

// A charge file of folio 17 as the store writes it, committed as written on Linux.
std::string committedChargeFile() {
    return readFile(pathFromUtf8(ROOMWRIGHT_TEST_FIXTURES) / "charge-file-folio-17");
}

TEST(WindowsPaths, TheMotelDirectoryNamesEveryFileWithForwardSlashes) {
    const DataDirectory motel(Path("c:/Motel/"));
    const struct {
        Path file;
        const char* name;
    } cases[] = {
        {motel.room(), "c:/Motel/room"},
        {motel.guest(), "c:/Motel/guest"},
        {motel.dailyCharge(), "c:/Motel/dailycharge"},
        {motel.totals(), "c:/Motel/totals"},
        {motel.message(), "c:/Motel/message"},
        {motel.chargeFile(17), "c:/Motel/dailycharge/ 17"},
        {motel.totalsFile({2027, 1, 1}), "c:/Motel/totals/12027"},
        {motel.messageFile(7), "c:/Motel/message/ 7"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(utf8Text(c.file), c.name);
    }
#ifdef _WIN32
    // Windows's default, a directory of drive C: whichever slash names it.
    const DataDirectory located = DataDirectory::locate({});
    EXPECT_EQ(located.root(), motel.root());
    EXPECT_TRUE(located.root().is_absolute());
    EXPECT_EQ(located.root().root_name(), Path("c:"));
    EXPECT_EQ(located.chargeFile(17), Path(L"c:\\Motel\\dailycharge\\ 17"));
    EXPECT_EQ(located.totalsFile({2026, 12, 31}), Path(L"c:\\Motel\\totals\\122026"));
    EXPECT_EQ(located.messageFile(17), Path(L"c:\\Motel\\message\\ 17"));
#endif
}

// The same postings give the same bytes, CR LF line ends and Windows-1252 included, and a
// file the other system wrote reads back and grows as one written here.
TEST(ChargeFile, IsTheSameBytesOnEverySystem) {
    TempDir temp;
    DiskFileSystem disk;
    const Store store(DataDirectory(temp.path()), disk);
    store.directory().ensureExists(disk);
    ShiftClerkRecord onDuty;
    onDuty.Shift = "A";
    onDuty.ClerkInitials = "J\u00c9";
    setShiftAndClerk(store, onDuty);
    const struct {
        Category category;
        double amount;
        CivilDate day;
        const char* code;
    } postings[] = {
        {Category::RoomRent, 59.95, {2026, 12, 7}, "E"},
        {Category::Visa, 125.5, {2026, 12, 7}, "V"},
        {Category::PetFee, 10, {2026, 12, 8}, "P"},
    };
    for (const auto& p : postings) {
        postItem(store, 17, "101  ", p.category, p.amount, p.day);
    }
    const std::string committed = committedChargeFile();
    ASSERT_EQ(committed.size(), 230u);
    EXPECT_EQ(readFile(store.directory().chargeFile(17)), committed);

    writeFile(store.directory().chargeFile(18), committed);
    const ParsedCharges read = readCharges(store, 18);
    EXPECT_TRUE(read.problems.empty());
    ASSERT_EQ(read.lines.size(), std::size(postings));
    for (std::size_t i = 0; i < read.lines.size(); ++i) {
        EXPECT_EQ(read.lines[i].Code, postings[i].code);
        EXPECT_EQ(read.lines[i].Amount, postings[i].amount);
        EXPECT_EQ(read.lines[i].PostDate, postings[i].day);
        EXPECT_EQ(read.lines[i].Clerk, "J\u00c9");
        EXPECT_EQ(read.lines[i].FolioNumber, 17);
    }
    postItem(store, 18, "101  ", Category::Cash, 1, {2026, 12, 9});
    const std::string grown = readFile(store.directory().chargeFile(18));
    EXPECT_EQ(grown.substr(0, committed.size()), committed);
    EXPECT_EQ(grown.substr(committed.size() + 41), "1,,18,,\"-----\",\"-----\",,,,,,\r\n");
}

// A data directory named beyond ASCII is created and written under that very name, and a
// failure in it names the file as the clerk typed it.
TEST(DataDirectory, ANameBeyondAsciiReachesTheDiskAndTheMessages) {
    TempDir temp;
    const std::string name = "Motel Zo\u00eb \u0416";
    DataDirectory::Environment environment;
    environment.dataDirOption = utf8Text(temp.path()) + "/" + name;
    const DataDirectory directory = DataDirectory::locate(environment);
    DiskFileSystem disk;
    directory.ensureExists(disk);
    const Store store(directory, disk);
    ShiftClerkRecord onDuty;
    onDuty.Shift = "B";
    onDuty.ClerkInitials = "JS";
    setShiftAndClerk(store, onDuty);

    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(temp.path())) {
        names.push_back(utf8Text(entry.path().filename()));
    }
    EXPECT_EQ(names, std::vector<std::string>{name});
    EXPECT_EQ(readFile(directory.shiftClerk()), "JSB");

    std::filesystem::create_directories(directory.chargeFile(1));
    try {
        postItem(store, 1, "101  ", Category::Cash, 5, {2026, 12, 7});
        ADD_FAILURE() << "a folder took a charge line";
    } catch (const StoreError& error) {
        EXPECT_NE(std::string(error.what()).find(*environment.dataDirOption + "/dailycharge/ 1"),
                  std::string::npos)
            << error.what();
    }
}

} // namespace
} // namespace roomwright
