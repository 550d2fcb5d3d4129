// The drag build-up: how its terms behave, and how it compares with a peer's stored drag
// coefficients of the same shapes at the same Mach and Reynolds numbers.
#include "aero/Drag.h"
#include "flight/DesignFlight.h"
#include "flight/MotorChoice.h"
#include "flight/Simulation.h"

#include <QDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <zip.h>

#include <cmath>

using namespace vantor;

namespace {

const QString Data = QStringLiteral(VANTOR_SHARED_DATA);
constexpr double Pi = 3.141592653589793;

// A 40 cm rocket on a 25 mm tube with an ogive nose and three fins.
DragGeometry SmallRocket() {
    DragGeometry g;
    g.referenceDiameter = 0.025;
    g.referenceArea = Pi * 0.025 * 0.025 / 4;
    g.maxDiameter = g.baseDiameter = 0.025;
    g.length = 0.40;
    g.noseKind = "TGlowicaOgive";
    g.noseLength = 0.08;
    g.noseDiameter = 0.025;
    g.bodyWetArea = Pi * 0.025 * 0.32 + 0.0035;
    g.finSets.push_back({3, 0.06, 0.03, 0.05, 0.03, 0.002, false});
    return g;
}

QByteArray ZipEntry(const QString& path, const char* name) {
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!archive)
        return {};
    QByteArray bytes;
    zip_stat_t st;
    if (zip_stat(archive, name, 0, &st) == 0 && st.size < (64u << 20)) {
        if (zip_file_t* file = zip_fopen(archive, name, 0)) {
            bytes.resize(qsizetype(st.size));
            if (zip_fread(file, bytes.data(), st.size) != zip_int64_t(st.size))
                bytes.clear();
            zip_fclose(file);
        }
    }
    zip_close(archive);
    return bytes;
}

// The outer shape of the first stage of an OpenRocket design, read by hand: nose, tubes,
// transitions and trapezoidal fins in a row. Empty with `why` set where the design holds
// parts the build-up does not model (tube fins, free-form fins, launch lugs, pods).
struct OrkShape {
    DragGeometry geometry;
    QString why;
};

