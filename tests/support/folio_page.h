#pragma once

#include <string>

namespace roomwright::testing {

// The printed in-house folio of the tests' guest, Ann Smith of 12 Elm Street, Louisville,
// as plain text, written out column by column so that it does not lean on the code that
// prints it. `arrivalTime` and `folio` are as the guest block shows them, `lines` the
// printed charge lines (each ending in a line break) and `balance` the closing balance in
// its number-to-text form.
inline std::string expectedSmithFolio(const std::string& arrivalTime, const std::string& folio,
                                      const std::string& lines, const std::string& balance) {
    const std::string rule(140, '-');
    return std::string(57, ' ') + "Temporary Motel Inc.\n\n" + std::string(55, ' ') +
           "123456 N. Meadows Road\n\n" + std::string(57, ' ') + "Fernbrook, KY  40000\n\n" +
           std::string(38, ' ') + "Phone: 270-123-4567           Fax: 270-234-5678\n" + rule +
           "\nSmith, Ann" + std::string(54, ' ') + "Arrival Date:  12/7/2026\n12 Elm Street" +
           std::string(51, ' ') + "Arrival Time:  " + arrivalTime +
           "\nLouisville, Kentucky  40202" + std::string(37, ' ') + "Folio:   " + folio +
           "\nPhone:  502-555-0101\nCell: 502-555-0199\nEmail:  ann@example.com\n" + rule +
           "\nRoom#    Date           Shift  Code    Description             Amount     Tax       "
           "Balance\n" +
           rule + "\n" + lines + rule + "\n" + std::string(72, ' ') + "Balance....." + balance +
           "\n\n\n\n\n\n\n" + std::string(24, ' ') + std::string(71, '-') + "\n" +
           std::string(47, ' ') + "Guest Signature\n\f\n";
}

} // namespace roomwright::testing
