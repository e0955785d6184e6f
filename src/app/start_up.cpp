#include "app/start_up.h"

#include "backup/restore.h"
#include "store/disk/journal.h"
#include "store/format/path_text.h"
#include "ui/dialogs.h"

namespace roomwright {

std::optional<WriterLock> claimDataDirectory(const Store& store, FileSystem& files,
                                             Dialogs& dialogs, const CivilDate& today) {
    std::optional<WriterLock> lock;
    bool undone = false;
    std::optional<Path> restoredOver;
    const bool ready = guarded(dialogs, nullptr, [&] {
        restoredOver = finishCutRestore(files, store.directory());
        store.directory().ensureExists(files);
        lock.emplace(WriterLock::take(store.directory(), "roomwright"));
        // Only the one writer may put back what an operation cut short left half changed.
        undone = store.recover();
        store.scanInHouseGuests([](std::size_t, const RecordView<GuestRecord>&) { return false; });
        store.scanIndexedBookings(
            today, [](std::size_t, const RecordView<ReservationRecord>&) { return false; });
        store.saveIndexes();
    });
    if (!ready) {
        return std::nullopt;
    }
    if (restoredOver) {
        dialogs.inform(nullptr, kAttention,
                       QString::fromUtf8(restoreFinished(*restoredOver).c_str()));
    }
    if (undone) {
        dialogs.inform(nullptr, kAttention, QString::fromUtf8(kOperationUndone));
    }
    return lock;
}

} // namespace roomwright
