#include "designfile/DesignFile.h"
#include "editing/Recovery.h"
#include "support/SampleDesigns.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using namespace vantor;

namespace {

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

bool Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

QByteArray Encoded(const Design& design) {
    const std::vector<std::uint8_t> bytes = EncodeDesign(design);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

} // namespace

class TestRecoveryStore : public QObject {
    Q_OBJECT

private slots:
    // The copies of a store that lives are nobody else's; once it is gone they are left
    // over, claimed by one store at a time; an orderly end removes only a store's own.
    void copiesBelongToTheProgramThatWroteThem() {
        QTemporaryDir folder;
        Design rocket;
        test::BuildFullRocket(rocket);
        auto first = std::make_unique<RecoveryStore>(folder.path());
        RecoveryStore second(folder.path());
        QVERIFY(first->write(1, rocket, "/home/a.kfx").ok);
        QVERIFY(first->write(2, rocket, "/home/b.kfx").ok);
        QVERIFY(second.write(1, rocket, "/home/c.kfx").ok);
        QVERIFY(second.claimLeftCopies().isEmpty());
        RecoveryStore third(folder.path());
        QVERIFY(third.claimLeftCopies().isEmpty());

        first.reset(); // gone without removing its copies, as a killed program
        const QList<RecoveryStore::LeftCopy> left = second.claimLeftCopies();
        QCOMPARE(left.size(), 2);
        QStringList names{left[0].originalName, left[1].originalName};
        names.sort();
        QCOMPARE(names, QStringList({"/home/a.kfx", "/home/b.kfx"}));
        QVERIFY(third.claimLeftCopies().isEmpty()); // claimed by the second
        second.releaseClaims();
        QCOMPARE(third.claimLeftCopies().size(), 2);
        third.releaseClaims();

        second.removeOwnCopies();
        QVERIFY(!QFile::exists(second.designPath(1)));
        QCOMPARE(third.claimLeftCopies().size(), 2);
    }

    // Whatever is planted where a copy is written is replaced, never written through.
    void aCopyIsNeverWrittenThroughALink_data() {
        QTest::addColumn<QString>("planted");
        QTest::newRow("link to a file") << "link";
        QTest::newRow("link to nothing") << "dangling";
        QTest::newRow("FIFO") << "fifo";
    }
    void aCopyIsNeverWrittenThroughALink() {
        QFETCH(QString, planted);
        QTemporaryDir folder;
        RecoveryStore store(folder.path() + "/copies");
        QVERIFY(store.takeOwnLock());
        const QString target = folder.filePath("target.kfx");
        QVERIFY(Write(target, "someone else's file"));
        for (const QString& path : {store.designPath(1), store.namePath(1)}) {
            if (planted == "fifo")
                QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
            else
                QVERIFY(QFile::link(planted == "link" ? target : folder.filePath("none"), path));
        }
        Design rocket;
        test::BuildFullRocket(rocket);
        QVERIFY(store.write(1, rocket, "/home/rocket.kfx").ok);
        QCOMPARE(Read(target), QByteArray("someone else's file"));
        QVERIFY(!QFile::exists(folder.filePath("none")));
        QVERIFY(QFileInfo(store.designPath(1)).isFile() &&
                !QFileInfo(store.designPath(1)).isSymLink());
        QCOMPARE(Read(store.designPath(1)), Encoded(rocket));
        QCOMPARE(Read(store.namePath(1)), QByteArray("/home/rocket.kfx"));
    }

    // A damaged copy is set aside for good; one that cannot be read stays for a later try.
    void aCopyIsDamagedOrUnreadable_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<bool>("stays");
        QTest::newRow("whole") << "whole" << int(RecoveryStore::Outcome::Restored) << true;
        QTest::newRow("cut short") << "cut" << int(RecoveryStore::Outcome::Damaged) << false;
        QTest::newRow("FIFO") << "fifo" << int(RecoveryStore::Outcome::Unreadable) << true;
        QTest::newRow("too large") << "large" << int(RecoveryStore::Outcome::Unreadable) << true;
    }
    void aCopyIsDamagedOrUnreadable() {
        QFETCH(QString, kind);
        QFETCH(int, outcome);
        QFETCH(bool, stays);
        QTemporaryDir folder;
        const QString path = folder.filePath("recovery-1-00000001-1.kfx");
        Design rocket;
        test::BuildFullRocket(rocket);
        const QByteArray bytes = Encoded(rocket);
        if (kind == "fifo") {
            QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        } else {
            QVERIFY(Write(path, kind == "cut" ? bytes.left(bytes.size() / 2) : bytes));
            if (kind == "large") {
                QFile file(path);
                QVERIFY(file.resize(qint64(300) << 20)); // sparse: takes no room
            }
        }
        RecoveryStore store(folder.path());
        const QList<RecoveryStore::LeftCopy> left = store.claimLeftCopies();
        QCOMPARE(left.size(), 1);
        Design restored;
        const RecoveryStore::Restored result = RecoveryStore::Restore(left[0], restored);
        QCOMPARE(int(result.outcome), outcome);
        QCOMPARE(QFileInfo::exists(path), stays);
        QCOMPARE(QFileInfo::exists(path + ".damaged"), kind == "cut");
        if (outcome == int(RecoveryStore::Outcome::Restored))
            QCOMPARE(Encoded(restored), bytes);
        else
            QVERIFY(result.message.startsWith(path + "\n"));
    }

    // The stored name is shown as a caption and proposed as a save path only when it is a
    // plain path into an existing, real folder.
    void theStoredNameIsOnlyACaption_data() {
        QTest::addColumn<QString>("name"); // "%1": an existing folder
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("suggested");
        QTest::newRow("plain path") << "%1/rocket.kfx"
                                    << "%1/rocket.kfx"
                                    << "%1/rocket.kfx";
        QTest::newRow("control characters") << "%1/\x1b[2Jrocket\n.kfx"
                                            << "%1/?[2Jrocket?.kfx"
                                            << "";
        QTest::newRow("relative") << "rocket.kfx"
                                  << "rocket.kfx"
                                  << "";
        QTest::newRow("missing folder") << "%1/none/rocket.kfx"
                                        << "%1/none/rocket.kfx"
                                        << "";
        QTest::newRow("folder behind a link") << "%1/link/rocket.kfx"
                                              << "%1/link/rocket.kfx"
                                              << "";
        QTest::newRow("a folder itself") << "%1/"
                                         << "%1/"
                                         << "";
        QTest::newRow("empty") << ""
                               << ""
                               << "";
    }
    void theStoredNameIsOnlyACaption() {
        QFETCH(QString, name);
        QFETCH(QString, title);
        QFETCH(QString, suggested);
        QTemporaryDir folder;
        QVERIFY(QFile::link(folder.path(), folder.filePath("link")));
        name.replace("%1", folder.path());
        title.replace("%1", folder.path());
        suggested.replace("%1", folder.path());
        QCOMPARE(RecoveredTitle(name), title);
        QCOMPARE(RecoveredSaveSuggestion(name), suggested);
        QCOMPARE(RecoveredTitle(QString(1000, 'x')).size(), 260);
    }
};

QTEST_GUILESS_MAIN(TestRecoveryStore)
#include "tst_recovery_store.moc"
