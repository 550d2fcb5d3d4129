#include "model/DimensionAnnotations.h"
#include "model/NullSurface.h"
#include "support/RecordingSurface.h"

#include <QList>
#include <QPoint>
#include <QPointF>
#include <QTest>

#include <cfloat>
#include <cmath>
#include <limits>
#include <memory>
#include <numbers>

using namespace vantor;
using vantor::test::RecordingSurface;
using Op = RecordingSurface::Op;

namespace {

constexpr Argb Grey = MakeArgb(255, 100, 100, 100);
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

std::unique_ptr<TShaped> MakeDimension(const QString& kind) {
    if (kind == "aligned")
        return std::make_unique<TWymiar>();
    if (kind == "horizontal")
        return std::make_unique<TWymiarPoziomy>();
    if (kind == "vertical")
        return std::make_unique<TWymiarPionowy>();
    return std::make_unique<TAngleWymiar>();
}

void SetPoints(TShaped& shape, const QList<QPointF>& points) {
    shape.Points.clear();
    for (const QPointF& p : points)
        shape.Points.push_back({p.x(), p.y()});
}

QPointF Start(const RecordingSurface::Call& line) {
    return {line.values[0], line.values[1]};
}
QPointF End(const RecordingSurface::Call& line) {
    return {line.values[2], line.values[3]};
}

QList<QPoint> Corners(const RecordingSurface::Call& polygon) {
    QList<QPoint> corners;
    for (std::size_t i = 0; i + 1 < polygon.values.size(); i += 2)
        corners.append(QPoint(int(polygon.values[i]), int(polygon.values[i + 1])));
    return corners;
}

bool Near(QPointF a, QPointF b, double tolerance = 1e-6) {
    return std::abs(a.x() - b.x()) <= tolerance && std::abs(a.y() - b.y()) <= tolerance;
}

double Distance(QPointF a, QPointF b) {
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

QString Describe(QPointF p) {
    return QStringLiteral("(%1, %2)").arg(p.x(), 0, 'g', 17).arg(p.y(), 0, 'g', 17);
}

// Records only the text, for checking the separator numbers are written with.
class CommaSurface final : public NullSurface {
public:
    char decimalSeparator() const override { return ','; }
    void drawText(Argb, std::string_view text, PointF) override {
        texts.append(QString::fromUtf8(text.data(), qsizetype(text.size())));
    }

    QStringList texts;
};

} // namespace

class DimensionAnnotationsTest : public QObject {
    Q_OBJECT

private slots:
    void linearDimensionLine_data();
    void linearDimensionLine();
    void arrowheadsPointAlongTheDimensionLine_data();
    void arrowheadsPointAlongTheDimensionLine();
    void arrowheadCorners_data();
    void arrowheadCorners();
    void incompleteOrHiddenDimensionDrawsNothing_data();
    void incompleteOrHiddenDimensionDrawsNothing();
    void angleCaption_data();
    void angleCaption();
    void rightToDownAngleGeometry();
    void angleReadsFirstArmEndBackFromItsShortestText();
    void selectionHandles_data();
    void selectionHandles();
    void angleCentreIsTheVertex();
    void captionUsesTheSurfaceDecimalSeparator();
    void extremeInputsStayBounded_data();
    void extremeInputsStayBounded();
};

void DimensionAnnotationsTest::linearDimensionLine_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QList<QPointF>>("points");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QPointF>("f1");
    QTest::addColumn<QPointF>("f0");
    QTest::addColumn<int>("arrowheads");

