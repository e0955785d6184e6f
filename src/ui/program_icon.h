#pragma once

#include <QIcon>

namespace roomwright {

// The program's icon, the package's own drawing (packaging/roomwright.svg), built into the
// program at the sizes title bars, task bars and window lists ask for.
QIcon programIcon();

} // namespace roomwright
