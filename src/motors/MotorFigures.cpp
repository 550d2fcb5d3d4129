#include "motors/MotorFigures.h"

#include <algorithm>
#include <cmath>

namespace vantor {

namespace {

// Index of the first point at or after `time`, so the segment [i-1, i] holds it.
std::size_t SegmentEnd(const std::vector<ThrustSample>& curve, double time) {
    const auto it = std::lower_bound(curve.begin(), curve.end(), time,
                                     [](const ThrustSample& s, double t) { return s.time < t; });
    return static_cast<std::size_t>(it - curve.begin());
}

double Fraction(double from, double to, double at) {
    return to > from ? (at - from) / (to - from) : 1.0;
}

} // namespace

double ImpulseUntil(const Motor& motor, double time) {
    const auto& curve = motor.curve;
    double impulse = 0;
    for (std::size_t i = 1; i < curve.size(); ++i) {
        const ThrustSample& a = curve[i - 1];
        const ThrustSample& b = curve[i];
        if (a.time >= time)
            break;
        if (b.time <= time) {
            impulse += (b.time - a.time) * (a.thrust + b.thrust) / 2;
        } else {
            const double f = a.thrust + (b.thrust - a.thrust) * Fraction(a.time, b.time, time);
            impulse += (time - a.time) * (a.thrust + f) / 2;
        }
    }
    return impulse;
}

double ThrustAt(const Motor& motor, double time) {
    const auto& curve = motor.curve;
    if (curve.empty() || time < curve.front().time || time > curve.back().time)
        return 0;
    const std::size_t i = SegmentEnd(curve, time);
    if (i == 0)
        return curve.front().thrust;
    const ThrustSample& a = curve[i - 1];
    const ThrustSample& b = curve[std::min(i, curve.size() - 1)];
    return a.thrust + (b.thrust - a.thrust) * Fraction(a.time, b.time, time);
}

double PropellantLeftAt(const Motor& motor, double time) {
    const auto& curve = motor.curve;
    if (curve.empty())
        return motor.propellantMass;
    if (time <= curve.front().time)
        return curve.front().mass >= 0 ? curve.front().mass : motor.propellantMass;
    if (time >= curve.back().time)
        return curve.back().mass >= 0 ? curve.back().mass : 0.0;
    const std::size_t i = SegmentEnd(curve, time);
    const ThrustSample& a = curve[i - 1];
    const ThrustSample& b = curve[i];
    if (a.mass >= 0 && b.mass >= 0)
        return a.mass + (b.mass - a.mass) * Fraction(a.time, b.time, time);
    const double total = ImpulseUntil(motor, curve.back().time);
    if (!(total > 0))
        return motor.propellantMass;
    return motor.propellantMass * (1 - ImpulseUntil(motor, time) / total);
}

double MassAt(const Motor& motor, double time) {
    return motor.loadedMass - (motor.propellantMass - PropellantLeftAt(motor, time));
}

void DeriveMassColumn(Motor& motor) {
    const bool given = !motor.curve.empty() &&
                       std::all_of(motor.curve.begin(), motor.curve.end(),
                                   [](const ThrustSample& s) { return s.mass >= 0; });
    if (given)
        return;
    double total = 0;
    for (std::size_t i = 1; i < motor.curve.size(); ++i)
        total += (motor.curve[i].time - motor.curve[i - 1].time) *
                 (motor.curve[i].thrust + motor.curve[i - 1].thrust) / 2;
    double delivered = 0;
    for (std::size_t i = 0; i < motor.curve.size(); ++i) {
        if (i > 0)
            delivered += (motor.curve[i].time - motor.curve[i - 1].time) *
                         (motor.curve[i].thrust + motor.curve[i - 1].thrust) / 2;
        const double left = total > 0 ? motor.propellantMass * (1 - delivered / total)
                                      : motor.propellantMass;
        motor.curve[i].mass = std::max(0.0, left);
    }
}

std::string ImpulseClass(double totalImpulse) {
    if (!(totalImpulse > 0))
        return "-";
    if (totalImpulse <= 0.3125)
        return "1/8A";
    if (totalImpulse <= 0.625)
        return "1/4A";
    if (totalImpulse <= 1.25)
        return "1/2A";
    double upper = 2.5;
    for (char letter = 'A'; letter < 'Z'; ++letter, upper *= 2)
        if (totalImpulse <= upper * (1 + 1e-9))
            return std::string(1, letter);
    return "Z";
}

MotorFigures FiguresOf(const Motor& motor) {
    MotorFigures figures;
    if (motor.curve.empty())
        return figures;
    figures.burnTime = motor.curve.back().time - std::min(0.0, motor.curve.front().time);
    figures.totalImpulse = ImpulseUntil(motor, motor.curve.back().time);
    for (const ThrustSample& s : motor.curve)
        figures.peakThrust = std::max(figures.peakThrust, s.thrust);
    figures.averageThrust = figures.burnTime > 0 ? figures.totalImpulse / figures.burnTime : 0;
    figures.impulseClass = ImpulseClass(figures.totalImpulse);
    return figures;
}

} // namespace vantor
