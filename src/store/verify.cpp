#include "store/verify.h"

#include "store/charges.h"
#include "store/format/numbers.h"
#include "store/format/path_text.h"
#include "store/format/store_error.h"
#include "store/lookups.h"
#include "store/settings.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <map>
#include <type_traits>
#include <utility>

namespace roomwright {

namespace {

// Beyond this many problems in one file, only their number is told.
constexpr std::size_t kProblemsShownPerFile = 20;

// The numbers of a record type, from its layout: name, offset and whether a Date.
struct NumberField {
    const char* name;
    std::size_t offset;
    bool date;
};
class NumberFields {
  public:
    template <class T> void text(const char*, std::size_t, const T&) {}
    void single(const char* name, std::size_t offset, float) {
        fields.push_back({name, offset, false});
    }
    void date(const char* name, std::size_t offset, double) {
        fields.push_back({name, offset, true});
    }
    std::vector<NumberField> fields;
};

// A month's sum of the charge lines of one totals slot.
struct LineSum {
    double amount = 0;
    std::size_t lines = 0;
};
using MonthKey = std::pair<int, int>; // year, month

class Verifier {
  public:
    explicit Verifier(const Store& store)
        : store_(store), files_(store.files()), directory_(store.directory()) {}

    Verification run() {
        checkJournal();
        for (const Path& file :
             {directory_.tax(), directory_.pet(), directory_.greeting(), directory_.confirmation(),
              directory_.folio(), directory_.shiftClerk()}) {
            checkFile(file, [&] { settingOf(file); });
        }
        checkFile(directory_.room(), [&] { records(store_.rooms()); });
        checkFile(directory_.guest(), [&] {
            records(store_.guests());
            checkInHouseIndex();
        });
        for (const Path& folder : {directory_.dailyCharge(), directory_.totals(),
                                   directory_.message(), directory_.printouts()}) {
            if (files_.kindOf(folder) == EntryKind::Link) {
                note(folder, "it is a symbolic link, which the program writes nothing through: "
                             "make it a folder in the data directory again");
            }
        }
        checkFile(directory_.reservation(), [&] { records(store_.reservations()); });
        for (const Path& file : files_.list(directory_.message())) {
            checkFile(file, [&] { records(Table<MessageRecord>(files_, file)); });
        }
        for (const Path& file : files_.list(directory_.dailyCharge())) {
            checkFile(file, [&] { chargeLines(file); });
        }
        for (const Path& file : files_.list(directory_.totals())) {
            if (const auto month = monthOf(file)) {
                checkFile(file, [&] { totals(*month); });
            }
        }
        compareTotals();
        return std::move(result_);
    }

  private:
    // Reads one file through `check`, telling its problems; a file that cannot be read at
    // all is one problem.
    template <class Check> void checkFile(const Path& file, Check check) {
        shown_ = 0;
        try {
            if (files_.size(file) > 0) {
                ++result_.filesRead;
                check();
            }
        } catch (const DamageError& damage) {
            note(file, damage.detail());
        } catch (const std::exception& failure) {
            note(file, failure.what());
        }
        if (shown_ > kProblemsShownPerFile) {
            result_.findings.push_back(
                {file, "and " + std::to_string(shown_ - kProblemsShownPerFile) + " more problems"});
        }
    }

    void note(const Path& file, std::string problem) {
        if (++shown_ <= kProblemsShownPerFile) {
            result_.findings.push_back({file, std::move(problem)});
        }
    }

    void checkJournal() {
        const Path journal = directory_.journal();
        for (const Path& entry : files_.list(directory_.root())) {
            if (entry == journal) {
                note(journal, "an operation did not finish; the next start of the program "
                              "completes or undoes it");
            }
        }
    }

    void settingOf(const Path& file) {
        if (file == directory_.tax()) {
            taxRate(store_);
        } else if (file == directory_.pet()) {
            petFee(store_);
        } else if (file == directory_.greeting()) {
            reminderSwitch(store_);
        } else if (file == directory_.confirmation()) {
            lastConfirmationNumber(store_);
        } else if (file == directory_.folio()) {
            lastFolioNumber(store_);
        } else {
            shiftAndClerk(store_);
        }
    }

    template <class Record> void records(const Table<Record>& table) {
        const Path& file = table.path();
        if (const std::uint64_t tail = files_.size(file) % Record::slotLength) {
            note(file, "it ends in a record cut short: " + std::to_string(tail) +
                           " bytes after record " + std::to_string(table.count()));
        }
        NumberFields numbers;
        const Record blank{};
        Record::layout(numbers, blank);
        table.scanViews([&](std::size_t n, const RecordView<Record>& view) {
            for (const NumberField& field : numbers.fields) {
                const bool sound =
                    field.date ? CivilDate::possible(field::getDate(view.slot(), field.offset))
                               : std::isfinite(field::getSingle(view.slot(), field.offset));
                if (!sound) {
                    note(file,
                         "record " + std::to_string(n) + ": " + field.name +
                             (field.date ? " is an impossible date" : " is not a finite number"));
                }
            }
            if constexpr (std::is_same_v<Record, GuestRecord>) {
                if (inHouse(view)) {
                    inHouse_.push_back(n);
                }
                const float folio = view.template number<&GuestRecord::FolioNumber>();
                if (std::isfinite(folio) && !isFolioNumber(folio)) {
                    note(file, "record " + std::to_string(n) + ": FolioNumber " +
                                   plainNumber(folio) + " is no folio number");
                }
            }
            return true;
        });
    }

