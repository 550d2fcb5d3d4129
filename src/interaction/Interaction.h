#pragma once

#include <QString>

class QDialog;
class QWidget;

namespace vantor {

// Every modal interaction of the program goes through this interface: the program
// shows real Qt dialogs, tests install a scripted implementation that records what was
// asked and answers from a queue, so no test ever waits on a modal window.
class Interaction {
public:
    enum class Icon { None, Information, Warning, Error };
    enum class Answer { Yes, No, Cancel };

    virtual ~Interaction() = default;

    // A message box with an OK button; an empty caption gives the box the program's title.
    virtual void showMessage(QWidget* parent, const QString& text, const QString& caption,
                             Icon icon) = 0;
    // A Yes/No question, titled with the caption as it stands (empty included); true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& text, const QString& caption) = 0;
    // A Yes/No/Cancel question.
    virtual Answer askYesNoCancel(QWidget* parent, const QString& text, const QString& caption) = 0;
    // The file chosen in an open dialog, or an empty string on Cancel.
    virtual QString chooseFileToOpen(QWidget* parent, const QString& directory,
                                     const QString& filter) = 0;
    // The file chosen in a save dialog, or an empty string on Cancel.
    virtual QString chooseFileToSave(QWidget* parent, const QString& proposedName,
                                     const QString& filter) = 0;
    // The file chosen in a save dialog offering several filters (";;" between them), the
    // chosen filter left in `selectedFilter`, which proposes one on entry; an empty string
    // on Cancel. Without its own dialog, the plain save dialog and the proposed filter.
    virtual QString chooseFileAndFilterToSave(QWidget* parent, const QString& proposedName,
                                              const QString& filters, QString& selectedFilter) {
        Q_UNUSED(selectedFilter);
        return chooseFileToSave(parent, proposedName, filters);
    }
    // Runs a modal dialog and returns its result (QDialog::Accepted or Rejected).
    virtual int runDialog(QDialog& dialog) = 0;
};

} // namespace vantor
