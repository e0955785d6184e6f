#include "frontdesk/housekeeping.h"

#include <map>
#include <string>

namespace roomwright {

Document housekeepingReport(const Store& store, const CivilDate& today) {
    // Where a room has two in-house records, the later one's word stands.
    std::map<std::string, const char*> guestWords;
    store.scanInHouseGuests([&](std::size_t, const RecordView<GuestRecord>& guest) {
        const bool leaving =
            CivilDate::fromStored(guest.number<&GuestRecord::DepartureDate>()) == today;
        guestWords[guest.trimmed<&GuestRecord::RoomNumber>()] =
            leaving ? "checking out" : "staying over";
        return true;
    });

    Document report("Housekeeping Report " + isoDate(today));
    report.endLine();
    report.text("Housekeeping Report for " + shortDate(today)).endLine();
    report.rule('=', 110).endLine();
    store.rooms().scan([&](std::size_t, const RoomRecord& room) {
        const auto guest = guestWords.find(room.RoomNumber.trimmed());
        const char* word = guest != guestWords.end()         ? guest->second
                           : room.CleanFlag.trimmed() == "N" ? "dirty"
                                                             : "";
        report.text(onPaper(room.RoomNumber.str())).tab(10).text(word).tab(30);
        report.text(onPaper(room.Comment.str())).endLine();
        report.rule('-', 134).endLine();
        return true;
    });
    return report;
}

} // namespace roomwright
