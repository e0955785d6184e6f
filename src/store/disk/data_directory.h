#pragma once

#include "store/disk/file_system.h"
#include "store/format/dates.h"

#include <optional>
#include <string>

namespace roomwright {

// Where everything the motel keeps lives. This is the one place that builds a path.
class DataDirectory {
  public:
    explicit DataDirectory(Path root) : root_(std::move(root)) {}

    // The directory to use: the --data-dir option, else ROOMWRIGHT_DATA_DIR, else c:/Motel/
    // on Windows and $XDG_DATA_HOME/roomwright/Motel/ (by default
    // ~/.local/share/roomwright/Motel/) elsewhere.
    struct Environment {
        std::optional<std::string> dataDirOption;
        std::optional<std::string> dataDirVariable;
        std::optional<std::string> xdgDataHome;
        std::optional<std::string> home;
    };
    static DataDirectory locate(const Environment& environment);
    // The environment of this process.
    static Environment processEnvironment(std::optional<std::string> dataDirOption);

    const Path& root() const { return root_; }
    Path room() const { return root_ / "room"; }
    Path guest() const { return root_ / "guest"; }
    Path reservation() const { return root_ / "reservation"; }
    Path shiftClerk() const { return root_ / "shiftclerk"; }
    Path tax() const { return root_ / "tax"; }
    Path pet() const { return root_ / "pet"; }
    Path folio() const { return root_ / "folio"; }
    Path confirmation() const { return root_ / "confirmation"; }
    Path greeting() const { return root_ / "greeting"; }
    Path dailyCharge() const { return root_ / "dailycharge"; }
    Path totals() const { return root_ / "totals"; }
    Path message() const { return root_ / "message"; }
    Path printouts() const { return root_ / "printouts"; }
    // This program's own record of the night audit under way or last run; the motel's
    // older program never looks at it.
    Path auditJournal() const { return root_ / "nightaudit.journal"; }
    // The program's own saved in-house index, and the file it is written to before it
    // replaces the saved one. Other programs on the same directory do not read them.
    Path inHouseIndex() const { return root_ / "inhouse.index"; }
    Path inHouseIndexTemporary() const { return root_ / "inhouse.index.new"; }
    // The same for the saved index of the bookings the desk asks about.
    Path bookingIndex() const { return root_ / "bookings.index"; }
    Path bookingIndexTemporary() const { return root_ / "bookings.index.new"; }
    // How far the erasing of cards no longer needed has come (store/erasing_mark.h), a file
    // of this program's own, and the file it is written to before it replaces it.
    Path erasingMark() const { return root_ / "cards.erased"; }
    Path erasingMarkTemporary() const { return root_ / "cards.erased.new"; }
    // The motel's own name, address and phone for the letterhead and the main window, a
    // text file of this program's own, and the file it is written to before it replaces it.
    Path motelDetails() const { return root_ / "motel.txt"; }
    Path motelDetailsTemporary() const { return root_ / "motel.txt.new"; }
    // Held by the one program that writes here (store/writer_lock.h), and naming it;
    // other programs on the directory do not read it.
    Path writerLock() const { return root_ / "roomwright.lock"; }
    // The program's own journal of the operation under way (see store/journal.h); other
    // programs on the same directory do not read it.
    Path journal() const { return root_ / "store.journal"; }

    // Where a file is written whole before it is renamed into place: beside it, ".new" added.
    static Path beside(const Path& file) { return Path(file).concat(".new"); }

    // "dailycharge/ 17": the folio number after one blank.
    Path chargeFile(long folioNumber) const;
    // "totals/122026": month without leading zero, four-digit year.
    Path totalsFile(const CivilDate& date) const;
    // "message/ 17".
    Path messageFile(long folioNumber) const;

    // Creates the directory and its three subdirectories when they are missing.
    void ensureExists(FileSystem& files) const;

  private:
    Path root_;
};

} // namespace roomwright
