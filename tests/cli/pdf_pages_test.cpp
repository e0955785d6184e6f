// The printouts as they come out on paper: each document drawn through the page module into
// a PDF, read back with poppler's pdftotext.
#include "cli/cli_fixture.h"

#include "frontdesk/check_out.h"
#include "frontdesk/folio.h"
#include "frontdesk/housekeeping.h"
#include "print/pages.h"
#include "reports/desk_lists.h"
#include "reports/financial_report.h"
#include "reports/night_audit.h"
#include "store/charges.h"
#include "store/lookups.h"
#include "store/settings.h"
#include "support/records.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <regex>

#ifndef _WIN32

namespace roomwright {
namespace {

using testing::makeRoom;
using testing::makeStayOver;
using testing::readFile;

const CivilDate kToday{2026, 12, 7};
// The width of a character of the print font (DejaVu Sans Mono, of fonts-dejavu-core) per
// point of its size.
constexpr double kAdvance = 1233.0 / 2048.0;
constexpr double kMargin = 36; // half an inch, in points

struct Word {
    double left, top, right, bottom;
    std::string text;
};
struct Page {
    double width = 0, height = 0;
    std::vector<Word> words;
};

// Runs a command line through the shell; its exit code.
int shell(const std::string& line) {
    return std::system(line.c_str());
}

// The pages of a PDF with every word and its box, in points from the page's top left.
std::vector<Page> pagesOf(const Path& pdf) {
    const Path boxes = pdf.string() + ".html";
    EXPECT_EQ(shell("pdftotext -bbox '" + pdf.string() + "' '" + boxes.string() + "'"), 0);
    const std::string html = readFile(boxes);
    static const std::regex tag(
        R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="([\d.]+)" )re"
        R"re(xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    std::vector<Page> pages;
    for (std::sregex_iterator it(html.begin(), html.end(), tag), end; it != end; ++it) {
        const std::smatch& m = *it;
        if (m[1].matched) {
            pages.push_back({std::stod(m[1]), std::stod(m[2]), {}});
        } else if (!pages.empty()) {
            pages.back().words.push_back(
                {std::stod(m[3]), std::stod(m[4]), std::stod(m[5]), std::stod(m[6]), m[7]});
        }
    }
    return pages;
}

// The width of the characters a page is set in, from the widths of its words.
double pitch(const Page& page) {
    double width = 0;
    double characters = 0;
    for (const Word& word : page.words) {
        width += word.right - word.left;
        characters += characterCount(word.text);
    }
    return width / characters;
}

// The lines of a text with its rules as one hyphen or equal sign, trailing blanks and page
// ends left out, and a run of empty lines as one: pdftotext keeps only a few empty lines in
// a row, and none before the first line of text or after the last.
std::string withShortRules(std::string text) {
    text = std::regex_replace(text, std::regex("\f"), "");
    text = std::regex_replace(text, std::regex(" +\n"), "\n");
    text = std::regex_replace(text, std::regex("\n\n+"), "\n\n");
    text = std::regex_replace(text, std::regex("^\n+|\n+$"), "");
    return std::regex_replace(text, std::regex("(^|\n)(-|=)+(?=\n|$)"), "$1$2");
}
// The text of a PDF's page as `pdftotext -layout` lays it out in its own pitch, without the
// margin's columns.
std::string layoutText(const Path& pdf, const Page& page) {
    const Path text = pdf.string() + ".txt";
    EXPECT_EQ(shell("pdftotext -layout -fixed " + std::to_string(pitch(page)) + " '" +
                    pdf.string() + "' '" + text.string() + "'"),
              0);
    const std::string margin(static_cast<std::size_t>(std::lround(kMargin / pitch(page))), ' ');
    return withShortRules(std::regex_replace(readFile(text), std::regex("(^|\n)" + margin), "$1"));
}

class PdfPages : public testing::CliFixture {
  protected:
    PdfPages() {
        setTaxRate(store, 0.09f);
        store.rooms().append(makeRoom("101", "NQ1", 45, "N", "N", "K",
                                      "Queen bed, first floor, next to the ice machine; the "
                                      "window sticks: lift it gently"));
        store.rooms().append(makeRoom("102", "K11", 65));
        store.guests().append(makeStayOver("101", "Avery", 1, 45, kToday.plusDays(-1), kToday));
        postItem(store, 1, "101", Category::RoomRent, 45, kToday.plusDays(-1));
        postItem(store, 1, "101", Category::Cash, 1234.56, kToday.plusDays(-1));
        GuestRecord departed =
            makeStayOver("102", "Brook", 2, 65, kToday.plusDays(-3), kToday.plusDays(-1));
        departed.CheckOutMark = "*";
        store.guests().append(departed);
        store.reservations().append(testing::makeBooking("102", "Okafor", 1, kToday, 2));
    }

    Document folio(long number, FolioVariant variant) {
        const auto guest = guestByFolio(store, number);
        EXPECT_TRUE(guest);
        return printedFolio(store, guest->second, variant).document;
    }
    Document list(DeskListKind kind) {
        return deskListDocument(deskList(store, kind, kToday, kToday));
    }

