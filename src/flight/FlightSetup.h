#pragma once

#include "flight/DesignFlight.h"
#include "motors/MotorLibrary.h"

#include <optional>
#include <string>
#include <vector>

namespace vantor {

// A motor found in the library by the name a user wrote, with what to tell about it.
struct MotorByName {
    ChosenMotor chosen;
    std::string caption; // "Estes C6-5", as flown
    std::string file;    // the thrust-curve file flown
    std::string note;    // set when no curve of that name lists the delay asked for
};

// The curve a caption names (PickMotor's rule); none when the caption is not a motor name
// or the library holds no such motor.
std::optional<MotorByName> MotorNamed(const MotorLibrary& library, const std::string& caption);

// The motors the design's motor components name in their captions, one entry per mount
// (empty where the caption names no library motor), and what flies.
struct MountMotors {
    std::vector<std::optional<ChosenMotor>> chosen;
    std::vector<std::string> captions; // of the motors that fly, in mount order
    std::vector<std::string> files;
    std::vector<std::string> notes;
};
MountMotors MotorsOfMounts(const MotorLibrary& library, const std::vector<MotorMount>& mounts);

// A flight of a placed design from start to answers: the design's motors as `chosen`
// (see BuildDesignFlight), drag as `drag` or else the estimate from the shape in the air of
// the launch site, and the launch and recovery settings.
struct DesignFlightRun {
    std::string error; // why the design cannot be flown; nothing else is set then
    DesignFlight flight;
    FlightResult result;
    FlightAnswers answers;
};
DesignFlightRun FlyDesign(const Design& design, const StabilityAnalysis& analysis,
                          const std::vector<std::optional<ChosenMotor>>& chosen,
                          const DragChoice& drag, const LaunchSettings& launch,
                          const RecoverySettings& recovery);

// The trajectory as CSV text: a header row, then one row per recorded step (time, position,
// velocity, acceleration, thrust, mass in grams, Mach, Cd, angle of attack in degrees).
std::string TrajectoryCsv(const FlightResult& result);

} // namespace vantor
