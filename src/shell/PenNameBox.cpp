#include "shell/PenNameBox.h"

#include <QComboBox>
#include <QPainter>
#include <QStyledItemDelegate>

namespace vantor {

namespace {

struct LineStyle {
    const char* text;
    Qt::PenStyle style;
    int width;
};

constexpr LineStyle Entries[] = {
    {"1", Qt::SolidLine, 1},   {"1", Qt::DashLine, 1},       {"1", Qt::DotLine, 1},
    {"1", Qt::DashDotLine, 1}, {"1", Qt::DashDotDotLine, 1}, {"0", Qt::NoPen, 0},
    {"2", Qt::SolidLine, 2},   {"3", Qt::SolidLine, 3},      {"4", Qt::SolidLine, 4},
    {"5", Qt::SolidLine, 5},   {"6", Qt::SolidLine, 6},      {"7", Qt::SolidLine, 7},
    {"8", Qt::SolidLine, 8},   {"9", Qt::SolidLine, 9},
};

constexpr int ItemHeight = 16;

// Draws an entry as a sample line in its style, with "pkt." and the width to its right.
class LineStyleDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const LineStyle& entry = Entries[std::clamp(index.row(), 0, 13)];
        const QRect r = option.rect;
        painter->save();
        painter->fillRect(r, option.palette.base());
        QPen pen(Qt::black, entry.width, entry.style);
        painter->setPen(pen);
        if (entry.style != Qt::NoPen)
            painter->drawLine(r.left() + 5, r.top() + 8, r.right() - 35, r.top() + 8);
        painter->setPen(Qt::black);
        painter->drawText(QPoint(r.right() - 28, r.top() + 2 + painter->fontMetrics().ascent()),
                          QStringLiteral("pkt.%1").arg(entry.width));
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(), ItemHeight);
    }
};

} // namespace

QComboBox* CreatePenNameBox(QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName("PenNameBox");
    box->setFixedWidth(142);
    box->setFont(QFont(QStringLiteral("Arial")));
    box->setItemDelegate(new LineStyleDelegate(box));
    for (const LineStyle& entry : Entries)
        box->addItem(QString::fromLatin1(entry.text));
    box->setCurrentIndex(0);
    return box;
}

int CurrentPenWidth(const QComboBox& box) {
    return box.currentText().toInt();
}

} // namespace vantor
