#include "print/document.h"

#include "store/format/numbers.h"

#include <algorithm>

namespace roomwright {

namespace {

bool startsCharacter(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

} // namespace

int characterCount(std::string_view text) {
    return static_cast<int>(std::count_if(text.begin(), text.end(), startsCharacter));
}

std::string_view firstCharacters(std::string_view text, int count) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (startsCharacter(text[i]) && count-- == 0) {
            return text.substr(0, i);
        }
    }
    return text;
}

Document& Document::text(std::string_view text) {
    if (!text.empty()) {
        current_.push_back({column_, std::string(text)});
        column_ += characterCount(text);
    }
    return *this;
}

Document& Document::rule(char mark, int length) {
    if (length > 0) {
        text(std::string(static_cast<std::size_t>(length), mark));
        current_.back().rule = true;
    }
    return *this;
}

Document& Document::number(double value) {
    return text(numberText(value));
}
Document& Document::number(float value) {
    return text(numberText(value));
}

Document& Document::tab(int column) {
    if (column < 1) {
        column = 1;
    }
    if (column_ > column) {
        endLine();
    }
    column_ = column;
    return *this;
}

Document& Document::endLine() {
    done_.push_back(std::move(current_));
    current_.clear();
    column_ = 1;
    return *this;
}

std::vector<Document::Line> Document::lines() const {
    std::vector<Line> all = done_;
    if (!current_.empty()) {
        all.push_back(current_);
    }
    return all;
}

std::string onPaper(std::string text) {
    for (char& c : text) {
        if (c == '\0') {
            c = ' ';
        }
    }
    return text;
}

std::string plainText(const Document& document) {
    std::string out;
    for (const Document::Line& line : document.lines()) {
        std::string row;
        int width = 0;
        for (const Document::Piece& piece : line) {
            if (width < piece.column - 1) {
                row.append(static_cast<std::size_t>(piece.column - 1 - width), ' ');
                width = piece.column - 1;
            }
            row += piece.text;
            width += characterCount(piece.text);
        }
        const auto end = row.find_last_not_of(' ');
        row.resize(end == std::string::npos ? 0 : end + 1);
        out += row + "\n";
    }
    out += "\f\n";
    return out;
}

} // namespace roomwright
