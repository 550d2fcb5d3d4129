#pragma once

#include "i18n/AdvForm.h"
#include "i18n/LanguageChoice.h"
#include "i18n/RuntimeTexts.h"

#include <QUrl>
#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace vantor {

// The program's manual in a window of its own beside the main window: the pages of the
// program's language with Back, Forward and Contents. Links between pages stay in the
// window; addresses on the web go to the system's browser.
class HelpWindow : public TAdvForm<QWidget> {
    Q_OBJECT

public:
    // `manualFolder` as FindManualFolder gives it (empty when the manual was not found).
    HelpWindow(LanguageSession& language, Language manualLanguage, QString manualFolder,
               QWidget* parent = nullptr);

    // Translates the captions; false when the language library failed.
    bool FormCreate();

    // Shows the window with the contents page, or brings it forward where the user left it.
    void showManual();
    // The contents page of the manual in the window's language; empty without a manual.
    QUrl contentsPage() const;

    QTextBrowser* HelpBrowser = nullptr;
    QPushButton* bHelpBack = nullptr;
    QPushButton* bHelpForward = nullptr;
    QPushButton* bHelpContents = nullptr;

private:
    void showContents();

    Language manualLanguage_;
    QString manualFolder_;
    RuntimeTexts texts_;
};

} // namespace vantor
