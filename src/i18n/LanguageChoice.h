#pragma once

#include <QString>

namespace vantor {

enum class Language { Polish, English };

// The language the captions are translated into: the value "Pol" of the program's
// settings (QSettings("Qendel", "CAD"), native format). A stored integer selects Polish
// unless it is 0; the words "true" and "false" are read as well, for a value written as
// a boolean. A missing value, or one that is neither, selects Polish.
Language ReadLanguageChoice();

// The library file of a language below the program directory:
// "<directory>/Dll/Pol_Library.dll" or "<directory>/Dll/Eng_Library.dll".
QString LanguageLibraryPath(const QString& programDirectory, Language language);

} // namespace vantor
