#include "shell/ProgramIcon.h"

#include <QDir>

namespace vantor {

QIcon ProgramIcon() {
    QIcon icon;
    const QDir pictures(QStringLiteral(":/icons"));
    const auto names = pictures.entryList({QStringLiteral("vantor-*.png")}, QDir::Files);
    for (const QString& name : names)
        icon.addFile(pictures.filePath(name));
    return icon;
}

} // namespace vantor
