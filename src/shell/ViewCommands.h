#pragma once

#include <QObject>
#include <memory>

class QWidget;

namespace vantor {

class DesignWindows;
class Interaction;
class MainToolbars;
struct MainActions;
struct MainMenus;
struct Preview3dViewState;

// The View menu's commands on the active design window: zoom with its check marks (also
// on the zoom button's drop-down), rulers, grid and markers, full screen and the 3D
// view; and the Toolbars submenu's check marks.
class ViewCommands : public QObject {
    Q_OBJECT

public:
    ViewCommands(QWidget& window, const MainActions& actions, const MainMenus& menus,
                 MainToolbars& toolbars, DesignWindows& windows, Interaction& interaction);
    ~ViewCommands() override;

private:
    void setZoom(double scale);
    // Ticks the zoom item of the active window's scale.
    void showZoomChecks();

    QWidget& window_;
    const MainActions& actions_;
    DesignWindows& windows_;
    Interaction& interaction_;
    // The 3D view's tilt and spin, kept from one opening of the window to the next.
    std::unique_ptr<Preview3dViewState> view3d_;
};

} // namespace vantor
