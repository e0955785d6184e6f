#include "cli/commands.h"

#include "backup/backup.h"
#include "backup/restore.h"
#include "cli/csv.h"
#include "frontdesk/folio.h"
#include "frontdesk/housekeeping.h"
#include "print/pages.h"
#include "print/pdf_file.h"
#include "print/printer.h"
#include "reports/card_erasing.h"
#include "reports/desk_lists.h"
#include "reports/financial_report.h"
#include "reports/night_audit.h"
#include "reservations/reservations.h"
#include "store/charges.h"
#include "store/clock.h"
#include "store/disk/writer_lock.h"
#include "store/format/numbers.h"
#include "store/format/path_text.h"
#include "store/format/store_error.h"
#include "store/lookups.h"
#include "store/motel_details.h"
#include "store/settings.h"
#include "store/verify.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <limits>
#include <map>
#include <optional>

namespace roomwright {

namespace {

const char* const kHelp =
    "Usage: roomwright-cli [--data-dir DIR] [--today YYYY-MM-DD] [--time HH:MM:SS]\n"
    "                      [--wait SECONDS] COMMAND ...\n"
    "\n"
    "Works on the motel's data directory without opening a window.\n"
    "\n"
    "Options:\n"
    "  --data-dir DIR        the data directory (default: ROOMWRIGHT_DATA_DIR, else\n"
    "                        $XDG_DATA_HOME/roomwright/Motel/)\n"
    "  --today YYYY-MM-DD    act as if today were this day\n"
    "  --time HH:MM:SS       act as if it were this time of day\n"
    "  --wait SECONDS        how long init, set, backup, restore, night-audit,\n"
    "                        erase-cards and cancel-reservation wait for another\n"
    "                        program that is writing to the data directory to finish\n"
    "                        (default: 5)\n"
    "  --help                show this text\n"
    "  --version             show the version\n"
    "\n"
    "Commands:\n"
    "  init                       create the data directory and its folders when missing,\n"
    "                             and undo an operation that the program left cut short\n"
    "  verify                     read every file and tell, file by file, what is damaged\n"
    "                             and which month's totals disagree with its charge lines;\n"
    "                             writes nothing; exits 0 only when all is sound\n"
    "  dump rooms                 the room file as CSV\n"
    "  dump guests [--show-cards] the guest file as CSV; card numbers show as their last\n"
    "                             four digits unless --show-cards is given\n"
    "  dump reservations [--show-cards]\n"
    "                             the reservation file as CSV, card numbers likewise\n"
    "  dump settings              tax rate, pet fee, counters, reminder switch, shift, clerk\n"
    "  dump totals MONTH YEAR     the running sums of a month\n"
    "  dump charges FOLIO         the charge lines of a stay\n"
    "  dump messages FOLIO        the messages of a stay\n"
    "  dump motel                 the motel's name, street, town and phone line as set, and\n"
    "                             after how many days cards are erased\n"
    "  set motel [--name TEXT] [--street TEXT] [--town TEXT] [--phone TEXT]\n"
    "            [--erase-cards-after DAYS|never]\n"
    "                             sets the motel's own lines of the folio's letterhead (and\n"
    "                             the name the main window shows); a line not given stays,\n"
    "                             an empty TEXT brings back the standard one. The night\n"
    "                             audit erases the cards of stays checked out, and of\n"
    "                             reservations checked in or cancelled, more than DAYS days\n"
    "                             ago (default: 30; 0: at check-out; never: kept)\n"
    "  print folio FOLIO [--history] [--pdf FILE] [--printer]\n"
    "                             the folio of a stay, in house or departed, as plain text;\n"
    "                             --history prints the departed guest's variant, --pdf FILE\n"
    "                             writes it as a PDF, --printer sends it to the printer\n"
    "  print housekeeping [--pdf FILE] [--printer]\n"
    "                             today's housekeeping report\n"
    "  print financial [--month MONTH --year YEAR] [--pdf FILE] [--printer]\n"
    "                             the financial report of a month (default: this month)\n"
    "  print guest-list [--pdf FILE] [--printer]\n"
    "                             the guest list of everyone in house\n"
    "  backup DIR [--keep N]      writes the whole data directory into one new file\n"
    "                             DIR/roomwright-YYYY-MM-DD-HHMMSS.tar, reads it back and\n"
    "                             checks it, and prints its path; --keep N then removes all\n"
    "                             but the newest N such backups in DIR\n"
    "  restore ARCHIVE            puts the backup ARCHIVE in the place of the data\n"
    "                             directory once it has been read whole and verify finds\n"
    "                             it sound; refuses while a program holds the directory.\n"
    "                             The data directory is kept beside it as\n"
    "                             DIR.before-restore-YYYY-MM-DD-HHMMSS; the next start\n"
    "                             rebuilds the saved indexes\n"
    "  night-audit [--pdf FILE] [--printer]\n"
    "                             charges tonight's room rent to every stay-over and prints\n"
    "                             the financial report and the guest list; refuses while a\n"
    "                             guest is due out today. Run again the same day, it charges\n"
    "                             nobody twice. Messages go to standard error.\n"
    "  erase-cards [--before YYYY-MM-DD]\n"
    "                             erases now what the night audit erases, or the cards of\n"
    "                             everything done before the given day, and says how many\n"
    "                             records it changed\n"
    "  cancel-reservation CONFIRMATION [--record N] [--reason TEXT]\n"
    "                             cancels the open reservation with that confirmation\n"
    "                             number (where two carry it, --record N names the one at\n"
    "                             record N of the reservation file) and keeps TEXT, cut to\n"
    "                             20 characters, as the reason (\"No-show\" for a guest who\n"
    "                             never came); the booking is no longer open: not found,\n"
    "                             not checked in, holding no room\n"
    "  list arrivals|departures|in-house|no-shows [--date YYYY-MM-DD] [--csv]\n"
    "                             the open reservations arriving, the guests due out, the\n"
    "                             guests in house with their balance, or the no-shows (the\n"
    "                             arrivals still open once the night audit has run), on a\n"
    "                             day (default: today), as a table or as CSV\n"
    "\n"
    "Every command that takes --pdf FILE or --printer also takes --paper letter|a4, the\n"
    "paper to print on (default: the printer's own; for a PDF, Letter where the system's\n"
    "locale country uses it, A4 elsewhere).\n";

class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct Context {
    Store& store;
    const Clock& clock;
    std::ostream& out;
    std::ostream& err;
};

long wholeNumber(const std::string& text, const char* what, long low, long high) {
    const auto value = strictNumber(text);
    // Range first: only a number within it may be converted.
    if (!value || !(*value >= static_cast<double>(low) && *value <= static_cast<double>(high)) ||
        *value != std::trunc(*value)) {
        throw UsageError(std::string(what) + " must be a whole number from " + std::to_string(low) +
                         " to " + std::to_string(high) + ", not \"" + text + "\"");
    }
    return static_cast<long>(*value);
}

void expectArguments(const std::vector<std::string>& words, std::size_t count, const char* usage) {
    if (words.size() != count) {
        throw UsageError(std::string("usage: roomwright-cli ") + usage);
    }
}

// A year as the totals files name it: four digits.
int yearNumber(const std::string& text) {
    return static_cast<int>(wholeNumber(text, "YEAR", 1000, 9999));
}

// Tells of damage on standard error; the dump shows the damaged values as kDamaged.
int damageReported(Context& c, const std::vector<std::string>& problems) {
    for (const std::string& problem : problems) {
        c.err << "roomwright-cli: " << problem << '\n';
    }
    return problems.empty() ? 0 : 1;
}

int dumpSettings(Context& c) {
    std::vector<std::string> problems;
    // A damaged setting shows as kDamaged; the others still show.
    const auto shown = [&](const std::function<std::string()>& value) {
        try {
            return value();
        } catch (const DamageError& damage) {
            problems.push_back(damage.what());
            return std::string(kDamaged);
        }
    };
    const auto onDuty = [&](auto field) {
        return shown([&] { return dumpText((shiftAndClerk(c.store).*field).str()); });
    };
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"TaxRate", shown([&] { return plainNumber(taxRate(c.store)); })},
        {"PetFee", shown([&] { return plainNumber(petFee(c.store)); })},
        {"FolioCounter", shown([&] { return std::to_string(lastFolioNumber(c.store)); })},
        {"ConfirmationCounter",
         shown([&] { return plainNumber(lastConfirmationNumber(c.store)); })},
        {"Greeting", shown([&] { return plainNumber(reminderSwitch(c.store)); })},
        {"Shift", onDuty(&ShiftClerkRecord::Shift)},
        {"ClerkInitials", onDuty(&ShiftClerkRecord::ClerkInitials)},
    };
    writeCsvRow(c.out, {"Name", "Value"});
    for (const auto& [name, value] : rows) {
        writeCsvRow(c.out, {name, value});
    }
    // The shift and clerk share one file: name its damage once.
    problems.erase(std::unique(problems.begin(), problems.end()), problems.end());
    return damageReported(c, problems);
}

