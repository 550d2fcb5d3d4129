// Saving a design file: a failed save leaves the earlier file as it was and reports
// one failure naming the file.
#include "designfile/DesignFile.h"
#include "support/SampleDesigns.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace vantor;
using namespace vantor::test;

namespace {

using Bytes = std::vector<std::uint8_t>;

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray AsByteArray(const Bytes& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot |
                                  QDir::System);
}

} // namespace

class DesignSaveTest : public QObject {
    Q_OBJECT

private slots:
    void saveWritesTheEncodedBytes() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("rocket.kfx"));
        Design design;
        BuildFullRocket(design);
        const SaveResult result = SaveDesign(design, path.toStdString());
        QVERIFY(result.ok);
        QVERIFY(result.message.empty());
        QCOMPARE(ReadAll(path), AsByteArray(EncodeDesign(design)));
        QCOMPARE(Entries(dir.path()), QStringList{QStringLiteral("rocket.kfx")});
    }

    // A number the loader would refuse is never written: the earlier file stays.
    void designWithAnInfiniteNumberIsNotSaved() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("rocket.kfx"));
        Design design;
        BuildFullRocket(design);
        QVERIFY(SaveDesign(design, path.toStdString()).ok);
        const QByteArray before = ReadAll(path);
        design.Elements.back()->Points.back().y = HUGE_VAL;
        const SaveResult result = SaveDesign(design, path.toStdString());
        QVERIFY(!result.ok);
        QCOMPARE(result.message, path.toStdString());
        QVERIFY(!result.reason.empty());
        QCOMPARE(ReadAll(path), before);
        QCOMPARE(Entries(dir.path()), QStringList{QStringLiteral("rocket.kfx")});
    }

    void saveReplacesALongerFileWhole() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("rocket.kfx"));
        Design big;
        BuildFullRocket(big);
        QVERIFY(SaveDesign(big, path.toStdString()).ok);
        Design empty;
        QVERIFY(SaveDesign(empty, path.toStdString()).ok);
        QCOMPARE(ReadAll(path), QByteArray(8, '\0'));
    }

    void saveKeepsTheFilesPermissions() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("rocket.kfx"));
        Design design;
        QVERIFY(SaveDesign(design, path.toStdString()).ok);
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0640) == 0);
        BuildNoseAlone(design);
        QVERIFY(SaveDesign(design, path.toStdString()).ok);
        struct stat info {};
        QVERIFY(::stat(QFile::encodeName(path).constData(), &info) == 0);
        QCOMPARE(info.st_mode & 07777, mode_t{0640});
    }

    void readOnlyFileIsNotReplaced() {
        if (::geteuid() == 0)
            QSKIP("root may write any file");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("rocket.kfx"));
        Design design;
        QVERIFY(SaveDesign(design, path.toStdString()).ok);
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0444) == 0);
        BuildNoseAlone(design);
        const SaveResult result = SaveDesign(design, path.toStdString());
        QVERIFY(!result.ok);
        QCOMPARE(result.message, path.toStdString());
        QCOMPARE(ReadAll(path), QByteArray(8, '\0'));
        QCOMPARE(Entries(dir.path()), QStringList{QStringLiteral("rocket.kfx")});
    }

    void saveThroughALinkReplacesTheLinkedFile() {
        QTemporaryDir dir;
        const QString real = dir.filePath(QStringLiteral("real.kfx"));
        const QString link = dir.filePath(QStringLiteral("link.kfx"));
        Design design;
        QVERIFY(SaveDesign(design, real.toStdString()).ok);
        QVERIFY(QFile::link(real, link));
        BuildNoseAlone(design);
        QVERIFY(SaveDesign(design, link.toStdString()).ok);
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(ReadAll(real), AsByteArray(EncodeDesign(design)));
    }

    // A dangling link gets its target created and stays a link; a long file name still
    // leaves room for the temporary name beside it.
    void saveCreatesWhatALinkOrALongNameNames_data() {
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QString>("written");
        QTest::newRow("dangling link") << "link.kfx"
                                       << "target.kfx";
        QTest::newRow("254-byte name") << QString(250, 'a') + ".kfx" << QString(250, 'a') + ".kfx";
    }

    void saveCreatesWhatALinkOrALongNameNames() {
        QFETCH(QString, saved);
        QFETCH(QString, written);
        QTemporaryDir dir;
        QVERIFY(QFile::link(QStringLiteral("target.kfx"), dir.filePath("link.kfx")));
        Design design;
        BuildNoseAlone(design);
        const SaveResult result = SaveDesign(design, dir.filePath(saved).toStdString());
        QVERIFY2(result.ok, result.reason.c_str());
        QCOMPARE(ReadAll(dir.filePath(written)), AsByteArray(EncodeDesign(design)));
        QVERIFY(QFileInfo(dir.filePath("link.kfx")).isSymLink());
    }

    // A save removes the temporaries killed saves left in its folder, and nothing else:
    // not a recent one, not one a running save holds locked, not a file merely alike.
    void saveRemovesOnlyStaleTemporariesOfKilledSaves() {
        QTemporaryDir dir;
        const auto make = [&dir](const char* name, bool old) {
            const QString path = dir.filePath(QString::fromLatin1(name));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("partial");
            file.close();
            if (old) {
                const timespec times[2] = {{0, UTIME_OMIT}, {::time(nullptr) - 3600, 0}};
                QVERIFY(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0);
            }
        };
        make(".rocket.kfx.vantor-save-123456", true);
        make(".other.kfx.vantor-save-7", true);
        make(".rocket.kfx.vantor-save-42", false);
        make(".locked.kfx.vantor-save-9", true);
        make(".rocket.kfx.tmp123456", true);
        make("rocket.kfx.vantor-save-1", true);
        const int locked = ::open(QFile::encodeName(dir.filePath(".locked.kfx.vantor-save-9")),
                                  O_RDONLY | O_CLOEXEC);
        QVERIFY(locked >= 0 && ::flock(locked, LOCK_EX) == 0);

        Design design;
        BuildNoseAlone(design);
        QVERIFY(SaveDesign(design, dir.filePath("rocket.kfx").toStdString()).ok);
        ::close(locked);
        QCOMPARE(
            Entries(dir.path()),
            (QStringList{".locked.kfx.vantor-save-9", ".rocket.kfx.tmp123456",
                         ".rocket.kfx.vantor-save-42", "rocket.kfx", "rocket.kfx.vantor-save-1"}));
    }

    // Whatever is not a regular file is never replaced, directly or through a link.
    void saveOntoSpecialFilesIsRefused_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("FIFO") << "fifo"
                              << "it is a FIFO, not a regular file";
        QTest::newRow("link to a FIFO") << "link"
                                        << "it is a FIFO, not a regular file";
        QTest::newRow("device") << "device"
                                << "it is a device, not a regular file";
    }

    void saveOntoSpecialFilesIsRefused() {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QByteArray fifo = QFile::encodeName(dir.filePath("fifo"));
        QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
        QVERIFY(QFile::link(dir.filePath("fifo"), dir.filePath("link")));
        if (name == "device") {
            // A null device of our own, never the system's.
            const QByteArray device = QFile::encodeName(dir.filePath("device"));
            if (::mknod(device.constData(), S_IFCHR | 0600, makedev(1, 3)) != 0)
                QSKIP("making a device node needs root");
        }
        const QStringList before = Entries(dir.path());
        Design design;
        BuildNoseAlone(design);
        const SaveResult result = SaveDesign(design, dir.filePath(name).toStdString());
        QVERIFY(!result.ok);
        QVERIFY2(QString::fromStdString(result.reason).endsWith(reason), result.reason.c_str());
        QCOMPARE(Entries(dir.path()), before);
        struct stat status {};
        QCOMPARE(::lstat(fifo.constData(), &status), 0);
        QVERIFY(S_ISFIFO(status.st_mode));
        QVERIFY(QFileInfo(dir.filePath("link")).isSymLink());
        if (name == "device") {
            QCOMPARE(::stat(QFile::encodeName(dir.filePath("device")).constData(), &status), 0);
            QVERIFY(S_ISCHR(status.st_mode));
        }
    }

    void saveWhereNoFileCanBeMadeFails_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing folder") << QStringLiteral("missing/rocket.kfx");
        QTest::newRow("folder replaced by a file") << QStringLiteral("plain/rocket.kfx");
        QTest::newRow("target is a folder") << QStringLiteral("folder");
    }

    void saveWhereNoFileCanBeMadeFails() {
        QFETCH(QString, name);
        QTemporaryDir dir;
        QFile plain(dir.filePath(QStringLiteral("plain")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.write("keep");
        plain.close();
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
        const QStringList before = Entries(dir.path());

        const std::string path = dir.filePath(name).toStdString();
        Design design;
        BuildNoseAlone(design);
        const SaveResult result = SaveDesign(design, path);
        QVERIFY(!result.ok);
        QCOMPARE(result.message, path);
        QVERIFY(!result.reason.empty());
        QCOMPARE(Entries(dir.path()), before);
        QCOMPARE(ReadAll(dir.filePath(QStringLiteral("plain"))), QByteArray("keep"));
        QVERIFY(Entries(dir.filePath(QStringLiteral("folder"))).isEmpty());
        QCOMPARE(std::string(WriteErrorCaption), std::string("uwaga, błąd zapisu"));
    }

    // The disk refuses the save after every possible number of bytes in turn: each
    // time the earlier file stays byte for byte and no temporary file is left.
    void interruptedSaveLeavesTheEarlierFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("rocket.kfx"));
        Design earlier;
        BuildNoseAlone(earlier);
        QVERIFY(SaveDesign(earlier, path.toStdString()).ok);
        const QByteArray earlierBytes = ReadAll(path);

        Design design;
        BuildFullRocket(design);
        const Bytes bytes = EncodeDesign(design);
        for (std::size_t limit = 0; limit < bytes.size(); ++limit) {
            const SaveResult result = SaveDesign(design, path.toStdString(), {limit});
            QVERIFY2(!result.ok, qPrintable(QString::number(limit)));
            QCOMPARE(result.message, path.toStdString());
            QCOMPARE(ReadAll(path), earlierBytes);
            QCOMPARE(Entries(dir.path()), QStringList{QStringLiteral("rocket.kfx")});
        }
        QVERIFY(SaveDesign(design, path.toStdString(), {bytes.size()}).ok);
        QCOMPARE(ReadAll(path), AsByteArray(bytes));
    }

    void interruptedFirstSaveLeavesNoFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("new.kfx"));
        Design design;
        BuildFullRocket(design);
        QVERIFY(!SaveDesign(design, path.toStdString(), {100}).ok);
        QVERIFY(Entries(dir.path()).isEmpty());
    }
};

QTEST_APPLESS_MAIN(DesignSaveTest)
#include "tst_design_save.moc"
