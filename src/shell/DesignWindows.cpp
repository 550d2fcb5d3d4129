#include "shell/DesignWindows.h"

#include "canvas/DesignWindow.h"
#include "shell/MainActions.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

namespace vantor {

DesignWindows::DesignWindows(QMdiArea& area, const MainActions& actions, QMenu& windowMenu)
    : QObject(&area), area_(area), windowMenu_(windowMenu) {
    connect(actions.WindowCascade1, &QAction::triggered, this, [this] { cascade(); });
    connect(actions.WindowTileHorizontal1, &QAction::triggered, this,
            [this] { tile(Qt::Horizontal); });
    connect(actions.WindowTileVertical1, &QAction::triggered, this, [this] { tile(Qt::Vertical); });
    connect(actions.WindowMinimizeAll1, &QAction::triggered, this, [this] {
        const auto subs = area_.subWindowList();
        for (QMdiSubWindow* sub : subs)
            sub->showMinimized();
    });
    connect(actions.WindowArrangeAll1, &QAction::triggered, this, [this] { arrangeMinimised(); });
    connect(&windowMenu_, &QMenu::aboutToShow, this, [this] { listWindows(); });
}

void DesignWindows::cascade() {
    area_.cascadeSubWindows();
    // Qt sizes cascaded windows by their size hints, which a design window does not have,
    // and so shrank them to their title bars: each keeps two thirds of the area instead,
    // from the place the cascade gave it.
    const QSize usable = area_.viewport()->size() * 2 / 3;
    const auto subs = area_.subWindowList();
    for (QMdiSubWindow* sub : subs)
        if (!sub->isMinimized())
            sub->resize(sub->size().expandedTo(usable));
}

TMDIChild* DesignWindows::active() const {
    QMdiSubWindow* sub = area_.activeSubWindow();
    if (sub == nullptr) {
        // An inactive frame (the program in the background) still has a current window.
        const auto subs = area_.subWindowList(QMdiArea::ActivationHistoryOrder);
        sub = subs.isEmpty() ? nullptr : subs.last();
    }
    return sub != nullptr ? qobject_cast<TMDIChild*>(sub->widget()) : nullptr;
}

QList<TMDIChild*> DesignWindows::all() const {
    QList<TMDIChild*> windows;
    const auto subs = area_.subWindowList(QMdiArea::CreationOrder);
    for (QMdiSubWindow* sub : subs)
        if (auto* window = qobject_cast<TMDIChild*>(sub->widget()))
            windows.append(window);
    return windows;
}

QString DesignWindows::activeTitle() const {
    QMdiSubWindow* sub = area_.activeSubWindow();
    return sub != nullptr ? sub->windowTitle() : QString();
}

TMDIChild* DesignWindows::create(DesignWindowHost& host, const QString& name) {
    auto* window = new TMDIChild(host);
    QMdiSubWindow* sub = area_.addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    DesignDocument& document = window->document();
    document.setDisplayName(name);
    sub->setWindowTitle(document.caption());
    connect(&document, &DesignDocument::captionChanged, sub, &QMdiSubWindow::setWindowTitle);
    sub->showMaximized();
    return window;
}

void DesignWindows::close(QMdiSubWindow* sub) {
    // Closed and gone at once, so that the next command sees the windows that remain.
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    if (sub->close())
        delete sub;
    else
        sub->setAttribute(Qt::WA_DeleteOnClose, true);
}

void DesignWindows::closeActive() {
    if (QMdiSubWindow* sub = area_.activeSubWindow())
        close(sub);
}

bool DesignWindows::closeAll() {
    const auto subs = area_.subWindowList(QMdiArea::CreationOrder);
    for (auto it = subs.rbegin(); it != subs.rend(); ++it)
        close(*it);
    return area_.subWindowList().isEmpty();
}

void DesignWindows::tile(Qt::Orientation orientation) {
    const auto subs = area_.subWindowList();
    if (subs.isEmpty())
        return;
    const QRect area = area_.viewport()->rect();
    const int n = int(subs.size());
    for (int i = 0; i < n; ++i) {
        subs[i]->showNormal();
        if (orientation == Qt::Horizontal)
            subs[i]->setGeometry(0, area.height() * i / n, area.width(), area.height() / n);
        else
            subs[i]->setGeometry(area.width() * i / n, 0, area.width() / n, area.height());
    }
}

void DesignWindows::arrangeMinimised() {
    // Lines the minimised windows up along the bottom edge of the work area.
    int x = 0;
    const auto subs = area_.subWindowList();
    for (QMdiSubWindow* sub : subs)
        if (sub->isMinimized()) {
            sub->move(x, area_.viewport()->height() - sub->height());
            x += sub->width();
        }
}

void DesignWindows::listWindows() {
    for (QAction* old : windowListActions_) {
        windowMenu_.removeAction(old);
        old->deleteLater();
    }
    windowListActions_.clear();
    const auto subs = area_.subWindowList(QMdiArea::CreationOrder);
    if (subs.isEmpty())
        return;
    windowListActions_.append(windowMenu_.addSeparator());
    int number = 1;
    for (QMdiSubWindow* sub : subs) {
        QAction* item =
            windowMenu_.addAction(QStringLiteral("&%1 %2").arg(number++).arg(sub->windowTitle()));
        item->setCheckable(true);
        item->setChecked(sub == area_.activeSubWindow());
        connect(item, &QAction::triggered, this, [this, sub] { area_.setActiveSubWindow(sub); });
        windowListActions_.append(item);
    }
}

} // namespace vantor