    // Draws the document into a PDF through the page module.
    Path drawn(const Document& document, Paper paper) {
        const Path pdf = temp.path() / ("page " + std::to_string(++drawings) + ".pdf");
        const std::vector<Document> documents = {document};
        sendToPages(PageJob{documents, pdf.string(), false, directory, files, clock, {}, paper});
        return pdf;
    }

    FixedClock clock{kToday, TimeOfDay{23, 30, 0, 0}};
    int drawings = 0;
};

// Letter is 612 x 792 points, A4 595.28 x 841.89; each page has half an inch of margin. A
// line of n characters at size s is n x 0.602 x s wide.
TEST_F(PdfPages, EachPrintoutAtTwelvePointsOrAsItsLongestLineNeedsAndNothingCut) {
    const struct {
        const char* what;
        Document document;
        Paper paper;
        double width; // of the page as it lies
        double size;
    } cases[] = {
        // The signature rule ends at column 95: across Letter only when it lies.
        {"folio", folio(1, FolioVariant::InHouse), Paper::Letter, 792, 12},
        {"history folio", folio(2, FolioVariant::History), Paper::A4, 841.89, 12},
        // An 80-character room comment at column 30 makes a line of 109 characters.
        {"housekeeping", housekeepingReport(store, kToday), Paper::Letter, 792, 10.9},
        // "Financial Report for December  2026" at column 40 ends at 74: upright on Letter,
        // not on A4.
        {"financial, Letter", financialReport(store, kToday), Paper::Letter, 612, 12},
        {"financial, A4", financialReport(store, kToday), Paper::A4, 841.89, 12},
        // The heading of the guest list is 107 characters long.
        {"guest list", guestList(store, kToday), Paper::Letter, 792, 11.1},
        // The last column of a desk list starts at 109: its heading "Rate" ends at 112, a
        // balance of -1185.51 at 116.
        {"arrivals", list(DeskListKind::Arrivals), Paper::Letter, 792, 10.6},
        {"in house", list(DeskListKind::InHouse), Paper::A4, 841.89, 11},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Path pdf = drawn(c.document, c.paper);
        const std::vector<Page> pages = pagesOf(pdf);
        ASSERT_EQ(pages.size(), 1u);
        const Page& page = pages.front();
        EXPECT_NEAR(page.width, c.width, 0.5);
        EXPECT_NEAR(pitch(page) / kAdvance, c.size, 0.06);
        for (const Word& word : page.words) {
            EXPECT_TRUE(word.left >= kMargin - 0.5 && word.right <= page.width - kMargin + 0.5 &&
                        word.top >= kMargin - 0.5 && word.bottom <= page.height - kMargin + 0.5)
                << word.text << " at " << word.left << ", " << word.top;
        }
        EXPECT_EQ(layoutText(pdf, page), withShortRules(plainText(c.document)));
    }
}

TEST_F(PdfPages, TheCommandLinePrintsOnThePaperAskedForOrOnTheCountrysPaper) {
    const Path pdf = temp.path() / "folio.pdf";
    ASSERT_EQ(runTool({"print", "folio", "1", "--pdf", pdf.string(), "--paper", "a4"}), 0)
        << err.str();
    EXPECT_NEAR(pagesOf(pdf).at(0).width, 841.89, 0.5);
    ASSERT_EQ(runTool({"print", "folio", "1", "--pdf", pdf.string(), "--paper", "letter"}), 0);
    EXPECT_NEAR(pagesOf(pdf).at(0).width, 792, 0.5);
    EXPECT_EQ(runTool({"print", "folio", "1", "--pdf", pdf.string(), "--paper", "legal"}), 2);
    EXPECT_EQ(runTool({"print", "folio", "1", "--paper", "a4"}), 2);
    EXPECT_EQ(out.str(), "");

    // Each document of one PDF lies as its own lines need: the financial report upright, the
    // guest list across.
    ASSERT_EQ(runTool({"--today", "2026-12-09", "night-audit", "--pdf", pdf.string(), "--paper",
                       "letter"}),
              0)
        << err.str();
    const std::vector<Page> pages = pagesOf(pdf);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_NEAR(pages[0].width, 612, 0.5);
    EXPECT_NEAR(pages[1].width, 792, 0.5);

    // Without --paper, the paper of the country the system's locale names.
    const struct {
        const char* locale;
        double width;
    } countries[] = {{"en_US.UTF-8", 792}, {"fr_CA.UTF-8", 792}, {"de_DE.UTF-8", 841.89}};
    for (const auto& country : countries) {
        SCOPED_TRACE(country.locale);
        ASSERT_EQ(shell(std::string("LC_ALL=") + country.locale +
                        " '" ROOMWRIGHT_CLI "' --data-dir '" + directory.root().string() +
                        "' print folio 1 --pdf '" + pdf.string() + "'"),
                  0);
        EXPECT_NEAR(pagesOf(pdf).at(0).width, country.width, 0.5);
    }
}

} // namespace
} // namespace roomwright

#endif
