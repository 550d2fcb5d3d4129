#include "model/Placing.h"

#include "designfile/DesignFile.h"
#include "model/AxisValues.h"
#include "model/NoseCones.h"
#include "support/SampleDesigns.h"

#include <QTest>
#include <cmath>

using namespace vantor;

namespace {

// What placing is to restore whatever happened to the design before.
enum class Disturbance { None, StaleCaches, DisplacedOutlines, PlacedTwice };

void Disturb(Design& design, Disturbance how) {
    switch (how) {
    case Disturbance::None:
        break;
    case Disturbance::StaleCaches:
        for (const auto& element : design.Elements) {
            element->CG = element->CP = 12345;
            if (element->ClassName != "TStatecznik") // a fin set caches no area
                element->Area = 12345;
            element->Corners = {};
            if (element->ClassName == "TStatecznik") // a fin set's outline is mirrored
                element->Flipped = !element->Flipped;
        }
        for (const auto& dimension : design.Dimensions)
            dimension->Caption = "stale";
        break;
    case Disturbance::DisplacedOutlines:
        // Everything but what the user placed: a root's first point and a ballast's height.
        for (const auto& element : design.Elements) {
            if (element->Parent == nullptr || element->ClassName == "TBalast")
                continue;
            for (TPoints& p : element->Points) {
                p.x += 1000;
                p.y -= 70;
            }
        }
        break;
    case Disturbance::PlacedTwice:
        PlaceDesign(design);
        break;
    }
}

bool SameFloat(float a, float b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

} // namespace

Q_DECLARE_METATYPE(Disturbance)

class TestPlacing : public QObject {
    Q_OBJECT

private slots:
    void placingDependsOnlyOnTheInputs_data() {
        QTest::addColumn<int>("sample");
        QTest::addColumn<Disturbance>("disturbance");
        const struct {
            const char* name;
            Disturbance how;
        } disturbances[] = {{"nothing", Disturbance::None},
                            {"stale caches", Disturbance::StaleCaches},
                            {"displaced outlines", Disturbance::DisplacedOutlines},
                            {"placed twice", Disturbance::PlacedTwice}};
        const auto& samples = test::SampleDesigns();
        for (int i = 0; i < int(samples.size()); ++i)
            for (const auto& d : disturbances)
                QTest::addRow("%s, %s", samples[std::size_t(i)].name, d.name) << i << d.how;
    }
    void placingDependsOnlyOnTheInputs() {
        QFETCH(int, sample);
        QFETCH(Disturbance, disturbance);
        const auto& build = test::SampleDesigns()[std::size_t(sample)].build;
        Design reference, disturbed;
        build(reference);
        build(disturbed);
        PlaceDesign(reference);
        Disturb(disturbed, disturbance);
        PlaceDesign(disturbed);

        QCOMPARE(EncodeDesign(disturbed), EncodeDesign(reference));
        QCOMPARE(disturbed.Elements.size(), reference.Elements.size());
        for (std::size_t i = 0; i < reference.Elements.size(); ++i) {
            const TRocketElement& got = *disturbed.Elements[i];
            const TRocketElement& want = *reference.Elements[i];
            QVERIFY(SameFloat(got.CG, want.CG));
            QVERIFY(SameFloat(got.CP, want.CP));
            QVERIFY(SameFloat(got.Area, want.Area));
            QCOMPARE(got.Flipped, want.Flipped);
            for (std::size_t k = 0; k < got.Corners.size(); ++k) {
                QCOMPARE(got.Corners[k].x, want.Corners[k].x);
                QCOMPARE(got.Corners[k].y, want.Corners[k].y);
            }
        }
        for (std::size_t i = 0; i < reference.Dimensions.size(); ++i)
            QCOMPARE(disturbed.Dimensions[i]->Caption, reference.Dimensions[i]->Caption);
    }

    // The ogive's curve follows its length at once: its control point comes from the
    // placed outline, not from a centre of gravity left by an earlier summary.
    void anOgiveFollowsItsLengthInOnePlacing() {
        Design design;
        test::DesignBuilder build(design);
        auto& ogive = build.nose<TGlowicaOgive>("TGlowicaOgive", 200, 50, 50, 300);
        PlaceDesign(design);
        ogive.Length = 290;
        PlaceDesign(design);
        const double coneCG = static_cast<float>(50 + 290 * 2.0 / 3.0);
        QCOMPARE(ogive.Corners[1].x, static_cast<double>(static_cast<float>(coneCG) / 1.0f));
        QCOMPARE(ogive.Points[1].x, 50.0 + 290);
    }

    // Dimension captions are written with the separator placing is given.
    void captionsTakeTheSeparatorOfThePlacing() {
        Design design;
        test::BuildFullRocket(design);
        QVERIFY(!design.Dimensions.empty());
        PlaceDesign(design, ',');
        bool anyDecimal = false;
        for (const auto& dimension : design.Dimensions) {
            QVERIFY(dimension->Caption.find('.') == std::string::npos);
            anyDecimal = anyDecimal || dimension->Caption.find(',') != std::string::npos;
        }
        QVERIFY(anyDecimal);
    }
};

QTEST_APPLESS_MAIN(TestPlacing)
#include "tst_placing.moc"
