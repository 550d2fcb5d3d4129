// The design file reader: rebuilding the design, round trips, and refusing damaged files.
#include "designfile/DesignFile.h"
#include "model/Placing.h"
#include "support/SampleDesigns.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

using namespace vantor;
using namespace vantor::test;

namespace {

using Bytes = std::vector<std::uint8_t>;
using Damage = std::function<void(Bytes&)>;

void SetInt32(Bytes& bytes, std::size_t offset, std::int32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes.at(offset + i) =
            static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i));
}

void SetFloat(Bytes& bytes, std::size_t offset, float value) {
    SetInt32(bytes, offset, std::bit_cast<std::int32_t>(value));
}

void SetDouble(Bytes& bytes, std::size_t offset, double value) {
    std::memcpy(bytes.data() + offset, &value, sizeof value); // the test machine is little-endian
}

void SetText(Bytes& bytes, std::size_t offset, std::string_view text) {
    for (std::size_t i = 0; i < 30; ++i)
        bytes.at(offset + i) = i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0;
}

void Erase(Bytes& bytes, std::size_t offset, std::size_t count) {
    bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                bytes.begin() + static_cast<std::ptrdiff_t>(offset + count));
}

// Nose (3 points) at 8, body tube (4 points) at 186, fin set (4 points) at 380, a linear
// dimension (3 points) at 598; 710 bytes in all.
constexpr std::size_t Nose = 8, Tube = 186, Fins = 380, Dimension = 598;

Bytes BaseFile() {
    Design design;
    AxisY = 100;
    ElementTree::Node* nose = AttachNose<TGlowicaStozek>(design, 10);
    ElementTree::Node* tube = Attach<TKorpus>(design, nose);
    auto& fins = ElementOf<TStatecznik>(Attach<TStatecznik>(design, tube));
    fins.FinA = 30;
    fins.FinC = 20;
    fins.FinD = 25;
    AddDimension(design, "TWymiar", {{0, 0}, {100, 0}, {50, -20}});
    Settle(design);
    return EncodeDesign(design);
}

Bytes Encoded(void (*build)(Design&)) {
    Design design;
    build(design);
    return EncodeDesign(design);
}

QString FuzzDir() {
    return QStringLiteral(VANTOR_FUZZ_DIR);
}

Bytes ReadAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.readAll();
    return Bytes(data.begin(), data.end());
}

} // namespace

Q_DECLARE_METATYPE(Damage)
Q_DECLARE_METATYPE(std::string)

class DesignReaderTest : public QObject {
    Q_OBJECT

private slots:
    void baseFileHasTheExpectedLayout() {
        const Bytes bytes = BaseFile();
        QCOMPARE(bytes.size(), std::size_t{710});
        Design design;
        QVERIFY(DecodeDesign(bytes, design).ok);
    }

