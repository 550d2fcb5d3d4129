#include "i18n/LanguageSession.h"

#include "i18n/FormTranslator.h"
#include "i18n/LanguageChoice.h"
#include "interaction/Interaction.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>

namespace vantor {

LanguageSession::LanguageSession(Interaction& interaction)
    : LanguageSession(interaction, QCoreApplication::applicationDirPath()) {}

LanguageSession::LanguageSession(Interaction& interaction, QString programDirectory)
    : interaction_(interaction), programDirectory_(std::move(programDirectory)) {}

const LanguageLibrary* LanguageSession::chosenLibrary() {
    const QString path = LanguageLibraryPath(programDirectory_, ReadLanguageChoice());
    if (const auto known = accepted_.find(path); known != accepted_.end())
        return known->second.get();
    auto library = std::make_unique<LanguageLibrary>(path);
    if (!library->isUsable())
        return nullptr;
    return accepted_.emplace(path, std::move(library)).first->second.get();
}

void LanguageSession::reportFailure() {
    if (!failureShown_) {
        failureShown_ = true;
        interaction_.showMessage(nullptr, QString::fromLatin1(LoadFailureMessage),
                                 QGuiApplication::applicationDisplayName(),
                                 Interaction::Icon::None);
    }
    terminationRequested_ = true;
    if (auto* application = QCoreApplication::instance())
        QMetaObject::invokeMethod(
            application, [] { QCoreApplication::exit(1); }, Qt::QueuedConnection);
}

bool LanguageSession::translateForm(QWidget& form) {
    const LanguageLibrary* library = chosenLibrary();
    if (!library) {
        reportFailure();
        return false;
    }
    TranslateComponents(form, [library](int id) { return library->string(id); });
    return true;
}

} // namespace vantor
