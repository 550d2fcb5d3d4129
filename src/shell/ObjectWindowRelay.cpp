#include "shell/ObjectWindowRelay.h"

#include "i18n/AdvForm.h"
#include "toolwindows/ObjectWindow.h"

#include <QAction>
#include <QDockWidget>
#include <QMainWindow>
#include <QMenu>
#include <QToolBar>
#include <QVBoxLayout>

namespace vantor {

ObjectWindowRelay::ObjectWindowRelay(QMainWindow& window, QAction& showItem, QMenu& windowMenu) {
    WindowFormObject = new QDockWidget(Tagged(1548), &window);
    WindowFormObject->setToolTip(Tagged(1725));
    WindowFormObject->setObjectName("WindowFormObject");
    WindowFormObject->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    WindowFormObject->setMinimumWidth(208);
    auto* pObjectDock = new QWidget(WindowFormObject);
    pObjectDock->setObjectName("pObjectDock");
    auto* dockLayout = new QVBoxLayout(pObjectDock);
    dockLayout->setContentsMargins(0, 0, 0, 0);
    WindowFormObject->setWidget(pObjectDock);
    window.addDockWidget(Qt::RightDockWidgetArea, WindowFormObject);

    QDockWidget* dock = WindowFormObject;
    QObject::connect(&showItem, &QAction::triggered, dock,
                     [dock, &showItem] { dock->setVisible(showItem.isChecked()); });
    // The Window menu ticks the item while the dock is shown.
    QObject::connect(&windowMenu, &QMenu::aboutToShow, dock,
                     [dock, &showItem] { showItem.setChecked(dock->isVisible()); });

    PopupMenu1 = new QMenu(&window);
    PopupMenu1->setObjectName("PopupMenu1");
}

void ObjectWindowRelay::attach(TFormObject& formObject, QToolBar& basicBar, QMenu& editMenu) {
    formObject_ = &formObject;
    WindowFormObject->widget()->layout()->addWidget(&formObject);
    PopupMenu1->clear();
    PopupMenu1->addActions({formObject.AParametry, formObject.AobjectClear});
    basicBar.addActions({formObject.AobjectCopy, formObject.AObjectCut, formObject.AobjectPaste});
    editMenu.addActions({formObject.AobjectCopy, formObject.AObjectCut, formObject.AobjectPaste});
}

void ObjectWindowRelay::showContents() {
    if (formObject_)
        formObject_->show();
}

void ObjectWindowRelay::setDesignWindow(TMDIChild* window) {
    if (formObject_)
        formObject_->setDesignWindow(window);
}

void ObjectWindowRelay::forgetDesignWindow(const TMDIChild& window) {
    if (formObject_ && formObject_->designWindow() == &window)
        formObject_->setDesignWindow(nullptr);
}

void ObjectWindowRelay::clearSummary() {
    if (formObject_)
        formObject_->clearSummary();
}

ElementTree::Node* ObjectWindowRelay::selectedNode() const {
    return formObject_ ? formObject_->selectedNode() : nullptr;
}

void ObjectWindowRelay::selectNode(ElementTree::Node* node) {
    if (formObject_)
        formObject_->selectNode(node);
}

void ObjectWindowRelay::showSummary(const Summary& summary) {
    if (formObject_)
        formObject_->showSummary(summary);
}

void ObjectWindowRelay::showStability(const StabilityAnalysis& analysis) {
    if (formObject_)
        formObject_->showStability(analysis);
}

void ObjectWindowRelay::editSelectedElement() {
    if (formObject_)
        formObject_->AParametry->trigger();
}

} // namespace vantor
