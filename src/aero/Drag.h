#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace vantor {

class Design;
struct StabilityAnalysis;

// Surface finishes and their equivalent sand roughness.
enum class SurfaceFinish { Rough, Unfinished, RegularPaint, SmoothPaint, Polished };

double RoughnessOf(SurfaceFinish finish); // m

// The conditions the drag is estimated for: the finish and the air of the launch site,
// whose viscosity and speed of sound turn a Mach number into a Reynolds number (standard
// sea-level air unless told).
struct DragConditions {
    SurfaceFinish finish = SurfaceFinish::RegularPaint;
    double speedOfSound = 340.294;         // m/s
    double kinematicViscosity = 1.4607e-5; // m^2/s
};

// The shape's figures the build-up works from, in metres and square metres.
struct DragGeometry {
    double length = 0; // nose tip to the rear end of the body
    double referenceDiameter = 0;
    double referenceArea = 0;
    double bodyWetArea = 0; // nose, tubes and transitions
    double maxDiameter = 0;
    double baseDiameter = 0; // the body's rear end
    // Pressure drag of the nose and of each transition, as the factors of their terms.
    std::string noseKind; // class name of the nose, empty without one
    double noseLength = 0, noseDiameter = 0;
    struct Step {
        double length, front, rear; // m
    };
    std::vector<Step> transitions;
    struct Fins {
        int count = 0;
        double rootChord = 0, tipChord = 0, span = 0, sweep = 0, thickness = 0;
        // A cut sheet has square edges; sanded fins round them, which halves the wake of
        // the trailing edge and softens the leading edge's stagnation.
        bool roundedEdges = false;
    };
    std::vector<Fins> finSets;
};

// The components of the zero-lift drag coefficient at one Mach number, on the reference
// area.
struct DragBreakdown {
    double friction = 0;
    double nose = 0;
    double transitions = 0;
    double base = 0;
    double fins = 0;
    double total() const { return friction + nose + transitions + base + fins; }
};

// The geometry of a placed design as the drag build-up sees it.
DragGeometry DragGeometryOf(const Design& design, const StabilityAnalysis& analysis);

// The zero-lift drag coefficient by component build-up at `mach` and Reynolds number per
// metre `reynoldsPerMetre`.
DragBreakdown EstimateDragAt(const DragGeometry& geometry, double roughness, double mach,
                             double reynoldsPerMetre);

// Cd against Mach from 0 to 2.5, for the speeds of a flight in the site's air.
std::vector<std::pair<double, double>> EstimateDrag(const Design& design,
                                                    const StabilityAnalysis& analysis,
                                                    const DragConditions& conditions);
std::vector<std::pair<double, double>> EstimateDrag(const DragGeometry& geometry,
                                                    const DragConditions& conditions);

// Cd of a (Mach, Cd) table at `mach`: linear between rows, held beyond the ends; 0 for an
// empty table.
double InterpolateTable(const std::vector<std::pair<double, double>>& table, double mach);

// A table as a function of Mach, as InterpolateTable reads it; a function that gives no
// drag for an empty table.
std::function<double(double)> DragCurve(std::vector<std::pair<double, double>> table);

} // namespace vantor
