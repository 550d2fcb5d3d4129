// The readers of other programs' designs and the mapping onto this program's components,
// on small documents made here, and what damaged or hostile files give.
#include "analysis/Stability.h"
#include "exchange/DesignImport.h"
#include "exchange/NoseProfile.h"
#include "exchange/OrkReader.h"
#include "exchange/RktReader.h"
#include "exchange/XmlSupport.h"
#include "model/AxisValues.h"
#include "model/Design.h"

#include <zip.h>
#include <zlib.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using namespace vantor;

namespace {

// An .ork document with one sustainer: a nose and a body tube holding `inside`.
std::string Ork(const std::string& inside, const std::string& noseExtra = {},
                const std::string& tubeExtra = {}) {
    return R"(<?xml version="1.0" encoding="utf-8"?>
<openrocket version="1.9"><rocket><name>Test</name>
<motorconfiguration configid="a"/><motorconfiguration configid="b" default="true"/>
<subcomponents><stage><name>Sustainer</name><subcomponents>
<nosecone><name>Nose</name><material type="bulk" density="1000">Plastic</material>
<length>0.1</length><thickness>0.001</thickness><shape>conical</shape>
<aftradius>0.02</aftradius>)" +
           noseExtra + R"(</nosecone>
<bodytube><name>Tube</name><material type="bulk" density="1000">Paper</material>
<length>0.4</length><thickness>0.001</thickness><radius>auto</radius>)" +
           tubeExtra + "<subcomponents>" + inside +
           "</subcomponents></bodytube></subcomponents></stage></subcomponents></rocket></"
           "openrocket>";
}

std::string Mass(const std::string& name, const std::string& method, double offset, double kg,
                 double length = 0.02, const std::string& extra = {}) {
    return "<masscomponent><name>" + name + "</name><axialoffset method=\"" + method + "\">" +
           std::to_string(offset) + "</axialoffset><packedlength>" + std::to_string(length) +
           "</packedlength><mass>" + std::to_string(kg) + "</mass>" + extra + "</masscomponent>";
}

const ImportedPart* Named(const ImportedRocket& rocket, const std::string& name) {
    for (const ImportedPart& part : rocket.parts)
        if (part.name == name)
            return &part;
    return nullptr;
}

ImportResult ImportText(const std::string& text, ForeignFormat format, Design& design,
                        const MotorLookup& motors = {}) {
    return ImportForeignBytes(
        std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), format, design,
        motors);
}

// A zip package holding `entry` under `name`, deflated.
std::vector<std::uint8_t> Zip(const std::string& name, const std::string& entry) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(buffer);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    zip_source_t* data = zip_source_buffer(archive, entry.data(), entry.size(), 0);
    zip_file_add(archive, name.c_str(), data, ZIP_FL_OVERWRITE);
    zip_close(archive);
    zip_source_open(buffer);
    zip_source_seek(buffer, 0, SEEK_END);
    const zip_int64_t size = zip_source_tell(buffer);
    zip_source_seek(buffer, 0, SEEK_SET);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    zip_source_read(buffer, bytes.data(), static_cast<zip_uint64_t>(size));
    zip_source_close(buffer);
    zip_source_free(buffer);
    zip_error_fini(&error);
    return bytes;
}

