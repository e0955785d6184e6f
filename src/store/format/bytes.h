#pragma once

#include <cstddef>
#include <vector>

namespace roomwright {

// The bytes of a record slot or of a stretch of a file, as they are stored.
using Bytes = std::vector<std::byte>;

} // namespace roomwright
