#pragma once

#include <QObject>
#include <memory>

class QWidget;

namespace vantor {

class DesignWindows;
class Interaction;
class ObjectWindowRelay;
class RecoveryStore;
class TMDIChild;

// Keeps a copy of the active design while it has unsaved changes, every ten steps and
// every thirty seconds, so that a run cut off loses little; the next start offers it
// back. Saving, closing on purpose and an orderly end remove it.
class RecoveryCommands : public QObject {
    Q_OBJECT

public:
    RecoveryCommands(QWidget& window, Interaction& interaction, DesignWindows& windows,
                     ObjectWindowRelay& objects);
    ~RecoveryCommands() override;

    RecoveryStore& store() const { return *store_; }
    bool exists() const;
    void remove();
    // Writes the copy of the window's design.
    void write(TMDIChild& window);
    // Offers the copy a run that ended without closing left behind.
    void offer();
    // Writes the copy every ten steps of the window's history; a design back at its
    // saved state needs none.
    void follow(TMDIChild& window);

private:
    QWidget& window_;
    Interaction& interaction_;
    DesignWindows& windows_;
    ObjectWindowRelay& objects_;
    std::unique_ptr<RecoveryStore> store_;
    int stepsSinceWrite_ = 0;
};

} // namespace vantor
