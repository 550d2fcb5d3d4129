// Flies arbitrary design files: each one read, placed and analysed as the program does,
// every motor component given one small black-powder motor, then flown from the pad to
// landing with the drag estimated from its shape. Besides the sanitizers' checks (and
// libFuzzer's time limit, which a flight that does not stop runs into) it aborts when a
// flight reported as usable has an answer that is not a finite number, or one that is
// refused gives no reason.
#include "aero/Drag.h"
#include "analysis/Stability.h"
#include "designfile/DesignFile.h"
#include "flight/Answers.h"
#include "flight/DesignFlight.h"
#include "model/Design.h"
#include "model/Placing.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

bool Usable(const std::optional<double>& value) {
    return !value || std::isfinite(*value);
}

// An 18 mm motor of about 9 N s, burning for 1.86 s.
vantor::Motor SmallMotor() {
    vantor::Motor motor;
    motor.maker = "Test";
    motor.designation = "C6";
    motor.diameter = 18;
    motor.length = 70;
    motor.delays = {5};
    motor.propellantMass = 10.8;
    motor.loadedMass = 23.1;
    motor.curve = {{0, 0, -1}, {0.19, 14.1, -1}, {0.3, 5.5, -1}, {1.8, 4.4, -1}, {1.86, 0, -1}};
    return motor;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vantor::Design design;
    if (!vantor::DecodeDesign({data, size}, design).ok)
        return 0;
    vantor::PlaceDesign(design);
    const vantor::StabilityAnalysis analysis = vantor::AnalyseStability(design);
    const std::vector<vantor::MotorMount> mounts = vantor::MotorMounts(design, analysis);
    const std::vector<std::optional<vantor::ChosenMotor>> chosen(
        mounts.size(), vantor::ChosenMotor{SmallMotor(), 5.0});
    vantor::LaunchSettings site;
    const vantor::DesignFlight flight =
        vantor::BuildDesignFlight(design, analysis, chosen, {},
                                  vantor::DragCurve(vantor::EstimateDrag(
                                      design, analysis, vantor::SiteDragConditions(site))));
    if (!flight.error.empty())
        return 0;
    const vantor::FlightResult result = vantor::Simulate(flight.inputs);
    const vantor::FlightAnswers answers = vantor::Answer(flight.inputs, result, flight.context);
    if (!answers.valid) {
        Check(!answers.message.empty());
        return 0;
    }
    Check(std::isfinite(answers.launchMass) && std::isfinite(answers.maxVelocity) &&
          std::isfinite(answers.maxMach) && std::isfinite(answers.maxAcceleration));
    for (const auto* value : {&answers.apogee, &answers.timeToApogee, &answers.rodExitVelocity,
                              &answers.burnoutTime, &answers.optimumDelay, &answers.flightTime,
                              &answers.landingVelocity, &answers.liftoffCalibers})
        Check(Usable(*value));
    return 0;
}
