// Drawing on a high-density screen (run at a device pixel ratio of 2): lines and texts
// are drawn with the device's pixels, not as an enlarged picture drawn at ratio 1.
#include "canvas/DesignWindow.h"
#include "canvas/QtDrawingSurface.h"
#include "model/BodyTubes.h"
#include "model/NoseCones.h"
#include "preview3d/Form3D.h"
#include "preview3d/RocketFixture.h"
#include "preview3d/ViewState3d.h"
#include "support/FakeDesignHost.h"
#include "support/ResidentGlDriver.h"
#include "support/SampleDesigns.h"

#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

using namespace vantor;
using test::AddDimension;

namespace {

constexpr Argb Black = MakeArgb(255, 0, 0, 0);

bool Dark(QRgb pixel) {
    return qGray(pixel) < 128;
}

// A hairline and a text drawn through the drawing surface at a pixel ratio and zoom.
QImage Drawing(qreal ratio, double zoom) {
    QImage image(QSize(300, 160) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QtDrawingSurface surface(image, zoom);
    surface.drawLine(Black, {10, 20}, {90, 20});
    surface.drawText(Black, "8.25", {10, 30});
    return image;
}

// The device rows of a column that a line darkens.
QList<int> DarkRows(const QImage& image, int x, int from, int to) {
    QList<int> rows;
    for (int y = from; y < to; ++y)
        if (Dark(image.pixel(x, y)))
            rows << y;
    return rows;
}

QRect Ink(const QImage& image, const QRect& area) {
    QRect ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 200)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

// Of the 2 x 2 device-pixel blocks in an area that hold ink, the share whose four
// pixels are not all alike. A picture drawn at ratio 1 and enlarged has none.
double DetailedShare(const QImage& image, const QRect& area) {
    int inked = 0, detailed = 0;
    for (int y = area.top() & ~1; y + 1 <= area.bottom(); y += 2)
        for (int x = area.left() & ~1; x + 1 <= area.right(); x += 2) {
            const QRgb a = image.pixel(x, y), b = image.pixel(x + 1, y);
            const QRgb c = image.pixel(x, y + 1), d = image.pixel(x + 1, y + 1);
            if (qGray(a) > 200 && qGray(b) > 200 && qGray(c) > 200 && qGray(d) > 200)
                continue;
            ++inked;
            detailed += (a != b || a != c || a != d) ? 1 : 0;
        }
    return inked == 0 ? 0 : double(detailed) / inked;
}

} // namespace

class TestHiDpi : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QCOMPARE(qApp->devicePixelRatio(), 2.0); }

    void linesStayOneDevicePixelAndTextsGainDetail_data() {
        QTest::addColumn<double>("zoom");
        QTest::newRow("zoom 1") << 1.0;
        QTest::newRow("zoom 3") << 3.0;
    }
    void linesStayOneDevicePixelAndTextsGainDetail() {
        QFETCH(double, zoom);
        const QImage single = Drawing(1, zoom);
        const QImage twice = Drawing(2, zoom);
        const int y = int(20 * zoom);
        // One drawing unit is one logical pixel; the hairline is one device pixel wide.
        QCOMPARE(DarkRows(single, int(50 * zoom), 0, single.height()), QList<int>{y});
        QCOMPARE(DarkRows(twice, int(100 * zoom), 0, twice.height()), QList<int>{2 * y});

        // The text has the same logical size and is drawn with the finer pixels.
        const int top = int(25 * zoom);
        const QRect inkSingle = Ink(single, QRect(0, top, single.width(), single.height() - top));
        const QRect inkTwice =
            Ink(twice, QRect(0, 2 * top, twice.width(), twice.height() - 2 * top));
        QVERIFY(!inkSingle.isEmpty());
        QVERIFY2(std::abs(inkTwice.height() - 2 * inkSingle.height()) <= 3,
                 qPrintable(QString("%1 %2").arg(inkTwice.height()).arg(inkSingle.height())));
        QVERIFY2(std::abs(inkTwice.width() - 2 * inkSingle.width()) <= 4,
                 qPrintable(QString("%1 %2").arg(inkTwice.width()).arg(inkSingle.width())));
        QVERIFY(std::abs(inkTwice.left() - 2 * inkSingle.left()) <= 2);
        const double share = DetailedShare(twice, inkTwice);
        QVERIFY2(share > 0.3, qPrintable(QString::number(share)));
    }

    void designWindowAndRulersUseTheDevicePixels() {
        test::FakeDesignHost host;
        TMDIChild window(host);
        window.resize(600, 400);
        window.scrollX()->setValue(30);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.Redraw();
        const QImage& buffer = window.backBuffer();
        QCOMPARE(buffer.devicePixelRatio(), 2.0);
        const QRect part = window.sourceRect().intersected(QRect(QPoint(), window.imageSize()));
        QCOMPARE(buffer.size(), part.size() * 2);
        // The first grid line, 50 pixels into the view, is one device pixel wide.
        const int line = 2 * (window.sourceRect().left() + 50 - part.left());
        const int row = 2 * 5 + 1;
        QCOMPARE(buffer.pixel(line, row),
                 window.backBufferPixel(window.sourceRect().left() + 50, part.top() + 5));
        QVERIFY(buffer.pixel(line, row) != qRgb(255, 255, 255));
        QCOMPARE(buffer.pixel(line - 1, row), qRgb(255, 255, 255));
        QCOMPARE(buffer.pixel(line + 1, row), qRgb(255, 255, 255));

        const QPixmap ruler = window.findChild<QLabel*>("ImageTopScroll")->pixmap();
        QCOMPARE(ruler.devicePixelRatio(), 2.0);
        // Every tick, numbered or not, is one device pixel wide.
        const QImage ticks = ruler.toImage();
        const int tickRow = ticks.height() - 3;
        int found = 0;
        for (int x = 1; x + 1 < ticks.width(); ++x)
            if (Dark(ticks.pixel(x, tickRow))) {
                ++found;
                QVERIFY2(!Dark(ticks.pixel(x - 1, tickRow)) && !Dark(ticks.pixel(x + 1, tickRow)),
                         qPrintable(QString::number(x)));
            }
        QVERIFY2(found >= 10, qPrintable(QString::number(found)));
    }

    // What the screen shows of a dimension: its line and text drawn with device pixels,
    // not a picture drawn at ratio 1 and enlarged.
    void aDimensionOnScreenIsSharp() {
        test::FakeDesignHost host;
        host.grid = false;
        TMDIChild window(host);
        window.resize(600, 400);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QPoint corner = window.sourceRect().topLeft();
        const double x = corner.x(), y = corner.y();
        AddDimension(window.design(), "TWymiarPoziomy",
                     {{x + 60, y + 150}, {x + 400, y + 150}, {x + 230, y + 120}});
        window.Redraw();
        const QImage shot = window.grab().toImage();
        QCOMPARE(shot.size(), window.size() * 2);
        const QPoint view = window.viewRect().topLeft();
        const QRect around = QRect(view + QPoint(100, 60), QSize(260, 120));
        const QRect device(around.topLeft() * 2, around.size() * 2);
        const double share = DetailedShare(shot, device);
        QVERIFY2(share > 0.3, qPrintable(QString::number(share)));
    }

    void theThreeDViewFillsItsDevicePixels() {
        test::RocketFixture rocket(-400, 300);
        auto& nose = rocket.add<TGlowicaStozek>();
        rocket.add<TKorpus>(&nose);
        rocket.draw();
        Preview3dViewState state;
        TForm3D form(rocket.design, state);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        test::KeepGlDriversResident();
        state.tiltX = state.tiltY = state.spinAngle = 0;
        const QImage picture = form.grabFramebuffer();
        form.close();
        QCOMPARE(picture.size(), form.size() * 2);
        QRect lit;
        for (int y = 0; y < picture.height(); y += 2)
            for (int x = 0; x < picture.width(); x += 2)
                if (qGray(picture.pixel(x, y)) > 0)
                    lit |= QRect(x, y, 1, 1);
        // Centred on the whole picture, not in the corner a logical-sized view would use.
        QVERIFY(!lit.isEmpty());
        QVERIFY2(std::abs(lit.center().y() - picture.height() / 2) < picture.height() / 10,
                 qPrintable(QString::number(lit.center().y())));
        QVERIFY(lit.right() > picture.width() / 2);
    }
};

int main(int argc, char** argv) {
    QTemporaryDir settings;
    if (!settings.isValid())
        return 1;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication application(argc, argv);
    TestHiDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hidpi.moc"
