// Feeds arbitrary bytes to the language-library check as the whole of a module file.
#include "i18n/ModuleFile.h"

#include <algorithm>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::size_t prefix = std::min(size, vantor::ModuleCheckPrefix);
    (void)vantor::CheckElfModule({data, prefix}, size);
    // The same start of a file claimed to be longer or shorter than it is.
    (void)vantor::CheckElfModule({data, prefix}, std::uint64_t(size) * 2 + 1);
    (void)vantor::CheckElfModule({data, prefix}, size / 2);
    return 0;
}
