#include "i18n/LanguageSwitch.h"

#include "interaction/Interaction.h"

#include <QAction>
#include <QGuiApplication>
#include <QWidget>

namespace vantor {

LanguageSwitch::LanguageSwitch(QAction& polska, QAction& angielska, Interaction& interaction,
                               QWidget* messageParent)
    : QObject(messageParent), polska_(polska), angielska_(angielska), interaction_(interaction),
      messageParent_(messageParent) {
    polska_.setCheckable(true);
    angielska_.setCheckable(true);
    connect(&polska_, &QAction::triggered, this, [this] { clicked(angielska_); });
    connect(&angielska_, &QAction::triggered, this, [this] { clicked(polska_); });
}

void LanguageSwitch::clicked(QAction& other) {
    // Qt has already inverted the check mark of the clicked, checkable item.
    other.setChecked(!other.isChecked());
    interaction_.showMessage(messageParent_, QString::fromUtf8(RestartMessage),
                             QGuiApplication::applicationDisplayName(), Interaction::Icon::None);
}

} // namespace vantor
