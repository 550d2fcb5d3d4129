#pragma once

#include "interaction/Interaction.h"

#include <QDialog>
#include <QQueue>
#include <QStringList>
#include <functional>

namespace vantor::test {

// Records every modal interaction and answers from queues; nothing ever blocks.
class ScriptedInteraction final : public Interaction {
public:
    struct Message {
        QString text;
        QString caption;
        Icon icon;
    };

    void showMessage(QWidget*, const QString& text, const QString& caption, Icon icon) override {
        messages.append({text, caption, icon});
        if (whileMessageShown)
            whileMessageShown();
    }
    bool askYesNo(QWidget*, const QString& text, const QString& caption) override {
        questions.append({text, caption, Icon::None});
        return answers.isEmpty() ? false : answers.dequeue();
    }
    // Answers from `threeWay`; without one, No (the design is given up, as before the
    // question existed).
    Answer askYesNoCancel(QWidget*, const QString& text, const QString& caption) override {
        questions.append({text, caption, Icon::None});
        return threeWay.isEmpty() ? Answer::No : threeWay.dequeue();
    }
    QString chooseFileToOpen(QWidget*, const QString& directory, const QString& filter) override {
        openDirectories.append(directory);
        filters.append(filter);
        return files.isEmpty() ? QString() : files.dequeue();
    }
    QString chooseFileToSave(QWidget*, const QString& proposed, const QString& filter) override {
        proposedNames.append(proposed);
        filters.append(filter);
        return files.isEmpty() ? QString() : files.dequeue();
    }
    // The filter answered is the next of `selectedFilters`, else the one proposed.
    QString chooseFileAndFilterToSave(QWidget* parent, const QString& proposed,
                                      const QString& filter, QString& selected) override {
        if (!selectedFilters.isEmpty())
            selected = selectedFilters.dequeue();
        return chooseFileToSave(parent, proposed, filter);
    }
    // A dialog is handed to the next queued script, which may set its fields and
    // returns the result; without a script the dialog is cancelled.
    int runDialog(QDialog& dialog) override {
        ++dialogsRun;
        if (dialogScripts.isEmpty())
            return QDialog::Rejected;
        return dialogScripts.dequeue()(dialog);
    }

    QList<Message> messages;
    QList<Message> questions;
    QQueue<bool> answers;
    QQueue<Answer> threeWay;
    QQueue<QString> files;
    QQueue<QString> selectedFilters;
    QStringList openDirectories;
    QStringList proposedNames;
    QStringList filters;
    QQueue<std::function<int(QDialog&)>> dialogScripts;
    // Runs while a message box is "open", as events of its own loop would.
    std::function<void()> whileMessageShown;
    int dialogsRun = 0;
};

} // namespace vantor::test
