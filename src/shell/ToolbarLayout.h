#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QSize>
#include <QString>
#include <optional>

class QDockWidget;
class QMainWindow;
class QToolBar;
class QWidget;

namespace vantor {

class IniFile;

// The layout files, in the program directory (or the user's folder, see LayoutFiles.h):
// the layout of the last run, and the one kept while the work area is maximised.
inline constexpr char ToolbarsFileName[] = "toolbars.ini";
inline constexpr char UserbarsFileName[] = "userbars.ini";

// Dock names of the layout files for the four sides of a main window; the same numbers
// serve Qt::ToolBarArea and Qt::DockWidgetArea.
QString DockName(int area);
// The side a dock name stands for (names compared without regard to case), or nothing.
std::optional<int> DockArea(const QString& name);

// Saves and restores where a main window's toolbars and tool windows are: one INI
// section per participant, named after its object name, with the keys "Rev" (3),
// "Visible", "DockedTo" (a dock name, "+" when floating), "LastDock", "DockRow",
// "DockPos", "FloatLeft", "FloatTop" and, for tool windows, "ClientWidth" and
// "ClientHeight".
//
// Rows are the toolbar lines of a side, row 0 at the window's edge; "DockPos" is the
// offset along the row in pixels. QMainWindow places toolbars by lines and by their
// order within a line, so a restored layout keeps the rows and the order that the
// positions give, not the pixel offsets themselves.
class ToolbarLayout : public QObject {
public:
    static constexpr int Revision = 3;

    // The participants must carry object names and stay alive as long as this object,
    // which the window owns.
    ToolbarLayout(QMainWindow& window, QList<QToolBar*> toolbars, QList<QDockWidget*> toolWindows);

    // Writes every participant's section; false (with the reason) when the file cannot
    // be written.
    bool save(const QString& path, QString* reason = nullptr);
    // Applies every section whose "Rev" is 2 or 3; participants without one keep their
    // place. A missing, unreadable or oversized file, or one that is no regular file,
    // changes nothing (false).
    bool load(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Placement {
        bool visible = true;
        bool floating = false;
        int area = 0;
        int row = 0;
        int pos = 0;
        QPoint floatPos;
        QSize clientSize;
    };

    QHash<QWidget*, Placement> snapshot() const;
    void applyToolbars(const QHash<QWidget*, Placement>& placements);
    void applyToolWindow(QDockWidget& window, const Placement& placement);
    void floatToolbar(QToolBar& bar, QPoint at);
    void readSection(const IniFile& ini, QWidget& participant, Placement& placement) const;

    QMainWindow& window_;
    QList<QToolBar*> toolbars_;
    QList<QDockWidget*> toolWindows_;
    // Where each participant last floated, and the client size a tool window was given
    // before it could be measured.
    QHash<QWidget*, QPoint> floatPositions_;
    QHash<QWidget*, QSize> clientSizes_;
    // Toolbars that float once the window is shown, with where they float.
    QHash<QToolBar*, QPoint> pendingFloats_;
};

} // namespace vantor
