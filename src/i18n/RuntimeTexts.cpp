#include "i18n/RuntimeTexts.h"

#include "i18n/AdvForm.h"

#include <QAction>
#include <QWidget>

namespace vantor {

RuntimeTexts::RuntimeTexts(QWidget& form, const char* prefix, std::initializer_list<int> ids) {
    for (const int id : ids) {
        auto* text = new QAction(Tagged(id), &form);
        text->setObjectName(QString::fromLatin1(prefix) + QString::number(id));
        texts_.emplace(id, text);
    }
}

QString RuntimeTexts::operator()(int id) const {
    const auto found = texts_.find(id);
    Q_ASSERT(found != texts_.end());
    return found != texts_.end() ? found->second->text() : QString();
}

} // namespace vantor
