// Feeds arbitrary bytes to the RockSim reader and the mapping behind it, with the checks
// of ForeignFuzzing.h.
#include "ForeignFuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return FuzzForeignDesign(data, size, vantor::ForeignFormat::RockSim);
}
