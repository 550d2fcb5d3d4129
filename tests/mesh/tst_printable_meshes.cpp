// The exported models as tools that merge vertices by position read them: every body a
// closed shell of its own in the assembly STL, every 3MF object one connected, closed
// piece for a strict 3MF reader, and nose points blunted to a printable width.
#include "MeshChecks.h"
#include "designfile/DesignFile.h"
#include "mesh/MeshFiles.h"
#include "model/FinSet.h"
#include "model/Placing.h"
#include "support/DesignBuilder.h"

#include <Model/COM/NMR_DLLInterfaces.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <bit>
#include <cstring>
#include <map>
#include <numeric>

using namespace vantor;
using vantor::mesh::MeshFormat;
using namespace NMR;

namespace {

// Nose, tube, a second tube of the same diameter, fins on the first tube, a transition
// and a last tube: joints where whole rings of two parts meet.
void BuildJoinedTubes(Design& design, const QString& nose) {
    const std::string kind = nose.toStdString();
    test::DesignBuilder build(design);
    TRocketElement& front = build.nose(kind, 150, 40);
    TRocketElement& tube = build.attach("TKorpus", front);
    tube.DiameterA = 40;
    tube.Thickness = 1;
    tube.Length = 200;
    TRocketElement& second = build.attach("TKorpus", tube);
    second.DiameterA = 40;
    second.Thickness = 1;
    second.Length = 100;
    auto& fins = build.attach<TStatecznik>("TStatecznik", tube);
    fins.FinA = 60;
    fins.FinB = 25;
    fins.FinC = 30;
    fins.FinD = 45;
    fins.FinCount = 3;
    fins.Offset = 100;
    TRocketElement& transition = build.attach("TStozekSciety", second);
    transition.DiameterA = 40;
    transition.DiameterB = 30;
    transition.Length = 30;
    build.attach("TKorpus", transition).DiameterA = 30;
    build.place();
}

struct StlShells {
    int shells = 0;
    QString fault;
};

// Reads a binary STL as a slicer does: vertices with the same coordinates are one, and
// triangles that share a vertex belong to one shell. Every shell must be closed on its
// own: each directed edge once, its reverse once, no triangle with a repeated corner.
StlShells ShellsOfStl(const QByteArray& stl) {
    StlShells result;
    if (stl.size() < 84) {
        result.fault = "too short";
        return result;
    }
    std::uint32_t count = 0;
    std::memcpy(&count, stl.constData() + 80, 4);
    if (qsizetype(84 + 50 * std::size_t(count)) != stl.size()) {
        result.fault = "size does not match the triangle count";
        return result;
    }
    std::map<std::array<std::uint32_t, 3>, std::uint32_t> ids;
    std::vector<std::array<std::uint32_t, 3>> triangles(count);
    for (std::uint32_t t = 0; t < count; ++t)
        for (int c = 0; c < 3; ++c) {
            std::array<std::uint32_t, 3> bits{};
            std::memcpy(bits.data(), stl.constData() + 84 + 50 * std::size_t(t) + 12 + 12 * c, 12);
            // Minus zero and zero are one place.
            for (std::uint32_t& b : bits)
                if (b == 0x80000000u)
                    b = 0;
            const auto [at, added] = ids.try_emplace(bits, std::uint32_t(ids.size()));
            triangles[t][std::size_t(c)] = at->second;
        }
    std::vector<std::uint32_t> parent(ids.size());
    std::iota(parent.begin(), parent.end(), 0u);
    const auto root = [&parent](std::uint32_t v) {
        while (parent[v] != v)
            v = parent[v] = parent[parent[v]];
        return v;
    };
    for (const auto& t : triangles) {
        if (t[0] == t[1] || t[1] == t[2] || t[0] == t[2]) {
            result.fault = "a triangle with two corners in one place";
            return result;
        }
        parent[root(t[1])] = root(t[0]);
        parent[root(t[2])] = root(t[0]);
    }
    std::map<std::pair<std::uint32_t, std::uint32_t>, int> edges;
    for (const auto& t : triangles)
        for (int i = 0; i < 3; ++i)
            ++edges[{t[std::size_t(i)], t[std::size_t((i + 1) % 3)]}];
    for (const auto& [edge, uses] : edges) {
        const auto reverse = edges.find({edge.second, edge.first});
        if (uses != 1 || reverse == edges.end() || reverse->second != 1) {
            result.fault = QString("an edge used %1 times, its reverse %2 times")
                               .arg(uses)
                               .arg(reverse == edges.end() ? 0 : reverse->second);
            return result;
        }
    }
    for (std::uint32_t v = 0; v < parent.size(); ++v)
        result.shells += root(v) == v;
    return result;
}

int ShellsOf(const std::vector<mesh::Mesh>& meshes) {
    int shells = 0;
    for (const mesh::Mesh& m : meshes)
        shells += int(mesh::SplitShells(m).size());
    return shells;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What a strict 3MF reader says of a file: its warnings, and of each mesh object
// whether it is manifold and consistently oriented.
struct StrictRead {
    QString fault;
    int objects = 0;
    int items = 0;
};

StrictRead ReadStrictly(const QString& file) {
    StrictRead read;
    PLib3MFModel* model = nullptr;
    PLib3MFModelReader* reader = nullptr;
    if (lib3mf_createmodel(&model) != LIB3MF_OK ||
        lib3mf_model_queryreader(model, "3mf", &reader) != LIB3MF_OK) {
        read.fault = "lib3mf cannot start";
        return read;
    }
    lib3mf_reader_setstrictmodeactive(reader, true);
    if (lib3mf_reader_readfromfileutf8(reader, QFile::encodeName(file).constData()) !=
        LIB3MF_OK) {
        DWORD code = 0;
        LPCSTR message = nullptr;
        lib3mf_getlasterror(reader, &code, &message);
        read.fault = QString("refused: %1").arg(message != nullptr ? message : "?");
    }
    DWORD warnings = 0;
    lib3mf_reader_getwarningcount(reader, &warnings);
    if (read.fault.isEmpty() && warnings > 0) {
        DWORD code = 0;
        char text[512] = {};
        ULONG needed = 0;
        lib3mf_reader_getwarningutf8(reader, 0, &code, text, sizeof text, &needed);
        read.fault = QString("%1 warnings, the first: %2").arg(warnings).arg(text);
    }
    PLib3MFModelResourceIterator* objects = nullptr;
    if (read.fault.isEmpty() && lib3mf_model_getmeshobjects(model, &objects) == LIB3MF_OK) {
        BOOL more = false;
        while (lib3mf_resourceiterator_movenext(objects, &more) == LIB3MF_OK && more) {
            PLib3MFModelResource* object = nullptr;
            lib3mf_resourceiterator_getcurrent(objects, &object);
            BOOL sound = false;
            lib3mf_meshobject_ismanifoldandoriented(object, &sound);
            if (!sound && read.fault.isEmpty())
                read.fault = QString("object %1 is not manifold and oriented").arg(read.objects);
            ++read.objects;
            lib3mf_release(object);
        }
        lib3mf_release(objects);
    }
    PLib3MFModelBuildItemIterator* items = nullptr;
    if (read.fault.isEmpty() && lib3mf_model_getbuilditems(model, &items) == LIB3MF_OK) {
        BOOL more = false;
        while (lib3mf_builditemiterator_movenext(items, &more) == LIB3MF_OK && more)
            ++read.items;
        lib3mf_release(items);
    }
    lib3mf_release(reader);
    lib3mf_release(model);
    return read;
}

// The radius of the widest ring of vertices at the front end of the solid (smallest x in
// the assembly), and whether that end face reaches the axis (is solid).
struct FrontEnd {
    double radius = 0;
    bool onAxis = false;
};

FrontEnd FrontOf(const mesh::Mesh& m) {
    double front = 1e300;
    for (const mesh::Vec3& v : m.vertices)
        front = std::min(front, v.x);
    FrontEnd end;
    for (const mesh::Vec3& v : m.vertices)
        if (v.x < front + 1e-9) {
            const double r = std::hypot(v.y, v.z);
            end.radius = std::max(end.radius, r);
            end.onAxis = end.onAxis || r < 1e-9;
        }
    return end;
}

} // namespace

class PrintableMeshesTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

private slots:
    void assemblyStlIsOneClosedShellABody_data() {
        QTest::addColumn<QString>("design"); // a nose kind, or a design file
        const QStringList noses{"TGlowicaStozek", "TGlowicaOgive", "TGlowicaParabolic"};
        for (const QString& nose : noses)
            QTest::newRow(qPrintable("joined tubes behind " + nose)) << nose;
        for (const QString& folder : {QStringLiteral(VANTOR_TEST_DATA_DIR),
                                      QStringLiteral(VANTOR_SOURCE_DIR "/fuzz/corpus")})
            for (const QString& name : QDir(folder).entryList({"*.kfx"}, QDir::Files, QDir::Name))
                QTest::newRow(qPrintable(name)) << QDir(folder).filePath(name);
    }
    void assemblyStlIsOneClosedShellABody() {
        QFETCH(QString, design);
        Design d;
        if (design.endsWith(".kfx")) {
            if (!LoadDesign(design.toStdString(), d).ok)
                QSKIP("not a design the program opens");
            PlaceDesign(d);
        } else {
            BuildJoinedTubes(d, design);
        }
        const mesh::SolidsResult solids = mesh::BuildSolids(d, mesh::Layout::Assembly);
        if (!solids.ok())
            QSKIP("nothing printable in it");
        const QString file = dir_.filePath("assembly.stl");
        QVERIFY(mesh::ExportAssembly(d, file.toStdString(), MeshFormat::Stl).ok);
        const StlShells read = ShellsOfStl(ReadAll(file));
        QVERIFY2(read.fault.isEmpty(), qPrintable(read.fault));
        // As many shells as the components have pieces: none is joined to another.
        QCOMPARE(read.shells, ShellsOf(solids.meshes));
    }

