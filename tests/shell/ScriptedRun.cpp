#include "shell/ScriptedRun.h"

#include "shell/MainWindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <cstdio>

namespace vantor {

namespace {

void PrintLine(const QString& line) {
    std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stdout);
    std::fflush(stdout);
}

} // namespace

void PrintingInteraction::showMessage(QWidget*, const QString& text, const QString&, Icon) {
    PrintLine(QStringLiteral("message: ") + text);
}

bool PrintingInteraction::askYesNo(QWidget*, const QString& text, const QString&) {
    PrintLine(QStringLiteral("question: ") + text);
    return false;
}

Interaction::Answer PrintingInteraction::askYesNoCancel(QWidget*, const QString& text,
                                                        const QString&) {
    PrintLine(QStringLiteral("question: ") + text);
    return Answer::No;
}

QString PrintingInteraction::chooseFileToOpen(QWidget*, const QString&, const QString&) {
    return QString();
}

QString PrintingInteraction::chooseFileToSave(QWidget*, const QString&, const QString&) {
    return QString();
}

int PrintingInteraction::runDialog(QDialog&) {
    return QDialog::Rejected;
}

void RunScript(TMainForm& main, const QString& script) {
    QPointer<TMainForm> window(&main);
    QTimer::singleShot(0, &main, [window, script] {
        const QStringList words = script.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (const QString& raw : words) {
            const QString word = raw.trimmed();
            const bool query = word.startsWith(QLatin1Char('?'));
            const QString name = query ? word.mid(1) : word;
            if (name.isEmpty() || !window)
                continue;
            QAction* action = window->findChild<QAction*>(name);
            if (action == nullptr)
                PrintLine(QStringLiteral("unknown: ") + name);
            else if (query)
                PrintLine(name + QLatin1Char('=') + action->text());
            else
                action->trigger();
        }
        if (window)
            window->close();
        QCoreApplication::quit();
    });
}

} // namespace vantor