int dumpTotals(Context& c, const std::string& monthText, const std::string& yearText) {
    const int month = static_cast<int>(wholeNumber(monthText, "MONTH", 1, 12));
    const CivilDate day{yearNumber(yearText), month, 1};
    const StoredTotals totals = storedTotals(c.store, day);
    writeCsvRow(c.out, {"Slot", "Field", "Amount"});
    for (std::size_t slot = 0; slot < totals.record.sums.size(); ++slot) {
        writeCsvRow(c.out, {std::to_string(slot), TotalsRecord::fieldNames[slot],
                            totals.damage[slot].empty() ? plainNumber(totals.record.sums[slot])
                                                        : std::string(kDamaged)});
    }
    const std::string damage = totals.damageSummary();
    if (damage.empty()) {
        return 0;
    }
    return damageReported(c, {DamageError(c.store.directory().totalsFile(day), damage).what()});
}

// A record file as CSV; damaged values show as kDamaged and are told on standard error.
template <class Record>
int dumpRecords(Context& c, const Table<Record>& table, CardNumbers cards = CardNumbers::Masked) {
    const DumpedDamage damage = dumpTable(c.out, table, cards);
    std::vector<std::string> problems;
    if (damage.values > 0) {
        problems.push_back(DamageError(table.path(), std::to_string(damage.values) +
                                                         " values are not finite numbers or "
                                                         "possible dates; they show as " +
                                                         kDamaged)
                               .what());
    }
    if (const std::uint64_t tail = c.store.files().size(table.path()) % Record::slotLength) {
        problems.push_back(DamageError(table.path(), "it ends in a record cut short (" +
                                                         std::to_string(tail) +
                                                         " bytes), which is not shown")
                               .what());
    }
    return damageReported(c, problems);
}

