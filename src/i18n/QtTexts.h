#pragma once

#include "i18n/LanguageChoice.h"

#include <QTranslator>
#include <memory>

namespace vantor {

// Qt's own texts (the Yes/No/Cancel of message boxes, the file and print dialogs) in the
// program's language, from Qt's translations installed with the system; installed on the
// application while the returned translator lives. Null for English, which Qt speaks
// already, and where the system has no translation.
std::unique_ptr<QTranslator> InstallQtTexts(Language language);

} // namespace vantor
