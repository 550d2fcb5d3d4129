#pragma once

#include "motors/MotorLibrary.h"

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

namespace vantor::kfx {

// The folders of motor files every command that needs motors reads: the program's own
// data/motors, the user's folder, then each `--motors DIR` given.
struct MotorFolders {
    std::vector<std::string> added;
};

// Takes "--motors DIR" at args[i], moving i past DIR. True when args[i] was the option;
// `error` is set when DIR is missing.
bool TakeMotorsOption(const std::vector<std::string>& args, std::size_t& i, MotorFolders& folders,
                      std::string& error);

// Reads the library from the standard folders and the added ones. Each skipped file is
// named on `err` with its line and fault.
MotorLibrary LoadMotorsFor(const MotorFolders& folders, std::ostream& err);

// Lists the library's motors that hold every word of `search`: a table, or with `json`
// {"motors": [...]} with one object per motor.
int RunMotors(const MotorFolders& folders, const std::string& search, bool json, std::ostream& out,
              std::ostream& err);

} // namespace vantor::kfx