int dumpCharges(Context& c, const std::string& folioText) {
    const long folio = wholeNumber(folioText, "FOLIO", 0, kLastFolioNumber);
    const ParsedCharges charges = readCharges(c.store, folio);
    writeCsvRow(c.out, {"RoomNumber", "Shift", "Clerk", "PostDate", "Code", "Description", "Amount",
                        "Tax", "FolioNumber"});
    for (const ChargeLine& line : charges.lines) {
        writeCsvRow(c.out, {dumpText(line.RoomNumber), dumpText(line.Shift), dumpText(line.Clerk),
                            dumpDate(line.PostDate.stored()), dumpText(line.Code),
                            dumpText(line.Description), plainNumber(line.Amount),
                            line.Tax ? plainNumber(*line.Tax) : std::string(),
                            std::to_string(line.FolioNumber)});
    }
    for (const std::string& problem : charges.problems) {
        c.err << "roomwright-cli: " << problem << '\n';
    }
    return charges.problems.empty() ? 0 : 1;
}

// The motel's lines in the order the letterhead prints them, by their option names.
const std::pair<const char*, std::string MotelDetails::*> kMotelLines[] = {
    {"name", &MotelDetails::name},
    {"street", &MotelDetails::street},
    {"town", &MotelDetails::town},
    {"phone", &MotelDetails::phone},
};

const char* const kEraseCardsAfter = "erase-cards-after";

int dumpMotel(Context& c) {
    const MotelDetails motel = motelDetails(c.store);
    writeCsvRow(c.out, {"Name", "Value"});
    for (const auto& [name, line] : kMotelLines) {
        writeCsvRow(c.out, {name, motel.*line});
    }
    writeCsvRow(c.out, {kEraseCardsAfter, erasingText(motel.cards)});
    return 0;
}

