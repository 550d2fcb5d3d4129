#pragma once

#include <QObject>

class QAction;
class QWidget;

namespace vantor {

class Interaction;

// The click handler of the menu items Polska1 and Angielska1: a click inverts the check
// marks of both items and tells the user that the change needs a restart. Clicking the
// checked item therefore switches too, and two clicks restore the marks. The marks reach
// the settings when they are next saved.
class LanguageSwitch : public QObject {
    Q_OBJECT
public:
    static constexpr const char* RestartMessage = "Wymagane jest ponowne uruchomienie programu";

    // Makes both items checkable and handles their clicks. They must not belong to an
    // exclusive action group. The message box is shown over `messageParent`, which also
    // owns this object.
    LanguageSwitch(QAction& polska, QAction& angielska, Interaction& interaction,
                   QWidget* messageParent);

private:
    void clicked(QAction& other);

    QAction& polska_;
    QAction& angielska_;
    Interaction& interaction_;
    QWidget* messageParent_;
};

} // namespace vantor
