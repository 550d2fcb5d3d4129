#pragma once

#include "canvas/PointerMode.h"

#include <QObject>
#include <QPointer>

namespace vantor {

class ObjectWindowRelay;
class TMainForm;
class TMDIChild;
class TShaped;
struct MainActions;

// The commands that set the pointer mode the design windows obey: the default mode, the
// select-and-move mode with its hand cursor, and the four dimension commands, which add
// a dimension to the active design for the pointer to place.
class PointerCommands : public QObject {
    Q_OBJECT

public:
    PointerCommands(TMainForm& main, const MainActions& actions, ObjectWindowRelay& objects);
    ~PointerCommands() override;

private:
    void addDimension(const char* className, PointerModeKind mode);
    // A placement left for another mode command keeps the dimension with the points it
    // has; that is a change of the design like a finished one, so it becomes a step.
    void endAbandonedPlacement();

    TMainForm& main_;
    ObjectWindowRelay& objects_;
    bool handCursor_ = false;
    QPointer<TMDIChild> placingWindow_;
    const TShaped* placing_ = nullptr;
};

} // namespace vantor