// A gzip stream of `text`, as early versions wrote their documents.
std::vector<std::uint8_t> Gzip(const std::string& text) {
    z_stream stream{};
    deflateInit2(&stream, 9, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::vector<std::uint8_t> out(deflateBound(&stream, text.size()));
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    stream.avail_in = static_cast<uInt>(text.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

} // namespace

class ImportTest : public QObject {
    Q_OBJECT

private slots:
    // Every way of placing a part inside its parent lands where the source means, in
    // millimetres from the nose tip; masses in grams.
    void positionsResolveFromTheNoseTip_data() {
        QTest::addColumn<QString>("method");
        QTest::addColumn<double>("offset");
        QTest::addColumn<double>("cg"); // mm from the tip
        // The tube spans 100 ... 500 mm; the part is 20 mm long.
        QTest::newRow("top") << "top" << 0.01 << 120.0;
        QTest::newRow("middle") << "middle" << -0.05 << 250.0;
        QTest::newRow("bottom") << "bottom" << 0.0 << 490.0;
        QTest::newRow("absolute") << "absolute" << 0.2 << 210.0;
        QTest::newRow("after the first part") << "after" << 0.0 << 130.0;
    }
    void positionsResolveFromTheNoseTip() {
        QFETCH(QString, method);
        QFETCH(double, offset);
        QFETCH(double, cg);
        const ImportedRocket rocket = ReadOrkDocument(Ork(
            Mass("first", "top", 0.0, 0.001) + Mass("probe", method.toStdString(), offset, 0.05)));
        const ImportedPart* probe = Named(rocket, "probe");
        QVERIFY(probe != nullptr);
        QCOMPARE(probe->cg, cg);
        QCOMPARE(probe->mass, 50.0);
        // The tube took its automatic radius from the nose.
        QCOMPARE(Named(rocket, "Tube")->foreDiameter, 40.0);
    }

    // Masses as the source defines them, for the parts drawn as weights.
    void partMassesFollowTheSourceRules_data() {
        QTest::addColumn<QString>("part");
        QTest::addColumn<double>("grams");
        const double pi = 3.141592653589793;
        QTest::newRow("parachute: canopy and lines")
            << R"(<parachute><name>p</name><material type="surface" density="0.05">n</material>
<diameter>0.5</diameter><linecount>6</linecount><linelength>0.4</linelength>
<linematerial type="line" density="0.002">l</linematerial><packedlength>0.05</packedlength></parachute>)"
            << (pi * 0.25 / 4 * 0.05 + 6 * 0.4 * 0.002) * 1000;
        QTest::newRow("streamer: strip")
            << R"(<streamer><name>p</name><material type="surface" density="0.1">m</material>
<striplength>1</striplength><stripwidth>0.05</stripwidth></streamer>)"
            << 5.0;
        QTest::newRow("shock cord: line")
            << R"(<shockcord><name>p</name><material type="line" density="0.003">k</material>
<cordlength>2</cordlength></shockcord>)"
            << 6.0;
        QTest::newRow("centering ring around an inner tube")
            << R"(<innertube><name>mount</name><material type="bulk" density="0">x</material><length>0.1</length>
<axialoffset method="bottom">0</axialoffset><outerradius>0.01</outerradius><thickness>0.001</thickness></innertube>
<centeringring><name>p</name><material type="bulk" density="1000">w</material><length>0.005</length>
<axialoffset method="bottom">0</axialoffset><outerradius>auto</outerradius><innerradius>auto</innerradius></centeringring>)"
            << pi * (0.019 * 0.019 - 0.01 * 0.01) * 0.005 * 1e6;
        QTest::newRow("engine block given by its wall")
            << R"(<engineblock><name>p</name><material type="bulk" density="1000">w</material>
<length>0.01</length><outerradius>0.01</outerradius><thickness>0.002</thickness></engineblock>)"
            << pi * (1e-4 - 0.64e-4) * 0.01 * 1e6;
        QTest::newRow("bulkhead: solid")
            << R"(<bulkhead><name>p</name><material type="bulk" density="1000">w</material>
