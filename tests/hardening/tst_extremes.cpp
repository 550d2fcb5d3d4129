// Every component kind with every size field at the extremes a field or a file can
// hold, through everything the program does with a design: redraws, the summary, the
// weight button, the 3D model, a save and a load.

#include "analysis/Stability.h"
#include "analysis/Summary.h"
#include "canvas/DesignDrawing.h"
#include "canvas/QtDrawingSurface.h"
#include "designfile/DesignFile.h"
#include "model/FinSet.h"
#include "model/NullSurface.h"
#include "model/Placing.h"
#include "preview3d/Rocket3d.h"
#include "support/DesignBuilder.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <cfloat>
#include <climits>

using namespace vantor;

namespace {

const char* const Kinds[] = {"TGlowicaStozek", "TGlowicaOgive", "TGlowicaParabolic",
                             "TKorpus",        "TLozysko",      "TEngine",
                             "TStozekSciety",  "TStatecznik",   "TBalast"};

// Nose, tube, transition, second tube with fins, motor and mount, ballast: one of
// every kind, the nose of the kind under test when that is a nose.
struct Rocket {
    Design design;
    std::map<std::string, TRocketElement*> byKind;

    explicit Rocket(const std::string& noseKind) {
        test::DesignBuilder build(design);
        const std::string nose = noseKind.rfind("TGlowica", 0) == 0 ? noseKind : "TGlowicaStozek";
        auto& front = build.nose(nose, 200, 50, 50, 300);
        auto& tube = build.attach("TKorpus", front);
        auto& transition = build.attach("TStozekSciety", tube);
        auto& rear = build.attach("TKorpus", transition);
        auto& fins = build.attach<TStatecznik>("TStatecznik", rear);
        fins.FinA = 90;
        fins.FinB = 50;
        fins.FinC = 50;
        fins.FinD = 40;
        build.attach("TEngine", rear);
        build.attach("TLozysko", rear);
        build.attach("TBalast", tube).Weight = 40;
        for (auto& element : design.Elements) {
            if (element->ClassName != "TBalast")
                element->ComputeWeight();
            byKind.emplace(element->ClassName, element.get());
        }
        byKind[nose] = &front;
    }
};

void Set(TRocketElement& element, const QString& field, double value) {
    auto* fins = dynamic_cast<TStatecznik*>(&element);
    const auto asFloat = static_cast<float>(value);
    if (field == "Length")
        element.Length = asFloat;
    else if (field == "DiameterA")
        element.DiameterA = asFloat;
    else if (field == "DiameterB")
        element.DiameterB = asFloat;
    else if (field == "Thickness")
        element.Thickness = asFloat;
    else if (field == "Offset")
        element.Offset = asFloat;
    else if (field == "Weight")
        element.Weight = asFloat;
    else if (field == "Density")
        element.Density = asFloat;
    else if (field == "FinA")
        fins->FinA = asFloat;
    else if (field == "FinB")
        fins->FinB = asFloat;
    else if (field == "FinC")
        fins->FinC = asFloat;
    else if (field == "FinD")
        fins->FinD = asFloat;
    else if (field == "FinCount")
        fins->FinCount =
            static_cast<std::int32_t>(std::clamp(value, double(INT_MIN), double(INT_MAX)));
}

} // namespace

