#pragma once

#include "print/document.h"
#include "store/store.h"

#include <functional>
#include <vector>

namespace roomwright {

inline constexpr const char* kDueOutToday =
    "There are rooms due to check out today. Please check the rooms departure dates.";
inline constexpr const char* kNightReportsRun = "Your night reports were run successfully.";
inline constexpr const char* kChargesAlreadyPosted =
    "Tonight's room charges were already posted, so nobody was charged again. Your night "
    "reports were run successfully.";
inline constexpr const char* kReportsNotPrinted =
    "Tonight's room charges are posted, but the night reports could not be printed: ";

// The guest list: every in-house guest, in guest-file order, with room, name, rate, arrival,
// departure and pay code; read through the in-house index.
Document guestList(const Store& store, const CivilDate& today);

enum class AuditOutcome {
    Refused,       // a guest is due out today: nothing was written
    Posted,        // every stay-over has been charged tonight's room rent
    AlreadyPosted, // an earlier run of today had charged everyone; nobody was charged again
};
struct NightAudit {
    AuditOutcome outcome = AuditOutcome::Refused;
    // The financial report of the month, then the guest list; none when refused.
    std::vector<Document> documents;
};

// The night audit of `today`. Refuses while an in-house guest is due out today. Otherwise
// posts one night's room rent, at the guest's own rate, to every in-house guest who did not
// arrive today, erases the cards the motel no longer needs (eraseCardsBefore, as long as the
// motel's details say they are kept), and builds the two night reports. The guests in house,
// for the refusal as for the postings and the guest list, come from the in-house index
// (checked against the guest file on use), not from a read of decades of departed stays.
//
// Each stay-over is charged once a night, however often the audit runs: the audit keeps a
// journal of its own beside the motel's files (DataDirectory::auditJournal), noting each
// stay before its posting and once it is done. A run's postings are one operation of the
// store, and so is the erasing of the cards no longer needed: a run that stopped half-way (a
// file that could not be written, the power going) leaves none of them, and the next run of
// the same day leaves the files exactly as one clean run would have. The month's totals keep
// the days whose audit charged into them (TotalsRecord::audited), so that a second run of a
// day charges nobody even without the journal. Everything the run needs is read before its
// first write, and its reports are built before its charges are committed. File failures
// throw StoreError, damage DamageError; either way nobody was charged.
NightAudit runNightAudit(const Store& store, const CivilDate& today);

// Prints an audit's reports through `print`, once its charges stand: a failure there is
// thrown again as a runtime_error that says the charges are posted (kReportsNotPrinted),
// so that the clerk does not take tonight for uncharged.
void printNightReports(const std::function<void()>& print);

} // namespace roomwright