int setMotel(Context& c, const std::vector<std::string>& words) {
    const char* const usage =
        "set motel [--name TEXT] [--street TEXT] [--town TEXT] [--phone TEXT] "
        "[--erase-cards-after DAYS|never]";
    if (words.size() < 2 || words[1] != "motel") {
        throw UsageError(std::string("usage: roomwright-cli ") + usage);
    }
    MotelDetails motel = motelDetails(c.store);
    for (std::size_t i = 2; i < words.size(); i += 2) {
        if (words[i] == "--" + std::string(kEraseCardsAfter) && i + 1 < words.size()) {
            const auto erasing = erasingOfText(words[i + 1]);
            if (!erasing) {
                throw UsageError("--erase-cards-after takes a whole number of days from 0 to " +
                                 std::to_string(kLongestStay) + ", or never, not \"" +
                                 words[i + 1] + "\"");
            }
            motel.cards = *erasing;
            continue;
        }
        const auto line =
            std::find_if(std::begin(kMotelLines), std::end(kMotelLines),
                         [&](const auto& l) { return words[i] == "--" + std::string(l.first); });
        if (line == std::end(kMotelLines) || i + 1 >= words.size()) {
            throw UsageError(std::string("usage: roomwright-cli ") + usage);
        }
        motel.*(line->second) = words[i + 1];
    }
    setMotelDetails(c.store, motel);
    return dumpMotel(c);
}

int dump(Context& c, const std::vector<std::string>& words) {
    if (words.size() < 2) {
        throw UsageError("usage: roomwright-cli dump "
                         "rooms|guests|reservations|settings|totals|charges|messages|motel");
    }
    const std::string& what = words[1];
    if (what == "rooms") {
        expectArguments(words, 2, "dump rooms");
        return dumpRecords(c, c.store.rooms());
    } else if (what == "guests" || what == "reservations") {
        const bool whole = words.size() == 3 && words[2] == "--show-cards";
        if (!whole) {
            expectArguments(words, 2, ("dump " + what + " [--show-cards]").c_str());
        }
        const CardNumbers cards = whole ? CardNumbers::Whole : CardNumbers::Masked;
        return what == "guests" ? dumpRecords(c, c.store.guests(), cards)
                                : dumpRecords(c, c.store.reservations(), cards);
    } else if (what == "settings") {
        expectArguments(words, 2, "dump settings");
        return dumpSettings(c);
    } else if (what == "totals") {
        expectArguments(words, 4, "dump totals MONTH YEAR");
        return dumpTotals(c, words[2], words[3]);
    } else if (what == "charges") {
        expectArguments(words, 3, "dump charges FOLIO");
        return dumpCharges(c, words[2]);
    } else if (what == "motel") {
        expectArguments(words, 2, "dump motel");
        return dumpMotel(c);
    } else if (what == "messages") {
        expectArguments(words, 3, "dump messages FOLIO");
        return dumpRecords(c,
                           c.store.messages(wholeNumber(words[2], "FOLIO", 0, kLastFolioNumber)));
    } else {
        throw UsageError("unknown dump \"" + what + "\"; see roomwright-cli --help");
    }
    return 0;
}

// Where the documents of a print command go: standard output as plain text, unless a PDF
// file or the printer is asked for.
struct Output {
    std::optional<std::string> pdf;
    bool printer = false;
    std::optional<Paper> paper;

    // Takes --pdf FILE, --printer or --paper letter|a4 at words[i]; false when the word is
    // none of them.
    bool take(const std::vector<std::string>& words, std::size_t& i) {
        if (words[i] == "--pdf" && i + 1 < words.size()) {
            pdf = words[++i];
        } else if (words[i] == "--printer") {
            printer = true;
        } else if (words[i] == "--paper" && i + 1 < words.size()) {
            paper = paperNamed(words[++i]);
            if (!paper) {
                throw UsageError("--paper takes letter or a4, not \"" + words[i] + "\"");
            }
        } else {
            return false;
        }
        return true;
    }

    void send(Context& c, const std::vector<Document>& documents) const {
        if (!pdf && !printer) {
            StreamPrinter out(c.out);
            for (const Document& document : documents) {
                out.print(document);
            }
            return;
        }
        sendToPages(PageJob{documents, pdf, printer, c.store.directory(), c.store.files(), c.clock,
                            [&](const std::string& message) { c.err << message << '\n'; }, paper});
    }
};

