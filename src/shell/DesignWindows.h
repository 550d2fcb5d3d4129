#pragma once

#include <QList>
#include <QObject>
#include <QSet>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace vantor {

class DesignWindowHost;
class TMDIChild;
struct MainActions;

// The design windows in the main window's work area: which one is current, creating and
// closing them, and arranging them from the Window menu, which lists them.
class DesignWindows : public QObject {
    Q_OBJECT

public:
    DesignWindows(QMdiArea& area, const MainActions& actions, QMenu& windowMenu);

    QMdiArea& area() const { return area_; }
    // The active window, or the one last active while the frame is in the background.
    TMDIChild* active() const;
    // In the order they were created.
    QList<TMDIChild*> all() const;
    // The caption of the active window; empty when none is active.
    QString activeTitle() const;
    // A maximised window whose design is called `name` until it has a file, made the
    // active one. Its caption follows its document's.
    TMDIChild* create(DesignWindowHost& host, const QString& name);
    // Closes the window at once, unless its design may not be given up.
    void close(QMdiSubWindow* sub);
    void closeActive();
    // Closes every window, the newest first; true when none is left.
    bool closeAll();

    // Windows created and neither closed nor destroyed yet.
    void opened(const TMDIChild& window) { open_.insert(&window); }
    void gone(const TMDIChild& window) { open_.remove(&window); }
    bool anyOpen() const { return !open_.isEmpty(); }

private:
    // Cascades the windows, each at least two thirds of the area's size.
    void cascade();
    void tile(Qt::Orientation orientation);
    void arrangeMinimised();
    // Lists the windows at the end of the Window menu, the active one ticked.
    void listWindows();

    QMdiArea& area_;
    QMenu& windowMenu_;
    QList<QAction*> windowListActions_;
    QSet<const TMDIChild*> open_;
};

} // namespace vantor
