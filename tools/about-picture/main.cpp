// Draws the picture of the about box and writes it as a JPEG file.
//   vantor-about-picture OUT.jpg

#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

QImage DrawPicture() {
    QImage image(360, 220, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, image.height());
    sky.setColorAt(0, QColor(18, 38, 92));
    sky.setColorAt(1, QColor(120, 170, 220));
    p.fillRect(image.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 200));
    for (const QPointF star : {QPointF(30, 25), QPointF(90, 60), QPointF(300, 30), QPointF(250, 80),
                               QPointF(180, 20), QPointF(330, 110)})
        p.drawEllipse(star, 1.5, 1.5);

    // A rocket climbing to the upper right.
    p.translate(190, 120);
    p.rotate(-35);
    QLinearGradient flame(-150, 0, -95, 0);
    flame.setColorAt(0, QColor(255, 200, 0, 0));
    flame.setColorAt(1, QColor(255, 120, 0));
    p.setBrush(flame);
    p.drawPolygon(QPolygonF{{-95, -9}, {-150, 0}, {-95, 9}});
    p.setPen(QPen(QColor(40, 40, 40), 1.5));
    p.setBrush(QColor(235, 235, 240));
    p.drawRect(QRectF(-95, -12, 130, 24));
    QPainterPath nose({35, -12});
    nose.cubicTo({60, -12}, {80, -4}, {90, 0});
    nose.cubicTo({80, 4}, {60, 12}, {35, 12});
    nose.closeSubpath();
    p.setBrush(QColor(200, 30, 30));
    p.drawPath(nose);
    p.drawPolygon(QPolygonF{{-95, -12}, {-75, -12}, {-90, -36}, {-105, -36}});
    p.drawPolygon(QPolygonF{{-95, 12}, {-75, 12}, {-90, 36}, {-105, 36}});
    p.resetTransform();

    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(34);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 160, 360, 50), Qt::AlignCenter, QStringLiteral("Vantor"));
    return image;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: vantor-about-picture OUT.jpg\n");
        return 2;
    }
    if (!DrawPicture().save(QString::fromLocal8Bit(argv[1]), "JPEG", 90)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
