#include "print/page_layout.h"

#include <gtest/gtest.h>

namespace roomwright {
namespace {

TEST(PageLayout, LetterWhereTheCountryUsesItA4Elsewhere) {
    const struct {
        const char* country;
        Paper paper;
    } cases[] = {{"US", Paper::Letter}, {"CA", Paper::Letter}, {"MX", Paper::Letter},
                 {"PH", Paper::Letter}, {"CL", Paper::Letter}, {"DE", Paper::A4},
                 {"GB", Paper::A4},     {"AU", Paper::A4},     {"", Paper::A4}};
    for (const auto& c : cases) {
        EXPECT_EQ(paperOfCountry(c.country), c.paper) << c.country;
    }
    EXPECT_EQ(paperNamed("letter"), Paper::Letter);
    EXPECT_EQ(paperNamed("A4"), Paper::A4);
    EXPECT_EQ(paperNamed("legal"), std::nullopt);
}

// A document whose longest line has `width` characters after a rule, with trailing blanks.
Document lineOf(int width) {
    Document page("test");
    page.rule('-', 200).endLine();
    page.text(std::string(static_cast<std::size_t>(width - 1), 'x')).tab(width).text("y   ");
    return page;
}

// 7.5 and 10 inches of text (Letter, half-inch margins) in a font whose characters are 0.6 of
// its size wide.
TEST(PageLayout, TwelvePointsAcrossPortraitOrLandscapeAndSmallerOnlyDownToTen) {
    const CharacterWidth halfAsWide = [](double size) { return 0.6 * size; };
    const struct {
        int widest;
        double width;
        Orientation orientation; // on Letter
        double size;
        int columns;
    } cases[] = {
        {75, 540, Orientation::Portrait, 12, 75},
        {76, 720, Orientation::Landscape, 12, 100},
        {100, 720, Orientation::Landscape, 12, 100},
        {107, 720, Orientation::Landscape, 11.2, 107}, // the guest list's heading
        {150, 720, Orientation::Landscape, 10, 120},   // continues on the next line
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.widest);
        const Document page = lineOf(c.widest);
        EXPECT_EQ(widestLine(page), c.widest);
        EXPECT_EQ(orientationFor(page, 540, halfAsWide), c.orientation);
        const PageSetting setting = pageSetting(page, c.width, halfAsWide);
        EXPECT_DOUBLE_EQ(setting.fontSize, c.size);
        EXPECT_EQ(setting.columns, c.columns);
    }
}

std::string rowText(const Document::Line& line) {
    std::string row;
    for (const Document::Piece& piece : line) {
        row.resize(static_cast<std::size_t>(piece.column - 1), ' ');
        row += piece.text;
    }
    return row;
}

TEST(PageLayout, RulesSpanThePageAndALongLineGoesOnAtTheStartOfTheNext) {
    Document page("test");
    page.rule('=', 110).endLine();
    page.text("Room").tab(5).rule('-', 3).endLine();
    page.text("abcdefgh").tab(10).text("Café-ü1234").tab(30).text("    ").endLine();
    page.endLine();
    const std::vector<Document::Line> lines = linesOnPage(page, 12);
    std::vector<std::string> rows;
    for (const Document::Line& line : lines) {
        rows.push_back(rowText(line));
    }
    EXPECT_EQ(rows, (std::vector<std::string>{std::string(12, '='), "Room" + std::string(8, '-'),
                                              "abcdefgh Caf", "é-ü1234", ""}));
}

} // namespace
} // namespace roomwright
