// The speed of the flight answers: one flight of a 20-component rocket from the pad to
// landing under its parachute, and the comparison of 200 motors on one design.

#include "BenchMain.h"
#include "SampleRocket.h"
#include "aero/Drag.h"
#include "analysis/Stability.h"
#include "flight/CompareMotors.h"
#include "flight/DesignFlight.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vantor;

// An 18 mm black-powder motor with a curve of 25 points, thrust scaled by `scale`.
Motor SampleMotor(double scale, int index) {
    Motor m;
    m.maker = "Bench";
    m.designation = "C" + std::to_string(index);
    m.file = "bench-" + std::to_string(index) + ".eng";
    m.diameter = 18;
    m.length = 70;
    m.delays = {3, 5, 7};
    m.propellantMass = 10.8;
    m.loadedMass = 24;
    m.curve.push_back({0, 0});
    for (int i = 1; i < 24; ++i) {
        const double t = 0.08 * i;
        const double thrust = i < 4 ? 14.0 * i / 3 : 4.5 + 2.0 / i;
        m.curve.push_back({t, scale * thrust});
    }
    m.curve.push_back({1.92, 0});
    DeriveMassColumn(m);
    return m;
}

struct Fixture {
    Design design;
    StabilityAnalysis analysis;
    std::vector<std::pair<double, double>> drag;
    Fixture() {
        bench::BuildRocket(design, 20);
        // The sample carries a motor on every tube; nose weight makes it fly stable, as a
        // flyer would trim it, so that the flight runs to landing.
        analysis = AnalyseStability(design);
        for (int i = 0; i < 100 && analysis.calibers.value_or(0) < 2.5; ++i) {
            design.Elements[0]->Weight += 20;
            analysis = AnalyseStability(design);
        }
        drag = EstimateDrag(design, analysis, {});
    }
};

void BM_OneFlight(benchmark::State& run) {
    Fixture f;
    const std::vector<MotorMount> mounts = MotorMounts(f.design, f.analysis);
    std::vector<std::optional<ChosenMotor>> chosen(mounts.size(), ChosenMotor{SampleMotor(1.0, 0), 5.0});
    DesignFlight flight = BuildDesignFlight(f.design, f.analysis, chosen, {}, DragCurve(f.drag));
    flight.inputs.recovery.kind = RecoverySettings::Kind::Parachute;
    flight.inputs.launch.windSpeed = 3;
    std::size_t steps = 0;
    for (auto _ : run) {
        const FlightResult result = Simulate(flight.inputs);
        benchmark::DoNotOptimize(result.samples.data());
        if (result.outcome != FlightOutcome::Landed)
            run.SkipWithError(result.message.c_str());
        steps = result.samples.size();
    }
    run.counters["motors"] = double(mounts.size());
    run.counters["steps"] = double(steps);
}
BENCHMARK(BM_OneFlight)->Unit(benchmark::kMillisecond);

void BM_CompareMotors(benchmark::State& run) {
    Fixture f;
    MotorLibrary library;
    for (int i = 0; i < 200; ++i)
        library.motors.push_back(SampleMotor(0.8 + 0.004 * i, i));
    ComparisonSettings settings;
    settings.estimate = f.drag;
    settings.recovery.kind = RecoverySettings::Kind::Parachute;
    for (auto _ : run) {
        const std::vector<ComparisonRow> rows = CompareMotors(f.design, f.analysis, library, settings);
        benchmark::DoNotOptimize(rows.data());
        if (rows.size() != 600)
            run.SkipWithError("not every motor was compared");
    }
}
BENCHMARK(BM_CompareMotors)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return vantor::bench::RunBenchmarks(argc, argv);
}
