#include "i18n/MessagePatterns.h"

#include <QRegularExpression>

namespace vantor {

QString TranslatedMessage(const QString& english, const std::vector<MessagePattern>& patterns) {
    static const QRegularExpression Placeholder(QStringLiteral("%([1-9])"));
    for (const auto& [from, to] : patterns) {
        // The pattern's text matched literally, each placeholder by any text.
        QString expression;
        QList<int> order;
        qsizetype at = 0;
        for (QRegularExpressionMatchIterator it = Placeholder.globalMatch(from); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            expression += QRegularExpression::escape(from.mid(at, m.capturedStart() - at)) +
                          QStringLiteral("(.+?)");
            order << m.captured(1).toInt();
            at = m.capturedEnd();
        }
        expression += QRegularExpression::escape(from.mid(at));
        const QRegularExpression whole(QRegularExpression::anchoredPattern(expression),
                                       QRegularExpression::DotMatchesEverythingOption);
        const QRegularExpressionMatch match = whole.match(english);
        if (!match.hasMatch())
            continue;
        // Values by placeholder number, so a translation may put them in another order; the
        // translation is read once, so a value holding "%2" stays as it is.
        QList<QString> values(10);
        for (qsizetype i = 0; i < order.size(); ++i)
            values[order[i]] = match.captured(static_cast<int>(i) + 1);
        QString said;
        at = 0;
        for (QRegularExpressionMatchIterator it = Placeholder.globalMatch(to); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            said += to.mid(at, m.capturedStart() - at) + values[m.captured(1).toInt()];
            at = m.capturedEnd();
        }
        return said + to.mid(at);
    }
    return english;
}

} // namespace vantor
