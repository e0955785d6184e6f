#include "support/faulty_file_system.h"

#include "store/store_error.h"

#include <algorithm>

namespace roomwright::testing {

void FaultyFileSystem::write(const Path& file, std::uint64_t offset,
                             std::span<const std::byte> bytes) {
    if (goodWrites_ && *goodWrites_ <= 0) {
        ++failures_;
        if (once_) {
            heal();
        }
        const std::size_t landed = std::min(bytesThatLand_, bytes.size());
        if (landed > 0) {
            DiskFileSystem::write(file, offset, bytes.first(landed));
        }
        throw StoreError(file, "write", "No space left on device");
    }
    if (goodWrites_) {
        --*goodWrites_;
    }
    DiskFileSystem::write(file, offset, bytes);
}

void FaultyFileSystem::replaceWhole(const Path& file, const Path& temporary,
                                    std::span<const std::byte> bytes) {
    // A full disk refuses a whole file too; the file then stays as it was.
    if (refuseWholeFiles_ || (goodWrites_ && *goodWrites_ <= 0)) {
        ++failures_;
        if (!refuseWholeFiles_ && once_) {
            heal();
        }
        throw StoreError(file, "write", "No space left on device");
    }
    if (goodWrites_) {
        --*goodWrites_;
    }
    DiskFileSystem::replaceWhole(file, temporary, bytes);
}

} // namespace roomwright::testing
