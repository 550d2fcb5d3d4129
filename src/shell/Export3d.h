#pragma once

#include "i18n/AdvForm.h"

#include <QDialog>
#include <QStringList>
#include <functional>
#include <string>

class QComboBox;
class QDoubleSpinBox;
class QPushButton;

namespace vantor {

class Design;
class Interaction;

// Asks whether the 3D model is the whole rocket as assembled or one file a component,
// laid for printing.
class TFormExport3d : public TAdvForm<QDialog> {
    Q_OBJECT

public:
    explicit TFormExport3d(LanguageSession& language, QWidget* parent = nullptr);

    bool separateParts() const;
    // The width a point is blunted to, in millimetres; 0 keeps points sharp.
    double tipWidth() const;

    QComboBox* cbLayout3d = nullptr;
    QDoubleSpinBox* sedTip3d = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;
};

// The file dialog's filters for the 3D model, STL first.
QString Model3dFilters();

// The File menu command: the layout from the dialog above, then the file and its format
// from the save dialog's filter (an extension typed by the user wins), then the files.
// In parts mode every component goes to "<name>-<number>-<component>.<ext>" beside the
// chosen name. A refusal or a failed write is shown with its reason. The save dialog
// proposes `proposedName`; gives the files written, none when nothing was. `say` puts the
// core's English messages into the program's language.
QStringList ExportModel3d(QWidget* parent, const Design& design, LanguageSession& language,
                          Interaction& interaction, const QString& proposedName = {},
                          const std::function<QString(const std::string&)>& say = {});

} // namespace vantor
