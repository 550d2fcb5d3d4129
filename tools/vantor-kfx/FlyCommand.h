#pragma once

#include "MotorCommands.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace vantor::kfx {

struct FlyOptions {
    std::string file;
    std::string motor;     // "Maker Designation-Delay"; empty: the design's own motors
    std::string motorFile; // a thrust-curve file flown as it is
    std::optional<double> delay; // with motorFile
    MotorFolders folders;
    double rodLength = 1.0;
    double rodAngle = 0;
    double wind = 0;
    double altitude = 0;
    std::optional<double> temperature;
    std::optional<double> cd;
    std::optional<double> parachute; // diameter in m
    bool json = false;
    std::string csv;
};

// Reads the arguments of "fly" (args[0] is the command). False with `error` set when they
// are wrong.
bool ParseFlyOptions(const std::vector<std::string>& args, FlyOptions& options, std::string& error);

// Flies the design and prints the answers (a table, or one JSON object with `json`); writes
// the trajectory as CSV where asked. FileFailure when the design or a motor file cannot be
// read or no motor is chosen; SummaryFailure when the flight could not be completed (it
// tumbled, hit a limit, or its inputs cannot fly), with the reason on `err`.
int RunFly(const FlyOptions& options, std::ostream& out, std::ostream& err);

} // namespace vantor::kfx
