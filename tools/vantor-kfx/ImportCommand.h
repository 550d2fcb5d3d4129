#pragma once

#include "MotorCommands.h"
#include "designfile/DesignFile.h"

#include <ostream>
#include <string>

namespace vantor {
class Design;
}

namespace vantor::kfx {

// Reads a design file into `design`: a .kfx as the program saves it, an OpenRocket .ork or
// RockSim .rkt through the importer, its motors looked up in the library of the standard
// folders and `folders`. On failure writes the file name and the cause to `err` and
// returns false.
bool LoadAnyDesign(const std::string& file, Design& design, LoadResult& result, std::ostream& err,
                   const MotorFolders& folders = {});

// Imports IN (.ork or .rkt), saves it as OUT (.kfx) and, with `report`, prints what was
// approximated or left out and the source's stored figures beside the imported ones.
// Motors are looked up in the library of the standard folders and `folders`.
int RunImport(const std::string& input, const std::string& output, bool report,
              const MotorFolders& folders, std::ostream& out, std::ostream& err);

} // namespace vantor::kfx
