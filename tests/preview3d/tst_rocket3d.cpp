#include "RocketFixture.h"

#include "model/Ballast.h"
#include "model/BodyTubes.h"
#include "model/FinSet.h"
#include "model/NoseCones.h"
#include "model/Transition.h"
#include "preview3d/Rocket3d.h"

#include <QtTest>

#include <cmath>

using namespace vantor;
using vantor::test::RocketFixture;

namespace {

// Builds a rocket from a layout string, one letter an element: N conical, O ogive and
// P parabolic nose (the root), K a body tube as the root; T body tube and X transition
// behind the last surface; E motor, M engine mount, B ballast and F fin set on it.
TRocketElement* BuildLayout(RocketFixture& rocket, const QString& layout, int finCount = 3) {
    TRocketElement* last = nullptr;
    TRocketElement* first = nullptr;
    for (QChar code : layout) {
        TRocketElement* added = nullptr;
        switch (code.toLatin1()) {
        case 'N':
            added = &rocket.add<TGlowicaStozek>();
            break;
        case 'O':
            added = &rocket.add<TGlowicaOgive>();
            break;
        case 'P':
            added = &rocket.add<TGlowicaParabolic>();
            break;
        case 'K':
            added = &rocket.add<TKorpus>();
            break;
        case 'T':
            added = &rocket.add<TKorpus>(last);
            break;
        case 'X':
            added = &rocket.add<TStozekSciety>(last);
            break;
        case 'E':
            rocket.add<TEngine>(last).Offset = 450;
            break;
        case 'M':
            rocket.add<TLozysko>(last);
            break;
        case 'B':
            rocket.add<TBalast>(last).Offset = 100;
            break;
        case 'F': {
            auto& fins = rocket.add<TStatecznik>(last);
            fins.FinA = 80;
            fins.FinB = 30;
            fins.FinC = 50;
            fins.FinD = 60;
            fins.Offset = 400;
            fins.FinCount = finCount;
            break;
        }
        default:
            break;
        }
        if (added != nullptr) {
            last = added;
            if (first == nullptr)
                first = added;
        }
    }
    rocket.draw();
    return first;
}

struct V {
    double x, y, z;
};

V RingVertex(const TRocket3d& model, std::size_t ring, std::size_t k) {
    const auto r = model.Ring(ring);
    return {r[k * 3], r[k * 3 + 1], r[k * 3 + 2]};
}

V TriangleVertex(const TRocket3d& model, std::size_t triangle, std::size_t corner) {
    const auto v = model.TriangleVertex(triangle, corner);
    return {v[0], v[1], v[2]};
}

V TriangleNormal(const TRocket3d& model, std::size_t triangle) {
    const auto n = model.TriangleNormal(triangle);
    return {n[0], n[1], n[2]};
}

bool Near(const V& a, const V& b, double tolerance) {
    return std::abs(a.x - b.x) <= tolerance && std::abs(a.y - b.y) <= tolerance &&
           std::abs(a.z - b.z) <= tolerance;
}

QByteArray Describe(const V& v) {
    return QByteArray::number(v.x) + ", " + QByteArray::number(v.y) + ", " +
           QByteArray::number(v.z);
}

// A profile point as the model holds it: x scaled, radius measured from the centre line.
V ModelPoint(const PointD& corner) {
    return {corner.x * 0.01, 0, (corner.y - AxisY) * 0.01};
}

} // namespace

class TestRocket3d : public QObject {
    Q_OBJECT
private slots:
    void ringCounts_data();
    void ringCounts();
    void profileEndsAreTheConvertedCorners_data();
    void profileEndsAreTheConvertedCorners();
    void conicalNoseMidRingFollowsTheCurve();
    void stripTrianglesKeepTheirVertexOrder();
    void normalsAreUnitLengthAndPointOutwards();
    void materialTurnsWhiteAfterTheNose_data();
    void materialTurnsWhiteAfterTheNose();
    void fins_data();
    void fins();
    void finsTakeTheSurfaceMaterial();
};

