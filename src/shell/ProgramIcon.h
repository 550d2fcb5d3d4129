#pragma once

#include <QIcon>

namespace vantor {

// The program's own icon at every size it is drawn at (see tools/program-icon), for the
// windows and the window system.
QIcon ProgramIcon();

} // namespace vantor
