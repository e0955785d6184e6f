#pragma once

#include "store/format/record_view.h"
#include "store/format/records.h"

#include <string>
#include <string_view>

namespace roomwright {

// The card a stay or a booking keeps (number, expiry month and year, in the fields the two
// records share), as it is shown to whoever stands at the desk and as it is erased once it
// is no longer needed. Digits, blanks and NULs are the same bytes in the files' code page
// and in UTF-8, so every function here takes a field's text in either.

// A card number as the windows and the dumps show it: its last four digits behind bullets,
// "•••• •••• •••• 1234". A text without digits holds no card number and shows as it is,
// without its padding.
std::string maskedCardNumber(std::string_view number);
// The bullets before the digits of a masked card number.
inline constexpr std::string_view kCardMask = "•••• •••• •••• ";
// What erasing leaves of a card number: its last four digits ("" when it has none).
std::string lastFourDigits(std::string_view number);
// Whether a text holds a card number's digit; one that holds none shows as it is.
bool holdsDigit(std::string_view text);

// Puts the text of a card number box into the field, unless the box still shows the mask
// of the number the field holds: then the stored number stays byte for byte, and the mask
// never reaches the file.
void putCardNumber(std::string_view boxText, Text<30>& field);

// Whether the card fields still hold more than erasing leaves: a number beyond its last four
// digits, or an expiry. Fields never written (NULs) or blank hold nothing.
bool holdsCard(std::string_view number, std::string_view expireMonth, std::string_view expireYear);
template <class Record> bool holdsCard(const RecordView<Record>& record) {
    return holdsCard(record.template bytes<&Record::CardNumber>(),
                     record.template bytes<&Record::CardExpireMonth>(),
                     record.template bytes<&Record::CardExpireYear>());
}
bool holdsCard(const PersonFields& person);

// Erases the card: the number down to its last four digits, the rest of its field blanked,
// and the expiry month and year blanked; the fields keep their widths, and a field that
// holds nothing stays as it is. Afterwards holdsCard is false.
void eraseCard(PersonFields& person);

} // namespace roomwright
