#include "canvas/QtDrawingSurface.h"
#include "model/FinSet.h"
#include "support/DesignBuilder.h"

#include <QImage>
#include <QTest>

using namespace vantor;
using vantor::test::DesignBuilder;

namespace {

QImage WhiteImage(int width = 1000, int height = 600) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

// The smallest rectangle holding every pixel that is not white.
QRect InkBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

} // namespace

class TestSurfacePixels : public QObject {
    Q_OBJECT

private slots:
    void init() {
        OriginX = 50;
        AxisY = 275;
    }

    void hairlinesStayOnePixelWideAtEveryZoom_data() {
        QTest::addColumn<double>("scale");
        QTest::newRow("zoom 1") << 1.0;
        QTest::newRow("zoom 3") << 3.0;
    }
    void hairlinesStayOnePixelWideAtEveryZoom() {
        QFETCH(double, scale);
        QImage image = WhiteImage();
        {
            QtDrawingSurface surface(image, scale);
            surface.drawLine(MakeArgb(255, 0, 0, 0), {10, 10}, {40, 10});
        }
        const QRect ink = InkBounds(image);
        QCOMPARE(ink.height(), 1);
        QCOMPARE(ink.top(), int(10 * scale));
        QCOMPARE(ink.left(), int(10 * scale));
        QCOMPARE(ink.right(), int(40 * scale));
        QCOMPARE(image.pixel(int(25 * scale), int(10 * scale)), qRgb(0, 0, 0));
    }

    void textGrowsWithTheZoom() {
        QSize sizes[2];
        for (int zoom = 1; zoom <= 2; ++zoom) {
            QImage image = WhiteImage(400, 200);
            {
                QtDrawingSurface surface(image, zoom);
                surface.drawText(MakeArgb(255, 0, 0, 0), "Wymiar 70.71", {10, 10});
            }
            sizes[zoom - 1] = InkBounds(image).size();
        }
        QVERIFY(sizes[0].width() > 20);
        const double ratio = double(sizes[1].width()) / sizes[0].width();
        QVERIFY2(ratio > 1.8 && ratio < 2.2, qPrintable(QString::number(ratio)));
        const double heightRatio = double(sizes[1].height()) / sizes[0].height();
        QVERIFY2(heightRatio > 1.6 && heightRatio < 2.4, qPrintable(QString::number(heightRatio)));
    }

    void elementsDrawInTheirColours() {
        Design design;
        DesignBuilder build(design);
        auto& nose = build.nose("TGlowicaStozek", 200, 50, 50, 275);
        auto& tube = build.attach("TKorpus", nose);
        auto& motor = build.attach("TEngine", tube);
        motor.Offset = 300;
        tube.Selected = true;
        QImage image = WhiteImage();
        {
            QtDrawingSurface surface(image, 1.0);
            build.place(surface);
        }
        // The selected tube's top edge at y = 250 between x = 250 and 750.
        QCOMPARE(image.pixel(400, 250), qRgb(20, 20, 200));
        // The motor body is filled red from (551, 275 - 13.5 + 1).
        QCOMPARE(image.pixel(600, 275), qRgb(200, 0, 0));
        // The unselected nose outline is black.
        QCOMPARE(image.pixel(250, 260), qRgb(0, 0, 0));
    }

    void ballastCircleStartsAtParentFrontPlusOffset() {
        Design design;
        DesignBuilder build(design);
        auto& nose = build.nose("TGlowicaStozek", 200, 50, 50, 275);
        auto& ballast = build.attach("TBalast", nose);
        ballast.Offset = 100;
        QImage image = WhiteImage();
        {
            QtDrawingSurface surface(image, 1.0);
            build.place(surface);
        }
        QCOMPARE(image.pixel(149, 275), qRgb(255, 255, 255));
        QVERIFY(qRed(image.pixel(150, 275)) < 255); // the edge pixel is partly covered
        QCOMPARE(image.pixel(151, 275), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(161, 275), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(163, 275), qRgb(255, 255, 255));
    }

    void finSetIsTwoMirroredFins() {
        Design design;
        DesignBuilder build(design);
        auto& nose = build.nose("TGlowicaStozek", 200, 50, 50, 275);
        auto& tube = build.attach("TKorpus", nose);
        auto& fins = build.attach<TStatecznik>("TStatecznik", tube);
        fins.FinA = 90;
        fins.FinB = 50;
        fins.FinC = 50;
        fins.FinD = 40;
        QImage image = WhiteImage();
        {
            QtDrawingSurface surface(image, 1.0);
            build.place(surface);
        }
        // Tip chords from x = 300 to 350, 40 above and 40 below the tube.
        for (int x : {310, 325, 340}) {
            QCOMPARE(image.pixel(x, 275 - 25 - 40), qRgb(0, 0, 0));
            QCOMPARE(image.pixel(x, 275 + 25 + 40), qRgb(0, 0, 0));
        }
        // Nothing beyond the tips.
        QCOMPARE(image.pixel(325, 275 - 25 - 45), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(325, 275 + 25 + 45), qRgb(255, 255, 255));
    }
};

QTEST_MAIN(TestSurfacePixels)
#include "tst_surface_pixels.moc"