<length>0.01</length><outerradius>0.01</outerradius></bulkhead>)"
            << pi * 1e-4 * 0.01 * 1e6;
        QTest::newRow("override mass")
            << Mass("p", "top", 0, 0.5, 0.02, "<overridemass>0.02</overridemass>").c_str() << 20.0;
    }
    void partMassesFollowTheSourceRules() {
        QFETCH(QString, part);
        QFETCH(double, grams);
        const ImportedRocket rocket = ReadOrkDocument(Ork(part.toStdString()));
        const ImportedPart* p = Named(rocket, "p");
        QVERIFY(p != nullptr);
        QVERIFY2(std::abs(p->mass - grams) < 1e-6 * std::max(1.0, grams),
                 qPrintable(QString::number(p->mass) + " g"));
    }

    // An override of a whole assembly is shared among its parts in proportion, so the
    // total is the override and the centre of gravity the parts' own.
    void assemblyOverrideKeepsTheCentreOfGravity() {
        const std::string tube = "<overridemass>1.0</overridemass><overridesubcomponentsmass>true</"
                                 "overridesubcomponentsmass>";
        const ImportedRocket plain =
            ReadOrkDocument(Ork(Mass("a", "top", 0, 0.1) + Mass("b", "bottom", 0, 0.3)));
        const ImportedRocket over =
            ReadOrkDocument(Ork(Mass("a", "top", 0, 0.1) + Mass("b", "bottom", 0, 0.3), {}, tube));
        const auto sums = [](const ImportedRocket& r, double& mass, double& cg) {
            mass = 0, cg = 0;
            for (const ImportedPart& p : r.parts)
                if (p.name != "Nose") {
                    mass += p.mass;
                    cg += p.mass * p.cg;
                }
            cg /= mass;
        };
        double m0, c0, m1, c1;
        sums(plain, m0, c0);
        sums(over, m1, c1);
        QCOMPARE(m1, 1000.0);
        QVERIFY(std::abs(c1 - c0) < 1e-9);
        QVERIFY(m0 < m1);
    }

    // Nose shapes go to the nearest of the three this program draws; the exact ones are
    // not reported.
    void noseShapesMapToTheNearestKind_data() {
        QTest::addColumn<QString>("shape");
        QTest::addColumn<double>("parameter");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("noted");
        QTest::newRow("conical") << "conical" << 0.0 << "TGlowicaStozek" << false;
        QTest::newRow("tangent ogive") << "ogive" << 1.0 << "TGlowicaOgive" << false;
        QTest::newRow("half power") << "power" << 0.5 << "TGlowicaParabolic" << false;
        QTest::newRow("ellipsoid") << "ellipsoid" << 0.0 << "TGlowicaOgive" << true;
        QTest::newRow("von Karman") << "haack" << 0.0 << "TGlowicaParabolic" << true;
        QTest::newRow("three-quarter power") << "power" << 0.75 << "TGlowicaStozek" << true;
    }
    void noseShapesMapToTheNearestKind() {
        QFETCH(QString, shape);
        QFETCH(double, parameter);
        QFETCH(QString, kind);
        QFETCH(bool, noted);
        std::string text = Ork("");
        const std::string conical = "<shape>conical</shape>";
        text.replace(text.find(conical), conical.size(),
                     "<shape>" + shape.toStdString() + "</shape><shapeparameter>" +
                         std::to_string(parameter) + "</shapeparameter>");
        Design design;
        const ImportResult result = ImportText(text, ForeignFormat::OpenRocket, design);
        QVERIFY2(result.ok, result.reason.c_str());
        QCOMPARE(QString::fromStdString(design.Elements.front()->ClassName), kind);
        bool mentioned = false;
        for (const ImportReportEntry& e : result.report.entries)
            mentioned = mentioned || e.event == ImportEvent::NoseShapeNearest;
        QCOMPARE(mentioned, noted);
    }

    // A nose's volume fraction gives the Barrowman CP: a cone 1/3, the half-power 1/2.
    void noseVolumeFractionsAreExact() {
        QVERIFY(std::abs(NoseVolumeFraction(ImportedNoseShape::Conical, 0, 0.1) - 1.0 / 3) < 1e-6);
        QVERIFY(std::abs(NoseVolumeFraction(ImportedNoseShape::Power, 0.5, 0.1) - 0.5) < 1e-4);
        QVERIFY(std::abs(NoseVolumeFraction(ImportedNoseShape::Ellipsoid, 0, 0.1) - 2.0 / 3) <
                1e-3);
    }

    // Elliptical and free-form fins become a trapezoid of the same span, area and
    // chordwise centroid.
    void curvedFinsBecomeAnEquivalentTrapezoid_data() {
        QTest::addColumn<QString>("fins");
        QTest::addColumn<double>("area");     // mm2 of one fin
        QTest::addColumn<double>("centroid"); // mm from the root's leading edge
        QTest::addColumn<double>("span");
        QTest::newRow("elliptical") << R"(<ellipticalfinset><name>f</name><fincount>4</fincount>
<material type="bulk" density="0">b</material><thickness>0.003</thickness>
<rootchord>0.08</rootchord><height>0.05</height></ellipticalfinset>)"
                                    << 3.141592653589793 / 4 * 80 * 50 << 40.0 << 50.0;
        QTest::newRow("free-form triangle")
            << R"(<freeformfinset><name>f</name><fincount>3</fincount>
