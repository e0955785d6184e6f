#include "reports/night_audit.h"

#include "reports/card_erasing.h"
#include "reports/financial_report.h"
#include "store/charges.h"
#include "store/format/numbers.h"
#include "store/format/path_text.h"
#include "store/format/store_error.h"
#include "store/lookups.h"
#include "store/motel_details.h"
#include "store/settings.h"

#include <bit>
#include <cinttypes>
#include <cstdio>
#include <map>
#include <set>
#include <stdexcept>

namespace roomwright {

namespace {

constexpr int kRule = 139;

// The in-house guests with their record numbers, in record order.
using Stays = std::vector<std::pair<std::size_t, GuestRecord>>;
Stays inHouseGuests(const Store& store) {
    Stays guests;
    store.scanInHouseGuests([&](std::size_t n, const RecordView<GuestRecord>& guest) {
        guests.emplace_back(n, guest.decode());
        return true;
    });
    return guests;
}

Document guestListOf(const Stays& guests, const CivilDate& today) {
    Document list("Guest List " + isoDate(today));
    list.endLine();
    list.text("Guest List for " + shortDate(today)).endLine();
    list.rule('-', kRule).endLine();
    list.text("Room    Last                   First            Rate          Arrival Date     "
              "Depart Date         Pay Code")
        .endLine();
    list.rule('-', kRule).endLine();
    for (const auto& [n, guest] : guests) {
        list.text(rightTrim(onPaper(guest.RoomNumber.str())));
        list.tab(9).text(rightTrim(onPaper(guest.LastName.str())));
        list.tab(26).text(rightTrim(onPaper(guest.FirstName.str())));
        list.tab(38).number(guest.Rate);
        list.tab(50).text(shortDate(CivilDate::fromStored(guest.ArrivalDate)));
        list.tab(65).text(shortDate(CivilDate::fromStored(guest.DepartureDate)));
        list.tab(87).text(onPaper(guest.PayCode.str())).endLine();
        list.rule('-', kRule).endLine();
    }
    return list;
}

// The audit journal: one line per step, each starting with the audit's day.
//   2026-12-07 begin RECORD CHARGE-FILE-LENGTH ROOM-RENT-BEFORE RATE   (floats as hex bits)
//   2026-12-07 posted RECORD
//   2026-12-07 complete
// RECORD is the stay's record number in the guest file. Only the latest day's lines are
// kept: the first step of a new day's audit starts the file afresh.
struct Begun {
    std::uint64_t chargeLength = 0;
    float roomRentBefore = 0;
    float rate = 0;
};

// No line of the journal comes near this.
constexpr std::uint64_t kLongestLine = 128;

class AuditJournal {
  public:
    AuditJournal(const Store& store, const CivilDate& day)
        : files_(store.files()), path_(store.directory().auditJournal()), day_(isoDate(day)) {
        // One audit writes two lines for each stay it charges, and one at its end: a longer
        // journal is not one, and is not read.
        const std::size_t stays = store.guests().count();
        const std::uint64_t length = files_.size(path_);
        if (length > kLongestLine * (2 * stays + 1)) {
            throw DamageError(path_, "it holds " + std::to_string(length) +
                                         " bytes, more than an audit of the " +
                                         std::to_string(stays) + " stays in the guest file writes");
        }
        std::string text = readWholeFile(files_, path_);
        // A line cut short (the power went while it was written) never counts, and nothing is
        // added after it.
        if (!text.empty() && text.back() != '\n') {
            const std::size_t end = text.rfind('\n');
            text.resize(end == std::string::npos ? 0 : end + 1);
            files_.truncate(path_, text.size());
        }
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t end = text.find('\n', start);
            read(text.substr(start, end - start));
            start = end + 1;
        }
    }

    bool complete() const { return complete_; }
    bool posted(std::size_t record) const { return posted_.contains(record); }
    const Begun* begun(std::size_t record) const {
        const auto it = begun_.find(record);
        return it == begun_.end() ? nullptr : &it->second;
    }