OrkShape ReadOrkShape(const QByteArray& xml) {
    OrkShape out;
    DragGeometry& g = out.geometry;
    QXmlStreamReader r(xml);
    QString part;
    QMap<QString, QString> fields;
    int depth = 0, partDepth = -1, stages = 0;
    double maxRadius = 0, lastRadius = 0;
    const auto number = [&](const QString& key) {
        QString text = fields.value(key);
        text.remove("auto").remove(' ');
        return text.toDouble();
    };
    const QStringList outer{"nosecone", "bodytube", "transition", "trapezoidfinset"};
    const QStringList unsupported{"tubefinset", "freeformfinset", "ellipticalfinset", "launchlug", "podset"};
    // Ends the part being read: its fields come before its subcomponents.
    const auto finish = [&]() {
        if (part == "nosecone") {
            g.noseKind = fields["shape"] == "conical" ? "TGlowicaStozek"
                         : fields["shape"] == "ogive" ? "TGlowicaOgive" : "TGlowicaParabolic";
            g.noseLength = number("length");
            lastRadius = number("aftradius");
            g.noseDiameter = 2 * lastRadius;
            // Lateral area of the nose in frusta, as the build-up itself does.
            const double L = g.noseLength, R = lastRadius, rho = (R * R + L * L) / (2 * R);
            double area = 0, x0 = 0, r0 = 0;
            for (int i = 1; i <= 200; ++i) {
                const double x = L * i / 200, u = L - x;
                const double rr = g.noseKind == "TGlowicaOgive" ? std::sqrt(rho * rho - u * u) + R - rho
                                  : g.noseKind == "TGlowicaStozek" ? R * x / L : R * std::sqrt(x / L);
                area += Pi * (r0 + rr) * std::hypot(x - x0, rr - r0);
                x0 = x;
                r0 = rr;
            }
            g.bodyWetArea += area;
            g.length += L;
        } else if (part == "bodytube") {
            const double radius = fields["radius"].contains("auto") ? lastRadius : number("radius");
            g.bodyWetArea += 2 * Pi * radius * number("length");
            g.length += number("length");
            lastRadius = radius;
        } else if (part == "transition") {
            const double front = fields["foreradius"].contains("auto") ? lastRadius : number("foreradius");
            const double rear = number("aftradius");
            const double length = number("length");
            g.bodyWetArea += Pi * (front + rear) * std::hypot(length, front - rear);
            g.transitions.push_back({length, 2 * front, 2 * rear});
            g.length += length;
            lastRadius = rear;
        } else if (part == "trapezoidfinset") {
            g.finSets.push_back({int(number("fincount")), number("rootchord"), number("tipchord"), number("height"),
                                 number("sweeplength"), number("thickness"), fields["crosssection"] != "square"});
        }
        maxRadius = std::max(maxRadius, lastRadius);
        part.clear();
        partDepth = -1;
    };
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement()) {
            ++depth;
            const QString name = r.name().toString();
            // A motor configuration names stages by number; the stages themselves have parts.
            if ((name == "stage" && !r.attributes().hasAttribute("number") && ++stages > 1) || name == "simulations")
                break;
            if (unsupported.contains(name)) {
                out.why = "holds a " + name;
                return out;
            }
            if (partDepth >= 0 && depth == partDepth + 1) {
                if (name == "subcomponents") {
                    finish();
                } else {
                    fields[name] = r.readElementText(QXmlStreamReader::IncludeChildElements);
                    --depth;
                }
            } else if (partDepth < 0 && outer.contains(name)) {
                part = name;
                partDepth = depth;
                fields.clear();
            }
        } else if (r.isEndElement()) {
            if (depth == partDepth)
                finish();
            --depth;
        }
    }
    if (r.hasError())
        qInfo("xml: %s at %lld", qPrintable(r.errorString()), r.lineNumber());
    g.maxDiameter = g.referenceDiameter = 2 * maxRadius;
    g.referenceArea = Pi * maxRadius * maxRadius;
    g.baseDiameter = 2 * lastRadius;
    return out;
}

// The text of the first element `tag` after `from`, empty where there is none before `end`.
QString Field(const QByteArray& xml, const char* tag, qsizetype from, qsizetype end = -1) {
    const QByteArray open = QByteArray("<") + tag + ">";
    const qsizetype at = xml.indexOf(open, from);
    if (at < 0 || (end >= 0 && at > end))
        return {};
    const qsizetype start = at + open.size();
    return QString::fromUtf8(xml.mid(start, xml.indexOf('<', start) - start)).trimmed();
}

// Normal-force slope of a nose and trapezoidal fins (Barrowman), per radian.
double NormalForceSlope(const DragGeometry& g) {
    double cna = 2;
    const double d = g.referenceDiameter, r = d / 2;
    for (const auto& f : g.finSets) {
        const double mid = std::hypot(f.span, f.sweep + f.tipChord / 2 - f.rootChord / 2);
        cna += (1 + r / (f.span + r)) * 4 * f.count * std::pow(f.span / d, 2) /
               (1 + std::sqrt(1 + std::pow(2 * mid / (f.rootChord + f.tipChord), 2)));
    }
    return cna;
}

} // namespace

