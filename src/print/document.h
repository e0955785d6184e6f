#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace roomwright {

// A printout as a line printer sees it: a font size and lines of text pieces, each piece
// starting at a character column counted from 1.
class Document {
  public:
    struct Piece {
        int column;
        std::string text;
        // A rule: its text is a row of one mark, which a page draws across its text area.
        bool rule = false;
    };
    using Line = std::vector<Piece>;

    explicit Document(std::string title, int fontSize = 12)
        : title_(std::move(title)), fontSize_(fontSize) {}

    // What the printout is, for its spool or file name ("Folio 17").
    const std::string& title() const { return title_; }
    int fontSize() const { return fontSize_; }
    void setFontSize(int size) { fontSize_ = size; }

    // Prints text where the line stands.
    Document& text(std::string_view text);
    // Prints a rule of `length` marks; a page draws it from here to the right edge of its
    // text area instead, however many marks that takes.
    Document& rule(char mark, int length);
    // Prints a number in its number-to-text form (leading blank when not negative).
    Document& number(double value);
    Document& number(float value);
    // Continues at column n of this line, or at column n of the next line when this line
    // has already passed it.
    Document& tab(int column);
    // Ends the line; on a line with nothing printed, this prints an empty line.
    Document& endLine();

    // Every line printed so far, the unfinished one included.
    std::vector<Line> lines() const;

  private:
    std::string title_;
    int fontSize_;
    std::vector<Line> done_;
    Line current_;
    int column_ = 1; // where the next character goes
};

// Characters, not bytes: a UTF-8 continuation byte does not start a character.
int characterCount(std::string_view text);
// The text cut to its first `count` characters.
std::string_view firstCharacters(std::string_view text, int count);

// A stored text as paper shows it: the NUL characters of a field never assigned print as
// blanks.
std::string onPaper(std::string text);

// One line per printed line, each piece at its column, trailing blanks removed, and after
// the document a line holding only a form feed.
std::string plainText(const Document& document);

} // namespace roomwright
