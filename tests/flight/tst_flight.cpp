// The atmosphere, the integrator against closed forms, the events and the answers.
#include "flight/Answers.h"
#include "flight/Atmosphere.h"
#include "flight/Simulation.h"

#include <QtTest>

#include <cmath>

using namespace vantor;

namespace {

Motor ConstantMotor(double thrust, double burn, double loadedG, double propellantG) {
    Motor m;
    m.maker = "Test";
    m.designation = "K1";
    m.diameter = 18;
    m.length = 70;
    m.loadedMass = loadedG;
    m.propellantMass = propellantG;
    m.curve = {{0, thrust, -1}, {burn, thrust, -1}, {burn + 1e-6, 0, -1}};
    return m;
}

// A C-class curve with a spike, as small black-powder motors have.
Motor SpikeMotor() {
    Motor m;
    m.maker = "Test";
    m.designation = "C6";
    m.diameter = 18;
    m.length = 70;
    m.loadedMass = 24;
    m.propellantMass = 12;
    m.delays = {5};
    m.curve = {{0, 0}, {0.05, 4}, {0.2, 14}, {0.3, 6}, {1.0, 4.5}, {1.8, 4.5}, {1.9, 0}};
    return m;
}

// A small stable rocket: 60 g, 40 cm, CG 22 cm behind the tip, CP 30 cm, 25 mm body.
FlightInputs SmallRocket(double cd = 0.5) {
    FlightInputs in;
    Airframe& a = in.airframe;
    a.dryMass = 0.060;
    a.dryCg = 0.22;
    a.dryInertia = 0.060 * 0.4 * 0.4 / 12;
    a.referenceDiameter = 0.025;
    a.referenceArea = 3.141592653589793 * 0.025 * 0.025 / 4;
    a.stations = {{2.0, 0.07}, {8.0, 0.36}};
    a.dragCoefficient = [cd](double) { return cd; };
    in.motors = {{SpikeMotor(), 5.0, 0.36}};
    in.launch.rodLength = 1.0;
    in.recovery.kind = RecoverySettings::Kind::Parachute;
    in.recovery.diameter = 0.3;
    in.recovery.cd = 0.8;
    return in;
}

double Apogee(const FlightResult& r) {
    const FlightEvent* e = r.event(FlightEventKind::Apogee);
    return e ? e->altitude : std::nan("");
}

} // namespace

class TestFlight : public QObject {
    Q_OBJECT
private slots:
    void atmosphereFollowsTheStandardTable_data() {
        QTest::addColumn<double>("altitude");
        QTest::addColumn<double>("temperature");
        QTest::addColumn<double>("pressure");
        QTest::addColumn<double>("density");
        QTest::addColumn<double>("sound");
        // Standard atmosphere table at geometric heights.
        QTest::newRow("sea level") << 0.0 << 288.150 << 101325.0 << 1.2250 << 340.29;
        QTest::newRow("1000 m") << 1000.0 << 281.651 << 89876.0 << 1.1117 << 336.43;
        QTest::newRow("5000 m") << 5000.0 << 255.676 << 54048.0 << 0.73643 << 320.55;
        QTest::newRow("11000 m") << 11000.0 << 216.774 << 22700.0 << 0.36480 << 295.15;
    }
    void atmosphereFollowsTheStandardTable() {
        QFETCH(double, altitude);
        QFETCH(double, temperature);
        QFETCH(double, pressure);
        QFETCH(double, density);
        QFETCH(double, sound);
        const AirState air = StandardAtmosphere(altitude);
        QVERIFY(std::abs(air.temperature - temperature) < 0.01);
        QVERIFY2(std::abs(air.pressure / pressure - 1) < 2e-4, qPrintable(QString::number(air.pressure)));
        QVERIFY2(std::abs(air.density / density - 1) < 2e-4, qPrintable(QString::number(air.density)));
        QVERIFY(std::abs(air.speedOfSound - sound) < 0.02);
        // The site's altitude and a warmer day shift the air the flight meets.
        const AirState above = Atmosphere::Standard(altitude).at(0);
        QCOMPARE(above.pressure, air.pressure);
        QVERIFY(Atmosphere::Standard(altitude, 10).at(0).density < air.density);
    }

