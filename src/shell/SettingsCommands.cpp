#include "shell/SettingsCommands.h"

#include "i18n/LanguageSwitch.h"
#include "interaction/Interaction.h"
#include "shell/LayoutFiles.h"
#include "shell/OptionsDialog.h"
#include "shell/ToolbarLayout.h"

#include <QAction>
#include <QCheckBox>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QWidget>

namespace vantor {

SettingsCommands::SettingsCommands(QWidget& window, ToolbarLayout& layout,
                                   const LayoutFiles& layoutFiles,
                                   std::function<void()> stopSavingOnExit, SettingsActions actions,
                                   TFormOpcje& options, Interaction& interaction)
    : QObject(&window), window_(window), layout_(layout), layoutFiles_(layoutFiles),
      stopSavingOnExit_(std::move(stopSavingOnExit)), actions_(std::move(actions)),
      options_(options), interaction_(interaction) {
    connect(actions_.Ustawieniaprogramu1, &QAction::triggered, this, [this] {
        options_.show();
        options_.raise();
        options_.activateWindow();
    });
    connect(actions_.ADefaultWndPos, &QAction::triggered, this,
            &SettingsCommands::ADefaultWndPosExecute);
    connect(actions_.AMaxWorkArea, &QAction::triggered, this,
            &SettingsCommands::AMaxWorkAreaExecute);

    // The hidden snap-to-grid item mirrors the options' check box and saves at once.
    QAction* snap = actions_.Przecigajdosiatki35181;
    connect(actions_.View1, &QMenu::aboutToShow, this,
            [this, snap] { snap->setChecked(options_.cbSnapGrid->isChecked()); });
    connect(snap, &QAction::triggered, this, [this, snap] {
        options_.cbSnapGrid->setChecked(snap->isChecked());
        options_.SaveSettings();
    });
}

void SettingsCommands::saveOnExit() {
    QString reason;
    if (!layout_.save(layoutFiles_.toWrite(ToolbarsFileName), &reason))
        qWarning().noquote() << "toolbar layout not saved:" << reason;
    options_.SaveSettings();
}

void SettingsCommands::ADefaultWndPosExecute() {
    if (!interaction_.askYesNo(&window_, QString::fromUtf8(RestoreQuestion),
                               QString::fromUtf8(RestoreCaption)))
        return;
    stopSavingOnExit_();
    options_.ResetSettings();
    const QString layoutFile = layoutFiles_.toWrite(ToolbarsFileName);
    if (!QFileInfo::exists(layoutFile))
        return;
    const QString message = QFile::remove(layoutFile)
                                ? QString::fromUtf8(LanguageSwitch::RestartMessage)
                                : QString::fromUtf8(RestoreFailed);
    interaction_.showMessage(&window_, message, QGuiApplication::applicationDisplayName(),
                             Interaction::Icon::None);
}

void SettingsCommands::AMaxWorkAreaExecute() {
    if (actions_.AMaxWorkArea->isChecked()) {
        layout_.save(layoutFiles_.toWrite(UserbarsFileName));
        for (QWidget* hidden : actions_.hiddenForWorkArea)
            hidden->hide();
    } else {
        layout_.load(layoutFiles_.toRead(UserbarsFileName));
    }
}

} // namespace vantor
