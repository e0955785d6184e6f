#include "reports/financial_report.h"

#include "frontdesk/folio.h"
#include "store/charges.h"
#include "store/format/numbers.h"
#include "store/settings.h"

namespace roomwright {

namespace {

struct Row {
    const char* chargeText;
    TotalsSlot charge;
    const char* paymentText;
    TotalsSlot payment;
};
constexpr std::array<Row, 7> kRows = {{
    {"Rent", TotalsSlot::RoomRent, "Visa", TotalsSlot::Visa},
    {"Pet", TotalsSlot::PetFee, "Master Card", TotalsSlot::MasterCard},
    {"Copies", TotalsSlot::Copies, "Discover", TotalsSlot::Discover},
    {"Stamp", TotalsSlot::Stamp, "American Express", TotalsSlot::AmericanExpress},
    {"WiFi", TotalsSlot::WiFi, "Cash", TotalsSlot::Cash},
    {"Fax", TotalsSlot::Fax, "Check", TotalsSlot::Check},
    {"Roll Away", TotalsSlot::RollAway, "Other", TotalsSlot::Other},
}};

constexpr int kRule = 139;

} // namespace

std::string monthTitle(const CivilDate& date) {
    static constexpr std::array<const char*, 12> names = {
        "January", "February", "March",     "April",   "May",      "June",
        "July",    "August",   "September", "October", "November", "December"};
    const auto index = static_cast<std::size_t>(date.month - 1);
    return std::string(index < names.size() ? names[index] : "") + "  " + std::to_string(date.year);
}

Document financialReport(const TotalsRecord& totals, float taxRate, const CivilDate& month) {
    const std::string title = monthTitle(month);
    Document report("Financial Report " + title);
    report.endLine();
    report.tab(40).text("Financial Report for " + title).endLine();
    report.rule('-', kRule).endLine();
    report.endLine().endLine();
    // The totals are summed in single precision, as the month's file holds them.
    float charges = 0;
    float payments = 0;
    for (const Row& row : kRows) {
        report.text(row.chargeText).tab(15).number(totals[row.charge]);
        report.tab(40).text(row.paymentText).tab(65).number(totals[row.payment]).endLine();
        charges += totals[row.charge];
        payments += totals[row.payment];
    }
    report.text("Tax").tab(15).number(roomRentTax(totals[TotalsSlot::RoomRent], taxRate));
    report.endLine();
    report.rule('-', kRule).endLine();
    report.text("Total:").tab(15).number(charges).tab(40).text("Total:").tab(65).number(payments);
    report.endLine();
    report.endLine();
    return report;
}

Document financialReport(const Store& store, const CivilDate& today) {
    const float rate = taxRate(store);
    return financialReport(monthTotals(store, today), rate, today);
}

MonthlyFigures monthlyFigures(const Store& store, const CivilDate& today) {
    const float rate = taxRate(store);
    const TotalsRecord totals = monthTotals(store, today);
    MonthlyFigures figures;
    figures.title = monthTitle(today);
    // The tax and the totals are worked out from the figures as shown, in double precision.
    double charges = 0;
    double payments = 0;
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        figures.charges[i] = plainNumber(totals[kRows[i].charge]);
        figures.payments[i] = plainNumber(totals[kRows[i].payment]);
        charges += leadingNumber(figures.charges[i]);
        payments += leadingNumber(figures.payments[i]);
    }
    figures.tax = plainNumber(roomRentTax(leadingNumber(figures.charges[0]), rate));
    figures.chargeTotal = plainNumber(charges);
    figures.paymentTotal = plainNumber(payments);
    return figures;
}

} // namespace roomwright
