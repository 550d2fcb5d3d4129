#include "shell/ScriptedRun.h"

#include "canvas/DesignWindow.h"
#include "designfile/DesignFile.h"
#include "shell/MainWindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <cstdio>

namespace vantor {

namespace {

void PrintLine(const QString& line) {
    std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stdout);
    std::fflush(stdout);
}

QStringList Words(const QString& script) {
    QStringList words;
    for (const QString& raw : script.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (const QString word = raw.trimmed(); !word.isEmpty())
            words.append(word);
    return words;
}

// Applies an answer word; false for any other word.
bool ApplyAnswer(PrintingInteraction& interaction, const QString& word) {
    if (word == QLatin1String("+yes"))
        interaction.answerYes = true;
    else if (word == QLatin1String("-yes"))
        interaction.answerYes = false;
    else if (word == QLatin1String("+ok"))
        interaction.acceptDialogs = true;
    else
        return false;
    return true;
}

void SaveActiveDesign(TMainForm& main, const QString& path) {
    TMDIChild* window = main.activeDesignWindow();
    if (window == nullptr) {
        PrintLine(QStringLiteral("save failed: no design"));
        return;
    }
    const SaveResult saved =
        SaveDesign(window->design(), std::filesystem::path(QFile::encodeName(path).toStdString()));
    PrintLine(saved.ok ? QStringLiteral("saved: ") + path
                       : QStringLiteral("save failed: ") + QString::fromStdString(saved.reason));
}

} // namespace

void PrintingInteraction::showMessage(QWidget*, const QString& text, const QString&, Icon) {
    PrintLine(QStringLiteral("message: ") + text);
}

bool PrintingInteraction::askYesNo(QWidget*, const QString& text, const QString&) {
    PrintLine(QStringLiteral("question: ") + text);
    return answerYes;
}

Interaction::Answer PrintingInteraction::askYesNoCancel(QWidget*, const QString& text,
                                                        const QString&) {
    PrintLine(QStringLiteral("question: ") + text);
    return answerYes ? Answer::Yes : Answer::No;
}

QString PrintingInteraction::chooseFileToOpen(QWidget*, const QString&, const QString&) {
    return QString();
}

QString PrintingInteraction::chooseFileToSave(QWidget*, const QString& proposedName,
                                              const QString&) {
    PrintLine(QStringLiteral("save dialog: ") + proposedName);
    return QString();
}

int PrintingInteraction::runDialog(QDialog& dialog) {
    if (!acceptDialogs)
        return QDialog::Rejected;
    // Pressed as Enter presses it, so the dialog's own checks run; a dialog that refuses
    // stays "open" and is cancelled.
    dialog.setResult(QDialog::Rejected);
    QPushButton* preferred = nullptr;
    const auto buttons = dialog.findChildren<QPushButton*>();
    for (QPushButton* button : buttons)
        if (button->isDefault())
            preferred = button;
    if (preferred != nullptr)
        preferred->click();
    else
        dialog.accept();
    if (dialog.result() == QDialog::Accepted)
        return QDialog::Accepted;
    PrintLine(QStringLiteral("dialog not accepted: ") + dialog.objectName());
    dialog.reject();
    return QDialog::Rejected;
}

void ApplyLeadingAnswers(PrintingInteraction& interaction, const QString& script) {
    for (const QString& word : Words(script))
        if (!ApplyAnswer(interaction, word))
            return;
}

void RunScript(TMainForm& main, PrintingInteraction& interaction, const QString& script) {
    QPointer<TMainForm> window(&main);
    QTimer::singleShot(0, &main, [window, &interaction, script] {
        bool stay = false;
        for (const QString& word : Words(script)) {
            if (!window)
                break;
            if (ApplyAnswer(interaction, word))
                continue;
            if (word == QLatin1String("stay")) {
                stay = true;
                continue;
            }
            if (word == QLatin1String("windows")) {
                const auto windows = window->designWindows();
                for (TMDIChild* each : windows)
                    PrintLine(QStringLiteral("window: %1 | %2")
                                  .arg(each->parentWidget()->windowTitle())
                                  .arg(each->design().Elements.size()));
                continue;
            }
            if (word == QLatin1String("status")) {
                PrintLine(QStringLiteral("status: ") + window->statusBar()->currentMessage());
                continue;
            }
            if (word.startsWith(QLatin1String("save:"))) {
                SaveActiveDesign(*window, word.mid(5));
                continue;
            }
            const bool query = word.startsWith(QLatin1Char('?'));
            const QString name = query ? word.mid(1) : word;
            QAction* action = window->findChild<QAction*>(name);
            if (action == nullptr)
                PrintLine(QStringLiteral("unknown: ") + name);
            else if (query)
                PrintLine(name + QLatin1Char('=') + action->text());
            else
                action->trigger();
        }
        if (stay && window) {
            PrintLine(QStringLiteral("running"));
            return;
        }
        if (window)
            window->close();
        QCoreApplication::quit();
    });
}

} // namespace vantor