<material type="bulk" density="0">b</material><thickness>0.003</thickness>
<finpoints><point x="0" y="0"/><point x="0.06" y="0.04"/><point x="0.06" y="0"/></finpoints></freeformfinset>)"
            << 1200.0 << 40.0 << 40.0;
    }
    void curvedFinsBecomeAnEquivalentTrapezoid() {
        QFETCH(QString, fins);
        QFETCH(double, area);
        QFETCH(double, centroid);
        QFETCH(double, span);
        const ImportedRocket rocket = ReadOrkDocument(Ork(fins.toStdString()));
        const ImportedPart* f = Named(rocket, "f");
        QVERIFY(f != nullptr);
        const double cr = f->rootChord, ct = f->tipChord, xr = f->sweep;
        QVERIFY(std::abs((cr + ct) / 2 * f->span - area) < 0.01 * area);
        QVERIFY(std::abs((cr * cr + cr * ct + ct * ct + xr * (cr + 2 * ct)) / (3 * (cr + ct)) -
                         centroid) < 0.2);
        QVERIFY(std::abs(f->span - span) < 0.1);
        QVERIFY(!f->notes.empty());
    }

    // Motors of the chosen configuration, in their mount's aft end plus the overhang,
    // captioned as the motor chooser names motors, weighed from the motor's data.
    void motorsComeFromTheDefaultConfiguration() {
        const std::string mount =
            R"(<innertube><name>mount</name><material type="bulk" density="0">x</material>
<length>0.1</length><axialoffset method="bottom">0</axialoffset><outerradius>0.01</outerradius>
<thickness>0.001</thickness><clusterconfiguration>double</clusterconfiguration><motormount><overhang>0.005</overhang>
<motor configid="a"><manufacturer>Estes</manufacturer><designation>B6</designation><length>0.07</length><delay>4</delay></motor>
<motor configid="b"><manufacturer>Estes</manufacturer><designation>C6</designation><length>0.07</length><delay>5</delay></motor>
</motormount></innertube>)";
        const MotorLookup lookup = [](const std::string& maker,
                                      const std::string& designation) -> std::optional<Motor> {
            if (maker != "Estes" || designation != "C6")
                return std::nullopt;
            Motor m;
            m.maker = maker;
            m.designation = designation;
            m.loadedMass = 24;
            m.length = 70;
            return m;
        };
        Design design;
        const ImportResult result =
            ImportText(Ork(mount), ForeignFormat::OpenRocket, design, lookup);
        QVERIFY(result.ok);
        int motors = 0;
        for (const auto& e : design.Elements)
            if (e->ClassName == "TEngine") {
                ++motors;
                QCOMPARE(QString::fromStdString(e->Caption), QStringLiteral("Estes C6-5"));
                QCOMPARE(e->Weight, 24.0f);
                // The tube ends at 500 mm; the motor sticks out 5 mm.
                QCOMPARE(e->Points[0].x - OriginX, 435.0);
            }
        QCOMPARE(motors, 2);
        // Without the motor's data the motor is drawn without weight, and the report says so.
        const ImportResult blind = ImportText(Ork(mount), ForeignFormat::OpenRocket, design);
        QVERIFY(blind.ok);
        const std::vector<std::string> lines = ImportReportLines(blind.report);
        QVERIFY(std::any_of(lines.begin(), lines.end(), [](const std::string& l) {
            return l.find("Estes C6-5") != std::string::npos;
        }));
    }

    void motorCaptionsNameMakerDesignationAndDelay_data() {
        QTest::addColumn<double>("delay"); // negative: none
        QTest::addColumn<QString>("caption");
        QTest::newRow("whole delay") << 5.0 << "Estes C6-5";
        QTest::newRow("half delay") << 4.5 << "Estes C6-4.5";
        QTest::newRow("plugged") << -1.0 << "Estes C6-P";
    }
    void motorCaptionsNameMakerDesignationAndDelay() {
        QFETCH(double, delay);
        QFETCH(QString, caption);
        const std::optional<double> d = delay >= 0 ? std::optional<double>(delay) : std::nullopt;
        QCOMPARE(QString::fromStdString(MotorCaption("Estes", "C6", d)), caption);
    }

    // Only the sustainer is imported; a lower stage is listed with its mass.
    // A report entry is rendered in the language whose texts are given: arguments in the
    // template's order, numbers with its decimal point, shape words of the language, the
    // mass after the line; a part's own name is never read as a template.
    void reportEntriesRenderInTheGivenLanguage_data() {
        QTest::addColumn<QString>("part");
        QTest::addColumn<int>("event");
        QTest::addColumn<bool>("translated");
        QTest::addColumn<double>("mass");
        QTest::addColumn<QString>("line");
        const auto row = [](const char* name, const char* part, ImportEvent event, bool translated,
                            double mass, const char* line) {
            QTest::newRow(name) << QString(part) << int(event) << translated << mass
                                << QString::fromUtf8(line);
        };
        row("English approximation", "Nose", ImportEvent::NoseWeightShared, false, 12.26,
            "approximated: Nose: weight shared with a weight of 3.5 g at 120.0 mm from the tip, so "
            "that "
            "the nose's centre of gravity is the source's (12.3 g)");
        row("English left out without mass", "Pod", ImportEvent::Pods, false, 0,
            "left out: Pod: pods are left out");
        row("translated, arguments reordered", "Nose", ImportEvent::NoseWeightShared, true, 12.26,
            "przybliżono: Nose: 120,0 mm / 3,5 g (12,3 g)");
        row("translated words", "Nose", ImportEvent::NoseShapeNearest, true, 0,
            "przybliżono: Nose: eliptyczna jako stożkowa");
        row("a name holding a placeholder", "Tube %1", ImportEvent::Pods, true, 0,
            "pominięto: Tube %1: kapsuły");
    }
    void reportEntriesRenderInTheGivenLanguage() {
        QFETCH(QString, part);
        QFETCH(int, event);
        QFETCH(bool, translated);
        QFETCH(double, mass);
        QFETCH(QString, line);
        ImportReportTexts other;
        other.events[std::size_t(ImportEvent::NoseWeightShared)] = "%2 mm / %1 g";
        other.events[std::size_t(ImportEvent::NoseShapeNearest)] = "%1 jako %2";
        other.events[std::size_t(ImportEvent::Pods)] = "kapsuły";
        other.words[std::size_t(ImportWord::Elliptical)] = "eliptyczna";
        other.words[std::size_t(ImportWord::Conical)] = "stożkowa";
        other.leftOutLine = "pominięto: %1: %2";
        other.approximatedLine = "przybliżono: %1: %2";
        other.withMass = "%1 (%2 g)";
        other.decimalPoint = ",";
        ImportNote note{
            part.toStdString(), ImportEvent(event), {}, mass, LeavesOut(ImportEvent(event))};
        if (note.event == ImportEvent::NoseWeightShared)
            note.args = {ImportArg::Number(3.5, 1), ImportArg::Number(120, 1)};
        if (note.event == ImportEvent::NoseShapeNearest)
            note.args = {ImportArg::Word(ImportWord::Elliptical),
                         ImportArg::Word(ImportWord::Conical)};
        QCOMPARE(
            QString::fromStdString(ImportNoteLine(note, translated ? other : EnglishImportTexts())),
            line);
    }

    // Every event has an English text, and the report lists left-out parts first.
    void everyEventHasAnEnglishText() {
        for (std::size_t i = 0; i < ImportEventCount; ++i)
            QVERIFY2(!EnglishImportTexts().events[i].empty(), qPrintable(QString::number(i)));
        ImportReport report;
        report.entries = {{"Lug", ImportEvent::DrawnAsWeight, {}, 1, false},
                          {"Pod", ImportEvent::Pods, {}, 2, true}};
        const std::vector<std::string> lines = ImportReportLines(report);
        QCOMPARE(lines.size(), std::size_t(2));
        QCOMPARE(lines[0], std::string("left out: Pod: pods are left out (2.0 g)"));
    }

    void lowerStagesAreListedWithTheirMass() {
        std::string text = Ork(Mass("a", "top", 0, 0.1));
        const std::string booster =
            R"(<stage><name>Booster</name><subcomponents><bodytube><name>B</name>
<material type="bulk" density="1000">p</material><length>0.1</length><thickness>0.001</thickness>
<radius>0.02</radius></bodytube></subcomponents></stage>)";
        text.insert(text.find("</subcomponents></rocket>"), booster);
        Design design;
        const ImportResult result = ImportText(text, ForeignFormat::OpenRocket, design);
        QVERIFY(result.ok);
        QCOMPARE(result.report.stageCount, 2);
        QCOMPARE(result.report.entries.front().part, std::string("Booster"));
        QVERIFY(result.report.entries.front().leftOut);
        const double tube = 3.141592653589793 * (400 - 361) * 100 * 1e-3;
        QVERIFY(std::abs(result.report.entries.front().mass - tube) < 1e-6);
    }

    // A RockSim design: parts at their stations, RockSim's own masses, known masses
    // where the design asks for them.
    void rockSimPartsSitAtTheirStations() {
        const std::string text =
            R"(<RockSimDocument><FileVersion>4</FileVersion><DesignInformation><RocketDesign>
<Name>R</Name><StageCount>1</StageCount><Stage3Parts>
<NoseCone><Name>N</Name><Len>100</Len><BaseDia>40</BaseDia><ShapeCode>1</ShapeCode><CalcMass>20</CalcMass>
<CalcCG>60</CalcCG><UseKnownCG>0</UseKnownCG></NoseCone>
<BodyTube><Name>T</Name><Station>100</Station><Len>300</Len><OD>40</OD><ID>39</ID><CalcMass>30</CalcMass><CalcCG>150</CalcCG>
<AttachedParts><MassObject><Name>M</Name><Station>250</Station><Len>10</Len><KnownMass>15</KnownMass><CalcCG>5</CalcCG></MassObject>
<FinSet><Name>F</Name><Station>320</Station><FinCount>3</FinCount><RootChord>80</RootChord><TipChord>40</TipChord>
<SemiSpan>50</SemiSpan><SweepDistance>30</SweepDistance><ShapeCode>0</ShapeCode><CalcMass>9</CalcMass><CalcCG>40</CalcCG></FinSet>
</AttachedParts></BodyTube></Stage3Parts></RocketDesign></DesignInformation></RockSimDocument>)";
        const ImportedRocket rocket = ReadRktDocument(text);
        QCOMPARE(Named(rocket, "M")->mass, 15.0);
        QCOMPARE(Named(rocket, "M")->cg, 255.0);
        QCOMPARE(Named(rocket, "F")->front, 320.0);
        QCOMPARE(Named(rocket, "T")->thickness, 0.5);
        Design design;
        const ImportResult result = ImportText(text, ForeignFormat::RockSim, design);
        QVERIFY2(result.ok, result.reason.c_str());
        const StabilityAnalysis analysis = AnalyseStability(design);
        QVERIFY(std::abs(analysis.totalWeight - 74) < 1e-4);
    }

    // RockSim keeps the motors in its simulations: the first simulation's engine sets go
    // into the mounts they name (a cluster as several motors), their aft end at the mount's
    // end plus the overhang; a set naming a mount the design lacks goes into the first
    // empty mount, or is left out when there is none; an empty mount is reported.
    void rockSimMountsGetTheSimulationsMotors_data() {
        QTest::addColumn<QString>("sets");
        QTest::addColumn<int>("motors");
        QTest::addColumn<double>("motorFront"); // mm from the nose tip
        QTest::addColumn<QList<int>>("events");
        const auto set = [](const char* serial, int count, const char* overhang) {
            return QString("<EngineSet><EngineCount>%1</EngineCount><EngineCode>C6</"
                           "EngineCode><EngineMfg>Estes"
                           "</EngineMfg><EjectionDelay>5.</EjectionDelay>%2<MountSerialNo>%3</"
                           "MountSerialNo>"
                           "</EngineSet>")
                .arg(count)
                .arg(overhang ? QString("<EngineOverhang>%1</EngineOverhang>").arg(overhang)
                              : QString())
                .arg(serial);
        };
        const int empty = int(ImportEvent::MountWithoutMotor),
                  moved = int(ImportEvent::MotorPutInMount),
                  lost = int(ImportEvent::MotorWithoutMount);
        // The inner mount (serial 7) ends at 400 mm; its own overhang is 4 mm.
        QTest::newRow("named mount, its overhang")
            << set("7", 1, nullptr) << 1 << 334.0 << QList<int>{};
        QTest::newRow("the set's overhang") << set("7", 1, "10") << 1 << 340.0 << QList<int>{};
        QTest::newRow("cluster of three") << set("7", 3, nullptr) << 3 << 334.0 << QList<int>{};
        QTest::newRow("no simulation") << QString() << 0 << 0.0 << QList<int>{empty};
        QTest::newRow("unknown mount number")
            << set("5", 1, nullptr) << 1 << 334.0 << QList<int>{moved};
        QTest::newRow("two sets, one mount")
            << set("7", 1, nullptr) + set("9", 1, nullptr) << 1 << 334.0 << QList<int>{lost};
    }
    void rockSimMountsGetTheSimulationsMotors() {
        QFETCH(QString, sets);
        QFETCH(int, motors);
        QFETCH(double, motorFront);
        QFETCH(QList<int>, events);
        const std::string text =
            R"(<RockSimDocument><FileVersion>4</FileVersion><DesignInformation><RocketDesign>
<Name>R</Name><StageCount>1</StageCount><Stage3Parts>
<NoseCone><Name>N</Name><Len>100</Len><BaseDia>40</BaseDia><ShapeCode>0</ShapeCode><CalcMass>20</CalcMass>
<CalcCG>66.7</CalcCG></NoseCone>
<BodyTube><Name>T</Name><Station>100</Station><Len>300</Len><OD>40</OD><ID>39</ID><CalcMass>30</CalcMass>
<CalcCG>150</CalcCG><IsMotorMount>0</IsMotorMount><SerialNo>3</SerialNo><AttachedParts>
<BodyTube><Name>Mount</Name><Xb>200</Xb><Len>100</Len><OD>20</OD><ID>18</ID><CalcMass>5</CalcMass><CalcCG>50</CalcCG>
<IsMotorMount>1</IsMotorMount><MotorDia>18</MotorDia><EngineOverhang>4</EngineOverhang><SerialNo>7</SerialNo></BodyTube>
</AttachedParts></BodyTube></Stage3Parts></RocketDesign></DesignInformation>
<SimulationResultsList><SimulationResults><SimulationName>[C6-5] </SimulationName><Mass0>0.1</Mass0>
<CG0>0.25</CG0><Stage3Engines>)" +
            sets.toStdString() +
            R"(</Stage3Engines></SimulationResults></SimulationResultsList></RockSimDocument>)";
        const MotorLookup lookup = [](const std::string& maker,
                                      const std::string& designation) -> std::optional<Motor> {
            if (maker != "Estes" || designation != "C6")
                return std::nullopt;
            Motor m;
            m.maker = maker;
            m.designation = designation;
            m.loadedMass = 24;
            m.length = 70;
            m.diameter = 18;
            return m;
        };
        Design design;
        const ImportResult result = ImportText(text, ForeignFormat::RockSim, design, lookup);
        QVERIFY2(result.ok, result.reason.c_str());
        int found = 0;
        for (const auto& e : design.Elements)
            if (e->ClassName == "TEngine") {
                ++found;
                QCOMPARE(QString::fromStdString(e->Caption), QStringLiteral("Estes C6-5"));
                QCOMPARE(e->Weight, 24.0f);
                QCOMPARE(e->Points[0].x - OriginX, motorFront);
            }
        QCOMPARE(found, motors);
        QList<int> reported;
        for (const ImportReportEntry& e : result.report.entries)
            if (e.event != ImportEvent::DrawnAsWeight)
                reported << int(e.event);
        QCOMPARE(reported, events);
        for (const ImportReportEntry& e : result.report.entries)
            QCOMPARE(e.leftOut, e.event == ImportEvent::MotorWithoutMount);
        const StabilityAnalysis analysis = AnalyseStability(design);
        QVERIFY(std::abs(analysis.totalWeight - (55 + 24 * motors)) < 1e-3);
        // The simulation's launch figures are kept for comparison.
        QCOMPARE(result.report.flights.size(), std::size_t(1));
        QCOMPARE(result.report.flights[0].mass, 100.0);
        QCOMPARE(result.report.flights[0].cg, 250.0);
        QCOMPARE(result.report.configuration, std::string(motors > 0 ? "[C6-5]" : ""));
    }

    // Damaged and hostile files are refused with the cause; nothing is built.
    void badInputIsRefusedWithItsCause_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("cause");
        const auto ork = [](std::string t) {
            return QByteArray::fromStdString(t);
        };
        const int O = static_cast<int>(ForeignFormat::OpenRocket),
                  R = static_cast<int>(ForeignFormat::RockSim);
        QTest::newRow("empty") << QByteArray() << O << "neither a zip package nor an XML";
        QTest::newRow("not a design") << ork("<svg/>") << O << "not an OpenRocket design";
        QTest::newRow("damaged XML") << ork("<openrocket><rocket>") << O << "XML is damaged";
        QTest::newRow("entity expansion") << ork("<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY a "
                                                 "\"aaaa\"><!ENTITY b \"&a;&a;&a;\">]>"
                                                 "<openrocket/>")
                                          << O << "entities";
        QTest::newRow("NaN size")
            << ork(Ork("", {}, "").replace(Ork("").find("<length>0.4"), 11, "<length>NaN")) << O
            << "length is not a number";
        QTest::newRow("size beyond any rocket")
            << ork(Ork("").replace(Ork("").find("<length>0.4"), 11, "<length>1e300")) << O
            << "beyond any rocket";
        QTest::newRow("no nose") << ork("<openrocket><rocket><subcomponents><stage/></"
                                        "subcomponents></rocket></openrocket>")
                                 << O << "no nose cone";
        QTest::newRow("damaged zip")
            << QByteArray("PK\x03\x04garbage-garbage-garbage", 27) << O << "zip package is damaged";
        QTest::newRow("zip without a design")
            << QByteArray(reinterpret_cast<const char*>(Zip("other.txt", "x").data()),
                          static_cast<int>(Zip("other.txt", "x").size()))
            << O << "holds no rocket.ork";
        QTest::newRow("RockSim of version 5")
            << ork("<RockSimDocument><FileVersion>5</FileVersion></RockSimDocument>") << R
            << "version 5";
        QTest::newRow("RockSim cluster beyond any mount")
            << ork("<RockSimDocument><FileVersion>4</"
                   "FileVersion><DesignInformation><RocketDesign><Stage3Parts>"
                   "<NoseCone><Len>100</Len><BaseDia>40</BaseDia></NoseCone></Stage3Parts></"
                   "RocketDesign>"
                   "</"
                   "DesignInformation><SimulationResultsList><SimulationResults><Stage3Engines><"
                   "EngineSet>"
                   "<EngineCount>1e10</EngineCount><EngineCode>C6</EngineCode></EngineSet></"
                   "Stage3Engines>"
                   "</SimulationResults></SimulationResultsList></RockSimDocument>")
            << R << "holds 1e10 motors";
        std::string deep =
            "<openrocket><rocket><subcomponents><stage><subcomponents><nosecone><name>n</name>"
            "<length>0.1</length><aftradius>0.01</aftradius><shape>conical</shape><subcomponents>";
        for (int i = 0; i < 200; ++i)
            deep += "<tubecoupler><length>0.01</length><subcomponents>";
        QTest::newRow("deep nesting") << ork(deep) << O << "damaged";
        std::string nested = deep;
        for (int i = 0; i < 200; ++i)
            nested += "</subcomponents></tubecoupler>";
        nested += "</subcomponents></nosecone></subcomponents></stage></subcomponents></rocket></"
                  "openrocket>";
        QTest::newRow("deep nesting, well formed") << ork(nested) << O << "nested more than";
        std::string many;
        for (int i = 0; i < 2100; ++i)
            many += "<masscomponent><name>m</name><mass>0.001</mass></masscomponent>";
        QTest::newRow("too many parts") << ork(Ork(many)) << O << "at most 2000";
        std::string tubes;
        for (int i = 0; i < 300; ++i)
            tubes +=
                "<bodytube><name>t</name><length>0.01</length><radius>0.01</radius></bodytube>";
        std::string chain = Ork("");
        chain.insert(chain.find("</subcomponents></stage>"), tubes);
        QTest::newRow("too many body parts") << ork(chain) << O << "body parts in a row";
    }
    void badInputIsRefusedWithItsCause() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, format);
        QFETCH(QString, cause);
        Design design;
        const ImportResult result =
            ImportForeignBytes(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                         static_cast<std::size_t>(bytes.size())),
                               static_cast<ForeignFormat>(format), design, {});
        QVERIFY(!result.ok);
        QVERIFY2(result.reason.find(cause.toStdString()) != std::string::npos,
                 result.reason.c_str());
        QVERIFY(design.Elements.empty());
    }

    // Every input the fuzz targets ever found failing is read again: refused with a
    // reason, or imported with finite sizes and weights.
    void fuzzFindingsStayFixed_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("format");
        for (const auto& [folder, format] :
             {std::pair{"regressions-ork", ForeignFormat::OpenRocket},
              std::pair{"regressions-rkt", ForeignFormat::RockSim}}) {
            const QDir dir(QStringLiteral(FUZZ_DIR "/") + folder);
            for (const QString& name : dir.entryList(QDir::Files))
                QTest::newRow(qPrintable(name)) << dir.filePath(name) << static_cast<int>(format);
        }
    }
    void fuzzFindingsStayFixed() {
        QFETCH(QString, file);
        QFETCH(int, format);
        QFile input(file);
        QVERIFY(input.open(QIODevice::ReadOnly));
        const QByteArray bytes = input.readAll();
        Design design;
        const ImportResult result =
            ImportForeignBytes(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                         static_cast<std::size_t>(bytes.size())),
                               static_cast<ForeignFormat>(format), design, {});
        if (!result.ok) {
            QVERIFY(!result.reason.empty());
            QVERIFY(design.Elements.empty());
            return;
        }
        for (const auto& e : design.Elements)
            QVERIFY(std::isfinite(e->Weight) && std::isfinite(e->Length) &&
                    std::abs(e->Length) < 1e8f);
    }

    // A package or stream that unpacks beyond the limit is refused before it is all in
    // memory.
    void compressionBombsAreRefused_data() {
        QTest::addColumn<bool>("zipped");
        QTest::newRow("zip") << true;
        QTest::newRow("gzip") << false;
    }
    void compressionBombsAreRefused() {
        QFETCH(bool, zipped);
        const std::string huge = "<openrocket>" + std::string(MaxUnpackedBytes + 1024, ' ');
        const std::vector<std::uint8_t> bomb = zipped ? Zip("rocket.ork", huge) : Gzip(huge);
        QVERIFY(bomb.size() < 1u << 20);
        Design design;
        const ImportResult result = ImportForeignBytes(bomb, ForeignFormat::OpenRocket, design, {});
        QVERIFY(!result.ok);
        QVERIFY2(result.reason.find("unpack") != std::string::npos, result.reason.c_str());
    }

    // Early versions' gzip-compressed documents read as the plain ones; a cut stream is
    // damaged.
    void gzipDocumentsRead() {
        std::vector<std::uint8_t> stream = Gzip(Ork(Mass("m", "top", 0, 0.01)));
        Design design;
        QVERIFY(ImportForeignBytes(stream, ForeignFormat::OpenRocket, design, {}).ok);
        stream.resize(stream.size() / 2);
        const ImportResult cut = ImportForeignBytes(stream, ForeignFormat::OpenRocket, design, {});
        QVERIFY(!cut.ok);
        QVERIFY2(cut.reason.find("gzip stream is damaged") != std::string::npos,
                 cut.reason.c_str());
    }

    // A zipped document reads as the plain one; a failure names the file.
    void packagesAndFilesRead() {
        const std::vector<std::uint8_t> zipped = Zip("rocket.ork", Ork(Mass("m", "top", 0, 0.01)));
        Design design;
        QVERIFY(ImportForeignBytes(zipped, ForeignFormat::OpenRocket, design, {}).ok);
        QVERIFY(std::any_of(design.Elements.begin(), design.Elements.end(), [](const auto& e) {
            return e->Caption == "m" && e->ClassName == "TBalast";
        }));
        QTemporaryDir dir;
        const std::string bad = (dir.path() + "/broken.ork").toStdString();
        QFile file(QString::fromStdString(bad));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("PK\x03\x04 broken");
        file.close();
        const ImportResult result = ImportForeignDesign(bad, design, {});
        QVERIFY(!result.ok);
        QVERIFY(result.message.find("broken.ork") != std::string::npos);
        QVERIFY(result.message.find("zip") != std::string::npos);
    }

    // vantor-kfx import writes a design file that reads back, and prints the report.
    void toolImportsAndReports() {
        QTemporaryDir dir;
        const QString in = dir.path() + "/r.ork", out = dir.path() + "/r.kfx";
        QFile file(in);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(Ork(Mass("Wadding", "top", 0, 0.01))));
        file.close();
        QProcess tool;
        tool.start(QStringLiteral(VANTOR_KFX_PATH), {"import", in, out, "--report"});
        QVERIFY(tool.waitForFinished(30000));
        QCOMPARE(tool.exitCode(), 0);
        const QString report = QString::fromUtf8(tool.readAllStandardOutput());
        QVERIFY2(report.contains("Wadding: drawn as a weight at its centre of gravity (10.0 g)"),
                 qPrintable(report));
        QProcess summary;
        summary.start(QStringLiteral(VANTOR_KFX_PATH), {"summary", out});
        QVERIFY(summary.waitForFinished(30000));
        QCOMPARE(summary.exitCode(), 0);
        QProcess direct;
        direct.start(QStringLiteral(VANTOR_KFX_PATH), {"summary", in});
        QVERIFY(direct.waitForFinished(30000));
        QCOMPARE(direct.readAllStandardOutput(), summary.readAllStandardOutput());
    }
};

QTEST_GUILESS_MAIN(ImportTest)
#include "tst_import.moc"
