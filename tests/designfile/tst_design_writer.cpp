// The design file writer: byte layout, record sizes, parent indexes and text fields.
#include "designfile/DesignFile.h"
#include "designfile/TextCodec.h"
#include "support/SampleDesigns.h"

#include <QTest>

#include <bit>
#include <cstring>

using namespace vantor;
using namespace vantor::test;

Q_DECLARE_METATYPE(std::string)

namespace {

using Bytes = std::vector<std::uint8_t>;

std::int32_t Int32At(const Bytes& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= std::uint32_t{bytes.at(offset + i)} << (8 * i);
    return static_cast<std::int32_t>(value);
}

float FloatAt(const Bytes& bytes, std::size_t offset) {
    return std::bit_cast<float>(static_cast<std::uint32_t>(Int32At(bytes, offset)));
}

// The text of a 30-byte field up to its first zero, as raw bytes.
std::string RawTextAt(const Bytes& bytes, std::size_t offset) {
    std::string text;
    for (std::size_t i = 0; i < TextFieldSize && bytes.at(offset + i) != 0; ++i)
        text.push_back(static_cast<char>(bytes[offset + i]));
    return text;
}

// A conical nose with a body tube under it and a fin set under the tube.
void BuildNoseTubeFins(Design& design) {
    AxisY = 100;
    ElementTree::Node* nose = AttachNose<TGlowicaStozek>(design, 10);
    ElementTree::Node* tube = Attach<TKorpus>(design, nose);
    auto& fins = ElementOf<TStatecznik>(Attach<TStatecznik>(design, tube));
    fins.FinA = 1.5f;
    fins.FinB = 2.5f;
    fins.FinC = 3.5f;
    fins.FinD = 4.5f;
    fins.FinSpare = 5.5f;
    fins.FinCount = 6;
}

} // namespace

class DesignWriterTest : public QObject {
    Q_OBJECT

private slots:
    void emptyDesignIsTheEightByteHeader() {
        Design design;
        QCOMPARE(EncodeDesign(design), Bytes(8, 0));
    }

    // A ballast record written out byte by byte: every field at its offset, little-endian,
    // texts zero-filled to 30 bytes, no padding.
    void recordBytesFollowTheLayout() {
        Design design;
        AxisY = 100; // 0x42C80000
        ElementTree::Node* nose = AttachNose<TGlowicaStozek>(design, 0);
        auto& ballast = ElementOf<TBalast>(Attach<TBalast>(design, nose));
        ballast.Caption = "B";
        ballast.Material = "Ol";
        ballast.Weight = 2;                          // 0x40000000
        ballast.Density = -1;                        // 0xBF800000
        ballast.Length = 0.5f;                       // 0x3F000000
        ballast.DiameterA = 0;                       // 0
        ballast.DiameterB = 1;                       // 0x3F800000
        ballast.Thickness = 4;                       // 0x40800000
        ballast.Offset = 8;                          // 0x41000000
        ballast.Points = {TPoints{1.0, -2.0, 9, 9}}; // 0x3FF0000000000000, 0xC000000000000000

        const Bytes bytes = EncodeDesign(design);
        QCOMPARE(bytes.size(), std::size_t{8 + 178 + 146});
        const Bytes header{2, 0, 0, 0, 0, 0, 0, 0};
        QCOMPARE(Bytes(bytes.begin(), bytes.begin() + 8), header);

        Bytes expected;
        auto text = [&](std::string_view s) {
            expected.insert(expected.end(), s.begin(), s.end());
            expected.insert(expected.end(), 30 - s.size(), 0);
        };
        auto raw = [&](std::initializer_list<std::uint8_t> b) {
            expected.insert(expected.end(), b);
        };
        text("TBalast");
        raw({1, 0, 0, 0}); // point count
        text("B");
        text("Ol");
        raw({0, 0, 0, 0});                   // parent index: the nose's node
        raw({0x00, 0x00, 0xC8, 0x42});       // axis value
        raw({0x00, 0x00, 0x00, 0x40});       // Weight
        raw({0x00, 0x00, 0x80, 0xBF});       // Density
        raw({0x00, 0x00, 0x00, 0x3F});       // Length
        raw({0x00, 0x00, 0x00, 0x00});       // DiameterA
        raw({0x00, 0x00, 0x80, 0x3F});       // DiameterB
        raw({0x00, 0x00, 0x80, 0x40});       // Thickness
        raw({0x00, 0x00, 0x00, 0x41});       // Offset
        raw({0, 0, 0, 0, 0, 0, 0xF0, 0x3F}); // x
        raw({0, 0, 0, 0, 0, 0, 0x00, 0xC0}); // y
        QCOMPARE(Bytes(bytes.begin() + 8 + 178, bytes.end()), expected);
    }