    void loadRebuildsElementsTreeAndDimensions() {
        Design original;
        BuildFullRocket(original);
        const Bytes bytes = EncodeDesign(original);
        AxisY = -1;
        OriginX = -1;

        Design loaded;
        const LoadResult result = DecodeDesign(bytes, loaded);
        QVERIFY2(result.ok, result.message.c_str());
        QCOMPARE(result.trailingBytes, std::size_t{0});
        QCOMPARE(AxisY, 300.0f);
        QCOMPARE(OriginX, 50.0f);

        // Elements come in file order, which is the original's tree order.
        const auto originalNodes = original.tree.nodesInOrder();
        QCOMPARE(loaded.Elements.size(), originalNodes.size());
        QCOMPARE(loaded.tree.nodeCount(), originalNodes.size());
        const auto loadedNodes = loaded.tree.nodesInOrder();
        const std::vector<int> parents{-1, 0, 1, 1, 1, 4, 0};
        for (std::size_t i = 0; i < loaded.Elements.size(); ++i) {
            const TRocketElement& want = *originalNodes[i]->element;
            const TRocketElement& got = *loaded.Elements[i];
            QCOMPARE(loadedNodes[i]->element, &got);
            QCOMPARE(got.ClassName, want.ClassName);
            QCOMPARE(got.Caption, want.Caption);
            QCOMPARE(got.Material, want.Material);
            QCOMPARE(got.Weight, want.Weight);
            QCOMPARE(got.Density, want.Density);
            QCOMPARE(got.Length, want.Length);
            QCOMPARE(got.DiameterA, want.DiameterA);
            QCOMPARE(got.DiameterB, want.DiameterB);
            QCOMPARE(got.Thickness, want.Thickness);
            QCOMPARE(got.Offset, want.Offset);
            QCOMPARE(got.ParentIndex, parents[i]);
            QCOMPARE(got.Parent, parents[i] < 0 ? nullptr : loaded.Elements[parents[i]].get());
            QCOMPARE(got.Points.size(), want.Points.size());
            for (std::size_t k = 0; k < got.Points.size(); ++k) {
                QCOMPARE(got.Points[k].x, want.Points[k].x);
                QCOMPARE(got.Points[k].y, want.Points[k].y);
            }
            QCOMPARE(got.Selected, false);
        }
        const auto& fins = static_cast<const TStatecznik&>(*loaded.Elements[2]);
        QCOMPARE(fins.FinA, 80.0f);
        QCOMPARE(fins.FinB, 30.0f);
        QCOMPARE(fins.FinC, 40.0f);
        QCOMPARE(fins.FinD, 60.0f);
        QCOMPARE(fins.FinCount, 4);
        // Centres of gravity and pressure are computed as each element is read.
        const TRocketElement& tube = *loaded.Elements[1];
        QCOMPARE(tube.CG, static_cast<float>(tube.Points[0].x + 250.0));
        QCOMPARE(loaded.Elements[0]->CP, static_cast<float>(50 + 200 * 0.466));
        QVERIFY(fins.CP > fins.Points[0].x);

        QCOMPARE(loaded.Dimensions.size(), std::size_t{4});
        for (std::size_t i = 0; i < 4; ++i) {
            QCOMPARE(loaded.Dimensions[i]->ClassName, original.Dimensions[i]->ClassName);
            QCOMPARE(loaded.Dimensions[i]->Caption, original.Dimensions[i]->Caption);
            QCOMPARE(loaded.Dimensions[i]->Points.size(), std::size_t{3});
            QCOMPARE(loaded.Dimensions[i]->Points[1].x, original.Dimensions[i]->Points[1].x);
        }
    }

    void loadedFileSavedAgainIsIdentical_data() {
        QTest::addColumn<int>("sample");
        for (std::size_t i = 0; i < SampleDesigns().size(); ++i)
            QTest::newRow(SampleDesigns()[i].name) << int(i);
    }

    void loadedFileSavedAgainIsIdentical() {
        QFETCH(int, sample);
        // The design as the program holds it after a redraw.
        Design original;
        SampleDesigns()[static_cast<std::size_t>(sample)].build(original);
        Settle(original);
        const Bytes bytes = EncodeDesign(original);

        Design loaded;
        QVERIFY(DecodeDesign(bytes, loaded).ok);
        QCOMPARE(EncodeDesign(loaded), bytes);
        // Drawing the loaded design, as the window does after opening, changes nothing
        // that is stored.
        RecordingSurface surface;
        PlaceDesign(loaded);
        DrawDesign(loaded, surface);
        QCOMPARE(EncodeDesign(loaded), bytes);
    }

    void textsRoundTrip_data() {
        QTest::addColumn<std::string>("caption");
        QTest::addColumn<std::string>("loaded");
        QTest::newRow("polish") << std::string("Łódź") << std::string("Łódź");
        QTest::newRow("all polish letters")
            << std::string("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ") << std::string("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ");
        QTest::newRow("unmappable") << std::string("Año 火") << std::string("A?o ?");
        QTest::newRow("cut to 29") << std::string(35, 'k') << std::string(29, 'k');
    }

    void textsRoundTrip() {
        QFETCH(std::string, caption);
        QFETCH(std::string, loaded);
        Design design;
        AxisY = 0;
        ElementTree::Node* nose = AttachNose<TGlowicaStozek>(design, 0);
        nose->element->Caption = caption;
        nose->element->Material = caption;
        AddDimension(design, "TWymiar", {});
        design.Dimensions[0]->Caption = caption;
        Design read;
        QVERIFY(DecodeDesign(EncodeDesign(design), read).ok);
        QCOMPARE(read.Elements[0]->Caption, loaded);
        QCOMPARE(read.Elements[0]->Material, loaded);
        QCOMPARE(read.Dimensions[0]->Caption, loaded);
    }