    using L = QList<QPointF>;
    QTest::newRow("aligned oblique") << "aligned" << L{{0, 0}, {50, 50}, {60, 40}} << "70.71"
                                     << QPointF(60, 40) << QPointF(10, -10) << 2;
    QTest::newRow("aligned oblique, P2 further along the line")
        << "aligned" << L{{0, 0}, {50, 50}, {70, 50}} << "70.71" << QPointF(60, 40)
        << QPointF(10, -10) << 2;
    QTest::newRow("aligned oblique reversed")
        << "aligned" << L{{50, 50}, {0, 0}, {60, 40}} << "70.71" << QPointF(10, -10)
        << QPointF(60, 40) << 2;
    QTest::newRow("aligned nearly vertical")
        << "aligned" << L{{10, 0}, {10 + 3e-13, 100}, {37.3, 50}} << "100.00" << QPointF(37.3, 100)
        << QPointF(37.3, 0) << 2;
    QTest::newRow("aligned vertical segment") << "aligned" << L{{10, 0}, {10, 30}, {40, 7}}
                                              << "30.00" << QPointF(40, 30) << QPointF(40, 0) << 2;
    QTest::newRow("aligned horizontal segment")
        << "aligned" << L{{0, 10}, {25, 10}, {3, -5}} << "25.00" << QPointF(25, -5)
        << QPointF(0, -5) << 2;
    QTest::newRow("aligned coincident points") << "aligned" << L{{20, 20}, {20, 20}, {50, 5}}
                                               << "0.00" << QPointF(20, 5) << QPointF(20, 5) << 0;
    QTest::newRow("horizontal") << "horizontal" << L{{10, 5}, {47.9, 30}, {0, 60}} << "37.00"
                                << QPointF(47.9, 60) << QPointF(10, 60) << 2;
    QTest::newRow("horizontal reversed") << "horizontal" << L{{47.9, 30}, {10, 5}, {0, 60}}
                                         << "37.00" << QPointF(10, 60) << QPointF(47.9, 60) << 2;
    QTest::newRow("horizontal, negative abscissae truncated")
        << "horizontal" << L{{-5.5, 0}, {-21.1, 8}, {0, 20}} << "15.00" << QPointF(-21.1, 20)
        << QPointF(-5.5, 20) << 2;
    QTest::newRow("vertical") << "vertical" << L{{5, 10}, {30, 47.9}, {60, 0}} << "37.00"
                              << QPointF(60, 47.9) << QPointF(60, 10) << 2;
    QTest::newRow("vertical reversed") << "vertical" << L{{30, 47.9}, {5, 10}, {60, 0}} << "37.00"
                                       << QPointF(60, 10) << QPointF(60, 47.9) << 2;
}

void DimensionAnnotationsTest::linearDimensionLine() {
    QFETCH(QString, kind);
    QFETCH(QList<QPointF>, points);
    QFETCH(QString, caption);
    QFETCH(QPointF, f1);
    QFETCH(QPointF, f0);
    QFETCH(int, arrowheads);

    RecordingSurface surface;
    auto dimension = MakeDimension(kind);
    SetPoints(*dimension, points);
    dimension->Place(surface.decimalSeparator());
    dimension->Draw(surface);

    QCOMPARE(QString::fromStdString(dimension->Caption), caption);
    const auto lines = surface.of(Op::Line);
    QCOMPARE(lines.size(), std::size_t(3));
    // Extension line from P1, dimension line from F1 to F0, extension line back to P0.
    QVERIFY2(Near(Start(lines[0]), points[1]) && Near(End(lines[0]), f1),
             qPrintable(Describe(End(lines[0]))));
    QVERIFY2(Near(Start(lines[1]), f1) && Near(End(lines[1]), f0),
             qPrintable(Describe(Start(lines[1])) + Describe(End(lines[1]))));
    QVERIFY2(Near(Start(lines[2]), f0) && Near(End(lines[2]), points[0]),
             qPrintable(Describe(Start(lines[2]))));
    QCOMPARE(surface.count(Op::Polygon), arrowheads);

    const auto texts = surface.of(Op::Text);
    QCOMPARE(texts.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(texts[0].text), caption);
    QVERIFY(Near(QPointF(texts[0].values[0], texts[0].values[1]), (f1 + f0) / 2));
    for (const auto& call : surface.calls)
        QCOMPARE(call.colour, Grey);
}

void DimensionAnnotationsTest::arrowheadsPointAlongTheDimensionLine_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QList<QPointF>>("points");

    using L = QList<QPointF>;
    QTest::newRow("aligned, left to right") << "aligned" << L{{0, 0}, {80, 30}, {100, 0}};
    QTest::newRow("aligned, right to left") << "aligned" << L{{80, 30}, {0, 0}, {100, 0}};
    QTest::newRow("aligned vertical, upwards") << "aligned" << L{{0, 80}, {0, 0}, {30, 0}};
    QTest::newRow("aligned horizontal, leftwards") << "aligned" << L{{80, 0}, {0, 0}, {0, 30}};
    QTest::newRow("horizontal, rightwards") << "horizontal" << L{{0, 0}, {80, 10}, {0, 30}};
    QTest::newRow("horizontal, leftwards") << "horizontal" << L{{80, 10}, {0, 0}, {0, 30}};
    QTest::newRow("vertical, downwards") << "vertical" << L{{0, 0}, {10, 80}, {30, 0}};
    QTest::newRow("vertical, upwards") << "vertical" << L{{10, 80}, {0, 0}, {30, 0}};
}

