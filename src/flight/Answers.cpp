#include "flight/Answers.h"

#include <algorithm>
#include <cmath>

namespace vantor {

namespace {

void Warn(FlightAnswers& a, const std::string& key) {
    if (std::find(a.warnings.begin(), a.warnings.end(), key) == a.warnings.end())
        a.warnings.push_back(key);
}

double TotalImpulse(const Motor& motor) {
    double impulse = 0;
    for (std::size_t i = 1; i < motor.curve.size(); ++i)
        impulse += 0.5 * (motor.curve[i].thrust + motor.curve[i - 1].thrust) *
                   (motor.curve[i].time - motor.curve[i - 1].time);
    return impulse;
}

} // namespace

FlightAnswers Answer(const FlightInputs& inputs, const FlightResult& result,
                     const FlightContext& context) {
    FlightAnswers a;
    for (const std::string& w : context.warnings)
        Warn(a, w);
    a.valid = result.outcome == FlightOutcome::Landed;
    a.message = result.message;
    switch (result.outcome) {
    case FlightOutcome::Landed:
        break;
    case FlightOutcome::Tumbled:
        Warn(a, "tumbled");
        break;
    case FlightOutcome::TimeLimit:
    case FlightOutcome::StepLimit:
        Warn(a, "flight_incomplete");
        break;
    case FlightOutcome::Invalid:
        Warn(a, "flight_invalid");
        break;
    }
    if (inputs.motors.empty())
        Warn(a, "no_motor");
    if (std::abs(inputs.launch.windSpeed) > MaxSafeWind)
        Warn(a, "wind_too_strong");
    if (result.samples.empty())
        return a;

    const FlightSample& first = result.samples.front();
    a.launchMass = first.mass;
    const Airframe& frame = inputs.airframe;
    {
        double moment = frame.dryMass * frame.dryCg, mass = frame.dryMass;
        for (const LoadedMotor& m : inputs.motors) {
            moment += m.motor.loadedMass / 1000 * m.position;
            mass += m.motor.loadedMass / 1000;
        }
        if (mass > 0)
            a.cgAtLiftoff = moment / mass;
    }
    const auto calibers = [&](double cg) -> std::optional<double> {
        if (context.cp && context.referenceDiameter && *context.referenceDiameter > 0)
            return (*context.cp - cg) / *context.referenceDiameter;
        return std::nullopt;
    };
    if (a.cgAtLiftoff)
        a.liftoffCalibers = calibers(*a.cgAtLiftoff);

    double impulse = 0, burn = 0;
    for (const LoadedMotor& m : inputs.motors) {
        impulse += TotalImpulse(m.motor);
        burn = std::max(burn, BurnTime(m.motor));
    }
    if (burn > 0 && a.launchMass > 0)
        a.thrustToWeight = impulse / burn / (a.launchMass * StandardGravity);

    double bestSpeed = -1;
    for (const FlightSample& s : result.samples) {
        const double speed = std::hypot(s.vx, s.vz);
        if (speed > bestSpeed) {
            bestSpeed = speed;
            a.cdAtMaxVelocity = s.cd;
        }
        a.maxMach = std::max(a.maxMach, s.mach);
        a.maxAcceleration = std::max(a.maxAcceleration, s.acceleration);
    }
    a.maxVelocity = std::max(0.0, bestSpeed);

    if (const FlightEvent* e = result.event(FlightEventKind::RodClearance)) {
        a.rodExitVelocity = e->speed;
        // The CG at that moment, from the mass the samples record and the motor positions.
        double moment = frame.dryMass * frame.dryCg, mass = frame.dryMass;
        for (const LoadedMotor& m : inputs.motors) {
            const double mm = MotorMassAt(m.motor, e->time);
            moment += mm * m.position;
            mass += mm;
        }
        if (mass > 0)
            a.rodClearanceCalibers = calibers(moment / mass);
    }
    if (const FlightEvent* e = result.event(FlightEventKind::Burnout)) {
        a.burnoutTime = e->time;
        a.burnoutAltitude = e->altitude;
        a.burnoutVelocity = e->speed;
    }
    if (const FlightEvent* e = result.event(FlightEventKind::Apogee)) {
        a.apogee = e->altitude;
        a.timeToApogee = e->time;
    }
    if (a.burnoutTime && result.coastApogeeTime)
        a.optimumDelay = std::max(0.0, *result.coastApogeeTime - *a.burnoutTime);
    for (const LoadedMotor& m : inputs.motors)
        if (m.delay && (!a.chosenDelay || *m.delay < *a.chosenDelay))
            a.chosenDelay = m.delay;
    if (const FlightEvent* e = result.event(FlightEventKind::Ejection)) {
        a.ejectionAltitude = e->altitude;
        a.ejectionVelocity = e->speed;
        if (const std::optional<double> top = result.coastApogeeTime) {
            if (e->time < *top - EjectionTolerance)
                Warn(a, "ejection_early");
            if (e->time > *top + EjectionTolerance)
                Warn(a, "ejection_late");
        }
    }
    if (const FlightEvent* e = result.event(FlightEventKind::Landing)) {
        if (inputs.recovery.kind != RecoverySettings::Kind::None) {
            a.landingVelocity = e->speed;
            a.flightTime = e->time;
        }
        a.drift = std::abs(result.samples.back().x);
    }

    if (!inputs.motors.empty()) {
        if (a.rodExitVelocity && *a.rodExitVelocity < MinRodSpeed)
            Warn(a, "rod_speed_low");
        if (a.thrustToWeight && *a.thrustToWeight < MinThrustToWeight)
            Warn(a, "thrust_to_weight_low");
    }
    const std::optional<double> margin = a.rodClearanceCalibers ? a.rodClearanceCalibers : a.liftoffCalibers;
    if (margin && *margin < MinCalibers)
        Warn(a, "margin_low");
    return a;
}

} // namespace vantor
