#include "flight/Simulation.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vantor {

namespace {

constexpr double Pi = 3.141592653589793;
constexpr double GramsPerKg = 1000.0;
// Above this angle of attack a rocket moving faster than TumbleSpeed has lost its attitude.
constexpr double TumbleAngle = Pi / 2;
constexpr double TumbleSpeed = 10.0;

bool Finite(double v) { return std::isfinite(v); }

struct State {
    double x = 0, z = 0, vx = 0, vz = 0, theta = 0, omega = 0;
};

State operator+(const State& a, const State& b) {
    return {a.x + b.x, a.z + b.z, a.vx + b.vx, a.vz + b.vz, a.theta + b.theta, a.omega + b.omega};
}
State operator*(double k, const State& a) {
    return {k * a.x, k * a.z, k * a.vx, k * a.vz, k * a.theta, k * a.omega};
}

bool Finite(const State& s) {
    return Finite(s.x) && Finite(s.z) && Finite(s.vx) && Finite(s.vz) && Finite(s.theta) &&
           Finite(s.omega);
}

enum class Phase { OnRod, Free, PointMass };

// Cumulative impulse at each point of a curve, for the propellant burnt by the impulse share.
struct MotorTable {
    const LoadedMotor* loaded = nullptr;
    std::vector<double> impulse;
    double total = 0;
    bool massColumn = false;
    double burnout = 0;
};

MotorTable Tabulate(const LoadedMotor& loaded) {
    MotorTable table;
    table.loaded = &loaded;
    const auto& curve = loaded.motor.curve;
    table.impulse.resize(curve.size(), 0.0);
    table.massColumn = !curve.empty();
    for (std::size_t i = 0; i < curve.size(); ++i) {
        if (i > 0)
            table.impulse[i] = table.impulse[i - 1] + 0.5 * (curve[i].thrust + curve[i - 1].thrust) *
                                                          (curve[i].time - curve[i - 1].time);
        if (!(curve[i].mass >= 0))
            table.massColumn = false;
    }
    table.total = table.impulse.empty() ? 0 : table.impulse.back();
    table.burnout = BurnTime(loaded.motor);
    return table;
}

// Index of the segment [i, i+1] of the curve holding `time`, or curve.size() when outside.
std::size_t Segment(const std::vector<ThrustSample>& curve, double time) {
    if (curve.size() < 2 || time < curve.front().time || time >= curve.back().time)
        return curve.size();
    auto after = std::upper_bound(curve.begin(), curve.end(), time,
                                  [](double t, const ThrustSample& s) { return t < s.time; });
    return std::size_t(after - curve.begin()) - 1;
}

double MotorMass(const MotorTable& table, double time) {
    const Motor& motor = table.loaded->motor;
    const double loaded = motor.loadedMass / GramsPerKg;
    const double propellant = motor.propellantMass / GramsPerKg;
    const auto& curve = motor.curve;
    if (curve.empty() || time <= curve.front().time)
        return loaded;
    if (time >= curve.back().time)
        return loaded - propellant;
    const std::size_t i = Segment(curve, time);
    if (i >= curve.size())
        return loaded - propellant;
    const ThrustSample& a = curve[i];
    const ThrustSample& b = curve[i + 1];
    const double span = b.time - a.time;
    const double f = span > 0 ? (time - a.time) / span : 1.0;
    if (table.massColumn) {
        // The column gives the propellant left at each point, in grams.
        const double left = (a.mass + f * (b.mass - a.mass)) / GramsPerKg;
        return loaded - propellant + std::clamp(left, 0.0, propellant);
    }
    if (!(table.total > 0))
        return loaded;
    // Impulse to `time`: the trapezoid of the linear thrust up to that point.
    const double thrust = a.thrust + f * (b.thrust - a.thrust);
    const double delivered = table.impulse[i] + 0.5 * (a.thrust + thrust) * (time - a.time);
    return loaded - propellant * std::clamp(delivered / table.total, 0.0, 1.0);
}

struct Forces {
    State derivative;
    double thrust = 0, mass = 0, mach = 0, cd = 0, alpha = 0, acceleration = 0;
};

class Flight {
public:
    Flight(const FlightInputs& inputs, bool stopAtApogee) : in_(inputs), stopAtApogee_(stopAtApogee) {
        for (const LoadedMotor& m : in_.motors)
            tables_.push_back(Tabulate(m));
        air_ = in_.atmosphere ? *in_.atmosphere
                              : Atmosphere::Standard(in_.launch.siteAltitude,
                                                     in_.launch.siteTemperature
                                                         ? *in_.launch.siteTemperature + 273.15 -
                                                               StandardAtmosphere(in_.launch.siteAltitude)
                                                                   .temperature
                                                         : 0.0);
        const double tilt = in_.launch.rodAngle * Pi / 180;
        rodX_ = std::sin(tilt);
        rodZ_ = std::cos(tilt);
        for (const ForceStation& s : in_.airframe.stations) {
            cna_ += s.cna;
            cnaMoment_ += s.cna * s.cp;
        }
        recoveryArea_ = in_.recovery.kind == RecoverySettings::Kind::None ? 0 : in_.recovery.dragArea();
    }