class TestDrag : public QObject {
    Q_OBJECT
private slots:
    void termsBehaveAsTheFlowDemands() {
        const DragGeometry g = SmallRocket();
        const double re = 30.0 / 1.46e-5; // per metre at 30 m/s
        const DragBreakdown slow = EstimateDragAt(g, RoughnessOf(SurfaceFinish::RegularPaint), 0.1, re);
        // Every term of a finned rocket takes part.
        QVERIFY(slow.friction > 0 && slow.base > 0 && slow.fins > 0);
        QCOMPARE(slow.nose, 0.0); // a smooth ogive sheds no pressure drag below Mach 0.8
        QVERIFY2(slow.total() > 0.3 && slow.total() < 1.5, qPrintable(QString::number(slow.total())));
        // A rougher finish costs friction, a polished one saves it.
        QVERIFY(EstimateDragAt(g, RoughnessOf(SurfaceFinish::Rough), 0.1, re).friction > slow.friction);
        QVERIFY(EstimateDragAt(g, RoughnessOf(SurfaceFinish::Polished), 0.1, re).friction < slow.friction);
        // Friction falls as the Reynolds number rises on a smooth body.
        QVERIFY(EstimateDragAt(g, 0, 0.1, re * 10).friction < EstimateDragAt(g, 0, 0.1, re).friction);
        // The drag rise through Mach 1 and its fall beyond.
        const double subsonic = EstimateDragAt(g, 60e-6, 0.5, re * 5).total();
        const double sonic = EstimateDragAt(g, 60e-6, 1.1, re * 11).total();
        const double supersonic = EstimateDragAt(g, 60e-6, 2.0, re * 20).total();
        QVERIFY2(sonic > 1.1 * subsonic, qPrintable(QString("%1 %2").arg(subsonic).arg(sonic)));
        QVERIFY(supersonic < sonic);
        // A cone pays pressure drag where an ogive pays none.
        DragGeometry cone = g;
        cone.noseKind = "TGlowicaStozek";
        QVERIFY(EstimateDragAt(cone, 60e-6, 0.3, re).nose > 0);
        // Rounded fin edges drag less than square ones.
        DragGeometry rounded = g;
        rounded.finSets[0].roundedEdges = true;
        QVERIFY(EstimateDragAt(rounded, 60e-6, 0.3, re).fins < EstimateDragAt(g, 60e-6, 0.3, re).fins);
        // Nothing to estimate without a reference area.
        QCOMPARE(EstimateDragAt(DragGeometry{}, 60e-6, 0.3, re).total(), 0.0);
        QVERIFY(EstimateDrag(DragGeometry{}, {}).empty());
    }

    void normalForceFollowsPrandtlGlauert_data() {
        QTest::addColumn<double>("mach");
        QTest::addColumn<double>("factor");
        QTest::newRow("at rest") << 0.0 << 1.0;
        QTest::newRow("Mach 0.6") << 0.6 << 1.25;
        QTest::newRow("held through Mach 1") << 1.0 << 1 / std::sqrt(0.36);
        QTest::newRow("Mach 2") << 2.0 << 1 / std::sqrt(3.0);
        QTest::newRow("NaN") << std::nan("") << 1.0;
    }
    void normalForceFollowsPrandtlGlauert() {
        QFETCH(double, mach);
        QFETCH(double, factor);
        QVERIFY(std::abs(PrandtlGlauert(mach) - factor) < 1e-12);
    }

