#pragma once

#include <QIcon>

namespace roomwright {

// The program's icon, the package's own drawing, built into the program and drawn at the
// sizes title bars, task bars and window lists ask for.
QIcon programIcon();

} // namespace roomwright