    void dimensionRecordHasItsPointCountAfterTheCaption() {
        Design design;
        AddDimension(design, "TAngleWymiar", {{1, 2}, {3, 4}});
        design.Dimensions[0]->Caption = "Kąt";
        const Bytes bytes = EncodeDesign(design);
        QCOMPARE(bytes.size(), std::size_t{8 + 64 + 32});
        QCOMPARE(Int32At(bytes, 0), 0);
        QCOMPARE(Int32At(bytes, 4), 1);
        QCOMPARE(RawTextAt(bytes, 8), std::string("TAngleWymiar"));
        QCOMPARE(RawTextAt(bytes, 38), std::string("K\xB9t"));
        QCOMPARE(Int32At(bytes, 68), 2);
        double x;
        std::memcpy(&x, bytes.data() + 72 + 16, sizeof x);
        QCOMPARE(x, 3.0);
    }

    void noseAndTubeTake380Bytes() {
        Design design;
        AxisY = 100;
        Attach<TKorpus>(design, AttachNose<TGlowicaStozek>(design, 10));
        const Bytes bytes = EncodeDesign(design);
        QCOMPARE(bytes.size(), std::size_t{380});
        QCOMPARE(Int32At(bytes, 0), 2);
        QCOMPARE(Int32At(bytes, 4), 0);
        QCOMPARE(Int32At(bytes, 8 + 30), 3);
        QCOMPARE(Int32At(bytes, 186 + 30), 4);
    }

    void finSetRecordTakes218BytesWithItsFinBlock() {
        Design design;
        BuildNoseTubeFins(design);
        const Bytes bytes = EncodeDesign(design);
        QCOMPARE(bytes.size(), std::size_t{380 + 218});
        const std::size_t fins = 380;
        QCOMPARE(RawTextAt(bytes, fins), std::string("TStatecznik"));
        const std::size_t block = fins + 130 + 64;
        QCOMPARE(FloatAt(bytes, block), 1.5f);
        QCOMPARE(FloatAt(bytes, block + 4), 2.5f);
        QCOMPARE(FloatAt(bytes, block + 8), 3.5f);
        QCOMPARE(FloatAt(bytes, block + 12), 4.5f);
        QCOMPARE(FloatAt(bytes, block + 16), 5.5f);
        QCOMPARE(Int32At(bytes, block + 20), 6);
    }

    void parentIndexesAreAbsoluteNodeIndexes() {
        Design design;
        BuildNoseTubeFins(design);
        const Bytes bytes = EncodeDesign(design);
        QCOMPARE(Int32At(bytes, 8 + 94), -1);
        QCOMPARE(Int32At(bytes, 186 + 94), 0);
        QCOMPARE(Int32At(bytes, 380 + 94), 1);
    }

