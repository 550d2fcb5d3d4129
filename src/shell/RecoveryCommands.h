#pragma once

#include "editing/Recovery.h"
#include "i18n/RuntimeTexts.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <functional>
#include <memory>

class QAction;
class QMainWindow;

namespace vantor {

class DesignDocument;
class DesignWindows;
class Interaction;
class ObjectWindowRelay;
class TMDIChild;

// Keeps a copy of every design window's design while it has unsaved changes, every ten
// steps and every thirty seconds, so that a run cut off loses little; the next start
// offers the copies back. Each window has its own copy, named after this program, which
// no other running program touches. Saving or closing a window on purpose removes its
// copy; an orderly end removes this program's copies and no others.
class RecoveryCommands : public QObject {
    Q_OBJECT

public:
    // `window` (the main window) owns the commands, is the parent of their questions and
    // shows their status; `newDesignWindow` opens an empty design in a window of its own.
    RecoveryCommands(QMainWindow& window, std::function<TMDIChild*()> newDesignWindow,
                     Interaction& interaction, DesignWindows& windows, ObjectWindowRelay& objects);
    ~RecoveryCommands() override;

    RecoveryStore& store() const { return *store_; }
    // Writes the copy of the document's design now.
    void write(DesignDocument& document);
    // Writes the copy every ten steps of the document's history; a design back at its
    // saved state needs none.
    void follow(DesignDocument& document);
    // The document's design was saved or given up: its copy goes.
    void removeCopy(DesignDocument& document);
    // An orderly end: every copy of this program goes.
    void removeAll();
    // Claims the copies that programs which ended without closing left behind; true when
    // there are any, to be offered.
    bool claimLeftCopies();
    // Offers the claimed copies in one question; each restored design gets a window.
    void offer();
    // Where the first save of a recovered design proposes to write it; empty otherwise.
    QString saveSuggestion(const DesignDocument& document) const;
    // The document's design now has a file of its own.
    void saved(const DesignDocument& document);
    // The path of the document's copy (empty for a document not followed).
    QString copyPath(const DesignDocument& document) const;

    // Copies at least this large are written on a worker thread from a snapshot of the
    // design's bytes, so that the window does not freeze; smaller ones at once.
    void setBackgroundThreshold(qsizetype bytes) { backgroundThreshold_ = bytes; }
    // Waits for copies being written in the background.
    void waitForWrites();

private:
    struct Slot {
        int number = 0;
        int stepsSinceWrite = 0;
        // Changed since the copy was last written.
        bool stale = false;
        bool writing = false;
        // The name a recovered design came from: its caption, not a path to write to.
        QString recoveredName;
    };
    // Writes the copy on this thread; false when it failed (reported).
    bool writeNow(DesignDocument& document);
    void report(bool ok);
    QString originalName(const DesignDocument& document) const;

    QMainWindow& window_;
    std::function<TMDIChild*()> newDesignWindow_;
    Interaction& interaction_;
    DesignWindows& windows_;
    ObjectWindowRelay& objects_;
    std::unique_ptr<RecoveryStore> store_;
    QList<RecoveryStore::LeftCopy> left_;
    QHash<const DesignDocument*, Slot> slots_;
    int nextSlot_ = 1;
    qsizetype backgroundThreshold_ = 4 << 20;
    // A write failed: the next step tries again; the failure was told once.
    bool retryPending_ = false;
    bool failureShown_ = false;
    QAction* failureText_ = nullptr;
    RuntimeTexts texts_;
    QThreadPool writer_;
};

} // namespace vantor
