#include "shell/MotorCommands.h"

#include "editing/MotorChoice.h"
#include "interaction/Interaction.h"
#include "model/RocketElement.h"
#include "toolwindows/MotorChooser.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QStandardPaths>

namespace vantor {

namespace {

QLabel* HiddenText(QWidget* owner, const char* name, int id) {
    auto* label = new QLabel(Tagged(id), owner);
    label->setObjectName(name);
    label->hide();
    return label;
}

QByteArray FileHash(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result();
}

} // namespace

MotorCommands::MotorCommands(LanguageSession& language, Interaction& interaction,
                             QString programDirectory, QWidget* dialogParent)
    : TAdvForm(language), interaction_(interaction), programDirectory_(std::move(programDirectory)),
      dialogParent_(dialogParent) {
    setObjectName("MotorCommands");
    lNieczytelny = HiddenText(this, "lNieczytelny", 6003);
    lZaimportowano = HiddenText(this, "lZaimportowano", 6004);
    lBladKopii = HiddenText(this, "lBladKopii", 6005);
    lFiltr = HiddenText(this, "lFiltr", 6006);
    chooser_ = new TFormSilnik(language, dialogParent);
}

bool MotorCommands::FormCreate() {
    return TranslateForm() && chooser_->FormCreate();
}

QString MotorCommands::userFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("motors"));
}

void MotorCommands::setExtraFolders(std::function<QStringList()> folders) {
    extraFolders_ = std::move(folders);
    loaded_ = false;
}

QStringList MotorCommands::folders() const {
    QStringList list{QDir(programDirectory_).filePath(QStringLiteral("data/motors")), userFolder()};
    if (extraFolders_)
        list += extraFolders_();
    return list;
}

const MotorLibrary& MotorCommands::library() {
    const QStringList wanted = folders();
    if (!loaded_ || wanted != loadedFolders_) {
        loadedFolders_ = wanted;
        std::vector<std::filesystem::path> paths;
        for (const QString& folder : wanted)
            if (!folder.isEmpty())
                paths.emplace_back(QFile::encodeName(folder).toStdString());
        // The chooser keeps pointers into the library: it lets go before it changes.
        chooser_->setLibrary(nullptr);
        library_ = LoadMotorLibrary(paths);
        loaded_ = true;
    }
    return library_;
}

std::optional<ElementFields> MotorCommands::chooseMotor(const TRocketElement& element,
                                                        const ElementFields& entered) {
    const MotorLibrary& motors = library();
    chooser_->setLibrary(&motors);
    chooser_->setTube(element.Parent != nullptr ? std::optional<double>(element.Parent->DiameterA)
                                                : std::nullopt);
    chooser_->preselect(entered.caption);
    if (interaction_.runDialog(*chooser_) != QDialog::Accepted ||
        chooser_->chosenMotor() == nullptr)
        return std::nullopt;
    return FieldsWithMotor(entered, *chooser_->chosenMotor(), chooser_->chosenDelay());
}

std::optional<ChosenMotor> MotorCommands::chooseMotorFor(std::optional<double> tube,
                                                         const std::string& caption) {
    const MotorLibrary& motors = library();
    chooser_->setLibrary(&motors);
    chooser_->setTube(tube);
    chooser_->preselect(caption);
    if (interaction_.runDialog(*chooser_) != QDialog::Accepted ||
        chooser_->chosenMotor() == nullptr)
        return std::nullopt;
    return ChosenMotor{*chooser_->chosenMotor(), chooser_->chosenDelay()};
}

void MotorCommands::importMotorFile() {
    const QString path = interaction_.chooseFileToOpen(dialogParent_, QString(), lFiltr->text());
    if (!path.isEmpty())
        importFile(path);
}

bool MotorCommands::importFile(const QString& path) {
    const MotorFileResult read = ReadMotorFile(QFile::encodeName(path).toStdString());
    if (!read.errors.empty() || read.motors.empty()) {
        QString faults;
        for (const MotorFileError& error : read.errors)
            faults += QStringLiteral("\n") + QString::fromStdString(Describe(error));
        interaction_.showMessage(dialogParent_, lNieczytelny->text() + faults, QString(),
                                 Interaction::Icon::Warning);
        return false;
    }
    const QFileInfo source(path);
    QDir folder(userFolder());
    // A file of the same name that differs keeps its place: the import gets a new name.
    QString target = folder.filePath(source.fileName());
    for (int n = 2; QFile::exists(target) && FileHash(target) != FileHash(path); ++n)
        target = folder.filePath(
            QStringLiteral("%1-%2.%3").arg(source.completeBaseName()).arg(n).arg(source.suffix()));
    const bool copied =
        QFile::exists(target) || (folder.mkpath(QStringLiteral(".")) && QFile::copy(path, target));
    if (!copied) {
        interaction_.showMessage(dialogParent_, lBladKopii->text() + QStringLiteral("\n") + target,
                                 QString(), Interaction::Icon::Warning);
        return false;
    }
    forgetLibrary();
    QStringList names;
    for (const Motor& motor : read.motors)
        names << QString::fromStdString(motor.maker + " " + motor.designation);
    interaction_.showMessage(dialogParent_,
                             lZaimportowano->text() + QStringLiteral(" ") + names.join(", "),
                             QString(), Interaction::Icon::Information);
    return true;
}

} // namespace vantor