    void vacuumFlightMatchesTheClosedForm_data() {
        QTest::addColumn<double>("thrust");
        QTest::addColumn<double>("burn");
        QTest::addColumn<double>("massG");
        QTest::newRow("light, short") << 10.0 << 1.0 << 100.0;
        QTest::newRow("heavy, long") << 60.0 << 2.5 << 1500.0;
        QTest::newRow("odd burn time") << 25.0 << 0.737 << 300.0;
    }
    void vacuumFlightMatchesTheClosedForm() {
        QFETCH(double, thrust);
        QFETCH(double, burn);
        QFETCH(double, massG);
        FlightInputs in;
        in.airframe.dryMass = 0; // all the mass is the motor's, none of it burns
        in.motors = {{ConstantMotor(thrust, burn, massG, 0), {}, 0}};
        in.launch.rodLength = 0.5;
        const FlightResult r = Simulate(in);
        QCOMPARE(int(r.outcome), int(FlightOutcome::Landed));
        const double m = massG / 1000, a = thrust / m - StandardGravity;
        const double vb = a * burn, hb = 0.5 * a * burn * burn;
        const double apogee = hb + vb * vb / (2 * StandardGravity);
        QVERIFY2(std::abs(Apogee(r) / apogee - 1) < 1e-3, qPrintable(QString::number(Apogee(r))));
        const FlightEvent* rod = r.event(FlightEventKind::RodClearance);
        QVERIFY(rod);
        QVERIFY(std::abs(rod->speed - std::sqrt(2 * a * 0.5)) < 1e-6);
        // The curve's last microsecond of tail-off adds its small impulse.
        QVERIFY(std::abs(r.event(FlightEventKind::Apogee)->time / (burn + vb / StandardGravity) - 1) < 1e-5);
        // Falls back from apogee: lands at the speed of the fall.
        const FlightEvent* landing = r.event(FlightEventKind::Landing);
        QVERIFY(landing);
        QVERIFY(std::abs(landing->speed - std::sqrt(2 * StandardGravity * apogee)) < 1e-3 * landing->speed);
    }

    void verticalCoastWithDragMatchesTheClosedForm_data() {
        QTest::addColumn<double>("speed");
        QTest::addColumn<double>("cd");
        QTest::newRow("slow, light drag") << 30.0 << 0.3;
        QTest::newRow("fast") << 150.0 << 0.5;
        QTest::newRow("draggy") << 80.0 << 1.5;
    }
    void verticalCoastWithDragMatchesTheClosedForm() {
        QFETCH(double, speed);
        QFETCH(double, cd);
        FlightInputs in = SmallRocket(cd);
        in.motors.clear();
        in.airframe.stations.clear();
        in.launch.rodLength = 0;
        in.start.speed = speed;
        in.recovery.kind = RecoverySettings::Kind::None;
        in.atmosphere = Atmosphere::Constant(1.2, 1e6); // no Mach effects
        const FlightResult r = Simulate(in);
        QCOMPARE(int(r.outcome), int(FlightOutcome::Landed));
        const double k = 1.2 * cd * in.airframe.referenceArea / (2 * in.airframe.dryMass);
        const double g = StandardGravity;
        const double apogee = std::log1p(k * speed * speed / g) / (2 * k);
        const double time = std::atan(speed * std::sqrt(k / g)) / std::sqrt(g * k);
        QVERIFY2(std::abs(Apogee(r) / apogee - 1) < 1e-3,
                 qPrintable(QString("%1 vs %2").arg(Apogee(r)).arg(apogee)));
        QVERIFY(std::abs(r.event(FlightEventKind::Apogee)->time / time - 1) < 1e-4);
    }

    void apogeeConvergesAsTheStepHalves() {
        double previous = 0, lastChange = 0;
        for (double step : {0.008, 0.004, 0.002, 0.001}) {
            FlightInputs in = SmallRocket();
            in.launch.windSpeed = 4;
            in.limits.step = step;
            const double apogee = Apogee(Simulate(in));
            QVERIFY(std::isfinite(apogee));
            if (previous != 0) {
                const double change = std::abs(apogee - previous);
                if (lastChange != 0)
                    QVERIFY2(change <= lastChange * 0.6 + 1e-9,
                             qPrintable(QString("%1 then %2").arg(lastChange).arg(change)));
                lastChange = change;
            }
            previous = apogee;
        }
        QVERIFY(lastChange / previous < 1e-4);
    }

    void eventsComeInOrderAndTheEjectionOnItsDelay() {
        const FlightInputs in = SmallRocket();
        const FlightResult r = Simulate(in);
        QCOMPARE(int(r.outcome), int(FlightOutcome::Landed));
        const std::vector<FlightEventKind> order{FlightEventKind::Launch, FlightEventKind::RodClearance,
                                                 FlightEventKind::Burnout, FlightEventKind::Ejection,
                                                 FlightEventKind::Deployment, FlightEventKind::Landing};
        double last = -1;
        for (FlightEventKind kind : order) {
            const FlightEvent* e = r.event(kind);
            QVERIFY(e);
            QVERIFY(e->time >= last);
            last = e->time;
        }
        QVERIFY(std::abs(r.event(FlightEventKind::RodClearance)->altitude - 1.0) < 1e-9);
        QCOMPARE(r.event(FlightEventKind::Burnout)->time, 1.9);
        QCOMPARE(r.event(FlightEventKind::Ejection)->time, 1.9 + 5.0);
        QVERIFY(std::abs(r.event(FlightEventKind::Landing)->altitude) < 1e-9);
        QVERIFY(r.event(FlightEventKind::Apogee)->time > r.event(FlightEventKind::Burnout)->time);
        QCOMPARE(r.event(FlightEventKind::Deployment)->time, 1.9 + 5.0);
        QVERIFY(std::abs(r.event(FlightEventKind::Apogee)->speed) < 1e-6);
    }

