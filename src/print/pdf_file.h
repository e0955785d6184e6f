#pragma once

#include "store/disk/data_directory.h"

#include <functional>

namespace roomwright {

// Refuses a PDF target that is the data directory itself or lies in it outside printouts/
// (the motel's files), however it is written: through "..", symbolic links or a relative
// path; any target in the data directory while printouts/ is a symbolic link (it may lead
// back to the motel's files); and a target that is neither a regular file nor a new one (a
// device, a FIFO, a folder, or a link, whose name alone would be replaced). Throws
// StoreError naming the target.
void refusePdfTarget(const Path& target, const DataDirectory& directory);

// Writes a PDF file all or nothing. `draw(temporary)` writes the pages into a temporary file
// beside `target` and returns false when the drawing failed. The file is taken only when it
// is complete (not empty, ending with the %%EOF marker): it is made its owner's only,
// synced and renamed over `target`. Throws StoreError naming `target` otherwise; `target`
// is then as it was and the temporary file is gone. A target refusePdfTarget refuses is
// refused before anything is drawn.
void writePdfFile(const Path& target, const DataDirectory& directory,
                  const std::function<bool(const Path& temporary)>& draw);

} // namespace roomwright
