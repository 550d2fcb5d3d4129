#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class QLockFile;

namespace vantor {

class Design;

// The recovery copies of modified designs. Each running program owns the copies named
// after it, "recovery-<owner>-<slot>.kfx" (one slot per design window) with the name of
// the file the design came from beside it in "recovery-<owner>-<slot>.name", and holds
// the lock "recovery-<owner>.lock" while it runs. A copy whose owner's lock is free (the
// owner ended without closing) is left over and may be offered back; the copies of a
// program that still runs are never touched by another.
//
// Everything read from the folder is data: only regular files of bounded size are read,
// nothing blocks, and a link or other non-file found where a copy is written is removed,
// never written through.
class RecoveryStore {
public:
    // Keeps the copies in `directory`; by default the per-user data folder.
    explicit RecoveryStore(QString directory = DefaultDirectory());
    // Releases the locks; the copies stay (an orderly end calls removeOwnCopies first).
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    static QString DefaultDirectory();
    const QString& directory() const { return directory_; }

    // Takes this program's lock, once; false when the folder cannot hold it.
    bool takeOwnLock();
    // Where the copy of a slot is written.
    QString designPath(int slot) const;
    QString namePath(int slot) const;

    struct WriteOutcome {
        bool ok = false;
        QString reason;
    };
    // Writes a copy's files; safe to call from any thread (nothing of the store is used).
    static WriteOutcome WriteCopy(const QString& designPath, const QString& namePath,
                                  std::span<const std::uint8_t> design,
                                  const QString& originalName);
    // Takes the lock and writes the slot's copy of the design.
    WriteOutcome write(int slot, const Design& design, const QString& originalName);
    void remove(int slot) const;
    // An orderly end: removes every copy of this program and gives up its lock.
    void removeOwnCopies();

    // A copy left over by a program that is gone.
    struct LeftCopy {
        QString designPath;
        QString namePath;
        // The name of the file the design came from, as stored (untrusted).
        QString originalName;
        QDateTime written;
    };
    // Finds the copies whose owner is gone and keeps their locks until releaseClaims(),
    // so that no program started meanwhile offers them too. Oldest first.
    QList<LeftCopy> claimLeftCopies();
    void releaseClaims();

    enum class Outcome { Restored, Damaged, Unreadable };
    struct Restored {
        Outcome outcome = Outcome::Unreadable;
        // The loader's message for a damaged or unreadable copy.
        QString message;
    };
    // Reads a left copy into the design. A damaged copy is moved aside (".damaged" added
    // to its name) so that it is not offered again; one that cannot be read (not a
    // regular file, too large, no permission) stays where it is.
    static Restored Restore(const LeftCopy& copy, Design& design);
    // Removes a left copy's files.
    static void Discard(const LeftCopy& copy);

private:
    QString ownStem(int slot) const;

    QString directory_;
    // This program's part of the names: its process and a random number.
    QString owner_;
    std::unique_ptr<QLockFile> ownLock_;
    std::vector<std::unique_ptr<QLockFile>> claims_;
};

// The original name of a recovered design as a window title: control characters
// replaced, the length bounded; empty when nothing printable is left.
QString RecoveredTitle(const QString& originalName);
// The path to suggest at the first save of a recovered design: the original path when it
// is absolute and printable and its folder is an existing, plain folder; else empty.
QString RecoveredSaveSuggestion(const QString& originalName);

} // namespace vantor