    void undefinedByteLoadsAsReplacementCharacter() {
        Bytes bytes = BaseFile();
        SetText(bytes, Tube + 34, "a\x98z");
        Design design;
        QVERIFY(DecodeDesign(bytes, design).ok);
        QCOMPARE(design.Elements[1]->Caption, std::string("a\xEF\xBF\xBDz"));
    }

    void loneRootKeepsTheStoredAxisValue() {
        const Bytes bytes = Encoded(BuildNoseAlone); // axis 250, diameter 60, tip at 40
        AxisY = 0;
        OriginX = 0;
        Design design;
        QVERIFY(DecodeDesign(bytes, design).ok);
        QCOMPARE(AxisY, 250.0f);
        QCOMPARE(OriginX, 40.0f);
        QCOMPARE(design.Elements[0]->Parent, nullptr);
        QCOMPARE(design.Elements[0]->ParentIndex, -1);
    }

    void eachRecordSetsTheAxisValue() {
        Bytes bytes = BaseFile();
        SetFloat(bytes, Nose + 98, 11);
        SetFloat(bytes, Tube + 98, 22);
        SetFloat(bytes, Fins + 98, 33);
        Design design;
        const LoadResult result = DecodeDesign(bytes, design);
        QVERIFY(result.ok);
        QCOMPARE(result.axisValues, (std::vector<float>{11, 22, 33}));
        QCOMPARE(AxisY, 33.0f);
    }

    void wellFormedOddDesignsLoadAndDraw() {
        Design design;
        QVERIFY(DecodeDesign(Encoded(BuildUnusual), design).ok);
        QCOMPARE(design.tree.roots().size(), std::size_t{2});
        QCOMPARE(design.Elements[1]->ClassName, std::string("TStatecznik"));
        QCOMPARE(design.Elements[1]->Parent, design.Elements[0].get());
        QCOMPARE(OriginX, 400.0f); // the last root read
        RecordingSurface surface;
        PlaceDesign(design);
        DrawDesign(design, surface);
        // Two noses of three lines each, the fin set's two outlines of four, the
        // transition's four.
        QCOMPARE(surface.calls.size(), std::size_t{3 + 3 + 8 + 4});
    }

    // A parent index names the node at that index of the tree as built so far, which in
    // a file whose records are not in tree order is not the record at that index. Rows
    // give each record's parent index; `parents` the record each one ends up under.
    void parentIndexNamesTheNodeOfTheTreeSoFar_data() {
        QTest::addColumn<QList<int>>("indices");
        QTest::addColumn<QList<int>>("parents");
        // After four records the tree reads nose, B1, B3, B2: index 3 is B2.
        QTest::newRow("motor under the third body")
            << QList<int>{-1, 0, 0, 1, 3} << QList<int>{-1, 0, 0, 1, 2};
        QTest::newRow("tree order") << QList<int>{-1, 0, 1, 1, 0} << QList<int>{-1, 0, 1, 1, 0};
        // Tree order after four records: R0, B3, R1, B2; index 2 is R1.
        QTest::newRow("child of a later root")
            << QList<int>{-1, -1, 1, 0, 2} << QList<int>{-1, -1, 1, 0, 1};
        // Tree order after four records: R0, B2, R1, B3; index 3 is B3.
        QTest::newRow("child of the later root's child")
            << QList<int>{-1, -1, 0, 2, 3} << QList<int>{-1, -1, 0, 1, 3};
    }
    void parentIndexNamesTheNodeOfTheTreeSoFar() {
        QFETCH(QList<int>, indices);
        QFETCH(QList<int>, parents);
        Design design;
        AxisY = 0;
        ElementTree::Node* nose = AttachNose<TGlowicaStozek>(design, 0);
        for (qsizetype i = 1; i < indices.size(); ++i)
            Attach<TKorpus>(design, nose);
        Bytes bytes = EncodeDesign(design);
        for (qsizetype i = 1; i < indices.size(); ++i)
            SetInt32(bytes, 8 + 178 + 194 * std::size_t(i - 1) + 94, indices[i]);
        Design read;
        QVERIFY(DecodeDesign(bytes, read).ok);
        for (qsizetype i = 0; i < parents.size(); ++i)
            QCOMPARE(read.Elements[i]->Parent,
                     parents[i] < 0 ? nullptr : read.Elements[parents[i]].get());
    }

