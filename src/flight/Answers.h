#pragma once

#include "flight/Simulation.h"

#include <optional>
#include <string>
#include <vector>

namespace vantor {

// What the rocket is, beside what the simulation needs, for the answers: its static
// stability at lift-off and what was noticed while loading its motors.
struct FlightContext {
    std::optional<double> cp;                // m from the nose tip
    std::optional<double> referenceDiameter; // m
    std::vector<std::string> warnings;       // noticed before the flight (no motor, too wide)
};

// The answers a flyer needs before the launch, in SI units. Empty where the flight did not
// reach the point (no ejection, no landing, a tumble).
struct FlightAnswers {
    bool valid = false; // the flight ran to landing and its numbers can be used
    std::string message;
    double launchMass = 0; // kg
    std::optional<double> cgAtLiftoff; // m from the nose tip
    std::optional<double> liftoffCalibers;
    std::optional<double> apogee, timeToApogee;
    double maxVelocity = 0, maxMach = 0, maxAcceleration = 0;
    std::optional<double> cdAtMaxVelocity;
    std::optional<double> rodExitVelocity;
    std::optional<double> thrustToWeight; // average thrust of the burn over the launch weight
    std::optional<double> burnoutTime, burnoutAltitude, burnoutVelocity;
    std::optional<double> optimumDelay, chosenDelay;
    std::optional<double> ejectionAltitude, ejectionVelocity;
    std::optional<double> rodClearanceCalibers; // with the CG of that moment
    std::optional<double> landingVelocity, flightTime, drift;
    std::vector<std::string> warnings; // short English keys
};

// Limits of the warnings.
inline constexpr double MinRodSpeed = 15.0;      // m/s
inline constexpr double MinThrustToWeight = 5.0;
inline constexpr double MinCalibers = 1.0;
inline constexpr double EjectionTolerance = 2.0; // s before or after apogee
inline constexpr double MaxSafeWind = 9.0;       // m/s, about 20 mph

FlightAnswers Answer(const FlightInputs& inputs, const FlightResult& result,
                     const FlightContext& context);

} // namespace vantor
