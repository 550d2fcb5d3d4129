#include "i18n/AdvForm.h"
#include "i18n/LanguageSession.h"
#include "support/ScriptedInteraction.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

using namespace vantor;

namespace {

const QString BuildDir = QStringLiteral(VANTOR_BUILD_DIR);
const QString BrokenModuleDir = QStringLiteral(VANTOR_BROKEN_MODULE_DIR);

// A form with one caption of each language's library.
struct SmallForm {
    SmallForm() {
        form.setWindowTitle("Parametry@5501");
        label = new QLabel("Polska@1610", &form);
        label->setObjectName("Label1");
    }
    QWidget form;
    QLabel* label;
};

// A program directory with the given files in its Dll folder, under the given names.
class ProgramDirectory {
public:
    bool add(const QString& source, const QString& name) {
        return QDir(dir_.path()).mkpath("Dll") && QFile::copy(source, dir_.path() + "/Dll/" + name);
    }
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

void SetLanguageChoice(const QVariant& pol) {
    QSettings settings("Qendel", "CAD");
    if (pol.isValid())
        settings.setValue("Pol", pol);
    else
        settings.remove("Pol");
    settings.sync();
}

// A dialog of the program: a translating form over QDialog.
class TestDialog : public TAdvForm<QDialog> {
    Q_OBJECT
public:
    explicit TestDialog(LanguageSession& language) : TAdvForm(language) {
        setWindowTitle(Tagged(3501));
        ok = new QLabel(Tagged(3502), this);
        ok->setObjectName("OK");
        translated = TranslateForm();
    }
    QLabel* ok;
    bool translated;
};

} // namespace

class LanguageSessionTest : public QObject {
    Q_OBJECT
public:
    explicit LanguageSessionTest(QString configDir) : configDir_(std::move(configDir)) {}

private slots:
    void initTestCase();
    void init();
    void choiceSelectsTheLibrary_data();
    void choiceSelectsTheLibrary();
    void englishChosenButMissing();
    void unusableLibrary_data();
    void unusableLibrary();
    void messageOncePerSessionButEveryFormFails();
    void acceptedLibraryStaysLoaded();
    void failureEndsTheEventLoop();
    void formsDeriveFromTAdvForm();

private:
    QString configDir_;
};

void LanguageSessionTest::initTestCase() {
    // Never touch the real user's settings.
    QVERIFY(QSettings("Qendel", "CAD").fileName().startsWith(configDir_));
    QVERIFY(QFile::exists(BuildDir + "/Dll/Pol_Library.dll"));
    QVERIFY(QFile::exists(BuildDir + "/Dll/Eng_Library.dll"));
}

void LanguageSessionTest::init() {
    SetLanguageChoice({});
    // Deliver quit requests left by earlier failures while no event loop runs.
    QCoreApplication::processEvents();
}

void LanguageSessionTest::choiceSelectsTheLibrary_data() {
    QTest::addColumn<QVariant>("pol");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("label");
    QTest::newRow("absent") << QVariant() << "Parametry"
                            << "Polska";
    QTest::newRow("1") << QVariant(1) << "Parametry"
                       << "Polska";
    QTest::newRow("7") << QVariant(7) << "Parametry"
                       << "Polska";
    QTest::newRow("0") << QVariant(0) << "Parameters"
                       << "Polish";
    QTest::newRow("written as false") << QVariant(false) << "Parameters"
                                      << "Polish";
    QTest::newRow("written as true") << QVariant(true) << "Parametry"
                                     << "Polska";
    QTest::newRow("unreadable") << QVariant("tak") << "Parametry"
                                << "Polska";
}

void LanguageSessionTest::choiceSelectsTheLibrary() {
    QFETCH(QVariant, pol);
    QFETCH(QString, caption);
    QFETCH(QString, label);
    SetLanguageChoice(pol);
    test::ScriptedInteraction interaction;
    LanguageSession session(interaction, BuildDir);
    SmallForm small;
    QVERIFY(session.translateForm(small.form));
    QCOMPARE(small.form.windowTitle(), caption);
    QCOMPARE(small.label->text(), label);
    QVERIFY(interaction.messages.isEmpty());
    QVERIFY(!session.terminationRequested());
}

void LanguageSessionTest::englishChosenButMissing() {
    ProgramDirectory program;
    QVERIFY(program.add(BuildDir + "/Dll/Pol_Library.dll", "Pol_Library.dll"));
    test::ScriptedInteraction interaction;
    LanguageSession session(interaction, program.path());

    SmallForm polish;
    QVERIFY(session.translateForm(polish.form)); // the Polish library is there
    QCOMPARE(polish.label->text(), QStringLiteral("Polska"));

    SetLanguageChoice(0);
    SmallForm english;
    QVERIFY(!session.translateForm(english.form));
    QCOMPARE(english.label->text(), QStringLiteral("Polska@1610")); // left untranslated
    QCOMPARE(english.form.windowTitle(), QStringLiteral("Parametry@5501"));
    QCOMPARE(interaction.messages.size(), 1);
    QCOMPARE(interaction.messages[0].text, QStringLiteral("Can't load library DLL"));
    QCOMPARE(interaction.messages[0].caption, QStringLiteral("Vantor"));
    QVERIFY(session.terminationRequested());
}

// Besides the libraries that load but do not serve: a good library cut short (which the
// system's loader would map and die on), and a FIFO or a folder where the library should
// be (which would block it or make no sense).
void LanguageSessionTest::unusableLibrary_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<qint64>("keep"); // bytes of the source kept; -1 all
    const QString good = BuildDir + "/Dll/Pol_Library.dll";
    QTest::newRow("wrong marker") << BrokenModuleDir + "/i18n_WrongMarker.dll" << qint64(-1);
    QTest::newRow("no lookup function") << BrokenModuleDir + "/i18n_NoLookup.dll" << qint64(-1);
    QTest::newRow("not a library") << BuildDir + "/CMakeCache.txt" << qint64(-1);
    QTest::newRow("cut to 4 KiB") << good << qint64(4096);
    QTest::newRow("cut to its headers") << good << qint64(1024);
    QTest::newRow("cut inside the header") << good << qint64(40);
    QTest::newRow("empty") << good << qint64(0);
    QTest::newRow("a FIFO") << "fifo" << qint64(-1);
    QTest::newRow("a folder") << "folder" << qint64(-1);
}