    // Long random files: every record lands under the node that a plain depth-first
    // count over the tree built so far finds.
    void randomParentIndicesFollowTheTreeSoFar() {
        std::mt19937 random(7);
        for (int round = 0; round < 5; ++round) {
            constexpr std::size_t count = 400;
            Design design;
            AxisY = 0;
            ElementTree::Node* nose = AttachNose<TGlowicaStozek>(design, 0);
            for (std::size_t i = 1; i < count; ++i)
                Attach<TKorpus>(design, nose);
            Bytes bytes = EncodeDesign(design);
            Design expected;
            expected.addElement(std::make_unique<TGlowicaStozek>(), nullptr);
            for (std::size_t i = 1; i < count; ++i) {
                const int index = int(random() % (i + 1)) - 1; // -1 .. i-1
                SetInt32(bytes, 8 + 178 + 194 * (i - 1) + 94, index);
                expected.addElement(std::make_unique<TKorpus>(),
                                    index < 0 ? nullptr : expected.tree.nodeAt(std::size_t(index)));
            }
            Design read;
            QVERIFY(DecodeDesign(bytes, read).ok);
            const auto wanted = expected.tree.nodesInOrder();
            const auto got = read.tree.nodesInOrder();
            QCOMPARE(got.size(), wanted.size());
            const auto recordOf = [](const Design& d, const ElementTree::Node* node) {
                for (std::size_t k = 0; k < d.Elements.size(); ++k)
                    if (d.Elements[k].get() == node->element)
                        return k;
                return d.Elements.size();
            };
            for (std::size_t i = 0; i < got.size(); ++i) {
                QCOMPARE(recordOf(read, got[i]), recordOf(expected, wanted[i]));
                QCOMPARE(read.tree.absoluteIndex(got[i]->parent),
                         expected.tree.absoluteIndex(wanted[i]->parent));
            }
        }
    }

    void trailingBytesAreIgnored() {
        Bytes bytes = BaseFile();
        const Bytes clean = bytes;
        bytes.insert(bytes.end(), {1, 2, 3, 4, 5});
        Design design;
        const LoadResult result = DecodeDesign(bytes, design);
        QVERIFY(result.ok);
        QCOMPARE(result.trailingBytes, std::size_t{5});
        QCOMPARE(EncodeDesign(design), clean);
    }

    // A chain of elements, each under the one before: up to the deepest level a design
    // may have it loads and saves the same bytes; deeper it is refused whole. Building,
    // saving and freeing a chain of a hundred thousand must not run out of stack.
    void deepChainsLoadUpToTheLimit_data() {
        QTest::addColumn<std::size_t>("depth");
        QTest::newRow("at the limit") << MaxTreeDepth;
        QTest::newRow("one level deeper") << MaxTreeDepth + 1;
        QTest::newRow("a hundred thousand") << std::size_t{100000};
    }

    void deepChainsLoadUpToTheLimit() {
        QFETCH(std::size_t, depth);
        Bytes bytes;
        {
            Design design;
            AxisY = 0;
            ElementTree::Node* node = AttachNose<TGlowicaStozek>(design, 0);
            for (std::size_t i = 1; i < depth; ++i)
                node = Attach<TBalast>(design, node);
            QCOMPARE(ElementTree::depth(node), depth);
            QCOMPARE(ElementTree::canAttachBelow(node), depth < MaxTreeDepth);
            bytes = EncodeDesign(design);
        }
        QCOMPARE(bytes.size(), 8 + 178 + (depth - 1) * 146);
        Design design;
        const LoadResult result = DecodeDesign(bytes, design);
        if (depth > MaxTreeDepth) {
            QVERIFY(!result.ok);
            QCOMPARE(result.message, "record " + std::to_string(MaxTreeDepth + 1) +
                                         ": the components are nested more than 256 levels deep");
            QVERIFY(design.empty());
            return;
        }
        QVERIFY(result.ok);
        QCOMPARE(design.tree.nodeCount(), depth);
        QCOMPARE(EncodeDesign(design), bytes);
    }

