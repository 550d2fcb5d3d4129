#pragma once

#include "i18n/DefaultTexts.h"
#include "i18n/FormTranslator.h"
#include "i18n/LanguageSession.h"

#include <QString>
#include <utility>

namespace vantor {

// The translating base of the program's forms, over whichever Qt form class a form needs:
//
//     class TFormOpcje : public TAdvForm<QDialog> {
//         Q_OBJECT
//     public:
//         TFormOpcje(LanguageSession& language, QWidget* parent = nullptr)
//             : TAdvForm(language, parent) { buildWidgets(); TranslateForm(); ... }
//     };
//
// A form stores "default@id" on every translated property (TaggedText gives the exact
// text) and calls TranslateForm once, after building its widgets, as the first step of
// its creation. Widgets to be translated need an object name.
template <class Base> class TAdvForm : public Base {
public:
    template <class... BaseArguments>
    explicit TAdvForm(LanguageSession& language, BaseArguments&&... baseArguments)
        : Base(std::forward<BaseArguments>(baseArguments)...), language_(language) {
        this->setProperty(TranslatedFormProperty, true);
    }

    // Translates the form's captions; false when no valid language library could be used
    // (the user has been told and the application asked to quit).
    bool TranslateForm() { return language_.translateForm(*this); }

protected:
    // For dialogs the form creates and translates itself.
    LanguageSession& languageSession() const { return language_; }

private:
    LanguageSession& language_;
};

// The stored text of a translated property, as a QString ("&Nowy projekt@1616").
inline QString Tagged(int id) {
    return QString::fromStdString(TaggedText(id));
}

} // namespace vantor