    void noteBegin(std::size_t record, const Begun& b) {
        char line[128];
        std::snprintf(line, sizeof line, "begin %zu %" PRIu64 " %08" PRIx32 " %08" PRIx32, record,
                      b.chargeLength, std::bit_cast<std::uint32_t>(b.roomRentBefore),
                      std::bit_cast<std::uint32_t>(b.rate));
        add(line);
        begun_[record] = b;
    }
    void notePosted(std::size_t record) {
        add("posted " + std::to_string(record));
        posted_.insert(record);
    }
    void noteComplete() {
        add("complete");
        complete_ = true;
    }

  private:
    void read(const std::string& line) {
        if (line.rfind(day_ + " ", 0) != 0) {
            otherDays_ = true;
            return;
        }
        const std::string step = line.substr(day_.size() + 1);
        std::size_t record = 0;
        std::uint64_t length = 0;
        std::uint32_t before = 0;
        std::uint32_t rate = 0;
        char extra = 0;
        if (step == "complete") {
            complete_ = true;
        } else if (std::sscanf(step.c_str(), "posted %zu%c", &record, &extra) == 1) {
            posted_.insert(record);
        } else if (std::sscanf(step.c_str(), "begin %zu %" SCNu64 " %" SCNx32 " %" SCNx32 "%c",
                               &record, &length, &before, &rate, &extra) == 4) {
            begun_[record] = {length, std::bit_cast<float>(before), std::bit_cast<float>(rate)};
        }
    }

    void add(const std::string& step) {
        if (otherDays_) {
            files_.truncate(path_, 0);
            otherDays_ = false;
        }
        const std::string line = day_ + " " + step + "\n";
        const std::uint64_t length = files_.size(path_);
        try {
            files_.write(path_, length,
                         std::span(reinterpret_cast<const std::byte*>(line.data()), line.size()));
        } catch (const StoreError&) {
            try {
                files_.truncate(path_, length);
            } catch (const StoreError&) {
                // The first failure is the one the clerk needs to see.
            }
            throw;
        }
    }

    FileSystem& files_;
    Path path_;
    std::string day_;
    bool complete_ = false;
    bool otherDays_ = false;
    std::map<std::size_t, Begun> begun_;
    std::set<std::size_t> posted_;
};

// Finishes a posting that an earlier run began but did not note as done, on the month's
// `totals` as they stand. Returns false when its charge line never reached the charge file,
// so that it is to be posted afresh.
bool finishBegunPosting(const Store& store, const CivilDate& today, long folio, const Begun& b,
                        TotalsRecord& totals) {
    FileSystem& files = store.files();
    const Path chargeFile = store.directory().chargeFile(folio);
    const std::uint64_t length = files.size(chargeFile);
    if (length <= b.chargeLength) {
        return false;
    }
    std::string tail(std::min<std::uint64_t>(length - b.chargeLength, 4096), '\0');
    tail.resize(files.readAt(chargeFile, b.chargeLength,
                             std::span(reinterpret_cast<std::byte*>(tail.data()), tail.size())));
    const std::size_t lineEnd = tail.find('\n');
    if (lineEnd == std::string::npos) {
        // Only part of the line landed: take it back.
        files.truncate(chargeFile, b.chargeLength);
        return false;
    }
    const ParsedCharges parsed =
        parseChargeFile(std::string_view(tail).substr(0, lineEnd), utf8Text(chargeFile));
    const bool ours = parsed.lines.size() == 1 && parsed.lines[0].Code == "E" &&
                      parsed.lines[0].PostDate == today && parsed.lines[0].FolioNumber == folio &&
                      static_cast<float>(parsed.lines[0].Amount) == b.rate;
    if (!ours) {
        return false;
    }
    // The line is in; the month's room rent was added after it unless it still stands where
    // it stood before.
    if (std::bit_cast<std::uint32_t>(totals[TotalsSlot::RoomRent]) ==
        std::bit_cast<std::uint32_t>(b.roomRentBefore)) {
        totals[TotalsSlot::RoomRent] += b.rate;
        store.totals(today).write(1, totals);
    }
    return true;
}

// Charges a stay-over tonight's room rent unless the journal says it is charged, on the
// month's `totals` as they stand, which it leaves as the posting does. Returns whether it
// charged the stay.
bool chargeStayOver(const Store& store, const CivilDate& today, AuditJournal& journal,
                    std::size_t record, const GuestRecord& guest, TotalsRecord& totals) {
    if (journal.posted(record)) {
        return false;
    }
    const long folio = folioNumberOf(store, guest);
    if (const Begun* begun = journal.begun(record);
        begun != nullptr && finishBegunPosting(store, today, folio, *begun, totals)) {
        journal.notePosted(record);
        return true;
    }
    journal.noteBegin(record, {store.files().size(store.directory().chargeFile(folio)),
                               totals[TotalsSlot::RoomRent], guest.Rate});
    totals = postItem(store, folio, guest.RoomNumber.str(), Category::RoomRent, guest.Rate, today);
    journal.notePosted(record);
    return true;
}

} // namespace

