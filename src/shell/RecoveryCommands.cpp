#include "shell/RecoveryCommands.h"

#include "canvas/DesignWindow.h"
#include "designfile/DesignFile.h"
#include "editing/EditHistory.h"
#include "editing/Recovery.h"
#include "interaction/Interaction.h"
#include "shell/DesignWindows.h"
#include "shell/ObjectWindowRelay.h"

#include <QTimer>
#include <QWidget>

namespace vantor {

namespace {

// Asked at start when a run ended without closing a modified design.
constexpr char RecoverQuestion[] = "Przywrócić niezapisany projekt?";
constexpr int RecoveryIntervalMs = 30'000;
constexpr int RecoveryStepInterval = 10;

} // namespace

RecoveryCommands::RecoveryCommands(QWidget& window, Interaction& interaction,
                                   DesignWindows& windows, ObjectWindowRelay& objects)
    : QObject(&window), window_(window), interaction_(interaction), windows_(windows),
      objects_(objects), store_(std::make_unique<RecoveryStore>()) {
    auto* timer = new QTimer(&window);
    timer->setObjectName("RecoveryTimer");
    timer->setInterval(RecoveryIntervalMs);
    connect(timer, &QTimer::timeout, this, [this] {
        if (TMDIChild* active = windows_.active(); active && active->history().isModified())
            write(*active);
    });
    timer->start();
}

RecoveryCommands::~RecoveryCommands() = default;

bool RecoveryCommands::exists() const {
    return store_->exists();
}

void RecoveryCommands::remove() {
    store_->remove();
}

void RecoveryCommands::write(TMDIChild& window) {
    stepsSinceWrite_ = 0;
    store_->write(window.design(), window.history().filePath());
}

void RecoveryCommands::follow(TMDIChild& window) {
    connect(&window.history(), &EditHistory::changed, this, [this, &window] {
        if (!window.history().isModified())
            store_->remove();
        else if (++stepsSinceWrite_ >= RecoveryStepInterval)
            write(window);
    });
}

void RecoveryCommands::offer() {
    if (!interaction_.askYesNo(&window_, QString::fromUtf8(RecoverQuestion), QString())) {
        store_->remove();
        return;
    }
    TMDIChild* window = windows_.active();
    if (window == nullptr)
        return;
    const RecoveryStore::Recovered recovered = store_->restore(window->design());
    if (!recovered.ok) {
        interaction_.showMessage(&window_, recovered.message, QString::fromUtf8(ReadErrorCaption),
                                 Interaction::Icon::Error);
    } else {
        if (!recovered.originalName.isEmpty())
            window->history().setFilePath(recovered.originalName);
        window->history().markModified();
    }
    ShowDesignCaption(*window);
    objects_.showLoadedDesign();
    window->Redraw();
}

} // namespace vantor
