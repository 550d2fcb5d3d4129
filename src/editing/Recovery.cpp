#include "editing/Recovery.h"

#include "designfile/DesignFile.h"
#include "designfile/SafeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QSet>
#include <QStandardPaths>
#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

namespace vantor {

namespace {

constexpr char Prefix[] = "recovery";
// The stored name is a path; anything longer is no name of ours.
constexpr std::size_t MaxNameBytes = 64 * 1024;
// A lock file holds a few short lines.
constexpr qint64 MaxLockBytes = 4096;
constexpr qsizetype MaxTitleLength = 260;

std::filesystem::path NativePath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// Removes whatever is at `path` unless it is a regular file: a link, a FIFO or anything
// else planted there is never written through or opened. False when it cannot go.
bool ClearNonFile(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat status {};
    if (::lstat(native.constData(), &status) != 0 || S_ISREG(status.st_mode))
        return true;
    if (S_ISDIR(status.st_mode))
        return false;
    return ::unlink(native.constData()) == 0;
}

// The same for a lock file, which must also be small for the lock to read it.
bool ClearBadLock(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat status {};
    if (::lstat(native.constData(), &status) != 0)
        return true;
    if (S_ISREG(status.st_mode) && status.st_size <= MaxLockBytes)
        return true;
    return !S_ISDIR(status.st_mode) && ::unlink(native.constData()) == 0;
}

std::unique_ptr<QLockFile> MakeLock(const QString& path) {
    auto lock = std::make_unique<QLockFile>(path);
    // A live owner never refreshes its lock: only a gone process makes it stale.
    lock->setStaleLockTime(0);
    return lock;
}

// Tries the lock at `path`, taking it over when its owner is gone.
std::unique_ptr<QLockFile> TryLock(const QString& path) {
    // Qt reads an existing lock, and a helper lock beside it when it removes a stale one.
    if (!ClearBadLock(path) || !ClearBadLock(path + QStringLiteral(".rmlock")))
        return nullptr;
    std::unique_ptr<QLockFile> lock = MakeLock(path);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

} // namespace

RecoveryStore::RecoveryStore(QString directory)
    : directory_(std::move(directory)),
      owner_(QStringLiteral("%1-%2")
                 .arg(QCoreApplication::applicationPid())
                 .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'))) {}

RecoveryStore::~RecoveryStore() = default;

QString RecoveryStore::DefaultDirectory() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString RecoveryStore::ownStem(int slot) const {
    return QDir(directory_)
        .filePath(QStringLiteral("%1-%2-%3").arg(QLatin1String(Prefix), owner_).arg(slot));
}

QString RecoveryStore::designPath(int slot) const {
    return ownStem(slot) + QStringLiteral(".kfx");
}

QString RecoveryStore::namePath(int slot) const {
    return ownStem(slot) + QStringLiteral(".name");
}

bool RecoveryStore::takeOwnLock() {
    if (ownLock_)
        return true;
    if (directory_.isEmpty() || !QDir().mkpath(directory_))
        return false;
    const QString path =
        QDir(directory_).filePath(QStringLiteral("%1-%2.lock").arg(QLatin1String(Prefix), owner_));
    ownLock_ = TryLock(path);
    return ownLock_ != nullptr;
}

RecoveryStore::WriteOutcome RecoveryStore::WriteCopy(const QString& designPath,
                                                     const QString& namePath,
                                                     std::span<const std::uint8_t> design,
                                                     const QString& originalName) {
    WriteOutcome outcome;
    if (!ClearNonFile(namePath) || !ClearNonFile(designPath)) {
        outcome.reason = QStringLiteral("something that is not a file is in the way");
        return outcome;
    }
    const QByteArray name = originalName.toUtf8();
    FileWriteResult written = ReplaceFileContents(
        NativePath(namePath), std::span(reinterpret_cast<const std::uint8_t*>(name.constData()),
                                        std::size_t(name.size())));
    if (written.ok)
        written = ReplaceFileContents(NativePath(designPath), design);
    outcome.ok = written.ok;
    outcome.reason = QString::fromStdString(written.reason);
    return outcome;
}

RecoveryStore::WriteOutcome RecoveryStore::write(int slot, const Design& design,
                                                 const QString& originalName) {
    if (!takeOwnLock())
        return {false, QStringLiteral("the recovery folder cannot be used")};
    const std::vector<std::uint8_t> bytes = EncodeDesign(design);
    return WriteCopy(designPath(slot), namePath(slot), bytes, originalName);
}

void RecoveryStore::remove(int slot) const {
    QFile::remove(designPath(slot));
    QFile::remove(namePath(slot));
}

void RecoveryStore::removeOwnCopies() {
    if (!ownLock_)
        return;
    const QString own = QStringLiteral("%1-%2-").arg(QLatin1String(Prefix), owner_);
    const QDir folder(directory_);
    const QStringList names =
        folder.entryList({own + QStringLiteral("*")}, QDir::Files | QDir::System | QDir::Hidden);
    for (const QString& name : names)
        QFile::remove(folder.filePath(name));
    ownLock_->unlock();
    ownLock_.reset();
}

QList<RecoveryStore::LeftCopy> RecoveryStore::claimLeftCopies() {
    QList<LeftCopy> found;
    const QDir folder(directory_);
    if (directory_.isEmpty() || !folder.exists())
        return found;
    const QStringList names = folder.entryList({QStringLiteral("recovery*.kfx")},
                                               QDir::Files | QDir::System | QDir::Hidden);
    QSet<QString> claimed;
    QSet<QString> refused;
    for (const QString& name : names) {
        const QString stem = name.chopped(4);
        // "recovery" alone: a copy of a program that kept one copy and took no lock.
        QString owner;
        if (stem != QLatin1String(Prefix)) {
            const QStringList parts = stem.split(QLatin1Char('-'));
            if (parts.size() != 4 || parts[0] != QLatin1String(Prefix))
                continue;
            owner = parts[1] + QLatin1Char('-') + parts[2];
            if (owner == owner_ || refused.contains(owner))
                continue;
            if (!claimed.contains(owner)) {
                std::unique_ptr<QLockFile> lock = TryLock(folder.filePath(
                    QStringLiteral("%1-%2.lock").arg(QLatin1String(Prefix), owner)));
                if (!lock) {
                    refused.insert(owner); // its program still runs
                    continue;
                }
                claims_.push_back(std::move(lock));
                claimed.insert(owner);
            }
        }
        LeftCopy copy;
        copy.designPath = folder.filePath(name);
        copy.namePath = folder.filePath(stem + QStringLiteral(".name"));
        const FileReadResult stored = ReadRegularFile(NativePath(copy.namePath), MaxNameBytes);
        if (stored.ok)
            copy.originalName = QString::fromUtf8(
                reinterpret_cast<const char*>(stored.bytes.data()), qsizetype(stored.bytes.size()));
        struct stat status {};
        if (::lstat(QFile::encodeName(copy.designPath).constData(), &status) == 0)
            copy.written = QDateTime::fromSecsSinceEpoch(status.st_mtime);
        found.append(copy);
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const LeftCopy& a, const LeftCopy& b) { return a.written < b.written; });
    return found;
}

void RecoveryStore::releaseClaims() {
    for (const auto& lock : claims_)
        lock->unlock();
    claims_.clear();
}

RecoveryStore::Restored RecoveryStore::Restore(const LeftCopy& copy, Design& design) {
    Restored restored;
    const std::filesystem::path path = NativePath(copy.designPath);
    FileReadResult read = ReadRegularFile(path, std::size_t{256} << 20);
    if (!read.ok) {
        restored.message =
            copy.designPath + QLatin1Char('\n') + QString::fromStdString(read.reason);
        return restored;
    }
    const LoadResult loaded = DecodeDesign(read.bytes, design);
    if (loaded.ok) {
        restored.outcome = Outcome::Restored;
        return restored;
    }
    restored.outcome = Outcome::Damaged;
    restored.message = copy.designPath + QLatin1Char('\n') + QString::fromStdString(loaded.reason);
    // Kept for whoever wants to look at it, but never offered again.
    const QString aside = copy.designPath + QStringLiteral(".damaged");
    QFile::remove(aside);
    if (!QFile::rename(copy.designPath, aside))
        QFile::remove(copy.designPath);
    QFile::remove(copy.namePath);
    return restored;
}

void RecoveryStore::Discard(const LeftCopy& copy) {
    QFile::remove(copy.designPath);
    QFile::remove(copy.namePath);
}

QString RecoveredTitle(const QString& originalName) {
    QString title;
    for (const QChar c : originalName) {
        const QChar::Category category = c.category();
        const bool unprintable =
            category == QChar::Other_Control || category == QChar::Other_Format ||
            category == QChar::Other_NotAssigned || category == QChar::Separator_Line ||
            category == QChar::Separator_Paragraph;
        title += unprintable ? QChar(u'?') : c;
        if (title.size() >= MaxTitleLength)
            break;
    }
    return title.trimmed();
}

QString RecoveredSaveSuggestion(const QString& originalName) {
    if (originalName.isEmpty() || RecoveredTitle(originalName) != originalName)
        return QString();
    const QFileInfo file(originalName);
    if (!file.isAbsolute() || file.fileName().isEmpty())
        return QString();
    const QFileInfo folder(file.absolutePath());
    if (!folder.exists() || !folder.isDir() || folder.isSymLink())
        return QString();
    return QDir::cleanPath(originalName);
}

} // namespace vantor
