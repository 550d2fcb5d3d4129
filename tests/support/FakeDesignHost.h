#pragma once

#include "analysis/Stability.h"
#include "analysis/Summary.h"
#include "canvas/DesignWindowHost.h"
#include "support/ScriptedInteraction.h"

namespace vantor::test {

// The program around a design window, reduced to what the window asks of it.
class FakeDesignHost final : public DesignWindowHost {
public:
    Interaction& interaction() override { return scripted; }
    PointerModeKind pointerMode() const override { return mode; }
    void setPointerMode(PointerModeKind m) override { mode = m; }
    bool gridShown() const override { return grid; }
    GridOptions gridOptions() const override { return options; }
    int displayUnitIndex() const override { return unit; }
    UnitChoice unitChoice() const override { return units; }
    void showPointerReadout(const QString& text) override { readout = text; }
    void showStatusMessage(const QString& text) override { statusMessages << text; }
    bool isActiveDesignWindow(const TMDIChild&) const override { return true; }
    void designWindowCreated(TMDIChild&) override { ++created; }
    void designWindowActivated(TMDIChild&) override {}
    void designWindowClosing(TMDIChild&) override {}
    void designWindowDestroyed(TMDIChild&) override { ++destroyed; }
    ElementTree::Node* selectedElementNode() const override { return selected; }
    void selectElementNode(ElementTree::Node* node) override { selected = node; }
    void showSummary(const Summary& s) override { summary = s; }
    void showStability(const StabilityAnalysis& a) override { stability = a; }
    bool stabilityMarkerShown() const override { return stabilityMarker; }
    void editSelectedElement() override { ++edits; }
    QMenu* designContextMenu() override { return nullptr; }

    test::ScriptedInteraction scripted;
    PointerModeKind mode = PointerModeKind::Default;
    bool grid = true;
    GridOptions options;
    int unit = 0;
    UnitChoice units;
    QString readout;
    QStringList statusMessages;
    int created = 0, destroyed = 0, edits = 0;
    ElementTree::Node* selected = nullptr;
    Summary summary;
    StabilityAnalysis stability;
    bool stabilityMarker = true;
};

} // namespace vantor::test
