#include "canvas/QtDrawingSurface.h"
#include "model/DimensionAnnotations.h"

#include <QElapsedTimer>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QRect>
#include <QTest>

#include <memory>

using namespace vantor;

namespace {

bool IsInk(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 230;
}

// Smallest rectangle around the ink inside `area`; empty when there is none.
QRect InkBounds(const QImage& image, const QRect& area) {
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (IsInk(image, x, y))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

int InkInRow(const QImage& image, int y, int fromX, int toX) {
    int count = 0;
    for (int x = fromX; x <= toX; ++x)
        count += IsInk(image, x, y) ? 1 : 0;
    return count;
}

// A horizontal dimension from (10, 30) to (110, 30) with its line at y = 50, drawn at
// the given zoom on a white image.
QImage DrawHorizontalDimension(double zoom, std::string& caption) {
    QImage image(300, 200, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QtDrawingSurface surface(image, zoom);
        TWymiarPoziomy dimension;
        dimension.Points = {{10, 30}, {110, 30}, {60, 50}};
        dimension.Place(surface.decimalSeparator());
        dimension.Draw(surface);
        caption = dimension.Caption;
    }
    return image;
}

} // namespace

class DimensionPixelsTest : public QObject {
    Q_OBJECT

private slots:
    void zoomScalesTheAnnotationButNotItsLineWidth();
    void extremeCoordinatesDrawPromptly_data();
    void extremeCoordinatesDrawPromptly();
};

void DimensionPixelsTest::zoomScalesTheAnnotationButNotItsLineWidth() {
    std::string caption1, caption2;
    const QImage zoom1 = DrawHorizontalDimension(1, caption1);
    const QImage zoom2 = DrawHorizontalDimension(2, caption2);
    QCOMPARE(QString::fromStdString(caption1), QStringLiteral("100.00"));
    QCOMPARE(QString::fromStdString(caption2), QStringLiteral("100.00"));

    // The dimension line runs from x = 10 to 110 at zoom 1 and from 20 to 220 at zoom 2.
    const QRect line1 = InkBounds(zoom1, QRect(0, 50, 300, 1));
    const QRect line2 = InkBounds(zoom2, QRect(0, 100, 300, 1));
    QVERIFY2(qAbs(line1.left() - 10) <= 1 && qAbs(line1.right() - 110) <= 1,
             qPrintable(QStringLiteral("%1..%2").arg(line1.left()).arg(line1.right())));
    QVERIFY2(qAbs(line2.left() - 20) <= 1 && qAbs(line2.right() - 220) <= 1,
             qPrintable(QStringLiteral("%1..%2").arg(line2.left()).arg(line2.right())));

    // Halfway down the extension line at x = 110 (220 at zoom 2) it is one pixel wide.
    QCOMPARE(InkInRow(zoom1, 40, 100, 120), 1);
    QCOMPARE(InkInRow(zoom2, 80, 210, 230), 1);

    // Below the arrowheads only the label is drawn; it starts at the line's midpoint
    // and is twice as wide and reaches twice as far down at zoom 2.
    const QRect text1 = InkBounds(zoom1, QRect(40, 54, 260, 146));
    const QRect text2 = InkBounds(zoom2, QRect(80, 107, 220, 93));
    QVERIFY(!text1.isEmpty());
    QVERIFY(!text2.isEmpty());
    QVERIFY2(qAbs(text1.left() - 60) <= 3 && qAbs(text2.left() - 120) <= 6,
             qPrintable(QStringLiteral("%1, %2").arg(text1.left()).arg(text2.left())));
    const double widthRatio = double(text2.width()) / text1.width();
    const double depthRatio = double(text2.bottom() - 100) / (text1.bottom() - 50);
    QVERIFY2(widthRatio > 1.7 && widthRatio < 2.3, qPrintable(QString::number(widthRatio)));
    QVERIFY2(depthRatio > 1.6 && depthRatio < 2.4, qPrintable(QString::number(depthRatio)));
}

void DimensionPixelsTest::extremeCoordinatesDrawPromptly_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QList<QPointF>>("points");

    using L = QList<QPointF>;
    QTest::newRow("aligned, huge") << "aligned" << L{{-1e300, -1e300}, {1e300, 1e300}, {1e300, 0}};
    QTest::newRow("horizontal, overflowing difference")
        << "horizontal" << L{{-1e308, 0}, {1e308, 0}, {0, 10}};
    QTest::newRow("angle, beyond int range") << "angle" << L{{10, 10}, {4e9, 10}, {10, -4e9}};
}

// The annotation reaches the image even when its coordinates are far outside it, and
// drawing returns quickly.
void DimensionPixelsTest::extremeCoordinatesDrawPromptly() {
    QFETCH(QString, kind);
    QFETCH(QList<QPointF>, points);

    std::unique_ptr<TShaped> dimension;
    if (kind == "aligned")
        dimension = std::make_unique<TWymiar>();
    else if (kind == "horizontal")
        dimension = std::make_unique<TWymiarPoziomy>();
    else if (kind == "vertical")
        dimension = std::make_unique<TWymiarPionowy>();
    else
        dimension = std::make_unique<TAngleWymiar>();
    for (const QPointF& p : points)
        dimension->Points.push_back({p.x(), p.y()});
    const std::string before = dimension->Caption;

    QImage image(200, 200, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QElapsedTimer timer;
    timer.start();
    for (double zoom : {1.0, 3.0}) {
        QtDrawingSurface surface(image, zoom);
        dimension->Place(surface.decimalSeparator());
        dimension->Draw(surface);
    }
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
    QVERIFY(dimension->Caption != before);
}

QTEST_MAIN(DimensionPixelsTest)
#include "tst_dimension_pixels.moc"
