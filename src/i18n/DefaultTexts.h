#pragma once

#include <string>
#include <string_view>

namespace vantor {

// The default (Polish) text a form stores in front of "@id" on a translated property,
// from the language libraries' own table; empty for an identifier the table lacks.
std::string_view DefaultText(int id);

// The whole stored form text, "default@id" ("&Nowy projekt@1616"), so that a form can put
// exactly what the Polish library will give back on its widgets.
std::string TaggedText(int id);

} // namespace vantor
