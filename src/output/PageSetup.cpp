#include "output/PageSetup.h"

#include <QPageSize>
#include <QString>

namespace vantor {

QPageLayout MakePageLayout(const PageSetup& setup) {
    const QPageSize::PageSizeId id = setup.paper == Paper::Letter ? QPageSize::Letter
                                     : setup.paper == Paper::A3   ? QPageSize::A3
                                                                  : QPageSize::A4;
    return QPageLayout(
        QPageSize(id), setup.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
        QMarginsF(PageMargin, PageMargin, PageMargin, PageMargin), QPageLayout::Millimeter);
}

bool ParsePaper(std::string_view text, Paper& paper) {
    const QString name = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const struct {
        const char* name;
        Paper paper;
    } papers[] = {{"A4", Paper::A4}, {"Letter", Paper::Letter}, {"A3", Paper::A3}};
    for (const auto& known : papers)
        if (name.compare(QLatin1String(known.name), Qt::CaseInsensitive) == 0) {
            paper = known.paper;
            return true;
        }
    return false;
}

} // namespace vantor