    void parachuteDescendsAtTerminalSpeedAndDriftsWithTheWind() {
        FlightInputs in = SmallRocket();
        in.launch.windSpeed = 3;
        const FlightResult r = Simulate(in);
        QCOMPARE(int(r.outcome), int(FlightOutcome::Landed));
        const double mass = r.samples.back().mass;
        const double cdA = in.recovery.dragArea() + 0.5 * in.airframe.referenceArea;
        const double terminal = std::sqrt(2 * mass * StandardGravity / (1.225 * cdA));
        const FlightSample& end = r.samples.back();
        QVERIFY2(std::abs(std::abs(end.vz) / terminal - 1) < 0.02,
                 qPrintable(QString("%1 vs %2").arg(end.vz).arg(terminal)));
        QVERIFY(std::abs(end.vx - 3) < 0.05); // drifting with the wind
        const FlightEvent* deploy = r.event(FlightEventKind::Deployment);
        QVERIFY(deploy);
        const double descent = r.event(FlightEventKind::Landing)->time - deploy->time;
        double xAtDeploy = 0;
        for (const FlightSample& s : r.samples)
            if (s.time <= deploy->time)
                xAtDeploy = s.x;
        QVERIFY(end.x - xAtDeploy > 0.9 * 3 * descent);
    }

    void stableRocketTurnsIntoTheWind() {
        FlightInputs calm = SmallRocket();
        FlightInputs windy = SmallRocket();
        windy.launch.windSpeed = 6;
        const FlightResult a = Simulate(calm), b = Simulate(windy);
        QVERIFY(Apogee(b) < Apogee(a));
        // At apogee the rocket has gone upwind (towards -x), its nose turned into the wind.
        const FlightEvent* top = b.event(FlightEventKind::Apogee);
        QVERIFY(top);
        double xAtTop = 0;
        for (const FlightSample& s : b.samples)
            if (s.time <= top->time)
                xAtTop = s.x;
        QVERIFY2(xAtTop < -1, qPrintable(QString::number(xAtTop)));
        // Calm and a vertical rod: straight up.
        for (const FlightSample& s : a.samples)
            if (s.time <= a.event(FlightEventKind::Apogee)->time)
                QVERIFY(std::abs(s.x) < 1e-9);
    }

