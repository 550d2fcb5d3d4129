#include "shell/FileHistory.h"

#include "settings/SettingsKeys.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace vantor {

namespace {

// Its own store beside the program's settings, whose values are a fixed set.
QSettings Store() {
    return QSettings(
        QString::fromLatin1(SettingsOrganization.data(), qsizetype(SettingsOrganization.size())),
        QStringLiteral("Files"));
}

const QString FolderKey = QStringLiteral("LastFolder");
const QString RecentKey = QStringLiteral("RecentDesigns");

} // namespace

QStringList PutFirst(QStringList list, const QString& item, qsizetype max) {
    list.removeAll(item);
    list.prepend(item);
    while (list.size() > max)
        list.removeLast();
    return list;
}

FileHistory::FileHistory() {
    const QSettings store = Store();
    folder_ = store.value(FolderKey).toString();
    // Whatever the store holds, the list stays a list of at most MaxRecent paths.
    for (const QString& file : store.value(RecentKey).toStringList())
        if (!file.isEmpty() && !recent_.contains(file) && recent_.size() < MaxRecent)
            recent_ << file;
}

QString FileHistory::folder() const {
    QString folder = folder_;
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (folder.isEmpty() || !QFileInfo(folder).isDir())
            folder = QDir::homePath();
    }
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString FileHistory::proposal(const QString& fileName) const {
    // Only a name: whatever a name came from, it cannot reach into another folder or
    // carry characters a file name should not.
    QString name = QFileInfo(fileName).fileName();
    for (QChar& c : name)
        if (c.category() == QChar::Other_Control || QStringLiteral("\\:*?\"<>|").contains(c))
            c = QLatin1Char('_');
    return folder() + name;
}

void FileHistory::used(const QString& file) {
    folder_ = QFileInfo(file).absolutePath();
    store();
}

void FileHistory::designUsed(const QString& file) {
    const QString path = QFileInfo(file).absoluteFilePath();
    recent_ = PutFirst(recent_, path, MaxRecent);
    used(path);
}

void FileHistory::forget(const QString& file) {
    recent_.removeAll(file);
    store();
}

void FileHistory::store() const {
    QSettings store = Store();
    store.setValue(FolderKey, folder_);
    store.setValue(RecentKey, recent_);
}

} // namespace vantor
