#pragma once

#include "i18n/LanguageChoice.h"

#include <QString>
#include <QUrl>

namespace vantor {

// The program's manual: HTML pages in one folder per language ("pl", "en") with their
// pictures in "images", beside the program in the build folder ("<program>/help") and in
// the data folder once installed.

// The manual's folder for a program in `programDirectory`: "help" beside the program,
// else the installed folder reached from the program's own folder; empty when neither
// holds the manual.
QString FindManualFolder(const QString& programDirectory);

// The folder of a language inside the manual: "pl" or "en".
QString ManualLanguageFolder(Language language);

// The address of a page of the manual in a language ("index.html", the contents, unless
// told); empty when `manualFolder` is.
QUrl ManualPage(const QString& manualFolder, Language language,
                const QString& page = QStringLiteral("index.html"));

} // namespace vantor