    void decodingReplacesEarlierContent() {
        Design design;
        BuildFullRocket(design);
        QVERIFY(DecodeDesign(Bytes(8, 0), design).ok);
        QVERIFY(design.empty());
        QVERIFY(design.tree.empty());
    }

    void damagedFileIsRefusedWhole_data() {
        QTest::addColumn<Damage>("damage");
        QTest::addColumn<std::string>("message");
        auto row = [](const char* name, Damage damage, std::string message) {
            QTest::newRow(name) << damage << message;
        };
        row(
            "empty file", [](Bytes& b) { b.clear(); },
            "the file ends early: it has 0 bytes, fewer than the 8 of the header");
        row(
            "header cut short", [](Bytes& b) { b.resize(5); },
            "the file ends early: it has 5 bytes, fewer than the 8 of the header");
        row(
            "file ends among the element records", [](Bytes& b) { b.resize(300); },
            "the file ends early: 3 components and 1 dimension need at least 454 bytes, but "
            "only 292 follow the header");
        row(
            "file ends in a fin block",
            [](Bytes& b) {
                b.resize(Dimension - 10);
                SetInt32(b, 4, 0);
            },
            "record 3: the file ends early: 4 points and the fin block need 88 bytes, but only "
            "78 are left");
        row(
            "file ends in the last record", [](Bytes& b) { b.resize(700); },
            "record 4: the file ends early: 3 points need 48 bytes, but only 38 are left");
        row(
            "negative component count", [](Bytes& b) { SetInt32(b, 0, -1); },
            "the header gives a negative component count (-1)");
        row(
            "negative dimension count", [](Bytes& b) { SetInt32(b, 4, -7); },
            "the header gives a negative dimension count (-7)");
        row(
            "component count beyond the file", [](Bytes& b) { SetInt32(b, 0, 0x7FFFFFFF); },
            "the file ends early: 2147483647 components and 1 dimension need at least "
            "279172874174 bytes, but only 702 follow the header");
        row(
            "dimension count beyond the file", [](Bytes& b) { SetInt32(b, 4, 20); },
            "the file ends early: 3 components and 20 dimensions need at least 1670 bytes, but "
            "only 702 follow the header");
        row(
            "negative point count", [](Bytes& b) { SetInt32(b, Tube + 30, -1); },
            "record 2: negative point count (-1)");
        row(
            "point count beyond the file", [](Bytes& b) { SetInt32(b, Tube + 30, 0x10000000); },
            "record 2: the file ends early: 268435456 points need 4294967296 bytes, but only "
            "200 are left");
        row(
            "dimension point count beyond the file",
            [](Bytes& b) { SetInt32(b, Dimension + 60, 4); },
            "record 4: the file ends early: 4 points need 64 bytes, but only 48 are left");
        row(
            "unknown component", [](Bytes& b) { SetText(b, Tube, "TFoo"); },
            "record 2: unknown component \"TFoo\"");
        row(
            "class names are case-sensitive", [](Bytes& b) { SetText(b, Tube, "tkorpus"); },
            "record 2: unknown component \"tkorpus\"");
        row(
            "abstract element class", [](Bytes& b) { SetText(b, Nose, "TRocketElement"); },
            "record 1: unknown component \"TRocketElement\"");
        row(
            "dimension among the components", [](Bytes& b) { SetText(b, Tube, "TWymiar"); },
            "record 2: \"TWymiar\" is a dimension where a component was expected");
        row(
            "component among the dimensions", [](Bytes& b) { SetText(b, Dimension, "TKorpus"); },
            "record 4: \"TKorpus\" is a component where a dimension was expected");
        row(
            "unknown dimension", [](Bytes& b) { SetText(b, Dimension, "TShaped"); },
            "record 4: unknown dimension \"TShaped\"");
        row(
            "parent index below -1", [](Bytes& b) { SetInt32(b, Tube + 94, -2); },
            "record 2: parent index -2 names no component read before it");
        row(
            "parent index of the record itself", [](Bytes& b) { SetInt32(b, Tube + 94, 1); },
            "record 2: parent index 1 names no component read before it");
        row(
            "parent index of a later record", [](Bytes& b) { SetInt32(b, Tube + 94, 2); },
            "record 2: parent index 2 names no component read before it");
        row(
            "body tube with three points",
            [](Bytes& b) {
                SetInt32(b, Tube + 30, 3);
                Erase(b, Tube + 130 + 48, 16);
            },
            "record 2: \"TKorpus\" has 3 points, but its kind is drawn with 4");
        row(
            "body tube with 1025 points",
            [](Bytes& b) {
                SetInt32(b, Tube + 30, 1025);
                b.insert(b.begin() + Tube + 130 + 64, (1025 - 4) * 16, 0);
            },
            "record 2: \"TKorpus\" has 1025 points, more than the 1024 a component may have");
        row(
            "nose cone without points",
            [](Bytes& b) {
                SetInt32(b, Nose + 30, 0);
                Erase(b, Nose + 130, 48);
            },
            "record 1: \"TGlowicaStozek\" has 0 points, but its kind is drawn with 3");
        row(
            "axis value not finite",
            [](Bytes& b) { SetFloat(b, Nose + 98, std::numeric_limits<float>::infinity()); },
            "record 1: the axis value is not a finite number");
        row(
            "length not a number",
            [](Bytes& b) { SetFloat(b, Tube + 110, std::numeric_limits<float>::quiet_NaN()); },
            "record 2: Length is not a finite number");
        row(
            "offset infinite",
            [](Bytes& b) { SetFloat(b, Fins + 126, -std::numeric_limits<float>::infinity()); },
            "record 3: Offset is not a finite number");
        row(
            "outline point not a number",
            [](Bytes& b) {
                SetDouble(b, Tube + 130 + 2 * 16 + 8, std::numeric_limits<double>::quiet_NaN());
            },
            "record 2: point 3 is not a finite number");
        row(
            "dimension point infinite",
            [](Bytes& b) { SetDouble(b, Dimension + 64, std::numeric_limits<double>::infinity()); },
            "record 4: point 1 is not a finite number");
        row(
            "fin chord not a number",
            [](Bytes& b) { SetFloat(b, Fins + 194 + 8, std::numeric_limits<float>::quiet_NaN()); },
            "record 3: FinC is not a finite number");
        row(
            "no fins", [](Bytes& b) { SetInt32(b, Fins + 194 + 20, 0); },
            "record 3: fin count 0 is below 1");
        row(
            "negative fin count", [](Bytes& b) { SetInt32(b, Fins + 194 + 20, -3); },
            "record 3: fin count -3 is below 1");
    }

