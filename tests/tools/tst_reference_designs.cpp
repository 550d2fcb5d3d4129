// The committed reference designs of tests/data: each design file NAME.kfx is loaded,
// drawn and compared with the picture NAME.png, then saved again and compared with the
// bytes of NAME.resaved.kfx (or with its own bytes when there is no such file).
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs vantor-kfx; its standard error when it fails.
QString Kfx(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(VANTOR_KFX_PATH), arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return QStringLiteral("did not finish");
    if (process.exitCode() != 0)
        return QString::fromUtf8(process.readAllStandardError());
    return QString();
}

// The number of pixels whose colours differ by more than a rounding step.
qsizetype DifferentPixels(const QImage& a, const QImage& b) {
    qsizetype different = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > 2 || std::abs(qGreen(p) - qGreen(q)) > 2 ||
                std::abs(qBlue(p) - qBlue(q)) > 2 || std::abs(qAlpha(p) - qAlpha(q)) > 2)
                ++different;
        }
    return different;
}

} // namespace

class TestReferenceDesigns : public QObject {
    Q_OBJECT

private slots:
    void loadRenderSaveCompare_data() {
        QTest::addColumn<QString>("design");
        const QDir data(QStringLiteral(VANTOR_TEST_DATA_DIR));
        const QStringList designs = data.entryList({"*.kfx"}, QDir::Files, QDir::Name);
        QVERIFY(!designs.isEmpty());
        for (const QString& name : designs)
            if (!name.endsWith(".resaved.kfx"))
                QTest::newRow(qPrintable(name)) << data.filePath(name);
    }
    void loadRenderSaveCompare() {
        QFETCH(QString, design);
        const QString stem = design.chopped(4);
        QTemporaryDir out;
        QVERIFY(out.isValid());

        const QString picture = out.filePath("drawn.png");
        QCOMPARE(Kfx({"render", design, picture}), QString());
        const QImage drawn(picture);
        const QImage reference(stem + ".png");
        QVERIFY2(!reference.isNull(), qPrintable(stem + ".png is missing"));
        QCOMPARE(drawn.size(), reference.size());
        const qsizetype different =
            DifferentPixels(drawn.convertToFormat(QImage::Format_ARGB32),
                            reference.convertToFormat(QImage::Format_ARGB32));
        // Text edges may come out a shade apart with another font build; shapes may not.
        QVERIFY2(different * 200 <= qsizetype(drawn.width()) * drawn.height(),
                 qPrintable(QString("%1 pixels differ").arg(different)));

        const QString saved = out.filePath("saved.kfx");
        QCOMPARE(Kfx({"save", design, saved}), QString());
        const QString resaved = stem + ".resaved.kfx";
        QCOMPARE(ReadAll(saved), ReadAll(QFile::exists(resaved) ? resaved : design));
    }
};

QTEST_GUILESS_MAIN(TestReferenceDesigns)
#include "tst_reference_designs.moc"
