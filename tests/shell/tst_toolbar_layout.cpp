#include "ProgramRun.h"
#include "shell/LayoutFiles.h"
#include "shell/IniFile.h"
#include "shell/OptionsDialog.h"
#include "shell/ToolbarLayout.h"
#include "support/Named.h"
#include "support/TestMain.h"

#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QGuiApplication>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolBar>
#include <sys/stat.h>

using namespace vantor;
using test::ClearStore;
using test::Named;
using test::ProgramRun;
using test::Store;

namespace {

const char* const Participants[] = {"BarPodstawowy", "BarTransform", "BarFigury",
                                    "BarWymiary",    "BarMode",      "WindowFormObject"};

void WriteFile(const QString& path, const QByteArray& contents) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(contents);
}

// Whether the screen shows the widget's window as the widget paints itself.
bool ShownAsPainted(QWidget& widget) {
    const QImage painted = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect area(widget.mapToGlobal(QPoint(0, 0)), widget.size());
    const QImage shown = widget.screen()
                             ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32);
    if (shown.size() != painted.size())
        return false;
    qsizetype same = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            same += shown.pixel(x, y) == painted.pixel(x, y);
    return same >= shown.width() * shown.height() * 9 / 10;
}

QWidget* Participant(TMainForm& main, const QString& name) {
    return main.findChild<QWidget*>(name);
}

// Where a participant is: a dock name, or "+" when it floats.
QString DockOf(TMainForm& main, const QString& name) {
    QWidget* widget = Participant(main, name);
    if (auto* bar = qobject_cast<QToolBar*>(widget))
        return bar->isFloating() ? "+" : DockName(main.toolBarArea(bar));
    auto* tool = qobject_cast<QDockWidget*>(widget);
    return tool->isFloating() ? "+" : DockName(main.dockWidgetArea(tool));
}

bool Shown(TMainForm& main, const QString& name) {
    return Participant(main, name)->isVisibleTo(&main);
}

// Makes a folder one that this process cannot write to, for as long as it lives: by its
// permissions, and for a privileged user, who may write anyway, by the immutable flag.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(QString path) : path_(std::move(path)) {
        QFile::setPermissions(path_, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                         QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
        if (QFileInfo(path_).isWritable())
            immutable_ = QProcess::execute("chattr", {"+i", path_}) == 0;
    }
    ~ReadOnlyFolder() {
        if (immutable_)
            QProcess::execute("chattr", {"-i", path_});
        QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    bool readOnly() const { return !QFileInfo(path_).isWritable(); }

private:
    QString path_;
    bool immutable_ = false;
};

} // namespace

