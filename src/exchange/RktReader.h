#pragma once

#include "exchange/ImportedRocket.h"

#include <string_view>

namespace vantor {

// Reads a RockSim design document (file versions 3 and 4): the sustainer stage's parts at
// their stations from the nose tip, with the masses and centres of gravity RockSim
// computed (or the known ones where the design sets them). Throws ImportError.
ImportedRocket ReadRktDocument(std::string_view xml);

} // namespace vantor
