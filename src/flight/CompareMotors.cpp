#include "flight/CompareMotors.h"

#include "aero/Drag.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <cmath>

namespace vantor {

bool MotorFits(const Motor& motor, const std::vector<MotorMount>& mounts, double tolerance) {
    if (mounts.empty() || !(motor.diameter > 0))
        return false;
    return std::all_of(mounts.begin(), mounts.end(),
                       [&](const MotorMount& m) { return motor.diameter <= m.diameter + tolerance; });
}

std::vector<ComparisonRow> CompareMotors(const Design& design, const StabilityAnalysis& analysis,
                                         const MotorLibrary& library, const ComparisonSettings& settings,
                                         const std::function<bool(std::size_t, std::size_t)>& progress) {
    std::vector<ComparisonRow> rows;
    const std::vector<MotorMount> mounts = MotorMounts(design, analysis);
    std::vector<const Motor*> fitting;
    for (const Motor& motor : library.motors)
        if (MotorFits(motor, mounts, settings.diameterTolerance))
            fitting.push_back(&motor);

    // One flight set up once; each motor only replaces the motors in it.
    std::vector<std::optional<ChosenMotor>> chosen(mounts.size(), ChosenMotor{});
    DesignFlight base = BuildDesignFlight(design, analysis, chosen, settings.drag, DragCurve(settings.estimate));
    base.inputs.launch = settings.launch;
    base.inputs.recovery = settings.recovery;
    FlightContext context = base.context;
    context.warnings.clear(); // the placeholder motors' warnings do not belong to any row

    // The motors are flown on several threads; each flight is independent of the others.
    // The calling thread flies too and is the only one that reports progress.
    const std::size_t n = fitting.size();
    std::vector<std::vector<ComparisonRow>> perMotor(n);
    std::vector<char> finished(n, 0);
    std::atomic<std::size_t> next{0}, done{0};
    std::atomic<bool> stop{false};
    const auto fly = [&](std::size_t i) {
        const Motor& motor = *fitting[i];
        FlightInputs in = base.inputs;
        for (LoadedMotor& loaded : in.motors) {
            loaded.motor = motor;
            loaded.delay.reset();
        }
        const FlightResult result = Simulate(in);
        const FlightAnswers answers = Answer(in, result, context);
        std::vector<std::optional<double>> delays;
        for (double d : motor.delays)
            delays.emplace_back(d);
        if (delays.empty())
            delays.emplace_back(std::nullopt);
        for (const std::optional<double>& delay : delays) {
            ComparisonRow row;
            row.motor = &motor;
            row.delay = delay;
            row.flew = answers.valid;
            row.message = answers.message;
            row.apogee = answers.apogee.value_or(0);
            row.rodSpeed = answers.rodExitVelocity.value_or(0);
            row.maxVelocity = answers.maxVelocity;
            row.optimumDelay = answers.optimumDelay.value_or(0);
            row.warnings = answers.warnings;
            if (delay && answers.burnoutTime && result.coastApogeeTime) {
                const double ejection = *answers.burnoutTime + *delay;
                if (ejection < *result.coastApogeeTime - EjectionTolerance)
                    row.warnings.push_back("ejection_early");
                if (ejection > *result.coastApogeeTime + EjectionTolerance)
                    row.warnings.push_back("ejection_late");
            }
            perMotor[i].push_back(std::move(row));
        }
        finished[i] = 1;
    };
    const auto work = [&]() {
        for (std::size_t i; !stop && (i = next.fetch_add(1)) < n;) {
            fly(i);
            done.fetch_add(1);
        }
    };
    const unsigned cores = settings.threads > 0 ? settings.threads : std::min(8u, std::thread::hardware_concurrency());
    const std::size_t threads = std::min<std::size_t>(std::max(1u, cores), std::max<std::size_t>(n, 1));
    std::vector<std::thread> helpers;
    if (!progress || progress(0, n)) {
        for (std::size_t t = 1; t < threads; ++t)
            helpers.emplace_back(work);
        for (std::size_t i; !stop && (i = next.fetch_add(1)) < n;) {
            fly(i);
            done.fetch_add(1);
            if (progress && !progress(done.load(), n))
                stop = true;
        }
        for (std::thread& t : helpers)
            t.join();
        if (progress && !stop)
            progress(n, n);
    }
    for (std::size_t i = 0; i < n; ++i)
        if (finished[i])
            for (ComparisonRow& row : perMotor[i])
                rows.push_back(std::move(row));
    return rows;
}

} // namespace vantor
