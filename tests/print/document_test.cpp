#include "print/document.h"

#include <gtest/gtest.h>

namespace roomwright {
namespace {

TEST(Document, TabContinuesAtTheColumnOrAtTheColumnOfTheNextLine) {
    Document page("test");
    page.text("Room#").tab(10).text("Date").endLine();
    page.text(std::string(70, 'x')).tab(65).text("Arrival Date: ").endLine();
    page.tab(5).text("ab").tab(7).text("c").tab(7).text("d").endLine();
    EXPECT_EQ(plainText(page), "Room#    Date\n" + std::string(70, 'x') + "\n" +
                                   std::string(64, ' ') + "Arrival Date:\n    abc\n      d\n\f\n");
}

TEST(Document, NumbersTakeTheNumberToTextFormAndEmptyLinesStay) {
    Document page("test");
    page.tab(73).text("Balance.....").number(72.8).endLine();
    page.endLine();
    page.text("Balance.....").number(-20.0).endLine();
    page.text("trailing   ").tab(30).text("   ");
    EXPECT_EQ(plainText(page),
              std::string(72, ' ') + "Balance..... 72.8\n\nBalance.....-20\ntrailing\n\f\n");
}

TEST(Document, ColumnsCountCharactersNotBytes) {
    Document page("test");
    page.text("Café").tab(8).text("x");
    EXPECT_EQ(plainText(page), "Café   x\n\f\n");
    EXPECT_EQ(page.fontSize(), 12);
    EXPECT_EQ(page.title(), "test");
}

} // namespace
} // namespace roomwright
