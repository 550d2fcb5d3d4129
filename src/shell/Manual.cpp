#include "shell/Manual.h"

#include <QDir>
#include <QFileInfo>

namespace vantor {

namespace {

// Where the installed manual lies, seen from the installed program's folder (set by the
// build from the install layout).
#ifndef VANTOR_INSTALLED_MANUAL
#define VANTOR_INSTALLED_MANUAL "../../share/vantor/help"
#endif

bool HoldsManual(const QString& folder) {
    return QFileInfo(folder + QStringLiteral("/pl/index.html")).isFile() &&
           QFileInfo(folder + QStringLiteral("/en/index.html")).isFile();
}

} // namespace

QString FindManualFolder(const QString& programDirectory) {
    const QDir program(programDirectory);
    for (const QString& relative :
         {QStringLiteral("help"), QStringLiteral(VANTOR_INSTALLED_MANUAL)}) {
        const QString folder = QDir::cleanPath(program.absoluteFilePath(relative));
        if (HoldsManual(folder))
            return folder;
    }
    return {};
}

QString ManualLanguageFolder(Language language) {
    return language == Language::English ? QStringLiteral("en") : QStringLiteral("pl");
}

QUrl ManualPage(const QString& manualFolder, Language language, const QString& page) {
    if (manualFolder.isEmpty())
        return {};
    return QUrl::fromLocalFile(manualFolder + QLatin1Char('/') + ManualLanguageFolder(language) +
                               QLatin1Char('/') + page);
}

} // namespace vantor
