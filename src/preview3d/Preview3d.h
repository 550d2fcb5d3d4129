#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace vantor {

class Design;
class Interaction;
struct Preview3dViewState;

// Tells whether an OpenGL context fit for the 3D window can be made.
using GlCheck = std::function<bool()>;

// Makes a throw-away context with the 3D window's format and asks it for the
// fixed-function calls the window draws with.
bool DesktopGlAvailable();

// What the user is told when the 3D view cannot start.
QString Preview3dUnavailableText();

// The main window's 3D command. Does nothing for a design without elements. Otherwise
// opens the 3D window over `parent`, modal, and returns once the user has closed it; the
// window is destroyed then. When OpenGL cannot be used, says so through `interaction`
// instead and opens nothing. The design is only read.
void ShowPreview3d(QWidget* parent, const Design& design, Preview3dViewState& state,
                   Interaction& interaction, const GlCheck& glAvailable = DesktopGlAvailable);

} // namespace vantor
