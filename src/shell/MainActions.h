#pragma once

#include <QString>

class QAction;
class QMainWindow;
class QMenu;
class QObject;
class QUndoGroup;
class QWidget;

namespace vantor {

// An action of the window with its object name, caption and hint, as the translation
// pass and the tests find it.
QAction* MakeNamedAction(QObject& owner, const char* name, const QString& caption,
                         const QString& hint = {});

// The main window's commands as named actions, created in one place with their captions,
// hints, shortcuts, icons and first states. The actions belong to the window; what they
// do is connected by the window and its command classes. Undo and redo are the items of
// `undoGroup`, which takes the steps of the active design.
struct MainActions {
    MainActions(QWidget& owner, QUndoGroup& undoGroup);

    QAction *FileNew1, *FileOpen1, *FileClose1, *FileCloseAll, *FileSave1, *FileSaveAs1, *FilePrint,
        *FileExport3d, *FileExit1;
    // Reads a thrust-curve file and copies it into the user's motor folder.
    QAction* AImportSilnika;
    // The flight window and the motor comparison of the active design.
    QAction *ALot, *APorownajSilniki;
    QAction *ASkala05, *ASkala1, *ASkala2, *ASkala3, *N251, *N5001;
    QAction* AZoomFit; // the whole rocket in the window
    QAction *AShowLinijki, *Siatka1, *Przecigajdosiatki35181, *Prowadnice1;
    // Shows the standard analysis's centre of pressure on the axis.
    QAction* AStabilityMarker;
    QAction *Podstawowy1, *Transform1, *Figury1, *Narzedzia1, *Wymiary1, *Kolory1, *Rotacja1;
    QAction *ADefaultWndPos, *AMaxWorkArea, *AFullScreen, *A3d;
    QAction *WindowCascade1, *WindowTileHorizontal1, *WindowTileVertical1, *WindowMinimizeAll1,
        *WindowArrangeAll1, *AFormObject1;
    QAction *Ustawieniaprogramu1, *Polska1, *Angielska1, *Pomocdoprogramu1, *HelpAbout1;
    QAction *ADefaultMode, *ASelect, *AWymiar, *AWymiarPoziomy, *AWymiarPionowy, *AWymiarAngle;
    QAction *ATransform, *ARotateByCenter, *AUndo, *ARedo, *ARepeat;
    // Never shown: they carry the translated verbs of the undo captions.
    QAction *insertVerb, *changeVerb, *deleteVerb, *moveVerb;
    QAction *AGlowicaStozek, *AGlowicaOgive, *AGlowicaParabolic, *AKorpus, *AEngine, *AStozekSciety,
        *AStatecznik, *ABalast;
};

// The menu bar over the main window's actions.
struct MainMenus {
    MainMenus(QMainWindow& window, const MainActions& actions);

    QMenu* File1;
    QMenu* Edit1;
    QMenu* View1;
    QMenu* Zoom1;
    QMenu* Paskinarzdzi1;
    QMenu* Window1;
    QMenu* Lot1;
    QMenu* Opcje1;
    QMenu* Wersjajzykowa1;
    QMenu* Help1;
};

} // namespace vantor
