#include "shell/LayoutFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace vantor {

LayoutFiles::LayoutFiles(QString programDirectory, QString userDirectory,
                         bool programFolderWritable)
    : programDirectory_(std::move(programDirectory)), userDirectory_(std::move(userDirectory)),
      programFolderWritable_(programFolderWritable) {}

LayoutFiles LayoutFiles::forProgramFolder(const QString& programDirectory) {
    const QFileInfo folder(programDirectory);
    const bool installed =
        QFileInfo::exists(QDir(programDirectory).filePath(QString::fromLatin1(InstalledMarkerName)));
    return LayoutFiles(programDirectory,
                       QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation),
                       folder.isDir() && folder.isWritable() && !installed);
}

QString LayoutFiles::toRead(const char* name) const {
    const QString file = QString::fromLatin1(name);
    if (inUserFolder() && !userDirectory_.isEmpty()) {
        const QString own = QDir(userDirectory_).filePath(file);
        if (QFileInfo::exists(own))
            return own;
    }
    return QDir(programDirectory_).filePath(file);
}

QString LayoutFiles::toWrite(const char* name) const {
    const QString file = QString::fromLatin1(name);
    if (!inUserFolder() || userDirectory_.isEmpty())
        return QDir(programDirectory_).filePath(file);
    QDir().mkpath(userDirectory_);
    return QDir(userDirectory_).filePath(file);
}

} // namespace vantor