    // Records follow the tree depth-first, not the order elements were added in; a
    // parent index counts the nodes of earlier subtrees too.
    void recordsFollowTheTreeOrder() {
        Design design;
        BuildFullRocket(design);
        const Bytes bytes = EncodeDesign(design);
        const std::vector<std::pair<std::string, int>> expected{
            {"TGlowicaOgive", -1}, {"TKorpus", 0}, {"TStatecznik", 1}, {"TEngine", 1},
            {"TStozekSciety", 1},  {"TKorpus", 4}, {"TBalast", 0}};
        QCOMPARE(Int32At(bytes, 0), 7);
        QCOMPARE(Int32At(bytes, 4), 4);
        std::size_t offset = 8;
        for (const auto& [className, parent] : expected) {
            QCOMPARE(RawTextAt(bytes, offset), className);
            QCOMPARE(Int32At(bytes, offset + 94), parent);
            QCOMPARE(FloatAt(bytes, offset + 98), 300.0f);
            const std::size_t points = static_cast<std::size_t>(Int32At(bytes, offset + 30));
            offset += 130 + 16 * points + (className == "TStatecznik" ? 24 : 0);
        }
        for (const char* className :
             {"TWymiar", "TAngleWymiar", "TWymiarPoziomy", "TWymiarPionowy"}) {
            QCOMPARE(RawTextAt(bytes, offset), std::string(className));
            offset += 64 + 16 * static_cast<std::size_t>(Int32At(bytes, offset + 60));
        }
        QCOMPARE(offset, bytes.size());
    }

    void textFields_data() {
        QTest::addColumn<std::string>("text");
        QTest::addColumn<std::string>("fieldBytes");
        QTest::newRow("ascii") << std::string("Body") << std::string("Body");
        QTest::newRow("empty") << std::string() << std::string();
        QTest::newRow("polish letters") << std::string("Łódź")
                                        << std::string("\xA3\xF3"
                                                       "d\x9F");
        QTest::newRow("euro sign") << std::string("5 €") << std::string("5 \x80");
        QTest::newRow("unmappable becomes ?") << std::string("Año") << std::string("A?o");
        QTest::newRow("each unmappable character one ?")
            << std::string("火箭 1") << std::string("?? 1");
        QTest::newRow("broken utf-8 becomes ?") << std::string("a\xFF"
                                                               "b\xC5")
                                                << std::string("a?b?");
        QTest::newRow("35 characters keep 29")
            << std::string("abcdefghijklmnopqrstuvwxyz0123456789").substr(0, 35)
            << std::string("abcdefghijklmnopqrstuvwxyz012");
        QTest::newRow("29 two-byte characters fill the field") << [] {
            std::string s;
            for (int i = 0; i < 35; ++i)
                s += "ą";
            return s;
        }() << std::string(29, '\xB9');
        QTest::newRow("cut after 29 characters with ? counted")
            << std::string(28, 'x') + "火箭" << std::string(28, 'x') + "?";
    }

    void textFields() {
        QFETCH(std::string, text);
        QFETCH(std::string, fieldBytes);
        const TextFieldCodec codec;
        const TextField field = codec.encode(text);
        const std::string expected = fieldBytes + std::string(30 - fieldBytes.size(), '\0');
        QCOMPARE(std::string(field.begin(), field.end()), expected);
        QCOMPARE(field.back(), std::uint8_t{0});
    }

    void readingAFieldStopsAtTheFirstZero_data() {
        QTest::addColumn<std::string>("fieldBytes");
        QTest::addColumn<std::string>("text");
        QTest::newRow("bytes after the zero are ignored")
            << std::string("Nose\0junk", 9) + std::string(21, 'z') << std::string("Nose");
        QTest::newRow("no zero: all 30 bytes") << std::string(30, 'A') << std::string(30, 'A');
        QTest::newRow("windows-1250 letters") << std::string("\xA3\xF3"
                                                             "d\x9F")
                                              << std::string("Łódź");
        QTest::newRow("undefined byte becomes U+FFFD") << std::string("a\x98"
                                                                      "b")
                                                       << std::string("a\xEF\xBF\xBD"
                                                                      "b");
    }

    void readingAFieldStopsAtTheFirstZero() {
        QFETCH(std::string, fieldBytes);
        QFETCH(std::string, text);
        fieldBytes.resize(30, '\0');
        const TextFieldCodec codec;
        const std::span<const std::uint8_t> field(
            reinterpret_cast<const std::uint8_t*>(fieldBytes.data()), fieldBytes.size());
        QCOMPARE(codec.decode(field), text);
    }
};

QTEST_APPLESS_MAIN(DesignWriterTest)
#include "tst_design_writer.moc"