void TestRocket3d::ringCounts_data() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("rings");
    QTest::newRow("nose alone: the fine profile") << "N" << 101;
    QTest::newRow("ogive nose") << "O" << 101;
    QTest::newRow("parabolic nose") << "P" << 101;
    QTest::newRow("nose and tube: two rings more") << "NT" << 103;
    QTest::newRow("nose, tube, transition, tube") << "NTXT" << 107;
    QTest::newRow("motor, mount, ballast and fins add no rings") << "NTEMBF" << 103;
    QTest::newRow("a tube as the first surface is finely divided") << "KT" << 103;
    QTest::newRow("no surface at all") << "" << 0;
}

void TestRocket3d::ringCounts() {
    QFETCH(QString, layout);
    QFETCH(int, rings);
    RocketFixture rocket(100, 300);
    BuildLayout(rocket, layout);
    TRocket3d model;
    int noseRingCount = 0;
    model.Build(rocket.design, noseRingCount);

    QCOMPARE(model.RingCount(), std::size_t(rings));
    if (rings > 0) {
        QCOMPARE(model.VerticesPerRing(), std::size_t(51));
        QCOMPARE(noseRingCount, 101);
    }
    // Each strip between neighbouring rings gives 50 quads of two triangles; fewer than
    // two rings give no surface.
    const std::size_t strips = rings >= 2 ? std::size_t(rings - 1) : 0;
    QCOMPARE(model.SurfaceTriangleCount(), strips * 100);
}

void TestRocket3d::profileEndsAreTheConvertedCorners_data() {
    QTest::addColumn<QString>("layout");
    QTest::newRow("conical") << "NTX";
    QTest::newRow("ogive") << "OTX";
    QTest::newRow("parabolic") << "PTX";
}

void TestRocket3d::profileEndsAreTheConvertedCorners() {
    QFETCH(QString, layout);
    RocketFixture rocket(120, 310);
    BuildLayout(rocket, layout);
    TRocket3d model;
    int noseRingCount = 0;
    model.Build(rocket.design, noseRingCount);

    // Rings 0..100 are the nose (its last one at t just below 1), 101-102 the tube,
    // 103-104 the transition; vertex 0 of each lies at angle 0: (X, 0, R).
    const std::size_t firstRing[] = {0, 101, 103};
    const std::size_t lastRing[] = {100, 102, 104};
    const double tolerance[] = {1e-4, 1e-6, 1e-6};
    for (std::size_t e = 0; e < 3; ++e) {
        const auto& corners = rocket.design.Elements[e]->Corners;
        const V start = RingVertex(model, firstRing[e], 0);
        const V end = RingVertex(model, lastRing[e], 0);
        QVERIFY2(Near(start, ModelPoint(corners[0]), 1e-6), Describe(start));
        QVERIFY2(Near(end, ModelPoint(corners[3]), tolerance[e]), Describe(end));
        // Half way round the ring the radius points the other way.
        const V opposite = RingVertex(model, lastRing[e], 25);
        QVERIFY2(Near(opposite, {end.x, 0, -end.z}, 1e-5), Describe(opposite));
    }
}

void TestRocket3d::conicalNoseMidRingFollowsTheCurve() {
    RocketFixture rocket(100, 300);
    BuildLayout(rocket, "N"); // corners (100,300) (100,300) (300,275) (300,275)
    TRocket3d model;
    int noseRingCount = 0;
    model.Build(rocket.design, noseRingCount);
    // t = 0.5 on the Bezier curve: X = (1 + 3*1 + 3*3 + 3) / 8, R = (3*-0.25 - 0.25) / 8.
    const V mid = RingVertex(model, 50, 0);
    QVERIFY2(Near(mid, {2.0, 0, -0.125}, 1e-5), Describe(mid));
    // Every vertex of the ring lies on the circle of that radius.
    for (std::size_t k = 0; k < 51; ++k) {
        const V v = RingVertex(model, 50, k);
        QCOMPARE_LE(std::abs(std::hypot(v.y, v.z) - 0.125), 1e-6);
        QCOMPARE_LE(std::abs(v.x - 2.0), 1e-5);
    }
}

