#pragma once

#include "flight/Atmosphere.h"
#include "motors/Motor.h"
#include "motors/MotorFigures.h"

#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace vantor {

// A motor in the rocket: its data, the ejection delay it flies with (none for a plugged
// motor or where no delay was chosen) and where its centre of gravity sits, in metres from
// the nose tip. Every loaded motor ignites at launch.
struct LoadedMotor {
    Motor motor;
    std::optional<double> delay;
    double position = 0;
};

// One normal-force contribution: slope per radian and its centre of pressure, metres from
// the nose tip. The sum gives the restoring moment, the spread about the CG its damping.
struct ForceStation {
    double cna = 0;
    double cp = 0;
};

// The rocket as the simulation sees it, in SI units, without its motors.
struct Airframe {
    double dryMass = 0;        // kg
    double dryCg = 0;          // m from the nose tip
    double dryInertia = 0;     // kg m^2 about the dry CG, pitch axis
    double referenceArea = 0;  // m^2
    double referenceDiameter = 0; // m
    std::vector<ForceStation> stations; // incompressible values
    // Zero-lift drag coefficient against Mach (on the reference area). Empty: no drag.
    std::function<double(double mach)> dragCoefficient;
    // Correction of the normal-force slope for compressibility, a factor against Mach.
    std::function<double(double mach)> normalForceFactor;
};

struct LaunchSettings {
    double rodLength = 1.0;       // m
    double rodAngle = 0;          // degrees from the vertical, tilted downwind (+x)
    double windSpeed = 0;         // m/s, blowing towards +x at every height
    double siteAltitude = 0;      // m above sea level
    std::optional<double> siteTemperature; // degrees Celsius; standard where empty
};

struct RecoverySettings {
    enum class Kind { None, Parachute, Streamer };
    Kind kind = Kind::None;
    double diameter = 0.3; // m, parachute
    double cd = 0.8;       // parachute or streamer drag coefficient
    double length = 0.8;   // m, streamer
    double width = 0.08;   // m, streamer
    // The drag area (Cd times area, m^2) of the deployed recovery.
    double dragArea() const;
};

struct SimulationLimits {
    double step = 0.002;      // s, the step during powered flight; coasting takes 2.5 of
                              // them, descent under recovery 25
    double maxTime = 3600;    // s of flight time before the simulation gives up
    long maxSteps = 4'000'000;
};

// Where a flight starts; a speed along the rod lets a test or a staged flight begin in motion.
struct FlightStart {
    double speed = 0;
};

enum class FlightEventKind { Launch, RodClearance, Burnout, Apogee, Ejection, Deployment, Landing };

struct FlightEvent {
    FlightEventKind kind;
    double time = 0;
    double altitude = 0;
    double speed = 0;
};

// One recorded step of the trajectory.
struct FlightSample {
    double time = 0;
    double x = 0;        // m downrange
    double altitude = 0; // m above the site
    double vx = 0;
    double vz = 0;
    double acceleration = 0; // m/s^2, magnitude of the acceleration the rocket feels
    double thrust = 0;
    double mass = 0;      // kg
    double mach = 0;
    double cd = 0;
    double angleOfAttack = 0; // rad
    double pitch = 0;     // rad, body axis above the horizontal
};

enum class FlightOutcome { Landed, Tumbled, TimeLimit, StepLimit, Invalid };

struct FlightResult {
    FlightOutcome outcome = FlightOutcome::Invalid;
    std::string message; // why a flight did not land; empty when it did
    std::vector<FlightEvent> events;
    std::vector<FlightSample> samples;
    // When the rocket reaches apogee coasting without an ejection: the apogee of the flight,
    // or where the charge fired on the way up, the one it would have reached.
    std::optional<double> coastApogeeTime;

    const FlightEvent* event(FlightEventKind kind) const;
};

struct FlightInputs {
    Airframe airframe;
    std::vector<LoadedMotor> motors;
    LaunchSettings launch;
    RecoverySettings recovery;
    SimulationLimits limits;
    FlightStart start;
    // The air; the standard atmosphere of the launch settings where empty.
    std::optional<Atmosphere> atmosphere;
};

// Mass of one motor at `time`, kg: the loaded mass less the propellant burnt, which follows
// the curve's mass column where it has one and otherwise the share of impulse delivered.
double MotorMassAt(const Motor& motor, double time);

// Time of the last point of the curve (burnout), 0 for an empty curve.
double BurnTime(const Motor& motor);

// Flies the rocket from the pad to landing: on the rod along its axis; after the rod in the
// vertical plane with pitch (position, velocity, attitude, pitch rate), turning into the
// relative wind under the normal force at the CP and its damping; after apogee or the
// ejection as a point mass. Classic fourth-order Runge-Kutta with the events located on
// their exact time. Never throws; inputs that cannot fly give outcome Invalid and a message.
FlightResult Simulate(const FlightInputs& inputs);

} // namespace vantor
