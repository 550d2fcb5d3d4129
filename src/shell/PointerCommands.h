#pragma once

#include "canvas/PointerMode.h"
#include "model/Shaped.h"

#include <QObject>
#include <QPointer>
#include <functional>

namespace vantor {

class DesignDocument;
class DesignWindowHost;
struct MainActions;

// The commands that set the pointer mode the design windows obey: the default mode, the
// select-and-move mode with its hand cursor, and the four dimension commands, which add
// a dimension to the active design for the pointer to place.
class PointerCommands : public QObject {
    Q_OBJECT

public:
    // `modes` keeps the pointer mode; `activeDocument` gives the active design (or null),
    // `newPen` the pen of a new shape.
    PointerCommands(const MainActions& actions, DesignWindowHost& modes,
                    std::function<DesignDocument*()> activeDocument, std::function<TPen()> newPen,
                    QObject* parent);
    ~PointerCommands() override;

private:
    void addDimension(const char* className, PointerModeKind mode);
    // A placement left for another mode command keeps the dimension with the points it
    // has; that is a change of the design like a finished one, so it becomes a step.
    void endAbandonedPlacement();

    DesignWindowHost& modes_;
    std::function<DesignDocument*()> activeDocument_;
    std::function<TPen()> newPen_;
    bool handCursor_ = false;
    QPointer<DesignDocument> placingDocument_;
    const TShaped* placing_ = nullptr;
};

} // namespace vantor
