// One language library: the string table of StringTable.inc with the column of the language
// this module is built for, behind the one exported lookup function.

#include "i18n/LanguageModuleAbi.h"

#include <algorithm>
#include <iterator>

#if defined(_WIN32)
#define VANTOR_EXPORT __declspec(dllexport)
#else
#define VANTOR_EXPORT __attribute__((visibility("default")))
#endif

namespace {

struct Entry {
    int id;
    const char* text;
};

#if defined(VANTOR_POLISH_LIBRARY)
#define VANTOR_STRING(id, polish, english) {id, polish},
#elif defined(VANTOR_ENGLISH_LIBRARY)
#define VANTOR_STRING(id, polish, english) {id, english},
#else
#error "Build the module with VANTOR_POLISH_LIBRARY or VANTOR_ENGLISH_LIBRARY defined"
#endif

constexpr Entry Table[] = {
    {1, vantor::LanguageMarker},
#include "i18n/StringTable.inc"
};
#undef VANTOR_STRING

constexpr bool StrictlyAscending() {
    for (std::size_t i = 1; i < std::size(Table); ++i)
        if (Table[i - 1].id >= Table[i].id)
            return false;
    return true;
}
static_assert(StrictlyAscending(), "binary search needs ascending identifiers");

} // namespace

extern "C" VANTOR_EXPORT const char* VantorLanguageString(int id) {
    const auto entry = std::lower_bound(std::begin(Table), std::end(Table), id,
                                        [](const Entry& e, int key) { return e.id < key; });
    return entry != std::end(Table) && entry->id == id ? entry->text : nullptr;
}
