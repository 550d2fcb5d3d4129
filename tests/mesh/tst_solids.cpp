#include "MeshChecks.h"
#include "mesh/Solids.h"
#include "model/FinSet.h"
#include "support/DesignBuilder.h"

#include <QtTest>

#include <cmath>
#include <functional>
#include <limits>

using namespace vantor;
using vantor::mesh::Layout;
using vantor::test::CheckMesh;

namespace {

// The true outer radius at distance s behind the component's front.
std::function<double(double)> TrueRadius(const QString& kind, double L, double R, double rear) {
    if (kind == "TGlowicaStozek")
        return [=](double s) {
            return R * s / L;
        };
    if (kind == "TGlowicaOgive") {
        const double rho = (R * R + L * L) / (2 * R);
        return [=](double s) {
            return std::sqrt(rho * rho - (L - s) * (L - s)) + R - rho;
        };
    }
    if (kind == "TGlowicaParabolic")
        return [=](double s) {
            return R * std::sqrt(s / L);
        };
    if (kind == "TStozekSciety")
        return [=](double s) {
            return R + (rear - R) * s / L;
        };
    return [=](double) {
        return R;
    };
}

// Volume between the outer surface and the inner one a wall's thickness inside it,
// by Simpson's rule.
double TrueVolume(const std::function<double(double)>& r, double L, double wall) {
    const int n = 20000;
    const auto area = [&](double s) {
        const double outer = r(s), inner = std::max(0.0, outer - wall);
        return Pi * (outer * outer - inner * inner);
    };
    double sum = area(0) + area(L);
    for (int i = 1; i < n; ++i)
        sum += (i % 2 ? 4 : 2) * area(L * i / n);
    return sum * L / (3 * n);
}

struct FinRocket {
    Design design;
    TRocketElement* nose = nullptr;
    TRocketElement* tube = nullptr;
    TStatecznik* fins = nullptr;
};

// A conical nose (100 x 40), a body tube (200 x 40) and a fin set of four on the tube.
void BuildFinRocket(FinRocket& rocket, const QString& noseKind = "TGlowicaStozek") {
    test::DesignBuilder build(rocket.design);
    rocket.nose = &build.nose(noseKind.toStdString(), 100, 40);
    rocket.tube = &build.attach("TKorpus", *rocket.nose);
    rocket.tube->Length = 200;
    rocket.tube->DiameterA = 40;
    rocket.tube->Thickness = 1;
    rocket.fins = &build.attach<TStatecznik>("TStatecznik", *rocket.tube);
    rocket.fins->FinA = 50;
    rocket.fins->FinB = 20;
    rocket.fins->FinC = 25;
    rocket.fins->FinD = 40;
    rocket.fins->FinCount = 4;
    rocket.fins->Offset = 150;
    build.place();
}

} // namespace

class SolidsTest : public QObject {
    Q_OBJECT

private slots:
    void segmentsAround_data() {
        QTest::addColumn<double>("radius");
        QTest::addColumn<int>("segments");
        QTest::newRow("12 mm needs 55") << 12.0 << 55;
        QTest::newRow("100 mm") << 100.0 << 158;
        QTest::newRow("small radius keeps the minimum") << 1.0 << 48;
        QTest::newRow("radius below the tolerance") << 0.01 << 48;
    }
    void segmentsAround() {
        QFETCH(double, radius);
        QFETCH(int, segments);
        const int n = mesh::SegmentsAround(radius, mesh::ChordTolerance);
        QCOMPARE(n, segments);
        QVERIFY(radius * (1 - std::cos(Pi / n)) <= mesh::ChordTolerance);
    }

