#include "shell/ToolbarLayout.h"

#include "shell/IniFile.h"

#include <QDockWidget>
#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <array>
#include <utility>

namespace vantor {

namespace {

struct NamedDock {
    int area;
    const char* name;
};

constexpr std::array<NamedDock, 4> Docks{{
    {Qt::TopToolBarArea, "TopDock"},
    {Qt::LeftToolBarArea, "LeftDock"},
    {Qt::RightToolBarArea, "RightDock"},
    {Qt::BottomToolBarArea, "Dock971"},
}};

const QString FloatingDock = QStringLiteral("+");

// No screen shows more pixels than this along either axis. Every number read from a
// layout file is held within it, so that no sum of positions and sizes overflows.
constexpr int ScreenExtent = 1 << 15;
// More toolbar lines than any side can hold; the rows only order the lines.
constexpr int MaximumRow = 1 << 10;

std::optional<int> Clamped(std::optional<int> value, int lowest, int highest) {
    if (!value)
        return std::nullopt;
    return std::clamp(*value, lowest, highest);
}

bool IsHorizontalSide(int area) {
    return area == Qt::TopToolBarArea || area == Qt::BottomToolBarArea;
}

// The rectangle moved (and if need be shrunk) onto the available part of the screen
// its corner is on, or of the primary screen. Works on any corner, however far off.
QRect OnScreen(QPoint corner, QSize size) {
    const QScreen* screen = QGuiApplication::screenAt(corner);
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return QRect(QPoint(0, 0), size);
    const QRect available = screen->availableGeometry();
    const int width = std::clamp(size.width(), 1, available.width());
    const int height = std::clamp(size.height(), 1, available.height());
    const int x = int(std::clamp<qint64>(corner.x(), available.left(),
                                         qint64(available.left()) + available.width() - width));
    const int y = int(std::clamp<qint64>(corner.y(), available.top(),
                                         qint64(available.top()) + available.height() - height));
    return QRect(x, y, width, height);
}

} // namespace

QString DockName(int area) {
    for (const NamedDock& dock : Docks)
        if (dock.area == area)
            return QString::fromLatin1(dock.name);
    return QString();
}

std::optional<int> DockArea(const QString& name) {
    for (const NamedDock& dock : Docks)
        if (name.compare(QLatin1String(dock.name), Qt::CaseInsensitive) == 0)
            return dock.area;
    return std::nullopt;
}

ToolbarLayout::ToolbarLayout(QMainWindow& window, QList<QToolBar*> toolbars,
                             QList<QDockWidget*> toolWindows)
    : QObject(&window), window_(window), toolbars_(std::move(toolbars)),
      toolWindows_(std::move(toolWindows)) {
    for (QToolBar* bar : toolbars_)
        bar->installEventFilter(this);
    for (QDockWidget* tool : toolWindows_)
        tool->installEventFilter(this);
    window_.installEventFilter(this);
}

bool ToolbarLayout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_) {
        if (event->type() == QEvent::Show && !pendingFloats_.isEmpty())
            QTimer::singleShot(0, this, [this] {
                const auto pending = std::exchange(pendingFloats_, {});
                for (auto it = pending.cbegin(); it != pending.cend(); ++it)
                    floatToolbar(*it.key(), it.value());
            });
        return QObject::eventFilter(watched, event);
    }
    // A participant that floats reports its moves; the last place it floated at is
    // written while it is docked.
    if (event->type() == QEvent::Move)
        if (auto* widget = qobject_cast<QWidget*>(watched); widget && widget->isWindow())
            floatPositions_[widget] = widget->pos();
    return QObject::eventFilter(watched, event);
}

