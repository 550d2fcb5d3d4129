#pragma once

#include "motors/Motor.h"

#include <string>

namespace vantor {

// The figures a motor is chosen by, derived from its thrust curve.
struct MotorFigures {
    double totalImpulse = 0;  // N·s, the area under the curve
    double averageThrust = 0; // N, total impulse over burn time
    double peakThrust = 0;    // N
    double burnTime = 0;      // s, from ignition to the last point of the curve
    std::string impulseClass; // "1/2A", "A", ... "O"
};

MotorFigures FiguresOf(const Motor& motor);

// The area under the curve up to `time`, by the trapezoid rule on its points.
double ImpulseUntil(const Motor& motor, double time);
// Thrust at `time` by linear interpolation; zero before ignition and after burnout.
double ThrustAt(const Motor& motor, double time);
// Propellant left at `time` in grams: from the file's mass column where it gives one,
// otherwise burnt in proportion to the impulse delivered.
double PropellantLeftAt(const Motor& motor, double time);
// The motor's mass at `time` in grams: loaded mass less the propellant burnt.
double MassAt(const Motor& motor, double time);

// The letter class of a total impulse: A up to 2.5 N·s, each letter doubling, with
// 1/2A, 1/4A and 1/8A below.
std::string ImpulseClass(double totalImpulse);

// The propellant left at each point, where the file gave none, burnt in proportion to
// the impulse delivered. The readers call it; a motor built by hand may too.
void DeriveMassColumn(Motor& motor);

} // namespace vantor
