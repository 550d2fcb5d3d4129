#pragma once

#include <QString>
#include <initializer_list>
#include <map>

class QAction;
class QWidget;

namespace vantor {

// Texts a form's commands show at run time (choosers, message captions) in the form's
// language. Each is kept on a hidden, named action of the form, so the form's translation
// translates it with everything else; reading it gives the text in the form's language.
class RuntimeTexts {
public:
    // `prefix` names the actions ("<prefix><id>"); construct before the form is translated.
    RuntimeTexts(QWidget& form, const char* prefix, std::initializer_list<int> ids);

    // The text of `id`, which must be one of the ids given.
    QString operator()(int id) const;

private:
    std::map<int, QAction*> texts_;
};

} // namespace vantor