QHash<QWidget*, ToolbarLayout::Placement> ToolbarLayout::snapshot() const {
    QHash<QWidget*, Placement> placements;

    // The toolbar lines of each side, as the window's layout holds them: all toolbars
    // of a side in order, a new line at each break.
    QHash<int, QList<QList<QToolBar*>>> lines;
    QLayout* layout = window_.layout();
    for (int i = 0; layout != nullptr; ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item == nullptr)
            break;
        auto* bar = qobject_cast<QToolBar*>(item->widget());
        if (bar == nullptr)
            continue;
        const int area = window_.toolBarArea(bar);
        auto& sideLines = lines[area];
        if (sideLines.isEmpty() || window_.toolBarBreak(bar))
            sideLines.append(QList<QToolBar*>());
        sideLines.last().append(bar);
    }

    const bool windowLaidOut = window_.isVisible();
    const auto laidOut = [windowLaidOut](const QToolBar* bar) {
        return windowLaidOut && bar->isVisible() && !bar->isFloating();
    };
    for (auto side = lines.cbegin(); side != lines.cend(); ++side) {
        const int area = side.key();
        const bool horizontal = IsHorizontalSide(area);
        const auto along = [horizontal](const QRect& r) {
            return horizontal ? r.x() : r.y();
        };
        const auto length = [horizontal](QSize s) {
            return horizontal ? s.width() : s.height();
        };
        // Offsets count from the side's first laid-out toolbar.
        std::optional<int> origin;
        for (const auto& line : side.value())
            for (const QToolBar* bar : line)
                if (laidOut(bar))
                    origin =
                        std::min(origin.value_or(along(bar->geometry())), along(bar->geometry()));
        for (int row = 0; row < side.value().size(); ++row) {
            int end = 0;
            int previous = -1;
            for (QToolBar* bar : side.value()[row]) {
                if (!toolbars_.contains(bar))
                    continue;
                Placement p;
                p.visible = bar->isVisibleTo(&window_);
                p.floating = bar->isFloating() || pendingFloats_.contains(bar);
                p.area = area;
                p.row = row;
                // Where a toolbar is not laid out, it follows the one before it. Positions
                // rise along the line, so that they give its order back.
                p.pos = laidOut(bar) ? along(bar->geometry()) - origin.value_or(0) : end;
                p.pos = std::max(p.pos, previous + 1);
                end = p.pos + length(laidOut(bar) ? bar->size() : bar->sizeHint());
                previous = p.pos;
                p.floatPos = bar->isFloating() ? bar->pos() : floatPositions_.value(bar);
                if (pendingFloats_.contains(bar))
                    p.floatPos = pendingFloats_.value(bar);
                placements.insert(bar, p);
            }
        }
    }

    for (QDockWidget* tool : toolWindows_) {
        Placement p;
        p.visible = tool->isVisibleTo(&window_);
        p.floating = tool->isFloating();
        p.area = window_.dockWidgetArea(tool);
        p.floatPos = p.floating ? tool->pos() : floatPositions_.value(tool);
        const QWidget* client = tool->widget() != nullptr ? tool->widget() : tool;
        const bool measured = windowLaidOut && tool->isVisible();
        p.clientSize = measured ? client->size() : clientSizes_.value(tool, client->size());
        placements.insert(tool, p);
    }
    return placements;
}

bool ToolbarLayout::save(const QString& path, QString* reason) {
    const QHash<QWidget*, Placement> placements = snapshot();
    IniFile ini;
    const auto write = [&ini](const QWidget* participant, const Placement& p) {
        const QString section = participant->objectName();
        ini.setInteger(section, "Rev", Revision);
        ini.setInteger(section, "Visible", p.visible ? 1 : 0);
        ini.setValue(section, "DockedTo", p.floating ? FloatingDock : DockName(p.area));
        ini.setValue(section, "LastDock", DockName(p.area));
        ini.setInteger(section, "DockRow", p.row);
        ini.setInteger(section, "DockPos", p.pos);
        ini.setInteger(section, "FloatLeft", p.floatPos.x());
        ini.setInteger(section, "FloatTop", p.floatPos.y());
    };
    for (QToolBar* bar : toolbars_)
        if (placements.contains(bar))
            write(bar, placements.value(bar));
    for (QDockWidget* tool : toolWindows_) {
        const Placement p = placements.value(tool);
        write(tool, p);
        ini.setInteger(tool->objectName(), "ClientWidth", p.clientSize.width());
        ini.setInteger(tool->objectName(), "ClientHeight", p.clientSize.height());
    }
    return ini.write(path, reason);
}

void ToolbarLayout::readSection(const IniFile& ini, QWidget& participant,
                                Placement& placement) const {
    const QString section = participant.objectName();
    const std::optional<int> revision = ini.integer(section, "Rev");
    if (!revision || (*revision != 2 && *revision != 3))
        return;
    if (const auto visible = ini.integer(section, "Visible"))
        placement.visible = *visible != 0;

    auto* bar = qobject_cast<QToolBar*>(&participant);
    auto* tool = qobject_cast<QDockWidget*>(&participant);
    const auto accepts = [bar, tool](int area) {
        return bar != nullptr ? bar->isAreaAllowed(Qt::ToolBarArea(area))
                              : tool->isAreaAllowed(Qt::DockWidgetArea(area));
    };
    const auto rowAndPosition = [&] {
        placement.row =
            Clamped(ini.integer(section, "DockRow"), 0, MaximumRow).value_or(placement.row);
        placement.pos =
            Clamped(ini.integer(section, "DockPos"), 0, ScreenExtent).value_or(placement.pos);
    };

    const QString dockedTo = ini.value(section, "DockedTo").value_or(QString());
    if (dockedTo == FloatingDock) {
        const bool floatable = bar != nullptr
                                   ? bar->isFloatable()
                                   : tool->features().testFlag(QDockWidget::DockWidgetFloatable);
        if (floatable) {
            placement.floating = true;
            rowAndPosition();
            const auto coordinate = [&](const char* key) {
                return Clamped(ini.integer(section, key), -ScreenExtent, ScreenExtent).value_or(0);
            };
            placement.floatPos = QPoint(coordinate("FloatLeft"), coordinate("FloatTop"));
            if (*revision > 2)
                if (const auto last = DockArea(ini.value(section, "LastDock").value_or(QString()));
                    last && accepts(*last))
                    placement.area = *last;
        }
    } else if (!dockedTo.isEmpty()) {
        // A dock that does not exist, or that does not take this participant, leaves it
        // where it is.
        if (const auto area = DockArea(dockedTo); area && accepts(*area)) {
            placement.floating = false;
            placement.area = *area;
            rowAndPosition();
        }
    }

    if (tool != nullptr) {
        const auto width = ini.integer(section, "ClientWidth");
        const auto height = ini.integer(section, "ClientHeight");
        if (width && height && *width > 0 && *height > 0)
            placement.clientSize =
                QSize(std::min(*width, ScreenExtent), std::min(*height, ScreenExtent));
    }
}

