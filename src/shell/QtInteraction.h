#pragma once

#include "interaction/Interaction.h"

namespace vantor {

// The program's modal interactions: real Qt message boxes and file dialogs.
class QtInteraction final : public Interaction {
public:
    void showMessage(QWidget* parent, const QString& text, const QString& caption,
                     Icon icon) override;
    bool askYesNo(QWidget* parent, const QString& text, const QString& caption) override;
    Answer askYesNoCancel(QWidget* parent, const QString& text, const QString& caption) override;
    QString chooseFileToOpen(QWidget* parent, const QString& directory,
                             const QString& filter) override;
    QString chooseFileToSave(QWidget* parent, const QString& proposedName,
                             const QString& filter) override;
    QString chooseFileAndFilterToSave(QWidget* parent, const QString& proposedName,
                                      const QString& filters, QString& selectedFilter) override;
    int runDialog(QDialog& dialog) override;
};

} // namespace vantor