// Each arrowhead has its tip on one end of the dimension line (up to the truncation of its
// corners) and its body on the line, towards the other end.
void DimensionAnnotationsTest::arrowheadsPointAlongTheDimensionLine() {
    QFETCH(QString, kind);
    QFETCH(QList<QPointF>, points);

    RecordingSurface surface;
    auto dimension = MakeDimension(kind);
    SetPoints(*dimension, points);
    dimension->Place(surface.decimalSeparator());
    dimension->Draw(surface);

    const auto lines = surface.of(Op::Line);
    const auto arrowheads = surface.of(Op::Polygon);
    QCOMPARE(lines.size(), std::size_t(3));
    QCOMPARE(arrowheads.size(), std::size_t(2));
    const QPointF ends[2] = {Start(lines[1]), End(lines[1])}; // F1, F0
    for (int i = 0; i < 2; ++i) {
        const QList<QPoint> corners = Corners(arrowheads[i]);
        QCOMPARE(corners.size(), 3);
        const QPointF tip = corners[0];
        const QPointF body = QPointF(corners[1] + corners[2]) / 2;
        const QPointF other = ends[1 - i];
        QVERIFY2(Distance(tip, ends[i]) < 3, qPrintable(Describe(tip)));
        QVERIFY2(Distance(body, other) < Distance(tip, other) - 7,
                 qPrintable(QStringLiteral("arrowhead %1 body at ").arg(i) + Describe(body)));
    }
}

void DimensionAnnotationsTest::arrowheadCorners_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QList<QPointF>>("points");
    QTest::addColumn<QList<QPoint>>("atF1");
    QTest::addColumn<QList<QPoint>>("atF0");

    using L = QList<QPointF>;
    using C = QList<QPoint>;
    QTest::newRow("0 and 180 degrees")
        << "horizontal" << L{{40, 0}, {0, 0}, {0, 0}} << C{{0, 0}, {8, -2}, {8, 2}}
        << C{{40, 0}, {32, 2}, {32, -2}};
    QTest::newRow("90 and 270 degrees")
        << "vertical" << L{{0, 40}, {0, 0}, {0, 0}} << C{{0, 0}, {2, 8}, {-2, 8}}
        << C{{0, 40}, {-2, 32}, {2, 32}};
    QTest::newRow("-90 and 90 degrees")
        << "vertical" << L{{0, 0}, {0, 40}, {0, 0}} << C{{0, 40}, {-2, 32}, {2, 32}}
        << C{{0, 0}, {2, 8}, {-2, 8}};
    QTest::newRow("corners truncated, then turned about the exact point")
        << "horizontal" << L{{50.5, 0}, {10.7, 0}, {0, 20.2}} << C{{10, 20}, {18, 18}, {18, 22}}
        << C{{51, 20}, {43, 22}, {43, 18}};
    // An aligned dimension along an axis keeps its angles whichever way P0P1 runs.
    QTest::newRow("aligned vertical upwards, 90 and -90 degrees")
        << "aligned" << L{{0, 40}, {0, 0}, {0, 0}} << C{{0, 0}, {2, 8}, {-2, 8}}
        << C{{0, 40}, {-2, 32}, {2, 32}};
    QTest::newRow("aligned vertical downwards, 90 and -90 degrees")
        << "aligned" << L{{0, 0}, {0, 40}, {0, 0}} << C{{0, 40}, {2, 48}, {-2, 48}}
        << C{{0, 0}, {-2, -8}, {2, -8}};
    QTest::newRow("aligned horizontal leftwards, 0 and 180 degrees")
        << "aligned" << L{{40, 0}, {0, 0}, {0, 0}} << C{{0, 0}, {8, -2}, {8, 2}}
        << C{{40, 0}, {32, 2}, {32, -2}};
    QTest::newRow("aligned horizontal rightwards, 0 and 180 degrees")
        << "aligned" << L{{0, 0}, {40, 0}, {0, 0}} << C{{40, 0}, {48, -2}, {48, 2}}
        << C{{0, 0}, {-8, 2}, {-8, -2}};
    QTest::newRow("-135 and 45 degrees")
        << "aligned" << L{{100, 50}, {150, 100}, {150, 100}} << C{{150, 100}, {142, 95}, {145, 92}}
        << C{{100, 50}, {107, 54}, {104, 57}};
}