class TestExtremes : public QObject {
    Q_OBJECT

private slots:
    void everyFieldAtEveryExtreme_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("field");
        QTest::addColumn<double>("value");
        const QStringList sizes{"Length", "DiameterA", "DiameterB", "Thickness",
                                "Offset", "Weight",    "Density"};
        const QStringList finFields{"FinA", "FinB", "FinC", "FinD", "FinCount"};
        const std::pair<const char*, double> extremes[] = {
            {"0", 0.0},
            {"1", 1.0},
            {"-1", -1.0},
            {"int max", double(INT_MAX)},
            {"int min", double(INT_MIN)},
            {"largest float", double(FLT_MAX)},
            {"largest negative float", -double(FLT_MAX)},
            {"smallest subnormal", double(FLT_TRUE_MIN)},
        };
        for (const char* kind : Kinds) {
            QStringList fields = sizes;
            if (QString(kind) == "TStatecznik")
                fields += finFields;
            for (const QString& field : fields)
                for (const auto& [name, value] : extremes) {
                    // Fin counts come from the dialog (2 to 4) or a file (1 and more).
                    if (field == "FinCount" && value < 1)
                        continue;
                    QTest::addRow("%s %s %s", kind, qPrintable(field), name)
                        << QString(kind) << field << value;
                }
        }
    }

    void everyFieldAtEveryExtreme() {
        QFETCH(QString, kind);
        QFETCH(QString, field);
        QFETCH(double, value);
        Rocket rocket(kind.toStdString());
        TRocketElement& target = *rocket.byKind.at(kind.toStdString());
        Set(target, field, value);

        // Redraws as the design window does, onto a screen-sized view of the image.
        QImage view(1920, 1080, QImage::Format_ARGB32_Premultiplied);
        for (int pass = 0; pass < 3; ++pass) {
            view.fill(Qt::white);
            QtDrawingSurface surface(view, 1.0, QPoint(0, 300 - 540));
            PlaceDesign(rocket.design);
            DrawDesign(rocket.design, surface);
            const Summary summary = ComputeSummary(rocket.design, &surface, '.');
            QVERIFY(summary.failed || summary.rows.size() == 6);
        }
        // No result is a number beyond any rocket: it is left out, with a reason.
        const StabilityAnalysis analysis = AnalyseStability(rocket.design);
        for (const auto& [value, limit] : {std::pair{analysis.cp, MaxPlausibleLength},
                                           {analysis.cg, MaxPlausibleLength},
                                           {analysis.referenceDiameter, MaxPlausibleLength},
                                           {analysis.calibers, MaxPlausibleCalibers}})
            QVERIFY2(!value || std::abs(*value) <= limit, QByteArray::number(*value));
        const Summary checked = ComputeSummary(rocket.design, nullptr, '.');
        QVERIFY(checked.failed || (std::abs(checked.cp) <= MaxPlausibleLength &&
                                   std::abs(checked.cg) <= MaxPlausibleLength &&
                                   std::abs(checked.weight) <= MaxPlausibleWeight));

        // Cases whose summary must fail: a transition that does not narrow or widen, and
        // fins without chords.
        if (kind == "TStozekSciety" && field == "DiameterB" && value == 50)
            QVERIFY(ComputeSummary(rocket.design, nullptr, '.').failed);

        // The weight button on every element: stored weights stay finite.
        for (auto& element : rocket.design.Elements) {
            element->ComputeWeight();
            QVERIFY(std::isfinite(element->Weight));
        }

        TRocket3d model;
        int noseRings = 0;
        model.Build(rocket.design, noseRings);

        QTemporaryDir folder;
        const std::filesystem::path path = (folder.path() + "/extreme.kfx").toStdString();
        const SaveResult saved = SaveDesign(rocket.design, path);
        if (saved.ok) {
            Design loaded;
            const LoadResult read = LoadDesign(path, loaded);
            QVERIFY2(read.ok, read.message.c_str());
            QCOMPARE(loaded.Elements.size(), rocket.design.Elements.size());
            QCOMPARE(EncodeDesign(loaded), EncodeDesign(rocket.design));
        } else {
            QVERIFY(!saved.reason.empty());
            QVERIFY(!std::filesystem::exists(path));
        }

        QCOMPARE(rocket.design.tree.nodeCount(), rocket.design.Elements.size());
        for (const auto& element : rocket.design.Elements)
            QVERIFY(element->Points.size() >= element->OutlinePointCount());
    }

    void hugeFinsAreSampledWithoutFreezing_data() {
        QTest::addColumn<float>("span");
        QTest::newRow("span 90000") << 90000.f;
        QTest::newRow("span -90000") << -90000.f;
        QTest::newRow("span int min") << float(INT_MIN);
    }
    void hugeFinsAreSampledWithoutFreezing() {
        QFETCH(float, span);
        Rocket rocket("TGlowicaStozek");
        auto& fins = static_cast<TStatecznik&>(*rocket.byKind.at("TStatecznik"));
        fins.FinD = span;
        fins.FinA = 2e9f;
        NullSurface surface;
        PlaceDesign(rocket.design);
        DrawDesign(rocket.design, surface);
        const double area = fins.ComputeArea();
        QVERIFY(area >= 0);
    }
};

QTEST_MAIN(TestExtremes)
#include "tst_extremes.moc"
