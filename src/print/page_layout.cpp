#include "print/page_layout.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

namespace roomwright {

namespace {

// A little room for the rounding of widths measured in a device's pixels.
constexpr double kSlack = 1e-6;

bool blank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

} // namespace

Paper paperOfCountry(std::string_view country) {
    static constexpr std::array<std::string_view, 15> letter = {
        "US", "CA", "MX", "PR", "BZ", "GT", "SV", "NI", "CR", "PA", "DO", "CO", "VE", "CL", "PH"};
    return std::ranges::find(letter, country) != letter.end() ? Paper::Letter : Paper::A4;
}

std::optional<Paper> paperNamed(std::string_view name) {
    std::string lower(name);
    std::ranges::transform(lower, lower.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower == "letter") {
        return Paper::Letter;
    }
    if (lower == "a4") {
        return Paper::A4;
    }
    return std::nullopt;
}

int widestLine(const Document& document) {
    int widest = 0;
    for (const Document::Line& line : document.lines()) {
        for (const Document::Piece& piece : line) {
            const std::size_t end = piece.text.find_last_not_of(' ');
            if (!piece.rule && end != std::string::npos) {
                widest = std::max(
                    widest, piece.column - 1 +
                                characterCount(std::string_view(piece.text).substr(0, end + 1)));
            }
        }
    }
    return widest;
}

PageSetting pageSetting(const Document& document, double width,
                        const CharacterWidth& characterWidth) {
    const int widest = widestLine(document);
    const auto fits = [&](double size) { return widest * characterWidth(size) <= width + kSlack; };
    double size = document.fontSize();
    if (!fits(size)) {
        // The largest tenth of a point at which the line fits, as the font's widths are
        // rounded at that size.
        size = std::floor(width / (widest * characterWidth(size) / size) * 10) / 10;
        while (size > kSmallestFontSize && !fits(size)) {
            size = std::round(size * 10 - 1) / 10;
        }
        size = std::max(size, kSmallestFontSize);
    }
    return {size, std::max(1, static_cast<int>(std::floor(width / characterWidth(size) + kSlack)))};
}

Orientation orientationFor(const Document& document, double portraitWidth,
                           const CharacterWidth& characterWidth) {
    return widestLine(document) * characterWidth(document.fontSize()) <= portraitWidth + kSlack
               ? Orientation::Portrait
               : Orientation::Landscape;
}

std::vector<Document::Line> linesOnPage(const Document& document, int columns) {
    std::vector<Document::Line> page;
    for (const Document::Line& line : document.lines()) {
        std::vector<Document::Line> rows(1);
        for (const Document::Piece& piece : line) {
            if (piece.rule) {
                const int length = columns - piece.column + 1;
                if (length > 0) {
                    rows.front().push_back(
                        {piece.column, std::string(static_cast<std::size_t>(length), piece.text[0]),
                         true});
                }
                continue;
            }
            std::string_view rest = piece.text;
            int column = piece.column;
            while (!blank(rest)) {
                const auto row = static_cast<std::size_t>((column - 1) / columns);
                const int within = (column - 1) % columns + 1;
                const std::string_view part = firstCharacters(rest, columns - within + 1);
                if (rows.size() <= row) {
                    rows.resize(row + 1);
                }
                rows[row].push_back({within, std::string(part)});
                column += characterCount(part);
                rest.remove_prefix(part.size());
            }
        }
        page.insert(page.end(), rows.begin(), rows.end());
    }
    return page;
}

} // namespace roomwright
