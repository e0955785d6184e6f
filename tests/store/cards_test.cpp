#include "store/cards.h"

#include "store/format/layout.h"
#include "support/records.h"

#include <gtest/gtest.h>

#include <string>

namespace roomwright {
namespace {

using namespace std::string_literals;

const std::string kNuls30(30, '\0');

TEST(CardNumbers, AreMaskedDownToTheirLastFourDigits) {
    const struct {
        std::string stored;
        std::string masked;
    } cases[] = {
        {"4111111111111111" + std::string(14, ' '), "•••• •••• •••• 1111"},
        {"3782 822463 10005", "•••• •••• •••• 0005"},
        {"5500-0000-0000-0004", "•••• •••• •••• 0004"},
        {"1234" + std::string(26, ' '), "•••• •••• •••• 1234"}, // as erasing leaves it
        {"12", "•••• •••• •••• 12"},
        {kNuls30, ""},
        {std::string(30, ' '), ""},
        {"on file\0 "s, "on file"}, // no digits: no card number to hide
    };
    for (const auto& c : cases) {
        EXPECT_EQ(maskedCardNumber(c.stored), c.masked) << c.stored;
    }
}

// A box that still shows the mask keeps the stored number byte for byte; anything else the
// clerk leaves in it replaces the number.
TEST(CardNumbers, ABoxShowingTheMaskKeepsTheStoredNumber) {
    const struct {
        std::string stored; // the field's bytes
        std::string box;
        std::string saved; // the field's bytes afterwards
    } cases[] = {
        {"4111111111111111" + std::string(14, ' '), "•••• •••• •••• 1111",
         "4111111111111111" + std::string(14, ' ')},
        {"4111111111111111\0\0"s + std::string(12, ' '), "•••• •••• •••• 1111",
         "4111111111111111\0\0"s + std::string(12, ' ')},
        {"4111111111111111" + std::string(14, ' '), "5500000000000004",
         "5500000000000004" + std::string(14, ' ')},
        {"4111111111111111" + std::string(14, ' '), "", std::string(30, ' ')},
        {"4111111111111111" + std::string(14, ' '), "•••• •••• •••• 9999",
         "•••• •••• •••• 9999" + std::string(11, ' ')},
        {kNuls30, "", std::string(30, ' ')},
        {"on file" + std::string(23, '\0'), "on file", "on file" + std::string(23, '\0')},
    };
    for (const auto& c : cases) {
        GuestRecord guest;
        guest.CardNumber.load(c.stored);
        putCardNumber(c.box, guest.CardNumber);
        EXPECT_EQ(fromCp1252(testing::slotOf(encode(guest)).substr(240, 30)), c.saved) << c.box;
    }
}

// Erasing keeps the number's last four digits and blanks the rest of the card, field widths
// kept; it writes nothing into fields that hold nothing, and nothing a second time.
TEST(CardNumbers, ErasingKeepsTheLastFourDigitsAndEveryOtherByte) {
    const std::string blanks15(15, ' ');
    const struct {
        std::string number, month, year; // as stored
        bool holds;
        std::string erasedNumber, erasedMonth, erasedYear; // as stored afterwards
    } cases[] = {
        {"4111 1111 1111 1111", "March", "2027", true, "1111", "", ""},
        {"1111", blanks15, "     ", false, "1111", blanks15, "     "},
        {kNuls30, std::string(15, '\0'), std::string(5, '\0'), false, kNuls30,
         std::string(15, '\0'), std::string(5, '\0')},
        {"1234", "May", "", true, "1234", "", ""},
        {"n/a", std::string(15, '\0'), std::string(5, '\0'), true, "", std::string(15, '\0'),
         std::string(5, '\0')},
        {"", "Expire Month", "Expir", true, "", "", ""}, // a booking taken without a card
    };
    const auto padded = [](std::string text, std::size_t width) {
        text.resize(width, ' ');
        return text;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number + "|" + c.month);
        GuestRecord guest;
        guest.LastName = "Adams";
        guest.CheckOutMark = "*";
        guest.CardNumber.load(padded(c.number, 30));
        guest.CardExpireMonth.load(padded(c.month, 15));
        guest.CardExpireYear.load(padded(c.year, 5));
        Bytes slot = encode(guest);
        slot[700] = std::byte{0x5A}; // a byte beyond the named fields rides along
        GuestRecord stored = decode<GuestRecord>(slot);
        EXPECT_EQ(holdsCard(RecordView<GuestRecord>(slot)), c.holds);
        EXPECT_EQ(holdsCard(stored), c.holds);

        eraseCard(stored);
        const Bytes erased = encode(stored);
        Bytes expected = slot;
        const std::string card =
            padded(c.erasedNumber, 30) + padded(c.erasedMonth, 15) + padded(c.erasedYear, 5);
        for (std::size_t i = 0; i < card.size(); ++i) {
            expected[240 + i] = static_cast<std::byte>(card[i]);
        }
        EXPECT_EQ(erased, expected);
        EXPECT_FALSE(holdsCard(RecordView<GuestRecord>(erased)));
        eraseCard(stored);
        EXPECT_EQ(encode(stored), erased);
    }
}

} // namespace
} // namespace roomwright