void DimensionAnnotationsTest::arrowheadCorners() {
    QFETCH(QString, kind);
    QFETCH(QList<QPointF>, points);
    QFETCH(QList<QPoint>, atF1);
    QFETCH(QList<QPoint>, atF0);

    RecordingSurface surface;
    auto dimension = MakeDimension(kind);
    SetPoints(*dimension, points);
    dimension->Place(surface.decimalSeparator());
    dimension->Draw(surface);

    const auto arrowheads = surface.of(Op::Polygon);
    QCOMPARE(arrowheads.size(), std::size_t(2));
    QCOMPARE(Corners(arrowheads[0]), atF1);
    QCOMPARE(Corners(arrowheads[1]), atF0);
}

void DimensionAnnotationsTest::incompleteOrHiddenDimensionDrawsNothing_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QList<QPointF>>("points");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QString>("caption");

    const QList<QPointF> three{{0, 0}, {50, 50}, {60, 40}};
    const struct {
        const char* kind;
        const char* caption;
    } kinds[] = {{"aligned", "Wymiar"},
                 {"horizontal", "WymiarPoziomy"},
                 {"vertical", "WymiarPionowy"},
                 {"angle", "Wymiar"}};
    for (const auto& k : kinds) {
        QTest::addRow("%s, one point", k.kind)
            << k.kind << three.mid(0, 1) << true << k.caption;
        QTest::addRow("%s, two points", k.kind)
            << k.kind << three.mid(0, 2) << true << k.caption;
        QTest::addRow("%s, hidden", k.kind) << k.kind << three << false << k.caption;
        QTest::addRow("%s, NaN coordinate", k.kind)
            << k.kind << QList<QPointF>{{0, 0}, {50, NaN}, {60, 40}} << true << k.caption;
        QTest::addRow("%s, infinite coordinate", k.kind)
            << k.kind << QList<QPointF>{{-Inf, 0}, {50, 50}, {60, 40}} << true << k.caption;
    }
    QTest::newRow("angle, four points")
        << "angle" << (three + QList<QPointF>{{0, 9}}) << true << "Wymiar";
}

void DimensionAnnotationsTest::incompleteOrHiddenDimensionDrawsNothing() {
    QFETCH(QString, kind);
    QFETCH(QList<QPointF>, points);
    QFETCH(bool, visible);
    QFETCH(QString, caption);

    RecordingSurface surface;
    auto dimension = MakeDimension(kind);
    SetPoints(*dimension, points);
    dimension->Visible = visible;
    dimension->Selected = true;
    dimension->Place(surface.decimalSeparator());
    dimension->Draw(surface);

    QCOMPARE(surface.calls.size(), std::size_t(0));
    QCOMPARE(QString::fromStdString(dimension->Caption), caption);
}

void DimensionAnnotationsTest::angleCaption_data() {
    QTest::addColumn<QList<QPointF>>("points");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("arcSteps");

    using L = QList<QPointF>;
    const QPointF v(100, 100);
    QTest::newRow("right, then down") << L{v, {140, 100}, {100, 140}} << "90" << 91;
    QTest::newRow("down, then right") << L{v, {100, 140}, {140, 100}} << "270" << 271;
    // With the first arm straight up the caption is the second arm's direction.
    const struct {
        const char* name;
        QPointF end;
        const char* caption;
    } directions[] = {{"up", {100, 60}, "0"},      {"up-right", {140, 60}, "45"},
                      {"right", {140, 100}, "90"}, {"down-right", {140, 140}, "135"},
                      {"down", {100, 140}, "180"}, {"down-left", {60, 140}, "225"},
                      {"left", {60, 100}, "270"},  {"up-left", {60, 60}, "315"}};
    for (const auto& d : directions)
        QTest::addRow("up, then %s", d.name)
            << L{v, {100, 60}, d.end} << d.caption << QString(d.caption).toInt() + 1;
    const double t = 44.6 * std::numbers::pi / 180;
    QTest::newRow("44.6 degrees rounds to 45")
        << L{v, {100, 60}, {100 + 40 * std::sin(t), 100 - 40 * std::cos(t)}} << "45" << 45;
    QTest::newRow("right, then up-left across straight up")
        << L{v, {140, 100}, {60, 60}} << "225" << 226;
    QTest::newRow("arm sloping less than the smallest double")
        << L{{0, 0}, {1e300, 1e-300}, {0, -10}} << "270" << 271;
    QTest::newRow("first arm of no length") << L{v, v, {140, 100}} << "90" << 91;
}

