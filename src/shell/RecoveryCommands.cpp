#include "shell/RecoveryCommands.h"

#include "canvas/DesignWindow.h"
#include "designfile/DesignFile.h"
#include "editing/EditHistory.h"
#include "i18n/AdvForm.h"
#include "interaction/Interaction.h"
#include "shell/DesignWindows.h"
#include "shell/ObjectWindowRelay.h"

#include <QAction>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QPointer>
#include <QStatusBar>
#include <QTimer>

namespace vantor {

namespace {

// Asked at start when runs ended without closing modified designs; the copies follow,
// one a line.
constexpr int RecoveryIntervalMs = 30'000;
constexpr int RecoveryStepInterval = 10;

} // namespace

RecoveryCommands::RecoveryCommands(QMainWindow& window, std::function<TMDIChild*()> newDesignWindow,
                                   Interaction& interaction, DesignWindows& windows,
                                   ObjectWindowRelay& objects)
    : QObject(&window), window_(window), newDesignWindow_(std::move(newDesignWindow)),
      interaction_(interaction), windows_(windows), objects_(objects),
      store_(std::make_unique<RecoveryStore>()), texts_(window, "RecoveryText", {1845}) {
    // One writer: copies are written in the order they were taken.
    writer_.setMaxThreadCount(1);
    // Never shown: carries the translated status-bar text.
    failureText_ = new QAction(Tagged(1800), &window);
    failureText_->setObjectName("ARecoveryWriteFailed");
    auto* timer = new QTimer(&window);
    timer->setObjectName("RecoveryTimer");
    timer->setInterval(RecoveryIntervalMs);
    connect(timer, &QTimer::timeout, this, [this] {
        const auto windows = windows_.all();
        for (TMDIChild* each : windows)
            if (auto it = slots_.find(&each->document());
                it != slots_.end() && it->stale && each->document().isModified())
                write(each->document());
    });
    timer->start();
}

RecoveryCommands::~RecoveryCommands() {
    writer_.waitForDone();
}

void RecoveryCommands::waitForWrites() {
    writer_.waitForDone();
    QCoreApplication::sendPostedEvents(this);
}

QString RecoveryCommands::originalName(const DesignDocument& document) const {
    if (!document.filePath().isEmpty())
        return document.filePath();
    const auto it = slots_.constFind(&document);
    return it != slots_.constEnd() ? it->recoveredName : QString();
}

void RecoveryCommands::report(bool ok) {
    if (ok) {
        retryPending_ = false;
        if (failureShown_)
            window_.statusBar()->clearMessage();
        failureShown_ = false;
        return;
    }
    retryPending_ = true;
    if (!failureShown_)
        window_.statusBar()->showMessage(failureText_->text());
    failureShown_ = true;
}

bool RecoveryCommands::writeNow(DesignDocument& document) {
    Slot& slot = slots_[&document];
    slot.stepsSinceWrite = 0;
    slot.stale = false;
    const bool ok = store_->write(slot.number, document.design(), originalName(document)).ok;
    if (!ok)
        slot.stale = true;
    report(ok);
    return ok;
}

void RecoveryCommands::write(DesignDocument& document) {
    const auto it = slots_.find(&document);
    if (it == slots_.end() || it->writing)
        return;
    if (!store_->takeOwnLock()) {
        it->stale = true;
        report(false);
        return;
    }
    // The design as it is now; the window may change it while the bytes are written.
    auto bytes = std::make_shared<const std::vector<std::uint8_t>>(EncodeDesign(document.design()));
    it->stepsSinceWrite = 0;
    it->stale = false;
    const QString designPath = store_->designPath(it->number);
    const QString namePath = store_->namePath(it->number);
    const QString name = originalName(document);
    if (qsizetype(bytes->size()) < backgroundThreshold_) {
        const bool ok = RecoveryStore::WriteCopy(designPath, namePath, *bytes, name).ok;
        it->stale = !ok;
        report(ok);
        return;
    }
    it->writing = true;
    QPointer<DesignDocument> target(&document);
    writer_.start([this, target, bytes, designPath, namePath, name] {
        const bool ok = RecoveryStore::WriteCopy(designPath, namePath, *bytes, name).ok;
        QMetaObject::invokeMethod(
            this,
            [this, target, ok] {
                if (target) {
                    if (auto it = slots_.find(target.data()); it != slots_.end()) {
                        it->writing = false;
                        it->stale = it->stale || !ok;
                    }
                }
                report(ok);
            },
            Qt::QueuedConnection);
    });
}

void RecoveryCommands::follow(DesignDocument& document) {
    Slot slot;
    slot.number = nextSlot_++;
    slots_.insert(&document, slot);
    connect(&document, &QObject::destroyed, this, [this, &document] { slots_.remove(&document); });
    connect(&document.history(), &EditHistory::changed, this, [this, &document] {
        if (!document.isModified()) {
            removeCopy(document);
            return;
        }
        Slot& slot = slots_[&document];
        slot.stale = true;
        // After a failed write, every step tries again.
        if (++slot.stepsSinceWrite >= RecoveryStepInterval || retryPending_)
            write(document);
    });
}

void RecoveryCommands::removeCopy(DesignDocument& document) {
    const auto it = slots_.find(&document);
    if (it == slots_.end())
        return;
    // A copy still being written would come back after the removal.
    writer_.waitForDone();
    it->stale = false;
    it->stepsSinceWrite = 0;
    store_->remove(it->number);
}

void RecoveryCommands::removeAll() {
    writer_.waitForDone();
    store_->removeOwnCopies();
}

QString RecoveryCommands::copyPath(const DesignDocument& document) const {
    const auto it = slots_.constFind(&document);
    return it != slots_.constEnd() ? store_->designPath(it->number) : QString();
}

QString RecoveryCommands::saveSuggestion(const DesignDocument& document) const {
    const auto it = slots_.constFind(&document);
    if (it == slots_.constEnd() || it->recoveredName.isEmpty())
        return QString();
    return RecoveredSaveSuggestion(it->recoveredName);
}

void RecoveryCommands::saved(const DesignDocument& document) {
    if (auto it = slots_.find(&document); it != slots_.end())
        it->recoveredName.clear();
}

bool RecoveryCommands::claimLeftCopies() {
    left_ = store_->claimLeftCopies();
    if (left_.isEmpty())
        store_->releaseClaims();
    return !left_.isEmpty();
}

void RecoveryCommands::offer() {
    const QList<RecoveryStore::LeftCopy> copies = std::exchange(left_, {});
    if (copies.isEmpty())
        return;
    QString question = texts_(1845);
    for (const RecoveryStore::LeftCopy& copy : copies) {
        const QString title = RecoveredTitle(copy.originalName);
        question += QStringLiteral("\n%1 (%2)")
                        .arg(title.isEmpty() ? QStringLiteral("New") : title,
                             copy.written.toString("yyyy-MM-dd HH:mm"));
    }
    if (!interaction_.askYesNo(&window_, question, QString())) {
        for (const RecoveryStore::LeftCopy& copy : copies)
            RecoveryStore::Discard(copy);
        store_->releaseClaims();
        return;
    }
    // Empty windows the start opened give way to the restored designs.
    QList<TMDIChild*> blank;
    const auto before = windows_.all();
    for (TMDIChild* each : before)
        if (!each->document().isModified() && each->document().filePath().isEmpty() &&
            each->design().empty())
            blank.append(each);
    bool anyRestored = false;
    for (const RecoveryStore::LeftCopy& copy : copies) {
        TMDIChild* window = newDesignWindow_();
        const RecoveryStore::Restored restored = RecoveryStore::Restore(copy, window->design());
        if (restored.outcome != RecoveryStore::Outcome::Restored) {
            // Damaged copies were set aside; unreadable ones stay for another try.
            interaction_.showMessage(&window_, restored.message,
                                     QString::fromUtf8(ReadErrorCaption), Interaction::Icon::Error);
            windows_.close(qobject_cast<QMdiSubWindow*>(window->parentWidget()));
            continue;
        }
        anyRestored = true;
        // The stored name is only a caption: the first save asks where to write.
        DesignDocument& document = window->document();
        const QString title = RecoveredTitle(copy.originalName);
        if (!title.isEmpty())
            document.setDisplayName(title);
        slots_[&document].recoveredName = copy.originalName;
        document.history().markModified();
        document.history().announceChange();
        window->Redraw();
        // Once the design has a copy of this program's own, the left one has served.
        if (writeNow(document))
            RecoveryStore::Discard(copy);
    }
    store_->releaseClaims();
    if (!anyRestored || blank.isEmpty())
        return;
    for (TMDIChild* each : blank)
        windows_.close(qobject_cast<QMdiSubWindow*>(each->parentWidget()));
    // The object window shows the design left active.
    if (TMDIChild* active = windows_.active())
        objects_.setDesignWindow(active);
}

} // namespace vantor
