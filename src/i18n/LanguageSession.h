#pragma once

#include "i18n/LanguageLibrary.h"

#include <QString>
#include <map>
#include <memory>

class QWidget;

namespace vantor {

class Interaction;

// The program's access to the language libraries, one object for the whole run (main
// creates it and hands it to every translating form). It loads the library the language
// choice selects, keeps every library it accepted loaded, and reports a failure.
class LanguageSession {
public:
    // The libraries are looked for in "<programDirectory>/Dll"; by default the directory
    // of the executable.
    explicit LanguageSession(Interaction& interaction);
    LanguageSession(Interaction& interaction, QString programDirectory);

    // Translates `form` (TranslateComponents) with the library selected by the language
    // choice, read again for every form. When that library is missing, cannot be loaded
    // or carries the wrong marker, the form is left as it is, the message "Can't load
    // library DLL" is shown (once per session, not once per form), the application is asked
    // to quit (QCoreApplication::exit(1), queued so that it also takes effect when the
    // event loop starts later) and the result is false.
    bool translateForm(QWidget& form);

    // A library failed and the application has been asked to quit.
    bool terminationRequested() const { return terminationRequested_; }
    QString programDirectory() const { return programDirectory_; }

    static constexpr const char* LoadFailureMessage = "Can't load library DLL";

private:
    const LanguageLibrary* chosenLibrary();
    void reportFailure();

    Interaction& interaction_;
    QString programDirectory_;
    std::map<QString, std::unique_ptr<LanguageLibrary>> accepted_;
    bool failureShown_ = false;
    bool terminationRequested_ = false;
};

} // namespace vantor