    // Each solid of revolution: closed and outward, its volume and extent those of the
    // true shape, no edge further from the surface than the tolerance, and laid out
    // standing on z = 0 with the same volume.
    void revolvedSolids_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<double>("length");
        QTest::addColumn<double>("diameter");
        QTest::addColumn<double>("rear");
        QTest::addColumn<double>("wall");
        QTest::newRow("hollow cone") << "TGlowicaStozek" << 100.0 << 40.0 << 0.0 << 2.0;
        QTest::newRow("hollow ogive") << "TGlowicaOgive" << 120.0 << 50.0 << 0.0 << 2.0;
        QTest::newRow("hemisphere ogive") << "TGlowicaOgive" << 20.0 << 40.0 << 0.0 << 1.5;
        QTest::newRow("hollow paraboloid") << "TGlowicaParabolic" << 80.0 << 24.0 << 0.0 << 1.5;
        QTest::newRow("solid ogive") << "TGlowicaOgive" << 60.0 << 18.0 << 0.0 << 30.0;
        QTest::newRow("body tube") << "TKorpus" << 200.0 << 40.0 << 0.0 << 1.0;
        QTest::newRow("wall thicker than radius") << "TKorpus" << 50.0 << 10.0 << 0.0 << 8.0;
        QTest::newRow("engine mount") << "TLozysko" << 70.0 << 18.0 << 0.0 << 0.5;
        QTest::newRow("widening transition") << "TStozekSciety" << 50.0 << 40.0 << 60.0 << 2.0;
        QTest::newRow("narrowing transition") << "TStozekSciety" << 30.0 << 60.0 << 30.0 << 3.0;
        QTest::newRow("transition to a point") << "TStozekSciety" << 40.0 << 30.0 << 0.0 << 2.0;
    }
    void revolvedSolids() {
        QFETCH(QString, kind);
        QFETCH(double, length);
        QFETCH(double, diameter);
        QFETCH(double, rear);
        QFETCH(double, wall);
        Design design;
        test::DesignBuilder build(design);
        const bool nose = kind.startsWith("TGlowica");
        TRocketElement& first = build.nose(nose ? kind.toStdString() : "TGlowicaStozek",
                                           nose ? float(length) : 100.f, float(diameter));
        TRocketElement& part = nose ? first : build.attach(kind.toStdString(), first);
        part.Length = float(length);
        part.DiameterA = float(diameter);
        part.DiameterB = float(rear);
        part.Thickness = float(wall);
        build.place();
        const double front = nose ? 0.0 : 100.0;
        const std::size_t index = nose ? 0 : 1;

        const mesh::SolidsResult assembled = mesh::BuildSolids(design, Layout::Assembly);
        QVERIFY2(assembled.ok(), assembled.error.c_str());
        const mesh::Mesh& m = assembled.meshes.at(index);
        const auto report = CheckMesh(m);
        QVERIFY2(report.fault.isEmpty(), qPrintable(report.fault));

        const auto r = TrueRadius(kind, length, diameter / 2, rear / 2);
        const double exact = TrueVolume(r, length, wall);
        QVERIFY2(std::abs(report.volume / exact - 1) < 0.005,
                 qPrintable(QString("volume %1, exact %2").arg(report.volume).arg(exact)));
        const double rMax = std::max(diameter, rear) / 2;
        for (double v : {report.low.x - front, report.high.x - front - length, report.low.y + rMax,
                         report.high.y - rMax, report.low.z + rMax, report.high.z - rMax})
            QVERIFY2(std::abs(v) <= mesh::ChordTolerance, qPrintable(QString::number(v)));

        // Edges with both ends on the outer (or inner) surface stay within the tolerance
        // of it at their middle: the distance in the (s, r) plane to a fine polyline
        // through the true profile around the edge.
        const std::function<double(double)> inner = [&](double s) {
            return std::max(0.0, r(s) - wall);
        };
        double worst = 0;
        for (const auto& t : m.triangles)
            for (int i = 0; i < 3; ++i) {
                const mesh::Vec3 &a = m.vertices[t[i]], &b = m.vertices[t[(i + 1) % 3]];
                const double sa = a.x - front, sb = b.x - front;
                const double ra = std::hypot(a.y, a.z), rb = std::hypot(b.y, b.z);
                const double sm = (sa + sb) / 2, rm = std::hypot(a.y + b.y, a.z + b.z) / 2;
                for (const auto* surface : {&r, &inner}) {
                    const auto& f = *surface;
                    if (std::abs(ra - f(sa)) > 1e-6 || std::abs(rb - f(sb)) > 1e-6)
                        continue;
                    const double lo = std::max(0.0, std::min(sa, sb) - 1);
                    const double hi = std::min(length, std::max(sa, sb) + 1);
                    double nearest = 1e300;
                    for (int k = 0; k < 200; ++k) {
                        const double s0 = lo + (hi - lo) * k / 200,
                                     s1 = lo + (hi - lo) * (k + 1) / 200;
                        const double r0 = f(s0), ds = s1 - s0, dr = f(s1) - r0;
                        const double u = std::clamp(
                            ((sm - s0) * ds + (rm - r0) * dr) / (ds * ds + dr * dr), 0.0, 1.0);
                        nearest = std::min(nearest, std::hypot(s0 + u * ds - sm, r0 + u * dr - rm));
                    }
                    worst = std::max(worst, nearest);
                }
            }
        QVERIFY2(worst <= mesh::ChordTolerance + 1e-9, qPrintable(QString::number(worst)));

        const mesh::SolidsResult laid = mesh::BuildSolids(design, Layout::Parts);
        QVERIFY2(laid.ok(), laid.error.c_str());
        const auto part3d = CheckMesh(laid.meshes.at(index));
        QVERIFY2(part3d.fault.isEmpty(), qPrintable(part3d.fault));
        QCOMPARE(part3d.low.z, 0.0);
        QVERIFY(std::abs(part3d.high.z - length) < 1e-9);
        QVERIFY(std::abs(part3d.volume / report.volume - 1) < 1e-9);
    }

    void finSets_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<double>("sweep");
        QTest::addColumn<double>("tip");
        QTest::newRow("four swept fins") << 4 << 20.0 << 25.0;
        QTest::newRow("three forward-swept fins") << 3 << -10.0 << 25.0;
        QTest::newRow("one pointed fin") << 1 << 30.0 << 0.0;
    }
    void finSets() {
        QFETCH(int, count);
        QFETCH(double, sweep);
        QFETCH(double, tip);
        FinRocket rocket;
        BuildFinRocket(rocket);
        rocket.fins->FinCount = count;
        rocket.fins->FinB = float(sweep);
        rocket.fins->FinC = float(tip);
        const double t = rocket.fins->Thickness, r = 20, span = 40, root = 50;

        const mesh::SolidsResult assembled = mesh::BuildSolids(rocket.design, Layout::Assembly);
        QVERIFY2(assembled.ok(), assembled.error.c_str());
        const auto fins = CheckMesh(assembled.meshes.at(2));
        QVERIFY2(fins.fault.isEmpty(), qPrintable(fins.fault));
        // The root sinks into the tube until its edges touch the surface.
        const double sunk = r - std::sqrt(r * r - t * t / 4);
        QVERIFY(std::abs(fins.volume - count * t * (root + tip) / 2 * (span + sunk)) < 1e-6);
        QVERIFY(std::abs(fins.high.y - (r + span)) < 1e-9);
        QVERIFY(std::abs(fins.low.x - (100 + 150 + std::min(0.0, sweep))) < 1e-4);

        const mesh::SolidsResult laid = mesh::BuildSolids(rocket.design, Layout::Parts);
        QVERIFY2(laid.ok(), laid.error.c_str());
        const auto flat = CheckMesh(laid.meshes.at(2));
        QVERIFY2(flat.fault.isEmpty(), qPrintable(flat.fault));
        QCOMPARE(flat.low.z, 0.0);
        QVERIFY(std::abs(flat.high.z - t) < 1e-9);
        QVERIFY(std::abs(flat.volume - count * t * (root + tip) / 2 * span) < 1e-6);
    }

    // Motors and ballast are not printed; everything else is, in tree order.
    void onlyPrintableComponents() {
        FinRocket rocket;
        BuildFinRocket(rocket);
        test::DesignBuilder build(rocket.design);
        build.attach("TEngine", *rocket.tube);
        build.attach("TBalast", *rocket.tube);
        const mesh::SolidsResult solids = mesh::BuildSolids(rocket.design, Layout::Assembly);
        QVERIFY2(solids.ok(), solids.error.c_str());
        QCOMPARE(solids.meshes.size(), std::size_t(3));
        QCOMPARE(solids.meshes[2].name, std::string("Fins"));
    }

    // Bad sizes are refused with the component named, never turned into a broken mesh.
    void badSizesAreRefused_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("expected");
        const char* body = "Body (element 2): the ";
        QTest::newRow("tube of length 0") << 0 << QString(body) + "length must be at least";
        QTest::newRow("negative nose diameter") << 1 << "Nose (element 1): the diameter";
        QTest::newRow("wall not a number") << 2 << QString(body) + "wall thickness is not a number";
        QTest::newRow("infinite length") << 3 << "Nose (element 1): the length is not a number";
        QTest::newRow("tube of 1e30 mm") << 4 << QString(body) + "length must be at most";
        QTest::newRow("zero wall") << 5 << QString(body) + "wall thickness must be at least";
        QTest::newRow("no fins") << 6 << "Fins (element 3): a fin set needs at least one fin";
        QTest::newRow("5000 fins") << 7 << "Fins (element 3): 5000 fins 2 mm thick do not fit";
        QTest::newRow("fins wider than the tube") << 8 << "Fins (element 3): 3 fins 50 mm thick";
        QTest::newRow("a million thin fins") << 9 << "more than 4000000 triangles";
        QTest::newRow("stubby ogive") << 10 << "Nose (element 1): an ogive nose must be";
        QTest::newRow("fin span not a number") << 11 << "Fins (element 3): the span is not";
    }
    void badSizesAreRefused() {
        QFETCH(int, fault);
        QFETCH(QString, expected);
        FinRocket rocket;
        BuildFinRocket(rocket, fault == 10 ? "TGlowicaOgive" : "TGlowicaStozek");
        const float nan = std::numeric_limits<float>::quiet_NaN();
        switch (fault) {
        case 0:
            rocket.tube->Length = 0;
            break;
        case 1:
            rocket.nose->DiameterA = -5;
            break;
        case 2:
            rocket.tube->Thickness = nan;
            break;
        case 3:
            rocket.nose->Length = std::numeric_limits<float>::infinity();
            break;
        case 4:
            rocket.tube->Length = 1e30f;
            break;
        case 5:
            rocket.tube->Thickness = 0;
            break;
        case 6:
            rocket.fins->FinCount = 0;
            break;
        case 7:
            rocket.fins->FinCount = 5000;
            break;
        case 8:
            rocket.fins->Thickness = 50;
            rocket.fins->FinCount = 3;
            break;
        case 9:
            rocket.tube->DiameterA = 10000;
            rocket.fins->Thickness = 0.02f;
            rocket.fins->FinCount = 1000000;
            break;
        case 10:
            rocket.nose->Length = 10;
            break;
        case 11:
            rocket.fins->FinD = nan;
            break;
        }
        const mesh::SolidsResult solids = mesh::BuildSolids(rocket.design, Layout::Assembly);
        QVERIFY(solids.meshes.empty());
        QVERIFY2(QString::fromStdString(solids.error).startsWith(expected) ||
                     QString::fromStdString(solids.error).contains(expected),
                 solids.error.c_str());
    }

    // Sizes at and around the limits: every component is either a valid closed solid in
    // both layouts or refused, whatever the mix.
    void extremeSizesGiveValidSolidsOrRefusals() {
        const char* kinds[] = {"TGlowicaStozek", "TGlowicaOgive", "TGlowicaParabolic", "TKorpus",
                               "TStozekSciety"};
        const float radii[] = {0.005f, 0.01f, 0.3f, 20.f, 5000.f};
        const float lengths[] = {0.01f, 3.f, 60.f};
        int valid = 0;
        for (const char* kind : kinds)
            for (float radius : radii)
                for (float length : lengths) {
                    // Large curved noses only cost time here; their sizes are checked above.
                    if (radius > 1000 && (QByteArray(kind).contains("Ogive") ||
                                          QByteArray(kind).contains("Parabolic")))
                        continue;
                    for (float wall : {0.01f, radius - 0.004f, radius - 0.02f, 3 * radius}) {
                        Design design;
                        test::DesignBuilder build(design);
                        const bool nose = QByteArray(kind).startsWith("TGlowica");
                        TRocketElement& first = build.nose(nose ? kind : "TGlowicaStozek", 10, 10);
                        TRocketElement& part = nose ? first : build.attach(kind, first);
                        part.Length = length;
                        part.DiameterA = 2 * radius;
                        part.DiameterB = radius;
                        part.Thickness = wall;
                        build.place();
                        for (Layout layout : {Layout::Assembly, Layout::Parts}) {
                            const mesh::SolidsResult solids = mesh::BuildSolids(design, layout);
                            const QString row = QString("%1 r %2 L %3 wall %4")
                                                    .arg(kind)
                                                    .arg(radius)
                                                    .arg(length)
                                                    .arg(wall);
                            if (!solids.ok()) {
                                QVERIFY2(solids.error.find("(element") != std::string::npos,
                                         qPrintable(row));
                                continue;
                            }
                            ++valid;
                            for (const mesh::Mesh& m : solids.meshes) {
                                const auto report = CheckMesh(m);
                                QVERIFY2(report.fault.isEmpty() && report.volume > 0,
                                         qPrintable(row + ": " + report.fault));
                            }
                        }
                    }
                }
        QVERIFY(valid > 100);
    }

    void emptyDesignIsRefused() {
        Design design;
        QVERIFY(!mesh::BuildSolids(design, Layout::Assembly).ok());
    }
};

QTEST_GUILESS_MAIN(SolidsTest)
#include "tst_solids.moc"
