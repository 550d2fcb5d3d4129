// Feeds arbitrary bytes to the motor file readers. Besides the sanitizers' checks it
// aborts when a file is both accepted and faulted, when an accepted motor breaks what
// the rest of the program relies on (a curve from ignition, in time order, ending at
// zero thrust, within the point limit), or when its figures are not finite.
#include "motors/MotorFigures.h"
#include "motors/MotorFiles.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const vantor::MotorFileResult result = vantor::ReadMotorText(text, "fuzz");
    Check(result.motors.empty() != result.errors.empty());
    for (const vantor::MotorFileError& error : result.errors)
        Check(error.line >= 0 && !error.message.empty());
    for (const vantor::Motor& motor : result.motors) {
        Check(motor.curve.size() >= 2 && motor.curve.size() <= vantor::MaxCurvePoints + 1);
        Check(motor.curve.front().time == 0 && motor.curve.back().thrust == 0);
        for (std::size_t i = 1; i < motor.curve.size(); ++i)
            Check(motor.curve[i].time >= motor.curve[i - 1].time);
        const vantor::MotorFigures figures = vantor::FiguresOf(motor);
        Check(std::isfinite(figures.totalImpulse) && figures.totalImpulse > 0);
        Check(std::isfinite(figures.averageThrust) && std::isfinite(figures.peakThrust));
        const double middle = figures.burnTime / 2;
        Check(std::isfinite(vantor::MassAt(motor, middle)));
        Check(std::isfinite(vantor::ThrustAt(motor, middle)));
    }
    return 0;
}
