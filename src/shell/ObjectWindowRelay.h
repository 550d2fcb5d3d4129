#pragma once

#include "model/ElementTree.h"

#include <QPointer>

class QAction;
class QDockWidget;
class QMainWindow;
class QMenu;
class QToolBar;

namespace vantor {

class TFormObject;
class TMDIChild;
struct StabilityAnalysis;
struct Summary;

// The main window's side of the object window: the dock that holds it, the design
// window's context menu of its commands, and the calls the main window passes on to it,
// which do nothing until the object window is attached.
class ObjectWindowRelay {
public:
    // Creates the dock "WindowFormObject" on the right; `showItem` of `windowMenu` shows
    // and hides it.
    ObjectWindowRelay(QMainWindow& window, QAction& showItem, QMenu& windowMenu);

    QDockWidget* dock() const { return WindowFormObject; }
    QMenu* contextMenu() const { return PopupMenu1; }

    // Docks the object window and lists its commands in the context menu, on the basic
    // toolbar and in the Edit menu.
    void attach(TFormObject& formObject, QToolBar& basicBar, QMenu& editMenu);
    void showContents();
    void setDesignWindow(TMDIChild* window);
    // The object window stops showing the window, if it does.
    void forgetDesignWindow(const TMDIChild& window);
    void clearSummary();

    ElementTree::Node* selectedNode() const;
    void selectNode(ElementTree::Node* node);
    void showSummary(const Summary& summary);
    void showStability(const StabilityAnalysis& analysis);
    void editSelectedElement();

private:
    QPointer<TFormObject> formObject_;
    QDockWidget* WindowFormObject = nullptr;
    QMenu* PopupMenu1 = nullptr;
};

} // namespace vantor
