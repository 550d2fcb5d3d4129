#include "shell/ViewCommands.h"

#include "canvas/DesignWindow.h"
#include "preview3d/Preview3d.h"
#include "preview3d/ViewState3d.h"
#include "shell/DesignWindows.h"
#include "shell/MainActions.h"
#include "shell/MainToolbars.h"

#include <QAction>
#include <QMenu>

namespace vantor {

ViewCommands::ViewCommands(QWidget& window, const MainActions& actions, const MainMenus& menus,
                           MainToolbars& toolbars, DesignWindows& windows, Interaction& interaction)
    : QObject(&window), window_(window), actions_(actions), windows_(windows),
      interaction_(interaction), view3d_(std::make_unique<Preview3dViewState>()) {
    const MainActions& a = actions_;
    connect(a.ASkala05, &QAction::triggered, this, [this] { setZoom(0.5); });
    connect(a.ASkala1, &QAction::triggered, this, [this] { setZoom(1.0); });
    connect(a.ASkala2, &QAction::triggered, this, [this] { setZoom(2.0); });
    connect(a.ASkala3, &QAction::triggered, this, [this] { setZoom(3.0); });
    connect(a.AZoomFit, &QAction::triggered, this, [this] {
        if (TMDIChild* active = windows_.active())
            active->zoomToFit();
    });
    // The zoom button's drop-down shows the same check marks as View > Zoom.
    for (QMenu* zoom : {menus.Zoom1, toolbars.zoomPopup})
        connect(zoom, &QMenu::aboutToShow, this, [this] { showZoomChecks(); });
    connect(menus.Paskinarzdzi1, &QMenu::aboutToShow, &toolbars, &MainToolbars::showMenuChecks);

    connect(a.AShowLinijki, &QAction::triggered, this, [this] {
        const auto all = windows_.all();
        for (auto it = all.rbegin(); it != all.rend(); ++it)
            (*it)->setRulersVisible(actions_.AShowLinijki->isChecked());
    });
    for (QAction* redrawing : {a.Siatka1, a.Prowadnice1, a.AStabilityMarker})
        connect(redrawing, &QAction::triggered, this, [this] {
            if (TMDIChild* active = windows_.active())
                active->Redraw();
        });
    connect(a.A3d, &QAction::triggered, this, [this] {
        if (TMDIChild* active = windows_.active();
            active != nullptr && !active->design().tree.empty())
            ShowPreview3d(&window_, active->placedDesign(), *view3d_, interaction_);
    });
    connect(a.AFullScreen, &QAction::triggered, this, [this] {
        if (TMDIChild* active = windows_.active())
            active->ShowFullScreen();
    });
}

ViewCommands::~ViewCommands() = default;

void ViewCommands::setZoom(double scale) {
    if (TMDIChild* active = windows_.active())
        active->setScale(scale);
}

void ViewCommands::showZoomChecks() {
    const TMDIChild* active = windows_.active();
    if (active == nullptr)
        return;
    actions_.ASkala05->setChecked(active->scale() == 0.5);
    actions_.ASkala1->setChecked(active->scale() == 1.0);
    actions_.ASkala2->setChecked(active->scale() == 2.0);
    actions_.ASkala3->setChecked(false);
}

} // namespace vantor