// The words after the command's own: output options, and whatever `other` takes.
template <class Other>
Output outputOptions(const std::vector<std::string>& words, std::size_t first, const char* usage,
                     Other other) {
    Output output;
    for (std::size_t i = first; i < words.size(); ++i) {
        if (!output.take(words, i) && !other(i)) {
            throw UsageError(std::string("usage: roomwright-cli ") + usage);
        }
    }
    if (output.paper && !output.pdf && !output.printer) {
        throw UsageError("--paper goes with --pdf FILE or --printer: plain text has no paper");
    }
    return output;
}
Output outputOptions(const std::vector<std::string>& words, std::size_t first, const char* usage) {
    return outputOptions(words, first, usage, [](std::size_t) { return false; });
}

int printFolio(Context& c, const std::vector<std::string>& words) {
    const char* const usage = "print folio FOLIO [--history] [--pdf FILE] [--printer]";
    if (words.size() < 3) {
        throw UsageError(std::string("usage: roomwright-cli ") + usage);
    }
    const long folio = wholeNumber(words[2], "FOLIO", 1, kLastFolioNumber);
    FolioVariant variant = FolioVariant::InHouse;
    const Output output = outputOptions(words, 3, usage, [&](std::size_t i) {
        if (words[i] != "--history") {
            return false;
        }
        variant = FolioVariant::History;
        return true;
    });
    const auto guest = guestByFolio(c.store, folio);
    if (!guest) {
        throw DataError("No stay in " + utf8Text(c.store.guests().path()) + " has folio number " +
                        std::to_string(folio) + ".");
    }
    const PrintedFolio printed = printedFolio(c.store, guest->second, variant);
    for (const std::string& problem : printed.problems) {
        c.err << "roomwright-cli: " << problem << '\n';
    }
    output.send(c, {printed.document});
    return printed.problems.empty() ? 0 : 1;
}

int printFinancial(Context& c, const std::vector<std::string>& words) {
    const char* const usage =
        "print financial [--month MONTH --year YEAR] [--pdf FILE] [--printer]";
    std::optional<int> month;
    std::optional<int> year;
    const Output output = outputOptions(words, 2, usage, [&](std::size_t& i) {
        if (i + 1 >= words.size()) {
            return false;
        }
        if (words[i] == "--month") {
            month = static_cast<int>(wholeNumber(words[++i], "MONTH", 1, 12));
        } else if (words[i] == "--year") {
            year = yearNumber(words[++i]);
        } else {
            return false;
        }
        return true;
    });
    if (month.has_value() != year.has_value()) {
        throw UsageError(std::string("--month and --year go together; usage: roomwright-cli ") +
                         usage);
    }
    const CivilDate day = month ? CivilDate{*year, *month, 1} : c.clock.today();
    output.send(c, {financialReport(c.store, day)});
    return 0;
}

int print(Context& c, const std::vector<std::string>& words) {
    const std::string what = words.size() >= 2 ? words[1] : "";
    if (what == "folio") {
        return printFolio(c, words);
    }
    if (what == "financial") {
        return printFinancial(c, words);
    }
    if (what == "housekeeping") {
        const Output output =
            outputOptions(words, 2, "print housekeeping [--pdf FILE] [--printer]");
        output.send(c, {housekeepingReport(c.store, c.clock.today())});
        return 0;
    }
    if (what == "guest-list") {
        const Output output = outputOptions(words, 2, "print guest-list [--pdf FILE] [--printer]");
        output.send(c, {guestList(c.store, c.clock.today())});
        return 0;
    }
    throw UsageError("usage: roomwright-cli print folio|housekeeping|financial|guest-list ...");
}

int verify(Context& c, const std::vector<std::string>& words) {
    expectArguments(words, 1, "verify");
    const Verification verification = verifyDataDirectory(c.store);
    for (const Finding& finding : verification.findings) {
        c.out << utf8Text(finding.file) << ": " << finding.problem << '\n';
    }
    c.out << verification.filesRead << " files read; "
          << (verification.sound()
                  ? "all is sound."
                  : std::to_string(verification.findings.size()) + " problems found.")
          << '\n';
    return verification.sound() ? 0 : 1;
}