bool ToolbarLayout::load(const QString& path) {
    const std::optional<IniFile> ini = IniFile::read(path);
    if (!ini)
        return false;
    QHash<QWidget*, Placement> placements = snapshot();
    for (auto it = placements.begin(); it != placements.end(); ++it)
        readSection(*ini, *it.key(), it.value());

    // The window re-arranges once, when everything has been placed.
    const bool updates = window_.updatesEnabled();
    window_.setUpdatesEnabled(false);
    applyToolbars(placements);
    for (QDockWidget* tool : toolWindows_)
        applyToolWindow(*tool, placements.value(tool));
    window_.setUpdatesEnabled(updates);
    return true;
}

void ToolbarLayout::applyToolbars(const QHash<QWidget*, Placement>& placements) {
    // The toolbars are taken out and put back side by side, line by line, in the order
    // of their positions; ties keep the order they had.
    QList<QToolBar*> placed;
    for (QToolBar* bar : toolbars_)
        if (placements.contains(bar) && DockName(placements.value(bar).area).size() > 0)
            placed.append(bar);
    std::stable_sort(placed.begin(), placed.end(), [&](QToolBar* a, QToolBar* b) {
        const Placement& pa = placements[a];
        const Placement& pb = placements[b];
        if (pa.row != pb.row)
            return pa.row < pb.row;
        return pa.pos < pb.pos;
    });
    for (QToolBar* bar : placed)
        window_.removeToolBar(bar);
    for (const NamedDock& dock : Docks) {
        const Qt::ToolBarArea area = Qt::ToolBarArea(dock.area);
        std::optional<int> row;
        for (QToolBar* bar : placed) {
            const Placement& p = placements[bar];
            if (p.area != dock.area)
                continue;
            if (row && *row != p.row)
                window_.addToolBarBreak(area);
            window_.addToolBar(area, bar);
            row = p.row;
        }
    }
    for (QToolBar* bar : placed) {
        const Placement& p = placements[bar];
        pendingFloats_.remove(bar);
        bar->setVisible(p.visible);
        if (p.floating)
            floatToolbar(*bar, p.floatPos);
    }
}

void ToolbarLayout::floatToolbar(QToolBar& bar, QPoint at) {
    // A toolbar made a window of its own before the main window is on the screen is
    // never laid out nor painted there (a black box until it is moved): it floats once
    // the main window is shown, and stays in its line until then.
    if (!window_.isVisible()) {
        pendingFloats_.insert(&bar, at);
        return;
    }
    // As Qt floats a toolbar: hidden while it turns into a frameless tool window.
    const bool visible = bar.isVisibleTo(&window_);
    bar.hide();
    bar.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    bar.adjustSize();
    bar.setGeometry(OnScreen(at, bar.sizeHint()));
    floatPositions_[&bar] = bar.pos();
    emit bar.topLevelChanged(true);
    bar.setVisible(visible);
}

void ToolbarLayout::applyToolWindow(QDockWidget& tool, const Placement& p) {
    const auto area = Qt::DockWidgetArea(p.area);
    const bool knownDock = DockName(p.area).size() > 0;
    if (p.clientSize.isValid())
        clientSizes_[&tool] = p.clientSize;
    // Its place in the layout is its dock, or the dock it returns to when it floats.
    if (!p.floating && tool.isFloating())
        tool.setFloating(false);
    if (knownDock && window_.dockWidgetArea(&tool) != area) {
        window_.removeDockWidget(&tool);
        window_.addDockWidget(area, &tool);
    }
    if (!p.floating) {
        if (p.clientSize.isValid() && knownDock) {
            const QScreen* screen = window_.screen();
            const QSize limit = screen != nullptr ? screen->availableGeometry().size() : QSize();
            const bool horizontal = IsHorizontalSide(p.area);
            int extent = horizontal ? p.clientSize.height() : p.clientSize.width();
            if (limit.isValid())
                extent = std::min(extent, horizontal ? limit.height() : limit.width());
            window_.resizeDocks({&tool}, {extent}, horizontal ? Qt::Vertical : Qt::Horizontal);
        }
        tool.setVisible(p.visible);
        return;
    }
    tool.setFloating(true);
    tool.setVisible(p.visible);
    // The frame around the client, as the floating window lays it out.
    QSize frame;
    if (QLayout* layout = tool.layout(); layout != nullptr && tool.widget() != nullptr) {
        layout->activate();
        frame = (tool.size() - tool.widget()->size()).expandedTo(QSize(0, 0));
    }
    const QSize size = p.clientSize.isValid() ? p.clientSize + frame : tool.size();
    tool.setGeometry(OnScreen(p.floatPos, size));
    floatPositions_[&tool] = tool.pos();
}

} // namespace vantor
