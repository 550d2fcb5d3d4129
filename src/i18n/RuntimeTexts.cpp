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
    if (found == texts_.end())
        return {};
    // Before (or without) a translation the text is still "default@id": the default.
    QString text = found->second->text();
    const QString tag = QLatin1Char('@') + QString::number(id);
    if (text.endsWith(tag))
        text.chop(tag.size());
    return text;
}

} // namespace vantor