int nightAudit(Context& c, const std::vector<std::string>& words) {
    const Output output = outputOptions(words, 1, "night-audit [--pdf FILE] [--printer]");
    // Refused before the audit charges anyone, not after.
    if (output.pdf) {
        refusePdfTarget(pathFromUtf8(*output.pdf), c.store.directory());
    }
    const NightAudit audit = runNightAudit(c.store, c.clock.today());
    if (audit.outcome == AuditOutcome::Refused) {
        c.err << "roomwright-cli: " << kDueOutToday << '\n';
        return 1;
    }
    printNightReports([&] { output.send(c, audit.documents); });
    c.err << (audit.outcome == AuditOutcome::AlreadyPosted ? kChargesAlreadyPosted
                                                           : kNightReportsRun)
          << '\n';
    return 0;
}

// "1 stay", "2 stays".
std::string counted(std::size_t count, const char* thing) {
    return std::to_string(count) + " " + thing + (count == 1 ? "" : "s");
}

int eraseCards(Context& c, const std::vector<std::string>& words) {
    std::optional<CivilDate> kept;
    if (words.size() == 3 && words[1] == "--before") {
        kept = parseIsoDate(words[2]);
        if (!kept) {
            throw UsageError("--before takes a date as YYYY-MM-DD, not \"" + words[2] + "\"");
        }
    } else {
        expectArguments(words, 1, "erase-cards [--before YYYY-MM-DD]");
        kept = firstDayKept(motelDetails(c.store).cards, c.clock.today());
        if (!kept) {
            c.err << "roomwright-cli: The motel keeps its guests' cards (" << kEraseCardsAfter
                  << " is never), so nothing was erased. Give --before YYYY-MM-DD, or set "
                     "the days with: roomwright-cli set motel --"
                  << kEraseCardsAfter << " DAYS\n";
            return 1;
        }
    }
    const ErasedCards erased = eraseCardsBefore(c.store, *kept, ErasingReach::EveryRecord);
    c.out << "Cards erased: " << counted(erased.records(), "record") << " changed ("
          << counted(erased.stays, "stay") << ", " << counted(erased.bookings, "reservation")
          << ").\n";
    return 0;
}

int backup(Context& c, const std::vector<std::string>& words) {
    const char* const usage = "backup DIR [--keep N]";
    std::optional<std::size_t> keep;
    if (words.size() == 4 && words[2] == "--keep") {
        keep = static_cast<std::size_t>(wholeNumber(words[3], "N", 1, 100000));
    } else {
        expectArguments(words, 2, usage);
    }
    const Backup done = backUp(c.store, pathFromUtf8(words[1]), c.clock, keep);
    for (const Path& removed : done.removed) {
        c.err << "Removed the older backup " << utf8Text(removed) << '\n';
    }
    c.out << utf8Text(done.file) << '\n';
    return 0;
}

int restore(Context& c, const std::vector<std::string>& words, const ClaimDirectory& claim) {
    expectArguments(words, 2, "restore ARCHIVE");
    const Restored done = restoreBackup(c.store.journal().disk(), c.store.directory(),
                                        pathFromUtf8(words[1]), c.clock, claim);
    const std::string root = utf8Text(c.store.directory().root());
    c.out << "Restored " << done.files << " files into " << root << ".\n";
    if (!done.previous.empty()) {
        c.out << "The data it held before is kept in " << utf8Text(done.previous) << ".\n";
    }
    return 0;
}

int list(Context& c, const std::vector<std::string>& words) {
    const char* const usage =
        "list arrivals|departures|in-house|no-shows [--date YYYY-MM-DD] [--csv]";
    const std::map<std::string, DeskListKind> kinds = {{"arrivals", DeskListKind::Arrivals},
                                                       {"departures", DeskListKind::Departures},
                                                       {"in-house", DeskListKind::InHouse},
                                                       {"no-shows", DeskListKind::NoShows}};
    const auto kind = words.size() >= 2 ? kinds.find(words[1]) : kinds.end();
    if (kind == kinds.end()) {
        throw UsageError(std::string("usage: roomwright-cli ") + usage);
    }
    CivilDate date = c.clock.today();
    bool csv = false;
    for (std::size_t i = 2; i < words.size(); ++i) {
        if (words[i] == "--csv") {
            csv = true;
        } else if (words[i] == "--date" && i + 1 < words.size()) {
            const auto given = parseIsoDate(words[++i]);
            if (!given) {
                throw UsageError("--date takes a date as YYYY-MM-DD, not \"" + words[i] + "\"");
            }
            date = *given;
        } else {
            throw UsageError(std::string("usage: roomwright-cli ") + usage);
        }
    }
    const DeskList found = deskList(c.store, kind->second, date, c.clock.today());
    if (csv) {
        const DeskTable table = deskTable(found, CellForm::Data);
        writeCsvRow(c.out, table.captions, "\r\n");
        for (const auto& row : table.rows) {
            writeCsvRow(c.out, row, "\r\n");
        }
    } else {
        c.out << deskListText(found);
    }
    for (const std::string& problem : found.problems) {
        c.err << "roomwright-cli: " << problem << '\n';
    }
    return found.problems.empty() ? 0 : 1;
}

