#pragma once

#include "print/document.h"

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace roomwright {

// How a document is set on paper: which paper, which way round, at what size, and where its
// lines break. The drawing itself is Qt's (print/qt_printer.h).

enum class Paper { Letter, A4 };
enum class Orientation { Portrait, Landscape };

// The paper of a country, by its two-letter ISO 3166 code: Letter where it is the common
// size (the United States, Canada, Mexico, Central America, Chile, Colombia, Venezuela and
// the Philippines), A4 everywhere else.
Paper paperOfCountry(std::string_view country);
// "letter" or "a4", as the command line names them.
std::optional<Paper> paperNamed(std::string_view name);

// Every page keeps at least half an inch of white around its text.
inline constexpr double kPageMarginPoints = 36;
// A printout is set at its own size (12 points); only a line too long for the page sets it
// smaller, and never below this.
inline constexpr double kSmallestFontSize = 10;

// The characters of the document's longest line, rules (which take the page's width) and
// trailing blanks left out.
int widestLine(const Document& document);

// The width of a character of the fixed-pitch print font at a size in points.
using CharacterWidth = std::function<double(double size)>;

// The document set across a text area `width` wide (in the unit of `characterWidth`).
struct PageSetting {
    double fontSize; // the document's size, or what its longest line needs, not below 10
    int columns;     // the characters a line of the page holds at that size
};
PageSetting pageSetting(const Document& document, double width,
                        const CharacterWidth& characterWidth);

// Portrait when the document's longest line fits across the portrait text area
// (`portraitWidth`) at the document's size, landscape otherwise.
Orientation orientationFor(const Document& document, double portraitWidth,
                           const CharacterWidth& characterWidth);

// The document's lines as a page `columns` characters wide shows them: a rule reaches from its
// column to the right edge and no further, and a line too long for the page goes on at the
// start of the next one (blanks past the edge are dropped).
std::vector<Document::Line> linesOnPage(const Document& document, int columns);

} // namespace roomwright
