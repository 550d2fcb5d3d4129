#pragma once

#include "editing/ElementFields.h"
#include "flight/DesignFlight.h"
#include "i18n/AdvForm.h"
#include "motors/MotorLibrary.h"

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <optional>

class QLabel;

namespace vantor {

class Interaction;
class TFormSilnik;
class TRocketElement;

// The program's motor library and what uses it: the motor chooser behind the parameters
// dialog's "choose motor" button, and File > Import motor file. A form of its own that is
// never shown, so the messages it gives are translated with the other captions.
//
// The library is read when first needed and again after an import or a change of the
// folders: the program's data/motors, the user's AppDataLocation/motors, then the folders
// the options name.
class MotorCommands : public TAdvForm<QWidget> {
    Q_OBJECT

public:
    MotorCommands(LanguageSession& language, Interaction& interaction, QString programDirectory,
                  QWidget* dialogParent);
    bool FormCreate();

    // The folders read, in order.
    QStringList folders() const;
    // The user's motor folder, into which imports are copied.
    static QString userFolder();
    // Extra folders to read after the standard ones (from the options).
    void setExtraFolders(std::function<QStringList()> folders);
    // Reads the library again at its next use; a change of the folders does too.
    void forgetLibrary() { loaded_ = false; }
    const MotorLibrary& library();

    // Opens the chooser for a motor component; the fields with the chosen motor, or none.
    std::optional<ElementFields> chooseMotor(const TRocketElement& element,
                                             const ElementFields& entered);
    // Opens the chooser for a tube of the given inner diameter (mm), preselecting the
    // motor a caption names; the motor and delay chosen, or none.
    std::optional<ChosenMotor> chooseMotorFor(std::optional<double> tube,
                                              const std::string& caption);
    // File > Import motor file: asks for a file, reads it, and copies it into the user's
    // folder when it holds motors; says what came of it.
    void importMotorFile();
    // Imports a file already chosen; true when it was copied.
    bool importFile(const QString& path);

    TFormSilnik* chooser() const { return chooser_; }

    QLabel* lNieczytelny = nullptr;   // "The motor file cannot be read:"
    QLabel* lZaimportowano = nullptr; // "Motors imported:"
    QLabel* lBladKopii = nullptr;     // "The file cannot be copied into the motor folder:"
    QLabel* lFiltr = nullptr;         // the open dialog's filter

private:
    Interaction& interaction_;
    QString programDirectory_;
    QWidget* dialogParent_;
    TFormSilnik* chooser_ = nullptr;
    std::function<QStringList()> extraFolders_;
    MotorLibrary library_;
    bool loaded_ = false;
    QStringList loadedFolders_;
};

} // namespace vantor
