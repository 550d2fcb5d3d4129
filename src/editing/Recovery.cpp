#include "editing/Recovery.h"

#include "designfile/DesignFile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace vantor {

RecoveryStore::RecoveryStore(QString directory) : directory_(std::move(directory)) {}

QString RecoveryStore::DefaultDirectory() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString RecoveryStore::designPath() const {
    return QDir(directory_).filePath(QStringLiteral("recovery.kfx"));
}

QString RecoveryStore::namePath() const {
    return QDir(directory_).filePath(QStringLiteral("recovery.name"));
}

bool RecoveryStore::exists() const {
    return QFile::exists(designPath());
}

bool RecoveryStore::write(const Design& design, const QString& originalName) const {
    if (directory_.isEmpty() || !QDir().mkpath(directory_))
        return false;
    QSaveFile name(namePath());
    if (!name.open(QIODevice::WriteOnly) || name.write(originalName.toUtf8()) < 0 || !name.commit())
        return false;
    return SaveDesign(design, std::filesystem::path(designPath().toStdString())).ok;
}

void RecoveryStore::remove() const {
    QFile::remove(designPath());
    QFile::remove(namePath());
}

RecoveryStore::Recovered RecoveryStore::restore(Design& design) const {
    Recovered recovered;
    QFile name(namePath());
    if (name.open(QIODevice::ReadOnly))
        recovered.originalName = QString::fromUtf8(name.read(64 * 1024));
    const LoadResult loaded = LoadDesign(std::filesystem::path(designPath().toStdString()), design);
    recovered.ok = loaded.ok;
    // The copy stays until the restored design is saved or closed: a run cut off again
    // before the next copy is written would otherwise lose the work a second time.
    if (loaded.ok)
        return recovered;
    recovered.message = QString::fromStdString(loaded.message);
    // Kept for whoever wants to look at it, but never offered again.
    const QString aside = designPath() + QStringLiteral(".damaged");
    QFile::remove(aside);
    if (!QFile::rename(designPath(), aside))
        QFile::remove(designPath());
    QFile::remove(namePath());
    return recovered;
}

} // namespace vantor
