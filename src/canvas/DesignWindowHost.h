#pragma once

#include "canvas/PointerMode.h"
#include "model/ElementTree.h"
#include "model/Quantities.h"

#include <QColor>
#include <QString>
#include <cstdint>

class QMenu;

namespace vantor {

class Interaction;
class TMDIChild;
struct Summary;
struct StabilityAnalysis;

// The grid a design window lays under the drawing, in image pixels.
struct GridOptions {
    int spacingX = 50;
    int spacingY = 50;
    QColor colour = QColor(0xE2, 0xE2, 0xE2);
};

// What a design window needs from the program around it: the main window's pointer
// mode, status bar and settings, and the object window, which holds the selection and
// the summary grid. The main window implements it.
class DesignWindowHost {
public:
    virtual ~DesignWindowHost() = default;

    virtual Interaction& interaction() = 0;

    virtual PointerModeKind pointerMode() const = 0;
    virtual void setPointerMode(PointerModeKind mode) = 0;
    // Whether the grid menu item carries its check mark.
    virtual bool gridShown() const = 0;
    virtual GridOptions gridOptions() const = 0;
    // Index of the unit the pointer readout uses.
    virtual int displayUnitIndex() const = 0;
    // The units lengths are shown in on the rulers.
    virtual UnitChoice unitChoice() const { return {}; }
    virtual void showPointerReadout(const QString& text) = 0;
    // A passing message in the status bar.
    virtual void showStatusMessage(const QString& text) = 0;
    virtual bool isActiveDesignWindow(const TMDIChild& window) const = 0;

    virtual void designWindowCreated(TMDIChild& window) = 0;
    virtual void designWindowActivated(TMDIChild& window) = 0;
    // Whether the window may close: a modified design is saved or given up first.
    virtual bool mayCloseDesignWindow(TMDIChild&) { return true; }
    virtual void designWindowClosing(TMDIChild& window) = 0;
    virtual void designWindowDestroyed(TMDIChild& window) = 0;

    virtual ElementTree::Node* selectedElementNode() const = 0;
    virtual void selectElementNode(ElementTree::Node* node) = 0;
    virtual void showSummary(const Summary& summary) = 0;
    // The standard stability analysis, run after the summary at every redraw.
    virtual void showStability(const StabilityAnalysis& analysis) = 0;
    // Whether the standard analysis's centre of pressure is drawn on the axis.
    virtual bool stabilityMarkerShown() const = 0;
    // Opens the parameters dialog for the selected element.
    virtual void editSelectedElement() = 0;
    // The window's context menu: element properties and delete.
    virtual QMenu* designContextMenu() = 0;
};

} // namespace vantor