    void badInputGivesAMessageNotAFlight_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("outcome");
        QTest::newRow("one-point curve") << 0 << int(FlightOutcome::Invalid);
        QTest::newRow("no mass at all") << 1 << int(FlightOutcome::Invalid);
        QTest::newRow("NaN centre of gravity") << 2 << int(FlightOutcome::Invalid);
        QTest::newRow("CP ahead of CG") << 3 << int(FlightOutcome::Tumbled);
        QTest::newRow("NaN thrust") << 4 << int(FlightOutcome::Invalid);
        QTest::newRow("too weak to lift") << 5 << int(FlightOutcome::Invalid);
        QTest::newRow("time limit") << 6 << int(FlightOutcome::TimeLimit);
        QTest::newRow("step limit") << 7 << int(FlightOutcome::StepLimit);
        // The peak (14 N) lifts 0.8 kg a little way up the rod, the sustain (4.5 N) cannot.
        QTest::newRow("lifted by the peak only") << 8 << int(FlightOutcome::Invalid);
    }
    void badInputGivesAMessageNotAFlight() {
        QFETCH(int, fault);
        QFETCH(int, outcome);
        FlightInputs in = SmallRocket();
        switch (fault) {
        case 0: in.motors[0].motor.curve.resize(1); break;
        case 1: in.airframe.dryMass = 0; in.motors.clear(); break;
        case 2: in.airframe.dryCg = std::nan(""); break;
        case 3: in.airframe.stations = {{2.0, 0.07}, {1.0, 0.36}}; in.airframe.dryCg = 0.3; break;
        case 4: in.motors[0].motor.curve[2].thrust = std::nan(""); break;
        case 5: in.airframe.dryMass = 5; break;
        case 6: in.limits.maxTime = 3; break;
        case 7: in.limits.maxSteps = 100; break;
        case 8: in.airframe.dryMass = 0.78; break;
        }
        const FlightResult r = Simulate(in);
        QCOMPARE(int(r.outcome), outcome);
        if (fault == 8) // told at burnout (1.9 s), not after the time limit
            QVERIFY(!r.samples.empty() && r.samples.back().time < 3);
        QVERIFY(!r.message.empty());
        const FlightAnswers answers = Answer(in, r, {});
        QVERIFY(!answers.valid);
        QVERIFY(!answers.warnings.empty());
    }

    void galeIsFlownAndWarnedAbout() {
        FlightInputs in = SmallRocket();
        in.launch.windSpeed = 100;
        const FlightResult r = Simulate(in);
        QVERIFY(r.outcome != FlightOutcome::StepLimit);
        const FlightAnswers a = Answer(in, r, {0.30, 0.025, {}});
        QVERIFY(a.warnings.end() != std::find(a.warnings.begin(), a.warnings.end(), "wind_too_strong"));
    }

    void answersWarnWhatAFlyerMustKnow_data() {
        QTest::addColumn<double>("dryMass");
        QTest::addColumn<double>("rod");
        QTest::addColumn<double>("delay");
        QTest::addColumn<double>("cp");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("absent");
        QTest::newRow("sound flight") << 0.060 << 1.0 << 5.0 << 0.30 << QStringList{}
                                      << QStringList{"rod_speed_low", "margin_low", "ejection_early", "ejection_late"};
        QTest::newRow("short rod") << 0.060 << 0.3 << 5.0 << 0.30 << QStringList{"rod_speed_low"} << QStringList{};
        QTest::newRow("heavy") << 0.200 << 1.0 << 3.0 << 0.30 << QStringList{"thrust_to_weight_low", "rod_speed_low"} << QStringList{};
        QTest::newRow("early charge") << 0.060 << 1.0 << 0.5 << 0.30 << QStringList{"ejection_early"} << QStringList{"ejection_late"};
        QTest::newRow("late charge") << 0.060 << 1.0 << 12.0 << 0.30 << QStringList{"ejection_late"} << QStringList{"ejection_early"};
        QTest::newRow("marginal") << 0.060 << 1.0 << 5.0 << 0.24 << QStringList{"margin_low"} << QStringList{};
    }
    void answersWarnWhatAFlyerMustKnow() {
        QFETCH(double, dryMass);
        QFETCH(double, rod);
        QFETCH(double, delay);
        QFETCH(double, cp);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, absent);
        FlightInputs in = SmallRocket();
        in.airframe.dryMass = dryMass;
        in.launch.rodLength = rod;
        in.motors[0].delay = delay;
        const FlightResult r = Simulate(in);
        const FlightAnswers a = Answer(in, r, {cp, 0.025, {}});
        QVERIFY(a.valid);
        const auto has = [&](const QString& key) {
            return std::find(a.warnings.begin(), a.warnings.end(), key.toStdString()) != a.warnings.end();
        };
        for (const QString& key : expected)
            QVERIFY2(has(key), qPrintable(key));
        for (const QString& key : absent)
            QVERIFY2(!has(key), qPrintable(key));
        QCOMPARE(*a.chosenDelay, delay);
        // The best delay is the coast from burnout to the apogee reached without the charge.
        FlightInputs coast = in;
        coast.motors[0].delay.reset();
        const FlightResult free = Simulate(coast);
        QVERIFY(std::abs(*a.optimumDelay - (free.event(FlightEventKind::Apogee)->time - *a.burnoutTime)) < 1e-6);
        QVERIFY(a.landingVelocity && *a.landingVelocity > 0);
        QVERIFY(a.maxVelocity >= *a.rodExitVelocity);
    }

    void motorMassFollowsTheImpulseOrTheMassColumn() {
        Motor m = ConstantMotor(10, 2, 30, 10);
        QCOMPARE(MotorMassAt(m, 0), 0.030);
        QVERIFY(std::abs(MotorMassAt(m, 1) - 0.025) < 1e-8);
        QVERIFY(std::abs(MotorMassAt(m, 5) - 0.020) < 1e-12);
        m.curve[0].mass = 10; // the file's own column: most burns early
        m.curve[1].mass = 2;
        m.curve[2].mass = 0;
        QVERIFY(std::abs(MotorMassAt(m, 1) - 0.026) < 1e-9);
        QCOMPARE(ThrustAt(SpikeMotor(), 0.1), 4 + (14 - 4) / 0.15 * 0.05);
        QCOMPARE(ThrustAt(SpikeMotor(), 2.0), 0.0);
    }
};

QTEST_APPLESS_MAIN(TestFlight)
#include "tst_flight.moc"