void DimensionAnnotationsTest::angleCaption() {
    QFETCH(QList<QPointF>, points);
    QFETCH(QString, caption);
    QFETCH(int, arcSteps);

    RecordingSurface surface;
    TAngleWymiar angle;
    SetPoints(angle, points);
    angle.Place(surface.decimalSeparator());
    angle.Draw(surface);

    QCOMPARE(QString::fromStdString(angle.Caption), caption);
    // One line per arc step plus the two arms, one arrowhead at each end of the arc.
    QCOMPARE(surface.count(Op::Line), arcSteps + 2);
    QCOMPARE(surface.count(Op::Polygon), 2);
    const auto texts = surface.of(Op::Text);
    QCOMPARE(texts.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(texts[0].text), caption);
}

void DimensionAnnotationsTest::rightToDownAngleGeometry() {
    RecordingSurface surface;
    TAngleWymiar angle;
    SetPoints(angle, {{100, 100}, {140, 100}, {100, 140}});
    angle.Place(surface.decimalSeparator());
    angle.Draw(surface);

    const auto lines = surface.of(Op::Line);
    QCOMPARE(lines.size(), std::size_t(93));
    // The arc starts a quarter along the first arm, turns clockwise through the lower
    // right quarter, and every piece starts where the previous one ended.
    QCOMPARE(Start(lines[0]), QPointF(110, 100));
    QCOMPARE(End(lines[0]), QPointF(110, 100));
    for (std::size_t k = 1; k <= 90; ++k) {
        QCOMPARE(Start(lines[k]), End(lines[k - 1]));
        const QPointF q = End(lines[k]);
        QVERIFY(q.x() >= 100 && q.y() >= 100 && std::abs(Distance(q, {100, 100}) - 10) < 1.5);
    }
    QCOMPARE(End(lines[90]), QPointF(100, 110));
    QCOMPARE(Start(lines[91]), QPointF(100, 100));
    QCOMPARE(End(lines[91]), QPointF(100, 140));
    QCOMPARE(End(lines[92]), QPointF(140, 100));

    const auto arrowheads = surface.of(Op::Polygon);
    QCOMPARE(arrowheads.size(), std::size_t(2));
    QCOMPARE(Corners(arrowheads[0]), (QList<QPoint>{{110, 100}, {112, 108}, {108, 108}}));
    QCOMPARE(Corners(arrowheads[1]), (QList<QPoint>{{100, 110}, {108, 108}, {108, 112}}));

    // The label sits at the arc point of 45 degrees.
    const auto texts = surface.of(Op::Text);
    QCOMPARE(texts.size(), std::size_t(1));
    QCOMPARE(QPointF(texts[0].values[0], texts[0].values[1]), QPointF(107, 107));
}

void DimensionAnnotationsTest::angleReadsFirstArmEndBackFromItsShortestText() {
    RecordingSurface surface;
    TAngleWymiar angle;
    const double longX = 0.1 + 0.2; // 0.30000000000000004
    SetPoints(angle, {{0, 0}, {longX, 40}, {0, -40}});
    angle.Place(surface.decimalSeparator());
    angle.Draw(surface);

    const auto lines = surface.of(Op::Line);
    QVERIFY(!lines.empty());
    // The last line is the first arm, V to A.
    QVERIFY2(lines.back().values[2] == 0.3, qPrintable(Describe(End(lines.back()))));
    QCOMPARE(lines.back().values[3], 40.0);
    QCOMPARE(angle.Points[1].x, longX); // the stored point itself is left alone
}

void DimensionAnnotationsTest::selectionHandles_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<int>("handles");

    QTest::newRow("angle, selected") << "angle" << true << 3;
    QTest::newRow("angle, not selected") << "angle" << false << 0;
    QTest::newRow("linear, selected") << "aligned" << true << 0;
}

void DimensionAnnotationsTest::selectionHandles() {
    QFETCH(QString, kind);
    QFETCH(bool, selected);
    QFETCH(int, handles);

    RecordingSurface surface;
    auto dimension = MakeDimension(kind);
    SetPoints(*dimension, {{100, 100}, {140, 100}, {100, 140}});
    dimension->Selected = selected;
    dimension->Place(surface.decimalSeparator());
    dimension->Draw(surface);

    const auto squares = surface.of(Op::FillRect);
    QCOMPARE(int(squares.size()), handles);
    for (int i = 0; i < handles; ++i) {
        const TPoints& p = dimension->Points[std::size_t(i)];
        QCOMPARE(squares[std::size_t(i)].values, (std::vector<double>{p.x - 2, p.y - 2, 5, 5}));
    }
    // Handles come after the annotation itself.
    if (handles > 0)
        QCOMPARE(surface.calls.back().op, Op::FillRect);
}