    // The peer stores its friction, pressure and base drag at every step of its flights:
    // on the coasting ascent (no thrust, so no motor in the base) the build-up of the same
    // shape at the same Mach and Reynolds numbers must agree.
    void dragAgreesWithThePeerOnItsExampleDesigns() {
        const QDir folder(Data + "/ork");
        if (!folder.exists())
            QSKIP("no shared data folder beside the project");
        int compared = 0;
        for (const QString& name : folder.entryList({"*.ork"}, QDir::Files, QDir::Name)) {
            const QByteArray xml = ZipEntry(folder.filePath(name), "rocket.ork");
            QVERIFY2(!xml.isEmpty(), qPrintable(name));
            const OrkShape shape = ReadOrkShape(xml);
            if (!shape.why.isEmpty()) {
                qInfo("%s: not compared, it %s", qPrintable(name), qPrintable(shape.why));
                continue;
            }
            // The first stored flight's columns.
            const int branch = xml.indexOf("<databranch");
            QVERIFY(branch > 0);
            const int typesAt = xml.indexOf("types=\"", branch) + 7;
            const QStringList types = QString::fromUtf8(xml.mid(typesAt, xml.indexOf('"', typesAt) - typesAt)).split(',');
            const auto column = [&](const char* title) { return int(types.indexOf(QString(title))); };
            const int mach = column("Mach number"), reynolds = column("Reynolds number"),
                      thrust = column("Thrust"), vz = column("Vertical velocity"), cd = column("Drag coefficient"),
                      friction = column("Friction drag coefficient");
            QVERIFY(mach >= 0 && reynolds >= 0 && thrust >= 0 && vz >= 0 && cd >= 0 && friction >= 0);
            double worst = 0, worstFriction = 0;
            int points = 0;
            const int end = xml.indexOf("</databranch>", branch);
            for (int at = xml.indexOf("<datapoint>", branch); at > 0 && at < end;
                 at = xml.indexOf("<datapoint>", at + 1)) {
                const int close = xml.indexOf("</datapoint>", at);
                const QList<QByteArray> v = xml.mid(at + 11, close - at - 11).split(',');
                if (v.size() != types.size())
                    continue;
                if (v[thrust].toDouble() != 0 || v[vz].toDouble() <= 1 || v[mach].toDouble() < 0.05)
                    continue;
                const double m = v[mach].toDouble(), re = v[reynolds].toDouble();
                const DragBreakdown ours = EstimateDragAt(shape.geometry, RoughnessOf(SurfaceFinish::RegularPaint), m,
                                                          re / shape.geometry.length);
                worst = std::max(worst, std::abs(ours.total() / v[cd].toDouble() - 1));
                worstFriction = std::max(worstFriction, std::abs(ours.friction / v[friction].toDouble() - 1));
                ++points;
            }
            qInfo("%s: %d coasting points, Cd within %.1f %%, friction within %.1f %%", qPrintable(name), points,
                  100 * worst, 100 * worstFriction);
            QVERIFY(points > 10);
            QVERIFY2(worst < 0.10, qPrintable(name));
            QVERIFY2(worstFriction < 0.10, qPrintable(name));
            ++compared;
        }
        QVERIFY(compared >= 1);
    }

