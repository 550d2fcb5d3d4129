#include "i18n/QtTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace vantor {

std::unique_ptr<QTranslator> InstallQtTexts(Language language) {
    if (language != Language::Polish)
        return nullptr;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_pl"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return nullptr;
    QCoreApplication::installTranslator(translator.get());
    return translator;
}

} // namespace vantor