    // A fin set's fins meet only through their tube, so alone they would leave a slicer
    // layers with nothing in them: each is an object of its own, and the whole file
    // passes a strict reader with every object manifold.
    void threeMfPassesAStrictReaderOnePieceAnObject() {
        Design d;
        BuildJoinedTubes(d, "TGlowicaOgive");
        const QString file = dir_.filePath("assembly.3mf");
        QVERIFY(mesh::ExportAssembly(d, file.toStdString(), MeshFormat::ThreeMf).ok);
        const StrictRead read = ReadStrictly(file);
        QVERIFY2(read.fault.isEmpty(), qPrintable(read.fault));
        // Nose, two tubes, transition, last tube, and three fins.
        QCOMPARE(read.objects, 8);
        QCOMPARE(read.items, 8);
        const mesh::SolidsResult solids = mesh::BuildSolids(d, mesh::Layout::Assembly);
        for (const mesh::Mesh& m : solids.meshes)
            for (const mesh::Mesh& piece : mesh::SplitShells(m)) {
                QCOMPARE(mesh::SplitShells(piece).size(), std::size_t(1));
                QVERIFY(test::CheckMesh(piece).fault.isEmpty());
            }
    }

    void nosePointsEndInAPrintableTip_data() {
        QTest::addColumn<QString>("nose");
        QTest::addColumn<double>("tipWidth");
        QTest::addColumn<float>("wall"); // negative: the nose as built
        for (const char* nose : {"TGlowicaStozek", "TGlowicaOgive", "TGlowicaParabolic"}) {
            QTest::newRow(qPrintable(QString(nose) + " default")) << nose << -1.0 << -1.f;
            QTest::newRow(qPrintable(QString(nose) + " 1 mm")) << nose << 1.0 << -1.f;
            QTest::newRow(qPrintable(QString(nose) + " sharp")) << nose << 0.0 << -1.f;
            // A wall thinner than the tip's radius must not open the tip.
            QTest::newRow(qPrintable(QString(nose) + " hollow, thin wall"))
                << nose << -1.0 << 0.1f;
        }
    }
    void nosePointsEndInAPrintableTip() {
        QFETCH(QString, nose);
        QFETCH(double, tipWidth);
        QFETCH(float, wall);
        Design d;
        BuildJoinedTubes(d, nose);
        if (wall > 0)
            d.Elements[0]->Thickness = wall;
        mesh::SolidOptions options;
        if (tipWidth >= 0)
            options.tipWidth = tipWidth;
        const double expected = tipWidth < 0 ? mesh::DefaultTipWidth : tipWidth;
        for (const mesh::Layout layout : {mesh::Layout::Assembly, mesh::Layout::Parts}) {
            const mesh::SolidsResult solids = mesh::BuildSolids(d, layout, options);
            QVERIFY2(solids.ok(), solids.error.c_str());
            mesh::Mesh noseMesh = solids.meshes.front();
            if (layout == mesh::Layout::Parts) // the tip points up: turn it to face -x
                for (mesh::Vec3& v : noseMesh.vertices)
                    v = {-v.z, v.y, v.x};
            const test::MeshReport report = test::CheckMesh(noseMesh);
            QVERIFY2(report.fault.isEmpty(), qPrintable(report.fault));
            const FrontEnd end = FrontOf(noseMesh);
            QVERIFY2(std::abs(end.radius - expected / 2) < 1e-9,
                     qPrintable(QString("tip radius %1").arg(end.radius)));
            QVERIFY(end.onAxis); // a solid tip, whatever the wall
            // The nose keeps its length: the tip is blunted, not cut off.
            QVERIFY(std::abs(report.high.x - report.low.x - 150) < 1e-6);
        }
    }
};

QTEST_GUILESS_MAIN(PrintableMeshesTest)
#include "tst_printable_meshes.moc"