int cancelBooking(Context& c, const std::vector<std::string>& words) {
    const char* const usage = "cancel-reservation CONFIRMATION [--record N] [--reason TEXT]";
    if (words.size() < 2) {
        throw UsageError(std::string("usage: roomwright-cli ") + usage);
    }
    const long number = wholeNumber(words[1], "CONFIRMATION", 0, 16777216);
    std::optional<std::size_t> record;
    std::string reason;
    for (std::size_t i = 2; i < words.size(); ++i) {
        if (words[i] == "--record" && i + 1 < words.size()) {
            record = static_cast<std::size_t>(
                wholeNumber(words[++i], "N", 1, std::numeric_limits<int>::max()));
        } else if (words[i] == "--reason" && i + 1 < words.size()) {
            reason = words[++i];
        } else {
            throw UsageError(std::string("usage: roomwright-cli ") + usage);
        }
    }
    std::vector<Shown> open = openReservationsNumbered(c.store, static_cast<double>(number));
    if (record) {
        std::erase_if(open, [&](const Shown& shown) { return shown.record != *record; });
    }
    const std::string file = utf8Text(c.store.reservations().path());
    const std::string which = "confirmation number " + std::to_string(number) +
                              (record ? " at record " + std::to_string(*record) : "");
    if (open.empty()) {
        throw DataError("No open reservation in " + file + " has " + which +
                        "; nothing was written.");
    }
    if (open.size() > 1) {
        std::string records;
        for (const Shown& shown : open) {
            records += (records.empty() ? "" : ", ") + std::to_string(shown.record);
        }
        throw DataError(std::to_string(open.size()) + " open reservations in " + file + " have " +
                        which + " (records " + records +
                        "); name one with --record N. Nothing was written.");
    }
    const ReservationRecord& booking = open.front().reservation;
    cancelReservation(c.store, open.front(), reason, c.clock.today());
    c.out << "Reservation " << number << " of " << booking.LastName.trimmed() << ", "
          << booking.FirstName.trimmed() << " for room " << booking.RoomNumber.trimmed()
          << ", arriving " << shortDate(CivilDate::fromStored(booking.ArrivalDate))
          << ", is cancelled.\n";
    return 0;
}

std::optional<TimeOfDay> isoTime(const std::string& text) {
    int hour = 0;
    int minute = 0;
    int second = 0;
    char extra = 0;
    if (std::sscanf(text.c_str(), "%2d:%2d:%2d%c", &hour, &minute, &second, &extra) != 3 ||
        hour > 23 || minute > 59 || second > 59 || hour < 0 || minute < 0 || second < 0) {
        return std::nullopt;
    }
    return TimeOfDay{hour, minute, second, 0};
}

int runCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    try {
        std::optional<std::string> dataDir;
        std::chrono::seconds wait(5);
        SystemClock system;
        CivilDate today = system.today();
        TimeOfDay now = system.now();
        std::size_t i = 0;
        const auto optionValue = [&](const std::string& option) {
            if (i + 1 >= arguments.size()) {
                throw UsageError(option + " needs a value");
            }
            return arguments[++i];
        };
        for (; i < arguments.size() && arguments[i].rfind("--", 0) == 0; ++i) {
            const std::string& option = arguments[i];
            if (option == "--help") {
                out << kHelp;
                return 0;
            } else if (option == "--version") {
                out << "roomwright-cli " << ROOMWRIGHT_VERSION << '\n';
                return 0;
            } else if (option == "--data-dir") {
                dataDir = optionValue(option);
            } else if (option == "--today") {
                const auto date = parseIsoDate(optionValue(option));
                if (!date) {
                    throw UsageError("--today takes a date as YYYY-MM-DD, not \"" + arguments[i] +
                                     "\"");
                }
                today = *date;
            } else if (option == "--wait") {
                wait = std::chrono::seconds(wholeNumber(optionValue(option), "--wait", 0, 3600));
            } else if (option == "--time") {
                const auto time = isoTime(optionValue(option));
                if (!time) {
                    throw UsageError("--time takes a time as HH:MM:SS, not \"" + arguments[i] +
                                     "\"");
                }
                now = *time;
            } else {
                throw UsageError("unknown option " + option + "; see roomwright-cli --help");
            }
        }
        const std::vector<std::string> words(arguments.begin() + static_cast<long>(i),
                                             arguments.end());
        if (words.empty()) {
            throw UsageError("no command given; see roomwright-cli --help");
        }

        DiskFileSystem files;
        Store store(DataDirectory::locate(DataDirectory::processEnvironment(dataDir)), files);
        FixedClock clock(today, now);
        Context context{store, clock, out, err};
        // The commands that write hold the data directory while they run; reading needs no
        // lock and never waits.
        const auto holdWhileWriting = [&] {
            return WriterLock::take(store.directory(), "roomwright-cli", wait);
        };

        const std::string root = utf8Text(store.directory().root());
        if (const auto previous = finishCutRestore(files, store.directory())) {
            err << restoreFinished(*previous) << '\n';
        }
        if (words[0] == "init") {
            expectArguments(words, 1, "init");
            store.directory().ensureExists(files);
            const WriterLock writer = holdWhileWriting();
            if (store.recover()) {
                out << kOperationUndone << '\n';
            }
            out << "The data directory is ready: " << root << '\n';
            return 0;
        }
        // A restore may also bring back a directory that is gone.
        if (words[0] == "restore") {
            return restore(context, words, [&] { return std::optional(holdWhileWriting()); });
        }
        // Every other command works on a directory that is there; none creates it.
        std::error_code error;
        if (!std::filesystem::is_directory(store.directory().root(), error)) {
            throw DataError("There is no data directory at " + root +
                            ". Create one with: roomwright-cli --data-dir \"" + root + "\" init");
        }
        // The writing commands that undo an operation cut short before they begin.
        using Command = int (*)(Context&, const std::vector<std::string>&);
        const std::map<std::string, Command> recovering = {
            {"night-audit", nightAudit},
            {"erase-cards", eraseCards},
            {"cancel-reservation", cancelBooking},
        };
        if (const auto command = recovering.find(words[0]); command != recovering.end()) {
            const WriterLock writer = holdWhileWriting();
            if (store.recover()) {
                err << kOperationUndone << '\n';
            }
            return command->second(context, words);
        }
        if (words[0] == "verify") {
            return verify(context, words);
        }
        // Reading commands do not put anything back: the program may be in the middle of
        // an operation. They refuse to read files that an operation left half changed.
        if (store.journal().pending()) {
            throw std::runtime_error(
                "An operation on the data files is under way in the program, or was cut "
                "short: " +
                utf8Text(store.journal().journalPath()) +
                ". Run the command again; if this persists, run roomwright-cli init (or start "
                "the program), which undoes the operation that was cut short.");
        }
        if (words[0] == "dump") {
            return dump(context, words);
        }
        if (words[0] == "set") {
            const WriterLock writer = holdWhileWriting();
            return setMotel(context, words);
        }
        if (words[0] == "print") {
            return print(context, words);
        }
        if (words[0] == "backup") {
            // Nothing is written to the data directory while it is copied.
            const WriterLock writer = holdWhileWriting();
            return backup(context, words);
        }
        if (words[0] == "list") {
            return list(context, words);
        }
        throw UsageError("unknown command \"" + words[0] + "\"; see roomwright-cli --help");
    } catch (const UsageError& failure) {
        err << "roomwright-cli: " << failure.what() << '\n';
        return 2;
    } catch (const std::exception& failure) {
        err << "roomwright-cli: " << failure.what() << '\n';
        return 1;
    }
}

} // namespace

int runCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const int status = runCommand(arguments, out, err);
    // Output that did not reach its file (a full disk, a closed pipe) is a failure.
    if (!out.flush()) {
        err << "roomwright-cli: could not write the standard output; what it holds is "
               "incomplete.\n";
        return 1;
    }
    return status;
}

} // namespace roomwright
