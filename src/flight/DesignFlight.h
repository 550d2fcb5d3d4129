#pragma once

#include "aero/Drag.h"
#include "flight/Answers.h"
#include "flight/Simulation.h"

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vantor {

class Design;
struct StabilityAnalysis;

// A motor component of a placed design: where it sits and what it weighs as drawn.
struct MotorMount {
    std::size_t element = 0; // index in the design's elements
    std::string caption;
    double diameter = 0; // mm, the tube the motor goes into
    double length = 0;   // mm
    double cg = 0;       // mm from the nose tip
    double weight = 0;   // g, as entered
};

// The motor components (kind TEngine) of a placed design, in tree order.
std::vector<MotorMount> MotorMounts(const Design& design, const StabilityAnalysis& analysis);

// The drag the flight uses: a fixed coefficient, a Cd(Mach) table (linear between rows,
// held beyond the ends), or else the estimate from the shape.
struct DragChoice {
    std::optional<double> fixedCd;
    std::vector<std::pair<double, double>> table; // (Mach, Cd), Mach ascending
};

struct ChosenMotor {
    Motor motor;
    std::optional<double> delay;
};

// A flight of a placed design: the inputs of the simulation and what the answers need.
struct DesignFlight {
    FlightInputs inputs;
    FlightContext context;
    std::string error; // why the design cannot be flown; empty when it can
};

// Builds the flight of a placed design whose motor components fly the motors `chosen`
// (one per mount, in the order of MotorMounts; an empty entry keeps the component's own
// weight and does not fire). A flying motor's loaded mass replaces the component's weight;
// its CG is the component's. `estimate` gives Cd against Mach from the shape where the
// drag choice holds no override; it may be empty (no drag).
DesignFlight BuildDesignFlight(const Design& design, const StabilityAnalysis& analysis,
                               const std::vector<std::optional<ChosenMotor>>& chosen,
                               const DragChoice& drag, std::function<double(double)> estimate);

// The air of a launch site as the drag estimate needs it.
DragConditions SiteDragConditions(const LaunchSettings& launch,
                                  SurfaceFinish finish = SurfaceFinish::RegularPaint);

// The Prandtl-Glauert factor of the normal-force slope: 1/sqrt(1 - M^2) below Mach 0.8,
// 1/sqrt(M^2 - 1) above Mach 1.25 (never above the subsonic value), held in between where
// neither formula holds.
double PrandtlGlauert(double mach);

} // namespace vantor
