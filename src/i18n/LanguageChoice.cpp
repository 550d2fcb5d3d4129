#include "i18n/LanguageChoice.h"

#include "shell/SettingsStore.h"

#include <QDir>
#include <QSettings>

namespace vantor {

Language ReadLanguageChoice() {
    if (SettingsStoreRefusal())
        return Language::Polish; // as when the value cannot be read
    const QSettings settings(QStringLiteral("Qendel"), QStringLiteral("CAD"));
    const QVariant value = settings.value(QStringLiteral("Pol"));
    if (!value.isValid())
        return Language::Polish;
    bool isNumber = false;
    const int number = value.toInt(&isNumber);
    if (isNumber)
        return number != 0 ? Language::Polish : Language::English;
    const QString word = value.toString().trimmed().toLower();
    if (word == QLatin1String("false"))
        return Language::English;
    return Language::Polish;
}

QString LanguageLibraryPath(const QString& programDirectory, Language language) {
    QString directory = QDir::fromNativeSeparators(programDirectory);
    while (directory.size() > 1 && directory.endsWith(QLatin1Char('/')))
        directory.chop(1);
    return directory + (language == Language::Polish ? QLatin1String("/Dll/Pol_Library.dll")
                                                     : QLatin1String("/Dll/Eng_Library.dll"));
}

} // namespace vantor
