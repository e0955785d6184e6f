#include "app/start_up.h"

#include "store/journal.h"

namespace roomwright {

std::optional<WriterLock> claimDataDirectory(const Store& store, FileSystem& files,
                                             Dialogs& dialogs) {
    std::optional<WriterLock> lock;
    const bool ready = guarded(dialogs, nullptr, [&] {
        store.directory().ensureExists(files);
        lock.emplace(WriterLock::take(store.directory(), "roomwright"));
        if (store.recover()) {
            dialogs.inform(nullptr, kAttention, QString::fromUtf8(kOperationUndone));
        }
        store.scanInHouseGuests([](std::size_t, const RecordView<GuestRecord>&) { return false; });
    });
    if (!ready) {
        return std::nullopt;
    }
    return lock;
}

} // namespace roomwright