    void chargeLines(const Path& file) {
        scanChargeFile(
            files_, file,
            [&](const ChargeLine& line) {
                const auto category = lineCategory(line);
                if (!category) {
                    note(file, "a line of " + line.Code + " \"" + line.Description +
                                   "\" counts in no totals");
                    return;
                }
                LineSum& sum = posted_[{line.PostDate.year, line.PostDate.month}]
                                      [static_cast<std::size_t>(categoryInfo(*category).slot)];
                sum.amount += line.Amount;
                ++sum.lines;
            },
            [&](const std::string& problem) { note(file, problem); });
        // Every line ends in CR LF, the last one too.
        const std::uint64_t length = files_.size(file);
        std::array<std::byte, 2> end{};
        const std::uint64_t from = length - std::min<std::uint64_t>(length, 2);
        files_.readAt(file, from, std::span(end).last(static_cast<std::size_t>(length - from)));
        if (end[1] != std::byte{'\n'}) {
            note(file, "its last line has no line end");
        } else if (end[0] != std::byte{'\r'}) {
            note(file, "its last line ends in a line feed without the carriage return before it");
        }
    }

    // A saved in-house index that the program would take must list every stay in house:
    // one that leaves a stay out (restored or forged with the guest file's very length and
    // time) would hide the guest from every in-house list. Run once the guest file is read.
    void checkInHouseIndex() {
        const Path saved = directory_.inHouseIndex();
        try {
            InHouseIndex index(files_, directory_.guest(), saved,
                               directory_.inHouseIndexTemporary());
            const auto listed =
                index.savedRecords(RecordFile(files_, directory_.guest(), GuestRecord::slotLength));
            if (!listed || *listed == inHouse_) {
                return;
            }
            std::vector<std::size_t> missing;
            std::ranges::set_difference(inHouse_, *listed, std::back_inserter(missing));
            std::string records;
            for (const std::size_t n : missing) {
                records += (records.empty() ? "" : ", ") + std::to_string(n);
            }
            note(saved, "it leaves out the stays in house in records " + records +
                            " of the guest file; delete it, and the program builds it afresh");
        } catch (const std::exception& failure) {
            note(saved, failure.what());
        }
    }

    // The month a totals file is named for: month without leading zero, four-digit year.
    static std::optional<MonthKey> monthOf(const Path& file) {
        const std::string name = utf8Text(file.filename());
        if (name.size() < 5 || name.size() > 6 ||
            name.find_first_not_of("0123456789") != std::string::npos) {
            return std::nullopt;
        }
        const int month = std::stoi(name.substr(0, name.size() - 4));
        const int year = std::stoi(name.substr(name.size() - 4));
        const CivilDate first{year, month, 1};
        if (!first.valid() || year < 1000 || monthYear(first) != name) {
            return std::nullopt;
        }
        return MonthKey{year, month};
    }

    void totals(const MonthKey& month) {
        StoredTotals stored = storedTotals(store_, {month.first, month.second, 1});
        const std::string damage = stored.damageSummary();
        if (!damage.empty()) {
            note(directory_.totalsFile({month.first, month.second, 1}), damage);
        }
        totals_.emplace(month, std::move(stored));
    }

    // Every month with a totals file or a posting: each posted slot against its lines.
    void compareTotals() {
        for (const auto& [month, sums] : totals_) {
            posted_.try_emplace(month);
        }
        for (const auto& [month, sums] : posted_) {
            const CivilDate first{month.first, month.second, 1};
            if (!first.valid() || month.first < 1000) {
                continue; // a date no posting writes; its line was told of already
            }
            const Path file = directory_.totalsFile(first);
            shown_ = 0;
            const auto found = totals_.find(month);
            const StoredTotals none{};
            const StoredTotals& stored = found != totals_.end() ? found->second : none;
            for (std::size_t slot = 0; slot < sums.size(); ++slot) {
                const LineSum& lines = sums[slot];
                const float kept = stored.record.sums[slot];
                if (!stored.damage[slot].empty() || !postedSlot(slot)) {
                    continue;
                }
                // A Single rounds each addition to 24 bits of the running sum.
                const double rounding = 0.005 + static_cast<double>(lines.lines) *
                                                    std::max(std::fabs(static_cast<double>(kept)),
                                                             std::fabs(lines.amount)) *
                                                    6e-8;
                if (std::fabs(static_cast<double>(kept) - lines.amount) > rounding) {
                    note(file, std::string(TotalsRecord::fieldNames[slot]) + " is " +
                                   plainNumber(kept) + ", but the charge lines posted in " +
                                   std::to_string(month.second) + "/" +
                                   std::to_string(month.first) + " add up to " +
                                   plainNumber(lines.amount));
                }
            }
        }
    }

    static bool postedSlot(std::size_t slot) {
        for (int c = 0; c <= static_cast<int>(Category::Other); ++c) {
            if (static_cast<std::size_t>(categoryInfo(static_cast<Category>(c)).slot) == slot) {
                return true;
            }
        }
        return false;
    }

    const Store& store_;
    FileSystem& files_;
    const DataDirectory& directory_;
    Verification result_;
    std::size_t shown_ = 0;
    std::map<MonthKey, std::array<LineSum, 18>> posted_;
    std::map<MonthKey, StoredTotals> totals_;
    std::vector<std::size_t> inHouse_; // the stays in house, as the guest file holds them
};

} // namespace

Verification verifyDataDirectory(const Store& store) {
    return Verifier(store).run();
}

} // namespace roomwright
