#pragma once

#include <QString>
#include <QStringList>

namespace vantor {

// `list` with `item` moved (or added) to the front, holding at most `max` entries.
QStringList PutFirst(QStringList list, const QString& item, qsizetype max);

// The files a user worked with, kept per user between runs: the folder the file dialogs
// start in (the last one used; the documents folder at first) and the designs opened or
// saved last, newest first.
class FileHistory {
public:
    static constexpr qsizetype MaxRecent = 8;

    FileHistory();

    // The folder to start a file dialog in, with a closing "/": the last one used while
    // it exists, else the user's documents folder (the home folder without one).
    QString folder() const;
    // `fileName` in that folder, as a save dialog proposes it.
    QString proposal(const QString& fileName) const;
    // A file was read or written: its folder is where the next dialog starts.
    void used(const QString& file);
    // A design file was opened or saved: used, and first among the recent designs.
    void designUsed(const QString& file);
    // A recent design that could not be opened leaves the list.
    void forget(const QString& file);
    const QStringList& recent() const { return recent_; }

private:
    void store() const;

    QString folder_;
    QStringList recent_;
};

} // namespace vantor