    FlightResult run();

private:
    double MassAt(double t, double* cg, double* inertia) const;
    double ThrustSum(double t) const;
    Forces Evaluate(const State& s, double t) const;
    State Advance(const State& s, double t, double h) const;
    double StepLength(const State& s, double t) const;
    double NextBreak(double t) const;
    void Record(const State& s, double t);
    void AddEvent(FlightEventKind kind, const State& s, double t);
    // Length of a step from (s, t) within (0, h] at which g(state) reaches zero.
    template <class G>
    double Locate(const State& s, double t, double h, G g) const;

    const FlightInputs& in_;
    bool stopAtApogee_ = false;
    std::vector<MotorTable> tables_;
    Atmosphere air_;
    double rodX_ = 0, rodZ_ = 1;
    double cna_ = 0, cnaMoment_ = 0;
    double recoveryArea_ = 0;
    Phase phase_ = Phase::OnRod;
    bool deployed_ = false;
    FlightResult result_;
    // The forces of the last recorded state, which are the first stage of the next step.
    struct Cached {
        bool valid = false;
        double t = 0;
        State s;
        Phase phase = Phase::OnRod;
        bool deployed = false;
        Forces forces;
    } cache_;
};

double Flight::MassAt(double t, double* cg, double* inertia) const {
    const Airframe& a = in_.airframe;
    // Sums of mass, first and second moments about the nose tip, in one pass; the inertia
    // about the CG follows by the parallel-axis rule.
    double mass = a.dryMass, moment = a.dryMass * a.dryCg;
    double second = a.dryInertia + a.dryMass * a.dryCg * a.dryCg;
    for (const MotorTable& table : tables_) {
        const double m = MotorMass(table, t);
        const double x = table.loaded->position;
        const double length = table.loaded->motor.length / 1000; // mm to m
        mass += m;
        moment += m * x;
        second += m * (length * length / 12 + x * x);
    }
    const double centre = mass > 0 ? moment / mass : a.dryCg;
    if (cg)
        *cg = centre;
    if (inertia)
        *inertia = std::max(0.0, second - mass * centre * centre);
    return mass;
}

double Flight::ThrustSum(double t) const {
    double thrust = 0;
    for (const MotorTable& table : tables_)
        thrust += ThrustAt(table.loaded->motor, t);
    return thrust;
}

Forces Flight::Evaluate(const State& s, double t) const {
    Forces f;
    const Airframe& a = in_.airframe;
    double cg = 0, inertia = 0;
    f.mass = MassAt(t, &cg, phase_ == Phase::Free ? &inertia : nullptr);
    f.thrust = ThrustSum(t);
    const AirState air = air_.at(s.z);
    const double wx = s.vx - in_.launch.windSpeed, wz = s.vz;
    const double speed = std::hypot(wx, wz);
    f.mach = air.speedOfSound > 0 ? speed / air.speedOfSound : 0;
    f.cd = a.dragCoefficient ? a.dragCoefficient(f.mach) : 0;
    const double q = 0.5 * air.density * speed * speed;
    const double drag = q * a.referenceArea * f.cd + (deployed_ ? q * recoveryArea_ : 0);
    const double m = f.mass;
    State& d = f.derivative;

    if (phase_ == Phase::OnRod) {
        const double along = s.vx * rodX_ + s.vz * rodZ_;
        const double dragAlong = speed > 0 ? drag * (wx * rodX_ + wz * rodZ_) / speed : 0;
        double acc = (f.thrust - dragAlong) / m - StandardGravity * rodZ_;
        if (along <= 0 && acc < 0)
            acc = 0; // resting on the pad until the thrust lifts it
        d.x = along * rodX_;
        d.z = along * rodZ_;
        d.vx = acc * rodX_;
        d.vz = acc * rodZ_;
        f.acceleration = std::abs(acc);
        return f;
    }

    double ax = 0, az = -StandardGravity;
    if (phase_ == Phase::Free) {
        const double ux = std::cos(s.theta), uz = std::sin(s.theta);
        ax += f.thrust * ux / m;
        az += f.thrust * uz / m;
        if (speed > 0) {
            ax -= drag * wx / speed / m;
            az -= drag * wz / speed / m;
            const double dot = wx * ux + wz * uz;
            const double cross = ux * wz - uz * wx; // sin(alpha) * speed, signed
            f.alpha = std::atan2(std::abs(cross), dot);
            if (cna_ > 0) {
                const double factor = a.normalForceFactor ? a.normalForceFactor(f.mach) : 1.0;
                const double slope = cna_ * factor;
                // Normal force along the cross-flow, perpendicular to the axis.
                const double px = wx - dot * ux, pz = wz - dot * uz;
                const double nx = -q * a.referenceArea * slope * px / speed;
                const double nz = -q * a.referenceArea * slope * pz / speed;
                ax += nx / m;
                az += nz / m;
                const double cp = cnaMoment_ / cna_;
                double torque = -(cp - cg) * (ux * nz - uz * nx);
                double spread = 0;
                for (const ForceStation& st : a.stations)
                    spread += st.cna * std::pow(st.cp - cg, 2);
                torque -= 0.5 * air.density * speed * a.referenceArea * factor * spread * s.omega;
                d.omega = inertia > 0 ? torque / inertia : 0;
            }
        }
        d.theta = s.omega;
    } else {
        // A point mass whose axis follows the relative wind: thrust and drag along it.
        if (speed > 0) {
            ax += (f.thrust - drag) * wx / speed / m;
            az += (f.thrust - drag) * wz / speed / m;
        }
    }
    d.x = s.vx;
    d.z = s.vz;
    d.vx = ax;
    d.vz = az;
    f.acceleration = std::hypot(ax, az);
    return f;
}

State Flight::Advance(const State& s, double t, double h) const {
    const bool cached = cache_.valid && cache_.t == t && cache_.phase == phase_ && cache_.deployed == deployed_ &&
                        cache_.s.x == s.x && cache_.s.z == s.z && cache_.s.vx == s.vx && cache_.s.vz == s.vz &&
                        cache_.s.theta == s.theta && cache_.s.omega == s.omega;
    const State k1 = cached ? cache_.forces.derivative : Evaluate(s, t).derivative;
    const State k2 = Evaluate(s + (h / 2) * k1, t + h / 2).derivative;
    const State k3 = Evaluate(s + (h / 2) * k2, t + h / 2).derivative;
    const State k4 = Evaluate(s + h * k3, t + h).derivative;
    return s + (h / 6) * (k1 + 2.0 * k2 + 2.0 * k3 + k4);
}

// The step: the base step on the rod and under thrust-driven coasting shares, longer under
// recovery; never so long against the time scales of the moment (how fast drag changes
// the speed, how fast the rocket swings about its CG) that the integrator loses accuracy.
double Flight::StepLength(const State& s, double t) const {
    const double base = in_.limits.step;
    if (phase_ == Phase::OnRod)
        return base;
    double h = deployed_ ? 25 * base : 2.5 * base;
    double cg = 0, inertia = 0;
    const double mass = MassAt(t, &cg, &inertia);
    const AirState air = air_.at(s.z);
    const double speed = std::hypot(s.vx - in_.launch.windSpeed, s.vz);
    const double mach = air.speedOfSound > 0 ? speed / air.speedOfSound : 0;
    const Airframe& a = in_.airframe;
    const double cdA = (a.dragCoefficient ? a.dragCoefficient(mach) * a.referenceArea : 0) +
                       (deployed_ ? recoveryArea_ : 0);
    // Rate of the drag's hold on the speed, 1/s.
    const double dragRate = air.density * speed * std::abs(cdA) / std::max(mass, 1e-9);
    // Scaled with the base step, so that halving the base step halves every step.
    const double reference = base / 0.002;
    if (dragRate > 0)
        h = std::min(h, 0.5 * reference / dragRate);
    if (phase_ == Phase::Free && cna_ > 0 && inertia > 0) {
        const double q = 0.5 * air.density * speed * speed;
        const double stiffness = q * a.referenceArea * cna_ * 1.7 * std::abs(cnaMoment_ / cna_ - cg);
        const double swing = std::sqrt(stiffness / inertia); // rad/s
        if (swing > 0)
            h = std::min(h, 0.15 * reference / swing);
    }
    return std::max(h, base * 1e-3);
}

// The next time at which the forces change their formula: a point of a thrust curve, a
// burnout or the ejection. Steps end on them so that the integrator never steps over a kink.
double Flight::NextBreak(double t) const {
    double next = std::numeric_limits<double>::infinity();
    constexpr double tiny = 1e-12;
    for (const MotorTable& table : tables_) {
        const auto& curve = table.loaded->motor.curve;
        auto after = std::upper_bound(curve.begin(), curve.end(), t + tiny,
                                      [](double v, const ThrustSample& p) { return v < p.time; });
        if (after != curve.end())
            next = std::min(next, after->time);
        if (table.loaded->delay) {
            const double eject = table.burnout + *table.loaded->delay;
            if (eject > t + tiny)
                next = std::min(next, eject);
        }
    }
    return next;
}

template <class G>
double Flight::Locate(const State& s, double t, double h, G g) const {
    double lo = 0, hi = h;
    double glo = g(s), ghi = g(Advance(s, t, h));
    for (int i = 0; i < 60 && hi - lo > 1e-12; ++i) {
        // Regula falsi with bisection as a fallback, so it always closes in.
        double mid = (glo != ghi) ? lo + (hi - lo) * glo / (glo - ghi) : (lo + hi) / 2;
        if (!(mid > lo && mid < hi) || i % 3 == 2)
            mid = (lo + hi) / 2;
        const double gm = g(Advance(s, t, mid));
        if (gm == 0)
            return mid;
        if ((gm > 0) == (glo > 0)) {
            lo = mid;
            glo = gm;
        } else {
            hi = mid;
            ghi = gm;
        }
    }
    return hi;
}

void Flight::Record(const State& s, double t) {
    const Forces f = Evaluate(s, t);
    cache_ = {true, t, s, phase_, deployed_, f};
    FlightSample sample;
    sample.time = t;
    sample.x = s.x;
    sample.altitude = s.z;
    sample.vx = s.vx;
    sample.vz = s.vz;
    sample.acceleration = f.acceleration;
    sample.thrust = f.thrust;
    sample.mass = f.mass;
    sample.mach = f.mach;
    sample.cd = f.cd;
    sample.angleOfAttack = f.alpha;
    sample.pitch = phase_ == Phase::Free ? s.theta : std::atan2(s.vz, s.vx - in_.launch.windSpeed);
    if (phase_ == Phase::OnRod)
        sample.pitch = std::atan2(rodZ_, rodX_);
    result_.samples.push_back(sample);
}

void Flight::AddEvent(FlightEventKind kind, const State& s, double t) {
    result_.events.push_back({kind, t, s.z, std::hypot(s.vx, s.vz)});
}

FlightResult Invalid(const std::string& why) {
    FlightResult r;
    r.outcome = FlightOutcome::Invalid;
    r.message = why;
    return r;
}

FlightResult Flight::run() {
    const Airframe& a = in_.airframe;
    const LaunchSettings& launch = in_.launch;
    if (!Finite(a.dryMass) || a.dryMass < 0 || !Finite(a.dryCg) || !Finite(a.dryInertia))
        return Invalid("the rocket's mass or centre of gravity is not a number");
    if (a.dragCoefficient && !(Finite(a.referenceArea) && a.referenceArea > 0))
        return Invalid("the rocket has no reference area for its drag");
    if (!Finite(launch.rodLength) || launch.rodLength < 0 || !Finite(launch.rodAngle) ||
        std::abs(launch.rodAngle) >= 90 || !Finite(launch.windSpeed) || !Finite(launch.siteAltitude) ||
        (launch.siteTemperature && !Finite(*launch.siteTemperature)))
        return Invalid("the launch settings hold a value that cannot be flown");
    if (!(in_.limits.step > 0) || !Finite(in_.limits.step) || !(in_.limits.maxTime > 0))
        return Invalid("the simulation step or time limit is not usable");
    for (const ForceStation& st : a.stations)
        if (!Finite(st.cna) || !Finite(st.cp))
            return Invalid("the normal-force data of the rocket are not numbers");
    for (const LoadedMotor& m : in_.motors) {
        const Motor& motor = m.motor;
        const std::string name = motor.maker + " " + motor.designation;
        if (motor.curve.size() < 2)
            return Invalid("the thrust curve of " + name + " has fewer than two points");
        for (std::size_t i = 0; i < motor.curve.size(); ++i) {
            const ThrustSample& p = motor.curve[i];
            if (!Finite(p.time) || !Finite(p.thrust) || p.thrust < 0 || p.time < 0 ||
                (i > 0 && p.time < motor.curve[i - 1].time))
                return Invalid("the thrust curve of " + name + " is damaged");
        }
        if (!Finite(motor.loadedMass) || !Finite(motor.propellantMass) || motor.loadedMass < 0 ||
            motor.propellantMass < 0 || motor.propellantMass > motor.loadedMass)
            return Invalid("the masses of " + name + " are not usable");
        if (!Finite(m.position) || (m.delay && (!Finite(*m.delay) || *m.delay < 0)))
            return Invalid("the position or delay of " + name + " is not usable");
    }
    double cg0 = 0;
    const double mass0 = MassAt(0, &cg0, nullptr);
    if (!(mass0 > 0) || !Finite(mass0))
        return Invalid("the rocket has no mass");

    double ejection = std::numeric_limits<double>::infinity();
    for (const MotorTable& t : tables_)
        if (t.loaded->delay)
            ejection = std::min(ejection, t.burnout + *t.loaded->delay);
    double burnout = 0;
    for (const MotorTable& t : tables_)
        burnout = std::max(burnout, t.burnout);

    State s;
    s.theta = std::atan2(rodZ_, rodX_);
    const double v0 = Finite(in_.start.speed) ? in_.start.speed : 0;
    s.vx = v0 * rodX_;
    s.vz = v0 * rodZ_;
    double t = 0;
    result_.samples.reserve(4096);
    AddEvent(FlightEventKind::Launch, s, t);
    phase_ = launch.rodLength > 0 ? Phase::OnRod : Phase::Free;
    Record(s, t);

    const auto clearRod = [&]() -> bool {
        AddEvent(FlightEventKind::RodClearance, s, t);
        phase_ = Phase::Free;
        s.theta = std::atan2(rodZ_, rodX_);
        s.omega = 0;
        if (cna_ > 0) {
            double cg = 0;
            MassAt(t, &cg, nullptr);
            if (cnaMoment_ / cna_ < cg) {
                result_.outcome = FlightOutcome::Tumbled;
                result_.message = "the centre of pressure lies ahead of the centre of gravity as the "
                                  "rocket leaves the rod: it tumbles";
                return false;
            }
        }
        return true;
    };
    if (phase_ == Phase::Free && !clearRod())
        return std::move(result_);

    bool burntOut = burnout <= 0, ejected = false, apogee = false;
    if (burntOut && !tables_.empty())
        AddEvent(FlightEventKind::Burnout, s, t);
    long steps = 0;
    const auto deploy = [&]() {
        if (!deployed_ && recoveryArea_ > 0) {
            deployed_ = true;
            phase_ = Phase::PointMass;
            AddEvent(FlightEventKind::Deployment, s, t);
        }
    };

    while (true) {
        if (++steps > in_.limits.maxSteps) {
            result_.outcome = FlightOutcome::StepLimit;
            result_.message = "the simulation stopped after its largest number of steps";
            break;
        }
        if (t >= in_.limits.maxTime) {
            result_.outcome = FlightOutcome::TimeLimit;
            result_.message = "the flight did not land within the simulation's time limit";
            break;
        }
        double h = StepLength(s, t);
        const double next = NextBreak(t);
        bool hitsBreak = false;
        if (next - t <= h) {
            h = next - t;
            hitsBreak = true;
        }
        State n = Advance(s, t, h);
        if (!Finite(n)) {
            result_.outcome = FlightOutcome::Invalid;
            result_.message = "the simulation produced values that are not numbers";
            break;
        }

        // State events within the step; the earliest wins and the step is cut there.
        enum class Cross { None, Rod, Apogee, Landing } cross = Cross::None;
        double cut = h;
        const double rodLength = launch.rodLength;
        if (phase_ == Phase::OnRod && n.x * rodX_ + n.z * rodZ_ >= rodLength) {
            cut = Locate(s, t, h, [&](const State& x) { return x.x * rodX_ + x.z * rodZ_ - rodLength; });
            cross = Cross::Rod;
        }
        if (phase_ != Phase::OnRod && !apogee && s.vz > 0 && n.vz <= 0) {
            const double at = Locate(s, t, h, [](const State& x) { return x.vz; });
            if (at < cut) {
                cut = at;
                cross = Cross::Apogee;
            }
        }
        if (phase_ != Phase::OnRod && n.z <= 0 && (apogee || s.vz <= 0)) {
            const double at = s.z <= 0 ? 0.0 : Locate(s, t, h, [](const State& x) { return x.z; });
            if (at <= cut) {
                cut = at;
                cross = Cross::Landing;
            }
        }
        if (cross != Cross::None) {
            n = Advance(s, t, cut);
            hitsBreak = hitsBreak && cut == h;
            h = cut;
        }
        s = n;
        t = hitsBreak ? next : t + h;
        Record(s, t);

        // Burnt out on the rod and not moving up it: the rocket can never leave the rod. Its
        // place on the rod does not matter: one lifted a little by the thrust peak rests where
        // the thrust left it, and waiting for it to reach the pad again took the whole time
        // limit.
        if (phase_ == Phase::OnRod && cross != Cross::Rod && t > burnout &&
            s.vx * rodX_ + s.vz * rodZ_ <= 0) {
            result_.outcome = FlightOutcome::Invalid;
            result_.message = "the motors never lift the rocket off the pad";
            break;
        }
        if (!burntOut && t >= burnout) {
            burntOut = true;
            AddEvent(FlightEventKind::Burnout, s, t);
        }
        if (cross == Cross::Rod && !clearRod())
            break;
        if (cross == Cross::Apogee) {
            apogee = true;
            AddEvent(FlightEventKind::Apogee, s, t);
            if (phase_ == Phase::Free)
                phase_ = Phase::PointMass;
            if (stopAtApogee_) {
                result_.outcome = FlightOutcome::Landed;
                break;
            }
            if (!std::isfinite(ejection))
                deploy(); // without an ejection charge the recovery opens at apogee
        }
        if (!ejected && std::isfinite(ejection) && t >= ejection) {
            ejected = true;
            AddEvent(FlightEventKind::Ejection, s, t);
            deploy();
        }
        if (cross == Cross::Landing) {
            AddEvent(FlightEventKind::Landing, s, t);
            result_.outcome = FlightOutcome::Landed;
            break;
        }
        if (phase_ == Phase::Free && !apogee && result_.samples.back().angleOfAttack > TumbleAngle &&
            std::hypot(s.vx - launch.windSpeed, s.vz) > TumbleSpeed) {
            result_.outcome = FlightOutcome::Tumbled;
            result_.message = "the rocket turned broadside to the air and tumbled";
            break;
        }
    }
    return std::move(result_);
}

} // namespace