void TestRocket3d::stripTrianglesKeepTheirVertexOrder() {
    RocketFixture rocket(100, 300);
    BuildLayout(rocket, "NT");
    TRocket3d model;
    int noseRingCount = 0;
    model.Build(rocket.design, noseRingCount);
    // Strip 101 joins the tube's two rings; quad k gives (A[k+1], A[k], B[k]) and
    // (B[k], B[k+1], A[k+1]).
    const std::size_t strip = 101, k = 10;
    const std::size_t t = strip * 100 + 2 * k;
    const V a0 = RingVertex(model, 101, k), a1 = RingVertex(model, 101, k + 1);
    const V b0 = RingVertex(model, 102, k), b1 = RingVertex(model, 102, k + 1);
    QVERIFY(Near(TriangleVertex(model, t, 0), a1, 0));
    QVERIFY(Near(TriangleVertex(model, t, 1), a0, 0));
    QVERIFY(Near(TriangleVertex(model, t, 2), b0, 0));
    QVERIFY(Near(TriangleVertex(model, t + 1, 0), b0, 0));
    QVERIFY(Near(TriangleVertex(model, t + 1, 1), b1, 0));
    QVERIFY(Near(TriangleVertex(model, t + 1, 2), a1, 0));
}

void TestRocket3d::normalsAreUnitLengthAndPointOutwards() {
    RocketFixture rocket(100, 300);
    BuildLayout(rocket, "PTXT");
    TRocket3d model;
    int noseRingCount = 0;
    model.Build(rocket.design, noseRingCount);

    int degenerate = 0;
    for (std::size_t t = 0; t < model.SurfaceTriangleCount(); ++t) {
        const V n = TriangleNormal(model, t);
        // The normal of the triangle's own corners: (P - Q) x (Q - S).
        const V p = TriangleVertex(model, t, 0), q = TriangleVertex(model, t, 1),
                s = TriangleVertex(model, t, 2);
        const V a{p.x - q.x, p.y - q.y, p.z - q.z}, b{q.x - s.x, q.y - s.y, q.z - s.z};
        const V cross{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
        const double crossLength =
            std::sqrt(cross.x * cross.x + cross.y * cross.y + cross.z * cross.z);
        const double length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
        if (crossLength == 0) {
            ++degenerate; // the tip ring collapses to a point
            QCOMPARE(length, 0.0);
            continue;
        }
        QVERIFY2(std::abs(length - 1) < 1e-5, QByteArray::number(t));
        if (crossLength > 1e-6) {
            const V unit{cross.x / crossLength, cross.y / crossLength, cross.z / crossLength};
            QVERIFY2(Near(n, unit, 1e-4), QByteArray::number(t) + ": " + Describe(n));
        }
    }
    QVERIFY(degenerate > 0);

    // Inside one component the normals face away from the axis (the outside is front).
    for (std::size_t strip :
         {std::size_t(50), std::size_t(101), std::size_t(103), std::size_t(105)}) {
        for (std::size_t t = strip * 100; t < strip * 100 + 100; ++t) {
            const V n = TriangleNormal(model, t);
            V centre{0, 0, 0};
            for (std::size_t c = 0; c < 3; ++c) {
                const V v = TriangleVertex(model, t, c);
                centre = {centre.x + v.x / 3, centre.y + v.y / 3, centre.z + v.z / 3};
            }
            QVERIFY2(n.y * centre.y + n.z * centre.z > 0, QByteArray::number(t));
        }
    }
}

void TestRocket3d::materialTurnsWhiteAfterTheNose_data() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("countBefore");
    QTest::addColumn<int>("countAfter");
    QTest::addColumn<int>("darkTriangles");
    QTest::newRow("nose alone stays dark") << "N" << 0 << 101 << 10000;
    // 100 nose strips plus the strip that joins the nose to the tube.
    QTest::newRow("nose and the joining strip dark, tube white") << "NT" << 0 << 101 << 10100;
    QTest::newRow("longer rocket") << "NTXT" << 0 << 101 << 10100;
    // The count is kept from the run's first surface, whatever is built later.
    QTest::newRow("remembered count rules") << "NT" << 3 << 3 << 300;
}

