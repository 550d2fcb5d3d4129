#include "i18n/DefaultTexts.h"

#include <algorithm>
#include <iterator>

namespace vantor {
namespace {

struct DefaultRow {
    int id;
    std::string_view text;
};

constexpr DefaultRow Rows[] = {
#define VANTOR_STRING(id, polish, english) {id, polish},
#include "i18n/StringTable.inc"
#undef VANTOR_STRING
};

constexpr bool StrictlyAscending() {
    for (std::size_t i = 1; i < std::size(Rows); ++i)
        if (Rows[i - 1].id >= Rows[i].id)
            return false;
    return true;
}
static_assert(StrictlyAscending(),
              "the string table must be in strictly ascending identifier order");

} // namespace

std::string_view DefaultText(int id) {
    const auto row = std::lower_bound(std::begin(Rows), std::end(Rows), id,
                                      [](const DefaultRow& r, int key) { return r.id < key; });
    return row != std::end(Rows) && row->id == id ? row->text : std::string_view();
}

std::string TaggedText(int id) {
    return std::string(DefaultText(id)) + '@' + std::to_string(id);
}

} // namespace vantor
