#include "MeshChecks.h"
#include "mesh/MeshFiles.h"
#include "model/FinSet.h"
#include "support/DesignBuilder.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <zip.h>

#include <map>

using namespace vantor;
using vantor::mesh::MeshFormat;
using vantor::test::CheckMesh;

namespace {

// Ogive nose, body tube with four fins, a motor and ballast, transition, second tube:
// five printable components, eight closed shells.
void BuildSampleRocket(Design& design) {
    test::DesignBuilder build(design);
    TRocketElement& nose = build.nose("TGlowicaOgive", 120, 40);
    TRocketElement& tube = build.attach("TKorpus", nose);
    tube.DiameterA = 40;
    tube.Thickness = 1;
    tube.Length = 250;
    auto& fins = build.attach<TStatecznik>("TStatecznik", tube);
    fins.FinA = 60;
    fins.FinB = 25;
    fins.FinC = 30;
    fins.FinD = 45;
    fins.FinCount = 4;
    fins.Offset = 190;
    build.attach("TEngine", tube);
    build.attach("TBalast", tube);
    TRocketElement& transition = build.attach("TStozekSciety", tube);
    transition.DiameterA = 40;
    transition.DiameterB = 30;
    transition.Length = 30;
    build.attach("TKorpus", transition).DiameterA = 30;
    build.place();
}

// admesh's own reading of an STL file: its statistics by name.
std::map<QString, double> Admesh(const QString& file) {
    QProcess admesh;
    admesh.start("admesh", {file});
    if (!admesh.waitForFinished(60000) || admesh.exitCode() != 0)
        return {};
    std::map<QString, double> stats;
    static const QRegularExpression row(R"(([A-Z][A-Za-z ]*?)\s*[:=]\s*(-?[0-9.]+))");
    for (const QString& line : QString::fromUtf8(admesh.readAllStandardOutput()).split('\n'))
        for (auto match = row.globalMatch(line); match.hasNext();) {
            const auto m = match.next();
            stats.emplace(m.captured(1).trimmed(), m.captured(2).toDouble());
        }
    return stats;
}

QByteArray ZipEntry(const QString& file, const char* name) {
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(file).constData(), ZIP_RDONLY, &error);
    if (archive == nullptr)
        return {};
    QByteArray data;
    zip_stat_t stat;
    if (zip_stat(archive, name, 0, &stat) == 0) {
        if (zip_file_t* entry = zip_fopen(archive, name, 0)) {
            data.resize(qsizetype(stat.size));
            if (zip_fread(entry, data.data(), stat.size) != zip_int64_t(stat.size))
                data.clear();
            zip_fclose(entry);
        }
    }
    zip_close(archive);
    return data;
}

double TotalVolume(const mesh::SolidsResult& solids) {
    double volume = 0;
    for (const mesh::Mesh& m : solids.meshes)
        volume += CheckMesh(m).volume;
    return volume;
}

} // namespace

class MeshFilesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        BuildSampleRocket(design_);
        solids_ = mesh::BuildSolids(design_, mesh::Layout::Assembly);
        QVERIFY(solids_.ok());
        QCOMPARE(solids_.meshes.size(), std::size_t(5));
        QVERIFY(dir_.isValid());
    }

    void stlReadByAdmesh() {
        const QString file = dir_.filePath("rocket.stl");
        QVERIFY(mesh::ExportAssembly(design_, file.toStdString(), MeshFormat::Stl).ok);
        auto stats = Admesh(file);
        std::size_t triangles = 0;
        for (const mesh::Mesh& m : solids_.meshes)
            triangles += m.triangles.size();
        QCOMPARE(stats["Number of facets"], double(triangles));
        QVERIFY(std::abs(stats["Volume"] / TotalVolume(solids_) - 1) < 1e-4);
        QVERIFY(std::abs(stats["Max X"] - (120 + 250 + 30 + 500)) < 1e-3);
        for (const char* clean : {"Degenerate facets", "Facets reversed", "Backwards edges",
                                  "Normals fixed", "Total disconnected facets"})
            QVERIFY2(stats.count(clean) && stats[clean] == 0, clean);

        // Each part alone: one closed shell (four for the fins), standing on z = 0.
        const auto parts = mesh::ExportParts(design_, dir_.filePath("parts").toStdString(),
                                             "rocket", MeshFormat::Stl);
        QVERIFY2(parts.ok, parts.reason.c_str());
        QCOMPARE(parts.written.size(), std::size_t(5));
        QCOMPARE(QString::fromStdString(parts.written[2].filename().string()),
                 QString("rocket-03-Fins.stl"));
        const double shells[] = {1, 1, 4, 1, 1};
        const mesh::SolidsResult laid = mesh::BuildSolids(design_, mesh::Layout::Parts);
        for (std::size_t i = 0; i < parts.written.size(); ++i) {
            stats = Admesh(QString::fromStdString(parts.written[i].string()));
            QCOMPARE(stats["Number of parts"], shells[i]);
            QCOMPARE(stats["Total disconnected facets"], 0.0);
            QCOMPARE(stats["Backwards edges"], 0.0);
            QCOMPARE(stats["Min Z"], 0.0);
            QVERIFY(std::abs(stats["Volume"] / CheckMesh(laid.meshes[i]).volume - 1) < 1e-4);
        }
    }

    void objReadBack() {
        const QString file = dir_.filePath("rocket.obj");
        QVERIFY(mesh::ExportAssembly(design_, file.toStdString(), MeshFormat::Obj).ok);
        QFile in(file);
        QVERIFY(in.open(QIODevice::ReadOnly | QIODevice::Text));
        struct Object {
            QString name;
            std::vector<mesh::Vec3> vertices;
            std::vector<std::array<std::uint32_t, 3>> triangles;
            std::size_t firstVertex = 0;
        };
        std::vector<Object> objects;
        std::vector<mesh::Vec3> normals;
        std::size_t vertexCount = 0;
        double worstNormal = 1;
        while (!in.atEnd()) {
            const QStringList f = QString::fromUtf8(in.readLine()).trimmed().split(' ');
            if (f[0] == "o") {
                objects.push_back({f.mid(1).join(' '), {}, {}, vertexCount});
            } else if (f[0] == "v" || f[0] == "vn") {
                const mesh::Vec3 v{f[1].toDouble(), f[2].toDouble(), f[3].toDouble()};
                (f[0] == "v" ? objects.back().vertices : normals).push_back(v);
                vertexCount += f[0] == "v";
            } else if (f[0] == "f") {
                QCOMPARE(f.size(), 4);
                std::array<std::uint32_t, 3> t{};
                std::size_t normal = 0;
                for (int i = 0; i < 3; ++i) {
                    const QStringList parts = f[i + 1].split("//");
                    t[i] = std::uint32_t(parts[0].toULong() - 1 - objects.back().firstVertex);
                    normal = parts[1].toULong() - 1;
                }
                objects.back().triangles.push_back(t);
                const auto& v = objects.back().vertices;
                const mesh::Vec3 n = mesh::TriangleNormal(v[t[0]], v[t[1]], v[t[2]]);
                const mesh::Vec3& written = normals.at(normal);
                worstNormal =
                    std::min(worstNormal, n.x * written.x + n.y * written.y + n.z * written.z);
            }
        }
        QCOMPARE(objects.size(), std::size_t(5));
        QVERIFY(objects[0].name.startsWith("Nose"));
        QVERIFY(worstNormal > 0.999);
        for (std::size_t i = 0; i < objects.size(); ++i) {
            const auto report = CheckMesh(objects[i].vertices, objects[i].triangles);
            QVERIFY2(report.fault.isEmpty(), qPrintable(report.fault));
            QVERIFY(std::abs(report.volume / CheckMesh(solids_.meshes[i]).volume - 1) < 1e-4);
        }
    }

    void threeMfReadBack() {
        const QString file = dir_.filePath("rocket.3mf");
        QVERIFY(mesh::ExportAssembly(design_, file.toStdString(), MeshFormat::ThreeMf).ok);
        QVERIFY(ZipEntry(file, "[Content_Types].xml").contains("3dmanufacturing-3dmodel+xml"));
        QVERIFY(ZipEntry(file, "_rels/.rels").contains("Target=\"/3D/3dmodel.model\""));
        QXmlStreamReader xml(ZipEntry(file, "3D/3dmodel.model"));
        QString unit;
        std::vector<std::pair<std::vector<mesh::Vec3>, std::vector<std::array<std::uint32_t, 3>>>>
            objects;
        QStringList objectIds, items;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            const auto a = xml.attributes();
            if (xml.name() == u"model")
                unit = a.value("unit").toString();
            else if (xml.name() == u"object") {
                objects.emplace_back();
                objectIds << a.value("id").toString();
            } else if (xml.name() == u"vertex")
                objects.back().first.push_back(
                    {a.value("x").toDouble(), a.value("y").toDouble(), a.value("z").toDouble()});
            else if (xml.name() == u"triangle")
                objects.back().second.push_back(
                    {a.value("v1").toUInt(), a.value("v2").toUInt(), a.value("v3").toUInt()});
            else if (xml.name() == u"item")
                items << a.value("objectid").toString();
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(unit, QString("millimeter"));
        // One object a connected piece: the fin set's four fins are four objects.
        std::vector<mesh::Mesh> pieces;
        for (const mesh::Mesh& m : solids_.meshes)
            for (mesh::Mesh& piece : mesh::SplitShells(m))
                pieces.push_back(std::move(piece));
        QCOMPARE(objects.size(), std::size_t(8));
        QCOMPARE(objects.size(), pieces.size());
        QCOMPARE(items, objectIds);
        for (std::size_t i = 0; i < objects.size(); ++i) {
            const auto report = CheckMesh(objects[i].first, objects[i].second);
            QVERIFY2(report.fault.isEmpty(), qPrintable(report.fault));
            QVERIFY(std::abs(report.volume / CheckMesh(pieces[i]).volume - 1) < 1e-4);
        }
    }

    // A refused design or an unwritable place leaves no file behind and says why.
    void failuresWriteNothing() {
        const QString file = dir_.filePath("missing/rocket.stl");
        const auto unwritable = mesh::ExportAssembly(design_, file.toStdString(), MeshFormat::Stl);
        QVERIFY(!unwritable.ok);
        QVERIFY(QString::fromStdString(unwritable.reason).contains("rocket.stl"));

        Design bad;
        BuildSampleRocket(bad);
        bad.Elements[1]->Length = -1;
        const QString target = dir_.filePath("bad.3mf");
        const auto refused = mesh::ExportAssembly(bad, target.toStdString(), MeshFormat::ThreeMf);
        QVERIFY(!refused.ok);
        QVERIFY(QString::fromStdString(refused.reason).startsWith("Body (element 2)"));
        QVERIFY(!QFile::exists(target));
    }

    // The budget is counted from the sizes alone: its triangles are those built, STL's
    // bytes are exact, and the text formats' bounds hold with little to spare, so the
    // limit refuses what would really be too large.
    void budgetAgreesWithTheFiles_data() {
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("format");
        for (const auto& [layoutName, layout] : {std::pair{"assembly", mesh::Layout::Assembly},
                                                 std::pair{"parts", mesh::Layout::Parts}})
            for (const MeshFormat format : {MeshFormat::Stl, MeshFormat::Obj, MeshFormat::ThreeMf})
                QTest::addRow("%s %s", layoutName, mesh::ExtensionOf(format))
                    << int(layout) << int(format);
    }
    void budgetAgreesWithTheFiles() {
        QFETCH(int, layout);
        QFETCH(int, format);
        const auto asLayout = mesh::Layout(layout);
        const auto asFormat = MeshFormat(format);
        const mesh::MeshBudget budget = mesh::EstimateMeshExport(design_, asLayout, asFormat);
        QVERIFY2(budget.ok(), budget.refusal.c_str());
        const mesh::SolidsResult solids = mesh::BuildSolids(design_, asLayout);
        std::size_t triangles = 0;
        double bytes = 0;
        for (const mesh::Mesh& m : solids.meshes)
            triangles += m.triangles.size();
        const auto files = asLayout == mesh::Layout::Parts
                               ? std::vector<std::vector<mesh::Mesh>>{}
                               : std::vector<std::vector<mesh::Mesh>>{solids.meshes};
        std::vector<std::vector<mesh::Mesh>> each = files;
        if (asLayout == mesh::Layout::Parts)
            for (const mesh::Mesh& m : solids.meshes)
                each.push_back({m});
        for (const auto& meshes : each) {
            std::string error;
            if (asFormat == MeshFormat::Stl)
                bytes += double(mesh::EncodeStl(meshes).size());
            else if (asFormat == MeshFormat::Obj)
                bytes += double(mesh::EncodeObj(meshes).size());
            else {
                const std::vector<std::uint8_t> package = mesh::Encode3mf(meshes, error);
                const QString file = dir_.filePath("budget.3mf");
                QFile out(file);
                QVERIFY(out.open(QIODevice::WriteOnly));
                out.write(reinterpret_cast<const char*>(package.data()), qint64(package.size()));
                out.close();
                bytes += double(ZipEntry(file, "3D/3dmodel.model").size());
            }
        }
        QCOMPARE(budget.triangles, triangles);
        QCOMPARE(budget.files, each.size());
        if (asFormat == MeshFormat::Stl)
            QCOMPARE(double(budget.bytes), bytes);
        QVERIFY2(double(budget.bytes) >= bytes && double(budget.bytes) < 1.6 * bytes,
                 qPrintable(QStringLiteral("%1 for %2").arg(budget.bytes).arg(bytes)));
    }

    // Beyond a limit, nothing is built or written and the reason names the limit.
    void overBudgetIsRefusedUpFront() {
        Design many;
        test::DesignBuilder build(many);
        TRocketElement& nose = build.nose("TGlowicaOgive", 120, 40);
        TRocketElement& tube = build.attach("TKorpus", nose);
        tube.DiameterA = 2000;
        tube.Length = 300;
        auto& fins = build.attach<TStatecznik>("TStatecznik", tube);
        fins.FinA = 40;
        fins.FinB = 15;
        fins.FinC = 20;
        fins.FinD = 30;
        fins.Thickness = 0.012f;
        fins.FinCount = 150'000; // 1.8 million triangles: about 90 MB of STL
        build.place();
        const QString obj = dir_.filePath("many.obj");
        const auto refused = mesh::ExportAssembly(many, obj.toStdString(), MeshFormat::Obj);
        QVERIFY(!refused.ok);
        QVERIFY2(QString::fromStdString(refused.reason).contains("more than the limit of 100 MB"),
                 refused.reason.c_str());
        QVERIFY(!QFile::exists(obj));
        QVERIFY(mesh::EstimateMeshExport(many, mesh::Layout::Assembly, MeshFormat::Stl).ok());

        fins.FinCount = 400'000;
        const auto tooMany =
            mesh::EstimateMeshExport(many, mesh::Layout::Assembly, MeshFormat::Stl);
        QVERIFY(QString::fromStdString(tooMany.refusal).contains("more than 4000000 triangles"));
    }

    void formatFromExtension() {
        QCOMPARE(mesh::FormatOfPath("a/b.STL"), std::optional(MeshFormat::Stl));
        QCOMPARE(mesh::FormatOfPath("b.3mf"), std::optional(MeshFormat::ThreeMf));
        QCOMPARE(mesh::FormatOfPath("b.obj.txt"), std::nullopt);
    }

private:
    Design design_;
    mesh::SolidsResult solids_;
    QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(MeshFilesTest)
#include "tst_mesh_files.moc"
