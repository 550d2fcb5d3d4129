#pragma once

#include "analysis/Plausibility.h"
#include "model/Quantities.h"

#include <optional>
#include <string>
#include <vector>

namespace vantor {

class Design;
class DrawingSurface;

// One component's share of the standard (Barrowman, subsonic) stability analysis.
// Positions are measured from the nose tip (OriginX), in drawing units.
struct StabilityComponent {
    std::string kind;    // the class name
    std::string caption; // the element's caption
    double cna = 0;      // normal-force slope; 0 for kinds without normal force
    std::optional<double> cp;
    std::optional<double> cg;
};

// The rocket's totals. A value that cannot be computed is empty.
struct StabilityAnalysis {
    std::vector<StabilityComponent> components; // in tree order
    double cna = 0;
    std::optional<double> cp;
    std::optional<double> cg;
    std::optional<double> referenceDiameter;
    std::optional<double> calibers;
    bool stable = false;
    // The mass of a ballast element put where the ballast command puts one (at the nose
    // tip) that brings the margin up to the target: 0 when it is already there, empty when
    // no mass there can reach it. `ballastPosition` is that ballast's centre of gravity,
    // from the nose tip, when a ballast is needed.
    std::optional<double> ballastNeeded;
    std::optional<double> ballastPosition;
    double totalWeight = 0;
    // A fin set of one or two fins steadies the rocket only in the plane of its fins: the
    // margin holds there, not across it.
    bool finsPlaneOnly = false;
    // Why values are empty that a sound design would have: a component's size or weight
    // that is not a number, negative, zero where its shape needs it, or beyond any
    // rocket, and results beyond any rocket. One sentence each, in English.
    std::vector<std::string> errors;
};

inline constexpr double DefaultTargetCalibers = 1.0;

// The standard Barrowman analysis of a placed design (every element drawn once since its
// last change, as after a full redraw). Never throws: a component whose data make a term
// undefined contributes nothing to that term. Every normal-force slope is referred to the
// area of one reference diameter: the widest part unless `referenceDiameter` names another
// (positive, finite) one; the centre of pressure does not depend on that choice.
StabilityAnalysis AnalyseStability(const Design& design,
                                   double targetCalibers = DefaultTargetCalibers,
                                   std::optional<double> referenceDiameter = std::nullopt);

// Centroid of the lateral surface of a nose cone of the given kind, from its tip, for a
// nose of length `length` and base diameter `diameter`; empty where it is undefined.
std::optional<double> NoseSurfaceCentroid(const std::string& kind, double length, double diameter);

// Draws the analysis's centre of pressure at the absolute abscissa `cp` on the centre line:
// a filled blue diamond crossed by a vertical stroke, the same size in pixels at every zoom
// so that it stays readable, and unlike the two black circle markers of the summary.
void DrawStabilityCpMarker(DrawingSurface& surface, double cp);

// A row of the analysis as shown to the user: label and value.
struct StabilityRow {
    std::string label;
    std::string value;
};

// The rows "CNa", "CP", "CG", "Reference diameter", "Calibers", "Rocket", "Ballast
// needed", "Ballast position": CNa with `cnaDecimals` decimals, the others with two, "-" where a
// value does not exist (and for the verdict when the analysis found errors).
// Lengths and weights are written in `units` (the bare number for mm and g).
std::vector<StabilityRow> StabilityRows(const StabilityAnalysis& analysis, char decimalSeparator,
                                        int cnaDecimals, UnitChoice units = {});

} // namespace vantor
