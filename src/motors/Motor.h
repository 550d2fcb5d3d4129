#pragma once

#include <string>
#include <vector>

namespace vantor {

// One sample of a motor's thrust curve. Time from ignition in seconds, thrust in newtons;
// `mass` is the propellant left in grams where the file gives it (RockSim), negative where
// it does not and the reader derives it from the impulse delivered.
struct ThrustSample {
    double time = 0;
    double thrust = 0;
    double mass = -1;
};

// A motor as read from one thrust-curve file, in the units the rest of the program uses:
// millimetres, grams, seconds, newtons. The curve starts at ignition and ends with zero
// thrust at burnout.
struct Motor {
    std::string maker;       // as the file names it, e.g. "Estes"
    std::string designation; // e.g. "C6"
    std::string file;        // the file it was read from
    double diameter = 0;     // mm
    double length = 0;       // mm
    std::vector<double> delays; // ejection delays in seconds; empty for a plugged motor
    double propellantMass = 0;  // g
    double loadedMass = 0;      // g, the motor as it is put in the rocket
    std::vector<ThrustSample> curve;
};

} // namespace vantor
