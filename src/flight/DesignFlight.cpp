#include "flight/DesignFlight.h"

#include "analysis/Stability.h"
#include "model/Design.h"
#include "model/Kinds.h"
#include "model/RocketElement.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <unordered_set>

namespace vantor {

namespace {

constexpr double Mm = 0.001;
constexpr double Grams = 0.001;

} // namespace

std::vector<MotorMount> MotorMounts(const Design& design, const StabilityAnalysis& analysis) {
    std::vector<MotorMount> mounts;
    const auto nodes = design.tree.nodesInOrder();
    std::unordered_map<const TRocketElement*, std::size_t> indexOf;
    for (std::size_t k = 0; k < design.Elements.size(); ++k)
        indexOf.emplace(design.Elements[k].get(), k);
    for (std::size_t i = 0; i < nodes.size() && i < analysis.components.size(); ++i) {
        const TRocketElement& e = *nodes[i]->element;
        if (!KindOf(e).motor || !analysis.components[i].cg)
            continue;
        MotorMount mount;
        if (const auto at = indexOf.find(&e); at != indexOf.end())
            mount.element = at->second;
        mount.caption = e.Caption;
        mount.diameter = e.DiameterA;
        mount.length = e.Length;
        mount.cg = *analysis.components[i].cg;
        mount.weight = e.Weight;
        mounts.push_back(mount);
    }
    return mounts;
}

DragConditions SiteDragConditions(const LaunchSettings& launch, SurfaceFinish finish) {
    const AirState standard = StandardAtmosphere(launch.siteAltitude);
    const double offset =
        launch.siteTemperature ? *launch.siteTemperature + 273.15 - standard.temperature : 0.0;
    const AirState air = Atmosphere::Standard(launch.siteAltitude, offset).at(0);
    DragConditions conditions;
    conditions.finish = finish;
    conditions.speedOfSound = air.speedOfSound;
    conditions.kinematicViscosity = air.viscosity / air.density;
    return conditions;
}

double PrandtlGlauert(double mach) {
    const double held = 1 / std::sqrt(1 - 0.8 * 0.8);
    if (!(mach > 0))
        return 1;
    if (mach < 0.8)
        return 1 / std::sqrt(1 - mach * mach);
    if (mach <= 1.25)
        return held;
    return std::min(held, 1 / std::sqrt(mach * mach - 1));
}

DesignFlight BuildDesignFlight(const Design& design, const StabilityAnalysis& analysis,
                               const std::vector<std::optional<ChosenMotor>>& chosen,
                               const DragChoice& drag, std::function<double(double)> estimate) {
    DesignFlight flight;
    const std::vector<MotorMount> mounts = MotorMounts(design, analysis);
    const auto nodes = design.tree.nodesInOrder();

    // Dry mass and CG: every component with a centre of gravity, less the motor
    // components that fly a motor (the motor's own masses replace their weight).
    // Looked up by the element, not searched for, which would take a time of the square
    // of the components.
    std::unordered_set<const TRocketElement*> replaced;
    for (std::size_t m = 0; m < mounts.size() && m < chosen.size(); ++m)
        if (chosen[m] && mounts[m].element < design.Elements.size())
            replaced.insert(design.Elements[mounts[m].element].get());
    double mass = 0, moment = 0;
    struct Part {
        double m, x, l;
    };
    std::vector<Part> parts;
    for (std::size_t i = 0; i < nodes.size() && i < analysis.components.size(); ++i) {
        const TRocketElement& e = *nodes[i]->element;
        const auto& row = analysis.components[i];
        if (!row.cg || !std::isfinite(e.Weight))
            continue;
        if (replaced.count(&e) != 0)
            continue;
        const double m = e.Weight * Grams, x = *row.cg * Mm;
        // A length that is not a number only loses the part's own inertia, not the flight.
        parts.push_back({m, x, std::isfinite(e.Length) ? e.Length * Mm : 0.0});
        mass += m;
        moment += m * x;
    }
    Airframe& frame = flight.inputs.airframe;
    frame.dryMass = mass;
    frame.dryCg = mass > 0 ? moment / mass : 0;
    for (const Part& p : parts)
        frame.dryInertia += p.m * (p.l * p.l / 12 + std::pow(p.x - frame.dryCg, 2));
    if (analysis.referenceDiameter) {
        frame.referenceDiameter = *analysis.referenceDiameter * Mm;
        frame.referenceArea = Pi * frame.referenceDiameter * frame.referenceDiameter / 4;
    }
    for (const auto& row : analysis.components)
        if (row.cna != 0 && row.cp)
            frame.stations.push_back({row.cna, *row.cp * Mm});
    frame.normalForceFactor = PrandtlGlauert;
    if (drag.fixedCd) {
        const double cd = *drag.fixedCd;
        frame.dragCoefficient = [cd](double) {
            return cd;
        };
    } else if (!drag.table.empty()) {
        auto table = drag.table;
        frame.dragCoefficient = [table](double mach) {
            return InterpolateTable(table, mach);
        };
    } else {
        frame.dragCoefficient = std::move(estimate);
    }

    bool any = false;
    for (std::size_t m = 0; m < mounts.size() && m < chosen.size(); ++m) {
        if (!chosen[m])
            continue;
        any = true;
        LoadedMotor loaded{chosen[m]->motor, chosen[m]->delay, mounts[m].cg * Mm};
        if (loaded.motor.diameter > mounts[m].diameter + 0.05)
            flight.context.warnings.push_back("motor_too_wide");
        flight.inputs.motors.push_back(std::move(loaded));
    }
    if (!any) {
        flight.context.warnings.push_back("no_motor");
        flight.error = "no motor chosen";
    }
    if (analysis.cp)
        flight.context.cp = *analysis.cp * Mm;
    if (analysis.referenceDiameter)
        flight.context.referenceDiameter = *analysis.referenceDiameter * Mm;
    return flight;
}

} // namespace vantor