Document guestList(const Store& store, const CivilDate& today) {
    return guestListOf(inHouseGuests(store), today);
}

NightAudit runNightAudit(const Store& store, const CivilDate& today) {
    // The postings of a run are one operation: a run cut short leaves none of them. All the
    // run reads, it reads before its first write, and it builds its reports before the
    // commit: once the charges stand, nothing is left to fail.
    Operation operation(store);
    const Stays guests = inHouseGuests(store);
    NightAudit audit;
    // Damage the postings or the reports would meet stops the audit before its first posting.
    shiftAndClerk(store);
    TotalsRecord totals = monthTotals(store, today);
    const float rate = taxRate(store);
    const CardErasing cards = motelDetails(store).cards;
    for (const auto& [n, guest] : guests) {
        folioNumberOf(store, guest);
        if (!postableAmount(guest.Rate)) {
            throw DamageError(store.directory().guest(),
                              "the stay of " + guest.LastName.trimmed() + " in room " +
                                  guest.RoomNumber.trimmed() + " has the rate " +
                                  plainNumber(guest.Rate) + ", which no posting takes");
        }
    }
    for (const auto& [n, guest] : guests) {
        if (CivilDate::fromStored(guest.DepartureDate) == today) {
            return audit;
        }
    }

    AuditJournal journal(store, today);
    // The month's totals keep the days whose audit charged into them, so that a lost or
    // deleted journal never lets a day be charged twice.
    if (journal.complete() || totals.audited(today.day)) {
        audit.outcome = AuditOutcome::AlreadyPosted;
    } else {
        bool charged = false;
        for (const auto& [n, guest] : guests) {
            if (CivilDate::fromStored(guest.ArrivalDate) != today) {
                charged = chargeStayOver(store, today, journal, n, guest, totals) || charged;
            }
        }
        if (charged) {
            totals.markAudited(today.day);
            store.totals(today).write(1, totals);
        }
        journal.noteComplete();
        audit.outcome = AuditOutcome::Posted;
    }
    if (const auto kept = firstDayKept(cards, today)) {
        eraseCardsBefore(store, *kept);
    }
    audit.documents.push_back(financialReport(totals, rate, today));
    audit.documents.push_back(guestListOf(guests, today));
    operation.commit();
    return audit;
}

void printNightReports(const std::function<void()>& print) {
    try {
        print();
    } catch (const std::exception& failure) {
        throw std::runtime_error(std::string(kReportsNotPrinted) + failure.what() +
                                 " Run the night audit again to print them: it charges nobody "
                                 "twice.");
    }
}

} // namespace roomwright
