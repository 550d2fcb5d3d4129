#pragma once

#include <QList>
#include <QObject>
#include <functional>

class QComboBox;
class QLineEdit;
class QMainWindow;
class QMenu;
class QToolBar;

namespace vantor {

class Interaction;
class TMDIChild;
struct MainActions;

// The main window's five toolbars with their buttons, the transform panel's fields and
// the Toolbars submenu that shows and hides them.
class MainToolbars : public QObject {
    Q_OBJECT

public:
    MainToolbars(QMainWindow& window, const MainActions& actions, Interaction& interaction,
                 std::function<TMDIChild*()> activeDesignWindow);

    // In the order the layout file lists them.
    QList<QToolBar*> all() const;
    // Ticks the Toolbars submenu's items of the toolbars shown.
    void showMenuChecks();
    // The transform panel's command: reads the two fields in display units.
    void ATransformExecute();

    QToolBar* BarPodstawowy = nullptr;
    QToolBar* BarTransform = nullptr;
    QToolBar* BarFigury = nullptr;
    QToolBar* BarWymiary = nullptr;
    QToolBar* BarMode = nullptr;
    // The zoom button's drop-down on BarMode.
    QMenu* zoomPopup = nullptr;
    QComboBox* PenNameBox = nullptr;
    QLineEdit* edX = nullptr;
    QLineEdit* edY = nullptr;
    QLineEdit* edAngle = nullptr;

private:
    void createTransformPanel();
    void connectMenuItems();
    void validateTransformEdit(QLineEdit* edit);
    void stepTransformEdit(QLineEdit* edit, double delta);

    QMainWindow& window_;
    const MainActions& actions_;
    Interaction& interaction_;
    std::function<TMDIChild*()> activeDesignWindow_;
};

} // namespace vantor
