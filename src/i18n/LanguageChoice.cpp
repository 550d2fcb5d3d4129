#include "i18n/LanguageChoice.h"

#include "settings/SettingsKeys.h"
#include "settings/SettingsStore.h"

#include <QDir>
#include <QSettings>

namespace vantor {

Language ReadLanguageChoice() {
    if (SettingsStoreRefusal())
        return Language::Polish; // as when the value cannot be read
    const auto text = [](std::string_view s) {
        return QString::fromLatin1(s.data(), qsizetype(s.size()));
    };
    const QSettings settings(text(SettingsOrganization), text(SettingsApplication));
    const QVariant value = settings.value(text(Settings::Polish.name));
    const Language byDefault =
        Settings::Polish.defaultValue != 0 ? Language::Polish : Language::English;
    if (!value.isValid())
        return byDefault;
    bool isNumber = false;
    const int number = value.toInt(&isNumber);
    if (isNumber)
        return number != 0 ? Language::Polish : Language::English;
    const QString word = value.toString().trimmed().toLower();
    if (word == QLatin1String("false"))
        return Language::English;
    if (word == QLatin1String("true"))
        return Language::Polish;
    return byDefault;
}

QString LanguageLibraryPath(const QString& programDirectory, Language language) {
    QString directory = QDir::fromNativeSeparators(programDirectory);
    while (directory.size() > 1 && directory.endsWith(QLatin1Char('/')))
        directory.chop(1);
    return directory + (language == Language::Polish ? QLatin1String("/Dll/Pol_Library.dll")
                                                     : QLatin1String("/Dll/Eng_Library.dll"));
}

} // namespace vantor