    void damagedFileIsRefusedWhole() {
        QFETCH(Damage, damage);
        QFETCH(std::string, message);
        Bytes bytes = BaseFile();
        damage(bytes);
        Design design;
        BuildNoseAlone(design); // content the load must not leave behind
        OriginX = 12.25f;
        AxisY = -3.5f;
        const LoadResult result = DecodeDesign(bytes, design);
        QVERIFY(!result.ok);
        QCOMPARE(QString::fromStdString(result.message), QString::fromStdString(message));
        QVERIFY(design.empty());
        QVERIFY(design.tree.empty());
        QCOMPARE(OriginX, 12.25f);
        QCOMPARE(AxisY, -3.5f);
    }

    void fileThatCannotBeReadGivesItsName_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing file") << QStringLiteral("missing.kfx");
        QTest::newRow("folder") << QStringLiteral("folder");
        QTest::newRow("under a missing folder") << QStringLiteral("nowhere/at/all.kfx");
        // Refused at once: reading would block, or never end.
        QTest::newRow("FIFO") << QStringLiteral("fifo.kfx");
        QTest::newRow("link to a FIFO") << QStringLiteral("link.kfx");
        QTest::newRow("device") << QStringLiteral("/dev/zero");
    }

    void fileThatCannotBeReadGivesItsName() {
        QFETCH(QString, name);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("fifo.kfx")).constData(), 0600), 0);
        QVERIFY(QFile::link(dir.filePath("fifo.kfx"), dir.filePath("link.kfx")));
        const std::string path =
            (name.startsWith('/') ? name : dir.path() + '/' + name).toStdString();
        Design design;
        const LoadResult result = LoadDesign(path, design);
        QVERIFY(!result.ok);
        QCOMPARE(result.message, path);
        QVERIFY(!result.reason.empty());
        QVERIFY(design.empty());
        QCOMPARE(std::string(ReadErrorCaption), std::string("uwaga, błąd odczytu"));
    }

    void refusedFileGivesItsNameAndTheReason() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("broken.kfx"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\x01\0\0\0\0\0\0\0", 8);
        file.close();
        Design design;
        const LoadResult result = LoadDesign(path.toStdString(), design);
        QVERIFY(!result.ok);
        const std::string reason =
            "the file ends early: 1 component and 0 dimensions need at least 130 bytes, but "
            "only 0 follow the header";
        QCOMPARE(result.reason, reason);
        QCOMPARE(result.message, path.toStdString() + "\n" + reason);
    }

    void hugeFileIsRefusedUnread() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("huge.kfx"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(qint64{300} << 20)); // sparse: takes no disk space
        file.close();
        Design design;
        const LoadResult result = LoadDesign(path.toStdString(), design);
        QVERIFY(!result.ok);
        const std::string reason = "the file is larger than 256 MiB, too large for a design";
        QCOMPARE(result.reason, reason);
        QCOMPARE(result.message, path.toStdString() + "\n" + reason);
    }

    void loadDesignReadsAFile() {
        QTemporaryDir dir;
        const std::string path = dir.filePath(QStringLiteral("rocket.kfx")).toStdString();
        Design original;
        BuildFullRocket(original);
        const SaveResult saved = SaveDesign(original, path);
        QVERIFY2(saved.ok, saved.reason.c_str());
        Design design;
        QVERIFY(LoadDesign(path, design).ok);
        QCOMPARE(design.Elements.size(), std::size_t{7});
        QCOMPARE(EncodeDesign(design), EncodeDesign(original));
    }

    // The fuzzer's seed files are what the writer makes of the sample designs. Setting
    // VANTOR_UPDATE_FUZZ_CORPUS writes them afresh.
    void fuzzSeedsAreTheWritersOutput_data() { loadedFileSavedAgainIsIdentical_data(); }

    void fuzzSeedsAreTheWritersOutput() {
        QFETCH(int, sample);
        const SampleDesign& entry = SampleDesigns()[static_cast<std::size_t>(sample)];
        Design design;
        entry.build(design);
        const Bytes bytes = EncodeDesign(design);
        const QString path = FuzzDir() + "/corpus/" + entry.name + ".kfx";
        if (qEnvironmentVariableIsSet("VANTOR_UPDATE_FUZZ_CORPUS")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
        }
        QCOMPARE(ReadAll(path), bytes);
    }

    // Every file the fuzzer starts from or once failed on: decoding either refuses it
    // and leaves nothing, or gives a design that saves and loads back unchanged.
    void fuzzInputsDecodeSafely_data() {
        QTest::addColumn<QString>("path");
        for (const char* folder : {"corpus", "regressions"}) {
            const QDir dir(FuzzDir() + '/' + folder);
            for (const QString& name : dir.entryList(QDir::Files))
                if (!name.endsWith(QStringLiteral(".md")))
                    QTest::newRow(qPrintable(QString(folder) + '/' + name)) << dir.filePath(name);
        }
    }

    void fuzzInputsDecodeSafely() {
        QFETCH(QString, path);
        const Bytes bytes = ReadAll(path);
        Design design;
        const LoadResult result = DecodeDesign(bytes, design);
        if (!result.ok) {
            QVERIFY(!result.message.empty());
            QVERIFY(design.empty());
            return;
        }
        const Bytes once = EncodeDesign(design);
        QCOMPARE(once.size(), bytes.size() - result.trailingBytes);
        Design again;
        QVERIFY(DecodeDesign(once, again).ok);
        QCOMPARE(EncodeDesign(again), once);
        RecordingSurface surface;
        PlaceDesign(again);
        DrawDesign(again, surface);
    }
};

QTEST_APPLESS_MAIN(DesignReaderTest)
#include "tst_design_reader.moc"