void DimensionAnnotationsTest::angleCentreIsTheVertex() {
    TAngleWymiar angle;
    QCOMPARE(angle.GetCentre().x, 0);
    SetPoints(angle, {{10.7, -20.2}, {300, 300}, {500, -100}});
    const PointI centre = angle.GetCentre();
    QCOMPARE(centre.x, 10);
    QCOMPARE(centre.y, -20);
}

void DimensionAnnotationsTest::captionUsesTheSurfaceDecimalSeparator() {
    CommaSurface surface;
    TWymiar aligned;
    SetPoints(aligned, {{0, 0}, {50, 50}, {60, 40}});
    aligned.Place(surface.decimalSeparator());
    aligned.Draw(surface);
    TWymiarPoziomy horizontal;
    SetPoints(horizontal, {{10, 5}, {47.9, 30}, {0, 60}});
    horizontal.Place(surface.decimalSeparator());
    horizontal.Draw(surface);

    QCOMPARE(QString::fromStdString(aligned.Caption), QStringLiteral("70,71"));
    QCOMPARE(QString::fromStdString(horizontal.Caption), QStringLiteral("37,00"));
    QCOMPARE(surface.texts, (QStringList{"70,71", "37,00"}));
}

void DimensionAnnotationsTest::extremeInputsStayBounded_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QList<QPointF>>("points");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("draws");

    using L = QList<QPointF>;
    const double big = 1e300;
    const double edge = 1e308;
    QTest::newRow("aligned, huge")
        << "aligned" << L{{-big, -big}, {big, big}, {big, 0}} << "<301 digits>.00" << true;
    QTest::newRow("aligned, difference overflows")
        << "aligned" << L{{-edge, -edge}, {edge, edge}, {0, 0}} << "INF" << false;
    QTest::newRow("aligned, tiny")
        << "aligned" << L{{0, 0}, {1e-300, 1e-300}, {0, 1e-300}} << "0.00" << true;
    QTest::newRow("aligned, subnormal")
        << "aligned" << L{{0, 0}, {5e-324, 5e-324}, {3, 0}} << "0.00" << true;
    QTest::newRow("aligned, beyond int range")
        << "aligned" << L{{0, 0}, {3e9, 4e9}, {-3e9, 1e10}} << "5000000000.00" << true;
    QTest::newRow("horizontal, difference overflows")
        << "horizontal" << L{{-edge, 0}, {edge, 0}, {0, 10}} << "INF" << true;
    QTest::newRow("vertical, beyond int range")
        << "vertical" << L{{0, -3e9}, {0, 3e9}, {5, 0}} << "6000000000.00" << true;
    QTest::newRow("angle, arms overflow")
        << "angle" << L{{-edge, -edge}, {edge, edge}, {edge, -edge}} << "Wymiar" << false;
    QTest::newRow("angle, huge arms") << "angle" << L{{0, 0}, {big, 0}, {0, big}} << "90" << true;
    QTest::newRow("angle, largest double")
        << "angle" << L{{0, 0}, {DBL_MAX, 0}, {0, 10}} << "90" << true;
    QTest::newRow("angle, all points coincide")
        << "angle" << L{{5, 5}, {5, 5}, {5, 5}} << "0" << true;
}

// No input makes the drawing loop for long or hand the surface a coordinate that is not
// a finite number.
void DimensionAnnotationsTest::extremeInputsStayBounded() {
    QFETCH(QString, kind);
    QFETCH(QList<QPointF>, points);
    QFETCH(QString, caption);
    QFETCH(bool, draws);

    RecordingSurface surface;
    auto dimension = MakeDimension(kind);
    SetPoints(*dimension, points);
    dimension->Place(surface.decimalSeparator());
    dimension->Draw(surface);

    const QString drawnCaption = QString::fromStdString(dimension->Caption);
    if (caption == "<301 digits>.00")
        QVERIFY2(drawnCaption.startsWith("28284271247461") && drawnCaption.size() == 304,
                 qPrintable(drawnCaption));
    else
        QCOMPARE(drawnCaption, caption);
    QCOMPARE(!surface.calls.empty(), draws);
    QVERIFY(surface.calls.size() <= 370);
    for (const auto& call : surface.calls)
        for (double value : call.values)
            QVERIFY(std::isfinite(value));
}

QTEST_APPLESS_MAIN(DimensionAnnotationsTest)
#include "tst_dimensions.moc"
