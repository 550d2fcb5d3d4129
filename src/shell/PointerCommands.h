#pragma once

#include "canvas/PointerMode.h"

#include <QObject>

namespace vantor {

class ObjectWindowRelay;
class TMainForm;
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

    TMainForm& main_;
    ObjectWindowRelay& objects_;
    bool handCursor_ = false;
};

} // namespace vantor