    // Flown with the program's own drag estimate of the shape, the peer's mass, CG and CP
    // on the pad, its launch conditions and the motor of the same name from the shared
    // curves, each stored flight of a one-stage example lands within 5 % of the apogee and
    // the peak velocity the peer stored.
    void flightsOfTheExamplesMatchThePeersStoredFlights() {
        const QDir folder(Data + "/ork");
        if (!folder.exists())
            QSKIP("no shared data folder beside the project");
        const MotorLibrary library = LoadMotorLibrary({(Data + "/motors").toStdString()});
        int flown = 0;
        for (const QString& name : folder.entryList({"*.ork"}, QDir::Files, QDir::Name)) {
            const QByteArray xml = ZipEntry(folder.filePath(name), "rocket.ork");
            const OrkShape shape = ReadOrkShape(xml);
            if (!shape.why.isEmpty())
                continue;
            if (xml.count("<stage>") > 1) {
                qInfo("%s: not flown, it has more than one stage", qPrintable(name));
                continue;
            }
            const DragGeometry& g = shape.geometry;
            for (qsizetype sim = xml.indexOf("<simulation "); sim > 0; sim = xml.indexOf("<simulation ", sim + 1)) {
                const qsizetype simEnd = xml.indexOf("</simulation>", sim);
                const QString config = Field(xml, "configid", sim, simEnd);
                // The motor of that configuration in the motor mount.
                const qsizetype motorAt = xml.indexOf(QString("<motor configid=\"%1\"").arg(config).toUtf8());
                if (motorAt < 0)
                    continue;
                const QString maker = Field(xml, "manufacturer", motorAt), designation = Field(xml, "designation", motorAt);
                const double delay = Field(xml, "delay", motorAt).toDouble();
                const double overhang = Field(xml, "overhang", xml.lastIndexOf("<motormount>", motorAt)).toDouble();
                const MotorPick pick = PickMotor(library, {maker.toStdString(), designation.toStdString(), {}, false});
                if (!pick.motor) {
                    qInfo("%s: %s %s is not among the shared curves", qPrintable(name), qPrintable(maker),
                          qPrintable(designation));
                    continue;
                }
                // The peer's columns at the pad, and its CP once the rocket moves.
                const qsizetype typesAt = xml.indexOf("types=\"", sim) + 7;
                const QStringList types =
                    QString::fromUtf8(xml.mid(typesAt, xml.indexOf('"', typesAt) - typesAt)).split(',');
                double mass = 0, motorMass = 0, cg = 0, cp = NAN;
                for (qsizetype at = xml.indexOf("<datapoint>", sim); at > 0 && at < simEnd && !(cp > 0);
                     at = xml.indexOf("<datapoint>", at + 1)) {
                    const QList<QByteArray> v = xml.mid(at + 11, xml.indexOf("</datapoint>", at) - at - 11).split(',');
                    if (mass == 0) {
                        mass = v[types.indexOf("Mass")].toDouble();
                        motorMass = v[types.indexOf("Motor mass")].toDouble();
                        cg = v[types.indexOf("CG location")].toDouble();
                    }
                    cp = v[types.indexOf("CP location")].toDouble();
                }
                const qsizetype dataAt = xml.indexOf("<flightdata ", sim);
                const auto stored = [&](const char* key) {
                    const QByteArray k = QByteArray(key) + "=\"";
                    const qsizetype at = xml.indexOf(k, dataAt) + k.size();
                    return xml.mid(at, xml.indexOf('"', at) - at).toDouble();
                };

                FlightInputs in;
                const double motorPosition = g.length + overhang - pick.motor->length / 2000;
                in.airframe.dryMass = mass - motorMass;
                in.airframe.dryCg = (mass * cg - motorMass * motorPosition) / in.airframe.dryMass;
                in.airframe.dryInertia = in.airframe.dryMass * g.length * g.length / 12;
                in.airframe.referenceArea = g.referenceArea;
                in.airframe.referenceDiameter = g.referenceDiameter;
                in.airframe.stations = {{NormalForceSlope(g), cp}};
                in.airframe.normalForceFactor = PrandtlGlauert;
                // Of the published curves of that name, the one whose loaded mass the peer stored.
                const Motor* same = pick.motor;
                for (const Motor* m : pick.sameName)
                    if (std::abs(m->loadedMass - motorMass * 1000) < std::abs(same->loadedMass - motorMass * 1000))
                        same = m;
                Motor motor = *same;
                motor.loadedMass = motorMass * 1000;
                in.motors = {{motor, delay, motorPosition}};
                in.launch.rodLength = Field(xml, "launchrodlength", sim, simEnd).toDouble();
                in.launch.rodAngle = Field(xml, "launchrodangle", sim, simEnd).toDouble() * 180 / Pi;
                in.launch.windSpeed = Field(xml, "windaverage", sim, simEnd).toDouble();
                in.launch.siteAltitude = Field(xml, "launchaltitude", sim, simEnd).toDouble();
                in.airframe.dragCoefficient = DragCurve(EstimateDrag(g, SiteDragConditions(in.launch)));
                const FlightResult result = Simulate(in);
                QVERIFY2(result.outcome == FlightOutcome::Landed, result.message.c_str());
                double apogee = 0, peak = 0;
                for (const FlightSample& p : result.samples) {
                    apogee = std::max(apogee, p.altitude);
                    peak = std::max(peak, std::hypot(p.vx, p.vz));
                }
                const double peerApogee = stored("maxaltitude"), peerPeak = stored("maxvelocity");
                qInfo("%s %s (%s): apogee %.1f vs %.1f m (%+.1f %%), peak %.1f vs %.1f m/s (%+.1f %%)", qPrintable(name),
                      qPrintable(designation), qPrintable(QFileInfo(QString::fromStdString(motor.file)).fileName()), apogee, peerApogee, 100 * (apogee / peerApogee - 1), peak, peerPeak,
                      100 * (peak / peerPeak - 1));
                QVERIFY(std::abs(apogee / peerApogee - 1) < 0.05);
                QVERIFY(std::abs(peak / peerPeak - 1) < 0.05);
                ++flown;
            }
        }
        QVERIFY(flown >= 2);
    }
};

QTEST_APPLESS_MAIN(TestDrag)
#include "tst_drag.moc"
