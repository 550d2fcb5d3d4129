#include "shell/MainActions.h"

#include "i18n/AdvForm.h"
#include "shell/Glyphs.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QUndoGroup>
#include <tuple>

namespace vantor {

QAction* MakeNamedAction(QObject& owner, const char* name, const QString& caption,
                         const QString& hint) {
    auto* action = new QAction(caption, &owner);
    action->setObjectName(name);
    if (!hint.isEmpty())
        action->setToolTip(hint);
    return action;
}

MainActions::MainActions(QWidget& owner, QUndoGroup& undoGroup) {
    const auto makeAction = [&owner](const char* name, const QString& caption,
                                     const QString& hint = {}) {
        return MakeNamedAction(owner, name, caption, hint);
    };
    QStyle* style = owner.style();
    FileNew1 = makeAction("FileNew1", Tagged(1616), Tagged(1617));
    FileNew1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    FileNew1->setIcon(style->standardIcon(QStyle::SP_FileIcon));
    FileOpen1 = makeAction("FileOpen1", Tagged(1620), Tagged(1621));
    FileOpen1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    FileOpen1->setIcon(style->standardIcon(QStyle::SP_DialogOpenButton));
    FileClose1 = makeAction("FileClose1", Tagged(1622), Tagged(1623));
    FileCloseAll = makeAction("FileCloseAll", Tagged(1706), Tagged(1618));
    FileSave1 = makeAction("FileSave1", Tagged(1624), Tagged(1625));
    FileSave1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    FileSave1->setIcon(style->standardIcon(QStyle::SP_DialogSaveButton));
    FileSaveAs1 = makeAction("FileSaveAs1", Tagged(1626), Tagged(1627));
    FilePrint = makeAction("FilePrint", Tagged(1707), Tagged(1619));
    FilePrint->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    FileExport3d = makeAction("FileExport3d", Tagged(1770), Tagged(1771));
    FileExit1 = makeAction("FileExit1", Tagged(1628), Tagged(1629));
    FileExit1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    AImportSilnika = makeAction("AImportSilnika", Tagged(6001), Tagged(6002));
    ALot = makeAction("ALot", Tagged(6202), Tagged(6203));
    APorownajSilniki = makeAction("APorownajSilniki", Tagged(6204), Tagged(6205));

    ASkala05 = makeAction("ASkala05", Tagged(1558));
    ASkala1 = makeAction("ASkala1", Tagged(1559));
    ASkala2 = makeAction("ASkala2", Tagged(1560));
    ASkala3 = makeAction("ASkala3", Tagged(1561));
    AZoomFit = makeAction("AZoomFit", Tagged(1840), Tagged(1841));
    for (QAction* zoom : {ASkala05, ASkala1, ASkala2, ASkala3})
        zoom->setCheckable(true);
    N251 = makeAction("N251", Tagged(1557));
    N5001 = makeAction("N5001", Tagged(1562));
    for (QAction* hidden : {N251, N5001}) {
        hidden->setVisible(false);
        hidden->setEnabled(false);
    }

    AShowLinijki = makeAction("AShowLinijki", Tagged(1655), Tagged(1647));
    Siatka1 = makeAction("Siatka1", Tagged(1563), Tagged(1648));
    Przecigajdosiatki35181 = makeAction("Przecigajdosiatki35181", Tagged(3518), Tagged(1729));
    Przecigajdosiatki35181->setVisible(false);
    Prowadnice1 = makeAction("Prowadnice1", Tagged(1564), Tagged(1649));
    Prowadnice1->setVisible(false);
    AStabilityMarker = makeAction("AStabilityMarker", Tagged(1730), Tagged(1731));
    for (QAction* check :
         {AShowLinijki, Siatka1, Przecigajdosiatki35181, Prowadnice1, AStabilityMarker})
        check->setCheckable(true);
    AShowLinijki->setChecked(true);
    Siatka1->setChecked(true);
    Prowadnice1->setChecked(true);
    AStabilityMarker->setChecked(true);

    Podstawowy1 = makeAction("Podstawowy1", Tagged(1568));
    Transform1 = makeAction("Transform1", Tagged(1574));
    Figury1 = makeAction("Figury1", Tagged(1569));
    Narzedzia1 = makeAction("Narzedzia1", Tagged(1571));
    Wymiary1 = makeAction("Wymiary1", Tagged(1570));
    Kolory1 = makeAction("Kolory1", Tagged(1572));
    Rotacja1 = makeAction("Rotacja1", Tagged(1573));
    for (QAction* item :
         {Podstawowy1, Transform1, Figury1, Narzedzia1, Wymiary1, Kolory1, Rotacja1})
        item->setCheckable(true);
    for (QAction* hidden : {Transform1, Kolory1, Rotacja1})
        hidden->setVisible(false);

    ADefaultWndPos = makeAction("ADefaultWndPos", Tagged(1657), Tagged(1651));
    AMaxWorkArea = makeAction("AMaxWorkArea", Tagged(1658), Tagged(1652));
    AMaxWorkArea->setCheckable(true);
    AFullScreen = makeAction("AFullScreen", Tagged(1654), Tagged(1650));
    A3d = makeAction("A3d", "3D", Tagged(1646));
    A3d->setIcon(MakeGlyph(Glyph::Preview3d));

    WindowCascade1 = makeAction("WindowCascade1", Tagged(1630), Tagged(1631));
    WindowTileHorizontal1 = makeAction("WindowTileHorizontal1", Tagged(1632), Tagged(1633));
    WindowTileVertical1 = makeAction("WindowTileVertical1", Tagged(1634), Tagged(1635));
    WindowMinimizeAll1 = makeAction("WindowMinimizeAll1", Tagged(1636), Tagged(1637));
    WindowArrangeAll1 = makeAction("WindowArrangeAll1", Tagged(1638), Tagged(1639));
    AFormObject1 = makeAction("AFormObject1", Tagged(1606), Tagged(1607));
    AFormObject1->setCheckable(true);
    AFormObject1->setChecked(true);

    Ustawieniaprogramu1 = makeAction("Ustawieniaprogramu1", Tagged(1612), Tagged(1667));
    Polska1 = makeAction("Polska1", Tagged(1610), Tagged(1669));
    Angielska1 = makeAction("Angielska1", Tagged(1611), Tagged(1670));
    Polska1->setCheckable(true);
    Angielska1->setCheckable(true);
    Polska1->setChecked(true);
    Pomocdoprogramu1 = makeAction("Pomocdoprogramu1", Tagged(1615), Tagged(1699));
    HelpAbout1 = makeAction("HelpAbout1", Tagged(1640), Tagged(1700));

    ADefaultMode = makeAction("ADefaultMode", QString(), Tagged(1681));
    ADefaultMode->setIcon(MakeGlyph(Glyph::DefaultMode));
    ASelect = makeAction("ASelect", QString(), Tagged(1680));
    ASelect->setIcon(MakeGlyph(Glyph::SelectMode));
    AWymiar = makeAction("AWymiar", QString(), Tagged(1642));
    AWymiar->setIcon(MakeGlyph(Glyph::LinearDimension));
    AWymiarPoziomy = makeAction("AWymiarPoziomy", QString(), Tagged(1643));
    AWymiarPoziomy->setIcon(MakeGlyph(Glyph::HorizontalDimension));
    AWymiarPionowy = makeAction("AWymiarPionowy", QString(), Tagged(1644));
    AWymiarPionowy->setIcon(MakeGlyph(Glyph::VerticalDimension));
    AWymiarAngle = makeAction("AWymiarAngle", QString(), Tagged(1645));
    AWymiarAngle->setIcon(MakeGlyph(Glyph::AngleDimension));
    ATransform = makeAction("ATransform", Tagged(1528), Tagged(1682));
    ARotateByCenter = makeAction("ARotateByCenter", Tagged(1527), Tagged(1724));
    // Named and captioned as the other actions; their triggers and enabled states come
    // from the group.
    AUndo = undoGroup.createUndoAction(&owner);
    ARedo = undoGroup.createRedoAction(&owner);
    for (auto [action, name, caption, hint] :
         {std::tuple{AUndo, "AUndo", 1553, 1662}, std::tuple{ARedo, "ARedo", 1554, 1663}}) {
        action->setObjectName(name);
        action->setText(Tagged(caption));
        action->setToolTip(Tagged(hint));
    }
    ARepeat = makeAction("Repeat1", Tagged(1704), Tagged(1664));
    ARepeat->setEnabled(false); // no operation behind it
    AUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    ARedo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    AUndo->setIcon(style->standardIcon(QStyle::SP_ArrowBack));
    ARedo->setIcon(style->standardIcon(QStyle::SP_ArrowForward));
    AUndo->setEnabled(false);
    ARedo->setEnabled(false);
    // Never shown: they carry the translated verbs of the undo captions.
    insertVerb = makeAction("AUndoVerbInsert", Tagged(1735));
    changeVerb = makeAction("AUndoVerbChange", Tagged(1736));
    deleteVerb = makeAction("AUndoVerbDelete", Tagged(1737));
    moveVerb = makeAction("AUndoVerbMove", Tagged(1738));

    // The insertion commands have no caption; their buttons carry a hint.
    const struct {
        QAction** action;
        const char* name;
        Glyph glyph;
        int hint;
    } insertions[] = {
        {&AGlowicaStozek, "AGlowicaStozek", Glyph::ConicalNose, 1519},
        {&AGlowicaOgive, "AGlowicaOgive", Glyph::OgiveNose, 1520},
        {&AGlowicaParabolic, "AGlowicaParabolic", Glyph::ParabolicNose, 1521},
        {&AKorpus, "AKorpus", Glyph::BodyTube, 1522},
        {&AEngine, "AEngine", Glyph::Motor, 1523},
        {&AStozekSciety, "AStozekSciety", Glyph::Transition, 1524},
        {&AStatecznik, "AStatecznik", Glyph::FinSet, 1525},
        {&ABalast, "ABalast", Glyph::Ballast, 1526},
    };
    for (const auto& insertion : insertions) {
        *insertion.action = makeAction(insertion.name, QString(), Tagged(insertion.hint));
        (*insertion.action)->setIcon(MakeGlyph(insertion.glyph));
    }
    for (QAction* attaching : {AKorpus, AEngine, AStozekSciety, AStatecznik, ABalast})
        attaching->setEnabled(false);
}

MainMenus::MainMenus(QMainWindow& window, const MainActions& a) {
    auto menu = [&window](QMenu* parentMenu, const char* name, const QString& caption,
                          const QString& hint = {}) {
        QMenu* m = parentMenu != nullptr ? parentMenu->addMenu(caption)
                                         : window.menuBar()->addMenu(caption);
        // The menu is translated through its menu action, which stays unnamed so that it is
        // not translated a second time as an action.
        m->setObjectName(name);
        if (!hint.isEmpty())
            m->menuAction()->setToolTip(hint);
        return m;
    };
    // A plain line: a separator with a text would be drawn as a section with that text.
    auto separator = [&window](QMenu* m, const char* name) {
        QAction* s = MakeNamedAction(window, name, QString());
        s->setSeparator(true);
        m->addAction(s);
    };

    File1 = menu(nullptr, "File1", Tagged(1549), Tagged(1550));
    File1->addActions(
        {a.FileNew1, a.FileOpen1, a.FileClose1, a.FileCloseAll, a.FileSave1, a.FileSaveAs1});
    separator(File1, "N1");
    File1->addAction(a.FilePrint);
    File1->addAction(a.FileExport3d);
    File1->addAction(a.AImportSilnika);
    separator(File1, "N2");
    File1->addAction(a.FileExit1);

    Edit1 = menu(nullptr, "Edycja1", Tagged(1552), Tagged(1661));
    Edit1->addActions({a.AUndo, a.ARedo, a.ARepeat});

    View1 = menu(nullptr, "Widok1", Tagged(1555), Tagged(1665));
    Zoom1 = menu(View1, "Zoom1", Tagged(1556), Tagged(1653));
    Zoom1->addActions({a.N251, a.ASkala05, a.ASkala1, a.ASkala2, a.ASkala3, a.N5001, a.AZoomFit});
    View1->addActions(
        {a.AShowLinijki, a.Siatka1, a.Przecigajdosiatki35181, a.Prowadnice1, a.AStabilityMarker});
    separator(View1, "N3");
    Paskinarzdzi1 = menu(View1, "Paskinarzdzi1", Tagged(1567), Tagged(1656));
    Paskinarzdzi1->addActions(
        {a.Podstawowy1, a.Transform1, a.Figury1, a.Narzedzia1, a.Wymiary1, a.Kolory1, a.Rotacja1});
    View1->addActions({a.ADefaultWndPos, a.AMaxWorkArea});
    separator(View1, "N4");
    View1->addActions({a.AFullScreen, a.A3d});

    Lot1 = menu(nullptr, "Lot1", Tagged(6200), Tagged(6201));
    Lot1->addActions({a.ALot, a.APorownajSilniki});

    Window1 = menu(nullptr, "Window1", Tagged(1603), Tagged(1604));
    Window1->addActions({a.WindowCascade1, a.WindowTileHorizontal1, a.WindowTileVertical1,
                         a.WindowMinimizeAll1, a.WindowArrangeAll1});
    separator(Window1, "N5");
    Window1->addAction(a.AFormObject1);

    Opcje1 = menu(nullptr, "Opcje1", Tagged(1608), Tagged(1666));
    Opcje1->addAction(a.Ustawieniaprogramu1);
    Wersjajzykowa1 = menu(Opcje1, "Wersjajzykowa1", Tagged(1609), Tagged(1668));
    Wersjajzykowa1->addActions({a.Polska1, a.Angielska1});

    Help1 = menu(nullptr, "Help1", Tagged(1613), Tagged(1614));
    Help1->addActions({a.Pomocdoprogramu1, a.HelpAbout1});
}

} // namespace vantor