void TestRocket3d::materialTurnsWhiteAfterTheNose() {
    QFETCH(QString, layout);
    QFETCH(int, countBefore);
    QFETCH(int, countAfter);
    QFETCH(int, darkTriangles);
    RocketFixture rocket(100, 300);
    BuildLayout(rocket, layout);
    TRocket3d model;
    int noseRingCount = countBefore;
    model.Build(rocket.design, noseRingCount);
    QCOMPARE(noseRingCount, countAfter);

    const auto runs = model.Runs();
    QVERIFY(!runs.empty());
    QCOMPARE(runs[0].material, Material3d::Dark);
    QCOMPARE(runs[0].count, std::size_t(darkTriangles));
    if (model.SurfaceTriangleCount() > std::size_t(darkTriangles)) {
        QCOMPARE(runs.size(), std::size_t(2));
        QCOMPARE(runs[1].material, Material3d::White);
        QCOMPARE(runs[1].first + runs[1].count, model.TriangleCount());
    } else {
        QCOMPARE(runs.size(), std::size_t(1));
    }
}

void TestRocket3d::fins_data() {
    QTest::addColumn<int>("finCount");
    QTest::addColumn<int>("drawn");
    QTest::addColumn<int>("step");
    QTest::newRow("3 fins") << 3 << 3 << 120;
    QTest::newRow("4 fins") << 4 << 4 << 90;
    QTest::newRow("2 fins") << 2 << 2 << 180;
    QTest::newRow("7 fins, whole degrees") << 7 << 7 << 51;
    QTest::newRow("no fins") << 0 << 0 << 0;
    QTest::newRow("negative count") << -1 << 0 << 0;
    QTest::newRow("more fins than degrees lie on one") << 100000 << 1 << 0;
}

void TestRocket3d::fins() {
    QFETCH(int, finCount);
    QFETCH(int, drawn);
    QFETCH(int, step);
    RocketFixture rocket(100, 300);
    BuildLayout(rocket, "NTF", finCount);
    TRocket3d model;
    int noseRingCount = 0;
    model.Build(rocket.design, noseRingCount);

    QCOMPARE(model.FinTriangleCount(), std::size_t(2 * drawn));
    if (drawn == 0)
        return;
    // The first fin lies in the plane z = 0 through the converted corners.
    const auto& corners = rocket.design.Elements[2]->Corners;
    const std::size_t first = model.SurfaceTriangleCount();
    const std::size_t fan[2][3] = {{0, 1, 2}, {0, 2, 3}};
    for (std::size_t t = 0; t < 2; ++t)
        for (std::size_t c = 0; c < 3; ++c) {
            const PointD& corner = corners[fan[t][c]];
            const V expected{corner.x * 0.01, (corner.y - AxisY) * 0.01, 0};
            QVERIFY(Near(TriangleVertex(model, first + t, c), expected, 1e-6));
        }
    // Each further fin is the first turned about the axis by the step.
    const V tip0 = TriangleVertex(model, first, 1);
    for (int f = 1; f < drawn; ++f) {
        const V tip = TriangleVertex(model, first + 2 * std::size_t(f), 1);
        QCOMPARE_LE(std::abs(tip.x - tip0.x), 1e-6);
        double turned = (std::atan2(tip.z, tip.y) - std::atan2(tip0.z, tip0.y)) * 180 / M_PI;
        turned = std::fmod(turned + 720, 360);
        QVERIFY2(std::abs(turned - f * step) < 1e-3, QByteArray::number(turned));
    }
}

void TestRocket3d::finsTakeTheSurfaceMaterial() {
    RocketFixture rocket(100, 300);
    BuildLayout(rocket, "NTF", 3);
    TRocket3d model;
    int noseRingCount = 0;
    model.Build(rocket.design, noseRingCount);
    for (std::size_t t = model.SurfaceTriangleCount(); t < model.TriangleCount(); ++t) {
        QCOMPARE(model.Materials[t], Material3d::White);
        const V n = TriangleNormal(model, t);
        QVERIFY(std::abs(std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z) - 1) < 1e-5);
    }
}

QTEST_APPLESS_MAIN(TestRocket3d)
#include "tst_rocket3d.moc"
