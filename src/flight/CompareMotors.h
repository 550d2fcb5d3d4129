#pragma once

#include "flight/Answers.h"
#include "flight/DesignFlight.h"
#include "motors/MotorLibrary.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vantor {

// One row of a comparison: a motor with one of its delays (none for a plugged motor),
// flown in every motor component of the design.
struct ComparisonRow {
    const Motor* motor = nullptr;
    std::optional<double> delay;
    bool flew = false;       // the flight ran to landing
    std::string message;     // why it did not
    double apogee = 0;       // m
    double rodSpeed = 0;     // m/s
    double maxVelocity = 0;  // m/s
    double optimumDelay = 0; // s
    std::vector<std::string> warnings;
};

struct ComparisonSettings {
    LaunchSettings launch;
    RecoverySettings recovery;
    DragChoice drag;
    std::vector<std::pair<double, double>> estimate; // Cd(Mach) from the shape
    // Clearance a motor may exceed the tube's inner diameter by, mm.
    double diameterTolerance = 0.05;
    // Threads that fly; 0 for one a core (at most 8).
    unsigned threads = 0;
};

// Whether a motor goes into the design's motor components: as wide as the narrowest at most.
bool MotorFits(const Motor& motor, const std::vector<MotorMount>& mounts, double tolerance);

// Flies every motor of the library that fits the design, once each with the recovery
// opening at apogee, and makes one row per delay it has: the delay changes nothing before
// the ejection, so the rows of one motor share its flight. Rows come in library order.
// The flights run on the machine's cores; `progress` is called on the calling thread only,
// with how many motors are done out of how many; when it returns false no further flight
// starts, and the rows of the motors flown by then are returned. An empty list when the
// design has no motor component.
std::vector<ComparisonRow> CompareMotors(const Design& design, const StabilityAnalysis& analysis,
                                         const MotorLibrary& library, const ComparisonSettings& settings,
                                         const std::function<bool(std::size_t, std::size_t)>& progress = {});

} // namespace vantor
