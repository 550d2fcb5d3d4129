#include "shell/SettingsCommands.h"

#include "i18n/LanguageSwitch.h"
#include "interaction/Interaction.h"
#include "shell/LayoutFiles.h"
#include "shell/MainWindow.h"
#include "shell/OptionsDialog.h"
#include "shell/ToolbarLayout.h"

#include <QAction>
#include <QCheckBox>
#include <QDebug>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QToolBar>

namespace vantor {

SettingsCommands::SettingsCommands(TMainForm& main, TFormOpcje& options, Interaction& interaction)
    : QObject(&main), main_(main), options_(options), interaction_(interaction) {
    connect(main_.Ustawieniaprogramu1, &QAction::triggered, this, [this] {
        options_.show();
        options_.raise();
        options_.activateWindow();
    });
    connect(&main_, &TMainForm::saveOnExitRequested, this, &SettingsCommands::saveOnExit);
    connect(main_.ADefaultWndPos, &QAction::triggered, this,
            &SettingsCommands::ADefaultWndPosExecute);
    connect(main_.AMaxWorkArea, &QAction::triggered, this, &SettingsCommands::AMaxWorkAreaExecute);

    // The hidden snap-to-grid item mirrors the options' check box and saves at once.
    QAction* snap = main_.Przecigajdosiatki35181;
    connect(main_.View1, &QMenu::aboutToShow, this,
            [this, snap] { snap->setChecked(options_.cbSnapGrid->isChecked()); });
    connect(snap, &QAction::triggered, this, [this, snap] {
        options_.cbSnapGrid->setChecked(snap->isChecked());
        options_.SaveSettings();
    });
}

void SettingsCommands::saveOnExit() {
    QString reason;
    if (!main_.toolbarLayout()->save(main_.layoutFiles().toWrite(ToolbarsFileName), &reason))
        qWarning().noquote() << "toolbar layout not saved:" << reason;
    options_.SaveSettings();
}

void SettingsCommands::ADefaultWndPosExecute() {
    if (!interaction_.askYesNo(&main_, QString::fromUtf8(RestoreQuestion),
                               QString::fromUtf8(RestoreCaption)))
        return;
    main_.SaveOnExit = false;
    options_.ResetSettings();
    const QString layoutFile = main_.layoutFiles().toWrite(ToolbarsFileName);
    if (!QFileInfo::exists(layoutFile))
        return;
    const QString message = QFile::remove(layoutFile)
                                ? QString::fromUtf8(LanguageSwitch::RestartMessage)
                                : QString::fromUtf8(RestoreFailed);
    interaction_.showMessage(&main_, message, QGuiApplication::applicationDisplayName(),
                             Interaction::Icon::None);
}

void SettingsCommands::AMaxWorkAreaExecute() {
    if (main_.AMaxWorkArea->isChecked()) {
        main_.toolbarLayout()->save(main_.layoutFiles().toWrite(UserbarsFileName));
        for (QToolBar* bar : {main_.BarFigury, main_.BarMode, main_.BarWymiary, main_.BarTransform,
                              main_.BarPodstawowy})
            bar->hide();
        main_.WindowFormObject->hide();
    } else {
        main_.toolbarLayout()->load(main_.layoutFiles().toRead(UserbarsFileName));
    }
}

} // namespace vantor