void LanguageSessionTest::unusableLibrary() {
    QFETCH(QString, source);
    QFETCH(qint64, keep);
    ProgramDirectory program;
    const QString target = program.path() + "/Dll/Pol_Library.dll";
    if (source == "fifo") {
        QVERIFY(QDir(program.path()).mkpath("Dll"));
        QCOMPARE(::mkfifo(QFile::encodeName(target).constData(), 0600), 0);
    } else if (source == "folder") {
        QVERIFY(QDir(program.path()).mkpath("Dll/Pol_Library.dll"));
    } else {
        QVERIFY(program.add(source, "Pol_Library.dll"));
        if (keep >= 0)
            QVERIFY(QFile::resize(target, keep));
    }
    QVERIFY(program.add(BuildDir + "/Dll/Eng_Library.dll", "Eng_Library.dll"));
    test::ScriptedInteraction interaction;
    LanguageSession session(interaction, program.path());
    SmallForm small;
    QVERIFY(!session.translateForm(small.form));
    QCOMPARE(small.label->text(), QStringLiteral("Polska@1610"));
    QCOMPARE(interaction.messages.size(), 1);
    QCOMPARE(interaction.messages[0].text, QStringLiteral("Can't load library DLL"));
    QVERIFY(session.terminationRequested());
}

void LanguageSessionTest::messageOncePerSessionButEveryFormFails() {
    QTemporaryDir empty;
    test::ScriptedInteraction interaction;
    LanguageSession session(interaction, empty.path());
    SmallForm first, second;
    QVERIFY(!session.translateForm(first.form));
    QVERIFY(!session.translateForm(second.form));
    QCOMPARE(interaction.messages.size(), 1);
    QCOMPARE(second.label->text(), QStringLiteral("Polska@1610"));
}

void LanguageSessionTest::acceptedLibraryStaysLoaded() {
    auto program = std::make_unique<ProgramDirectory>();
    QVERIFY(program->add(BuildDir + "/Dll/Pol_Library.dll", "Pol_Library.dll"));
    test::ScriptedInteraction interaction;
    LanguageSession session(interaction, program->path());
    SmallForm first;
    QVERIFY(session.translateForm(first.form));
    program.reset(); // the file is gone; the loaded library is still used
    SmallForm second;
    QVERIFY(session.translateForm(second.form));
    QCOMPARE(second.label->text(), QStringLiteral("Polska"));
    QVERIFY(interaction.messages.isEmpty());
}

void LanguageSessionTest::failureEndsTheEventLoop() {
    QTemporaryDir empty;
    test::ScriptedInteraction interaction;
    // A translation that works asks for nothing: the loop runs until told otherwise.
    LanguageSession working(interaction, BuildDir);
    SmallForm fine;
    QVERIFY(working.translateForm(fine.form));
    QTimer::singleShot(0, [] { QCoreApplication::exit(7); });
    QCOMPARE(QCoreApplication::exec(), 7);

    LanguageSession failing(interaction, empty.path());
    SmallForm broken;
    QVERIFY(!failing.translateForm(broken.form)); // before the loop runs, as at start-up
    QTimer::singleShot(10000, [] { QCoreApplication::exit(99); });
    QCOMPARE(QCoreApplication::exec(), 1);
}

void LanguageSessionTest::formsDeriveFromTAdvForm() {
    SetLanguageChoice(0);
    test::ScriptedInteraction interaction;
    LanguageSession session(interaction, BuildDir);
    TestDialog dialog(session);
    QVERIFY(dialog.translated);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Program options"));
    QCOMPARE(dialog.ok->text(), QStringLiteral("OK"));
    QVERIFY(dialog.property(TranslatedFormProperty).toBool());
}

int main(int argc, char** argv) {
    // Settings go to a temporary folder, chosen before Qt reads the environment.
    QTemporaryDir config;
    if (!config.isValid())
        return 1;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName("Vantor");
    LanguageSessionTest test(config.path());
    return QTest::qExec(&test, argc, argv);
}

#include "tst_language_session.moc"
