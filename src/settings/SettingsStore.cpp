#include "settings/SettingsStore.h"

#include "designfile/SafeFile.h"

#include <QFile>
#include <QStandardPaths>

namespace vantor {

std::optional<QString> SettingsStoreRefusal() {
#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)
    return std::nullopt; // the registry and property lists are no files of ours
#else
    // The user's file and the system-wide ones, each with its organisation-wide fallback.
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation)) {
        for (const QString& name :
             {QStringLiteral("/Qendel/CAD.conf"), QStringLiteral("/Qendel.conf")}) {
            const QString path = folder + name;
            if (const auto kind = NotARegularFile(QFile::encodeName(path).toStdString()))
                return path + QStringLiteral(": ") + QString::fromStdString(*kind);
        }
    }
    return std::nullopt;
#endif
}

} // namespace vantor