class TestToolbarLayout : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> directory_;
    QString file(const char* name) const { return directory_->filePath(name); }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void init() {
        ClearStore();
        // The user's layout files, which a program folder that cannot be written leaves.
        const QDir userFolder(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
        for (const char* name : {ToolbarsFileName, UserbarsFileName})
            QFile::remove(userFolder.filePath(name));
        directory_ = std::make_unique<QTemporaryDir>();
    }

    void firstStartGivesTheDefaultLayoutAndWritesIt() {
        QVERIFY(!QFile::exists(file(ToolbarsFileName)));
        ProgramRun run(directory_->path());
        QVERIFY(run.created);
        TMainForm& m = *run.main;
        QCOMPARE(DockOf(m, "BarPodstawowy"), QString("TopDock"));
        QCOMPARE(DockOf(m, "BarFigury"), QString("LeftDock"));
        QCOMPARE(DockOf(m, "BarWymiary"), QString("LeftDock"));
        QCOMPARE(DockOf(m, "BarMode"), QString("LeftDock"));
        QCOMPARE(DockOf(m, "WindowFormObject"), QString("RightDock"));
        // BarPodstawowy fills the top row; the left toolbars share one row, top to bottom.
        QCOMPARE(Named<QToolBar>(m, "BarPodstawowy").width(), m.width());
        QCOMPARE(Named<QToolBar>(m, "BarWymiary").x(), Named<QToolBar>(m, "BarFigury").x());
        QCOMPARE(Named<QToolBar>(m, "BarMode").x(), Named<QToolBar>(m, "BarFigury").x());
        QVERIFY(Named<QToolBar>(m, "BarFigury").y() < Named<QToolBar>(m, "BarWymiary").y());
        QVERIFY(Named<QToolBar>(m, "BarWymiary").y() < Named<QToolBar>(m, "BarMode").y());
        QVERIFY(Named<QToolBar>(m, "BarPodstawowy").y() < Named<QToolBar>(m, "BarFigury").y());
        QVERIFY(!Named<QToolBar>(m, "BarTransform").isVisible());
        QVERIFY(Named<QDockWidget>(m, "WindowFormObject").isVisible());
        run.exit();

        const auto ini = IniFile::read(file(ToolbarsFileName));
        QVERIFY(ini.has_value());
        QStringList sections;
        const QString text = ini->text();
        for (const QString& line : text.split('\n'))
            if (line.startsWith('['))
                sections << line;
        QCOMPARE(sections, QStringList({"[BarPodstawowy]", "[BarTransform]", "[BarFigury]",
                                        "[BarWymiary]", "[BarMode]", "[WindowFormObject]"}));
        QVERIFY(text.contains("[BarFigury]\nRev=3\nVisible=1\nDockedTo=LeftDock\n"
                              "LastDock=LeftDock\nDockRow=0\nDockPos=0\nFloatLeft=0\n"
                              "FloatTop=0\n"));
        QCOMPARE(ini->value("BarTransform", "Visible"), QString("0"));
        QCOMPARE(ini->value("BarTransform", "DockRow"), QString("1"));
        QVERIFY(ini->integer("BarWymiary", "DockPos") > ini->integer("BarFigury", "DockPos"));
        QVERIFY(ini->integer("BarMode", "DockPos") > ini->integer("BarWymiary", "DockPos"));
        QVERIFY(text.contains("FloatTop=0\nClientWidth="));
        QCOMPARE(ini->integer("WindowFormObject", "ClientWidth"),
                 std::optional<int>(Named<QDockWidget>(m, "WindowFormObject").widget()->width()));
    }

    void aMovedToolbarIsRestoredAtTheNextStart() {
        {
            ProgramRun first(directory_->path());
            QVERIFY(first.created);
            first.main->addToolBar(Qt::RightToolBarArea,
                                   &Named<QToolBar>(*first.main, "BarFigury"));
            first.main->addToolBar(Qt::BottomToolBarArea, &Named<QToolBar>(*first.main, "BarMode"));
            first.main->removeDockWidget(&Named<QDockWidget>(*first.main, "WindowFormObject"));
            first.main->addDockWidget(Qt::LeftDockWidgetArea,
                                      &Named<QDockWidget>(*first.main, "WindowFormObject"));
            Named<QDockWidget>(*first.main, "WindowFormObject").show();
            Named<QToolBar>(*first.main, "BarWymiary").hide();
            first.exit();
        }
        ProgramRun second(directory_->path());
        QVERIFY(second.created);
        TMainForm& m = *second.main;
        QCOMPARE(DockOf(m, "BarFigury"), QString("RightDock"));
        QCOMPARE(DockOf(m, "BarMode"), QString("Dock971"));
        QCOMPARE(DockOf(m, "WindowFormObject"), QString("LeftDock"));
        QVERIFY(Named<QToolBar>(m, "BarFigury").x() > m.width() / 2);
        QVERIFY(Named<QToolBar>(m, "BarMode").y() > m.height() / 2);
        QVERIFY(Named<QDockWidget>(m, "WindowFormObject").x() < m.width() / 2);
        // Shown again by the design window when it became active, as at every start.
        QVERIFY(Named<QToolBar>(m, "BarWymiary").isVisible());
    }

    // An installed program's folder cannot be written: the layout goes to the user's
    // folder, and the program folder's file serves only until the user has one.
    void aReadOnlyProgramFolderKeepsTheLayoutInTheUsersFolder() {
        const QString userFile =
            QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
                .filePath(ToolbarsFileName);
        const QByteArray shipped("[BarFigury]\nRev=3\nDockedTo=RightDock\n");
        WriteFile(file(ToolbarsFileName), shipped);
        ReadOnlyFolder folder(directory_->path());
        if (!folder.readOnly())
            QSKIP("this user can write to every folder");
        {
            ProgramRun first(directory_->path());
            QVERIFY(first.created);
            QCOMPARE(DockOf(*first.main, "BarFigury"), QString("RightDock"));
            first.main->addToolBar(Qt::BottomToolBarArea, &Named<QToolBar>(*first.main, "BarMode"));
            first.exit();
        }
        QVERIFY(QFileInfo::exists(userFile));
        QVERIFY(!QFileInfo::exists(file(UserbarsFileName)));
        ProgramRun second(directory_->path());
        QVERIFY(second.created);
        QCOMPARE(DockOf(*second.main, "BarMode"), QString("Dock971"));
        QCOMPARE(DockOf(*second.main, "BarFigury"), QString("RightDock"));
        // Maximising keeps its layout beside the other one.
        Named<QAction>(*second.main, "AMaxWorkArea").trigger();
        QVERIFY(QFileInfo::exists(QFileInfo(userFile).dir().filePath(UserbarsFileName)));
        QFile programFile(file(ToolbarsFileName));
        QVERIFY(programFile.open(QIODevice::ReadOnly));
        QCOMPARE(programFile.readAll(), shipped);
    }

    // An installed program's folder is left alone even by a user who could write to it
    // (the system administrator): the layout goes to that user's own folder.
    void anInstalledProgramFolderIsNeverWritten() {
        const QString userFile =
            QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
                .filePath(ToolbarsFileName);
        WriteFile(file(LayoutFiles::InstalledMarkerName), "installed\n");
        QVERIFY(QFileInfo(directory_->path()).isWritable());
        {
            ProgramRun first(directory_->path());
            QVERIFY(first.created);
            first.main->addToolBar(Qt::BottomToolBarArea, &Named<QToolBar>(*first.main, "BarMode"));
            Named<QAction>(*first.main, "AMaxWorkArea").trigger();
            first.exit();
        }
        QCOMPARE(QDir(directory_->path()).entryList(QDir::Files),
                 QStringList({LayoutFiles::InstalledMarkerName}));
        QVERIFY(QFileInfo::exists(userFile));
        ProgramRun second(directory_->path());
        QVERIFY(second.created);
        QCOMPARE(DockOf(*second.main, "BarMode"), QString("Dock971"));
    }

    void rowsAndOrderWithinARowAreHonoured() {
        WriteFile(file(ToolbarsFileName), "[BarFigury]\nRev=3\nDockedTo=LeftDock\nDockRow=0\n"
                                          "DockPos=400\n"
                                          "[BarMode]\nRev=3\nDockedTo=LeftDock\nDockRow=0\n"
                                          "DockPos=0\n"
                                          "[BarWymiary]\nRev=3\nDockedTo=LeftDock\nDockRow=1\n"
                                          "DockPos=0\n");
        ProgramRun run(directory_->path());
        QVERIFY(run.created);
        TMainForm& m = *run.main;
        QVERIFY(Named<QToolBar>(m, "BarMode").y() < Named<QToolBar>(m, "BarFigury").y());
        QCOMPARE(Named<QToolBar>(m, "BarMode").x(), Named<QToolBar>(m, "BarFigury").x());
        // Row 1 lies further from the window's edge than row 0.
        QVERIFY(m.toolBarBreak(&Named<QToolBar>(m, "BarWymiary")));
        QVERIFY(Named<QToolBar>(m, "BarWymiary").x() > Named<QToolBar>(m, "BarFigury").x());
        run.exit();
        const auto ini = IniFile::read(file(ToolbarsFileName));
        QCOMPARE(ini->integer("BarWymiary", "DockRow"), std::optional<int>(1));
        QCOMPARE(ini->integer("BarMode", "DockRow"), std::optional<int>(0));
        QVERIFY(ini->integer("BarMode", "DockPos") < ini->integer("BarFigury", "DockPos"));
    }

    void floatingParticipantsArePlacedOnTheScreen_data() {
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::newRow("inside") << 300 << 200;
        QTest::newRow("far off to the left and below") << -5000 << 99999;
        QTest::newRow("largest integers") << 2147483647 << 2147483647;
        QTest::newRow("smallest integers") << -2147483647 - 1 << -2147483647 - 1;
    }
    void floatingParticipantsArePlacedOnTheScreen() {
        QFETCH(int, left);
        QFETCH(int, top);
        const QByteArray corner = QByteArray("FloatLeft=") + QByteArray::number(left) +
                                  "\nFloatTop=" + QByteArray::number(top) + "\n";
        WriteFile(file(ToolbarsFileName),
                  "[BarFigury]\nRev=3\nVisible=1\nDockedTo=+\nLastDock=RightDock\n" + corner +
                      "[WindowFormObject]\nRev=3\nVisible=1\nDockedTo=+\nLastDock=LeftDock\n" +
                      corner + "ClientWidth=300\nClientHeight=400\n");
        ProgramRun run(directory_->path());
        QVERIFY(run.created);
        TMainForm& m = *run.main;
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        for (QWidget* floating :
             {static_cast<QWidget*>(&Named<QToolBar>(m, "BarFigury")),
              static_cast<QWidget*>(&Named<QDockWidget>(m, "WindowFormObject"))}) {
            QVERIFY(floating->isWindow());
            QVERIFY(floating->isVisible());
            // The window system places and sizes a new window in its own time: wait for
            // its answer rather than read the geometry asked for.
            QVERIFY(QTest::qWaitForWindowExposed(floating));
            QTRY_VERIFY2(screen.contains(floating->frameGeometry()),
                         qPrintable(floating->objectName()));
        }
        if (left == 300) {
            QCOMPARE(Named<QToolBar>(m, "BarFigury").pos(), QPoint(300, 200));
            // On the screen it looks as it paints itself, not as a black or empty box.
            QVERIFY(QTest::qWaitForWindowExposed(&Named<QToolBar>(m, "BarFigury")));
            QTRY_VERIFY(ShownAsPainted(Named<QToolBar>(m, "BarFigury")));
        }
        // Its place in the layout is the remembered dock.
        QCOMPARE(m.toolBarArea(&Named<QToolBar>(m, "BarFigury")), Qt::RightToolBarArea);
        QTRY_COMPARE(Named<QDockWidget>(m, "WindowFormObject").widget()->size(), QSize(300, 400));
        run.exit();

        const auto ini = IniFile::read(file(ToolbarsFileName));
        QCOMPARE(ini->value("BarFigury", "DockedTo"), QString("+"));
        QCOMPARE(ini->value("BarFigury", "LastDock"), QString("RightDock"));
        QCOMPARE(ini->value("WindowFormObject", "DockedTo"), QString("+"));
        QCOMPARE(ini->value("WindowFormObject", "LastDock"), QString("LeftDock"));
        QCOMPARE(ini->integer("BarFigury", "FloatLeft"),
                 std::optional<int>(Named<QToolBar>(m, "BarFigury").x()));
        QCOMPARE(ini->integer("WindowFormObject", "ClientWidth"), std::optional<int>(300));
    }

    void handEditedFilesNeverStopTheStart_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("participant");
        QTest::addColumn<QString>("dock");
        QTest::addColumn<bool>("visible");
        QTest::newRow("moved") << QByteArray("[BarFigury]\nRev=3\nDockedTo=RightDock\n")
                               << "BarFigury"
                               << "RightDock" << true;
        QTest::newRow("revision 2")
            << QByteArray("[BarFigury]\nRev=2\nDockedTo=RightDock\n") << "BarFigury"
            << "RightDock" << true;
        QTest::newRow("revision 1 ignored")
            << QByteArray("[BarFigury]\nRev=1\nVisible=0\nDockedTo=RightDock\n") << "BarFigury"
            << "LeftDock" << true;
        QTest::newRow("no revision ignored")
            << QByteArray("[BarFigury]\nVisible=0\nDockedTo=RightDock\n") << "BarFigury"
            << "LeftDock" << true;
        QTest::newRow("revision not a number")
            << QByteArray("[BarFigury]\nRev=three\nDockedTo=RightDock\n") << "BarFigury"
            << "LeftDock" << true;
        QTest::newRow("dock that does not exist")
            << QByteArray("[BarFigury]\nRev=3\nDockedTo=MiddleDock\n") << "BarFigury"
            << "LeftDock" << true;
        QTest::newRow("dock that does not take it")
            << QByteArray("[BarPodstawowy]\nRev=3\nDockedTo=LeftDock\n") << "BarPodstawowy"
            << "TopDock" << true;
        QTest::newRow("tool window at the top")
            << QByteArray("[WindowFormObject]\nRev=3\nDockedTo=TopDock\n") << "WindowFormObject"
            << "RightDock" << true;
        QTest::newRow("names in other case")
            << QByteArray("[barfigury]\nREV=3\ndockedto=rightdock\n") << "BarFigury"
            << "RightDock" << true;
        QTest::newRow("hidden") << QByteArray("[BarFigury]\nRev=3\nVisible=0\n") << "BarFigury"
                                << "LeftDock" << false;
        QTest::newRow("visibility not a number")
            << QByteArray("[BarFigury]\nRev=3\nVisible=no\n") << "BarFigury"
            << "LeftDock" << true;
        QTest::newRow("huge and negative numbers")
            << QByteArray("[BarFigury]\nRev=3\nVisible=-1\nDockedTo=RightDock\n"
                          "DockRow=99999999999999\nDockPos=-2147483648\n"
                          "[WindowFormObject]\nRev=3\nClientWidth=-5\nClientHeight=999999999\n")
            << "BarFigury"
            << "RightDock" << true;
        QTest::newRow("huge client size")
            << QByteArray("[WindowFormObject]\nRev=3\nDockedTo=LeftDock\nClientWidth=2147483647\n"
                          "ClientHeight=2147483647\n")
            << "WindowFormObject"
            << "LeftDock" << true;
        QTest::newRow("huge floating client size")
            << QByteArray("[WindowFormObject]\nRev=3\nDockedTo=+\nFloatLeft=2147483647\n"
                          "ClientWidth=2147483647\nClientHeight=2147483647\n")
            << "WindowFormObject"
            << "+" << true;
        QTest::newRow("negative row")
            << QByteArray("[BarWymiary]\nRev=3\nDockRow=-7\n") << "BarWymiary"
            << "LeftDock" << true;
        QTest::newRow("missing values")
            << QByteArray("[BarFigury]\nRev=3\n[BarMode]\n") << "BarFigury"
            << "LeftDock" << true;
        QTest::newRow("truncated") << QByteArray("[BarFigury]\nRev=3\nDockedTo=Righ") << "BarFigury"
                                   << "LeftDock" << true;
        QTest::newRow("truncated header") << QByteArray("[BarFig") << "BarFigury"
                                          << "LeftDock" << true;
        QTest::newRow("binary") << QByteArray("\xff\xfe\x00[BarFigury]\x00\x01=\xff", 17)
                                << "BarFigury"
                                << "LeftDock" << true;
        QTest::newRow("empty") << QByteArray() << "BarFigury"
                               << "LeftDock" << true;
    }
    void handEditedFilesNeverStopTheStart() {
        QFETCH(QByteArray, contents);
        QFETCH(QString, participant);
        QFETCH(QString, dock);
        QFETCH(bool, visible);
        WriteFile(file(ToolbarsFileName), contents);
        ProgramRun run(directory_->path());
        QVERIFY(run.created);
        QCOMPARE(DockOf(*run.main, participant), dock);
        QCOMPARE(Shown(*run.main, participant), visible);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(Named<QDockWidget>(*run.main, "WindowFormObject").width() <= screen.width());
        if (Named<QDockWidget>(*run.main, "WindowFormObject").isFloating()) {
            QVERIFY(
                QTest::qWaitForWindowExposed(&Named<QDockWidget>(*run.main, "WindowFormObject")));
            QTRY_VERIFY(
                screen.contains(Named<QDockWidget>(*run.main, "WindowFormObject").frameGeometry()));
        }
        run.exit();
        QVERIFY(IniFile::read(file(ToolbarsFileName)).has_value());
    }

    void aLayoutFileThatCannotBeReadChangesNothing() {
        // A folder in place of the file.
        QVERIFY(QDir().mkpath(file(ToolbarsFileName) + QString("/inside")));
        ProgramRun run(directory_->path());
        QVERIFY(run.created);
        QCOMPARE(DockOf(*run.main, "BarFigury"), QString("LeftDock"));
        run.exit();
        QVERIFY(run.interaction.messages.isEmpty());
        QCOMPARE(Store().allKeys().size(), 13);
    }

    // FIFOs in place of the settings and layout files neither block the start nor are
    // replaced by regular files on exit; a live link to the layout file stays a link.
    void fifosInPlaceOfTheSettingsAndLayoutFiles() {
        const QString store = Store().fileName();
        QFile::remove(store);
        for (const QString& path : {store, file(ToolbarsFileName), file(UserbarsFileName)})
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        {
            ProgramRun run(directory_->path());
            QVERIFY(run.created);
            QCOMPARE(DockOf(*run.main, "BarFigury"), QString("LeftDock"));
            QCOMPARE(run.options().sXGrid->value(), 50);
            Named<QAction>(*run.main, "AMaxWorkArea").trigger();
            Named<QAction>(*run.main, "AMaxWorkArea").trigger();
            run.options().bOK->click();
            run.exit();
        }
        for (const QString& path : {store, file(ToolbarsFileName), file(UserbarsFileName)}) {
            struct stat status {};
            QCOMPARE(::lstat(QFile::encodeName(path).constData(), &status), 0);
            QVERIFY2(S_ISFIFO(status.st_mode), qPrintable(path));
            QFile::remove(path);
        }

        WriteFile(file("real.ini"), "");
        QVERIFY(QFile::link(file("real.ini"), file(ToolbarsFileName)));
        ProgramRun run(directory_->path());
        QVERIFY(run.created);
        run.exit();
        QVERIFY(QFileInfo(file(ToolbarsFileName)).isSymLink());
        QVERIFY(IniFile::read(file("real.ini"))->value("BarFigury", "Rev").has_value());
    }

    void aProgramDirectoryThatCannotExistKeepsTheLayoutInTheUsersFolder() {
        const QString plain = file("plain");
        WriteFile(plain, "not a folder");
        const QString directory = plain + "/program";
        {
            ProgramRun run(directory);
            QVERIFY(run.created);
            Named<QAction>(*run.main, "AMaxWorkArea").trigger();
            Named<QAction>(*run.main, "AMaxWorkArea").trigger();
            run.main->addToolBar(Qt::RightToolBarArea, &Named<QToolBar>(*run.main, "BarFigury"));
            run.exit();
            QVERIFY(run.interaction.messages.isEmpty());
        }
        QCOMPARE(Store().allKeys().size(), 13);
        ProgramRun again(directory);
        QVERIFY(again.created);
        QCOMPARE(DockOf(*again.main, "BarFigury"), QString("RightDock"));
    }

    void restoreDefaults_data() {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("layoutFile"); // "file", "none" or "folder"
        QTest::addColumn<QString>("message");
        QTest::newRow("no") << false << "file"
                            << "";
        QTest::newRow("yes") << true << "file"
                             << "Wymagane jest ponowne uruchomienie programu";
        QTest::newRow("yes, without a layout file") << true << "none"
                                                    << "";
        QTest::newRow("yes, layout file cannot be deleted")
            << true << "folder"
            << "Błąd przywracania ustawień domyślnych";
    }
    void restoreDefaults() {
        QFETCH(bool, yes);
        QFETCH(QString, layoutFile);
        QFETCH(QString, message);
        const QString path = file(ToolbarsFileName);
        {
            ProgramRun run(directory_->path());
            QVERIFY(run.created);
            run.options().SaveSettings();
            QCOMPARE(Store().allKeys().size(), 13);
            if (layoutFile == "file")
                QVERIFY(run.main->toolbarLayout()->save(path));
            else if (layoutFile == "folder")
                QVERIFY(QDir().mkpath(path + "/inside"));
            run.interaction.answers.enqueue(yes);
            Named<QAction>(*run.main, "ADefaultWndPos").trigger();
            QCOMPARE(run.interaction.questions.size(), 1);
            QCOMPARE(run.interaction.questions[0].text, QString("Przywrocić ustawienia domyślne?"));
            QCOMPARE(run.interaction.questions[0].caption, QString("uwaga"));
            QStringList shown;
            for (const auto& m : run.interaction.messages)
                shown << m.text;
            QCOMPARE(shown.join('|'), message);
            QCOMPARE(run.main->saveOnExit(), !yes);
            QCOMPARE(Store().allKeys().isEmpty(), yes);
            if (yes && layoutFile == "file")
                QVERIFY(!QFile::exists(path));
            run.main->addToolBar(Qt::RightToolBarArea, &Named<QToolBar>(*run.main, "BarFigury"));
            run.exit();
        }
        // After a confirmed restore, closing writes neither the layout nor the settings.
        QCOMPARE(Store().allKeys().isEmpty(), yes);
        if (layoutFile != "folder")
            QCOMPARE(QFile::exists(path), !yes);
        if (yes) {
            ProgramRun next(directory_->path());
            QVERIFY(next.created);
            QCOMPARE(DockOf(*next.main, "BarFigury"), QString("LeftDock"));
            QCOMPARE(next.options().sXGrid->value(), 50);
        }
    }

    void exitingWithTheWorkAreaMaximisedStartsWithTheToolbarsHidden() {
        {
            ProgramRun first(directory_->path());
            QVERIFY(first.created);
            Named<QAction>(*first.main, "AMaxWorkArea").trigger();
            QVERIFY(Named<QAction>(*first.main, "AMaxWorkArea").isChecked());
            for (const char* name : Participants)
                QVERIFY2(!Shown(*first.main, name), name);
            QVERIFY(QFile::exists(file(UserbarsFileName)));
            first.exit();
        }
        const auto saved = IniFile::read(file(ToolbarsFileName));
        for (const char* name : Participants)
            QCOMPARE(saved->value(name, "Visible"), QString("0"));

        ProgramRun second(directory_->path());
        QVERIFY(second.created);
        TMainForm& m = *second.main;
        QVERIFY(!Named<QAction>(m, "AMaxWorkArea").isChecked());
        QVERIFY(!Named<QToolBar>(m, "BarPodstawowy").isVisible());
        QVERIFY(!Named<QToolBar>(m, "BarFigury").isVisible());
        QVERIFY(!Named<QToolBar>(m, "BarTransform").isVisible());
        QVERIFY(!Named<QDockWidget>(m, "WindowFormObject").isVisible());
        QVERIFY(Named<QToolBar>(m, "BarMode").isVisible()); // the show step always shows it
        // The new design window shows the dimension toolbar whenever it becomes active.
        QVERIFY(Named<QToolBar>(m, "BarWymiary").isVisible());
    }

    void unMaximisingRestoresTheKeptLayout() {
        ProgramRun run(directory_->path());
        QVERIFY(run.created);
        TMainForm& m = *run.main;
        m.addToolBar(Qt::RightToolBarArea, &Named<QToolBar>(m, "BarFigury"));
        Named<QAction>(m, "AMaxWorkArea").trigger();
        QVERIFY(!Named<QToolBar>(m, "BarFigury").isVisible());
        Named<QAction>(m, "AMaxWorkArea").trigger();
        QVERIFY(!Named<QAction>(m, "AMaxWorkArea").isChecked());
        for (const char* name :
             {"BarPodstawowy", "BarFigury", "BarWymiary", "BarMode", "WindowFormObject"})
            QVERIFY2(Participant(m, name)->isVisible(), name);
        QVERIFY(!Named<QToolBar>(m, "BarTransform").isVisible());
        QCOMPARE(DockOf(m, "BarFigury"), QString("RightDock"));
    }

    void unMaximisingWithoutAKeptLayoutLeavesTheToolbarsHidden() {
        ProgramRun run(directory_->path());
        QVERIFY(run.created);
        TMainForm& m = *run.main;
        Named<QAction>(m, "AMaxWorkArea").trigger();
        QVERIFY(QFile::remove(file(UserbarsFileName)));
        Named<QAction>(m, "AMaxWorkArea").trigger();
        QVERIFY(!Named<QAction>(m, "AMaxWorkArea").isChecked());
        for (const char* name : Participants)
            QVERIFY2(!Shown(m, name), name);
        QVERIFY(run.interaction.messages.isEmpty());
    }
};

VANTOR_TEST_MAIN(TestToolbarLayout)
#include "tst_toolbar_layout.moc"
