#include "shell/PointerCommands.h"

#include "canvas/DesignWindow.h"
#include "canvas/ShapeKinds.h"
#include "editing/DesignEdits.h"
#include "editing/EditHistory.h"
#include "shell/MainActions.h"
#include "shell/MainWindow.h"
#include "shell/ObjectWindowRelay.h"

#include <QAction>
#include <QApplication>
#include <utility>

namespace vantor {

PointerCommands::PointerCommands(TMainForm& main, const MainActions& actions,
                                 ObjectWindowRelay& objects)
    : QObject(&main), main_(main), objects_(objects) {
    connect(actions.ADefaultMode, &QAction::triggered, this, [this] {
        endAbandonedPlacement();
        main_.setPointerMode(PointerModeKind::Default);
        if (handCursor_) {
            QApplication::restoreOverrideCursor();
            handCursor_ = false;
        }
    });
    connect(actions.ASelect, &QAction::triggered, this, [this] {
        endAbandonedPlacement();
        main_.setPointerMode(PointerModeKind::SelectAndMove);
        if (!handCursor_) {
            QApplication::setOverrideCursor(Qt::PointingHandCursor);
            handCursor_ = true;
        }
    });
    connect(actions.AWymiar, &QAction::triggered, this,
            [this] { addDimension("TWymiar", PointerModeKind::LinearDimension); });
    connect(actions.AWymiarPoziomy, &QAction::triggered, this,
            [this] { addDimension("TWymiarPoziomy", PointerModeKind::LinearDimension); });
    connect(actions.AWymiarPionowy, &QAction::triggered, this,
            [this] { addDimension("TWymiarPionowy", PointerModeKind::LinearDimension); });
    connect(actions.AWymiarAngle, &QAction::triggered, this,
            [this] { addDimension("TAngleWymiar", PointerModeKind::AngleDimension); });
}

PointerCommands::~PointerCommands() {
    if (handCursor_)
        QApplication::restoreOverrideCursor();
}

void PointerCommands::addDimension(const char* className, PointerModeKind mode) {
    TMDIChild* window = main_.activeDesignWindow();
    if (window == nullptr)
        return;
    endAbandonedPlacement();
    main_.setPointerMode(mode);
    std::unique_ptr<TShaped> dimension = CreateShape(className);
    dimension->Pen = TPen{main_.currentPenWidth(), main_.currentColor()};
    dimension->Points = {TPoints{}};
    dimension->Selected = true;
    placing_ = dimension.get();
    placingWindow_ = window;
    window->design().insertDimension(std::move(dimension));
    window->history().announceChange();
}

void PointerCommands::endAbandonedPlacement() {
    const TShaped* dimension = std::exchange(placing_, nullptr);
    TMDIChild* window = placingWindow_;
    placingWindow_ = nullptr;
    // The last press of a placement returns the pointer to the default mode and records
    // the step itself.
    const PointerModeKind mode = main_.pointerMode();
    const bool stillPlacing =
        mode == PointerModeKind::LinearDimension || mode == PointerModeKind::AngleDimension;
    if (window == nullptr || dimension == nullptr || !stillPlacing)
        return;
    // Only a dimension still in the design is touched (one deleted meanwhile may be gone).
    for (const auto& placed : window->design().Dimensions)
        if (placed.get() == dimension)
            window->history().record(RecordPlacedDimension(window->design(), *placed));
}

} // namespace vantor
