#include "shell/PointerCommands.h"

#include "canvas/DesignWindowHost.h"
#include "editing/DesignDocument.h"
#include "editing/DesignEdits.h"
#include "model/ShapeKinds.h"
#include "shell/MainActions.h"

#include <QAction>
#include <QApplication>
#include <utility>

namespace vantor {

PointerCommands::PointerCommands(const MainActions& actions, DesignWindowHost& modes,
                                 std::function<DesignDocument*()> activeDocument,
                                 std::function<TPen()> newPen, QObject* parent)
    : QObject(parent), modes_(modes), activeDocument_(std::move(activeDocument)),
      newPen_(std::move(newPen)) {
    connect(actions.ADefaultMode, &QAction::triggered, this, [this] {
        endAbandonedPlacement();
        modes_.setPointerMode(PointerModeKind::Default);
        if (handCursor_) {
            QApplication::restoreOverrideCursor();
            handCursor_ = false;
        }
    });
    connect(actions.ASelect, &QAction::triggered, this, [this] {
        endAbandonedPlacement();
        modes_.setPointerMode(PointerModeKind::SelectAndMove);
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
    DesignDocument* document = activeDocument_();
    if (document == nullptr)
        return;
    endAbandonedPlacement();
    modes_.setPointerMode(mode);
    std::unique_ptr<TShaped> dimension = CreateShape(className);
    dimension->Pen = newPen_();
    dimension->Points = {TPoints{}};
    dimension->Selected = true;
    placing_ = dimension.get();
    placingDocument_ = document;
    document->design().insertDimension(std::move(dimension));
    document->history().announceChange();
}

void PointerCommands::endAbandonedPlacement() {
    const TShaped* dimension = std::exchange(placing_, nullptr);
    DesignDocument* document = placingDocument_;
    placingDocument_ = nullptr;
    // The last press of a placement returns the pointer to the default mode and records
    // the step itself.
    const PointerModeKind mode = modes_.pointerMode();
    const bool stillPlacing =
        mode == PointerModeKind::LinearDimension || mode == PointerModeKind::AngleDimension;
    if (document == nullptr || dimension == nullptr || !stillPlacing)
        return;
    // Only a dimension still in the design is touched (one deleted meanwhile may be gone).
    for (const auto& placed : document->design().Dimensions)
        if (placed.get() == dimension)
            document->history().record(RecordPlacedDimension(document->design(), *placed));
}

} // namespace vantor
