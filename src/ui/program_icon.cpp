#include "ui/program_icon.h"

#include <QDir>
#include <QFileInfo>

namespace roomwright {

QIcon programIcon() {
    QIcon icon;
    for (const QFileInfo& drawn : QDir(QStringLiteral(":/icon")).entryInfoList()) {
        icon.addFile(drawn.filePath());
    }
    return icon;
}

} // namespace roomwright