double RecoverySettings::dragArea() const {
    switch (kind) {
    case Kind::None:
        return 0;
    case Kind::Parachute:
        return Finite(diameter) && Finite(cd) ? std::max(0.0, cd * Pi * diameter * diameter / 4) : 0;
    case Kind::Streamer:
        return Finite(length) && Finite(width) && Finite(cd) ? std::max(0.0, cd * length * width) : 0;
    }
    return 0;
}

const FlightEvent* FlightResult::event(FlightEventKind kind) const {
    for (const FlightEvent& e : events)
        if (e.kind == kind)
            return &e;
    return nullptr;
}

double MotorMassAt(const Motor& motor, double time) {
    LoadedMotor loaded{motor, {}, 0};
    return MotorMass(Tabulate(loaded), time);
}

double BurnTime(const Motor& motor) {
    return motor.curve.empty() ? 0.0 : motor.curve.back().time;
}

FlightResult Simulate(const FlightInputs& inputs) {
    FlightResult result = Flight(inputs, false).run();
    const FlightEvent* apogee = result.event(FlightEventKind::Apogee);
    const FlightEvent* ejection = result.event(FlightEventKind::Ejection);
    if (apogee && (!ejection || ejection->time >= apogee->time)) {
        result.coastApogeeTime = apogee->time;
    } else if (ejection) {
        // The charge fired on the way up: the apogee the delay should have waited for is
        // the one of the flight without it.
        FlightInputs coast = inputs;
        for (LoadedMotor& m : coast.motors)
            m.delay.reset();
        coast.recovery.kind = RecoverySettings::Kind::None;
        const FlightResult shadow = Flight(coast, true).run();
        if (const FlightEvent* top = shadow.event(FlightEventKind::Apogee))
            result.coastApogeeTime = top->time;
    }
    return result;
}

} // namespace vantor
